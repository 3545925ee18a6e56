// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/RecentFiles.h"
#include "support/GuiTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace harukaze;

namespace {

/** The menu as a user reads it: item texts, "-" for a separator, a disabled item in brackets. */
QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* item : menu->actions()) {
        if (item->isSeparator())
            texts.append(QStringLiteral("-"));
        else
            texts.append(item->isEnabled() ? item->text() : QLatin1Char('[') + item->text() + QLatin1Char(']'));
    }
    return texts;
}

QStringList plans(std::initializer_list<const char*> names)
{
    QStringList paths;
    for (const char* name : names)
        paths.append(QStringLiteral("/home/user/") + QString::fromUtf8(name));
    return paths;
}

} // namespace

class TestRecentFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void testMostRecentFirst();
    void testStoredUnderRecent();
    void testMenu();
    void testChoosingAndClearingFromMenu();
    void testMenuFollowsOpen();

private:
    GuiTest::TemporarySettings m_settings;
};

void TestRecentFiles::init()
{
    m_settings.clear();
}

void TestRecentFiles::testMostRecentFirst()
{
    RecentFiles recent;
    QSignalSpy changed(&recent, &RecentFiles::changed);
    for (const QString& path : plans({ "a.HRZ", "b.HRZ", "c.HRZ" }))
        recent.add(path);
    QCOMPARE(recent.files(), plans({ "c.HRZ", "b.HRZ", "a.HRZ" }));
    // Opening or saving a listed file again moves it to the top, once.
    recent.add(QStringLiteral("/home/user/plans/../a.HRZ"));
    QCOMPARE(recent.files(), plans({ "a.HRZ", "c.HRZ", "b.HRZ" }));
    recent.remove(QStringLiteral("/home/user/c.HRZ"));
    recent.remove(QStringLiteral("/home/user/not-listed.HRZ"));
    QCOMPARE(recent.files(), plans({ "a.HRZ", "b.HRZ" }));
    QCOMPARE(changed.count(), 5);

    // Eight at most: the oldest drop off.
    for (const QString& path : plans({ "3.HRZ", "4.HRZ", "5.HRZ", "6.HRZ", "7.HRZ", "8.HRZ", "9.HRZ" }))
        recent.add(path);
    QCOMPARE(recent.files(), plans({ "9.HRZ", "8.HRZ", "7.HRZ", "6.HRZ", "5.HRZ", "4.HRZ", "3.HRZ", "a.HRZ" }));
}

void TestRecentFiles::testStoredUnderRecent()
{
    {
        RecentFiles recent;
        recent.add(QStringLiteral("/home/user/家族.HRZ"));
        recent.add(QStringLiteral("/home/user/b.HRZ"));
    }
    QCOMPARE(m_settings.read(QStringLiteral("Recent/File1")), QStringLiteral("/home/user/b.HRZ"));
    QCOMPARE(m_settings.read(QStringLiteral("Recent/File2")), QStringLiteral("/home/user/家族.HRZ"));
    // The next start reads the list back; a store edited by hand with the same file twice shows it once.
    m_settings.write(QStringLiteral("Recent/File3"), QStringLiteral("/home/user/b.HRZ"));
    QCOMPARE(RecentFiles().files(), plans({ "b.HRZ", "家族.HRZ" }));
    RecentFiles().clear();
    QVERIFY(m_settings.read(QStringLiteral("Recent/File1")).isEmpty());
}

void TestRecentFiles::testMenu()
{
    RecentFiles recent;
    QWidget window;
    QMenu* menu = recent.createMenu(&window);
    QCOMPARE(menuTexts(menu), QStringList { QStringLiteral("[一覧を消去(&C)]") });

    recent.add(QStringLiteral("/home/user/a.HRZ"));
    recent.add(QStringLiteral("/home/user/R&D 家族.HRZ"));
    QCOMPARE(menuTexts(menu),
        (QStringList { QStringLiteral("&1 R&&D 家族.HRZ"),
            QStringLiteral("&2 a.HRZ"),
            QStringLiteral("-"),
            QStringLiteral("一覧を消去(&C)") }));
    QCOMPARE(menu->actions().at(0)->toolTip(), QStringLiteral("/home/user/R&D 家族.HRZ"));
    QCOMPARE(menu->actions().at(1)->toolTip(), QStringLiteral("/home/user/a.HRZ"));
    QVERIFY(menu->toolTipsVisible());
}

void TestRecentFiles::testChoosingAndClearingFromMenu()
{
    RecentFiles recent;
    QWidget window;
    QMenu* menu = recent.createMenu(&window);
    for (const QString& path : plans({ "a.HRZ", "b.HRZ" }))
        recent.add(path);
    QSignalSpy chosen(&recent, &RecentFiles::fileChosen);

    menu->actions().at(1)->trigger();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("/home/user/a.HRZ"));
    // Choosing is not opening: the opener puts the file on top once it has opened it.
    QCOMPARE(recent.files(), plans({ "b.HRZ", "a.HRZ" }));

    menu->findChild<QAction*>(QStringLiteral("File_Recent_Clear"))->trigger();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(recent.files(), QStringList());
    QCOMPARE(menuTexts(menu), QStringList { QStringLiteral("[一覧を消去(&C)]") });
    QCOMPARE(chosen.count(), 1);
}

void TestRecentFiles::testMenuFollowsOpen()
{
    RecentFiles recent;
    QWidget window;
    QMenu* menu = recent.createMenu(&window);
    QAction open(QStringLiteral("開く(&O)"), &window);
    open.setEnabled(false);
    RecentFiles::followEnabled(menu, &open);
    QVERIFY(!menu->menuAction()->isEnabled());
    open.setEnabled(true);
    QVERIFY(menu->menuAction()->isEnabled());
    open.setEnabled(false);
    QVERIFY(!menu->menuAction()->isEnabled());
}

QTEST_MAIN(TestRecentFiles)
#include "TestRecentFiles.moc"
