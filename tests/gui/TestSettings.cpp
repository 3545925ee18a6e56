// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/FontDialog.h"
#include "gui/common/ProcessState.h"
#include "gui/shell/AppSettings.h"
#include "gui/shell/frmMain.h"
#include "gui/table/Form1.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "support/GuiTestSupport.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include <cmath>
#include <memory>

using namespace harukaze;

using Command = frmMain::Command;
using TableKind = frmMain::TableKind;

namespace {

void writeCouple(FamilyPlan& plan)
{
    REC_CLEAR(plan);
    plan.ST1_HUSBAND = 1;
    plan.ST1_WIFE = 1;
    plan.ST1_WIFE_MOTHER = 1;
    plan.ST2_HUSBAND_BIRTH_YEAR = 1980;
    plan.ST2_WIFE_BIRTH_YEAR = 1982;
    plan.ST5_MOTHER_BIRTH_YEAR = 1950;
}

int px(double twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testDefaultsOnCleanStore();
    void testStoredValuesRead();
    void testBadValuesFallBack_data();
    void testBadValuesFallBack();
    void testPlacementRestored();
    void testPlacementOffScreenFallsBack_data();
    void testPlacementOffScreenFallsBack();
    void testHozonStoresPlacement();
    void testHozonKeepsPlacementWhenMinimized();
    void testPlacementNumbersOutOfRangeFallBack_data();
    void testPlacementNumbersOutOfRangeFallBack();
    void testPlacementBroughtOntoTheScreen_data();
    void testPlacementBroughtOntoTheScreen();
    void testPlacementFitsTheScreenItOverlapsMost();
    void testFirstExitStoresTheDefaultsExactly();
    void testStoredTwipsComeBackAsTheSamePixels_data();
    void testStoredTwipsComeBackAsTheSamePixels();
    void testTwips_data();
    void testTwips();
    void testFontCommandAppliedAndStored_data();
    void testFontCommandAppliedAndStored();
    void testFontCommandReachesFrozenCells();
    void testFontCommandCancelled();
    void testFontSizeOutsideTheTableRangeReadsAsNine_data();
    void testFontSizeOutsideTheTableRangeReadsAsNine();
    void testFontCommandHoldsSizeInTheTableRange_data();
    void testFontCommandHoldsSizeInTheTableRange();
    void testFontDialogStartsOnDrawnFace();
    void testFontWithNothingOpenIsUsedByNextTable();
    void testJapaneseFontSubstitution_data();
    void testJapaneseFontSubstitution();

private:
    std::unique_ptr<frmMain> startMain(bool demo = false);
    double dpi() const;

    GuiTest::TemporarySettings m_settings;
};

void TestSettings::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2026);
}

void TestSettings::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
}

void TestSettings::cleanup()
{
    GuiTest::resetProcessState();
}

std::unique_ptr<frmMain> TestSettings::startMain(bool demo)
{
    if (m_settings.read(QStringLiteral("DEMO/VIEW")).isEmpty())
        return GuiTest::startMainWindow(m_settings, demo);
    return GuiTest::startMainWindow();
}

double TestSettings::dpi() const
{
    return QGuiApplication::primaryScreen()->logicalDotsPerInchX();
}

void TestSettings::testDefaultsOnCleanStore()
{
    const AppSettings settings;
    const WindowPlacement placement = settings.placement();
    QCOMPARE(placement.left, 500.0);
    QCOMPARE(placement.top, 500.0);
    QCOMPARE(placement.width, 9500.0);
    QCOMPARE(placement.height, 7500.0);
    QCOMPARE(settings.demoView(), 1);
    ProcessState state;
    state.FONT_NAME = "x";
    state.FONT_SIZE = "1";
    state.FONT_BOLD = "True";
    settings.readFont(state);
    QCOMPARE(state.FONT_NAME, std::string("ＭＳ Ｐゴシック"));
    QCOMPARE(state.FONT_SIZE, std::string("9"));
    QCOMPARE(state.FONT_BOLD, std::string("False"));
    QCOMPARE(state.FONT_ITALIC, std::string("False"));

    auto main = std::make_unique<frmMain>();
    main->load();
    QCOMPARE(main->pos(), QPoint(px(500, dpi()), px(500, dpi())));
    QCOMPARE(main->size(), QSize(px(9500, dpi()), px(7500, dpi())));
    QCOMPARE(globalState().DEMO_VIEW, int16_t(1));
    QVERIFY(main->demoWindow());
    QCOMPARE(main->demoWindow()->grid()->font().pointSizeF(), 9.0);
}

