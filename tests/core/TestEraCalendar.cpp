// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/EraCalendar.h"

#include <gtest/gtest.h>

#include <string>

using namespace harukaze;

namespace {

TEST(TestEraCalendar, tableHoldsTheErasInListOrder)
{
    const char* names[] = { "明治", "大正", "昭和", "平成", "令和" };
    const int offsets[] = { 1867, 1911, 1925, 1988, 2018 };
    ASSERT_EQ(ERA_TABLE.size(), 5u);
    for (size_t i = 0; i < ERA_TABLE.size(); ++i) {
        EXPECT_STREQ(ERA_TABLE[i].name, names[i]) << i;
        EXPECT_EQ(ERA_TABLE[i].offset, offsets[i]) << i;
    }
    EXPECT_STREQ(ERA_TABLE[ERA_HEISEI].name, "平成");
    EXPECT_STREQ(ERA_TABLE[ERA_REIWA].name, "令和");
}

struct WarekiCase
{
    int era;
    int eraYear;
    int western;
};

class TestWarekiToSeireki : public testing::TestWithParam<WarekiCase>
{
};

TEST_P(TestWarekiToSeireki, addsTheOffset)
{
    const WarekiCase& row = GetParam();
    EXPECT_EQ(WAREKI_TO_SEIREKI(row.era, row.eraYear), row.western);
    EXPECT_EQ(WAREKI_TO_SEIREKI(row.era, std::to_string(row.eraYear)), row.western);
}

const WarekiCase kWareki[] = {
    { ERA_MEIJI, 1, 1868 },
    { ERA_TAISHO, 1, 1912 },
    { ERA_SHOWA, 1, 1926 },
    { ERA_HEISEI, 1, 1989 },
    { ERA_REIWA, 1, 2019 },
    { ERA_SHOWA, 64, 1989 }, // the same year as 平成 1
    { ERA_HEISEI, 31, 2019 }, // the same year as 令和 1
    { ERA_HEISEI, 0, 1988 }, // no range check
    { ERA_TAISHO, 20, 1931 }, // past the era's end
    { ERA_MEIJI, 45, 1912 },
    { ERA_SHOWA, 39, 1964 },
    { ERA_REIWA, 8, 2026 },
    { ERA_HEISEI, -1, 1987 },
};

INSTANTIATE_TEST_SUITE_P(Rows, TestWarekiToSeireki, testing::ValuesIn(kWareki));

TEST(TestEraCalendar, eraYearTextIsReadLeniently)
{
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_HEISEI, ""), 1988);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_HEISEI, "abc"), 1988);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_HEISEI, " 1 2 "), 2000);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_SHOWA, "39年"), 1964);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_SHOWA, "05"), 1930);
    // A fraction is added as it is and the sum rounded half to even.
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_MEIJI, "1.5"), 1868);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_MEIJI, "2.5"), 1870);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_HEISEI, "1.6"), 1990);
    EXPECT_GT(WAREKI_TO_SEIREKI(ERA_HEISEI, "99999999999999999999"), 1988);
}

TEST(TestEraCalendar, unknownEraGivesNoYear)
{
    EXPECT_EQ(WAREKI_TO_SEIREKI(-1, 5), 0);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_COUNT, 5), 0);
    EXPECT_EQ(WAREKI_TO_SEIREKI(ERA_COUNT, "5"), 0);
}

TEST(TestEraCalendar, heiseiNenIsTwoDigitsForEveryYear)
{
    EXPECT_EQ(HEISEI_NEN(2000), "12");
    EXPECT_EQ(HEISEI_NEN(1990), "02");
    EXPECT_EQ(HEISEI_NEN(1989), "01");
    EXPECT_EQ(HEISEI_NEN(1988), "00");
    EXPECT_EQ(HEISEI_NEN(2018), "30");
    // It never switches to 令和.
    EXPECT_EQ(HEISEI_NEN(2026), "38");
    EXPECT_EQ(HEISEI_NEN(2100), "112");
    EXPECT_EQ(HEISEI_NEN(1980), "-08");
}

struct EraForYearCase
{
    int western;
    int era;
    int eraYear;
};

class TestEraForYear : public testing::TestWithParam<EraForYearCase>
{
};

TEST_P(TestEraForYear, givesTheEraInForce)
{
    const EraForYearCase& row = GetParam();
    const EraYear result = eraForYear(row.western);
    EXPECT_EQ(result.eraIndex, row.era) << row.western;
    EXPECT_EQ(result.year, row.eraYear) << row.western;
    // And the conversion leads back to the same Western year.
    EXPECT_EQ(WAREKI_TO_SEIREKI(result.eraIndex, result.year), row.western);
}

const EraForYearCase kEraForYear[] = {
    { 1868, ERA_MEIJI, 1 },
    { 1911, ERA_MEIJI, 44 },
    { 1912, ERA_TAISHO, 1 },
    { 1925, ERA_TAISHO, 14 },
    { 1926, ERA_SHOWA, 1 },
    { 1988, ERA_SHOWA, 63 },
    { 1989, ERA_HEISEI, 1 },
    { 2018, ERA_HEISEI, 30 },
    { 2019, ERA_REIWA, 1 },
    { 2026, ERA_REIWA, 8 },
    { 2076, ERA_REIWA, 58 },
    { 1867, ERA_MEIJI, 0 },
    { 1800, ERA_MEIJI, -67 },
};

INSTANTIATE_TEST_SUITE_P(Rows, TestEraForYear, testing::ValuesIn(kEraForYear));

} // namespace
