// SPDX-License-Identifier: GPL-3.0-or-later
// harukaze-csv: writes the life cycle table of a plan file (or of the opening demo's sample
// family) as CSV, PDF or Excel workbook, without the desktop. The plan is read as the Open command
// reads it and the table is built as the table window builds it, so the file equals the desktop's
// CSV export, PDF and workbook. With --attention it writes the table's attention markers instead,
// one line per marker; with --cashflow the plan's cash-flow table (キャッシュフロー表); with --compare
// two to four plans side by side (プランの比較).

#include "Compare.h"
#include "CutWarning.h"
#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/io/SaveFile.h"
#include "core/money/CashFlow.h"
#include "core/money/EducationCosts.h"
#include "core/money/Housing.h"
#include "core/money/PensionComparison.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"
#include "core/table/Attention.h"
#include "core/table/Clock.h"
#include "core/table/SampleFamily.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableCsv.h"
#include "core/table/TextMatrix.h"

#ifdef HARUKAZE_WITH_EXPORT
#include "export/PrintableTable.h"
#include "export/TablePdf.h"
#include "export/XlsxWorkbook.h"

#include <QDate>
#include <QGuiApplication>
#endif

#include <cstdio>
#include <cstdlib>
#include <getopt.h>
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

const char* const USAGE
    = "usage: harukaze-csv [--pdf|--xlsx] [--year YYYY] [--data-dir DIR] PLAN.HRZ|--demo OUT.CSV|OUT.pdf|OUT.xlsx|-\n"
      "       harukaze-csv --attention [--year YYYY] [--data-dir DIR] PLAN.HRZ|--demo OUT.CSV|-\n"
      "       harukaze-csv --cashflow [--year YYYY] [--data-dir DIR] PLAN.HRZ|--demo OUT.CSV|-\n"
      "       harukaze-csv --loan-schedule [--year YYYY] [--data-dir DIR] PLAN.HRZ OUT.CSV|-\n"
      "       harukaze-csv --pension-ages [--year YYYY] [--data-dir DIR] PLAN.HRZ|--demo OUT.CSV|-\n"
      "       harukaze-csv --compare [--year YYYY] [--data-dir DIR] A.HRZ B.HRZ [C.HRZ [D.HRZ]] OUT.CSV|-\n";
const char* const HELP = "Writes the life cycle table of a plan file as CSV (code page 932, CR LF line ends),\n"
                         "as the printed pages in a PDF file, or as an Excel workbook.\n"
                         "\n"
                         "  --attention     write the table's attention markers instead: the header\n"
                         "                  西暦,注意,対象 and one line per marker, years ascending\n"
                         "  --cashflow      write the cash-flow table (キャッシュフロー表) of the plan's\n"
                         "                  household money settings instead (their defaults when the\n"
                         "                  plan has none)\n"
                         "  --loan-schedule write the housing loan's 返済予定表 instead (the header row\n"
                         "                  alone when the plan has no loan)\n"
                         "  --pension-ages  write the comparison of the pension start ages 60-75\n"
                         "                  (受給開始年齢の比較) of each spouse whose pension is estimated\n"
                         "  --compare       compare two to four plan files (プランの比較): the row 項目\n"
                         "                  with the file names, eleven indicators of each plan, then\n"
                         "                  one row per year with each plan's 貯蓄残高\n"
                         "  PLAN.HRZ        the plan file to export\n"
                         "  --demo          export the opening demo's sample family instead of a plan file\n"
                         "  OUT             the file to write (a pipe, socket or device such as /dev/stdout\n"
                         "                  is written as a stream); - writes to standard output\n"
                         "  --pdf           write a PDF document (A4 landscape) whatever OUT is called\n"
                         "  --xlsx          write an Excel workbook whatever OUT is called\n"
                         "                  (without either option, OUT ending in .pdf or .xlsx chooses\n"
                         "                  that form, any other name CSV)\n"
                         "  --year YYYY     first year of the table (default: the current year)\n"
                         "  --data-dir DIR  folder of the life-expectancy files 男余命.dat and 女余命.dat\n"
                         "                  (default: the folder of this program)\n"
                         "  --help          show this help\n"
                         "\n"
                         "Exit status: 0 written, 1 the plan could not be read or the output not written,\n"
                         "2 bad arguments.\n";

enum class OutputForm { Csv, Pdf, Xlsx };