void TestSettings::testStoredValuesRead()
{
    m_settings.write(QStringLiteral("Font/FontName"), QStringLiteral("IPAGothic"));
    m_settings.write(QStringLiteral("Font/FontSize"), QStringLiteral("10.5"));
    m_settings.write(QStringLiteral("Font/FontBold"), QStringLiteral("True"));
    m_settings.write(QStringLiteral("Font/FontItalic"), QStringLiteral("True"));
    m_settings.write(QStringLiteral("DEMO/VIEW"), QStringLiteral("0"));
    auto main = startMain();
    const ProcessState& state = globalState();
    QCOMPARE(state.FONT_NAME, std::string("IPAGothic"));
    QCOMPARE(state.FONT_SIZE, std::string("10.5"));
    QCOMPARE(state.FONT_BOLD, std::string("True"));
    QCOMPARE(state.FONT_ITALIC, std::string("True"));
    QCOMPARE(state.DEMO_VIEW, int16_t(0));

    // A build applies name and size only, never bold or italic.
    writeCouple(globalPlan());
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    QCOMPARE(grid->font().family(), QStringLiteral("IPAGothic"));
    QCOMPARE(grid->font().pointSizeF(), 10.5);
    QVERIFY(!grid->font().bold());
    QVERIFY(!grid->font().italic());
}

void TestSettings::testBadValuesFallBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("left not a number") << "Settings/MainLeft"
                                       << "left";
    QTest::newRow("width empty") << "Settings/MainWidth"
                                 << "";
    QTest::newRow("height not a number") << "Settings/MainHeight"
                                         << "1e";
    QTest::newRow("font size not a number") << "Font/FontSize"
                                            << "big";
    QTest::newRow("font size zero") << "Font/FontSize"
                                    << "0";
    QTest::newRow("font size negative") << "Font/FontSize"
                                        << "-9";
    QTest::newRow("bold neither True nor False") << "Font/FontBold"
                                                 << "yes";
    QTest::newRow("font name empty") << "Font/FontName"
                                     << "";
}

void TestSettings::testBadValuesFallBack()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    m_settings.write(key, value);
    const AppSettings settings;
    const WindowPlacement placement = settings.placement();
    const WindowPlacement defaults;
    QCOMPARE(placement.left, defaults.left);
    QCOMPARE(placement.top, defaults.top);
    QCOMPARE(placement.width, defaults.width);
    QCOMPARE(placement.height, defaults.height);
    ProcessState state;
    settings.readFont(state);
    const ProcessState fresh;
    QCOMPARE(state.FONT_NAME, fresh.FONT_NAME);
    QCOMPARE(state.FONT_SIZE, fresh.FONT_SIZE);
    QCOMPARE(state.FONT_BOLD, fresh.FONT_BOLD);

    auto main = startMain();
    QCOMPARE(main->size(), QSize(px(9500, dpi()), px(7500, dpi())));
}

void TestSettings::testPlacementRestored()
{
    m_settings.write(QStringLiteral("Settings/MainLeft"), QStringLiteral("1500"));
    m_settings.write(QStringLiteral("Settings/MainTop"), QStringLiteral("1200"));
    m_settings.write(QStringLiteral("Settings/MainWidth"), QStringLiteral("9000"));
    m_settings.write(QStringLiteral("Settings/MainHeight"), QStringLiteral("6000"));
    auto main = startMain();
    QCOMPARE(main->pos(), QPoint(px(1500, dpi()), px(1200, dpi())));
    QCOMPARE(main->size(), QSize(px(9000, dpi()), px(6000, dpi())));
}

