// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/money/PensionComparison.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QTableWidget;

namespace harukaze {

/**
 * The dialog "受給開始年齢の比較": for one spouse, per start age 60..75 the rate, 年額, first month,
 * the chance to be alive at the start, the 期待受取総額 weighted by survival, its difference to a
 * start at 65 and the break-even age, the best start age marked ★; a chart of the expected totals
 * below. Read-only, with コピー (tab-separated, as shown) and 印刷....
 */
class PensionComparisonDialog : public QDialog
{
    Q_OBJECT

public:
    PensionComparisonDialog(const PensionComparison& comparison, int birthYear, int y0, QWidget* parent = nullptr);

    /**
     * Opens the comparison of the husband (wife = false) or the wife of `plan` modally; when the
     * spouse has none (金額, not in the table, age outside the life table) a message says why.
     */
    static void showFor(const FamilyPlan& plan, int y0, bool wife, QWidget* parent);

    /** The table as shown, tab-separated, one line per row with the header first. */
    QString tableText() const;

    void copy() const;
    void print();

private:
    QString html() const;

    QTableWidget* m_table;
    QList<QStringList> m_rows; ///< the table's texts by row, for copying and printing
    QLabel* m_title;
    QLabel* m_note;
};

} // namespace harukaze
