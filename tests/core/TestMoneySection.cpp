// SPDX-License-Identifier: GPL-3.0-or-later
// The money section after line 300 of a plan file: what is written, how it reads back, and that
// nothing in it can disturb the 300 lines before it.
#include "TableTestSupport.h"

#include "core/io/SaveFile.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace harukaze;

namespace {

const std::string kPlans = std::string(HARUKAZE_TEST_DATA_DIR) + "/plans/";

std::string readBytes(const std::string& path)
{
    std::string bytes;
    EXPECT_TRUE(readWholeFile(path, bytes)) << path;
    return bytes;
}

// A plan file's bytes read as the Open command reads them, money section included.
FamilyPlan openBytes(const std::string& bytes)
{
    FileLines lines;
    std::vector<std::string> trailing;
    splitPlanFileBytes(bytes, lines, &trailing);
    FamilyPlan plan;
    parsePlanFileLines(lines, plan);
    parseMoneySection(trailing, plan);
    return plan;
}

// The first 300 lines of the golden three-children plan followed by `section`, joined with `eol`.
std::string withSection(const std::vector<std::string>& section, const std::string& eol = "\r\n")
{
    return readBytes(kPlans + "three-children.HRZ") + utf8ToCp932(tabletest::joinLines(section, eol));
}

// Settings in which every value differs from its default.
MoneySettings everySettingChanged()
{
    MoneySettings s;
    s.savingsStart = -5;
    s.savingsBasis = SavingsBasis::YearStart;
    s.investRate = 15;
    s.husbandIncome = 4500;
    s.husbandIncomeRate = -5;
    s.wifeIncome = 125;
    s.wifeIncomeRate = 0;
    s.husbandSeverance = 20000;
    s.wifeSeverance = 1;
    s.husbandReemployIncome = 3000;
    s.husbandReemployEndAge = 70;
    s.wifeReemployIncome = 999999;
    s.wifeReemployEndAge = 0;
    s.husbandPension = 1800;
    s.husbandPensionAge = 60;
    s.wifePension = 900;
    s.wifePensionAge = 75;
    s.pensionRate = -100;
    s.living = 3600;
    s.livingRate = 100;
    s.housing = 1440;
    s.housingRate = 3;
    s.housingEndYear = 2045;
    s.insurance = 30;
    s.insuranceEndYear = 9999;
    s.other = 1;
    s.otherRate = 7;
    s.educationRate = 25;
    s.careHusbandParents = 1;
    s.careWifeParents = 1;
    s.careMonthly = 0;
    s.careOnce = 1000;
    s.children[0].kindergarten = SchoolChoice::Private;
    s.children[0].university = UniversityChoice::PrivateMedical;
    s.children[9].highSchool = SchoolChoice::None;
    s.children[9].university = UniversityChoice::JuniorCollege;
    s.incomes[6] = MoneyEntry { 2030, 500, "相続" };
    s.incomes[2] = MoneyEntry { 1, 0, "" };
    s.expenses[0] = MoneyEntry { 2031, 3500, "車, \"新車\" = 一括" };
    s.expenses[49] = MoneyEntry { 9999, 999999, "旅行" };
    s.unknownLines = { "NEXT_VERSION_KEY=1", "a line without equals", "INCOME01=2030,1,x" };
    return s;
}

} // namespace

