// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FileDialog.h"

#include "gui/common/NameOnlyIconProvider.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

#include <optional>

namespace harukaze {

namespace {

std::optional<QString> s_nextFileName;
QString s_lastTitle;
QString s_lastFilter;
QString s_lastSuggestion;

std::optional<QString> takeNextFileName()
{
    std::optional<QString> next = s_nextFileName;
    s_nextFileName.reset();
    return next;
}

QString run(QWidget* parent,
    QFileDialog::AcceptMode mode,
    const QString& title,
    const QString& filter,
    const QString& defaultSuffix,
    const QString& suggested = QString(),
    const QString& folder = QString())
{
    s_lastTitle = title;
    s_lastFilter = filter;
    s_lastSuggestion = suggested;
    if (std::optional<QString> next = takeNextFileName()) {
        if (next->isEmpty())
            return {};
        return mode == QFileDialog::AcceptSave ? FileDialog::withDefaultSuffix(*next, defaultSuffix) : *next;
    }
    // Qt's own dialog, told to describe files by their names only: the type column and the icons
    // would otherwise read each file's first bytes, which hangs on a FIFO or in /proc.
    NameOnlyIconProvider iconProvider;
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&iconProvider);
    // Qt's own dialog (used where the desktop offers none) opens small and cuts the date column
    // short; it gets more room, and the size, type and date columns fit what they show.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(820, 520)));
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        // The open command does not require the file to exist; a missing file is reported afterwards.
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    return mode == QFileDialog::AcceptSave ? FileDialog::withDefaultSuffix(chosen, defaultSuffix) : chosen;
}

} // namespace

QString FileDialog::getOpenFileName(
    QWidget* parent, const QString& title, const QString& filter, const QString& defaultSuffix, const QString& folder)
{
    return run(parent, QFileDialog::AcceptOpen, title, filter, defaultSuffix, QString(), folder);
}

QString FileDialog::getSaveFileName(QWidget* parent,
    const QString& title,
    const QString& filter,
    const QString& defaultSuffix,
    const QString& suggested)
{
    return run(parent, QFileDialog::AcceptSave, title, filter, defaultSuffix, suggested);
}

void FileDialog::setNextFileName(const QString& fileName)
{
    s_nextFileName = fileName;
}

QString FileDialog::lastTitle()
{
    return s_lastTitle;
}

QString FileDialog::lastFilter()
{
    return s_lastFilter;
}

QString FileDialog::lastSuggestion()
{
    return s_lastSuggestion;
}

QString FileDialog::withDefaultSuffix(const QString& fileName, const QString& suffix)
{
    if (fileName.isEmpty() || suffix.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + QLatin1Char('.') + suffix;
}

} // namespace harukaze
