// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/SingleInstance.h"

#include "core/io/PrivateFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace harukaze {

SingleInstance::SingleInstance(const QString& lockPath)
    : m_path(lockPath.isEmpty() ? defaultLockPath() : lockPath)
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // A lock is stale only when its process is gone; a long-running first copy must keep it.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryLock()
{
    if (m_path.isEmpty())
        return false;
    if (m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError) {
        // tryLock() already removes a lock whose owner is gone; this covers a lock file that
        // cannot be read back at all (and is not just being written by a copy starting now).
        qint64 pid = 0;
        QString host;
        QString app;
        const QDateTime modified = QFileInfo(m_path).lastModified();
        const bool old = modified.isValid() && modified.secsTo(QDateTime::currentDateTime()) > 5;
        if (!m_lock->getLockInfo(&pid, &host, &app) && old && m_lock->removeStaleLockFile())
            return m_lock->tryLock(0);
    }
    return false;
}

QString SingleInstance::privateFolder(QString* problem)
{
    // Qt checks the runtime folder (or makes its own in the temporary folder) and gives nothing
    // when it is not the user's; it is checked here once more, link and mode included.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    std::string reason;
    const std::string folder = harukaze::privateFolder(
        QFile::encodeName(runtime).toStdString(), QFile::encodeName(QDir::tempPath()).toStdString(), &reason);
    if (problem)
        *problem = QString::fromLocal8Bit(reason.c_str());
    return QFile::decodeName(QByteArray::fromStdString(folder));
}

QString SingleInstance::defaultLockPath()
{
    const QString folder = privateFolder();
    if (folder.isEmpty())
        return QString();
    return folder + QStringLiteral("/harukaze.lock");
}

QString SingleInstance::unguardedNote(const QString& problem)
{
    return QStringLiteral("harukaze: 自分専用の一時フォルダーを安全に使えないため、二重起動防止なしで起動します"
                          " (no private folder for the single-instance lock: ")
        + problem + QStringLiteral(")\n");
}

QString SingleInstance::refusalMessage()
{
    return QStringLiteral("HARUKAZE") + QStringLiteral("は、既に起動しています。（二重起動防止）");
}

QString SingleInstance::handOverFailedMessage(const QString& path)
{
    return refusalMessage() + QLatin1Char('\n') + QStringLiteral("起動しているHARUKAZEにファイルを渡せませんでした。")
        + QLatin1Char('\n') + path;
}

} // namespace harukaze