TEST(TestMoneySection, writesEverySettingOnceInItsOrder)
{
    const std::vector<std::string> lines = moneySectionLines(everySettingChanged());
    // Header, 32 settings, 10 children × 5 stages, 2 incomes, 2 expenses, 3 kept lines, END_MONEY.
    ASSERT_EQ(lines.size(), 1u + 32u + 50u + 4u + 3u + 1u);
    EXPECT_EQ(lines.front(), "HARUKAZE_MONEY(1)");
    EXPECT_EQ(lines[1], "SAVINGS_START=-0.5");
    EXPECT_EQ(lines[2], "SAVINGS_BASIS=年初"); // always written, right after SAVINGS_START
    EXPECT_EQ(lines[3], "INVEST_RATE=1.5");
    EXPECT_EQ(lines[4], "HUSBAND_INCOME=450");
    EXPECT_EQ(lines[5], "HUSBAND_INCOME_RATE=-0.5");
    EXPECT_EQ(lines[6], "WIFE_INCOME=12.5");
    EXPECT_EQ(lines[7], "WIFE_INCOME_RATE=0.0");
    EXPECT_EQ(lines[13], "WIFE_REEMPLOY_END_AGE=0");
    EXPECT_EQ(lines[18], "PENSION_RATE=-10.0");
    EXPECT_EQ(lines[23], "HOUSING_END_YEAR=2045");
    EXPECT_EQ(lines[29], "CARE_HUSBAND_PARENTS=1");
    EXPECT_EQ(lines[32], "CARE_ONCE=100");
    EXPECT_EQ(lines[33], "CHILD1_KINDERGARTEN=私立");
    EXPECT_EQ(lines[37], "CHILD1_UNIVERSITY=私立医歯");
    EXPECT_EQ(lines[38], "CHILD2_KINDERGARTEN=公立");
    EXPECT_EQ(lines[82], "CHILD10_UNIVERSITY=短大");
    EXPECT_EQ(lines[81], "CHILD10_HIGH_SCHOOL=なし");
    EXPECT_EQ(lines[83], "INCOME3=1,0,");
    EXPECT_EQ(lines[84], "INCOME7=2030,50,相続");
    EXPECT_EQ(lines[85], "EXPENSE1=2031,350,車, \"新車\" = 一括");
    EXPECT_EQ(lines[86], "EXPENSE50=9999,99999.9,旅行");
    EXPECT_EQ(lines[87], "NEXT_VERSION_KEY=1");
    EXPECT_EQ(lines[89], "INCOME01=2030,1,x");
    EXPECT_EQ(lines.back(), "END_MONEY");
}

