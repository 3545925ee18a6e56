// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the built harukaze-csv as a user would and compares its files with golden CSVs.
#include "TableTestSupport.h"

#include "core/plan/PlanFile.h"
#include "core/table/SampleFamily.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>

using namespace harukaze;

using namespace tabletest;

extern char** environ;

namespace {

const std::string BIN_DIR = std::string(HARUKAZE_BIN_DIR) + "/";
const std::string CASES_DIR = std::string(HARUKAZE_TEST_DATA_DIR) + "/table/";
const std::string CASH_FLOW_CASES_DIR = std::string(HARUKAZE_TEST_DATA_DIR) + "/cashflow/";

struct ProgramRun
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Runs `program` with `args`, standard output and error captured in files of `scratch`.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args, const TempDir& scratch)
{
    const std::string outPath = scratch.path() + "stdout";
    const std::string errPath = scratch.path() + "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> all { program };
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ProgramRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

ProgramRun runCsv(const std::vector<std::string>& args, const TempDir& scratch)
{
    return runProgram(BIN_DIR + "harukaze-csv", args, scratch);
}

std::vector<std::string> splitCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t begin = 0;
    for (size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", begin)) {
        lines.push_back(bytes.substr(begin, end - begin));
        begin = end + 2;
    }
    if (begin < bytes.size())
        lines.push_back(bytes.substr(begin) + "<no CR LF at the end>");
    return lines;
}

std::map<std::string, std::string> readOptions(const std::string& path)
{
    std::map<std::string, std::string> options;
    std::istringstream in(readFile(path));
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            options[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return options;
}

void expectSameLines(const std::string& expected, const std::string& actual, const std::string& what)
{
    const std::vector<std::string> want = splitCrLf(expected);
    const std::vector<std::string> got = splitCrLf(actual);
    for (size_t i = 0; i < std::min(want.size(), got.size()); ++i)
        ASSERT_EQ(cp932ToUtf8(got[i]), cp932ToUtf8(want[i])) << what << ", line " << i + 1;
    ASSERT_EQ(got.size(), want.size()) << what;
    EXPECT_EQ(actual, expected) << what; // and byte for byte
}

} // namespace

// Each folder under data/table holds options (year, data folder, demo), plan.HRZ and expected.csv.
TEST(TestExporter, goldenTables)
{
    const std::vector<std::string> cases {
        "demo-2026",
        "sample-plan-2026",
        "full-family-2031",
        "hostile-plan-2026",
        "no-members-1985",
        "only-wife-no-data-2026",
        "odd-data-2026",
    };
    for (const std::string& name : cases) {
        const std::string dir = CASES_DIR + name + "/";
        std::map<std::string, std::string> options = readOptions(dir + "options");
        ASSERT_FALSE(options["year"].empty()) << name;
        TempDir scratch;
        std::string dataDir = BIN_DIR;
        if (options["data"] == "none")
            dataDir = scratch.path() + "no-such-folder";
        else if (options["data"] == "case")
            dataDir = dir + "data"; // without a trailing slash on purpose
        const std::string out = scratch.path() + "table.csv";
        std::vector<std::string> args { "--year", options["year"], "--data-dir", dataDir };
        args.push_back(options["demo"] == "1" ? "--demo" : dir + "plan.HRZ");
        args.push_back(out);
        const ProgramRun run = runCsv(args, scratch);
        ASSERT_EQ(run.status, 0) << name << ": " << run.err;
        EXPECT_EQ(run.err, "") << name;
        expectSameLines(readFile(dir + "expected.csv"), readFile(out), name);
    }
}

TEST(TestExporter, demoEqualsTheSamplePlanFile)
{
    TempDir scratch;
    const ProgramRun demo = runCsv({ "--year", "2026", "--demo", "-" }, scratch);
    const ProgramRun plan = runCsv({ "--year=2026", CASES_DIR + "sample-plan-2026/plan.HRZ", "-" }, scratch);
    ASSERT_EQ(demo.status, 0) << demo.err;
    ASSERT_EQ(plan.status, 0) << plan.err;
    // Without --data-dir the data files come from the program's own folder.
    expectSameLines(readFile(CASES_DIR + "demo-2026/expected.csv"), demo.out, "demo to standard output");
    EXPECT_EQ(plan.out, demo.out);
}

