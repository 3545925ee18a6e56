// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/PlanComparison.h"
#include "export/PrintableTable.h"
#include "gui/money/PlanComparisonDialog.h"

#include <QDate>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>

#include <vector>

class QChartView;
class QLabel;
class QTableWidget;

namespace harukaze {

/** One cell of the comparison tables: its text and whether it is drawn red (a negative amount). */
struct ComparisonCell
{
    QString text;
    bool negative = false;
};

/**
 * The comparison as tables: the header ("項目", then each plan's name, a "差" column after every plan
 * but the first), the eleven indicator rows, then the header of the yearly table ("西暦" ...) and one
 * row per year of 貯蓄残高, each plan's figure and its difference to the first plan.
 */
struct ComparisonTables
{
    std::vector<ComparisonCell> header;
    std::vector<std::vector<ComparisonCell>> indicators;
    std::vector<ComparisonCell> yearHeader;
    std::vector<std::vector<ComparisonCell>> years;
};

ComparisonTables comparisonTables(const PlanComparison& comparison);

/**
 * The printed pages and the workbook sheet of a comparison: title "プランの比較", the plans' names,
 * the indicator rows, then the yearly 貯蓄残高, negatives red.
 */
PrintableTable printablePlanComparison(const PlanComparison& comparison, const QDate& printDate);

/**
 * The window "プランの比較": the plan shown beside up to three plan files. At the top the indicators
 * (plans as columns, each plan after the first with its difference to the first), below the chart
 * of each plan's 貯蓄残高 over the years (one colour per plan, a zero line) beside the yearly
 * 貯蓄残高. "CSV保存(&S)..." writes the comparison as harukaze-csv --compare writes it.
 *
 * rebuild() is called again whenever the plan shown changes (edited, saved, its settings changed);
 * the files are read again then, so a file saved meanwhile shows its new figures.
 */
class PlanComparisonWindow : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(PlanComparisonWindow)

public:
    explicit PlanComparisonWindow(std::vector<ComparedFile> files, QWidget* parent = nullptr);
    ~PlanComparisonWindow() override;

    /** Compares `current` (the plan shown, from `currentPath`, "" when never saved) with the files. */
    void rebuild(const FamilyPlan& current, const QString& currentPath, const TableContext& context);

    const PlanComparison& comparison() const { return m_comparison; }
    const std::vector<ComparedFile>& files() const { return m_files; }

    /** The save dialog, then the CSV; false when cancelled or not written (a message then says so). */
    bool saveCsv();

    QTableWidget* indicatorTable() const { return m_indicators; }
    QTableWidget* savingsTable() const { return m_savings; }
    QChartView* chartView() const { return m_chart; }

    /** The colour of the `plan`-th plan's line in the chart. */
    static QColor planColor(int plan);

private:
    void showChart();

    std::vector<ComparedFile> m_files;
    PlanComparison m_comparison;
    QLabel* m_note;
    QTableWidget* m_indicators;
    QTableWidget* m_savings;
    QChartView* m_chart;
};

} // namespace harukaze
