// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a plan and its table: データ保存 and 表のCSV形式保存, their dialogs, questions and failures.
#include "core/io/CsvWriter.h"
#include "core/money/CashFlow.h"
#include "core/plan/PlanFile.h"
#include "core/table/Clock.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableCsv.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/common/ProcessState.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "gui/wizard/SetupWizard.h"
#include "support/DocumentTestSupport.h"
#include "support/ExportReader.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <unistd.h>

using namespace harukaze;
using namespace DocumentTest;
using TableKind = frmMain::TableKind;

class TestSaveCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void testSaveRetitlesForm100();
    void testSaveRetitlesForm200();
    void testSaveThenOpenRestoresPlan();
    void testSaveFailureLosesNothing();
    void testCsvEqualsExporter_data();
    void testCsvEqualsExporter();
    void testCsvWithNoTableIsEmpty();
    void testCsvFailureLosesNothing();
    void testCancelledSaveDialogsDoNothing_data();
    void testCancelledSaveDialogsDoNothing();
    void testWriteProtectedPlanIsNotReplaced();
    void testCutMoneySectionWarnsAndSavingAsks();
    void testSaveSuggestsTheNameAndAsksBeforeReplacing();

private:
    std::unique_ptr<frmMain> startMain(bool demo = false) { return GuiTest::startMainWindow(m_settings, demo); }
    QString path(const QString& name) const { return m_files.path() + QLatin1Char('/') + name; }

    GuiTest::TemporarySettings m_settings;
    QTemporaryDir m_files;
};

void TestSaveCommands::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2026);
    QVERIFY(m_files.isValid());
}

void TestSaveCommands::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
    MessageBox::clearLast();
    setCurrentYearOverride(2026);
}

void TestSaveCommands::cleanup()
{
    GuiTest::resetProcessState();
}

void TestSaveCommands::testSaveRetitlesForm100()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    TableWindow* window = main->openTableWindow(TableKind::Form100);
    GuiTest::currentDocument().setFileName(QStringLiteral(""));

    const QString chosen = path(QStringLiteral("new-plan"));
    const QString saved = chosen + QStringLiteral(".HRZ");
    FileDialog::setNextFileName(chosen);
    main->toolbarAction(Command::Save)->trigger();
    QCOMPARE(FileDialog::lastTitle(), QStringLiteral("ファイル名を付けて保存"));
    QVERIFY(FileDialog::lastFilter().startsWith(QStringLiteral("HARUKAZE (*.HRZ")));
    QVERIFY(QFile::exists(saved));
    QCOMPARE(GuiTest::readFile(saved), QByteArray::fromStdString(planFileBytes(globalPlan())));
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ"));
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - ") + saved);
    // The plan now belongs to the file it was saved to.
    QCOMPARE(GuiTest::currentDocument().fileName().toStdString(), saved.toStdString());
    QCOMPARE(MessageBox::count(), 0);

    // Saved, so closing asks nothing; saving over an existing file asks nothing either.
    globalPlan().ST2_WIFE_RETIRE_AGE = 63;
    FileDialog::setNextFileName(saved);
    main->action(Command::Save)->trigger();
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(GuiTest::readFile(saved), QByteArray::fromStdString(planFileBytes(globalPlan())));
    main->closeCommand();
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(GuiTest::isWindowOpen("Form100"), false);
}

void TestSaveCommands::testSaveRetitlesForm200()
{
    auto main = startMain();
    writeFamily(globalPlan());
    GuiTest::currentDocument().setFileName(QStringLiteral("/old/place.HRZ"));
    TableWindow* window = main->openTableWindow(TableKind::Form200);
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));
    const QString target = path(QStringLiteral("copy.hrz"));
    FileDialog::setNextFileName(target);
    main->action(Command::Save)->trigger();
    QVERIFY(QFile::exists(target));
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - ") + target);
    // Only a plan of Form100 gives the main window its plain caption back.
    QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));
    // After "save as", the title and the next question name the file last saved.
    QCOMPARE(GuiTest::currentDocument().fileName().toStdString(), target.toStdString());
}

