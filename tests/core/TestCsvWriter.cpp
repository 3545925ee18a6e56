// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/CsvWriter.h"
#include "core/table/TableCsv.h"

#include "core/io/SaveFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace harukaze;

namespace {

// A matrix whose rows are given as lists of cells (row r, column c -> tbl[c][r]).
std::unique_ptr<TextMatrix> matrixOf(const std::vector<std::vector<std::string>>& rows)
{
    auto tbl = std::make_unique<TextMatrix>();
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c)
            (*tbl)[c][r] = rows[r][c];
    }
    return tbl;
}

struct CsvCase
{
    const char* name;
    std::vector<std::vector<std::string>> rows;
    int rowCount;
    int colCount;
    std::string expected;
};

class TestCsvWriterRows : public testing::TestWithParam<CsvCase>
{
};

TEST_P(TestCsvWriterRows, writesTheExpectedBytes)
{
    const CsvCase& row = GetParam();
    EXPECT_EQ(tableCsvBytes(*matrixOf(row.rows), row.rowCount, row.colCount), row.expected) << row.name;
}

const CsvCase kCases[] = {
    { "empty cell in the middle", { { "1998", "", "30" } }, 1, 3, "1998,,30\r\n" },
    { "row of empty cells", { { "", "", "", "" } }, 1, 4, ",,,\r\n" },
    { "one column", { { "a" }, { "b" } }, 2, 1, "a\r\nb\r\n" },
    { "only the grid's extent is written",
        { { "1", "2", "3" }, { "4", "5", "6" }, { "7", "8", "9" } },
        2,
        2,
        "1,2\r\n4,5\r\n" },
    { "no table", { { "1", "2" } }, 0, 0, "" },
    { "no rows", { { "1", "2" } }, 0, 2, "" },
    { "no columns", { { "1", "2" } }, 3, 0, "" },
    { "negative extent", { { "1", "2" } }, -1, -5, "" },
    { "Japanese in CP932",
        { { "年度", "平成", "夫" }, { "1998", "10", "34 結婚" } },
        2,
        3,
        "\x94\x4E\x93\x78,\x95\xBD\x90\xAC,\x95\x76\r\n1998,10,34 \x8C\x8B\x8D\xA5\r\n" },
    { "second byte is a backslash",
        { { "ライフサイクル表" } },
        1,
        1,
        "\x83\x89\x83\x43\x83\x74\x83\x54\x83\x43\x83\x4E\x83\x8B\x95\x5C\r\n" },
    { "half-width katakana and ideographic space", { { "ｶﾝﾏ", "　" } }, 1, 2, "\xB6\xDD\xCF,\x81\x40\r\n" },
    { "leading and trailing spaces are kept",
        { { " 05 長男誕生", "  " } },
        1,
        2,
        " 05 \x92\xB7\x92\x6A\x92\x61\x90\xB6,  \r\n" },
    { "comma is quoted", { { "a,b", "c" } }, 1, 2, "\"a,b\",c\r\n" },
    { "quote is doubled", { { "say \"hi\"", "x" } }, 1, 2, "\"say \"\"hi\"\"\",x\r\n" },
    { "line breaks are quoted", { { "a\nb", "c\rd", "e\r\nf" } }, 1, 3, "\"a\nb\",\"c\rd\",\"e\r\nf\"\r\n" },
    { "unencodable text becomes a question mark", { { "\xF0\x9F\x98\x80" } }, 1, 1, "?\r\n" },
};

INSTANTIATE_TEST_SUITE_P(Rows, TestCsvWriterRows, testing::ValuesIn(kCases));

TEST(TestCsvWriter, extentIsHeldToTheMatrix)
{
    auto tbl = std::make_unique<TextMatrix>();
    (*tbl)[18][52] = "last";
    const std::string bytes = tableCsvBytes(*tbl, 1000, 1000);
    const std::string lastLine = std::string(18, ',') + "last\r\n";
    ASSERT_GE(bytes.size(), lastLine.size());
    EXPECT_EQ(bytes.substr(bytes.size() - lastLine.size()), lastLine);
    EXPECT_EQ(bytes, tableCsvBytes(*tbl, 53, 19));
    size_t lines = 0;
    for (size_t pos = bytes.find("\r\n"); pos != std::string::npos; pos = bytes.find("\r\n", pos + 2))
        ++lines;
    EXPECT_EQ(lines, 53u);
}

class TempDir
{
public:
    TempDir()
    {
        char pattern[] = "/tmp/harukaze-csv-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

TEST(TestCsvWriter, fileOutWritesAndReplaces)
{
    TempDir dir;
    const std::string path = dir.path() + "/表.CSV";
    auto tbl = matrixOf({ { "1998", "", "30" }, { "1999", "長女", "31" } });
    std::string error;
    ASSERT_TRUE(FILE_OUT(path, *tbl, 2, 3, &error)) << error;
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, "1998,,30\r\n1999,\x92\xB7\x8F\x97,31\r\n");

    // With no table the file is replaced by an empty one.
    ASSERT_TRUE(FILE_OUT(path, *tbl, 0, 0));
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, "");
}

TEST(TestCsvWriter, failedExportKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.path() + "/table.CSV";
    auto tbl = std::make_unique<TextMatrix>();
    for (auto& column : *tbl) {
        for (auto& cell : column)
            cell = "ライフサイクル";
    }
    ASSERT_TRUE(FILE_OUT(path, *tbl, 1, 1));

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = FILE_OUT(path, *tbl, 53, 19, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    std::string bytes;
    ASSERT_TRUE(readWholeFile(path, bytes));
    EXPECT_EQ(bytes, "\x83\x89\x83\x43\x83\x74\x83\x54\x83\x43\x83\x4E\x83\x8B\r\n");

    EXPECT_FALSE(FILE_OUT(dir.path() + "/missing/table.CSV", *tbl, 1, 1));
    EXPECT_FALSE(FILE_OUT(path + "/table.CSV", *tbl, 1, 1));
}

} // namespace
