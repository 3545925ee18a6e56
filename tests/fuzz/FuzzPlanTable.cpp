// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary plan file bytes are read as the Open command reads them, the life
// cycle table is built as a table window builds it (with the generated data files and without
// any), and the table is written as CSV; the money section after line 300 is read, written back
// and turned into the cash-flow table. A crash, a sanitizer report or a broken invariant of the
// tables is a finding.

#include "core/money/CashFlow.h"
#include "core/money/MoneySection.h"
#include "core/plan/CsvWriter.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/PlanFile.h"
#include "core/table/TableBuilder.h"
#include "core/table/TextMatrix.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

using namespace harukaze;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

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

    // A table window's build with the data files beside the program.
    TableContext context;
    context.y0 = 2026;
    context.appDir = std::string(HARUKAZE_BIN_DIR) + "/";
    auto tbl = std::make_unique<TextMatrix>();
    const TableModel model = buildLifeCycleTable(plan, context, tbl.get());
    const int columns = model.columnCount();
    check(columns >= 2 && columns <= 18);
    check(columns == 2 + memberCount(plan));
    for (int col = 0; col < columns; ++col) {
        for (int row = 0; row < TABLE_ROWS; ++row) {
            if (row == 0 && col < 2)
                continue;
            check((*tbl)[static_cast<size_t>(col)][static_cast<size_t>(row)] == model.text(row, col));
        }
    }
    for (int col = columns; col < TBL_COLUMNS; ++col) {
        for (const std::string& text : (*tbl)[static_cast<size_t>(col)])
            check(text.empty());
    }
    const std::string csv = tableCsvBytes(*tbl, TABLE_ROWS, columns);
    check(csv.size() >= static_cast<size_t>(TABLE_ROWS * 2));

    // The demo's way (no TBL), in another year and without data files.
    context.y0 = 1850 + static_cast<int>(size % 251);
    context.appDir = "/nonexistent-harukaze-data/";
    const TableModel other = buildLifeCycleTable(plan, context, nullptr);
    check(other.columnCount() == columns);

    // The money section reads back to what was written (a byte that is no CP932 was read as U+FFFD
    // and is written as "?"), and every plan has a cash-flow table.
    if (plan.money) {
        const std::string written = planFileBytes(plan);
        auto reread = std::make_unique<FileLines>();
        std::vector<std::string> section;
        splitPlanFileBytes(written, *reread, &section);
        FamilyPlan again;
        parsePlanFileLines(*reread, again);
        parseMoneySection(section, again);
        check(again.money.has_value());
        check(planFileBytes(again) == written);
    }
    const CashFlowTable cashFlow = buildCashFlowTable(plan, context);
    check(cashFlow.rows.size() == static_cast<size_t>(3 + memberCount(plan) + 1 + MONEY_ROWS));
    check(!cashFlowCsvBytes(cashFlow).empty());
    return 0;
}
