// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/Loan.h"
#include "export/PrintableTable.h"

#include <QMdiSubWindow>

#include <map>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace harukaze {

struct FamilyPlan;
struct TableContext;

/**
 * The window "返済予定表": the housing loan month by month (one line per payment and 繰上返済, a bold
 * line per year with, when the plan computes it, the year's 住宅ローン控除), the summary above the
 * grid (毎月返済額, 総返済額, 利息総額, 完済年月, 団信), its CSV, and a 繰上返済 what-if: an amount and a
 * month give, before anything is added, how many months sooner the loan ends and the interest saved
 * (期間短縮) or the new payment (返済額軽減). Print, PDF and the workbook go through the main window's
 * commands while this window is active (printable()).
 */
class LoanScheduleWindow : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(LoanScheduleWindow)

public:
    explicit LoanScheduleWindow(QWidget* parent = nullptr);
    ~LoanScheduleWindow() override;

    /** Computes the schedule of the plan's loan over the life cycle table for `context` and shows it. */
    void rebuild(const FamilyPlan& plan, const TableContext& context);

    /** The schedule shown; nothing while the plan has no loan. */
    const std::optional<LoanSchedule>& schedule() const { return m_schedule; }
    /** The schedule as the pages and the workbook show it. */
    PrintableTable printable(const QString& planFilePath) const;

    /** Saves the schedule CSV through the save dialog; false when cancelled or not written. */
    bool saveCsv();
    /** Shows the effect of the what-if boxes' 繰上返済 below them. */
    void tryPrepayment();

private:
    std::optional<LoanSchedule> m_schedule;
    std::map<int, int64_t> m_credits;
    bool m_showCredits = false;
    QLabel* m_summary;
    QTableWidget* m_grid;
    QLineEdit* m_whatIfYear;
    QLineEdit* m_whatIfMonth;
    QLineEdit* m_whatIfAmount;
    QComboBox* m_whatIfKind;
    QLabel* m_whatIfResult;
};

} // namespace harukaze
