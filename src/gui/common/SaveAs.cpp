// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/SaveAs.h"

#include "gui/common/BusyPointer.h"
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/MessageBox.h"

#include <QDir>
#include <QFileInfo>

namespace harukaze {

namespace {

bool isPlanFile(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("HRZ"), Qt::CaseInsensitive) == 0;
}

bool samePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo left(a);
    const QFileInfo right(b);
    if (left.exists() && right.exists())
        return left.canonicalFilePath() == right.canonicalFilePath();
    return left.absoluteFilePath() == right.absoluteFilePath();
}

} // namespace

QString withSuffix(const QString& planFile, const QString& suffix)
{
    if (planFile.isEmpty())
        return QString();
    const QFileInfo info(planFile);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + suffix);
}

QString replaceQuestion(const QString& path)
{
    return QStringLiteral("%1 は既にあります。\n置き換えますか？").arg(QFileInfo(path).fileName());
}

QString saveAs(
    QWidget* parent, const SaveRequest& request, const std::function<bool(const QString& path, QString* reason)>& write)
{
    const QString path
        = FileDialog::getSaveFileName(parent, request.title, request.filter, request.suffix, request.suggested);
    if (path.isEmpty())
        return QString();
    const bool asks = request.ask == SaveRequest::Ask::AnyExistingFile || isPlanFile(path);
    // A file that cannot be written is left alone anyway: the failure says so without a question.
    const QFileInfo existing(path);
    if (asks && existing.isFile() && (existing.permissions() & QFileDevice::WriteOwner)
        && !samePath(path, request.ownFile)
        && MessageBox::yesNoQuestion(parent, replaceQuestion(path)) != QMessageBox::Yes)
        return QString();
    if (request.confirm && !request.confirm())
        return QString();
    QString reason;
    bool written = false;
    {
        BusyPointer busy;
        written = write(path, &reason);
    }
    if (!written) {
        MessageBox::warning(parent, saveFailedText(path, reason.toStdString()));
        return QString();
    }
    return path;
}

} // namespace harukaze
