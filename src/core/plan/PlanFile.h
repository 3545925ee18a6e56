// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/FamilyPlan.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace harukaze {

/**
 * The plan file: 300 positional lines of CP932 text, each ended by CR LF. Every value has a fixed
 * line; spare slots hold placeholder lines such as "YOBI_ST1(13)" so that every file has the same
 * length. Children above ST3_COUNT are written as placeholders too.
 */

constexpr int PLAN_FILE_LINES = 300;

/** The lines of the last plan file read, slot i - 1 holding line i (UTF-8, without line ends). */
using FileLines = std::array<std::string, PLAN_FILE_LINES>;

/**
 * The 300 lines of `plan` as UTF-8 texts (line i in element i - 1). Children above ST3_COUNT
 * (clamped to 0..10) get placeholders; ST3_MTX2 texts lose leading and trailing half-width spaces,
 * and a CR or LF inside one is written as a space so that it cannot shift the lines after it.
 */
FileLines planFileLines(const FamilyPlan& plan);

/**
 * The complete file content: planFileLines() in CP932, each line ended by CR LF, followed by the money
 * section (moneySectionLines()) when the plan has money settings.
 */
std::string planFileBytes(const FamilyPlan& plan);

/**
 * Writes `plan` to `path`, replacing the file only once everything was written. Returns true on
 * success (marking the plan saved is the caller's). On failure returns false, leaves any existing
 * file untouched and sets `error`.
 */
bool FILE_OUT_D(const std::string& path, const FamilyPlan& plan, std::string* error = nullptr);

/** The reason given for a file that cannot be a plan (a line over MAX_LINE_BYTES, or too big). */
extern const char* const NOT_A_PLAN_FILE; // "ハルカゼのファイルではありません"

/** The 300 lines of a plan, their ends included, take at most this many bytes (a real plan ~3 KB). */
constexpr size_t MAX_PLAN_BYTES = 1024 * 1024;

/**
 * Reads the file at `path` into `lines` (at most 300 lines; CR LF, LF or CR end a line; bytes that
 * are not CP932 become U+FFFD; slots past the end of the file are left as they were). The file is
 * read line by line and only as far as the lines used, so its size does not matter; anything but a
 * regular file (a folder, a FIFO, a device) is refused at once without waiting. Returns false,
 * leaving `lines` as it was, when the file does not exist, cannot be read, is no regular file
 * (NOT_A_REGULAR_FILE), or has a line longer than MAX_LINE_BYTES or first 300 lines over
 * MAX_PLAN_BYTES (NOT_A_PLAN_FILE); `error` then receives the reason.
 */
bool FILE_IN(const std::string& path, FileLines& lines, std::string* error = nullptr);

/** The first line after the 300 when the plan has a money section, and the section's last line. */
inline constexpr std::string_view MONEY_SECTION_HEADER = "HARUKAZE_MONEY(1)";
inline constexpr std::string_view MONEY_SECTION_END = "END_MONEY";
/** At most this many lines after the 300 are read. */
constexpr size_t MAX_TRAILING_LINES = 4096;
/** ... and at most this many bytes of them (without their ends); a line over MAX_LINE_BYTES ends the section. */
constexpr size_t MAX_TRAILING_BYTES = 1024 * 1024;

/**
 * What a reader left out of a money section that went past its caps (MAX_TRAILING_LINES,
 * MAX_TRAILING_BYTES, a line over MAX_LINE_BYTES): the lines from `firstLine` of the file on were
 * not read, END_MONEY included. readMoneySection() adds the later-version lines it had to leave
 * out so that the settings the writer adds still fit (`droppedKept`).
 */
struct MoneySectionCut
{
    size_t firstLine = 0; ///< the file's line number of the first line not read; 0 when all was read
    size_t unreadLines = 0; ///< lines from there up to END_MONEY or the end of the file ...
    bool unreadCounted = false; ///< ... when they were all counted (false: "and every line after")
    size_t droppedKept = 0; ///< lines read but left out to keep room for what the writer adds

    bool any() const { return firstLine != 0 || droppedKept != 0; }
};

/**
 * FILE_IN that also returns the money section: when line 301 is MONEY_SECTION_HEADER, `trailing`
 * receives lines 301 .. the first MONEY_SECTION_END line (included), at most MAX_TRAILING_LINES
 * lines and MAX_TRAILING_BYTES bytes; otherwise it is left empty. A section cut at those caps is
 * described in `cut` (when given). Readers of the 300-line format never see these lines.
 */
bool FILE_IN(const std::string& path,
    FileLines& lines,
    std::string* error,
    std::vector<std::string>* trailing,
    MoneySectionCut* cut = nullptr);

/**
 * Splits file bytes into `lines` as FILE_IN does (slots past the end of the file are left as they
 * were; lines found are appended to `trailing`, a cut section described in `cut`), without
 * FILE_IN's limits on the first 300 lines: the bytes are in memory already.
 */
void splitPlanFileBytes(std::string_view bytes,
    FileLines& lines,
    std::vector<std::string>* trailing = nullptr,
    MoneySectionCut* cut = nullptr);

/**
 * The open command's parser: assigns lines to fields by line number. A numeric line that is empty,
 * not a whole number or out of the 16-bit range is skipped and its field keeps its value; ST3_MTX2
 * lines are taken unchanged. Nothing is cross-checked.
 */
void parsePlanFileLines(const FileLines& lines, FamilyPlan& plan);

} // namespace harukaze