void TestSaveCommands::testSaveThenOpenRestoresPlan()
{
    auto main = startMain();
    writeFamily(globalPlan());
    const FamilyPlan original = globalPlan();
    main->openTableWindow(TableKind::Form100);
    const QString file = path(QStringLiteral("round-trip.HRZ"));
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    main->closeCommand();
    QVERIFY(!main->tableWindow());

    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QVERIFY(main->tableWindow());
    QCOMPARE(withoutUnusedChildren(globalPlan()), withoutUnusedChildren(original));
    QCOMPARE(globalPlan().ST4_FATHER_BIRTH_YEAR, int16_t(-1));
    QCOMPARE(globalPlan().mtx2(2, MTX2_HAYAUMARE), std::string("早生"));
}

void TestSaveCommands::testSaveFailureLosesNothing()
{
    auto main = startMain();
    writeFamily(globalPlan());
    TableWindow* window = main->openTableWindow(TableKind::Form100);
    main->setWindowTitle(QStringLiteral("ハルカゼ - [新規作成]"));

    // A folder that does not exist, and a name taken by a folder.
    QVERIFY(QDir(m_files.path()).mkpath(QStringLiteral("taken.HRZ")));
    const QStringList targets { path(QStringLiteral("missing/folder/plan.HRZ")), path(QStringLiteral("taken.HRZ")) };
    for (const QString& target : targets) {
        MessageBox::clearLast();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        FileDialog::setNextFileName(target);
        main->action(Command::Save)->trigger();
        QCOMPARE(MessageBox::count(), 1);
        // The mended text and the path, then the system's reason on a line of its own.
        QVERIFY2(MessageBox::lastText().startsWith(
                     QStringLiteral("ファイルを保存できませんでした。\n") + target + QLatin1Char('\n')),
            qPrintable(MessageBox::lastText()));
        QCOMPARE(GuiTest::currentDocument().isSaved(), false);
        QCOMPARE(main->windowTitle(), QStringLiteral("ハルカゼ - [新規作成]"));
        QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
        QVERIFY(!QApplication::overrideCursor());
    }
    QVERIFY(QFileInfo(path(QStringLiteral("taken.HRZ"))).isDir());

    // A read-only folder keeps the plan file that is already in it (only meaningful when not root).
    if (geteuid() != 0) {
        const QString folder = path(QStringLiteral("read-only"));
        QVERIFY(QDir().mkpath(folder));
        const QString existing = folder + QStringLiteral("/kept.HRZ");
        FamilyPlan other;
        QVERIFY(FILE_OUT_D(existing.toStdString(), other));
        const QByteArray before = GuiTest::readFile(existing);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        MessageBox::setNextAnswer(QMessageBox::Ok);
        FileDialog::setNextFileName(existing);
        main->action(Command::Save)->trigger();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(MessageBox::lastText(), QStringLiteral("ファイルを保存できませんでした。\n") + existing);
        QCOMPARE(GuiTest::readFile(existing), before);
        QCOMPARE(GuiTest::currentDocument().isSaved(), false);
    }
}

void TestSaveCommands::testCsvEqualsExporter_data()
{
    QTest::addColumn<bool>("form100");
    QTest::newRow("Form100") << true;
    QTest::newRow("Form200") << false;
}

void TestSaveCommands::testCsvEqualsExporter()
{
    QFETCH(bool, form100);
    auto main = startMain();
    writeFamily(globalPlan());
    globalPlan().ST1_HUSBAND_FATHER = 1;
    globalPlan().ST4_FATHER_BIRTH_YEAR = 1955;
    globalPlan().ST4_FATHER_LIFE_STAT = 1;
    main->openTableWindow(form100 ? TableKind::Form100 : TableKind::Form200);

    const QString chosen = path(QStringLiteral("table"));
    FileDialog::setNextFileName(chosen);
    main->toolbarAction(Command::Csv)->trigger();
    QCOMPARE(FileDialog::lastTitle(), QStringLiteral("表のCSV形式保存"));
    QVERIFY(FileDialog::lastFilter().startsWith(QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV")));
    const QString file = chosen + QStringLiteral(".CSV");

    TableContext context;
    context.y0 = 2026;
    context.appDir = globalState().APP_DIR;
    const TableModel table = buildLifeCycleTable(globalPlan(), context);
    const std::string expected = tableCsvBytes(textMatrixOf(table), table.rowCount(), table.columnCount());
    QCOMPARE(GuiTest::readFile(file), QByteArray::fromStdString(expected));
    QCOMPARE(table.columnCount(), 7);
    QVERIFY(expected.size() > 1000);
    QCOMPARE(MessageBox::count(), 0);
}

void TestSaveCommands::testCsvWithNoTableIsEmpty()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form100);
    GuiTest::currentDocument().setSaved(true);
    main->closeCommand();
    // After Form100 is closed, CSV is still offered and writes an empty file, replacing an old one.
    QVERIFY(main->isCommandEnabled(Command::Csv));
    const QString file = path(QStringLiteral("empty.CSV"));
    {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents\r\n");
    }
    FileDialog::setNextFileName(file);
    main->action(Command::Csv)->trigger();
    QVERIFY(QFile::exists(file));
    QCOMPARE(QFileInfo(file).size(), qint64(0));
    QCOMPARE(MessageBox::count(), 0);
}

