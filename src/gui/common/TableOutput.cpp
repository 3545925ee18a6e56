// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/TableOutput.h"

#include "core/table/TableShape.h"
#include "export/TablePages.h"
#include "export/TablePdf.h"
#include "export/XlsxWorkbook.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/FileMessages.h"
#include "gui/common/MessageBox.h"
#include "gui/common/SaveAs.h"

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

} // namespace

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

bool TableOutput::writePdf(const QString& path, QString* reason) const
{
    return saveTablePdf(path, m_table, reason);
}

bool TableOutput::writeXlsx(const QString& path, QString* reason) const
{
    std::vector<PrintableTable> sheets { m_table };
    sheets.insert(sheets.end(), m_moreSheets.begin(), m_moreSheets.end());
    return workbookOf(sheets).save(path, reason);
}

bool TableOutput::savePdf(QWidget* parent, const QString& suggested)
{
    SaveRequest request;
    request.title = pdfTitle();
    request.filter = QStringLiteral("PDF (*.pdf)");
    request.suffix = QStringLiteral("pdf");
    request.suggested = suggested;
    return !saveAs(parent, request, [this](const QString& path, QString* reason) {
        return writePdf(path, reason);
    }).isEmpty();
}

bool TableOutput::saveXlsx(QWidget* parent, const QString& suggested)
{
    SaveRequest request;
    request.title = xlsxTitle();
    request.filter = QStringLiteral("Excel ブック (*.xlsx)");
    request.suffix = QStringLiteral("xlsx");
    request.suggested = suggested;
    return !saveAs(parent, request, [this](const QString& path, QString* reason) {
        return writeXlsx(path, reason);
    }).isEmpty();
}

QString TableOutput::pdfTitle()
{
    return QStringLiteral("PDF形式で保存");
}

QString TableOutput::xlsxTitle()
{
    return QStringLiteral("Excel形式で保存");
}

} // namespace harukaze
