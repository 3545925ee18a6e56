// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/Clock.h"
#include "gui/wizard/Form23.h"
#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace harukaze;

class TestEraDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { setCurrentYearOverride(2026); }
    void cleanupTestCase() { setCurrentYearOverride(std::nullopt); }

    void testOpensOnShowaWithCurrentEraYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("eraYear");
        QTest::addColumn<int>("shown");
        // The year text is the current era's year; Label4 is 昭和 of it (1925 + era year).
        QTest::newRow("reiwa 8") << 2026 << QStringLiteral("08") << 1933;
        QTest::newRow("reiwa 1") << 2019 << QStringLiteral("01") << 1926;
        QTest::newRow("heisei 12") << 2000 << QStringLiteral("12") << 1937;
        QTest::newRow("heisei 30") << 2018 << QStringLiteral("30") << 1955;
    }
    void testOpensOnShowaWithCurrentEraYear()
    {
        QFETCH(int, year);
        QFETCH(QString, eraYear);
        QFETCH(int, shown);
        setCurrentYearOverride(year);
        Form23 dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("和暦→西暦変換"));
        auto* combo = child<QComboBox*>(&dialog, "Combo1");
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->itemText(0), QStringLiteral("明治"));
        QCOMPARE(combo->itemText(4), QStringLiteral("令和"));
        QCOMPARE(combo->currentText(), QStringLiteral("昭和"));
        auto* text = child<QLineEdit*>(&dialog, "Text1");
        QCOMPARE(text->text(), eraYear);
        // Selected, so the first digit typed replaces it.
        QCOMPARE(text->selectedText(), eraYear);
        // What is shown is what "挿入" inserts.
        QCOMPARE(child<QLabel*>(&dialog, "Label4")->text(), QString::number(shown));
        // The dialog's controls, its two buttons included, sit in one frame.
        auto* frame = child<QGroupBox*>(&dialog, "Frame1");
        for (const char* name : { "Label1", "Combo1", "Text1", "Label3", "Label2", "Label4", "Command2", "Command1" })
            QVERIFY2(frame->isAncestorOf(child<QWidget*>(&dialog, name)), name);
    }

    void testTypingReplacesTheOpeningYear()
    {
        // Straight after opening, typing "39" reads 昭和39 and shows and inserts 1964.
        QLineEdit field(QStringLiteral("2000"));
        QString shownBeforeInsert;
        bool typedIntoYear = false;
        onModal([&shownBeforeInsert, &typedIntoYear](QWidget* modal) {
            auto* text = child<QLineEdit*>(modal, "Text1");
            // The opening year is selected, so what is typed replaces it (focus is weak off-screen).
            typedIntoYear = !text->text().isEmpty() && text->selectedText() == text->text();
            QTest::keyClicks(text, QStringLiteral("39"));
            shownBeforeInsert = child<QLabel*>(modal, "Label4")->text();
            QTest::keyClick(text, Qt::Key_Return);
        });
        ERA_INPUT(&field, nullptr);
        QVERIFY(typedIntoYear);
        QCOMPARE(shownBeforeInsert, QStringLiteral("1964"));
        QCOMPARE(field.text(), QStringLiteral("1964"));
    }

    void testConversions_data()
    {
        QTest::addColumn<int>("era");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("western");
        QTest::newRow("showa 39") << 2 << QStringLiteral("39") << 1964;
        QTest::newRow("reiwa 1") << 4 << QStringLiteral("1") << 2019;
        QTest::newRow("meiji 1") << 0 << QStringLiteral("1") << 1868;
        QTest::newRow("taisho 20") << 1 << QStringLiteral("20") << 1931;
        QTest::newRow("showa 64") << 2 << QStringLiteral("64") << 1989;
        QTest::newRow("heisei 1") << 3 << QStringLiteral("01") << 1989;
        QTest::newRow("heisei empty") << 3 << QString() << 1988;
    }
    void testConversions()
    {
        QFETCH(int, era);
        QFETCH(QString, typed);
        QFETCH(int, western);
        QLineEdit field(QStringLiteral("1950"));
        onModal([era, typed, western](QWidget* modal) {
            child<QComboBox*>(modal, "Combo1")->setCurrentIndex(era);
            auto* text = child<QLineEdit*>(modal, "Text1");
            text->clear();
            QTest::keyClicks(text, typed);
            QCOMPARE(modal->findChild<QLabel*>(QStringLiteral("Label4"))->text(), QString::number(western));
            QTest::mouseClick(child<QPushButton*>(modal, "Command2"), Qt::LeftButton);
        });
        ERA_INPUT(&field, nullptr);
        QCOMPARE(field.text(), QString::number(western));
    }

    void testInsertAtOnceGivesWhatIsShown()
    {
        // 2026 is 令和8: the dialog opens on 昭和08, 1925 + 8 = 1933.
        QLineEdit field(QStringLiteral("1964"));
        onModal([](QWidget* modal) { QTest::mouseClick(child<QPushButton*>(modal, "Command2"), Qt::LeftButton); });
        ERA_INPUT(&field, nullptr);
        QCOMPARE(field.text(), QStringLiteral("1933"));
    }

    void testEraYearTakesDigitsOnly()
    {
        Form23 dialog;
        auto* text = child<QLineEdit*>(&dialog, "Text1");
        text->clear();
        QTest::keyClicks(text, QStringLiteral("a3x9-7"));
        QCOMPARE(text->text(), QStringLiteral("39"));
        QCOMPARE(text->maxLength(), 2);
    }

    void testCancelLeavesWholeNumber_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("year") << QStringLiteral("1964") << QStringLiteral("1964");
        QTest::newRow("trailing letters") << QStringLiteral("12ab") << QStringLiteral("12");
        QTest::newRow("letters only") << QStringLiteral("abc") << QStringLiteral("0");
        QTest::newRow("empty") << QString() << QStringLiteral("0");
    }
    void testCancelLeavesWholeNumber()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        // An earlier insertion into another field must not leak into this one.
        QLineEdit other;
        onModal([](QWidget* modal) { QTest::mouseClick(child<QPushButton*>(modal, "Command2"), Qt::LeftButton); });
        ERA_INPUT(&other, nullptr);
        QCOMPARE(other.text(), QStringLiteral("1933"));

        QLineEdit field(before);
        onModal([](QWidget* modal) { QTest::mouseClick(child<QPushButton*>(modal, "Command1"), Qt::LeftButton); });
        ERA_INPUT(&field, nullptr);
        QCOMPARE(field.text(), after);
    }
};

QTEST_MAIN(TestEraDialog)
#include "TestEraDialog.moc"