TEST(TestExporter, yearDefaultsToTheClock)
{
    TempDir scratch;
    const ProgramRun run = runCsv({ "--demo", "-" }, scratch);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = splitCrLf(run.out);
    ASSERT_EQ(lines.size(), 53u);
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    EXPECT_EQ(lines[2].substr(0, 5), std::to_string(local.tm_year + 1900) + ",");
}

TEST(TestExporter, helpAndBadArguments)
{
    TempDir scratch;
    const ProgramRun help = runCsv({ "--help" }, scratch);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: harukaze-csv [--pdf|--xlsx] [--year YYYY] [--data-dir DIR] "
                            "PLAN.HRZ|--demo OUT.CSV|OUT.pdf|OUT.xlsx|-"),
        std::string::npos);
    EXPECT_EQ(help.err, "");

    const std::vector<std::vector<std::string>> badArguments {
        {},
        { "plan.HRZ" },
        { "--demo" },
        { "--demo", "a.csv", "b.csv" },
        { "plan.HRZ", "a.csv", "b.csv" },
        { "--year" },
        { "--year", "20x6", "--demo", "-" },
        { "--year", "-1", "--demo", "-" },
        { "--year", "12026", "--demo", "-" },
        { "--year=", "--demo", "-" },
        { "--data-dir" },
        { "--data-dir", "", "--demo", "-" },
        { "--frobnicate", "--demo", "-" },
        { "--pdf", "--xlsx", "--demo", "-" },
    };
    for (const std::vector<std::string>& args : badArguments) {
        const ProgramRun run = runCsv(args, scratch);
        std::string joined;
        for (const std::string& arg : args)
            joined += "[" + arg + "]";
        EXPECT_EQ(run.status, 2) << joined;
        EXPECT_NE(run.err.find("usage: harukaze-csv"), std::string::npos) << joined;
        EXPECT_EQ(run.out, "") << joined;
    }
}

TEST(TestExporter, failuresLeaveNoOutputFile)
{
    TempDir scratch;
    const std::string plan = CASES_DIR + "sample-plan-2026/plan.HRZ";

    // A plan file that does not exist, or is a folder: exit 1, one line on stderr, nothing written.
    for (const std::string& missing : { scratch.path() + "missing.HRZ", scratch.path() }) {
        const std::string out = scratch.path() + "out.csv";
        const ProgramRun run = runCsv({ "--year", "2026", missing, out }, scratch);
        EXPECT_EQ(run.status, 1) << missing;
        EXPECT_FALSE(run.err.empty());
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(exists(out)) << missing;
    }

    // An existing output file is left as it was when the plan cannot be read.
    scratch.write("keep.csv", "old");
    runCsv({ scratch.path() + "missing.HRZ", scratch.path() + "keep.csv" }, scratch);
    EXPECT_EQ(readFile(scratch.path() + "keep.csv"), "old");

    // An output that cannot be written: exit 1, one line, no file and no temporary left behind.
    const std::string unwritable = scratch.path() + "no-such-folder/out.csv";
    const ProgramRun run = runCsv({ "--year", "2026", plan, unwritable }, scratch);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(exists(unwritable));
    const ProgramRun intoFolder = runCsv({ "--year", "2026", plan, scratch.path() }, scratch);
    EXPECT_EQ(intoFolder.status, 1);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(scratch.path()))
        ++entries;
    EXPECT_EQ(entries, 3u); // stdout, stderr and keep.csv only
}

TEST(TestExporter, overwritesAnExistingOutput)
{
    TempDir scratch;
    scratch.write("out.csv", std::string(100000, 'x'));
    const ProgramRun run = runCsv({ "--year", "2026", "--demo", scratch.path() + "out.csv" }, scratch);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(scratch.path() + "out.csv"), readFile(CASES_DIR + "demo-2026/expected.csv"));
}