TEST(TestMoneySection, valueGrammar)
{
    struct Case
    {
        const char* text;
        std::optional<int> tenths; // read as an amount 0..99999.9
    };
    const Case cases[] = {
        { "450", 4500 },
        { "12.5", 125 },
        { "0012.5", 125 },
        { "-0", 0 },
        { "99999.9", 999999 },
        { "100000", std::nullopt },
        { "-1", std::nullopt },
        { "12.50", std::nullopt },
        { "12.", std::nullopt },
        { ".5", std::nullopt },
        { "+1", std::nullopt },
        { " 1", std::nullopt },
        { "", std::nullopt },
        { "１２", std::nullopt },
        { "1e3", std::nullopt },
        { "000000000000000000000000000001", 10 },
        { "99999999999999999999999999999", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseTenths(c.text, 0, MAX_AMOUNT), c.tenths) << '"' << c.text << '"';
    EXPECT_EQ(parseTenths("-10.0", -MAX_RATE, MAX_RATE), -100);
    EXPECT_EQ(parseTenths("10.1", -MAX_RATE, MAX_RATE), std::nullopt);
    EXPECT_EQ(parseWholeNumber("075", 60, 75), 75);
    EXPECT_EQ(parseWholeNumber("59", 60, 75), std::nullopt);
    EXPECT_EQ(parseWholeNumber("-1", 0, 150), std::nullopt);
    EXPECT_EQ(parseWholeNumber("+1", 0, 150), std::nullopt);

    const std::optional<MoneyEntry> entry = parseMoneyEntry("2030,12.5,a,b=\"c\"");
    ASSERT_TRUE(entry);
    EXPECT_EQ(*entry, (MoneyEntry { 2030, 125, "a,b=\"c\"" }));
    EXPECT_EQ(parseMoneyEntry("2030,5,")->label, "");
    EXPECT_FALSE(parseMoneyEntry("2030,5")) << "the label's comma is part of the entry";
    EXPECT_FALSE(parseMoneyEntry("0,5,x"));
    EXPECT_FALSE(parseMoneyEntry("10000,5,x"));
    EXPECT_FALSE(parseMoneyEntry("2030,-5,x"));
    EXPECT_FALSE(parseMoneyEntry(" 2030,5,x"));
}

TEST(TestMoneySection, roundTripThroughThePlanFile)
{
    FamilyPlan plan = openBytes(readBytes(kPlans + "three-children.HRZ"));
    plan.money = everySettingChanged();
    const std::string bytes = planFileBytes(plan);
    const FamilyPlan read = openBytes(bytes);
    ASSERT_TRUE(read.money);
    EXPECT_EQ(*read.money, *plan.money);
    EXPECT_EQ(read, plan);
    EXPECT_EQ(planFileBytes(read), bytes);

    // Defaults are written too, so a plan with money settings always carries the whole section.
    plan.money = MoneySettings {};
    const FamilyPlan defaults = openBytes(planFileBytes(plan));
    EXPECT_EQ(defaults.money, MoneySettings {});
}

TEST(TestMoneySection, aPlanWithoutMoneyIsWrittenByteForByteAsBefore)
{
    for (const char* file : { "three-children.HRZ", "no-children.HRZ", "ten-children.HRZ" }) {
        const std::string golden = readBytes(kPlans + file);
        const FamilyPlan plan = openBytes(golden);
        EXPECT_FALSE(plan.money) << file;
        EXPECT_EQ(planFileBytes(plan), golden) << file;

        // With money settings the same 300 lines come first, then the section.
        FamilyPlan withMoney = plan;
        withMoney.money = everySettingChanged();
        const std::string bytes = planFileBytes(withMoney);
        EXPECT_EQ(bytes.substr(0, golden.size()), golden) << file;
        EXPECT_EQ(bytes.substr(golden.size(), 19), "HARUKAZE_MONEY(1)\r\n") << file;
        EXPECT_EQ(bytes.substr(bytes.size() - 11), "END_MONEY\r\n") << file;
    }
}

TEST(TestMoneySection, lastValidLineWinsAndInvalidLinesChangeNothing)
{
    const FamilyPlan plan = openBytes(withSection({
        "HARUKAZE_MONEY(1)",
        "LIVING=300",
        "LIVING=abc", // invalid: dropped, 300 stays
        "HUSBAND_PENSION_AGE=59", // out of range
        "WIFE_PENSION_AGE=70",
        "WIFE_PENSION_AGE=76",
        "CARE_WIFE_PARENTS=2",
        "INVEST_RATE=1.05",
        "INVEST_RATE=-2.5",
        "CHILD2_UNIVERSITY=国立",
        "CHILD2_UNIVERSITY=大学院", // not a choice of the row
        "CHILD3_HIGH_SCHOOL=私立文系", // a university word for a school stage
        "INCOME2=2030,100,最初",
        "INCOME2=2031,200,二度目",
        "INCOME2=2032,-1,負の額", // invalid: the second line stays
        "EXPENSE50=2040,1,最後",
        "",
        "LIVING=310",
    }));
    ASSERT_TRUE(plan.money);
    const MoneySettings& money = *plan.money;
    EXPECT_EQ(money.living, 3100);
    EXPECT_EQ(money.husbandPensionAge, 65);
    EXPECT_EQ(money.wifePensionAge, 70);
    EXPECT_EQ(money.careWifeParents, 0);
    EXPECT_EQ(money.investRate, -25);
    EXPECT_EQ(money.children[1].university, UniversityChoice::National);
    EXPECT_EQ(money.children[2].highSchool, SchoolChoice::Public);
    EXPECT_EQ(money.incomes[1], (MoneyEntry { 2031, 2000, "二度目" }));
    EXPECT_EQ(money.expenses[49], (MoneyEntry { 2040, 10, "最後" }));
    EXPECT_TRUE(money.unknownLines.empty()) << money.unknownLines.front();
}

TEST(TestMoneySection, unknownLinesAreKeptVerbatimAfterTheKnownKeys)
{
    const std::vector<std::string> unknown {
        "NEXT_VERSION=値,=\"x\"",
        "no equals sign",
        "INCOME0=2030,1,x",
        "INCOME51=2030,1,x",
        "INCOME01=2030,1,x",
        "CHILD11_KINDERGARTEN=公立",
        "CHILD01_KINDERGARTEN=公立",
        "CHILD1_NURSERY=公立",
        "living=300",
        "LIVING =300",
        "=",
        "HARUKAZE_MONEY(1)",
    };
    std::vector<std::string> section { "HARUKAZE_MONEY(1)", "LIVING=5" };
    section.insert(section.end(), unknown.begin(), unknown.end());
    section.push_back("END_MONEY");
    section.push_back("AFTER_THE_END=1");
    const FamilyPlan plan = openBytes(withSection(section));
    ASSERT_TRUE(plan.money);
    EXPECT_EQ(plan.money->unknownLines, unknown);
    EXPECT_EQ(plan.money->living, 50);

    const std::vector<std::string> written = moneySectionLines(*plan.money);
    ASSERT_GE(written.size(), unknown.size() + 1);
    EXPECT_TRUE(std::equal(unknown.begin(), unknown.end(), written.end() - 1 - unknown.size()));
    EXPECT_EQ(openBytes(planFileBytes(plan)), plan);
}

TEST(TestMoneySection, theHeaderMustBeExactlyOnLine301)
{
    for (const char* header : { "HARUKAZE_MONEY(2)", "harukaze_money(1)", " HARUKAZE_MONEY(1)", "" }) {
        FamilyPlan plan = openBytes(withSection({ header, "LIVING=300", "END_MONEY" }));
        EXPECT_FALSE(plan.money) << header;
    }
    // The open step clears settings an earlier plan left behind.
    FamilyPlan plan;
    plan.money = everySettingChanged();
    parseMoneySection({}, plan);
    EXPECT_FALSE(plan.money);
    plan.money = MoneySettings {};
    REC_CLEAR(plan); // and so does a new plan
    EXPECT_FALSE(plan.money);

    // A header without anything after it gives the defaults, with the first version's basis 年初.
    MoneySettings firstVersion;
    firstVersion.savingsBasis = SavingsBasis::YearStart;
    EXPECT_EQ(openBytes(withSection({ "HARUKAZE_MONEY(1)" })).money, firstVersion);
}

TEST(TestMoneySection, anyLineEndAndNoEndMoney)
{
    for (const char* eol : { "\r\n", "\n", "\r" }) {
        std::string bytes = readBytes(kPlans + "three-children.HRZ");
        // The whole file in this line end, the section running to the end of the file.
        std::string converted;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes.compare(i, 2, "\r\n") == 0) {
                converted += eol;
                ++i;
            } else {
                converted += bytes[i];
            }
        }
        converted
            += utf8ToCp932(tabletest::joinLines({ "HARUKAZE_MONEY(1)", "OTHER=12.5", "EXPENSE1=2030,1,車" }, eol));
        const FamilyPlan plan = openBytes(converted);
        ASSERT_TRUE(plan.money) << "line end " << static_cast<int>(eol[0]);
        EXPECT_EQ(plan.money->other, 125);
        EXPECT_EQ(plan.money->expenses[0], (MoneyEntry { 2030, 10, "車" }));
        EXPECT_EQ(plan.ST2_HUSBAND_BIRTH_YEAR, 1964);
    }
}

