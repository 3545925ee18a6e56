// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/FamilyPlan.h"
#include "core/table/Clock.h"
#include "gui/common/MessageBox.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/wizard/ChildrenGrid.h"
#include "gui/wizard/Form22.h"
#include "gui/wizard/Form23.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace harukaze;

namespace {

QString text(QWidget* dialog, const char* box)
{
    return child<QLineEdit*>(dialog, box)->text();
}

// Kindergarten entry to employment, the boxes early birth moves.
const char* const SCHOOL_BOXES[] = { "Text1", "Text2", "Text3", "Text6", "Text12", "Text4", "Text13" };

} // namespace

class TestChildDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        setCurrentYearOverride(2026);
        MessageBox::clearLast();
        FamilyPlan plan;
        plan.ST1_CHILDREN_NOW = 3;
        m_grid.reset(new ChildrenGrid);
        m_grid->load(plan, false);
    }
    void cleanup() { m_grid.reset(); }

    void testOpensFromColumn()
    {
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 3);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("子供のライフイベント"));
        QCOMPARE(child<QLabel*>(&dialog, "Label23")->text(), QStringLiteral("第3子の設定内容"));
        QCOMPARE(child<QComboBox*>(&dialog, "Combo1")->currentText(), QStringLiteral("女性"));
        QCOMPARE(child<QComboBox*>(&dialog, "Combo2")->currentText(), QStringLiteral("次女"));
        QCOMPARE(child<QComboBox*>(&dialog, "Combo2")->count(), 20);
        QCOMPARE(text(&dialog, "Text11"), QStringLiteral("1995"));
        QVERIFY(!child<QCheckBox*>(&dialog, "Check1")->isChecked());
        QCOMPARE(text(&dialog, "Text6"), QStringLiteral("15"));
        QCOMPARE(text(&dialog, "Text12"), QStringLiteral("18"));
        QCOMPARE(text(&dialog, "Text5"), QStringLiteral("32"));
        QCOMPARE(child<QLabel*>(&dialog, "Label30")->text(), QStringLiteral("3"));
        QCOMPARE(child<QLineEdit*>(&dialog, "Text1")->maxLength(), 1);
        QCOMPARE(child<QLineEdit*>(&dialog, "Text11")->maxLength(), 4);
        // Reopening the dialog writes back exactly what it read.
        QCOMPARE(dialog.values(), m_grid->columnValues(3));
    }

    void testUnknownLabelLeavesCombosUnselected()
    {
        m_grid->setText(1, 2, QStringLiteral("孫"));
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 2);
        QCOMPARE(child<QComboBox*>(&dialog, "Combo1")->currentIndex(), -1);
        QCOMPARE(child<QComboBox*>(&dialog, "Combo2")->currentIndex(), -1);
        QCOMPARE(text(&dialog, "Text7"), QStringLiteral("28"));
        QCOMPARE(dialog.values().at(0), QString());
    }

    void testSexChangeSetsStatistics()
    {
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 3);
        auto* sex = child<QComboBox*>(&dialog, "Combo1");
        auto* label = child<QComboBox*>(&dialog, "Combo2");
        sex->setCurrentIndex(0);
        QCOMPARE(label->currentText(), QStringLiteral("長男"));
        QCOMPARE(text(&dialog, "Text7"), QStringLiteral("28"));
        QCOMPARE(text(&dialog, "Text8"), QStringLiteral("30"));
        QCOMPARE(text(&dialog, "Text9"), QStringLiteral("33"));
        QCOMPARE(text(&dialog, "Text5"), QStringLiteral("41"));
        sex->setCurrentIndex(1);
        QCOMPARE(label->currentText(), QStringLiteral("長女"));
        QCOMPARE(text(&dialog, "Text7"), QStringLiteral("26"));
        QCOMPARE(text(&dialog, "Text8"), QStringLiteral("28"));
        QCOMPARE(text(&dialog, "Text9"), QStringLiteral("31"));
        QCOMPARE(text(&dialog, "Text5"), QStringLiteral("32"));
    }

    void testUpdateWritesEarlyBirthAndMovesSchoolAges()
    {
        onModal([](QWidget* modal) {
            child<QCheckBox*>(modal, "Check1")->setChecked(true);
            child<QLineEdit*>(modal, "Text10")->setText(QStringLiteral("65"));
            QTest::mouseClick(child<QPushButton*>(modal, "Command3"), Qt::LeftButton);
        });
        QVERIFY(Form22::edit(m_grid.get(), 2, nullptr));
        QCOMPARE(m_grid->text(3, 2), QStringLiteral("早生"));
        const QStringList expected = { QStringLiteral("長男"),
            QStringLiteral("1995"),
            QStringLiteral("早生"),
            QStringLiteral("3"),
            QStringLiteral("5"),
            QStringLiteral("11"),
            QStringLiteral("14"),
            QStringLiteral("17"),
            QStringLiteral("19"),
            QStringLiteral("21"),
            QStringLiteral("28"),
            QStringLiteral("30"),
            QStringLiteral("33"),
            QStringLiteral("41"),
            QStringLiteral("65") };
        QCOMPARE(m_grid->columnValues(2), expected);
        QVERIFY(m_grid->item(4, 2)->textAlignment() & Qt::AlignHCenter);
    }

    void testEarlyBirthMovesOnceAndUndoes()
    {
        m_grid->setText(8, 1, QStringLiteral("0")); // no university
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 1);
        auto* early = child<QCheckBox*>(&dialog, "Check1");
        QStringList before;
        for (const char* box : SCHOOL_BOXES)
            before.append(text(&dialog, box));

        early->setChecked(true);
        QCOMPARE(text(&dialog, "Text1"), QStringLiteral("3"));
        QCOMPARE(text(&dialog, "Text13"), QStringLiteral("21"));
        QCOMPARE(text(&dialog, "Text12"), QStringLiteral("0"));
        QCOMPARE(text(&dialog, "Text7"), QStringLiteral("26"));

        early->setChecked(false);
        QStringList after;
        for (const char* box : SCHOOL_BOXES)
            after.append(text(&dialog, box));
        QCOMPARE(after, before);
        early->setChecked(true);
        early->setChecked(false);
        early->setChecked(true);
        QCOMPARE(text(&dialog, "Text2"), QStringLiteral("5"));
    }

    void testClearingEarlyBirthMovesUp()
    {
        m_grid->setText(3, 1, QStringLiteral("早生"));
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 1);
        auto* early = child<QCheckBox*>(&dialog, "Check1");
        QVERIFY(early->isChecked());
        early->setChecked(false);
        QCOMPARE(text(&dialog, "Text2"), QStringLiteral("7"));
        QCOMPARE(text(&dialog, "Text4"), QStringLiteral("21"));
        QCOMPARE(dialog.values().at(2), QStringLiteral("普通"));
        early->setChecked(true);
        QCOMPARE(text(&dialog, "Text2"), QStringLiteral("6"));
    }

    void testCancelWritesNothing()
    {
        const QStringList before = m_grid->columnValues(1);
        onModal([](QWidget* modal) {
            child<QComboBox*>(modal, "Combo1")->setCurrentIndex(0);
            child<QLineEdit*>(modal, "Text11")->setText(QStringLiteral("2001"));
            QTest::mouseClick(child<QPushButton*>(modal, "Command1"), Qt::LeftButton);
        });
        QVERIFY(!Form22::edit(m_grid.get(), 1, nullptr));
        QCOMPARE(m_grid->columnValues(1), before);
        QCOMPARE(m_grid->columnCount(), 4);
    }

    void testEmptyBoxIsRefused()
    {
        const QStringList before = m_grid->columnValues(2);
        bool stillOpen = false;
        onModal([&stillOpen](QWidget* modal) {
            child<QLineEdit*>(modal, "Text3")->clear();
            MessageBox::setNextAnswer(QMessageBox::Ok);
            QTest::mouseClick(child<QPushButton*>(modal, "Command3"), Qt::LeftButton);
            stillOpen = QApplication::activeModalWidget() == modal;
            QTest::mouseClick(child<QPushButton*>(modal, "Command1"), Qt::LeftButton);
        });
        QVERIFY(!Form22::edit(m_grid.get(), 2, nullptr));
        QVERIFY(stillOpen);
        QVERIFY(MessageBox::lastText().contains(QStringLiteral("数値を入力してください。")));
        QVERIFY(MessageBox::lastText().contains(QStringLiteral("中学校入学")));
        QCOMPARE(m_grid->columnValues(2), before);
    }

    void testReturnInABoxUpdates()
    {
        // Return after typing an age is "更新", not the era button beside the birth year.
        bool eraOpened = false;
        onModal([&eraOpened](QWidget* modal) {
            whenModal<Form23>([](Form23* era) { era->reject(); }, &eraOpened, 5);
            auto* box = child<QLineEdit*>(modal, "Text10");
            box->setText(QStringLiteral("65"));
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            if (QApplication::activeModalWidget() == modal)
                child<QPushButton*>(modal, "Command1")->click();
        });
        const bool updated = Form22::edit(m_grid.get(), 2, nullptr);
        // Let the era watcher run out, so it cannot answer a later test's dialog.
        QTest::qWait(100);
        QVERIFY(updated);
        QVERIFY(!eraOpened);
        QCOMPARE(m_grid->text(15, 2), QStringLiteral("65"));
    }

    void testReturnAfterAnyButtonUpdates_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("和暦入力") << QStringLiteral("Command2");
        QTest::newRow("ｷｬﾝｾﾙ") << QStringLiteral("Command1");
        QTest::newRow("ヘルプ") << QStringLiteral("Command4");
    }
    void testReturnAfterAnyButtonUpdates()
    {
        // The focus stays on a button after it was used (和暦入力 above all); Return is still 更新.
        QFETCH(QString, button);
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 2);
        dialog.show();
        child<QLineEdit*>(&dialog, "Text10")->setText(QStringLiteral("65"));
        auto* focused = child<QPushButton*>(&dialog, qPrintable(button));
        focused->setFocus();
        bool modalOpened = false;
        GuiTest::closeModalOnNextPass(&modalOpened);
        QTest::keyClick(focused, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY2(!modalOpened, "Return opened a dialog instead of pressing 更新");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(m_grid->text(15, 2), QStringLiteral("65"));
    }

    void testLongAndNegativeValuesKeptWhole()
    {
        // A grid column as a plan file may bring it: values longer than a box's typed length,
        // and negative ones. The dialog shows them whole and 更新 writes them back unchanged.
        m_grid->setText(ChildrenGrid::ROW_BIRTH_YEAR, 2, QStringLiteral("-32768"));
        m_grid->setText(4, 2, QStringLiteral("-5")); // kindergarten, typed with one digit
        m_grid->setText(6, 2, QStringLiteral("32767"));
        m_grid->setText(15, 2, QStringLiteral("100"));
        const QStringList before = m_grid->columnValues(2);
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 2);
        QCOMPARE(text(&dialog, "Text11"), QStringLiteral("-32768"));
        QCOMPARE(text(&dialog, "Text1"), QStringLiteral("-5"));
        QCOMPARE(text(&dialog, "Text3"), QStringLiteral("32767"));
        QCOMPARE(text(&dialog, "Text10"), QStringLiteral("100"));
        for (const QLineEdit* box : dialog.findChildren<QLineEdit*>())
            QVERIFY2(GuiTest::fitsLineEdit(box, QStringLiteral("-32768")), qPrintable(box->objectName()));
        dialog.show();
        QTest::mouseClick(child<QPushButton*>(&dialog, "Command3"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_grid->columnValues(2), before);
    }

    void testTypingTakesDigitsOnly()
    {
        Form22 dialog;
        dialog.loadColumn(m_grid.get(), 1);
        // A fresh value: digits only, as many as the box takes.
        auto* junior = child<QLineEdit*>(&dialog, "Text3");
        junior->selectAll();
        QTest::keyClicks(junior, QStringLiteral("-1a23"));
        QCOMPARE(junior->text(), QStringLiteral("12"));
        // A negative value from the record keeps its minus while its digits are edited, but a
        // minus taken away cannot be typed again.
        m_grid->setText(15, 1, QStringLiteral("-5"));
        dialog.loadColumn(m_grid.get(), 1);
        auto* retire = child<QLineEdit*>(&dialog, "Text10");
        retire->end(false);
        QTest::keyClicks(retire, QStringLiteral("3x"));
        QCOMPARE(retire->text(), QStringLiteral("-53"));
        retire->home(false);
        QTest::keyClick(retire, Qt::Key_Delete);
        QCOMPARE(retire->text(), QStringLiteral("53"));
        QTest::keyClicks(retire, QStringLiteral("-"));
        QCOMPARE(retire->text(), QStringLiteral("53"));
    }

    void testHelpShowsTheChildrenTopic()
    {
        Help::setHelpFile(QStringLiteral(HARUKAZE_BIN_DIR "/HARUKAZE.HLP"));
        QString anchor;
        onModal([&anchor](QWidget* modal) {
            QTest::mouseClick(child<QPushButton*>(modal, "Command4"), Qt::LeftButton);
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* viewer = qobject_cast<HelpViewer*>(w); viewer && viewer->isVisible())
                    anchor = viewer->currentAnchor();
            }
            Help::close();
            QTest::mouseClick(child<QPushButton*>(modal, "Command1"), Qt::LeftButton);
        });
        QVERIFY(!Form22::edit(m_grid.get(), 1, nullptr));
        Help::setHelpFile(QString());
        QCOMPARE(anchor, QStringLiteral("topic-70"));
    }

    void testEraButtonFillsBirthYear()
    {
        onModal([](QWidget* modal) {
            onModal([](QWidget* era) {
                child<QComboBox*>(era, "Combo1")->setCurrentIndex(3);
                child<QLineEdit*>(era, "Text1")->setText(QStringLiteral("10"));
                QTest::mouseClick(child<QPushButton*>(era, "Command2"), Qt::LeftButton);
            });
            QTest::mouseClick(child<QPushButton*>(modal, "Command2"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton*>(modal, "Command3"), Qt::LeftButton);
        });
        QVERIFY(Form22::edit(m_grid.get(), 1, nullptr));
        QCOMPARE(m_grid->text(2, 1), QStringLiteral("1998"));
    }

private:
    std::unique_ptr<ChildrenGrid> m_grid;
};

QTEST_MAIN(TestChildDialog)
#include "TestChildDialog.moc"