void TestSettings::testPlacementOffScreenFallsBack_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::newRow("far right") << "9000000"
                               << "500";
    QTest::newRow("far above") << "500"
                               << "-9000000";
    QTest::newRow("far left") << "-9000000"
                              << "500";
}

void TestSettings::testPlacementOffScreenFallsBack()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    m_settings.write(QStringLiteral("Settings/MainLeft"), left);
    m_settings.write(QStringLiteral("Settings/MainTop"), top);
    m_settings.write(QStringLiteral("Settings/MainWidth"), QStringLiteral("12000"));
    auto main = startMain();
    QCOMPARE(main->pos(), QPoint(px(500, dpi()), px(500, dpi())));
    QCOMPARE(main->size(), QSize(px(9500, dpi()), px(7500, dpi())));
}

void TestSettings::testHozonStoresPlacement()
{
    auto main = startMain();
    main->move(px(3000, dpi()), px(1500, dpi()));
    main->resize(px(7500, dpi()), px(6000, dpi()));
    QTRY_COMPARE(main->pos(), QPoint(px(3000, dpi()), px(1500, dpi())));
    main->HOZON();
    const auto twips = [this](const char* key) { return m_settings.read(QString::fromLatin1(key)).toDouble(); };
    QCOMPARE(std::lround(twips("Settings/MainLeft")), std::lround(px(3000, dpi()) * 1440.0 / dpi()));
    QCOMPARE(std::lround(twips("Settings/MainTop")), std::lround(px(1500, dpi()) * 1440.0 / dpi()));
    QCOMPARE(std::lround(twips("Settings/MainWidth")), std::lround(px(7500, dpi()) * 1440.0 / dpi()));
    QCOMPARE(std::lround(twips("Settings/MainHeight")), std::lround(px(6000, dpi()) * 1440.0 / dpi()));
    if (dpi() == 96.0)
        QCOMPARE(m_settings.read(QStringLiteral("Settings/MainLeft")), QStringLiteral("3000"));

    // The next start comes back where this one was left.
    auto next = std::make_unique<frmMain>();
    next->load();
    QCOMPARE(next->pos(), main->pos());
    QCOMPARE(next->size(), main->size());
}

void TestSettings::testHozonKeepsPlacementWhenMinimized()
{
    m_settings.write(QStringLiteral("Settings/MainLeft"), QStringLiteral("1500"));
    auto main = startMain();
    main->move(px(4500, dpi()), px(4500, dpi()));
    main->showMinimized();
    QTRY_VERIFY(main->isMinimized());
    main->HOZON();
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainLeft")), QStringLiteral("1500"));
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainWidth")), QString());
}

void TestSettings::testPlacementNumbersOutOfRangeFallBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QRect>("expected"); ///< pos() and size(), in twips
    // Beside a placement of 1500, 1200, 9000 x 6000: a number that is not finite counts as absent,
    // one that no window can have brings back the whole default placement.
    const QRect defaults(500, 500, 9500, 7500);
    QTest::newRow("left 1e300") << "Settings/MainLeft"
                                << "1e300" << defaults;
    QTest::newRow("top infinite") << "Settings/MainTop"
                                  << "inf" << QRect(1500, 500, 9000, 6000);
    QTest::newRow("width two million twips") << "Settings/MainWidth"
                                             << "2000000" << defaults;
    QTest::newRow("height of a few pixels") << "Settings/MainHeight"
                                            << "30" << defaults;
}

void TestSettings::testPlacementNumbersOutOfRangeFallBack()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QRect, expected);
    m_settings.write(QStringLiteral("Settings/MainLeft"), QStringLiteral("1500"));
    m_settings.write(QStringLiteral("Settings/MainTop"), QStringLiteral("1200"));
    m_settings.write(QStringLiteral("Settings/MainWidth"), QStringLiteral("9000"));
    m_settings.write(QStringLiteral("Settings/MainHeight"), QStringLiteral("6000"));
    m_settings.write(key, value);
    auto main = startMain();
    QCOMPARE(main->pos(), QPoint(px(expected.x(), dpi()), px(expected.y(), dpi())));
    QCOMPARE(main->size(), QSize(px(expected.width(), dpi()), px(expected.height(), dpi())));
}

