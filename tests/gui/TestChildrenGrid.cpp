// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/FamilyPlan.h"
#include "core/table/Clock.h"
#include "gui/wizard/ChildrenGrid.h"

#include <QSignalSpy>
#include <QTest>

using namespace harukaze;

namespace {

FamilyPlan planWithCounts(int now, int future)
{
    FamilyPlan plan;
    plan.ST1_CHILDREN = 1;
    plan.ST1_CHILDREN_NOW = static_cast<int16_t>(now);
    plan.ST1_CHILDREN_FUTURE = static_cast<int16_t>(future);
    return plan;
}

QStringList daughter(const QString& label, const QString& birth)
{
    return { label,
        birth,
        QStringLiteral("普通"),
        QStringLiteral("4"),
        QStringLiteral("6"),
        QStringLiteral("12"),
        QStringLiteral("15"),
        QStringLiteral("18"),
        QStringLiteral("20"),
        QStringLiteral("22"),
        QStringLiteral("26"),
        QStringLiteral("28"),
        QStringLiteral("31"),
        QStringLiteral("32"),
        QStringLiteral("60") };
}

QStringList son(const QString& label, const QString& birth)
{
    QStringList values = daughter(label, birth);
    values[10] = QStringLiteral("28");
    values[11] = QStringLiteral("30");
    values[12] = QStringLiteral("33");
    values[13] = QStringLiteral("41");
    return values;
}

// A recorded child with values of its own, so that a mix-up with the defaults shows.
void recordChild(FamilyPlan& plan, int child, const char* label, int birth, const char* early)
{
    plan.mtx2(child, MTX2_ZOKUGARA) = label;
    plan.mtx2(child, MTX2_HAYAUMARE) = early;
    plan.mtx1(child, MTX1_BIRTH_YEAR) = static_cast<int16_t>(birth);
    for (int col = MTX1_KINDERGARTEN; col <= MTX1_RETIRE; ++col)
        plan.mtx1(child, col) = static_cast<int16_t>(child * 100 + col);
}

} // namespace

class TestChildrenGrid : public QObject
{
    Q_OBJECT

private slots:
    void init() { setCurrentYearOverride(2026); }
    void cleanupTestCase() { setCurrentYearOverride(std::nullopt); }

    void testLabelsAndHeaders()
    {
        ChildrenGrid grid;
        grid.load(planWithCounts(2, 1), false);
        QCOMPARE(grid.objectName(), QStringLiteral("MSFlexGrid1"));
        QCOMPARE(grid.rowCount(), 16);
        QCOMPARE(grid.columnCount(), 4);
        const QStringList labels = { QStringLiteral("続柄"),
            QStringLiteral("生年"),
            QStringLiteral("早生まれ"),
            QStringLiteral("幼稚園入園"),
            QStringLiteral("小学校入学"),
            QStringLiteral("中学校入学"),
            QStringLiteral("高　校入学"),
            QStringLiteral("大　学入学"),
            QStringLiteral("成人式"),
            QStringLiteral("就　職"),
            QStringLiteral("結　婚"),
            QStringLiteral("第１子誕生"),
            QStringLiteral("第２子誕生"),
            QStringLiteral("厄　年"),
            QStringLiteral("定年退職") };
        for (int row = 1; row <= 15; ++row)
            QCOMPARE(grid.text(row, 0), labels.at(row - 1));
        QCOMPARE(grid.text(0, 1), QStringLiteral("第1子"));
        QCOMPARE(grid.text(0, 3), QStringLiteral("第3子"));
        QVERIFY(grid.item(2, 1)->textAlignment() & Qt::AlignHCenter);
        QVERIFY(grid.item(0, 2)->textAlignment() & Qt::AlignHCenter);
    }

    void testFreshDefaults_data()
    {
        QTest::addColumn<int>("now");
        QTest::addColumn<int>("future");
        QTest::addColumn<QList<QStringList>>("columns");
        QTest::newRow("2 now + 1 future")
            << 2 << 1
            << QList<QStringList> { daughter(QStringLiteral("長女"), QStringLiteral("1995")),
                   son(QStringLiteral("長男"), QStringLiteral("1995")),
                   daughter(QStringLiteral("次女"), QStringLiteral("2000")) };
        QTest::newRow("future only") << 0 << 2
                                     << QList<QStringList> { daughter(QStringLiteral("長女"), QStringLiteral("2029")),
                                            son(QStringLiteral("長男"), QStringLiteral("2029")) };
        QTest::newRow("now only") << 3 << 0
                                  << QList<QStringList> { daughter(QStringLiteral("長女"), QStringLiteral("1995")),
                                         son(QStringLiteral("長男"), QStringLiteral("1995")),
                                         daughter(QStringLiteral("次女"), QStringLiteral("1995")) };
        QTest::newRow("none") << 0 << 0 << QList<QStringList> {};
    }
    void testFreshDefaults()
    {
        QFETCH(int, now);
        QFETCH(int, future);
        QFETCH(QList<QStringList>, columns);
        ChildrenGrid grid;
        grid.load(planWithCounts(now, future), false);
        QCOMPARE(grid.childCount(), columns.size());
        for (int n = 1; n <= columns.size(); ++n)
            QCOMPARE(grid.columnValues(n), columns.at(n - 1));
    }

    void testTenDefaultLabelsAlternate()
    {
        ChildrenGrid grid;
        grid.load(planWithCounts(10, 0), false);
        const QStringList expected = { QStringLiteral("長女"),
            QStringLiteral("長男"),
            QStringLiteral("次女"),
            QStringLiteral("次男"),
            QStringLiteral("三女"),
            QStringLiteral("三男"),
            QStringLiteral("四女"),
            QStringLiteral("四男"),
            QStringLiteral("五女"),
            QStringLiteral("五男") };
        for (int n = 1; n <= 10; ++n) {
            QCOMPARE(grid.text(1, n), expected.at(n - 1));
            QCOMPARE(grid.text(14, n), n % 2 ? QStringLiteral("32") : QStringLiteral("41"));
        }
        QCOMPARE(ZOKUGARA(0), QString());
        QCOMPARE(KEKON(11), QString());
    }

