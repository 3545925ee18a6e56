// SPDX-License-Identifier: GPL-3.0-or-later
// harukaze-csv: writes the life cycle table of a plan file (or of the opening demo's sample
// family) as CSV, without the desktop. The plan is read as the Open command reads it and the
// table is built as the table window builds it, so the file equals the desktop's CSV export.
// With --cashflow it writes the plan's cash-flow table (キャッシュフロー表) instead.

#include "core/money/CashFlow.h"
#include "core/money/MoneySection.h"
#include "core/plan/CsvWriter.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/PlanFile.h"
#include "core/plan/SaveFile.h"
#include "core/table/Clock.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "core/table/TextMatrix.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace harukaze;

namespace {

constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

const char* const USAGE = "usage: harukaze-csv [--year YYYY] [--data-dir DIR] PLAN.HRZ|--demo OUT.CSV|-\n"
                          "       harukaze-csv --cashflow [--year YYYY] [--data-dir DIR] PLAN.HRZ|--demo OUT.CSV|-\n";
const char* const HELP = "Writes the life cycle table of a plan file as CSV (code page 932, CR LF line ends).\n"
                         "\n"
                         "  --cashflow      write the cash-flow table (キャッシュフロー表) of the plan's\n"
                         "                  household money settings instead (their defaults when the\n"
                         "                  plan has none)\n"
                         "  PLAN.HRZ        the plan file to export\n"
                         "  --demo          export the opening demo's sample family instead of a plan file\n"
                         "  OUT.CSV         the file to write; - writes to standard output\n"
                         "  --year YYYY     first year of the table (default: the current year)\n"
                         "  --data-dir DIR  folder of the life-expectancy files 男余命.dat and 女余命.dat\n"
                         "                  (default: the folder of this program)\n"
                         "  --help          show this help\n"
                         "\n"
                         "Exit status: 0 written, 1 the plan could not be read or the output not written,\n"
                         "2 bad arguments.\n";

struct Options
{
    std::optional<int> year;
    std::optional<std::string> dataDir;
    bool demo = false;
    bool cashFlow = false;
    std::string planPath;
    std::string outPath;
};

int usageError(const std::string& problem)
{
    std::fprintf(stderr, "harukaze-csv: %s\n%s", problem.c_str(), USAGE);
    return EXIT_USAGE;
}

std::optional<int> parseYear(const std::string& text)
{
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int year = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        year = year * 10 + (c - '0');
    }
    if (year < 1)
        return std::nullopt;
    return year;
}

// The folder of this executable with a trailing "/", where the build and the installation put
// the data files.
std::string programFolder()
{
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return "./";
    const std::string path(buffer.data(), static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// Returns an exit status when the arguments end the program (help or a usage error).
std::optional<int> parseArguments(int argc, char** argv, Options& options)
{
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            std::fputs(HELP, stdout);
            return EXIT_OK;
        } else if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--cashflow") {
            options.cashFlow = true;
        } else if (arg == "--year" || arg.rfind("--year=", 0) == 0) {
            std::string value;
            if (arg == "--year") {
                if (i + 1 >= argc)
                    return usageError("--year needs a year");
                value = argv[++i];
            } else {
                value = arg.substr(7);
            }
            options.year = parseYear(value);
            if (!options.year)
                return usageError("--year needs a year from 1 to 9999, not \"" + value + "\"");
        } else if (arg == "--data-dir" || arg.rfind("--data-dir=", 0) == 0) {
            std::string value;
            if (arg == "--data-dir") {
                if (i + 1 >= argc)
                    return usageError("--data-dir needs a folder");
                value = argv[++i];
            } else {
                value = arg.substr(11);
            }
            if (value.empty())
                return usageError("--data-dir needs a folder");
            options.dataDir = value;
        } else {
            return usageError("unknown option " + arg);
        }
    }

    const size_t wanted = options.demo ? 1 : 2;
    if (positional.size() != wanted) {
        if (positional.size() < wanted)
            return usageError(options.demo ? "missing OUT.CSV" : "missing PLAN.HRZ or OUT.CSV");
        return usageError("too many arguments");
    }
    if (options.demo) {
        options.outPath = positional[0];
    } else {
        options.planPath = positional[0];
        options.outPath = positional[1];
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const std::optional<int> status = parseArguments(argc, argv, options))
        return *status;

    // The plan as the Open command reads it: reset, take the file's lines, parse by line number.
    FamilyPlan plan;
    REC_CLEAR(plan);
    if (options.demo) {
        writeSampleFamily(plan);
    } else {
        auto lines = std::make_unique<FileLines>();
        std::vector<std::string> trailing;
        std::string error;
        if (!FILE_IN(options.planPath, *lines, &error, &trailing)) {
            std::fprintf(stderr, "harukaze-csv: cannot read the plan file %s\n", error.c_str());
            return EXIT_FAILED;
        }
        parsePlanFileLines(*lines, plan);
        parseMoneySection(trailing, plan);
    }

    TableContext context;
    context.y0 = options.year ? *options.year : currentYear();
    context.appDir = options.dataDir ? *options.dataDir : programFolder();
    if (context.appDir.back() != '/')
        context.appDir += '/';

    std::string bytes;
    if (options.cashFlow) {
        bytes = cashFlowCsvBytes(buildCashFlowTable(plan, context));
    } else {
        // A fresh TBL, filled as a table window fills it.
        auto tbl = std::make_unique<TextMatrix>();
        const TableModel model = buildLifeCycleTable(plan, context, tbl.get());
        bytes = tableCsvBytes(*tbl, TABLE_ROWS, model.columnCount());
    }

    if (options.outPath == "-") {
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        if (!written || std::fflush(stdout) != 0) {
            std::fprintf(stderr, "harukaze-csv: cannot write to standard output\n");
            return EXIT_FAILED;
        }
        return EXIT_OK;
    }

    std::string error;
    if (!saveFileAtomically(options.outPath, bytes, &error)) {
        std::fprintf(stderr, "harukaze-csv: cannot write %s\n", error.c_str());
        return EXIT_FAILED;
    }
    return EXIT_OK;
}