void TestSettings::testPlacementBroughtOntoTheScreen_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("sizeKept");
    // Placements left by a larger monitor: within the numbers a screen can have, off this one.
    QTest::newRow("right of the screen") << "60000"
                                         << "1500"
                                         << "9500"
                                         << "7500" << true;
    QTest::newRow("corner showing") << "10800"
                                    << "7695"
                                    << "9500"
                                    << "7500" << true;
    QTest::newRow("above and left") << "-30000"
                                    << "-30000"
                                    << "9500"
                                    << "7500" << true;
    QTest::newRow("larger than the screen") << "0"
                                            << "0"
                                            << "300000"
                                            << "200000" << false;
}

void TestSettings::testPlacementBroughtOntoTheScreen()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, sizeKept);
    m_settings.write(QStringLiteral("Settings/MainLeft"), left);
    m_settings.write(QStringLiteral("Settings/MainTop"), top);
    m_settings.write(QStringLiteral("Settings/MainWidth"), width);
    m_settings.write(QStringLiteral("Settings/MainHeight"), height);
    auto main = startMain();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // The whole window, its title bar included, lies on the screen, and no larger than it.
    QVERIFY2(screen.contains(main->frameGeometry()),
        qPrintable(QStringLiteral("%1,%2 %3x%4")
                       .arg(main->frameGeometry().x())
                       .arg(main->frameGeometry().y())
                       .arg(main->frameGeometry().width())
                       .arg(main->frameGeometry().height())));
    if (sizeKept)
        QCOMPARE(main->size(), QSize(px(width.toDouble(), dpi()), px(height.toDouble(), dpi())));
}

void TestSettings::testPlacementFitsTheScreenItOverlapsMost()
{
    // Two screens side by side: a window mostly on the second stays there, moved in just enough;
    // one on neither goes to the first. Sizes are kept when they fit.
    const QList<QRect> screens = { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) };
    const QMargins frame(1, 24, 1, 1);
    QCOMPARE(AppSettings::fitToScreens(QRect(3000, 100, 600, 400), frame, screens), QRect(2598, 100, 600, 400));
    QCOMPARE(AppSettings::fitToScreens(QRect(2000, 900, 600, 400), frame, screens), QRect(2000, 599, 600, 400));
    QCOMPARE(AppSettings::fitToScreens(QRect(-5000, -5000, 600, 400), frame, screens), QRect(0, 0, 600, 400));
    // Larger than the second screen: as large as it, decoration included.
    QCOMPARE(
        AppSettings::fitToScreens(QRect(1900, 0, 3000, 2000), frame, { screens.at(1) }), QRect(1920, 0, 1278, 999));
    // Without screens nothing is known to fit to.
    QCOMPARE(AppSettings::fitToScreens(QRect(-5000, 0, 600, 400), frame, {}), QRect(-5000, 0, 600, 400));
}

void TestSettings::testFirstExitStoresTheDefaultsExactly()
{
    // 500 twips are 33.3 pixels at 96 DPI: the window at 33 pixels is stored as 500, not 495.
    auto main = startMain(true);
    main->toolbarAction(Command::Exit)->trigger();
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainLeft")), QStringLiteral("500"));
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainTop")), QStringLiteral("500"));
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainWidth")), QStringLiteral("9500"));
    QCOMPARE(m_settings.read(QStringLiteral("Settings/MainHeight")), QStringLiteral("7500"));
}

void TestSettings::testStoredTwipsComeBackAsTheSamePixels_data()
{
    QTest::addColumn<double>("dpi");
    QTest::newRow("96 DPI") << 96.0;
    QTest::newRow("144 DPI") << 144.0;
}

