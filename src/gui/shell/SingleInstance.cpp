// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/SingleInstance.h"

#include <QDateTime>
#include <QDir>
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

QString SingleInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/harukaze.lock");
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
