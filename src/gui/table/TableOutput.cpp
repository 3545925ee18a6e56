// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/table/TableOutput.h"

#include "core/table/TableShape.h"
#include "export/TablePages.h"
#include "export/TablePdf.h"
#include "export/XlsxWorkbook.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/MessageBox.h"
#include "gui/table/LifeCycleGrid.h"

#include <QDate>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace harukaze {

namespace {

const QString s_saveTitle = QStringLiteral("ファイル名を付けて保存");

Qt::Alignment alignmentAt(const LifeCycleGrid& grid, int row, int column)
{
    const QVariant value = grid.model()->index(row, column).data(Qt::TextAlignmentRole);
    return value.isValid() ? Qt::Alignment(value.toInt()) : (Qt::AlignLeft | Qt::AlignVCenter);
}

PrintableTable printableGrid(const LifeCycleGrid& grid, const QString& planFilePath)
{
    PrintableTable table;
    const QFont font = grid.font();
    table.fontFamily = font.family();
    table.fontPoints = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    table.fontBold = font.bold();
    table.fontItalic = font.italic();
    const int bodyRow = std::min(TABLE_FIXED_ROWS, grid.rows() - 1);
    for (int c = 0; c < grid.cols(); ++c) {
        PrintableColumn column;
        column.widthTwips = grid.columnWidthTwips(c);
        column.headerAlignment = alignmentAt(grid, 0, c);
        column.bodyAlignment = alignmentAt(grid, bodyRow, c);
        table.columns.push_back(column);
    }
    table.cells.assign(static_cast<size_t>(grid.rows()), std::vector<QString>(static_cast<size_t>(grid.cols())));
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c)
            table.cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = grid.text(r, c);
    }
    setUpLifeCycleTable(table, planFilePath, QDate::currentDate());
    return table;
}

} // namespace

TableOutput::TableOutput(const LifeCycleGrid& grid, const QString& planFilePath)
    : m_table(printableGrid(grid, planFilePath))
{
}

TableOutput::TableOutput(const TableModel& table, const QString& planFilePath)
    : m_table(printableLifeCycleTable(table, planFilePath, QDate::currentDate()))
{
}

TableOutput::TableOutput(PrintableTable table)
    : m_table(std::move(table))
{
}

QString TableOutput::saveFailedText(const QString& path, const QString& reason)
{
    return harukaze::saveFailedText(path, reason.toStdString());
}

QString TableOutput::printFailedText()
{
    return QStringLiteral("印刷できませんでした。");
}

void TableOutput::setUpPrinter(QPrinter& printer) const
{
    printer.setPageLayout(TablePages::defaultPageLayout());
    printer.setDocName(
        m_table.documentName.isEmpty() ? m_table.title : m_table.title + QStringLiteral(" - ") + m_table.documentName);
    printer.setCreator(QStringLiteral("HARUKAZE"));
}

bool TableOutput::print(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    TablePages pages(m_table);
    pages.layOut(printer);

    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, pages.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return false;

    bool printed = false;
    {
        BusyPointer busy;
        printed = pages.paint(&printer);
    }
    if (!printed)
        MessageBox::warning(parent, printFailedText());
    return printed;
}

void TableOutput::preview(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    // The pages are laid out anew for every paper and orientation the user picks.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* target) {
        BusyPointer busy;
        TablePages(m_table).paint(target);
    });
    // Large enough to read a landscape page at once.
    const QScreen* screen = parent ? parent->screen() : nullptr;
    const QSize room = screen ? screen->availableSize() * 0.85 : QSize(1000, 750);
    dialog.resize(room.boundedTo(QSize(1400, 1000)));
    dialog.exec();
}

bool TableOutput::savePdf(QWidget* parent)
{
    const QString path
        = FileDialog::getSaveFileName(parent, s_saveTitle, QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return false;
    bool saved = false;
    QString reason;
    {
        BusyPointer busy;
        saved = saveTablePdf(path, m_table, &reason);
    }
    if (!saved)
        MessageBox::warning(parent, saveFailedText(path, reason));
    return saved;
}

bool TableOutput::saveXlsx(QWidget* parent)
{
    const QString path = FileDialog::getSaveFileName(
        parent, s_saveTitle, QStringLiteral("Excel ブック (*.xlsx)"), QStringLiteral("xlsx"));
    if (path.isEmpty())
        return false;
    bool saved = false;
    QString reason;
    {
        BusyPointer busy;
        std::vector<PrintableTable> sheets { m_table };
        sheets.insert(sheets.end(), m_moreSheets.begin(), m_moreSheets.end());
        saved = workbookOf(sheets).save(path, &reason);
    }
    if (!saved)
        MessageBox::warning(parent, saveFailedText(path, reason));
    return saved;
}

} // namespace harukaze
