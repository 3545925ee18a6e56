// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace harukaze {

/**
 * The recently used plan files, most recent first, at most eight, kept in the settings store
 * (section "Recent"), and the File menu's "最近使ったファイル(&R)" submenu that lists them: "&1 name"
 * with the full path as tool tip, then "一覧を消去(&C)". Choosing a file emits fileChosen(); what
 * happens to a file that cannot be opened is the opener's call (remove() takes it off the list).
 */
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxFiles = 8;

    explicit RecentFiles(QObject* parent = nullptr);

    /** The stored list, most recent first. */
    QStringList files() const;
    /** Puts `path` (made absolute) at the top; a file already listed moves up; the ninth drops off. */
    void add(const QString& path);
    /** Takes `path` off the list. */
    void remove(const QString& path);
    /** Empties the list. */
    void clear();

    /** A new submenu "最近使ったファイル(&R)" under `parent`, rebuilt whenever the list changes. */
    QMenu* createMenu(QWidget* parent);
    /** Keeps `menu` enabled exactly when `action` (the Open command) is. */
    static void followEnabled(QMenu* menu, QAction* action);

    /** "&N name" for the N-th file, an "&" in the name doubled so it is not taken for a key. */
    static QString itemText(int number, const QString& path);

signals:
    /** A file was picked from a menu. */
    void fileChosen(const QString& path);
    /** The list was changed through this object. */
    void changed();

private:
    void store(const QStringList& files);
    void fillMenu(QMenu* menu);
};

} // namespace harukaze
