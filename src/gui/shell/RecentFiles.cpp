// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/RecentFiles.h"

#include "gui/shell/AppSettings.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace harukaze {

namespace {

QString normalized(const QString& path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QObject* parent)
    : QObject(parent)
{
}

QStringList RecentFiles::files() const
{
    QStringList files = AppSettings().recentFiles();
    // A store edited by hand may hold more than the menu shows, or the same file twice.
    files.removeDuplicates();
    if (files.size() > MaxFiles)
        files.resize(MaxFiles);
    return files;
}

void RecentFiles::store(const QStringList& files)
{
    AppSettings settings;
    settings.setRecentFiles(files);
    settings.sync();
    emit changed();
}

void RecentFiles::add(const QString& path)
{
    const QString file = normalized(path);
    if (file.isEmpty())
        return;
    QStringList list = files();
    list.removeAll(file);
    list.prepend(file);
    if (list.size() > MaxFiles)
        list.resize(MaxFiles);
    store(list);
}

void RecentFiles::remove(const QString& path)
{
    QStringList list = files();
    if (list.removeAll(normalized(path)) > 0)
        store(list);
}

void RecentFiles::clear()
{
    store(QStringList());
}

QString RecentFiles::itemText(int number, const QString& path)
{
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QLatin1Char('&') + QString::number(number) + QLatin1Char(' ') + name;
}

QMenu* RecentFiles::createMenu(QWidget* parent)
{
    auto* menu = new QMenu(QStringLiteral("最近使ったファイル(&R)"), parent);
    menu->setObjectName(QStringLiteral("File_Recent"));
    menu->setToolTipsVisible(true);
    fillMenu(menu);
    connect(this, &RecentFiles::changed, menu, [this, menu] { fillMenu(menu); });
    // The store may have been changed by another copy of the menu or by hand.
    connect(menu, &QMenu::aboutToShow, menu, [this, menu] { fillMenu(menu); });
    return menu;
}

void RecentFiles::fillMenu(QMenu* menu)
{
    menu->clear();
    const QStringList list = files();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString path = list.at(i);
        QAction* item = menu->addAction(itemText(static_cast<int>(i + 1), path));
        item->setObjectName(QStringLiteral("File_Recent_") + QString::number(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        item->setData(path);
        // Both run from the event loop: the menu has closed, and refilling it no longer deletes the
        // item whose signal is being sent.
        connect(item, &QAction::triggered, this, [this, path] {
            QMetaObject::invokeMethod(
                this, [this, path] { emit fileChosen(path); }, Qt::QueuedConnection);
        });
    }
    if (!list.isEmpty())
        menu->addSeparator();
    QAction* clearItem = menu->addAction(QStringLiteral("一覧を消去(&C)"));
    clearItem->setObjectName(QStringLiteral("File_Recent_Clear"));
    clearItem->setEnabled(!list.isEmpty());
    connect(clearItem, &QAction::triggered, this, [this] {
        QMetaObject::invokeMethod(this, &RecentFiles::clear, Qt::QueuedConnection);
    });
}

void RecentFiles::followEnabled(QMenu* menu, QAction* action)
{
    QAction* menuAction = menu->menuAction();
    menuAction->setEnabled(action->isEnabled());
    connect(
        action, &QAction::changed, menuAction, [menuAction, action] { menuAction->setEnabled(action->isEnabled()); });
}

} // namespace harukaze
