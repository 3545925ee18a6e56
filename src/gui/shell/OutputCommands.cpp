// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's output commands: table CSV, print, preview, PDF, workbook and cash-flow CSV.
// Every one reads the shown window's document: its built table, its attention marks, its cash flow.
#include "core/io/Cp932.h"
#include "core/money/CashFlow.h"
#include "core/table/TableCsv.h"
#include "core/table/TableShape.h"
#include "gui/common/PlanSession.h"
#include "gui/common/SaveAs.h"
#include "gui/common/TableOutput.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/LoanScheduleWindow.h"
#include "gui/money/PlanComparisonWindow.h"
#include "gui/shell/CashFlowOutput.h"
#include "gui/shell/frmMain.h"
#include "gui/table/TableWindow.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QMdiArea>

namespace harukaze {

namespace {

const QString s_csvFilter = QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV *.csv)");

/** The plan file named on a document's pages: none for the demo's sample family. */
QString planFileOf(const PlanDocument* document)
{
    if (!document || document->origin() == PlanDocument::Origin::Sample)
        return QString();
    return document->fileName();
}

QFont fontOf(const TableModel& table)
{
    QFont font(QString::fromStdString(table.fontName));
    font.setPointSizeF(table.fontSize > 0 ? table.fontSize : TABLE_FONT_POINTS);
    return font;
}

} // namespace

bool frmMain::exportTo(const QString& title,
    const QString& filter,
    const QString& suffix,
    const std::function<bool(const QString& path, std::string* error)>& write)
{
    SaveRequest request;
    request.title = title;
    request.filter = filter;
    request.suffix = suffix;
    request.suggested = withSuffix(planFileOf(shownDocument()), suffix);
    return !saveAs(this, request, [&write](const QString& path, QString* reason) {
        std::string error;
        const bool written = write(path, &error);
        *reason = QString::fromStdString(error);
        return written;
    }).isEmpty();
}

void frmMain::csvCommand()
{
    // With no table shown (a new plan's window closed) the file is empty.
    const PlanDocument* document = m_table ? m_table->document() : nullptr;
    exportTo(QStringLiteral("表のCSV形式保存"),
        s_csvFilter,
        QStringLiteral("CSV"),
        [document](const QString& path, std::string* error) {
            if (!cp932Available(error))
                return false;
            const TableModel table = document ? document->table() : TableModel();
            return FILE_OUT(QFile::encodeName(path).toStdString(),
                textMatrixOf(table),
                document ? table.rowCount() : 0,
                table.columnCount(),
                error);
        });
}

void frmMain::cashFlowCsvCommand()
{
    const PlanDocument* document = shownDocument();
    if (!document)
        return;
    exportTo(QStringLiteral("キャッシュフロー表のCSV保存"),
        s_csvFilter,
        QStringLiteral("CSV"),
        [document](const QString& path, std::string* error) {
            return writeCashFlowCsv(QFile::encodeName(path).toStdString(), document->cashFlow(), error);
        });
}

TableOutput frmMain::lifeCycleOutput(const TableWindow& window) const
{
    TableOutput output(window.document()->table(), planFileOf(window.document()));
    const AttentionTints& attention = window.attention();
    if (m_attentionShown->isChecked() && !attention.isEmpty()) {
        PrintableTable& table = output.table();
        for (int row = 0; row < table.rowCount(); ++row) {
            for (int column = 0; column < table.columnCount(); ++column) {
                const QColor tint = attention.tint(column, row);
                if (tint.isValid())
                    table.setTint(column, row, tint);
            }
        }
        for (AttentionKind kind : attention.kinds())
            table.legend.push_back({ AttentionTints::color(kind), AttentionTints::name(kind) });
    }
    return output;
}

TableOutput frmMain::activeOutput() const
{
    const TableWindow* window = shownTable();
    if (cashFlowIsActive())
        return cashFlowOutput(*m_cashFlow, planFileOf(shownDocument()));
    if (m_loanSchedule && m_mdiArea->activeSubWindow() == m_loanSchedule)
        return TableOutput(m_loanSchedule->printable(planFileOf(shownDocument())));
    if (m_comparison && m_mdiArea->activeSubWindow() == m_comparison)
        return TableOutput(printablePlanComparison(m_comparison->comparison(), QDate::currentDate()));
    return lifeCycleOutput(*window);
}

void frmMain::previewCommand()
{
    if (shownTable())
        activeOutput().preview(this);
}

void frmMain::printCommand()
{
    if (shownTable())
        activeOutput().print(this);
}

void frmMain::pdfCommand()
{
    if (shownTable())
        activeOutput().savePdf(this, withSuffix(planFileOf(shownDocument()), QStringLiteral("pdf")));
}

void frmMain::xlsxCommand()
{
    const TableWindow* window = shownTable();
    if (!window)
        return;
    // The schedule and the comparison are workbooks of their own.
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if ((m_loanSchedule && active == m_loanSchedule) || (m_comparison && active == m_comparison)) {
        activeOutput().saveXlsx(this);
        return;
    }
    const PlanDocument* document = window->document();
    const QString file = planFileOf(document);
    const QString suggested = withSuffix(file, QStringLiteral("xlsx"));
    TableOutput lifeCycle = lifeCycleOutput(*window);
    // The workbook holds the cash-flow table beside the life cycle table once the family has money
    // settings or looks at its cash flow.
    if (!m_cashFlow && !document->plan().money) {
        lifeCycle.saveXlsx(this, suggested);
        return;
    }
    const TableOutput cashFlow = m_cashFlow ? cashFlowOutput(*m_cashFlow, file)
                                            : cashFlowOutput(document->cashFlow(), file, fontOf(document->table()));
    saveWorkbook(this, lifeCycle.table(), cashFlow.table(), suggested);
}

} // namespace harukaze