// Each folder under data/attention holds options (year), plan.HRZ and the expected marker list;
// notes tells how the expected lines follow from the family.
class TestExporterAttention : public testing::TestWithParam<std::string>
{
};

TEST_P(TestExporterAttention, writesTheMarkersOfThePlan)
{
    const std::string dir = std::string(HARUKAZE_TEST_DATA_DIR) + "/attention/" + GetParam() + "/";
    std::map<std::string, std::string> options = readOptions(dir + "options");
    ASSERT_FALSE(options["year"].empty());
    TempDir scratch;
    const std::string out = scratch.path() + "attention.csv";
    const ProgramRun run = runCsv({ "--attention", "--year", options["year"], dir + "plan.HRZ", out }, scratch);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    expectSameLines(readFile(dir + "expected.csv"), readFile(out), GetParam());

    // The option may stand anywhere, and "-" writes the same bytes to standard output.
    const ProgramRun toStdout = runCsv({ "--year=" + options["year"], dir + "plan.HRZ", "--attention", "-" }, scratch);
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, readFile(dir + "expected.csv"));
}

INSTANTIATE_TEST_SUITE_P(Cases, TestExporterAttention, testing::Values("three-kinds-2031"));

TEST(TestExporter, attentionOfAFamilyWithoutMarkersIsTheHeaderAlone)
{
    TempDir scratch;
    // The sample family's children are through university before either parent retires, and no
    // grandparent needs care while a child is small.
    const ProgramRun demo = runCsv({ "--attention", "--year", "2026", "--demo", "-" }, scratch);
    ASSERT_EQ(demo.status, 0) << demo.err;
    EXPECT_EQ(demo.out, utf8ToCp932("西暦,注意,対象\r\n"));
    const ProgramRun help = runCsv({ "--help" }, scratch);
    EXPECT_NE(help.out.find("harukaze-csv --attention [--year YYYY]"), std::string::npos) << help.out;
}

