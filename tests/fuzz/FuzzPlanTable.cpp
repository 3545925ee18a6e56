// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary plan file bytes are read as the Open command reads them, the life
// cycle table is built as a table window builds it (with the generated data files and without
// any), and the table is written as CSV. A crash, a sanitizer report or a broken invariant of
// the table is a finding.

#include "core/plan/CsvWriter.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/PlanFile.h"
#include "core/table/Attention.h"
#include "core/table/TableBuilder.h"
#include "core/table/TextMatrix.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

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
    splitPlanFileBytes(bytes, *lines);
    FamilyPlan plan;
    REC_CLEAR(plan);
    parsePlanFileLines(*lines, plan);

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

    // The attention markers of that table, with every child's university as long as it may be.
    UniversityYears longest;
    longest.fill(INT32_MAX);
    for (const UniversityYears& years : { defaultUniversityYears(), longest }) {
        const std::vector<AttentionMarker> markers = findAttentionMarkers(plan, model, years);
        int lastRow = TABLE_FIXED_ROWS;
        for (const AttentionMarker& marker : markers) {
            check(marker.row >= lastRow && marker.row < TABLE_ROWS);
            check(marker.yearText == model.text(marker.row, 0));
            check(marker.members.size() >= 2); // every kind names two members or more
            for (const AttentionMember& member : marker.members)
                check(member.column >= TABLE_FIXED_COLS && member.column < columns);
            lastRow = marker.row;
        }
        check(attentionCsvBytes(markers).rfind("\x90\xbc\x97\xef,", 0) == 0); // "西暦," in CP932
    }

    // The demo's way (no TBL), in another year and without data files.
    context.y0 = 1850 + static_cast<int>(size % 251);
    context.appDir = "/nonexistent-harukaze-data/";
    const TableModel other = buildLifeCycleTable(plan, context, nullptr);
    check(other.columnCount() == columns);
    return 0;
}
