// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/FamilyDefaults.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/Clock.h"
#include "core/table/TableBuilder.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanDocument.h"
#include "gui/common/PlanSession.h"
#include "gui/common/ProcessState.h"
#include "gui/help/Help.h"
#include "gui/help/HelpViewer.h"
#include "gui/shell/frmMain.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableWindow.h"
#include "gui/wizard/ChildrenGrid.h"
#include "gui/wizard/SetupWizard.h"
#include "gui/wizard/WizardPage.h"
#include "support/GuiTestSupport.h"
#include "support/WizardDefaults.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidgetItem>
#include <QTest>

using namespace harukaze;
using WizardTest::defaultRecord;

class TestWizard : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        setCurrentYearOverride(2026);
        MessageBox::clearLast();
        m_wizard.reset(new SetupWizard(nullptr));
        m_wizard->start();
    }
    void cleanup()
    {
        m_wizard.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void testDefaultPathGivesDefaultRecord()
    {
        QSignalSpy finished(m_wizard.get(), &SetupWizard::finished);
        const QStringList pages = { QStringLiteral("Form18"),
            QStringLiteral("Form19"),
            QStringLiteral("Form20"),
            QStringLiteral("Form191"),
            QStringLiteral("Form192"),
            QStringLiteral("Form21") };
        const QStringList captions = { QStringLiteral("ハルカゼ設定（１／６）"),
            QStringLiteral("ハルカゼ設定（２／６）"),
            QStringLiteral("ハルカゼ設定（３／６）"),
            QStringLiteral("ハルカゼ設定（４／６）"),
            QStringLiteral("ハルカゼ設定（５／６）"),
            QStringLiteral("ハルカゼ設定（６／６）") };
        const int helpTopics[] = { 90, 103, 70, 91, 61, 96 };
        for (int i = 0; i < pages.size(); ++i) {
            QWidget* current = page();
            QCOMPARE(qobject_cast<WizardPage*>(current)->helpTopic(), helpTopics[i]);
            QCOMPARE(current->objectName(), pages.at(i));
            QCOMPARE(current->windowTitle(), captions.at(i));
            QVERIFY(current->isVisible());
            QCOMPARE(current->pos(), QPoint(0, 0));
            QCOMPARE(button("Command3")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
            QCOMPARE(button("Command2")->text(), QStringLiteral("ヘルプ"));
            QCOMPARE(button("Command4")->text(), i == 0 ? QStringLiteral("標準に戻す") : QStringLiteral("<　戻る"));
            QCOMPARE(button("Command1")->text(), i == 5 ? QStringLiteral("完了") : QStringLiteral("次へ　>"));
            QCOMPARE(finished.count(), 0);
            QCOMPARE(visiblePages(), 1);
            click("Command1");
        }
        QCOMPARE(finished.count(), 1);
        QVERIFY(!m_wizard->currentPage());
        QCOMPARE(visiblePages(), 0);
        const FamilyPlan expected = defaultRecord();
        QCOMPARE(wizardPlan().ST3_MTX1, expected.ST3_MTX1);
        QCOMPARE(wizardPlan().ST3_MTX2, expected.ST3_MTX2);
        for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
            QCOMPARE(int(wizardPlan().st1(slot)), int(expected.st1(slot)));
        for (CoupleSection s : COUPLE_SECTIONS) {
            for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot) {
                QVERIFY2(wizardPlan().couple(s, slot) == expected.couple(s, slot),
                    qPrintable(QStringLiteral("ST%1 field %2").arg(sectionNumber(s)).arg(slot)));
            }
        }
        QVERIFY(wizardPlan() == expected);
    }

    void testHelpButtonsAskForTheirTopics()
    {
        Help::setHelpFile(QStringLiteral(HARUKAZE_BIN_DIR "/HARUKAZE.HLP"));
        const int topics[] = { 90, 103, 70, 91, 61, 96 };
        for (int topic : topics) {
            click("Command2");
            HelpViewer* viewer = shownHelpViewer();
            QVERIFY2(viewer, qPrintable(page()->objectName()));
            QCOMPARE(viewer->currentAnchor(), QStringLiteral("topic-%1").arg(topic));
            QCOMPARE(MessageBox::count(), 0);
            Help::close();
            QTRY_VERIFY(!shownHelpViewer());
            click("Command1");
        }
        QVERIFY(!m_wizard->currentPage());
        Help::setHelpFile(QString());
    }

    void testNavigation_data()
    {
        QTest::addColumn<QList<bool>>("members"); // Check1..Check5
        QTest::addColumn<QStringList>("forward");
        QTest::addColumn<QStringList>("backward");
        auto pages = [](const char* list) { return QString::fromLatin1(list).split(QLatin1Char(' ')); };
        QTest::newRow("everyone") << QList<bool> { true, true, true, true, true }
                                  << pages("Form18 Form19 Form20 Form191 Form192 Form21")
                                  << pages("Form192 Form191 Form20 Form19 Form18");
        QTest::newRow("couple only") << QList<bool> { true, true, false, false, false } << pages("Form18 Form19 Form21")
                                     << pages("Form19 Form18");
        QTest::newRow("no children") << QList<bool> { true, true, false, true, true }
                                     << pages("Form18 Form19 Form191 Form192 Form21")
                                     << pages("Form192 Form191 Form19 Form18");
        QTest::newRow("husband and his parents")
            << QList<bool> { true, false, false, true, false } << pages("Form18 Form19 Form191 Form192 Form21")
            << pages("Form192 Form191 Form19 Form18");
        QTest::newRow("wife and her parents")
            << QList<bool> { false, true, false, false, true } << pages("Form18 Form19 Form192 Form21")
            << pages("Form192 Form19 Form18");
        QTest::newRow("only parents") << QList<bool> { false, false, false, true, true }
                                      << pages("Form18 Form20 Form191 Form192 Form21")
                                      << pages("Form192 Form191 Form20 Form18");
        QTest::newRow("only children") << QList<bool> { false, false, true, false, false }
                                       << pages("Form18 Form20 Form191 Form192 Form21")
                                       << pages("Form192 Form191 Form20 Form18");
        QTest::newRow("children and couple")
            << QList<bool> { true, true, true, false, false } << pages("Form18 Form19 Form20 Form191 Form192 Form21")
            << pages("Form192 Form191 Form20 Form19 Form18");
    }
    void testNavigation()
    {
        QFETCH(QList<bool>, members);
        QFETCH(QStringList, forward);
        QFETCH(QStringList, backward);
        setMembers(members);
        QStringList seen = { page()->objectName() };
        while (page()->objectName() != QLatin1String("Form21")) {
            click("Command1");
            seen.append(page()->objectName());
            QVERIFY(seen.size() <= 6);
        }
        QCOMPARE(seen, forward);
        seen.clear();
        while (page()->objectName() != QLatin1String("Form18")) {
            click("Command4");
            seen.append(page()->objectName());
            QVERIFY(seen.size() <= 6);
        }
        QCOMPARE(seen, backward);
    }

    void testBackTableForEveryRecordedState()
    {
        using P = SetupWizard::Page;
        // Each page's candidates in the order of the back table, page 1/6 being the last resort.
        const QList<QPair<P, QList<P>>> table = {
            { P::Form19, {} },
            { P::Form20, { P::Form19 } },
            { P::Form191, { P::Form20, P::Form19 } },
            { P::Form192, { P::Form191, P::Form20, P::Form19 } },
            { P::Form21, { P::Form192, P::Form191, P::Form20, P::Form19 } },
        };
        for (int flags = 0; flags < 16; ++flags) {
            FamilyPlan plan;
            plan.ST2_RECORDED = flags & 1 ? 1 : 0;
            plan.ST3_RECORDED = flags & 2 ? 1 : 0;
            plan.ST4_RECORDED = flags & 4 ? 1 : 0;
            plan.ST5_RECORDED = flags & 8 ? 1 : 0;
            auto recorded = [&plan](P page) {
                switch (page) {
                case P::Form19:
                    return plan.ST2_RECORDED == 1;
                case P::Form20:
                    return plan.ST3_RECORDED == 1;
                case P::Form191:
                    return plan.ST4_RECORDED == 1;
                case P::Form192:
                    return plan.ST5_RECORDED == 1;
                default:
                    return false;
                }
            };
            for (const auto& [from, candidates] : table) {
                P expected = P::Form18;
                for (P candidate : candidates) {
                    if (recorded(candidate)) {
                        expected = candidate;
                        break;
                    }
                }
                QVERIFY2(SetupWizard::previousPage(from, plan) == expected,
                    qPrintable(QStringLiteral("from page %1, flags %2").arg(int(from)).arg(flags)));
            }
        }
    }

    void testForwardFromCouplePageClearsSkippedSections()
    {
        using P = SetupWizard::Page;
        for (int parts = 0; parts < 8; ++parts) {
            FamilyPlan plan;
            plan.ST1_CHILDREN = parts & 1 ? 1 : 0;
            plan.ST1_HUSBAND_PARENTS = parts & 2 ? 1 : 0;
            plan.ST1_WIFE_PARENTS = parts & 4 ? 1 : 0;
            plan.ST3_RECORDED = plan.ST4_RECORDED = plan.ST5_RECORDED = 1;
            const P next = SetupWizard::nextPage(P::Form19, plan);
            const QString row = QStringLiteral("parts %1").arg(parts);
            if (parts & 1) {
                QVERIFY2(next == P::Form20, qPrintable(row));
                QCOMPARE(int(plan.ST3_RECORDED), 1);
            } else if (parts & 2) {
                QVERIFY2(next == P::Form191, qPrintable(row));
                QCOMPARE(int(plan.ST3_RECORDED), 0);
                QCOMPARE(int(plan.ST4_RECORDED), 1);
            } else if (parts & 4) {
                QVERIFY2(next == P::Form192, qPrintable(row));
                QCOMPARE(int(plan.ST4_RECORDED), 0);
                QCOMPARE(int(plan.ST5_RECORDED), 1);
            } else {
                QVERIFY2(next == P::Form21, qPrintable(row));
                QCOMPARE(int(plan.ST3_RECORDED + plan.ST4_RECORDED + plan.ST5_RECORDED), 0);
            }
            // The pages after the children page follow one another whatever the family holds.
            QVERIFY(SetupWizard::nextPage(P::Form20, plan) == P::Form191);
            QVERIFY(SetupWizard::nextPage(P::Form191, plan) == P::Form192);
            QVERIFY(SetupWizard::nextPage(P::Form192, plan) == P::Form21);
            QCOMPARE(int(plan.ST2_RECORDED), 0);
        }
    }

    void testHiddenMemberLeavesTheOtherFrameAsItWas()
    {
        click("Command1");
        const QRect wifeWithHusband = child<QGroupBox*>(page(), "Frame3")->geometry();
        const QSize pageWithHusband = page()->size();
        click("Command4");
        setMembers({ false, true, true, true, true });
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form19"));
        QVERIFY(child<QGroupBox*>(page(), "Frame2")->isHidden());
        QCOMPARE(child<QGroupBox*>(page(), "Frame3")->geometry(), wifeWithHusband);
        QCOMPARE(page()->size(), pageWithHusband);
    }

    void testPagesShownForUncheckedPartsHideMembers()
    {
        setMembers({ false, false, true, false, false });
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form20"));
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form191"));
        QCOMPARE(child<QGroupBox*>(page(), "Frame1")->title(), QStringLiteral("夫側両親"));
        QVERIFY(child<QGroupBox*>(page(), "Frame2")->isHidden());
        QVERIFY(child<QGroupBox*>(page(), "Frame3")->isHidden());
        QVERIFY(!child<QGroupBox*>(page(), "Frame6")->isHidden());
        // Hidden members are recorded with the values of their frames all the same.
        click("Command1");
        QCOMPARE(int(wizardPlan().ST4_FATHER_BIRTH_YEAR), 1938);
        QCOMPARE(int(wizardPlan().ST4_MOTHER_LIFESPAN), 84);
    }

    void testSkippedSectionsForgetTheirRecords()
    {
        for (int i = 0; i < 5; ++i)
            click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form21"));
        for (int i = 0; i < 5; ++i)
            click("Command4");
        QCOMPARE(page()->objectName(), QStringLiteral("Form18"));

        // Without children and parents the couple page clears those sections' recorded flags.
        setMembers({ true, true, false, false, false });
        click("Command1");
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form21"));
        QCOMPARE(int(wizardPlan().ST3_RECORDED), 0);
        QCOMPARE(int(wizardPlan().ST4_RECORDED), 0);
        QCOMPARE(int(wizardPlan().ST5_RECORDED), 0);
        click("Command4");
        QCOMPARE(page()->objectName(), QStringLiteral("Form19"));
        click("Command4");

        // Without husband and wife page 1/6 clears the couple's flag, so back leads to page 1/6.
        setMembers({ false, false, false, true, false });
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form20"));
        QCOMPARE(int(wizardPlan().ST2_RECORDED), 0);
        click("Command4");
        QCOMPARE(page()->objectName(), QStringLiteral("Form18"));
    }

    void testChildrenLimit_data()
    {
        QTest::addColumn<QList<bool>>("members");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("future");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("nextPage");
        QTest::newRow("eleven") << QList<bool> { true, true, true, true, true } << QStringLiteral("8")
                                << QStringLiteral("3") << true << QString();
        QTest::newRow("ten") << QList<bool> { true, true, true, true, true } << QStringLiteral("8")
                             << QStringLiteral("2") << false << QStringLiteral("Form19");
        QTest::newRow("eleven without couple") << QList<bool> { false, false, true, true, true } << QStringLiteral("5")
                                               << QStringLiteral("6") << true << QString();
        QTest::newRow("eleven, children unchecked")
            << QList<bool> { true, true, false, true, true } << QStringLiteral("8") << QStringLiteral("3") << false
            << QStringLiteral("Form19");
    }
    void testChildrenLimit()
    {
        QFETCH(QList<bool>, members);
        QFETCH(QString, now);
        QFETCH(QString, future);
        QFETCH(bool, refused);
        QFETCH(QString, nextPage);
        wizardPlan().ST2_RECORDED = 1;
        setMembers(members);
        auto* text1 = child<QLineEdit*>(page(), "Text1");
        auto* text2 = child<QLineEdit*>(page(), "Text2");
        text1->clear();
        text2->clear();
        QTest::keyClicks(text1, now);
        const int total = now.toInt() + future.toInt();
        if (total > 10)
            MessageBox::setNextAnswer(QMessageBox::Ok);
        QTest::keyClicks(text2, future);
        QCOMPARE(child<QLabel*>(page(), "Label3")->text(), QString::number(total));
        if (total > 10)
            QCOMPARE(MessageBox::lastText(), QStringLiteral("子供の数は、１０人まで設定できます。"));
        else
            QCOMPARE(MessageBox::count(), 0);

        MessageBox::clearLast();
        if (refused)
            MessageBox::setNextAnswer(QMessageBox::Ok);
        click("Command1");
        if (refused) {
            QCOMPARE(MessageBox::lastText(), QStringLiteral("子供の数が、１０人以上は設定できません。"));
            QCOMPARE(page()->objectName(), QStringLiteral("Form18"));
            QCOMPARE(int(wizardPlan().ST1_RECORDED), 0);
        } else {
            QCOMPARE(MessageBox::count(), 0);
            QCOMPARE(page()->objectName(), nextPage);
            QCOMPARE(int(wizardPlan().ST1_CHILDREN_NOW), now.toInt());
            QCOMPARE(int(wizardPlan().ST1_CHILDREN_FUTURE), future.toInt());
        }
        // Leaving without husband and wife forgets the couple even when the total is refused.
        QCOMPARE(int(wizardPlan().ST2_RECORDED), members.at(0) || members.at(1) ? 1 : 0);
    }

    void testNoticeStandsOverTheNewTotal()
    {
        auto* text2 = child<QLineEdit*>(page(), "Text2");
        auto* total = child<QLabel*>(page(), "Label3");
        child<QLineEdit*>(page(), "Text1")->setText(QStringLiteral("8"));
        text2->clear();
        QString totalUnderNotice;
        onModal([&totalUnderNotice, total](QWidget* modal) {
            totalUnderNotice = total->text();
            qobject_cast<QDialog*>(modal)->accept();
        });
        QTest::keyClicks(text2, QStringLiteral("12"));
        QCOMPARE(MessageBox::lastText(), QStringLiteral("子供の数は、１０人まで設定できます。"));
        QCOMPARE(totalUnderNotice, QStringLiteral("20"));
        QCOMPARE(total->text(), QStringLiteral("20"));
    }

    void testTooManyChildrenReachTheGridAsTen()
    {
        setMembers({ false, false, false, true, true });
        child<QLineEdit*>(page(), "Text1")->setText(QStringLiteral("8"));
        child<QLineEdit*>(page(), "Text2")->setText(QStringLiteral("5"));
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form20"));
        QCOMPARE(child<ChildrenGrid*>(page(), "MSFlexGrid1")->childCount(), 10);
        click("Command1");
        QCOMPARE(int(wizardPlan().ST3_COUNT), 10);
    }

    void testFamilyRangeControls()
    {
        QWidget* p = page();
        QCOMPARE(child<QLabel*>(p, "Label1")->text().split(QLatin1Char('\n')).size(), 6);
        QVERIFY(child<QLabel*>(p, "Label1")
                    ->text()
                    .startsWith(QStringLiteral("ハルカゼを考えるには、家族のライフイベントを記入したライフサイクル表を"
                                               "作成することからはじめます。\n")));
        QCOMPARE(child<QLineEdit*>(p, "Text1")->maxLength(), 2);
        QCOMPARE(child<QLabel*>(p, "Label3")->text(), QStringLiteral("2"));

        child<QCheckBox*>(p, "Check3")->click();
        QVERIFY(child<QGroupBox*>(p, "Frame2")->isHidden());
        child<QCheckBox*>(p, "Check4")->click();
        QVERIFY(child<QGroupBox*>(p, "Frame3")->isHidden());
        QVERIFY(!child<QCheckBox*>(p, "Check6")->isChecked());
        QVERIFY(!child<QCheckBox*>(p, "Check7")->isChecked());
        child<QCheckBox*>(p, "Check4")->click();
        QVERIFY(child<QCheckBox*>(p, "Check6")->isChecked());
        QVERIFY(child<QCheckBox*>(p, "Check7")->isChecked());

        setMembers({ false, false, false, false, false });
        QVERIFY(!button("Command1")->isEnabled());
        QVERIFY(child<QGroupBox*>(p, "Frame4")->isHidden());
        child<QCheckBox*>(p, "Check5")->click();
        QVERIFY(button("Command1")->isEnabled());

        child<QLineEdit*>(p, "Text1")->setText(QStringLiteral("x"));
        QCOMPARE(child<QLabel*>(p, "Label3")->text(), QStringLiteral("0"));

        click("Command4"); // 標準に戻す
        for (const char* name :
            { "Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7", "Check8", "Check9" })
            QVERIFY(child<QCheckBox*>(p, name)->isChecked());
        for (const char* name : { "Frame2", "Frame3", "Frame4" })
            QVERIFY(!child<QGroupBox*>(p, name)->isHidden());
        QCOMPARE(child<QLineEdit*>(p, "Text1")->text(), QStringLiteral("2"));
        QCOMPARE(child<QLineEdit*>(p, "Text2")->text(), QStringLiteral("0"));
        QCOMPARE(page()->objectName(), QStringLiteral("Form18"));
    }

    void testLifespanOptions_data()
    {
        QTest::addColumn<bool>("manCustom");
        QTest::addColumn<QString>("manText");
        QTest::addColumn<bool>("womanCustom");
        QTest::addColumn<QString>("womanText");
        QTest::addColumn<int>("manLifespan");
        QTest::addColumn<int>("womanLifespan");
        QTest::newRow("both custom") << true << QStringLiteral("90") << true << QStringLiteral("95") << 90 << 95;
        QTest::newRow("custom then statistic")
            << false << QStringLiteral("90") << false << QStringLiteral("70") << 78 << 84;
        QTest::newRow("custom presets") << true << QString() << true << QString() << 78 << 84;
    }
    void testLifespanOptions()
    {
        QFETCH(bool, manCustom);
        QFETCH(QString, manText);
        QFETCH(bool, womanCustom);
        QFETCH(QString, womanText);
        QFETCH(int, manLifespan);
        QFETCH(int, womanLifespan);
        click("Command1");
        QWidget* p = page();
        QCOMPARE(p->objectName(), QStringLiteral("Form19"));
        QVERIFY(child<QRadioButton*>(p, "Option1")->isChecked());
        QVERIFY(child<QLineEdit*>(p, "Text6")->isHidden());
        QVERIFY(child<QLabel*>(p, "Label11")->isHidden());

        child<QRadioButton*>(p, "Option2")->click();
        QVERIFY(!child<QLineEdit*>(p, "Text6")->isHidden());
        QCOMPARE(child<QLineEdit*>(p, "Text6")->text(), QStringLiteral("78"));
        child<QRadioButton*>(p, "Option3")->click();
        QCOMPARE(child<QLineEdit*>(p, "Text7")->text(), QStringLiteral("84"));
        if (!manText.isEmpty())
            child<QLineEdit*>(p, "Text6")->setText(manText);
        if (!womanText.isEmpty())
            child<QLineEdit*>(p, "Text7")->setText(womanText);
        if (!manCustom)
            child<QRadioButton*>(p, "Option1")->click();
        if (!womanCustom)
            child<QRadioButton*>(p, "Option4")->click();
        click("Command1");

        const FamilyPlan& plan = wizardPlan();
        QCOMPARE(int(plan.ST2_HUSBAND_LIFESPAN), manLifespan);
        QCOMPARE(int(plan.ST2_WIFE_LIFESPAN), womanLifespan);
        QCOMPARE(int(plan.ST2_HUSBAND_LIFE_STAT), manCustom ? 0 : 1);
        QCOMPARE(int(plan.ST2_HUSBAND_LIFE_CUSTOM), manCustom ? 1 : 0);
        QCOMPARE(int(plan.ST2_WIFE_LIFE_CUSTOM), womanCustom ? 1 : 0);
        QCOMPARE(int(plan.ST2_WIFE_LIFE_STAT), womanCustom ? 0 : 1);

        // Back on the page the recorded choice and lifespan are shown again.
        click("Command4");
        p = page();
        QCOMPARE(child<QRadioButton*>(p, "Option2")->isChecked(), manCustom);
        QCOMPARE(child<QLineEdit*>(p, "Text6")->isHidden(), !manCustom);
        if (manCustom)
            QCOMPARE(child<QLineEdit*>(p, "Text6")->text(), QString::number(manLifespan));
        QCOMPARE(child<QRadioButton*>(p, "Option3")->isChecked(), womanCustom);
    }

    void testRecordedPagesShowTheRecord()
    {
        child<QLineEdit*>(page(), "Text1")->setText(QStringLiteral("3"));
        child<QCheckBox*>(page(), "Check9")->click();
        click("Command1");
        child<QCheckBox*>(page(), "Check6")->click();
        child<QCheckBox*>(page(), "Check5")->click();
        child<QLineEdit*>(page(), "Text5")->setText(QStringLiteral("1990"));
        click("Command1");
        const FamilyPlan recorded = wizardPlan();
        QCOMPARE(int(recorded.ST2_HUSBAND_RETIRE), 0);
        QCOMPARE(int(recorded.ST2_WIFE_YAKUTOSHI), 0);
        QCOMPARE(int(recorded.ST2_HUSBAND_YAKUTOSHI), 1);
        QCOMPARE(int(recorded.ST2_WIFE_RETIRE), 1);

        click("Command4");
        QCOMPARE(page()->objectName(), QStringLiteral("Form19"));
        QVERIFY(!child<QCheckBox*>(page(), "Check6")->isChecked());
        QVERIFY(!child<QCheckBox*>(page(), "Check5")->isChecked());
        QCOMPARE(child<QLineEdit*>(page(), "Text5")->text(), QStringLiteral("1990"));
        click("Command4");
        QCOMPARE(child<QLineEdit*>(page(), "Text1")->text(), QStringLiteral("3"));
        QVERIFY(!child<QCheckBox*>(page(), "Check9")->isChecked());
        QVERIFY(child<QCheckBox*>(page(), "Check8")->isChecked());

        click("Command1");
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form20"));
        QCOMPARE(child<ChildrenGrid*>(page(), "MSFlexGrid1")->childCount(), 3);
        QVERIFY(wizardPlan() == recorded);
    }

    void testCoupleNeedsNumbers()
    {
        click("Command1");
        child<QLineEdit*>(page(), "Text3")->clear();
        MessageBox::setNextAnswer(QMessageBox::Ok);
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form19"));
        QVERIFY(MessageBox::lastText().contains(QStringLiteral("数値を入力してください。")));
        QVERIFY(MessageBox::lastText().contains(QStringLiteral("生年(西暦)")));
        QCOMPARE(int(wizardPlan().ST2_RECORDED), 0);
        QCOMPARE(child<QLineEdit*>(page(), "Text1")->maxLength(), 4);
        QCOMPARE(child<QLineEdit*>(page(), "Text6")->maxLength(), 3);
    }

    void testEraButtonsOnCouplePage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::newRow("man's birth year") << QStringLiteral("Command5") << QStringLiteral("Text1");
        QTest::newRow("woman's birth year") << QStringLiteral("Command6") << QStringLiteral("Text3");
        QTest::newRow("marriage year") << QStringLiteral("Command7") << QStringLiteral("Text5");
    }
    void testEraButtonsOnCouplePage()
    {
        QFETCH(QString, button);
        QFETCH(QString, box);
        click("Command1");
        onModal([](QWidget* modal) {
            modal->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(2);
            modal->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("39"));
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
        });
        QTest::mouseClick(page()->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(page()->findChild<QLineEdit*>(box)->text(), QStringLiteral("1964"));
    }

    void testCancelKeepsRecordedSections()
    {
        QSignalSpy cancelled(m_wizard.get(), &SetupWizard::cancelled);
        child<QLineEdit*>(page(), "Text2")->setText(QStringLiteral("1"));
        click("Command1");
        click("Command3");
        QCOMPARE(cancelled.count(), 1);
        QVERIFY(!m_wizard->currentPage());
        QCOMPARE(int(wizardPlan().ST1_RECORDED), 1);
        QCOMPARE(int(wizardPlan().ST2_RECORDED), 0);

        m_wizard->start();
        QCOMPARE(child<QLineEdit*>(page(), "Text2")->text(), QStringLiteral("1"));
        // Closing a page by its title bar counts as cancelling the wizard, and the page goes.
        QPointer<QWidget> closed = page();
        QVERIFY(closed->close());
        QCOMPARE(cancelled.count(), 2);
        QVERIFY(!m_wizard->currentPage());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
    }

    void testChildDialogFromChildrenPage()
    {
        click("Command1");
        click("Command1");
        auto* grid = child<ChildrenGrid*>(page(), "MSFlexGrid1");
        onModal([](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("Form22"));
            modal->findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(true);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
        });
        emit grid->childDoubleClicked(2);
        QCOMPARE(grid->text(3, 2), QStringLiteral("早生"));
        click("Command1");
        QCOMPARE(wizardPlan().mtx2(2, MTX2_HAYAUMARE), std::string("早生"));
        QCOMPARE(int(wizardPlan().mtx1(2, MTX1_KINDERGARTEN)), 3);
        QCOMPARE(wizardPlan().mtx2(1, MTX2_HAYAUMARE), std::string("普通"));
    }

    void testRecordedValuesShownAndKeptWhole()
    {
        // A plan file may hold any 16-bit value in any field: shown whole, stored back as it is.
        FamilyPlan& plan = wizardPlan();
        plan.ST1_RECORDED = 1;
        plan.ST1_HUSBAND = 1;
        plan.ST1_WIFE = 1;
        plan.ST1_CHILDREN_NOW = -3;
        plan.ST1_CHILDREN_FUTURE = 100;
        plan.ST2_RECORDED = 1;
        plan.ST2_HUSBAND_BIRTH_YEAR = 1964;
        plan.ST2_HUSBAND_RETIRE_AGE = 100;
        plan.ST2_WIFE_BIRTH_YEAR = -32768;
        plan.ST2_WIFE_RETIRE_AGE = 60;
        plan.ST2_MARRIAGE_YEAR = 32767;
        plan.ST2_HUSBAND_LIFE_CUSTOM = 1;
        plan.ST2_HUSBAND_LIFESPAN = 1000;
        plan.ST2_WIFE_LIFE_STAT = 1;
        plan.ST2_WIFE_LIFESPAN = STAT_LIFESPAN_WOMAN;
        const FamilyPlan recorded = plan;
        m_wizard->start();

        QCOMPARE(child<QLineEdit*>(page(), "Text1")->text(), QStringLiteral("-3"));
        QCOMPARE(child<QLineEdit*>(page(), "Text2")->text(), QStringLiteral("100"));
        for (const QLineEdit* box : page()->findChildren<QLineEdit*>())
            QVERIFY2(GuiTest::fitsLineEdit(box, QStringLiteral("-32768")), qPrintable(box->objectName()));
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form19"));
        const std::pair<const char*, const char*> shown[]
            = { { "Text2", "100" }, { "Text3", "-32768" }, { "Text5", "32767" }, { "Text6", "1000" } };
        for (const auto& [name, text] : shown)
            QCOMPARE(child<QLineEdit*>(page(), name)->text(), QString::fromLatin1(text));
        for (const QLineEdit* box : page()->findChildren<QLineEdit*>())
            QVERIFY2(GuiTest::fitsLineEdit(box, QStringLiteral("-32768")), qPrintable(box->objectName()));
        click("Command1");
        QCOMPARE(page()->objectName(), QStringLiteral("Form21"));
        QCOMPARE(wizardPlan().ST1_CHILDREN_NOW, recorded.ST1_CHILDREN_NOW);
        QCOMPARE(wizardPlan().ST1_CHILDREN_FUTURE, recorded.ST1_CHILDREN_FUTURE);
        for (int slot = COUPLE_MAN_BIRTH_YEAR; slot <= COUPLE_WOMAN_LIFESPAN; ++slot)
            QCOMPARE(wizardPlan().couple(CoupleSection::ST2, slot), recorded.couple(CoupleSection::ST2, slot));
    }

    void testReturnPressesTheDefaultButton()
    {
        QSignalSpy finished(m_wizard.get(), &SetupWizard::finished);
        // Return wherever the focus is: a number box, an era button, the children grid, a check
        // box, Enter of the keypad, the finish page itself.
        QTest::keyClick(child<QLineEdit*>(page(), "Text1"), Qt::Key_Return);
        QCOMPARE(page()->objectName(), QStringLiteral("Form19"));
        bool modalOpened = false;
        GuiTest::closeModalOnNextPass(&modalOpened);
        QTest::keyClick(button("Command5"), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY2(!modalOpened, "Return on the focused era button opened the era dialog");
        QCOMPARE(page()->objectName(), QStringLiteral("Form20"));
        QTest::keyClick(child<ChildrenGrid*>(page(), "MSFlexGrid1"), Qt::Key_Return);
        QCOMPARE(page()->objectName(), QStringLiteral("Form191"));
        QTest::keyClick(child<QCheckBox*>(page(), "Check1"), Qt::Key_Return);
        QCOMPARE(page()->objectName(), QStringLiteral("Form192"));
        QTest::keyClick(child<QLineEdit*>(page(), "Text5"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(page()->objectName(), QStringLiteral("Form21"));
        QCOMPARE(finished.count(), 0);
        QTest::keyClick(button("Command4"), Qt::Key_Return);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!m_wizard->currentPage());
        // Exactly what the mouse gives: every page recorded on the way.
        QVERIFY(wizardPlan() == defaultRecord());
    }

    void testReturnLeavesADisabledNextAlone()
    {
        setMembers({ false, false, false, false, false });
        QVERIFY(!button("Command1")->isEnabled());
        QTest::keyClick(child<QLineEdit*>(page(), "Text1"), Qt::Key_Return);
        QCOMPARE(page()->objectName(), QStringLiteral("Form18"));
        QCOMPARE(int(wizardPlan().ST1_RECORDED), 0);
        // Return with a modifier is no dialog key either.
        setMembers({ true, true, true, true, true });
        QTest::keyClick(child<QLineEdit*>(page(), "Text1"), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(page()->objectName(), QStringLiteral("Form18"));
    }

    void testEscapeCancelsEveryPage_data()
    {
        QTest::addColumn<int>("forward");
        QTest::addColumn<QString>("name");
        const char* pages[] = { "Form18", "Form19", "Form20", "Form191", "Form192", "Form21" };
        for (int i = 0; i < 6; ++i)
            QTest::newRow(pages[i]) << i << QString::fromLatin1(pages[i]);
    }
    void testEscapeCancelsEveryPage()
    {
        QFETCH(int, forward);
        QFETCH(QString, name);
        QSignalSpy cancelled(m_wizard.get(), &SetupWizard::cancelled);
        for (int i = 0; i < forward; ++i)
            click("Command1");
        QCOMPARE(page()->objectName(), name);
        const FamilyPlan recorded = wizardPlan();
        QTest::keyClick(button("Command2"), Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
        QVERIFY(!m_wizard->currentPage());
        QVERIFY(wizardPlan() == recorded);
    }

    void testEditedGridCellKeepsItsKeys()
    {
        click("Command1");
        click("Command1");
        auto* grid = child<ChildrenGrid*>(page(), "MSFlexGrid1");
        // Were a cell edited in place, Return and Esc would belong to its editor, not to the page.
        QTableWidgetItem* cell = grid->item(ChildrenGrid::ROW_ZOKUGARA, 1);
        cell->setFlags(cell->flags() | Qt::ItemIsEditable);
        const QModelIndex index = grid->model()->index(ChildrenGrid::ROW_ZOKUGARA, 1);
        grid->editItem(cell);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
        QVERIFY(editor);
        editor->setText(QStringLiteral("次男"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits the editor's text on its next pass
        QCOMPARE(page()->objectName(), QStringLiteral("Form20"));
        QCOMPARE(grid->text(ChildrenGrid::ROW_ZOKUGARA, 1), QStringLiteral("次男"));
        grid->editItem(cell);
        editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(m_wizard->currentPage());
        QCOMPARE(page()->objectName(), QStringLiteral("Form20"));
        // Outside the editor Return goes on, with the edited cell recorded.
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(page()->objectName(), QStringLiteral("Form191"));
        QCOMPARE(wizardPlan().mtx2(1, MTX2_ZOKUGARA), std::string("次男"));
    }

private:
    /** The plan the wizard's pages fill. */
    FamilyPlan& wizardPlan() { return m_wizard->document().plan(); }
    static HelpViewer* shownHelpViewer()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<HelpViewer*>(w); viewer && viewer->isVisible())
                return viewer;
        }
        return nullptr;
    }
    static int visiblePages()
    {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            count += w->isVisible() && w->objectName().startsWith(QLatin1String("Form")) ? 1 : 0;
        return count;
    }
    QWidget* page() const
    {
        QWidget* current = m_wizard->currentPage();
        if (!current)
            qFatal("the wizard shows no page");
        return current;
    }
    QPushButton* button(const char* name) const { return child<QPushButton*>(page(), name); }
    void click(const char* name) const
    {
        QPushButton* b = button(name);
        QVERIFY2(b->isEnabled(), name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Sets page 1/6's five family part boxes as a user clicks them.
    void setMembers(const QList<bool>& members) const
    {
        const char* names[] = { "Check1", "Check2", "Check3", "Check4", "Check5" };
        for (int i = 0; i < 5; ++i) {
            auto* box = child<QCheckBox*>(page(), names[i]);
            if (box->isChecked() != members.at(i))
                box->click();
        }
    }

    std::unique_ptr<SetupWizard> m_wizard;
};

QTEST_MAIN(TestWizard)
#include "TestWizard.moc"