void TestSaveCommands::testCsvFailureLosesNothing()
{
    auto main = startMain();
    writeFamily(globalPlan());
    main->openTableWindow(TableKind::Form200);
    const QString target = path(QStringLiteral("nowhere/table.CSV"));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    FileDialog::setNextFileName(target);
    main->action(Command::Csv)->trigger();
    // The mended text and the path, then the system's reason on a line of its own.
    QVERIFY2(MessageBox::lastText().startsWith(
                 QStringLiteral("ファイルを保存できませんでした。\n") + target + QLatin1Char('\n')),
        qPrintable(MessageBox::lastText()));
    QVERIFY(!QFile::exists(target));
    QVERIFY(main->tableWindow());
    QVERIFY(!QApplication::overrideCursor());
}

void TestSaveCommands::testCancelledSaveDialogsDoNothing_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("save") << int(Command::Save);
    QTest::newRow("csv") << int(Command::Csv);
}

void TestSaveCommands::testCancelledSaveDialogsDoNothing()
{
    QFETCH(int, command);
    auto main = startMain();
    writeFamily(globalPlan());
    TableWindow* window = main->openTableWindow(TableKind::Form100);
    const FamilyPlan before = globalPlan();
    const QStringList filesBefore = QDir(m_files.path()).entryList(QDir::Files);
    FileDialog::setNextFileName(QString());
    main->action(static_cast<Command>(command))->trigger();
    QCOMPARE(MessageBox::count(), 0);
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QCOMPARE(globalPlan(), before);
    QCOMPARE(QDir(m_files.path()).entryList(QDir::Files), filesBefore);
}