struct Options
{
    std::optional<OutputForm> form;
    std::optional<int> year;
    std::optional<std::string> dataDir;
    bool demo = false;
    bool attention = false;
    bool cashFlow = false;
    bool loanSchedule = false;
    bool pensionAges = false;
    bool compare = false;
    std::vector<std::string> comparedPaths;
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

// The long options; each short code names the option for the switch below.
enum OptionCode {
    OPT_HELP = 'h',
    OPT_DEMO = 1000,
    OPT_ATTENTION,
    OPT_CASHFLOW,
    OPT_LOAN_SCHEDULE,
    OPT_PENSION_AGES,
    OPT_PDF,
    OPT_XLSX,
    OPT_YEAR,
    OPT_DATA_DIR,
    OPT_COMPARE,
};

const option LONG_OPTIONS[] = {
    { "help", no_argument, nullptr, OPT_HELP },
    { "demo", no_argument, nullptr, OPT_DEMO },
    { "attention", no_argument, nullptr, OPT_ATTENTION },
    { "cashflow", no_argument, nullptr, OPT_CASHFLOW },
    { "loan-schedule", no_argument, nullptr, OPT_LOAN_SCHEDULE },
    { "pension-ages", no_argument, nullptr, OPT_PENSION_AGES },
    { "pdf", no_argument, nullptr, OPT_PDF },
    { "xlsx", no_argument, nullptr, OPT_XLSX },
    { "year", required_argument, nullptr, OPT_YEAR },
    { "data-dir", required_argument, nullptr, OPT_DATA_DIR },
    { "compare", no_argument, nullptr, OPT_COMPARE },
    { nullptr, 0, nullptr, 0 },
};

// What a missing option argument is called in the usage error.
std::string missingArgumentProblem(int code)
{
    switch (code) {
    case OPT_YEAR:
        return "--year needs a year";
    case OPT_DATA_DIR:
        return "--data-dir needs a folder";
    default:
        return "an option needs a value";
    }
}

// Returns an exit status when the arguments end the program (help or a usage error). Options may
// stand anywhere; "--" ends them, and "-" is the standard output.
std::optional<int> parseArguments(int argc, char** argv, Options& options)
{
    opterr = 0; // the usage errors below are ours
    optind = 1;
    int code = 0;
    while ((code = getopt_long(argc, argv, ":h", LONG_OPTIONS, nullptr)) != -1) {
        switch (code) {
        case OPT_HELP:
            std::fputs(USAGE, stdout);
            std::fputs(HELP, stdout);
            return EXIT_OK;
        case OPT_DEMO:
            options.demo = true;
            break;
        case OPT_ATTENTION:
            options.attention = true;
            break;
        case OPT_CASHFLOW:
            options.cashFlow = true;
            break;
        case OPT_LOAN_SCHEDULE:
            options.loanSchedule = true;
            break;
        case OPT_PENSION_AGES:
            options.pensionAges = true;
            break;
        case OPT_COMPARE:
            options.compare = true;
            break;
        case OPT_PDF:
        case OPT_XLSX: {
            const OutputForm form = code == OPT_PDF ? OutputForm::Pdf : OutputForm::Xlsx;
            if (options.form && *options.form != form)
                return usageError("--pdf and --xlsx exclude each other");
            options.form = form;
            break;
        }
        case OPT_YEAR:
            options.year = parseYear(optarg);
            if (!options.year)
                return usageError(std::string("--year needs a year from 1 to 9999, not \"") + optarg + "\"");
            break;
        case OPT_DATA_DIR:
            if (*optarg == '\0')
                return usageError("--data-dir needs a folder");
            options.dataDir = optarg;
            break;
        case ':':
            return usageError(missingArgumentProblem(optopt));
        default:
            return usageError(std::string("unknown option ") + argv[optind - 1]);
        }
    }
    const std::vector<std::string> positional(argv + optind, argv + argc);

    if (int(options.attention) + int(options.cashFlow) + int(options.loanSchedule) + int(options.pensionAges) > 1)
        return usageError("--attention, --cashflow, --loan-schedule and --pension-ages exclude each other");
    if ((options.attention || options.cashFlow || options.loanSchedule || options.pensionAges) && options.form)
        return usageError("--attention, --cashflow, --loan-schedule and --pension-ages write CSV only");

    if (options.compare) {
        if (options.demo || options.attention || options.cashFlow || options.loanSchedule || options.pensionAges
            || options.form)
            return usageError("--compare takes plan files and writes CSV only");
        if (positional.size() < 3)
            return usageError("--compare needs two to four plan files and OUT.CSV");
        if (positional.size() > 5)
            return usageError("--compare compares at most four plan files");
        options.comparedPaths.assign(positional.begin(), positional.end() - 1);
        options.outPath = positional.back();
        return std::nullopt;
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

bool endsWithNoCase(const std::string& text, const std::string& tail)
{
    if (text.size() < tail.size())
        return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        const char c = text[text.size() - tail.size() + i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != tail[i])
            return false;
    }
    return true;
}

// An option names the form; without one, the output file's extension does.
OutputForm outputForm(const Options& options)
{
    // The attention markers and the cash-flow table are CSV files whatever OUT is called.
    if (options.attention || options.cashFlow || options.loanSchedule || options.pensionAges || options.compare)
        return OutputForm::Csv;
    if (options.form)
        return *options.form;
    if (endsWithNoCase(options.outPath, ".pdf"))
        return OutputForm::Pdf;
    if (endsWithNoCase(options.outPath, ".xlsx"))
        return OutputForm::Xlsx;
    return OutputForm::Csv;
}

bool writeToStandardOutput(const std::string& bytes)
{
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (!written || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "harukaze-csv: cannot write to standard output\n");
        return false;
    }
    return true;
}

#ifdef HARUKAZE_WITH_EXPORT

// The PDF needs fonts, so a (window-less) Qt application: on a machine without a display it runs
// on the offscreen platform.
int writeDocument(const Options& options, OutputForm form, const TableModel& model, char* program)
{
    std::unique_ptr<QGuiApplication> app;
    if (form == OutputForm::Pdf) {
        const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
        if (!std::getenv("QT_QPA_PLATFORM") && !display)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Qt's notes about the session (no runtime folder and the like) are no concern of a user
        // of this tool; its errors still show.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "harukaze-csv: %s\n", message.toLocal8Bit().constData());
        });
        // Qt sees only the program name, never our arguments.
        static int qtArgc = 1;
        static char* qtArgv[] = { program, nullptr };
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    }
    const QString planPath = options.demo ? QString() : QString::fromLocal8Bit(options.planPath.c_str());
    const PrintableTable table = printableLifeCycleTable(model, planPath, QDate::currentDate());
    QString error;
    const QByteArray bytes = form == OutputForm::Pdf ? tablePdf(table) : workbookOf(table).bytes(&error);
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "harukaze-csv: cannot make the document %s\n", error.toLocal8Bit().constData());
        return EXIT_FAILED;
    }
    if (options.outPath == "-")
        return writeToStandardOutput(bytes.toStdString()) ? EXIT_OK : EXIT_FAILED;
    // As the CSV: a pipe or a device takes the document as a stream, a file is replaced whole.
    std::string reason;
    if (!saveFileOrStream(
            options.outPath, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), &reason)) {
        std::fprintf(stderr, "harukaze-csv: cannot write %s: %s\n", options.outPath.c_str(), reason.c_str());
        return EXIT_FAILED;
    }
    return EXIT_OK;
}