TEST(TestMoneySection, hostileSectionsNeverDisturbTheFirst300Lines)
{
    const std::string golden = readBytes(kPlans + "three-children.HRZ");
    const FamilyPlan original = openBytes(golden);

    // Ten thousand lines: settings, junk bytes, NULs, lone CP932 lead bytes, overlong lines.
    std::string section = "HARUKAZE_MONEY(1)\r\n";
    unsigned state = 2026;
    for (int i = 0; i < 10000; ++i) {
        state = state * 1103515245u + 12345u;
        switch ((state >> 16) % 6) {
        case 0:
            section += "LIVING=" + std::to_string((state >> 8) % 2000) + "\r\n";
            break;
        case 1:
            section += "INCOME" + std::to_string((state >> 4) % 60) + "=2030," + std::to_string(state % 50) + ",x\r\n";
            break;
        case 2: {
            // A lone lead byte before the line end, bytes that are no CP932, a NUL.
            const char junk[] = "\x81\r\n\xFF\xFE=\x00\x01\r\n";
            section.append(junk, sizeof(junk) - 1);
            break;
        }
        case 3:
            section += std::string(5000, 'A') + "=" + std::string(5000, '9') + "\r\n";
            break;
        case 4:
            section += "\r\n";
            break;
        default:
            section += "CHILD" + std::to_string(state % 12) + "_UNIVERSITY=私立医歯\r\n";
            break;
        }
    }
    const FamilyPlan plan = openBytes(golden + utf8ToCp932(section));
    ASSERT_TRUE(plan.money);
    FamilyPlan first300 = plan;
    first300.money.reset();
    EXPECT_EQ(first300, original);

    // Whatever it kept writes back as a proper section that reads back to the same settings.
    const std::string written = planFileBytes(plan);
    EXPECT_EQ(written.substr(0, golden.size()), golden);
    EXPECT_EQ(written.substr(written.size() - 11), "END_MONEY\r\n");
    EXPECT_EQ(*openBytes(written).money, *plan.money);
}

