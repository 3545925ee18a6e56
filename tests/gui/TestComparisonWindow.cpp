// SPDX-License-Identifier: GPL-3.0-or-later
// プランの比較: the dialog that gathers the plans and the window that sets them side by side.
#include "core/money/PlanComparison.h"
#include "core/plan/PlanFile.h"
#include "export/PrintableCashFlow.h"
#include "gui/common/FileDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/money/PlanComparisonDialog.h"
#include "gui/money/PlanComparisonWindow.h"
#include "gui/shell/frmMain.h"
#include "support/ExportReader.h"
#include "support/GuiTestSupport.h"
#include "support/PlanBuilder.h"

#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace harukaze;

namespace {

// A couple with 1,000万 saved and a 1,500万 house bought in `houseYear`.
FamilyPlan housePlan(int houseYear)
{
    FamilyPlan plan = testplan::PlanBuilder().husband(1980, 65).wife(1982, 60).build();
    plan.money = MoneySettings {};
    plan.money->savingsStart = 10000;
    plan.money->expenses[0] = MoneyEntry { houseYear, 15000, "住宅購入" };
    return plan;
}

QStringList texts(const QListWidget* list)
{
    QStringList result;
    for (int row = 0; row < list->count(); ++row)
        result << list->item(row)->text();
    return result;
}

} // namespace

class TestComparisonWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        GuiTest::setUpProgramEnvironment(2026);
        QVERIFY(m_folder.isValid());
        for (const char* name : { "今買う.HRZ", "5年後.HRZ", "賃貸.HRZ", "10年後.HRZ" })
            QVERIFY(FILE_OUT_D(QFile::encodeName(path(name)).toStdString(), housePlan(2030)));
    }

    void testDialogAddsAndRemovesPlans()
    {
        const QStringList recent { path("今買う.HRZ"), path("5年後.HRZ"), path("賃貸.HRZ"), path("消えた.HRZ") };
        PlanComparisonDialog dialog(path("今買う.HRZ"), recent);
        QListWidget* plans = dialog.planList();
        QListWidget* offered = dialog.recentList();
        QCOMPARE(plans->count(), 1);
        QVERIFY(plans->item(0)->text().startsWith(QStringLiteral("今買う.HRZ")));
        // The recent files first, without the plan shown.
        QCOMPARE(texts(offered), QStringList({ "5年後.HRZ", "賃貸.HRZ", "消えた.HRZ" }));
        auto* ok = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(ok);
        QVERIFY(!ok->button(QDialogButtonBox::Ok)->isEnabled());

        offered->setCurrentRow(0);
        click(&dialog, "addRecentPlan");
        QCOMPARE(texts(offered), QStringList({ "賃貸.HRZ", "消えた.HRZ" }));
        QVERIFY(ok->button(QDialogButtonBox::Ok)->isEnabled());

        FileDialog::setNextFileName(path("10年後.HRZ"));
        click(&dialog, "addPlanFile");
        // A file already in the comparison is not taken twice.
        MessageBox::clearLast();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        FileDialog::setNextFileName(path("10年後.HRZ"));
        click(&dialog, "addPlanFile");
        QCOMPARE(MessageBox::count(), 1);
        QCOMPARE(plans->count(), 3);
        offered->setCurrentRow(0);
        click(&dialog, "addRecentPlan");
        QCOMPARE(plans->count(), 4);
        // Four plans are the most: nothing more can be added.
        QVERIFY(!child<QPushButton*>(&dialog, "addPlanFile")->isEnabled());
        QVERIFY(!child<QPushButton*>(&dialog, "addRecentPlan")->isEnabled());

        plans->setCurrentRow(2);
        click(&dialog, "removePlan");
        QCOMPARE(plans->count(), 3);
        QCOMPARE(dialog.files().size(), size_t(2));
        QCOMPARE(dialog.files()[0].path, path("5年後.HRZ"));
        QCOMPARE(dialog.files()[1].path, path("賃貸.HRZ"));
        QVERIFY(child<QPushButton*>(&dialog, "addPlanFile")->isEnabled());
        QCOMPARE(texts(offered), QStringList({ "消えた.HRZ" }));
        // The plan shown stays.
        plans->setCurrentRow(0);
        QVERIFY(!child<QPushButton*>(&dialog, "removePlan")->isEnabled());
    }

    void testUnreadableFileIsReportedAndNotAdded_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // empty: nothing is written there
        QTest::newRow("missing") << QStringLiteral("ない.HRZ") << QByteArray();
        QTest::newRow("folder") << QStringLiteral("folder.HRZ") << QByteArray("folder");
        QTest::newRow("notAPlan") << QStringLiteral("画像.HRZ") << QByteArray(2 * 1024 * 1024, 'x');
    }

    void testUnreadableFileIsReportedAndNotAdded()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString file = path(name);
        if (bytes == "folder") {
            QVERIFY(QDir().mkpath(file));
        } else if (!bytes.isEmpty()) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(bytes);
        }
        PlanComparisonDialog dialog(QString(), {});
        MessageBox::clearLast();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        FileDialog::setNextFileName(file);
        click(&dialog, "addPlanFile");
        QCOMPARE(MessageBox::count(), 1);
        QVERIFY2(MessageBox::lastText().contains(file), qPrintable(MessageBox::lastText()));
        // The reason is on a line of its own under the path.
        QVERIFY(MessageBox::lastText().split(QLatin1Char('\n')).size() >= 3);
        QCOMPARE(dialog.planList()->count(), 1);
        QVERIFY(dialog.files().empty());
    }

    void testComparesThePlanShownAndFollowsIt()
    {
        // The plan shown buys its house in 2030, the file in 2040.
        GuiTest::TemporarySettings settings;
        const auto main = GuiTest::startMainWindow(settings, false);
        QVERIFY(FILE_OUT_D(QFile::encodeName(path("10年後.HRZ")).toStdString(), housePlan(2040)));
        FileDialog::setNextFileName(path("今買う.HRZ"));
        GuiTest::findAction(main.get(), QStringLiteral("File_Open"))->trigger();
        QAction* compare = GuiTest::findAction(main.get(), QStringLiteral("Compare_MN"));
        QVERIFY(compare->isEnabled());
        whenModal<PlanComparisonDialog>([this](PlanComparisonDialog* dialog) {
            FileDialog::setNextFileName(path("10年後.HRZ"));
            click(dialog, "addPlanFile");
            dialog->accept();
        });
        compare->trigger();
        const PlanComparisonWindow* window = main->comparisonWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("プランの比較 - 今買う.HRZ"));

        const QTableWidget* table = window->indicatorTable();
        QStringList header;
        for (int c = 0; c < table->columnCount(); ++c)
            header << table->horizontalHeaderItem(c)->text();
        QCOMPARE(header, QStringList({ "項目", "今買う.HRZ", "10年後.HRZ", "差" }));
        const QStringList labels { "最小の貯蓄残高",
            "最小の年",
            "初めてマイナスになる年",
            "世帯主65歳の貯蓄残高",
            "世帯主75歳の貯蓄残高",
            "世帯主90歳の貯蓄残高",
            "最終年の貯蓄残高",
            "収入の合計",
            "支出の合計",
            "教育費の合計",
            "介護費の合計" };
        QCOMPARE(table->rowCount(), labels.size());
        for (int r = 0; r < labels.size(); ++r)
            QCOMPARE(table->item(r, 0)->text(), labels[r]);
        // 1,000 - 1,500 = -500 from the purchase on, in red: 2030 against 2040, years have no difference.
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("-500"));
        QCOMPARE(table->item(0, 1)->foreground().color(), negativeMoneyColor());
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("2040"));
        QCOMPARE(table->item(1, 3)->text(), QString());
        // One line per plan, named by its file, and the zero line.
        const QList<QAbstractSeries*> series = window->chartView()->chart()->series();
        QCOMPARE(series.size(), 3);
        QCOMPARE(series[1]->name(), QStringLiteral("10年後.HRZ"));

        // 家計設定: 2,000万 saved instead of 1,000. The lowest is then 2,000 - 1,500 = 500, against
        // the file's -500 a difference of -1,000, in red; in 2035 the file is 1,000 - 500 = +500 over.
        whenModal<MoneySettingsDialog>([](MoneySettingsDialog* dialog) {
            child<QLineEdit*>(dialog, "savingsStartBox")->setText(QStringLiteral("2000"));
            click(dialog, "okButton");
        });
        GuiTest::findAction(main.get(), QStringLiteral("Money_MN"))->trigger();
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("500"));
        QCOMPARE(table->item(0, 3)->text(), QStringLiteral("-1000"));
        QCOMPARE(table->item(0, 3)->foreground().color(), negativeMoneyColor());
        const QTableWidget* years = window->savingsTable();
        QCOMPARE(years->rowCount(), TABLE_YEARS);
        QCOMPARE(years->item(9, 0)->text(), QStringLiteral("2035"));
        QCOMPARE(years->item(9, 3)->text(), QStringLiteral("+500"));

        // The PDF command takes the comparison while its window is active; its button the CSV.
        const QString pdf = path("比較.pdf");
        FileDialog::setNextFileName(pdf);
        GuiTest::findAction(main.get(), QStringLiteral("File_PDF"))->trigger();
        const QString pages = ExportReader::pdfPages(pdf).join(QLatin1Char('\n'));
        QVERIFY2(
            pages.contains(QStringLiteral("プランの比較")) && pages.contains(QStringLiteral("世帯主90歳の貯蓄残高")),
            qPrintable(pages));
        FileDialog::setNextFileName(path("比較.csv"));
        QTest::mouseClick(child<QPushButton*>(window, "comparisonCsv"), Qt::LeftButton);
        QCOMPARE(GuiTest::readFile(path("比較.csv")).toStdString(), planComparisonCsvBytes(window->comparison()));

        // Closing the plan closes its comparison.
        MessageBox::setNextAnswer(QMessageBox::Ok);
        GuiTest::findAction(main.get(), QStringLiteral("File_Close"))->trigger();
        QVERIFY(!main->comparisonWindow());
        QVERIFY(!compare->isEnabled());
    }

private:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
};

QTEST_MAIN(TestComparisonWindow)
#include "TestComparisonWindow.moc"