TEST(TestExporter, pipesAndDevicesTakeTheCsvAsAStream)
{
    HangGuard guard;
    TempDir scratch;
    const std::string expected = readFile(CASES_DIR + "demo-2026/expected.csv");
    const std::vector<std::string> demo { "--year", "2026", "--demo" };
    auto withOutput = [&](const std::string& out) {
        std::vector<std::string> args = demo;
        args.push_back(out);
        return args;
    };

    // A FIFO with its reader waiting (the table fits the pipe, so the reader can drain it after).
    const std::string fifo = scratch.path() + "table.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const ProgramRun toFifo = runCsv(withOutput(fifo), scratch);
    EXPECT_EQ(toFifo.status, 0) << toFifo.err;
    std::string streamed;
    char buffer[4096];
    for (ssize_t n; (n = read(reader, buffer, sizeof(buffer))) > 0;)
        streamed.append(buffer, static_cast<size_t>(n));
    close(reader);
    EXPECT_EQ(streamed, expected);
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);

    // The program's own standard output by name, here a file the caller opened.
    const ProgramRun toStdout = runCsv(withOutput("/dev/stdout"), scratch);
    EXPECT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, expected);
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));

    // Standard output a socket (a service's journal, a job a socket started): streamed all the same.
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    const std::string program = BIN_DIR + "harukaze-csv";
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pair[1], 1);
        close(pair[0]);
        close(pair[1]);
        execl(program.c_str(), program.c_str(), "--year", "2026", "--demo", "/dev/stdout", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pair[1]);
    std::string fromSocket;
    for (ssize_t n; (n = read(pair[0], buffer, sizeof(buffer))) > 0;)
        fromSocket.append(buffer, static_cast<size_t>(n));
    close(pair[0]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(fromSocket, expected);

    // A character device; as root a node of its own, so that a fault cannot replace /dev/null.
    std::string device = "/dev/null";
    if (getuid() == 0 && mknod((scratch.path() + "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        device = scratch.path() + "null";
    const ProgramRun toDevice = runCsv(withOutput(device), scratch);
    EXPECT_EQ(toDevice.status, 0) << toDevice.err;
    EXPECT_EQ(std::filesystem::status(device).type(), std::filesystem::file_type::character);
}

TEST(TestExporter, refusedOutputsAndInputsSayWhy)
{
    HangGuard guard;
    TempDir scratch;
    const std::string plan = CASES_DIR + "sample-plan-2026/plan.HRZ";
    scratch.write("locked.csv", "old");
    ASSERT_EQ(chmod((scratch.path() + "locked.csv").c_str(), 0444), 0);
    const std::string fifo = scratch.path() + "plan.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    struct Row
    {
        std::string input;
        std::string output;
        std::string message; // the line on standard error
    };
    const Row rows[] = {
        { plan,
            scratch.path() + "locked.csv",
            "harukaze-csv: cannot write " + scratch.path() + "locked.csv: Permission denied\n" },
        { fifo,
            scratch.path() + "out.csv",
            "harukaze-csv: cannot read the plan file " + fifo + ": 通常のファイルではありません\n" },
        { "/dev/zero",
            scratch.path() + "out.csv",
            "harukaze-csv: cannot read the plan file /dev/zero: 通常のファイルではありません\n" },
    };
    for (const Row& row : rows) {
        const ProgramRun run = runCsv({ "--year", "2026", row.input, row.output }, scratch);
        EXPECT_EQ(run.status, 1) << row.input;
        EXPECT_EQ(run.err, row.message);
    }
    EXPECT_EQ(readFile(scratch.path() + "locked.csv"), "old");
    EXPECT_FALSE(exists(scratch.path() + "out.csv"));
}

// Each folder under data/cashflow holds options (year, data folder), plan.HRZ and expected.csv,
// the latter written by make_expected.py there on its own.
class TestCashFlowExport : public testing::TestWithParam<std::string>
{
};

TEST_P(TestCashFlowExport, goldenCashFlowTable)
{
    const std::string dir = CASH_FLOW_CASES_DIR + GetParam() + "/";
    std::map<std::string, std::string> options = readOptions(dir + "options");
    ASSERT_FALSE(options["year"].empty());
    TempDir scratch;
    const std::string dataDir = options["data"] == "none" ? scratch.path() + "no-such-folder" : BIN_DIR;
    const std::string out = scratch.path() + "cashflow.csv";
    const ProgramRun run
        = runCsv({ "--cashflow", "--year", options["year"], "--data-dir", dataDir, dir + "plan.HRZ", out }, scratch);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    expectSameLines(readFile(dir + "expected.csv"), readFile(out), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases,
    TestCashFlowExport,
    testing::Values("family-2026",
        "gross-kanagawa-2026",
        "gross-osaka-2031",
        "hostile-section-2031",
        "invalid-basis-2031",
        "no-money-2020",
        "year-end-2026"),
    [](const testing::TestParamInfo<std::string>& info) {
        std::string name = info.param;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST(TestExporter, cashFlowOfTheDemoIsThatOfItsSavedPlan)
{
    TempDir scratch;
    FamilyPlan sample;
    writeSampleFamily(sample);
    ASSERT_TRUE(sample.money);
    ASSERT_TRUE(FILE_OUT_D(scratch.path() + "sample.HRZ", sample));
    const ProgramRun demo = runCsv({ "--cashflow", "--year", "2026", "--demo", "-" }, scratch);
    const ProgramRun plan = runCsv({ "--cashflow", "--year", "2026", scratch.path() + "sample.HRZ", "-" }, scratch);
    ASSERT_EQ(demo.status, 0) << demo.err;
    ASSERT_EQ(plan.status, 0) << plan.err;
    EXPECT_EQ(plan.out, demo.out);
    const std::vector<std::string> lines = splitCrLf(demo.out);
    ASSERT_EQ(lines.size(), 3u + 8u + 1u + 16u);
    EXPECT_EQ(cp932ToUtf8(lines[11]).rfind("家族のイベント,,", 0), 0u);
    // The sample's car in 2029 shows in its expense row, in 万円.
    EXPECT_EQ(cp932ToUtf8(lines[24]).rfind("一時的支出,,0,0,0,250,0,", 0), 0u) << cp932ToUtf8(lines[24]);

    // Without --cashflow the same plan file still gives the life cycle table, unchanged.
    const ProgramRun table = runCsv({ "--year", "2026", scratch.path() + "sample.HRZ", "-" }, scratch);
    EXPECT_EQ(table.out, readFile(CASES_DIR + "demo-2026/expected.csv"));
}

struct CompareArguments
{
    const char* name;
    std::vector<std::string> args; // "PLAN" stands for a readable plan file
    int status;
    const char* message; // on standard error
};

void PrintTo(const CompareArguments& row, std::ostream* out)
{
    *out << row.name;
}

class TestCompareArguments : public testing::TestWithParam<CompareArguments>
{
};

TEST_P(TestCompareArguments, refusedWithoutOutput)
{
    const CompareArguments& row = GetParam();
    TempDir scratch;
    std::vector<std::string> args;
    for (const std::string& arg : row.args) {
        if (arg == "PLAN")
            args.push_back(CASH_FLOW_CASES_DIR + "family-2026/plan.HRZ");
        else if (arg == "OUT" || arg == "MISSING.HRZ")
            args.push_back(scratch.path() + arg);
        else
            args.push_back(arg);
    }
    const ProgramRun run = runCsv(args, scratch);
    EXPECT_EQ(run.status, row.status);
    EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(exists(scratch.path() + "OUT"));
}

INSTANTIATE_TEST_SUITE_P(Rows,
    TestCompareArguments,
    testing::Values(CompareArguments { "onePlan", { "--compare", "PLAN", "OUT" }, 2, "two to four plan files" },
        CompareArguments { "noOutput", { "--compare", "PLAN", "PLAN" }, 2, "two to four plan files" },
        CompareArguments {
            "fivePlans", { "--compare", "PLAN", "PLAN", "PLAN", "PLAN", "PLAN", "OUT" }, 2, "at most four" },
        CompareArguments { "demo", { "--compare", "--demo", "PLAN", "OUT" }, 2, "plan files and writes CSV only" },
        CompareArguments { "pdf", { "--compare", "--pdf", "PLAN", "PLAN", "OUT" }, 2, "writes CSV only" },
        CompareArguments { "cashFlow", { "--compare", "--cashflow", "PLAN", "PLAN", "OUT" }, 2, "CSV only" },
        // An unreadable plan is named, whichever place it takes; nothing is written.
        CompareArguments { "missingPlan", { "--compare", "PLAN", "MISSING.HRZ", "OUT" }, 1, "MISSING.HRZ" },
        CompareArguments { "missingFirst", { "--compare", "MISSING.HRZ", "PLAN", "PLAN", "OUT" }, 1, "MISSING.HRZ" }),
    [](const testing::TestParamInfo<CompareArguments>& info) { return std::string(info.param.name); });

TEST(TestExporter, aMoneySectionReadInPartIsReportedAndTheExportGoesOn)
{
    // A later version's section of 4,200 lines: the reader keeps what fits, and says so.
    TempDir scratch;
    std::string bytes = readFile(CASH_FLOW_CASES_DIR + "family-2026/plan.HRZ");
    bytes = bytes.substr(0, bytes.find(MONEY_SECTION_HEADER)) + std::string(MONEY_SECTION_HEADER) + "\r\n";
    for (int i = 0; i < 4200; ++i)
        bytes += "LATER" + std::to_string(i) + "=1\r\n";
    bytes += std::string(MONEY_SECTION_END) + "\r\n";
    scratch.write("long.HRZ", bytes);
    const std::string plan = scratch.path() + "long.HRZ";
    for (const std::vector<std::string>& args :
        { std::vector<std::string> { "--cashflow", "--year", "2026", plan, "-" },
            std::vector<std::string> { "--compare", "--year", "2026", plan, plan, "-" } }) {
        const ProgramRun run = runCsv(args, scratch);
        EXPECT_EQ(run.status, 0) << args[0];
        EXPECT_FALSE(run.out.empty()) << args[0];
        EXPECT_NE(run.err.find("long.HRZ: the household money settings were read in part"), std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("ファイルの4397行目から後"), std::string::npos) << run.err;
    }
}

TEST(TestExporter, compareSetsEachPlansSavingsBesideTheOthers)
{
    TempDir scratch;
    scratch.write("A.HRZ", readFile(CASH_FLOW_CASES_DIR + "family-2026/plan.HRZ"));
    scratch.write("B, 賃貸.HRZ", readFile(CASH_FLOW_CASES_DIR + "no-money-2020/plan.HRZ"));
    const std::string a = scratch.path() + "A.HRZ";
    const std::string b = scratch.path() + "B, 賃貸.HRZ";
    const ProgramRun run = runCsv({ "--compare", "--year", "2026", "--data-dir", BIN_DIR, a, b, "-" }, scratch);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = splitCrLf(run.out);
    ASSERT_EQ(lines.size(), 1u + 11u + 51u);
    EXPECT_EQ(cp932ToUtf8(lines[0]), "項目,A.HRZ,\"B, 賃貸.HRZ\"");
    EXPECT_EQ(cp932ToUtf8(lines[11]).rfind("介護費の合計,", 0), 0u);

    // Each year's row holds the 貯蓄残高 each plan's own cash-flow table shows for it.
    std::vector<std::vector<std::string>> savings;
    for (const std::string& plan : { a, b }) {
        const ProgramRun table = runCsv({ "--cashflow", "--year", "2026", "--data-dir", BIN_DIR, plan, "-" }, scratch);
        for (const std::string& line : splitCrLf(table.out)) {
            if (cp932ToUtf8(line).rfind("貯蓄残高,", 0) != 0)
                continue;
            // A row of numbers: no field is quoted.
            std::vector<std::string> fields;
            std::istringstream in(line);
            for (std::string field; std::getline(in, field, ',');)
                fields.push_back(field);
            savings.push_back(fields);
        }
    }
    ASSERT_EQ(savings.size(), 2u);
    for (size_t n = 0; n < 51; ++n) {
        EXPECT_EQ(lines[12 + n], std::to_string(2026 + n) + "," + savings[0][2 + n] + "," + savings[1][2 + n]) << n;
    }
}

// The table modes of one plan: each alone writes its CSV to standard output, beginning with its
// header; two of them together, or one with a document form, are usage errors that write nothing.
struct ModeArguments
{
    const char* name;
    std::vector<std::string> options;
    int status;
    const char* expected; ///< the beginning of standard output (status 0) or of the error
};

void PrintTo(const ModeArguments& row, std::ostream* out)
{
    *out << row.name;
}

class TestModeArguments : public testing::TestWithParam<ModeArguments>
{
};

TEST_P(TestModeArguments, eachModeAloneWritesItsTable)
{
    const ModeArguments& row = GetParam();
    TempDir scratch;
    std::vector<std::string> args = row.options;
    args.insert(args.end(), { "--year", "2026", CASH_FLOW_CASES_DIR + "family-2026/plan.HRZ", "-" });
    const ProgramRun run = runCsv(args, scratch);
    EXPECT_EQ(run.status, row.status) << run.err;
    if (row.status == 0)
        EXPECT_EQ(cp932ToUtf8(run.out).rfind(row.expected, 0), 0u) << cp932ToUtf8(run.out);
    else
        EXPECT_NE(run.err.find(row.expected), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Rows,
    TestModeArguments,
    testing::Values(
        // The plan has no loan: the schedule is its header row alone.
        ModeArguments { "loanSchedule", { "--loan-schedule" }, 0, "回数,年月,金利,返済額,元金,利息,未払利息,残高\r\n" },
        ModeArguments { "pensionAges", { "--pension-ages" }, 0, "配偶者,開始年齢," },
        ModeArguments { "cashFlow", { "--cashflow" }, 0, "経過年数," },
        ModeArguments { "loanAndPension", { "--loan-schedule", "--pension-ages" }, 2, "exclude each other" },
        ModeArguments { "cashFlowAndLoan", { "--cashflow", "--loan-schedule" }, 2, "exclude each other" },
        ModeArguments { "loanAsPdf", { "--loan-schedule", "--pdf" }, 2, "write CSV only" }));