TEST(TestMoneySection, labelsAndKeptLinesStayOnOneLine)
{
    FamilyPlan plan = openBytes(readBytes(kPlans + "no-children.HRZ"));
    plan.money = MoneySettings {};
    plan.money->incomes[0] = MoneyEntry { 2030, 10, "一行目\r\n二行目" };
    plan.money->unknownLines = { "", "END_MONEY", "KEEP\nME" };
    const FamilyPlan read = openBytes(planFileBytes(plan));
    ASSERT_TRUE(read.money);
    EXPECT_EQ(read.money->incomes[0]->label, "一行目  二行目");
    EXPECT_EQ(read.money->unknownLines, std::vector<std::string> { "KEEP ME" });
}

TEST(TestMoneySection, aDeletedChildTakesItsChoicesAlong)
{
    MoneySettings money;
    money.children[0].university = UniversityChoice::National;
    money.children[1].university = UniversityChoice::PrivateMedical;
    money.children[9].kindergarten = SchoolChoice::Private;
    removeChildEducation(money, 1);
    EXPECT_EQ(money.children[0].university, UniversityChoice::PrivateMedical);
    EXPECT_EQ(money.children[8].kindergarten, SchoolChoice::Private);
    EXPECT_EQ(money.children[9], ChildEducation {});
    const MoneySettings before = money;
    removeChildEducation(money, 0);
    removeChildEducation(money, 11);
    EXPECT_EQ(money, before);
}

struct BasisCase
{
    const char* name;
    std::vector<std::string> lines; // between the header and END_MONEY
    SavingsBasis basis;
    size_t keptLines;
};

class TestSavingsBasis : public ::testing::TestWithParam<BasisCase>
{
};

TEST_P(TestSavingsBasis, aSectionWithoutAValidBasisWasWrittenForTheStartOfTheYear)
{
    const BasisCase& c = GetParam();
    std::vector<std::string> section { "HARUKAZE_MONEY(1)", "SAVINGS_START=500" };
    section.insert(section.end(), c.lines.begin(), c.lines.end());
    section.emplace_back("END_MONEY");
    const FamilyPlan plan = openBytes(withSection(section));
    ASSERT_TRUE(plan.money);
    EXPECT_EQ(plan.money->savingsBasis, c.basis);
    EXPECT_EQ(plan.money->savingsStart, 5000);
    EXPECT_EQ(plan.money->unknownLines.size(), c.keptLines);
    // Written back, the basis is always there and keeps its meaning.
    const std::vector<std::string> written = moneySectionLines(*plan.money);
    EXPECT_EQ(written[2], std::string("SAVINGS_BASIS=") + savingsBasisWord(c.basis));
    EXPECT_EQ(openBytes(planFileBytes(plan)).money, plan.money);
}

