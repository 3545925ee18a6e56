// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's table outputs read the table its window holds: the CSV, the PDF's text and the
// workbook's cells equal what harukaze-csv makes of the same plan.
#include "core/plan/PlanFile.h"
#include "core/table/SampleFamily.h"
#include "gui/common/FileDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/shell/frmMain.h"
#include "support/ExportReader.h"
#include "support/GuiTestSupport.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace harukaze;
using namespace ExportReader;
using Command = frmMain::Command;

namespace {

const QString BIN_DIR = QStringLiteral(HARUKAZE_BIN_DIR) + QLatin1Char('/');
const QString PLANS_DIR = QStringLiteral(HARUKAZE_TEST_DATA_DIR) + QStringLiteral("/plans/");

/** The pages' text with the document's name left out (the demo's pages call it "(無題)"). */
QString pagesWithoutName(const QString& pdf, const QString& name)
{
    QString text = pdfPages(pdf).join(QLatin1Char('\f'));
    text.replace(QStringLiteral("(無題)"), QString());
    text.replace(name, QString());
    return words(text).join(QLatin1Char(' '));
}

QStringList cellTexts(const QString& xlsx, const QString& name)
{
    QStringList texts;
    for (const auto& [reference, cell] : XlsxReader(xlsx).cells(1)) {
        QString value = cell.value;
        value.replace(QStringLiteral("(無題)"), QString()).replace(name, QString());
        texts << reference + QLatin1Char('=') + cell.type + QLatin1Char(':') + value;
    }
    return texts;
}

} // namespace

class TestDesktopOutputs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void testOutputsEqualTheCommandLine_data();
    void testOutputsEqualTheCommandLine();

private:
    GuiTest::TemporarySettings m_settings;
    QTemporaryDir m_files;
};

void TestDesktopOutputs::initTestCase()
{
    GuiTest::setUpProgramEnvironment(2026);
    QVERIFY(m_files.isValid());
}

void TestDesktopOutputs::init()
{
    m_settings.clear();
    GuiTest::resetProcessState();
    MessageBox::clearLast();
}

void TestDesktopOutputs::cleanup()
{
    GuiTest::resetProcessState();
}

void TestDesktopOutputs::testOutputsEqualTheCommandLine_data()
{
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QString>("suffix");
    // "" = the opening demo (the sample family); otherwise a plan opened from its file.
    for (const char* suffix : { "pdf", "xlsx" }) {
        QTest::addRow("demo %s", suffix) << QString() << QString::fromLatin1(suffix);
        QTest::addRow("sixteen members %s", suffix)
            << QStringLiteral("ten-children.HRZ") << QString::fromLatin1(suffix);
    }
    QTest::addRow("sixteen members CSV") << QStringLiteral("ten-children.HRZ") << QStringLiteral("CSV");
}

void TestDesktopOutputs::testOutputsEqualTheCommandLine()
{
    QFETCH(QString, plan);
    QFETCH(QString, suffix);
    const bool demo = plan.isEmpty();
    QString planFile = PLANS_DIR + plan;
    if (demo) {
        planFile = m_files.filePath(QStringLiteral("sample.HRZ"));
        FamilyPlan sample;
        REC_CLEAR(sample);
        writeSampleFamily(sample);
        QVERIFY(FILE_OUT_D(planFile.toStdString(), sample));
    }
    auto main = GuiTest::startMainWindow(m_settings, demo);
    if (!demo)
        QVERIFY(main->openPlanFile(planFile));
    // The command line marks nothing; the desktop's marks are switched off to compare the rest.
    GuiTest::findAction(main.get(), QStringLiteral("Attention_Show_MN"))->setChecked(false);

    const QString desktop = m_files.filePath(QStringLiteral("desktop.") + suffix);
    FileDialog::setNextFileName(desktop);
    const Command command = suffix == QLatin1String("pdf") ? Command::Pdf
        : suffix == QLatin1String("xlsx")                  ? Command::Xlsx
                                                           : Command::Csv;
    QVERIFY(main->isCommandEnabled(command));
    main->action(command)->trigger();
    QCOMPARE(MessageBox::count(), 0);

    const QString line = m_files.filePath(QStringLiteral("line.") + suffix);
    const Run made = run(
        BIN_DIR + QStringLiteral("harukaze-csv"), { QStringLiteral("--year"), QStringLiteral("2026"), planFile, line });
    QCOMPARE(made.status, 0);

    if (suffix == QLatin1String("CSV"))
        QCOMPARE(GuiTest::readFile(desktop), GuiTest::readFile(line));
    else if (suffix == QLatin1String("pdf"))
        QCOMPARE(pagesWithoutName(desktop, QFileInfo(planFile).fileName()),
            pagesWithoutName(line, QFileInfo(planFile).fileName()));
    else
        QCOMPARE(cellTexts(desktop, QFileInfo(planFile).fileName()), cellTexts(line, QFileInfo(planFile).fileName()));
}

QTEST_MAIN(TestDesktopOutputs)
#include "TestDesktopOutputs.moc"
