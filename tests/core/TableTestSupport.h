// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the life cycle table tests: temporary data folders and table builds.
#pragma once

#include "core/io/Cp932.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableCsv.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace harukaze;

namespace tabletest {

/** A folder under /tmp that is removed with the object; path() ends in "/". */
class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "harukaze-table-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return m_path + "/"; }

    /** Writes `bytes` as they are to the file `name` (UTF-8 name) in this folder. */
    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(m_path + "/" + name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::string m_path;
};

/** Joins lines with `eol` after each one. */
inline std::string joinLines(const std::vector<std::string>& lines, const std::string& eol = "\r\n")
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + eol;
    return bytes;
}

/**
 * A data file of `count` lines for ages 0..count-1: each line the age as three digits followed by
 * `value(age)` (the text from the fourth character on), in CP932 with CR LF.
 */
inline std::string lifeFile(int count, const std::function<std::string(int)>& value)
{
    std::vector<std::string> lines;
    for (int age = 0; age < count; ++age) {
        std::string prefix = std::to_string(age);
        prefix.insert(0, 3 - std::min<size_t>(3, prefix.size()), '0');
        lines.push_back(prefix + value(age));
    }
    return utf8ToCp932(joinLines(lines));
}

/** A data file in which every current age gives the same age at death. */
inline std::string uniformLifeFile(int ageAtDeath, int count = 121)
{
    return lifeFile(count, [ageAtDeath](int) { return " " + std::to_string(ageAtDeath); });
}

inline const std::string MALE_FILE = "男余命.dat";
inline const std::string FEMALE_FILE = "女余命.dat";

/** A finished build. */
struct Built
{
    TableModel model;

    const std::string& cell(int row, int col) const { return model.text(row, col); }
    /** The cell of `col` in the row of `year` for a table starting at `y0`. */
    const std::string& yearCell(int y0, int year, int col) const { return model.text(2 + year - y0, col); }
};

inline Built buildTable(const FamilyPlan& plan, int y0, const std::string& appDir)
{
    Built built;
    TableContext context;
    context.y0 = y0;
    context.appDir = appDir;
    built.model = buildLifeCycleTable(plan, context);
    return built;
}

/** Every year cell of a column, rows 2..52. */
inline std::vector<std::string> yearCells(const TableModel& model, int col)
{
    std::vector<std::string> cells;
    for (int row = 2; row < TABLE_ROWS; ++row)
        cells.push_back(model.text(row, col));
    return cells;
}

/** True when some year cell of the column contains `text`. */
inline bool columnContains(const TableModel& model, int col, const std::string& text)
{
    for (const std::string& cell : yearCells(model, col)) {
        if (cell.find(text) != std::string::npos)
            return true;
    }
    return false;
}

/**
 * Ends the test process with SIGALRM should a step that must never wait (opening a FIFO or a
 * device) hang, so that a fault fails the test instead of stopping the run.
 */
class HangGuard
{
public:
    explicit HangGuard(unsigned seconds = 30) { alarm(seconds); }
    ~HangGuard() { alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

/** The names in folder `dir` (without "." and ".."), sorted. */
inline std::vector<std::string> folderEntries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/** A file with `size` bytes, all a hole after `head`: a huge file that takes no room on disk. */
inline void writeSparseFile(const std::string& path, const std::string& head, off_t size)
{
    std::ofstream(path, std::ios::binary) << head;
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
}

} // namespace tabletest