#endif

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const std::optional<int> status = parseArguments(argc, argv, options))
        return *status;
    const OutputForm form = outputForm(options);
#ifndef HARUKAZE_WITH_EXPORT
    if (form != OutputForm::Csv) {
        std::fprintf(stderr, "harukaze-csv: this build writes CSV only (PDF and Excel need the desktop build)\n");
        return EXIT_FAILED;
    }
#endif

    std::string conversionError;
    if (!cp932Available(&conversionError)) {
        std::fprintf(stderr, "harukaze-csv: %s\n", conversionError.c_str());
        return EXIT_FAILED;
    }

    TableContext context;
    context.y0 = options.year ? *options.year : currentYear();
    context.appDir = options.dataDir ? *options.dataDir : programFolder();
    if (context.appDir.back() != '/')
        context.appDir += '/';

    if (options.compare)
        return writePlanComparison(options.comparedPaths, context, options.outPath);

    // The plan as the Open command reads it: reset, take the file's lines, parse by line number.
    FamilyPlan plan;
    REC_CLEAR(plan);
    if (options.demo) {
        writeSampleFamily(plan);
    } else {
        auto lines = std::make_unique<FileLines>();
        std::vector<std::string> trailing;
        std::string error;
        MoneySectionCut cut;
        if (!FILE_IN(options.planPath, *lines, &error, &trailing, &cut)) {
            std::fprintf(
                stderr, "harukaze-csv: cannot read the plan file %s: %s\n", options.planPath.c_str(), error.c_str());
            return EXIT_FAILED;
        }
        parsePlanFileLines(*lines, plan);
        parseMoneySection(trailing, plan, &cut);
        warnOfCut(options.planPath, cut);
    }

    const TableModel model = buildLifeCycleTable(plan, context);

    std::string bytes;
    if (options.attention)
        bytes = attentionCsvBytes(findAttentionMarkers(model, universityYearsOf(plan)));
    else if (options.cashFlow)
        bytes = cashFlowCsvBytes(buildCashFlowTable(plan, model));
    else if (options.loanSchedule)
        bytes = planLoanScheduleCsvBytes(plan, context);
    else if (options.pensionAges)
        bytes = pensionStartAgesCsvBytes(plan, context.y0);
    else
        bytes = tableCsvBytes(textMatrixOf(model), TABLE_ROWS, model.columnCount());

#ifdef HARUKAZE_WITH_EXPORT
    if (form != OutputForm::Csv)
        return writeDocument(options, form, model, argv[0]);
#endif

    if (options.outPath == "-")
        return writeToStandardOutput(bytes) ? EXIT_OK : EXIT_FAILED;

    // A pipe, a terminal, /dev/null or a process substitution takes the CSV as a stream; a file is
    // replaced as the desktop's CSV command replaces it.
    std::string error;
    if (!saveFileOrStream(options.outPath, bytes, &error)) {
        std::fprintf(stderr, "harukaze-csv: cannot write %s: %s\n", options.outPath.c_str(), error.c_str());
        return EXIT_FAILED;
    }
    return EXIT_OK;
}
