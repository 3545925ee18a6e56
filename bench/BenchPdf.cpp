// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF and the Excel workbook of a 16-member life cycle table (husband, wife, ten children, four
// parents), as the save commands make them: pages laid out and drawn, fonts embedded, the file's
// bytes in memory. The table itself is built once, outside the timing.
#include "SixteenMembers.h"
#include "core/table/TableBuilder.h"
#include "export/PrintableTable.h"
#include "export/TablePdf.h"
#include "export/XlsxWorkbook.h"

#include <QDate>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace harukaze;

namespace {

PrintableTable sixteenMemberTable()
{
    const FamilyPlan plan = benchplans::sixteenMembers();
    TableContext context;
    context.y0 = 2026;
    context.appDir = benchplans::programFolder();
    return printableLifeCycleTable(buildLifeCycleTable(plan, context), QString(), QDate(2026, 12, 7));
}

void BM_PdfOfSixteenMemberTable(benchmark::State& state)
{
    const PrintableTable table = sixteenMemberTable();
    if (table.columnCount() != 18)
        state.SkipWithError("unexpected table");
    for (auto _ : state) {
        QByteArray pdf = tablePdf(table);
        benchmark::DoNotOptimize(pdf);
        if (pdf.isEmpty())
            state.SkipWithError("no PDF");
    }
}
BENCHMARK(BM_PdfOfSixteenMemberTable)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_XlsxOfSixteenMemberTable(benchmark::State& state)
{
    const PrintableTable table = sixteenMemberTable();
    for (auto _ : state) {
        QByteArray book = workbookOf(table).bytes();
        benchmark::DoNotOptimize(book);
        if (book.isEmpty())
            state.SkipWithError("no workbook");
    }
}
BENCHMARK(BM_XlsxOfSixteenMemberTable)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The PDF needs fonts, hence a Qt application; without a display it runs offscreen.
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