void TestSettings::testStoredTwipsComeBackAsTheSamePixels()
{
    QFETCH(double, dpi);
    // Whatever a window's pixels, the stored twips restore exactly those pixels.
    for (const QRect& geometry :
        { QRect(33, 33, 633, 500), QRect(-32768, 32767, 100, 32767), QRect(1234, -567, 891, 234) }) {
        const std::optional<QRect> restored
            = AppSettings::placementPixels(AppSettings::placementOf(geometry, dpi), dpi);
        QVERIFY(restored);
        QCOMPARE(*restored, geometry);
    }
    // The defaults restored at this resolution are stored as the defaults again.
    const WindowPlacement defaults;
    const WindowPlacement again = AppSettings::placementOf(*AppSettings::placementPixels(defaults, dpi), dpi);
    QCOMPARE(again.left, defaults.left);
    QCOMPARE(again.top, defaults.top);
    QCOMPARE(again.width, defaults.width);
    QCOMPARE(again.height, defaults.height);
}

void TestSettings::testTwips_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("pixels");
    QTest::newRow("an inch at 96") << 1440.0 << 96.0 << 96.0;
    QTest::newRow("an inch at 120") << 1440.0 << 120.0 << 120.0;
    QTest::newRow("9 pt member column") << 1080.0 << 96.0 << 72.0;
    QTest::newRow("default width") << 9500.0 << 96.0 << 9500.0 / 15.0;
}

void TestSettings::testTwips()
{
    QFETCH(double, twips);
    QFETCH(double, dpi);
    QFETCH(double, pixels);
    QCOMPARE(AppSettings::twipsToPixels(twips, dpi), pixels);
    QCOMPARE(AppSettings::pixelsToTwips(pixels, dpi), twips);
    QCOMPARE(AppSettings::numberText(500), QStringLiteral("500"));
    QCOMPARE(AppSettings::numberText(7.5), QStringLiteral("7.5"));
    QCOMPARE(AppSettings::numberText(9500.0 / 15.0 * 15.0), QStringLiteral("9500"));
}

void TestSettings::testFontCommandAppliedAndStored_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("Form100") << "Form100";
    QTest::newRow("Form200") << "Form200";
    QTest::newRow("demo") << "Form1";
}

