// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/PensionComparison.h"

#include "core/io/Cp932.h"
#include "core/io/CsvWriter.h"
#include "core/money/Pension.h"
#include "core/plan/FamilyPlan.h"

#include <harukaze/PensionData.h>

#include <algorithm>

namespace harukaze {

namespace {

constexpr int MONTHS = 12;
constexpr int64_t RADIX = 100000000; // l_0
constexpr int SIXTY_FIVE = 65;
const char* const NOT_OFFERED = "—";

__int128 roundDivideWide(__int128 numerator, __int128 denominator)
{
    __int128 quotient = numerator / denominator;
    const __int128 remainder = numerator % denominator;
    if (2 * (remainder < 0 ? -remainder : remainder) >= denominator)
        quotient += numerator < 0 ? -1 : 1;
    return quotient;
}

std::string decimalTenths(int64_t tenths)
{
    const int64_t magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

// The payments of every month from January of y0 to December of `lastYear`, summed up to each month.
std::vector<int64_t> cumulativePayments(const PensionEstimate& estimate, int y0, int lastYear)
{
    std::vector<int64_t> sums;
    int64_t sum = 0;
    for (int month = MONTHS * y0; month <= MONTHS * lastYear + MONTHS - 1; ++month) {
        sum += estimate.monthTwelfths(month);
        sums.push_back(sum);
    }
    return sums;
}

} // namespace

std::array<int64_t, LIFE_TABLE_LAST_AGE + 2> survivors(bool female)
{
    const long long* e = female ? pension_data::LIFE_E_FEMALE : pension_data::LIFE_E_MALE;
    std::array<int64_t, LIFE_TABLE_LAST_AGE + 2> l {};
    l[0] = RADIX;
    for (int x = 0; x < LIFE_TABLE_LAST_AGE; ++x) {
        const auto i = static_cast<size_t>(x);
        // e_x = ½ + p_x(½ + e_{x+1}) in hundredths: p_x = (E_x − 50) / (E_{x+1} + 50).
        l[i + 1] = e[x] <= 50 ? 0 : std::min(l[i], roundDivide(l[i] * (e[x] - 50), e[x + 1] + 50));
    }
    l[LIFE_TABLE_LAST_AGE + 1] = 0;
    return l;
}

std::optional<PensionComparison> comparePensionStartAges(
    const FamilyPlan& plan, const MoneySettings& settings, int y0, bool wife)
{
    PensionPerson self = pensionPerson(plan, settings, wife);
    const int a0 = y0 - self.birthYear;
    if (!self.inTable || !self.pension.estimates() || a0 < 0 || a0 > LIFE_TABLE_LAST_AGE)
        return std::nullopt;
    const std::array<int64_t, LIFE_TABLE_LAST_AGE + 2> l = survivors(wife);
    const auto alive = l[static_cast<size_t>(a0)];
    if (alive == 0)
        return std::nullopt;
    const PensionPerson other = pensionPerson(plan, settings, !wife);
    const int lastYear = self.birthYear + LIFE_TABLE_LAST_AGE;

    PensionComparison comparison;
    comparison.wife = wife;
    comparison.currentAge = a0;
    std::array<std::vector<int64_t>, COMPARED_AGES> paid;
    for (int s = 0; s < COMPARED_AGES; ++s) {
        PensionStartAgeRow& row = comparison.rows[static_cast<size_t>(s)];
        row.startAge = COMPARED_FIRST_AGE + s;
        self.startAge = row.startAge;
        const PensionEstimate estimate(self, other, y0);
        row.firstMonth = estimate.firstMonth();
        row.offered = row.startAge <= estimate.latestStartAge() && row.firstMonth >= MONTHS * y0;
        if (!row.offered)
            continue;
        row.ratePermille = estimate.ratePermille();
        row.yearly = estimate.yearly();
        row.survivalPermille = roundDivide(1000 * l[static_cast<size_t>(row.startAge)], alive);
        __int128 weighted = 0;
        for (int year = y0; year <= lastYear; ++year)
            weighted
                += static_cast<__int128>(estimate.yearAmount(year)) * l[static_cast<size_t>(year - self.birthYear)];
        row.expectedTotal = static_cast<int64_t>(roundDivideWide(weighted, alive));
        paid[static_cast<size_t>(s)] = cumulativePayments(estimate, y0, lastYear);
    }

    const size_t at65 = SIXTY_FIVE - COMPARED_FIRST_AGE;
    const PensionStartAgeRow& row65 = comparison.rows[at65];
    const int birthMonth = reachMonth(self, 0); // R(0): months of age count from it
    PensionStartAgeRow* best = nullptr;
    for (size_t s = 0; s < comparison.rows.size(); ++s) {
        PensionStartAgeRow& row = comparison.rows[s];
        if (!row.offered)
            continue;
        if (best == nullptr || row.expectedTotal > best->expectedTotal)
            best = &row;
        if (!row65.offered)
            continue;
        row.differenceTo65 = row.expectedTotal - row65.expectedTotal;
        if (s == at65)
            continue;
        const bool laterIsThis = row.startAge > SIXTY_FIVE;
        const std::vector<int64_t>& later = paid[laterIsThis ? s : at65];
        const std::vector<int64_t>& earlier = paid[laterIsThis ? at65 : s];
        const int laterFirst = laterIsThis ? row.firstMonth : row65.firstMonth;
        for (int month = laterFirst; month <= MONTHS * lastYear + MONTHS - 1; ++month) {
            const auto i = static_cast<size_t>(month - MONTHS * y0);
            if (later[i] > 0 && later[i] >= earlier[i]) {
                row.breakEvenMonths = month - birthMonth;
                break;
            }
        }
    }
    if (best != nullptr)
        best->best = true;
    return comparison;
}

std::string pensionRateText(int permille)
{
    if (permille == 0)
        return "±0.0%";
    return (permille < 0 ? "−" : "+") + decimalTenths(permille < 0 ? -permille : permille) + "%";
}

std::string pensionMonthText(int month)
{
    const int year = month >= 0 ? month / MONTHS : -((-month + MONTHS - 1) / MONTHS);
    return std::to_string(year) + "年" + std::to_string(month - MONTHS * year + 1) + "月";
}

std::string pensionAgeText(int monthsOfAge)
{
    return std::to_string(monthsOfAge / MONTHS) + "歳" + std::to_string(monthsOfAge % MONTHS) + "ヵ月";
}

std::string permilleAsPercentText(int64_t permille)
{
    return decimalTenths(permille) + "%";
}

std::string tenThousandYenText(int64_t yen)
{
    return decimalTenths(roundDivide(yen, 1000));
}

std::string pensionComparisonCsvBytes(const std::vector<PensionComparison>& comparisons)
{
    const std::vector<std::string> header { "配偶者",
        "開始年齢",
        "増減率",
        "年額",
        "受給開始",
        "開始までの生存率",
        "期待受取総額",
        "65歳開始との差",
        "損益分岐年齢",
        "最有利" };
    std::vector<std::vector<std::string>> lines { header };
    for (const PensionComparison& comparison : comparisons) {
        for (const PensionStartAgeRow& row : comparison.rows) {
            std::vector<std::string> fields { comparison.wife ? "妻" : "夫", std::to_string(row.startAge) };
            if (!row.offered) {
                fields.resize(header.size(), NOT_OFFERED);
            } else {
                fields.push_back(pensionRateText(row.ratePermille));
                fields.push_back(std::to_string(row.yearly));
                fields.push_back(pensionMonthText(row.firstMonth));
                fields.push_back(permilleAsPercentText(row.survivalPermille));
                fields.push_back(std::to_string(row.expectedTotal));
                fields.push_back(row.differenceTo65 ? std::to_string(*row.differenceTo65) : "");
                fields.push_back(row.breakEvenMonths ? pensionAgeText(*row.breakEvenMonths) : "");
                fields.push_back(row.best ? "★" : "");
            }
            lines.push_back(std::move(fields));
        }
    }
    std::string text;
    for (const std::vector<std::string>& fields : lines) {
        for (size_t f = 0; f < fields.size(); ++f) {
            if (f > 0)
                text += ',';
            appendCsvField(text, fields[f]);
        }
        text += "\r\n";
    }
    return utf8ToCp932(text);
}

std::vector<PensionComparison> pensionComparisons(const FamilyPlan& plan, int y0)
{
    const MoneySettings settings = plan.money.value_or(MoneySettings {});
    std::vector<PensionComparison> comparisons;
    for (const bool wife : { false, true }) {
        if (std::optional<PensionComparison> comparison = comparePensionStartAges(plan, settings, y0, wife))
            comparisons.push_back(std::move(*comparison));
    }
    return comparisons;
}

std::string pensionStartAgesCsvBytes(const FamilyPlan& plan, int y0)
{
    return pensionComparisonCsvBytes(pensionComparisons(plan, y0));
}

} // namespace harukaze