void TestSaveCommands::testWriteProtectedPlanIsNotReplaced()
{
    auto main = startMain();
    writeFamily(globalPlan());
    const QString target = path(QStringLiteral("protected.HRZ"));
    QVERIFY(FILE_OUT_D(target.toStdString(), FamilyPlan()));
    const QByteArray before = GuiTest::readFile(target);
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    TableWindow* window = main->openTableWindow(TableKind::Form100);

    FileDialog::setNextFileName(target);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    main->action(Command::Save)->trigger();
    QVERIFY2(MessageBox::lastText().startsWith(
                 QStringLiteral("ファイルを保存できませんでした。\n") + target + QLatin1Char('\n')),
        qPrintable(MessageBox::lastText()));
    QCOMPARE(GuiTest::readFile(target), before);
    QCOMPARE(GuiTest::currentDocument().isSaved(), false);
    QCOMPARE(window->windowTitle(), QStringLiteral("ライフサイクル表 - (無題)"));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

void TestSaveCommands::testCutMoneySectionWarnsAndSavingAsks()
{
    auto main = startMain();
    // A later version's section longer than this one reads: 4,200 lines after the header.
    FamilyPlan plan;
    writeFamily(plan);
    std::string bytes = planFileBytes(plan) + std::string(MONEY_SECTION_HEADER) + "\r\n";
    for (int i = 0; i < 4200; ++i)
        bytes += "LATER" + std::to_string(i) + "=1\r\n";
    bytes += std::string(MONEY_SECTION_END) + "\r\n";
    const QString file = path(QStringLiteral("long.HRZ"));
    QVERIFY(FILE_OUT_D(file.toStdString(), FamilyPlan()));
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    MessageBox::setNextAnswer(QMessageBox::Ok);
    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QVERIFY(main->tableWindow());
    QCOMPARE(MessageBox::count(), 1);
    // Lines 4397 .. 4501 of the file (END_MONEY not counted) were never read; of the 4,095 read,
    // 4096 - (header, 31 settings, the eleven 額面 keys and the savings basis, 10 x 5 child lines,
    // END_MONEY, 2 x 25 pension estimate keys, 25 loan keys, 20 rate changes, 20 繰上返済)
    // - 100 entries = 3,786 are kept, the last 309 make room for what the writer may add.
    const QString dropped = QStringLiteral("・ファイルの4397行目から後の105行\n"
                                           "・このバージョンで使わない行（新しい版の設定など）のうち後ろの309行");
    QVERIFY2(
        MessageBox::lastText().startsWith(moneySectionCutWarning(file, dropped)), qPrintable(MessageBox::lastText()));

    // Saving asks first; キャンセル leaves the file as it was.
    MessageBox::clearLast();
    MessageBox::setNextAnswer(QMessageBox::Cancel);
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    QVERIFY(MessageBox::lastText().startsWith(
        QStringLiteral("このプランは、家計設定の一部を読み込まずに開いています。\n") + dropped));
    QCOMPARE(GuiTest::readFile(file), QByteArray::fromStdString(bytes));

    // OK saves what was read, which opens again without a word.
    MessageBox::clearLast();
    MessageBox::setNextAnswer(QMessageBox::Ok);
    FileDialog::setNextFileName(file);
    main->action(Command::Save)->trigger();
    QCOMPARE(MessageBox::count(), 1);
    QCOMPARE(GuiTest::currentDocument().isSaved(), true);
    QVERIFY(GuiTest::readFile(file) != QByteArray::fromStdString(bytes));
    QVERIFY(main->closeCommand());
    MessageBox::clearLast();
    FileDialog::setNextFileName(file);
    main->action(Command::Open)->trigger();
    QVERIFY(main->tableWindow());
    QCOMPARE(MessageBox::count(), 0);
    QVERIFY(PlanSession::instance().moneySectionCut().isEmpty());
}

void TestSaveCommands::testSaveSuggestsTheNameAndAsksBeforeReplacing()
{
    const QString mine = path(QStringLiteral("山田家.HRZ"));
    const QString another = path(QStringLiteral("another.HRZ"));
    FamilyPlan plan;
    writeFamily(plan);
    QVERIFY(FILE_OUT_D(mine.toStdString(), plan));
    QVERIFY(FILE_OUT_D(another.toStdString(), FamilyPlan()));
    const QByteArray anotherBefore = GuiTest::readFile(another);
    auto main = startMain();
    QVERIFY(main->openPlanFile(mine));

    // データ保存 offers the plan's own file and replaces it without a question.
    FileDialog::setNextFileName(mine);
    main->action(Command::Save)->trigger();
    QCOMPARE(FileDialog::lastSuggestion(), mine);
    QCOMPARE(MessageBox::count(), 0);

    // Another plan's name is replaced only when the user says so.
    for (const QMessageBox::StandardButton answer : { QMessageBox::No, QMessageBox::Yes }) {
        MessageBox::setNextAnswer(answer);
        FileDialog::setNextFileName(another);
        main->action(Command::Save)->trigger();
        QCOMPARE(MessageBox::lastText(), QStringLiteral("another.HRZ は既にあります。\n置き換えますか？"));
        QCOMPARE(GuiTest::readFile(another) == anotherBefore, answer == QMessageBox::No);
        QCOMPARE(GuiTest::currentDocument().fileName(), answer == QMessageBox::No ? mine : another);
    }

    // Each export offers the plan's name with its own extension under its own title.
    struct Export
    {
        Command command;
        const char* title;
        const char* suggested;
    };
    const Export exports[] = {
        { Command::Csv, "表のCSV形式保存", "another.CSV" },
        { Command::CashFlowCsv, "キャッシュフロー表のCSV保存", "another.CSV" },
        { Command::Pdf, "PDF形式で保存", "another.pdf" },
        { Command::Xlsx, "Excel形式で保存", "another.xlsx" },
    };
    for (const Export& item : exports) {
        FileDialog::setNextFileName(QString());
        main->action(item.command)->trigger();
        QCOMPARE(FileDialog::lastTitle(), QString::fromUtf8(item.title));
        QCOMPARE(FileDialog::lastSuggestion(), path(QString::fromUtf8(item.suggested)));
    }
}

QTEST_MAIN(TestSaveCommands)
#include "TestSaveCommands.moc"