void TestSettings::testFontCommandAppliedAndStored()
{
    QFETCH(QString, window);
    const bool demo = window == QLatin1String("Form1");
    auto main = startMain(demo);
    TableWindow* open = nullptr;
    if (demo) {
        open = main->demoWindow();
    } else {
        writeCouple(globalPlan());
        open = main->openTableWindow(window == QLatin1String("Form100") ? TableKind::Form100 : TableKind::Form200);
    }
    QVERIFY(open);
    QCOMPARE(open->objectName(), window);
    const QString statesBefore = QString::number(GuiTest::currentDocument().isSaved());

    QFont chosen(QStringLiteral("IPAPGothic"));
    chosen.setPointSizeF(12);
    chosen.setBold(true);
    chosen.setItalic(true);
    FontDialog::setNextFont(chosen);
    main->toolbarAction(Command::Font)->trigger();

    // The dialog started from the table font.
    QCOMPARE(FontDialog::lastInitialFont().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(FontDialog::lastInitialFont().pointSizeF(), 9.0);

    LifeCycleGrid* grid = open->grid();
    QCOMPARE(grid->font().family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(grid->font().pointSizeF(), 12.0);
    QVERIFY(grid->font().bold());
    QVERIFY(grid->font().italic());
    for (int c = 2; c < grid->cols(); ++c) {
        QCOMPARE(grid->columnWidthTwips(c), 1440);
        QCOMPARE(grid->columnWidth(c), grid->twipsToPixels(1440));
    }
    // The year columns keep the three squares a build gives them.
    QCOMPARE(grid->columnWidthTwips(0), 720);
    QCOMPARE(grid->columnWidthTwips(1), 720);
    // The frozen panes follow the new widths.
    QCOMPARE(grid->frozenRowsView()->columnWidth(5), grid->columnWidth(5));
    QCOMPARE(grid->frozenColumnsView()->rowHeight(10), grid->rowHeight(10));

    const ProcessState& state = globalState();
    QCOMPARE(state.FONT_NAME, std::string("IPAPGothic"));
    QCOMPARE(state.FONT_SIZE, std::string("12"));
    QCOMPARE(state.FONT_BOLD, std::string("True"));
    QCOMPARE(state.FONT_ITALIC, std::string("True"));
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontName")), QStringLiteral("IPAPGothic"));
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontSize")), QStringLiteral("12"));
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontBold")), QStringLiteral("True"));
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontItalic")), QStringLiteral("True"));
    // The font command changes the look only, not the plan's state.
    QCOMPARE(QString::number(GuiTest::currentDocument().isSaved()), statesBefore);
}

void TestSettings::testFontCommandReachesFrozenCells()
{
    auto main = startMain(false);
    writeCouple(globalPlan());
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    const int rowHeightBefore = grid->frozenRowsView()->rowHeight(0);

    QFont chosen(QStringLiteral("IPAPGothic"));
    chosen.setPointSizeF(12);
    chosen.setBold(true);
    chosen.setItalic(true);
    FontDialog::setNextFont(chosen);
    main->toolbarAction(Command::Font)->trigger();
    QApplication::processEvents();

    // 夫/妻, the current ages, 西暦/和暦 and the years take face, size, bold and italic.
    for (QTableView* pane : { grid->frozenRowsView(), grid->frozenColumnsView(), grid->frozenCornerView() }) {
        QCOMPARE(pane->font().family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(pane->font().pointSizeF(), 12.0);
        QVERIFY(pane->font().bold());
        QVERIFY(pane->font().italic());
        for (int r : { 0, 1, 30 }) {
            if (!pane->isRowHidden(r))
                QCOMPARE(pane->rowHeight(r), grid->rowHeight(r));
        }
    }
    // The header rows grow with the larger font, and every fixed text still fits.
    QVERIFY(grid->frozenRowsView()->rowHeight(0) > rowHeightBefore);
    QCOMPARE(GuiTest::unfittingFixedCells(grid), QStringList());

    // A later build (the window reopened, as after 家族設定内容の変更) applies name and size only:
    // the frozen cells are regular again.
    grid = main->openTableWindow(TableKind::Form200)->grid();
    QVERIFY(!grid->frozenRowsView()->font().bold());
    QVERIFY(!grid->frozenColumnsView()->font().italic());
    QCOMPARE(grid->frozenCornerView()->font().pointSizeF(), 12.0);
}

void TestSettings::testFontSizeOutsideTheTableRangeReadsAsNine_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("memberTwips");
    QTest::newRow("1e2") << "1e2" << 9.0 << 1080;
    QTest::newRow("5.9") << "5.9" << 9.0 << 1080;
    QTest::newRow("36.5") << "36.5" << 9.0 << 1080;
    QTest::newRow("9pt") << "9pt" << 9.0 << 1080;
    QTest::newRow("6") << "6" << 6.0 << 720;
    QTest::newRow("36") << "36" << 36.0 << 4320;
    QTest::newRow("10.5 with blanks") << " 10.5 " << 10.5 << 1260;
}

void TestSettings::testFontSizeOutsideTheTableRangeReadsAsNine()
{
    QFETCH(QString, stored);
    QFETCH(double, points);
    QFETCH(int, memberTwips);
    m_settings.write(QStringLiteral("Font/FontSize"), stored);
    auto main = startMain();
    writeCouple(globalPlan());
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    QCOMPARE(grid->font().pointSizeF(), points);
    QCOMPARE(grid->frozenRowsView()->font().pointSizeF(), points);
    QCOMPARE(grid->columnWidthTwips(2), memberTwips);
}

void TestSettings::testFontCommandHoldsSizeInTheTableRange_data()
{
    QTest::addColumn<double>("chosen");
    QTest::addColumn<double>("applied");
    QTest::newRow("72 pt") << 72.0 << 36.0;
    QTest::newRow("4 pt") << 4.0 << 6.0;
    QTest::newRow("14 pt") << 14.0 << 14.0;
}

void TestSettings::testFontCommandHoldsSizeInTheTableRange()
{
    // What the font command applies is what the next start reads back.
    QFETCH(double, chosen);
    QFETCH(double, applied);
    auto main = startMain();
    writeCouple(globalPlan());
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(chosen);
    FontDialog::setNextFont(font);
    main->toolbarAction(Command::Font)->trigger();
    QCOMPARE(grid->font().pointSizeF(), applied);
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontSize")), QString::number(applied));

    auto next = std::make_unique<frmMain>();
    next->load();
    QCOMPARE(globalState().FONT_SIZE, QString::number(applied).toStdString());
}

void TestSettings::testFontCommandCancelled()
{
    auto main = startMain(true);
    LifeCycleGrid* grid = main->demoWindow()->grid();
    const QFont before = grid->font();
    FontDialog::setNextFont(std::nullopt);
    main->action(Command::Font)->trigger();
    QCOMPARE(grid->font(), before);
    QCOMPARE(grid->columnWidthTwips(2), 1080);
    QCOMPARE(globalState().FONT_SIZE, std::string("9"));
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontName")), QString());
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontSize")), QString());
}

void TestSettings::testFontDialogStartsOnDrawnFace()
{
    // The stored face is a substitution name; the dialog must start on the face the table is
    // drawn with, so that OK without a change keeps the table's look.
    auto main = startMain(true);
    const QString drawn = QFontInfo(main->demoWindow()->grid()->font()).family();
    QVERIFY(QFontDatabase::families().contains(drawn));
    QVERIFY(drawn != QStringLiteral("ＭＳ Ｐゴシック"));

    QFont shown;
    onModal([&shown](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFontDialog*>(modal))
            shown = dialog->currentFont();
        modal->close();
    });
    main->action(Command::Font)->trigger();
    QCOMPARE(shown.family(), drawn);
    QCOMPARE(shown.pointSizeF(), 9.0);
    // Closed without OK: nothing changes.
    QCOMPARE(globalState().FONT_NAME, std::string("ＭＳ Ｐゴシック"));
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontName")), QString());

    // A listed face, size and style pass through unchanged.
    QFont listed(drawn);
    listed.setPointSizeF(12);
    listed.setBold(true);
    listed.setItalic(true);
    QCOMPARE(FontDialog::listedFont(listed), listed);
}

void TestSettings::testFontWithNothingOpenIsUsedByNextTable()
{
    auto main = startMain();
    QVERIFY(main->isCommandEnabled(Command::Font));
    QFont chosen(QStringLiteral("IPAGothic"));
    chosen.setPointSizeF(11);
    chosen.setBold(true);
    FontDialog::setNextFont(chosen);
    main->action(Command::Font)->trigger();
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontSize")), QStringLiteral("11"));
    QCOMPARE(m_settings.read(QStringLiteral("Font/FontBold")), QStringLiteral("True"));

    writeCouple(globalPlan());
    LifeCycleGrid* grid = main->openTableWindow(TableKind::Form200)->grid();
    QCOMPARE(grid->font().family(), QStringLiteral("IPAGothic"));
    QCOMPARE(grid->font().pointSizeF(), 11.0);
    QVERIFY(!grid->font().bold());
    QCOMPARE(grid->columnWidthTwips(2), 1320);
    QCOMPARE(grid->columnWidthTwips(0), 660);
}

void TestSettings::testJapaneseFontSubstitution_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("full-width name") << "ＭＳ Ｐゴシック";
    QTest::newRow("Latin name") << "MS PGothic";
    QTest::newRow("fixed-pitch") << "ＭＳ ゴシック";
}

void TestSettings::testJapaneseFontSubstitution()
{
    QFETCH(QString, family);
    const QStringList substitutes = QFont::substitutes(family);
    QVERIFY(!substitutes.isEmpty());
    bool installed = false;
    for (const QString& name : substitutes)
        installed = installed || QFontDatabase::hasFamily(name);
    QVERIFY2(installed, qPrintable(substitutes.join(QStringLiteral(", "))));

    // Japanese text has glyphs in the font the table ends up with: no boxes.
    QFont font(family);
    font.setPointSize(9);
    const QFontMetrics metrics(font);
    for (const QChar ch : QStringLiteral("西暦和暦夫妻長女歳金婚式ｵｰﾌﾟﾆﾝｸﾞ"))
        QVERIFY2(metrics.inFont(ch), qPrintable(QString(ch)));
}

QTEST_MAIN(TestSettings)
#include "TestSettings.moc"