    void testMoreThanTenShowsFirstTen()
    {
        // Reachable when page 1/6 had the children unchecked: the record holds ten at most.
        ChildrenGrid grid;
        FamilyPlan plan = planWithCounts(8, 5);
        grid.load(plan, false);
        QCOMPARE(grid.childCount(), 10);
        grid.store(plan);
        QCOMPARE(int(plan.ST3_COUNT), 10);
    }

    void testRecordedPlanRaisedToThree()
    {
        FamilyPlan plan = planWithCounts(2, 0);
        recordChild(plan, 1, "長男", 1990, "早生");
        recordChild(plan, 2, "次女", 1993, "普通");
        plan.ST3_COUNT = 2;
        plan.ST3_RECORDED = 1;
        plan.ST1_CHILDREN_FUTURE = 1;

        ChildrenGrid grid;
        grid.load(plan, true);
        QCOMPARE(grid.childCount(), 3);
        QCOMPARE(grid.text(1, 1), QStringLiteral("長男"));
        QCOMPARE(grid.text(2, 1), QStringLiteral("1990"));
        QCOMPARE(grid.text(3, 1), QStringLiteral("早生"));
        QCOMPARE(grid.text(4, 1), QStringLiteral("102"));
        QCOMPARE(grid.text(15, 2), QStringLiteral("213"));
        QCOMPARE(grid.columnValues(3), daughter(QStringLiteral("次女"), QStringLiteral("2023")));
    }

    void testRecordedPlanLoweredHidesSurplus()
    {
        FamilyPlan plan = planWithCounts(1, 0);
        recordChild(plan, 1, "長女", 1990, "普通");
        recordChild(plan, 2, "長男", 1992, "普通");
        plan.ST3_COUNT = 2;
        plan.ST3_RECORDED = 1;
        ChildrenGrid grid;
        grid.load(plan, true);
        QCOMPARE(grid.childCount(), 1);
        QCOMPARE(grid.text(2, 1), QStringLiteral("1990"));
    }

    void testStoreWritesRecord()
    {
        FamilyPlan plan = planWithCounts(2, 1);
        recordChild(plan, 1, "長男", 1990, "早生");
        recordChild(plan, 2, "次女", 1993, "普通");
        recordChild(plan, 3, "三女", 1999, "普通");
        plan.ST3_COUNT = 3;
        plan.ST3_RECORDED = 1;
        ChildrenGrid grid;
        grid.load(plan, true);

        FamilyPlan stored;
        grid.store(stored);
        QCOMPARE(int(stored.ST3_RECORDED), 1);
        QCOMPARE(int(stored.ST3_COUNT), 3);
        QCOMPARE(stored.ST3_MTX1, plan.ST3_MTX1);
        QCOMPARE(stored.ST3_MTX2, plan.ST3_MTX2);
    }

    void testStoreWithoutChildren()
    {
        FamilyPlan plan = planWithCounts(0, 0);
        ChildrenGrid grid;
        grid.load(plan, false);
        QCOMPARE(grid.columnCount(), 1);
        plan.ST3_COUNT = 4;
        grid.store(plan);
        QCOMPARE(int(plan.ST3_COUNT), 0);
        QCOMPARE(int(plan.ST3_RECORDED), 1);
    }

    void testRemoveColumnMovesChildrenLeft()
    {
        ChildrenGrid grid;
        grid.load(planWithCounts(3, 0), false);
        grid.setText(2, 3, QStringLiteral("1999"));
        grid.removeChildColumn(1);
        QCOMPARE(grid.childCount(), 2);
        QCOMPARE(grid.text(0, 1), QStringLiteral("第1子"));
        QCOMPARE(grid.text(0, 2), QStringLiteral("第2子"));
        // Relationship labels move with their children.
        QCOMPARE(grid.text(1, 1), QStringLiteral("長男"));
        QCOMPARE(grid.text(1, 2), QStringLiteral("次女"));
        QCOMPARE(grid.text(2, 2), QStringLiteral("1999"));

        grid.removeChildColumn(2);
        QCOMPARE(grid.childCount(), 1);
        grid.removeChildColumn(0);
        QCOMPARE(grid.childCount(), 1);
        grid.removeChildColumn(1);
        grid.removeChildColumn(1);
        QCOMPARE(grid.columnCount(), 1);
    }

    void testAddColumn()
    {
        ChildrenGrid grid;
        grid.load(planWithCounts(1, 0), false);
        const QStringList values = son(QStringLiteral("次男"), QStringLiteral("2001"));
        QCOMPARE(grid.addChildColumn(values), 2);
        QCOMPARE(grid.text(0, 2), QStringLiteral("第2子"));
        QCOMPARE(grid.columnValues(2), values);
    }

    void testDoubleClickOnChildColumnOnly()
    {
        ChildrenGrid grid;
        grid.load(planWithCounts(2, 0), false);
        grid.resize(grid.sizeHint());
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy spy(&grid, &ChildrenGrid::childDoubleClicked);
        auto doubleClick = [&grid](int row, int column) {
            const QPoint at = grid.visualRect(grid.model()->index(row, column)).center();
            // The view only takes a double click on the cell the press went to.
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(3, 0);
        QCOMPARE(spy.count(), 0);
        doubleClick(3, 2);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 2);
    }
};

QTEST_MAIN(TestChildrenGrid)
#include "TestChildrenGrid.moc"
