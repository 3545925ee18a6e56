// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the PDF and workbook writers over any plan. The input is read as the Open
// command reads a plan file; its life cycle table (in a year from the input, anywhere in
// 1 .. 9999) and its cash-flow table go through the printed pages into a PDF and into a
// workbook, as the Print, PDF and Excel commands and harukaze-csv make them. Each must come out
// whole: a PDF that starts and ends as one, a workbook that is a zip file.

#include "core/money/CashFlow.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "core/table/TableBuilder.h"
#include "export/PrintableCashFlow.h"
#include "export/PrintableTable.h"
#include "export/TablePdf.h"
#include "export/XlsxWorkbook.h"

#include <QDate>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace harukaze;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The PDF needs fonts, so a window-less application on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto lines = std::make_unique<FileLines>();
    std::vector<std::string> trailing;
    splitPlanFileBytes(bytes, *lines, &trailing);
    FamilyPlan plan;
    REC_CLEAR(plan);
    parsePlanFileLines(*lines, plan);
    parseMoneySection(trailing, plan);

    TableContext context;
    context.y0 = size >= 2 ? 1 + (data[0] * 256 + data[1]) % 9999 : 2026;
    context.appDir = std::string(HARUKAZE_BIN_DIR) + "/";
    const TableModel model = buildLifeCycleTable(plan, context);
    const QDate printed(1 + static_cast<int>(size % 9999), 1 + static_cast<int>(size % 12), 1);
    const PrintableTable table = printableLifeCycleTable(model, QStringLiteral("/plans/計画.HRZ"), printed);
    const PrintableTable cashFlow = printableCashFlowTable(buildCashFlowTable(plan, context), QString(), printed);

    // Every other input also goes into a PDF, the slower writer.
    if ((size & 1) != 0) {
        const QByteArray pdf = tablePdf(table);
        check(pdf.startsWith("%PDF-"));
        check(pdf.trimmed().endsWith("%%EOF"));
    }
    QString error;
    const QByteArray book = workbookOf(std::vector<PrintableTable> { table, cashFlow }).bytes(&error);
    check(book.startsWith("PK\x03\x04"));
    return 0;
}
