// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary plan file bytes are read as the Open command reads them, the life
// cycle table is built as a table window builds it (with the generated data files and without
// any), and the table is written as CSV; the money section after line 300 is read, written back
// and turned into the cash-flow table. The plan read is written and read back (it must come back
// the same), the bytes are read again from a file in memory (memfd) as FILE_IN reads them, through
// blocks of every small size and with a line stretched past the 64 KiB bound, and they are read as
// a life-expectancy data file. The attention markers are found with the university years of the
// plan's money settings and with years from the input; a second table starts in a year from the
// input anywhere in 1 .. 9999. A crash, a sanitizer report or a broken invariant is a finding.

#include "core/io/CsvWriter.h"
#include "core/io/FileDescriptor.h"
#include "core/io/LineReader.h"
#include "core/money/CashFlow.h"
#include "core/money/EducationCosts.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "core/table/Attention.h"
#include "core/table/LifeExpectancy.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableCsv.h"
#include "core/table/TextMatrix.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace harukaze;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// A file in memory holding `bytes`; its path is "/proc/self/fd/N".
FileDescriptor memoryFile(std::string_view bytes)
{
    FileDescriptor file(memfd_create("harukaze-fuzz", MFD_CLOEXEC));
    check(file.isOpen());
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(file.get(), bytes.data() + written, bytes.size() - written);
        check(n > 0);
        written += static_cast<size_t>(n);
    }
    check(lseek(file.get(), 0, SEEK_SET) == 0);
    return file;
}

std::string pathOf(const FileDescriptor& file)
{
    return "/proc/self/fd/" + std::to_string(file.get());
}

// The plan read is written again; reading that file gives the same file once more.
void checkRoundTrip(const FamilyPlan& plan)
{
    const std::string written = planFileBytes(plan);
    auto lines = std::make_unique<FileLines>();
    splitPlanFileBytes(written, *lines);
    FamilyPlan read;
    REC_CLEAR(read);
    parsePlanFileLines(*lines, read);
    check(planFileBytes(read) == written);
    check(*lines == planFileLines(read));
}

// The streaming reader on a descriptor, in blocks of `blockSize`, hands out the same lines as
// from memory.
void checkBlocks(std::string_view bytes, size_t blockSize)
{
    const FileDescriptor file = memoryFile(bytes);
    LineReader fromFile(file.get(), blockSize);
    LineReader fromMemory(bytes);
    std::string a;
    std::string b;
    for (int line = 0; line < 400; ++line) {
        const LineReader::Status status = fromFile.next(a);
        check(status == fromMemory.next(b));
        if (status != LineReader::Status::Line)
            return;
        check(a == b);
        check(fromFile.consumed() == fromMemory.consumed());
    }
}

// FILE_IN of the bytes as a file equals the split of the bytes in memory, or refuses a file that
// holds a line over the bound.
void checkFileIn(std::string_view bytes)
{
    const FileDescriptor file = memoryFile(bytes);
    auto fromFile = std::make_unique<FileLines>();
    auto fromMemory = std::make_unique<FileLines>();
    fromFile->fill("\x01");
    fromMemory->fill("\x01");
    std::vector<std::string> trailingFile;
    std::vector<std::string> trailingMemory;
    std::string error;
    if (FILE_IN(pathOf(file), *fromFile, &error, &trailingFile)) {
        splitPlanFileBytes(bytes, *fromMemory, &trailingMemory);
        check(*fromFile == *fromMemory);
        check(trailingFile == trailingMemory);
    } else {
        check(error == NOT_A_PLAN_FILE);
        check(bytes.size() > MAX_LINE_BYTES);
        check(fromFile->front() == "\x01");
    }
}

// The data file reader on hostile bytes: whatever it takes comes from a line the file has.
void checkDataFile(std::string_view bytes, int a0)
{
    const FileDescriptor file = memoryFile(bytes);
    int16_t L = 12345;
    YOMEI_READ("/proc/self/fd/", std::to_string(file.get()), a0, true, L);
    if (L == 12345)
        return;
    LineReader reader(bytes);
    std::string line;
    for (int i = 0; i <= a0; ++i)
        check(reader.next(line) == LineReader::Status::Line);
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
    checkRoundTrip(plan);
    checkBlocks(bytes, 1 + size % 13);
    checkFileIn(bytes);
    checkDataFile(bytes, static_cast<int>(size % 130) - 1);

    // For half the inputs, the same bytes with a line stretched to around the 64 KiB bound
    // (65529..65544 bytes of one byte of the input), where the reader must tell a plan from none.
    if (size >= 3 && (data[0] & 1) != 0) {
        const size_t at = data[0] % size;
        std::string stretched(bytes.substr(0, at));
        stretched.append(MAX_LINE_BYTES - 7 + data[1] % 16, static_cast<char>(data[2]));
        stretched.append(bytes.substr(at));
        checkFileIn(stretched);
        checkBlocks(stretched, 4093 + size % 7);
    }
    parseMoneySection(trailing, plan);

    // A table window's build with the data files beside the program.
    TableContext context;
    context.y0 = 2026;
    context.appDir = std::string(HARUKAZE_BIN_DIR) + "/";
    const TableModel model = buildLifeCycleTable(plan, context);
    const auto tbl = std::make_unique<TextMatrix>(textMatrixOf(model));
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

    // The attention markers of that table: with the university years the plan's money settings
    // give, with every child's university as long as it may be, and with years taken from the
    // input (negative, zero, past the table).
    UniversityYears longest;
    longest.fill(INT32_MAX);
    UniversityYears fromInput {};
    for (size_t child = 0; child < fromInput.size(); ++child) {
        const uint8_t byte = size > child ? data[size - 1 - child] : 0;
        fromInput[child] = byte < 8 ? INT32_MIN + byte : static_cast<int>(byte) - 128;
    }
    for (const UniversityYears& years : { universityYearsOf(plan), defaultUniversityYears(), longest, fromInput }) {
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

    // The demo's way (no TBL), in another year and without data files: any year the command line
    // takes (1 .. 9999), far outside the calendar's usual range too.
    context.y0 = size >= 2 ? 1 + (data[0] * 256 + data[1]) % 9999 : 1850 + static_cast<int>(size % 251);
    context.appDir = "/nonexistent-harukaze-data/";
    const TableModel other = buildLifeCycleTable(plan, context);
    check(other.columnCount() == columns);
    for (const AttentionMarker& marker : findAttentionMarkers(plan, other, fromInput))
        check(marker.row >= TABLE_FIXED_ROWS && marker.row < TABLE_ROWS);

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
