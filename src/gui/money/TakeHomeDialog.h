// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/Tax.h"
#include "core/money/TaxYears.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySettings.h"
#include "export/PrintableTable.h"

#include <QDialog>

class QComboBox;
class QTableWidget;

namespace harukaze {

/**
 * The dialog "手取りの内訳": for a year of the table and a spouse, every step from 額面 to 手取り with
 * its amount (社会保険料 by kind, 給与所得, each deduction, 課税所得, 所得税, 住民税 part by part, the
 * taxes on a 退職金). The year and the spouse are chosen at the top; 印刷, 印刷プレビュー and PDF保存
 * put the breakdown on paper as the other tables are printed.
 */
class TakeHomeDialog : public QDialog
{
    Q_OBJECT

public:
    /**
     * The breakdown of `plan` with `settings` (their 額面 amounts) over `table`, the plan's built life
     * cycle table, showing year n of `spouse` first (the other spouse when that one is not in the table).
     */
    TakeHomeDialog(const FamilyPlan& plan,
        const MoneySettings& settings,
        const TableModel& table,
        int n,
        Spouse spouse,
        const QString& planFilePath,
        QWidget* parent = nullptr);
    ~TakeHomeDialog() override;

    /** The breakdown shown, as it is printed. */
    PrintableTable printable() const;

private:
    void showBreakdown();

    PlanTaxes m_taxes;
    QString m_planFilePath;
    QComboBox* m_year;
    QComboBox* m_spouse;
    QTableWidget* m_lines;
};

} // namespace harukaze