INSTANTIATE_TEST_SUITE_P(TestMoneySection,
    TestSavingsBasis,
    ::testing::Values(BasisCase { "firstVersion", {}, SavingsBasis::YearStart, 0 },
        BasisCase { "yearEnd", { "SAVINGS_BASIS=年末" }, SavingsBasis::YearEnd, 0 },
        BasisCase { "yearStart", { "SAVINGS_BASIS=年初" }, SavingsBasis::YearStart, 0 },
        BasisCase { "trailingSpaceIsInvalid", { "SAVINGS_BASIS=年末 " }, SavingsBasis::YearStart, 0 },
        BasisCase { "emptyIsInvalid", { "SAVINGS_BASIS=" }, SavingsBasis::YearStart, 0 },
        BasisCase { "lastValidWins",
            { "SAVINGS_BASIS=年初", "SAVINGS_BASIS=年末", "SAVINGS_BASIS=x" },
            SavingsBasis::YearEnd,
            0 },
        BasisCase { "keyIsCaseSensitive", { "savings_basis=年末" }, SavingsBasis::YearStart, 1 }),
    [](const ::testing::TestParamInfo<BasisCase>& info) { return std::string(info.param.name); });

// A section as long as the reader takes: whatever the file held, the first save makes a section
// that reads back whole and is saved again byte for byte; what had to go is named.
TEST(TestMoneySection, sectionAtTheCapsIsSavedSoThatItReadsBackWhole)
{
    const std::string header(MONEY_SECTION_HEADER);
    const std::string end(MONEY_SECTION_END);
    struct Row
    {
        const char* name;
        size_t lines; // later-version lines after the header
        size_t lineBytes;
        bool cut; // the open leaves something out
    };
    const Row rows[] = {
        { "a short section", 10, 20, false },
        { "lines just under the line cap", MAX_TRAILING_LINES - 2, 9, true },
        { "bytes just under the byte cap", 1020, 1024, true },
        { "lines over the line cap", MAX_TRAILING_LINES + 50, 9, true },
    };
    for (const Row& row : rows) {
        std::vector<std::string> section { header };
        for (size_t i = 0; i < row.lines; ++i) {
            const std::string key = "LATER" + std::to_string(i) + "=";
            section.push_back(key + std::string(row.lineBytes - std::min(row.lineBytes, key.size()), 'v'));
        }
        section.push_back(end);
        const std::string bytes = withSection(section);

        FileLines lines;
        std::vector<std::string> trailing;
        MoneySectionCut cut;
        splitPlanFileBytes(bytes, lines, &trailing, &cut);
        FamilyPlan plan;
        parsePlanFileLines(lines, plan);
        parseMoneySection(trailing, plan, &cut);
        ASSERT_TRUE(plan.money) << row.name;
        EXPECT_EQ(cut.any(), row.cut) << row.name;
        EXPECT_EQ(moneySectionCutText(cut).empty(), !row.cut) << row.name;
        // Every later-version line read is kept or counted as dropped.
        if (cut.firstLine == 0) {
            EXPECT_EQ(plan.money->unknownLines.size() + cut.droppedKept, row.lines) << row.name;
        }

        // Saved after the user turned on everything that writes more lines (both pension estimates,
        // a loan with its twenty rate changes and twenty 繰上返済): the file still reads whole.
        plan.money->husbandPensionEstimate.mode = PensionMode::Statement;
        plan.money->wifePensionEstimate.mode = PensionMode::Record;
        plan.money->home.loanYear = 2026;
        plan.money->home.loanAmount = 30000;
        for (std::optional<LoanRateChange>& change : plan.money->home.rateChanges)
            change = LoanRateChange { 2030, 4, 1500 };
        for (std::optional<Prepayment>& prepayment : plan.money->home.prepayments)
            prepayment = Prepayment { 2031, 10, 1000, PrepaymentKind::ShortenTerm };
        const std::string saved = planFileBytes(plan);
        MoneySectionCut again;
        std::vector<std::string> savedSection;
        splitPlanFileBytes(saved, lines, &savedSection, &again);
        FamilyPlan reread;
        parsePlanFileLines(lines, reread);
        parseMoneySection(savedSection, reread, &again);
        EXPECT_FALSE(again.any()) << row.name << ": " << moneySectionCutText(again);
        EXPECT_EQ(savedSection.back(), end) << row.name;
        EXPECT_EQ(planFileBytes(reread), saved) << row.name;
    }
}
