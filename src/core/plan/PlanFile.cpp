// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/PlanFile.h"

#include "core/io/Cp932.h"
#include "core/io/FileDescriptor.h"
#include "core/io/LineReader.h"
#include "core/io/NumberText.h"
#include "core/io/SaveFile.h"
#include "core/plan/MoneySection.h"

#include <cstring>
#include <optional>

namespace harukaze {

namespace {

// First line (1-based) of each block of the file.
constexpr int kSt1First = 1;
constexpr int kSt2First = 31;
constexpr int kSt3First = 61;
constexpr int kMtx1First = 91;
constexpr int kMtx2First = 221;
constexpr int kSt4First = 241;
constexpr int kSt5First = 271;

int mtx1Line(int child, int column)
{
    return kMtx1First + MTX1_COLUMNS * (child - 1) + (column - 1);
}

int mtx2Line(int child, int column)
{
    return kMtx2First + MTX2_COLUMNS * (child - 1) + (column - 1);
}

// The text of a ST3_MTX2 line. Only the half-width space is stripped: an ideographic space at the
// ends of a relationship label is part of the text the user typed and is kept. A line break inside
// the text would split it over two lines and shift every later value of the file, so CR and LF are
// written as spaces.
std::string mtx2LineText(const std::string& text)
{
    std::string line = text;
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const size_t last = line.find_last_not_of(' ');
    return line.substr(first, last - first + 1);
}

std::string placeholder(const char* section, int slot)
{
    return std::string("YOBI_") + section + "(" + std::to_string(slot) + ")";
}

std::string matrixPlaceholder(const char* matrix, int child, int column)
{
    return std::string("YOBI_") + matrix + "(" + std::to_string(child) + "," + std::to_string(column) + ")";
}

// Writes a section's fields from `first` on, then its placeholders up to slot 30.
template <typename FieldAt>
void putSection(FileLines& lines, int first, int fieldCount, const char* section, FieldAt fieldAt)
{
    for (int slot = 1; slot <= SECTION_SLOTS; ++slot) {
        std::string& line = lines[static_cast<size_t>(first + slot - 2)];
        line = slot <= fieldCount ? std::to_string(fieldAt(slot)) : placeholder(section, slot);
    }
}

void readNumber(const FileLines& lines, int lineNumber, int16_t& field)
{
    if (const std::optional<int16_t> value = wholeTextToInt16(lines[static_cast<size_t>(lineNumber - 1)]))
        field = *value;
}

} // namespace

FileLines planFileLines(const FamilyPlan& plan)
{
    FileLines lines;
    putSection(lines, kSt1First, ST1_FIELD_COUNT, "ST1", [&](int slot) { return plan.st1(slot); });
    putSection(
        lines, kSt2First, COUPLE_FIELD_COUNT, "ST2", [&](int slot) { return plan.couple(CoupleSection::ST2, slot); });
    putSection(lines, kSt3First, ST3_FIELD_COUNT, "ST3", [&](int slot) {
        return slot == 1 ? plan.ST3_RECORDED : plan.ST3_COUNT;
    });
    putSection(
        lines, kSt4First, COUPLE_FIELD_COUNT, "ST4", [&](int slot) { return plan.couple(CoupleSection::ST4, slot); });
    putSection(
        lines, kSt5First, COUPLE_FIELD_COUNT, "ST5", [&](int slot) { return plan.couple(CoupleSection::ST5, slot); });

    // ST3_COUNT is written as it stands, but only a count clamped to 0..10 may pick the children.
    const int count = plan.childCount();
    for (int child = 1; child <= MAX_CHILDREN; ++child) {
        const bool real = child <= count;
        for (int column = 1; column <= MTX1_COLUMNS; ++column) {
            lines[static_cast<size_t>(mtx1Line(child, column) - 1)]
                = real ? std::to_string(plan.mtx1(child, column)) : matrixPlaceholder("ST3_MTX1", child, column);
        }
        for (int column = 1; column <= MTX2_COLUMNS; ++column) {
            lines[static_cast<size_t>(mtx2Line(child, column) - 1)]
                = real ? mtx2LineText(plan.mtx2(child, column)) : matrixPlaceholder("ST3_MTX2", child, column);
        }
    }
    return lines;
}

std::string planFileBytes(const FamilyPlan& plan)
{
    // CR LF is the same in both encodings, so the whole text is converted at once.
    const FileLines lines = planFileLines(plan);
    std::string text;
    text.reserve(PLAN_FILE_LINES * 8);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    // The money section follows line 300 only when the plan has money settings, so a plan without
    // them is written exactly as before.
    if (plan.money) {
        for (const std::string& line : moneySectionLines(*plan.money)) {
            text += line;
            text += "\r\n";
        }
    }
    return utf8ToCp932(text);
}

bool FILE_OUT_D(const std::string& path, const FamilyPlan& plan, std::string* error)
{
    return saveFileAtomically(path, planFileBytes(plan), error);
}

namespace {

enum class PlanRead { Read, NotAPlan, Failed };

// Takes up to 300 lines from `reader` into `read`, then, with `trailing`, the money section. With
// `bounded` (a file nobody has measured) a long line or oversized first 300 lines make it no plan.
// The lines are decoded one by one: CR and LF never occur inside a CP932 double-byte character
// (trail bytes are 0x40 and up), so this gives the same text as decoding the whole file at once.
// After a money section was cut at line `firstLine`: counts the lines up to END_MONEY (or the end
// of the file) without keeping them, as far as the look-ahead reaches.
void countUnread(LineReader& reader, MoneySectionCut& cut)
{
    std::string raw;
    size_t bytes = 0;
    for (size_t counted = 0; counted < MAX_TRAILING_LINES * 4 && bytes <= MAX_TRAILING_BYTES * 4; ++counted) {
        const LineReader::Status status = reader.next(raw, MAX_LINE_BYTES);
        if (status == LineReader::Status::End || (status == LineReader::Status::Line && raw == MONEY_SECTION_END)) {
            cut.unreadCounted = true;
            return;
        }
        if (status != LineReader::Status::Line)
            return;
        bytes += raw.size();
        ++cut.unreadLines;
    }
}

// Takes up to 300 lines from `reader` into `read`, then, with `trailing`, the money section. With
// `bounded` (a file nobody has measured) a long line or oversized first 300 lines make it no plan.
// The lines are decoded one by one: CR and LF never occur inside a CP932 double-byte character
// (trail bytes are 0x40 and up), so this gives the same text as decoding the whole file at once.
PlanRead takeLines(LineReader& reader,
    std::vector<std::string>& read,
    std::vector<std::string>* trailing,
    bool bounded,
    MoneySectionCut* cut)
{
    std::string raw;
    const size_t lineLimit = bounded ? MAX_LINE_BYTES : std::string::npos;
    while (read.size() < static_cast<size_t>(PLAN_FILE_LINES)) {
        switch (reader.next(raw, lineLimit)) {
        case LineReader::Status::Line:
            break;
        case LineReader::Status::End:
            return PlanRead::Read;
        case LineReader::Status::TooLong:
            return PlanRead::NotAPlan;
        case LineReader::Status::Failed:
            return PlanRead::Failed;
        }
        if (bounded && reader.consumed() > MAX_PLAN_BYTES)
            return PlanRead::NotAPlan;
        read.push_back(cp932ToUtf8(raw));
    }
    if (!trailing)
        return PlanRead::Read;

    size_t sectionBytes = 0;
    size_t taken = 0;
    for (; taken < MAX_TRAILING_LINES; ++taken) {
        const LineReader::Status status = reader.next(raw, MAX_LINE_BYTES);
        if (status == LineReader::Status::Failed)
            return PlanRead::Failed;
        if (status == LineReader::Status::End)
            return PlanRead::Read;
        sectionBytes += raw.size();
        if (status == LineReader::Status::Line && taken > 0 && raw == MONEY_SECTION_END) {
            trailing->emplace_back(MONEY_SECTION_END);
            return PlanRead::Read;
        }
        if (status == LineReader::Status::TooLong || sectionBytes > MAX_TRAILING_BYTES) {
            // A section that began is cut here: this line and the rest are not read.
            if (cut && taken > 0) {
                cut->firstLine = static_cast<size_t>(PLAN_FILE_LINES) + taken + 1;
                cut->unreadLines = 1;
                if (status == LineReader::Status::Line)
                    countUnread(reader, *cut);
            }
            return PlanRead::Read;
        }
        std::string line = cp932ToUtf8(raw);
        if (taken == 0 && line != MONEY_SECTION_HEADER)
            return PlanRead::Read;
        const bool last = line == MONEY_SECTION_END;
        trailing->push_back(std::move(line));
        if (last)
            return PlanRead::Read;
    }
    // As many lines as are read, and no END_MONEY among them.
    if (cut) {
        cut->firstLine = static_cast<size_t>(PLAN_FILE_LINES) + taken + 1;
        countUnread(reader, *cut);
        if (cut->unreadLines == 0 && cut->unreadCounted)
            *cut = MoneySectionCut(); // the file simply ends there (or has END_MONEY next)
    }
    return PlanRead::Read;
}

void putLines(std::vector<std::string>& read, FileLines& lines)
{
    for (size_t slot = 0; slot < read.size(); ++slot)
        lines[slot] = std::move(read[slot]);
}

} // namespace

const char* const NOT_A_PLAN_FILE = "ハルカゼのファイルではありません";

void splitPlanFileBytes(
    std::string_view bytes, FileLines& lines, std::vector<std::string>* trailing, MoneySectionCut* cut)
{
    LineReader reader(bytes);
    std::vector<std::string> read;
    if (cut)
        *cut = MoneySectionCut();
    takeLines(reader, read, trailing, false, cut);
    putLines(read, lines);
}

bool FILE_IN(const std::string& path, FileLines& lines, std::string* error)
{
    return FILE_IN(path, lines, error, nullptr);
}

bool FILE_IN(const std::string& path,
    FileLines& lines,
    std::string* error,
    std::vector<std::string>* trailing,
    MoneySectionCut* cut)
{
    const FileDescriptor file(openRegularFileForReading(path, error));
    if (!file.isOpen())
        return false;
    LineReader reader(file.get());
    std::vector<std::string> read;
    std::vector<std::string> section;
    MoneySectionCut sectionCut;
    const PlanRead result = takeLines(reader, read, trailing ? &section : nullptr, true, &sectionCut);
    if (result != PlanRead::Read) {
        if (error)
            *error = result == PlanRead::NotAPlan ? NOT_A_PLAN_FILE : std::strerror(reader.errorCode());
        return false;
    }
    putLines(read, lines);
    if (trailing)
        *trailing = std::move(section);
    if (cut)
        *cut = sectionCut;
    return true;
}

void parsePlanFileLines(const FileLines& lines, FamilyPlan& plan)
{
    for (int slot = 1; slot <= ST1_FIELD_COUNT; ++slot)
        readNumber(lines, kSt1First + slot - 1, plan.st1(slot));
    for (int slot = 1; slot <= COUPLE_FIELD_COUNT; ++slot) {
        readNumber(lines, kSt2First + slot - 1, plan.couple(CoupleSection::ST2, slot));
        readNumber(lines, kSt4First + slot - 1, plan.couple(CoupleSection::ST4, slot));
        readNumber(lines, kSt5First + slot - 1, plan.couple(CoupleSection::ST5, slot));
    }
    readNumber(lines, kSt3First, plan.ST3_RECORDED);
    readNumber(lines, kSt3First + 1, plan.ST3_COUNT);

    // All ten children are read whatever ST3_COUNT says; the placeholder lines of children above
    // the count are not numbers and leave their elements as they were.
    for (int child = 1; child <= MAX_CHILDREN; ++child) {
        for (int column = 1; column <= MTX1_COLUMNS; ++column)
            readNumber(lines, mtx1Line(child, column), plan.mtx1(child, column));
        for (int column = 1; column <= MTX2_COLUMNS; ++column)
            plan.mtx2(child, column) = lines[static_cast<size_t>(mtx2Line(child, column) - 1)];
    }
}

} // namespace harukaze
