// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/Tax.h"

#include "harukaze/TaxTableData.h"

#include <algorithm>
#include <climits>

namespace harukaze {

namespace td = tax_data;

namespace {

// Figures of the law that no table of the year carries.
constexpr int64_t CHILD_ADJUSTMENT_FROM = 8500000; // 所得金額調整控除: pay above this
constexpr int64_t CHILD_ADJUSTMENT_PAY_CAP = 10000000;
constexpr int64_t CHILD_ADJUSTMENT_MAX = 150000;
constexpr int CHILD_ADJUSTMENT_AGE = 23; // 特別障害者 aside: a child under 23
constexpr int64_t PENSION_ADJUSTMENT_CAP = 100000; // 給与と年金: 10万 of each, less 10万
constexpr int64_t OTHER_INCOME_BAND1 = 10000000; // 公的年金等控除: other income up to 1,000万
constexpr int64_t OTHER_INCOME_BAND2 = 20000000;
constexpr int PENSION_AGE_65 = 65;
constexpr int64_t SPOUSE_CLAIMANT_900 = 9000000; // 配偶者控除: the claimant's columns
constexpr int64_t SPOUSE_CLAIMANT_950 = 9500000;
constexpr int64_t SPOUSE_CLAIMANT_1000 = 10000000;
constexpr int ELDERLY_SPOUSE_AGE = 70;
constexpr int64_t RECONSTRUCTION_PER_MILLE = 1021; // 復興特別所得税 2.1 %
constexpr int64_t RESIDENT_ADJUSTMENT_INCOME_CAP = 25000000; // 調整控除 only up to this 合計所得
constexpr int64_t RESIDENT_ADJUSTMENT_TAXABLE = 2000000;
constexpr int64_t RESIDENT_ADJUSTMENT_MINIMUM = 50000;
constexpr int64_t RETIREMENT_PER_YEAR_UP_TO_20 = 400000; // 退職所得控除
constexpr int64_t RETIREMENT_MINIMUM = 800000;
constexpr int64_t RETIREMENT_AT_20 = 8000000;
constexpr int64_t RETIREMENT_PER_YEAR_AFTER_20 = 700000;
constexpr int RETIREMENT_SHORT_SERVICE = 5; // 短期退職手当等
constexpr int64_t RETIREMENT_SHORT_HALVED = 3000000;
constexpr int HEALTH_AGE_LIMIT = 75; // 健康保険 and 支援金 below this age
constexpr int KAIGO_FROM = 40; // 介護保険 第2号
constexpr int KAIGO_TO = 64;
constexpr int PENSION_AGE_LIMIT = 70; // 厚生年金 below this age
constexpr int MONTHS = 12;
constexpr int64_t HALF_SHARE = 200000; // rate in 1/1000 %, halved: the employee's share
constexpr int64_t WHOLE_SHARE = 100000; // 雇用保険: the rate is the employee's own

int64_t floorTo(int64_t value, int64_t step)
{
    return value / step * step;
}

int64_t ceilDiv(int64_t num, int64_t den)
{
    return (num + den - 1) / den;
}

// num / den with a fraction of one half or less dropped and more than a half counted as one.
int64_t half50(int64_t num, int64_t den)
{
    const int64_t q = num / den;
    return 2 * (num % den) > den ? q + 1 : q;
}

// The table year of `rows` for calendar year `year`: the latest at or before it, else the first.
template <typename Row, size_t N>
int tableYear(const Row (&rows)[N], int year)
{
    int first = INT_MAX;
    int chosen = INT_MIN;
    for (const Row& row : rows) {
        first = std::min(first, row.year);
        if (row.year <= year)
            chosen = std::max(chosen, row.year);
    }
    return chosen == INT_MIN ? first : chosen;
}

// The rows of `rows` for calendar year `year`, in table order.
template <typename Row, size_t N>
std::vector<const Row*> rowsOf(const Row (&rows)[N], int year)
{
    const int chosen = tableYear(rows, year);
    std::vector<const Row*> result;
    for (const Row& row : rows) {
        if (row.year == chosen)
            result.push_back(&row);
    }
    return result;
}

const td::InsuranceRow& insuranceRates(int year)
{
    return *rowsOf(td::INSURANCE_RATES, year).front();
}

const td::ResidentRow& residentRates(int year)
{
    return *rowsOf(td::RESIDENT_TAX, year).front();
}

template <size_t N>
const td::PrefectureRateRow& prefectureRow(const td::PrefectureRateRow (&rows)[N], int year, int prefecture)
{
    for (const td::PrefectureRateRow* row : rowsOf(rows, year)) {
        if (row->prefecture == prefecture)
            return *row;
    }
    return *rowsOf(rows, year).front();
}

int64_t basicDeduction(int64_t combined, bool resident, int year)
{
    for (const td::BasicRow* row : rowsOf(td::BASIC_DEDUCTION, year)) {
        if (row->resident == resident && combined <= row->upper)
            return row->amount;
    }
    return 0;
}

// 配偶者控除 / 配偶者特別控除 the claimant takes for a spouse with `spouseIncome`.
int64_t spouseDeduction(int64_t claimantIncome, int64_t spouseIncome, int spouseAge, bool resident, int year)
{
    if (claimantIncome > SPOUSE_CLAIMANT_1000)
        return 0;
    auto column = [claimantIncome](const td::SpouseRow& row) {
        if (claimantIncome <= SPOUSE_CLAIMANT_900)
            return row.c900;
        return claimantIncome <= SPOUSE_CLAIMANT_950 ? row.c950 : row.c1000;
    };
    const std::vector<const td::SpouseRow*> rows = rowsOf(td::SPOUSE_DEDUCTION, year);
    const bool elderly = spouseAge >= ELDERLY_SPOUSE_AGE;
    for (const td::SpouseRow* row : rows) {
        if (row->resident == resident && !row->special && row->elderly == elderly && spouseIncome <= row->spouseUpper)
            return column(*row);
    }
    for (const td::SpouseRow* row : rows) {
        if (row->resident == resident && row->special && spouseIncome <= row->spouseUpper)
            return column(*row);
    }
    return 0;
}

// The 住民税 line of a 同一生計配偶者 (the 配偶者控除 row's spouse_upper).
int64_t residentSpouseLine(int year)
{
    for (const td::SpouseRow* row : rowsOf(td::SPOUSE_DEDUCTION, year)) {
        if (row->resident && !row->special)
            return row->spouseUpper;
    }
    return 0;
}

const td::DependentRow* dependentRow(int age, int year)
{
    for (const td::DependentRow* row : rowsOf(td::DEPENDENT_DEDUCTION, year)) {
        if (age >= row->ageFrom && age <= row->ageTo)
            return row;
    }
    return nullptr;
}

// The oldest age at which a child is a dependent (扶養控除 or 年少扶養親族).
int dependentMaxAge(int year)
{
    int oldest = -1;
    for (const td::DependentRow* row : rowsOf(td::DEPENDENT_DEDUCTION, year))
        oldest = std::max(oldest, row->ageTo);
    return oldest;
}

int64_t publicPensionDeduction(int64_t pension, int64_t otherIncome, int age, int year)
{
    const int band = otherIncome <= OTHER_INCOME_BAND1 ? 0 : otherIncome <= OTHER_INCOME_BAND2 ? 1 : 2;
    const bool age65 = age >= PENSION_AGE_65;
    for (const td::PensionDeductionRow* row : rowsOf(td::PUBLIC_PENSION_DEDUCTION, year)) {
        if (row->age65 == age65 && row->band == band && row->lower < pension && pension <= row->upper)
            return ceilDiv(pension * row->pct, 100) + row->add;
    }
    return 0;
}

void splitPay(const TaxPersonInput& in, TaxBreakdown& out)
{
    const int64_t bm = in.bonusMonths;
    out.monthlyPay = in.pay * 10 / (10 * MONTHS + bm);
    out.bonusTotal = in.pay - MONTHS * out.monthlyPay;
    if (out.bonusTotal <= 0)
        return;
    const int count = std::max(1, in.bonusCount);
    for (int i = 0; i + 1 < count; ++i)
        out.bonuses.push_back(out.bonusTotal / count);
    out.bonuses.push_back(out.bonusTotal - (count - 1) * (out.bonusTotal / count));
}

void socialInsurance(const TaxPersonInput& in, int year, int prefecture, TaxBreakdown& out)
{
    if (!in.socialInsurance || in.pay <= 0)
        return;
    const td::InsuranceRow& rates = insuranceRates(year);
    const bool health = in.age < HEALTH_AGE_LIMIT;
    const bool kaigo = in.age >= KAIGO_FROM && in.age <= KAIGO_TO;
    const bool pension = in.age < PENSION_AGE_LIMIT;
    const int64_t healthRate = prefectureRow(td::HEALTH_RATES, year, prefecture).value + (kaigo ? rates.kaigo : 0);
    const int64_t M = out.monthlyPay;

    if (health) {
        out.standardHealth = standardHealthMonthly(M, year);
        out.healthPremium = half50(out.standardHealth * healthRate, HALF_SHARE) * MONTHS;
        out.supportPremium = half50(out.standardHealth * rates.shien, HALF_SHARE) * rates.shienMonths;
    }
    if (pension) {
        out.standardPension = standardPensionMonthly(M, year);
        out.pensionPremium = half50(out.standardPension * rates.kounen, HALF_SHARE) * MONTHS;
    }
    out.employmentPremium = half50(M * rates.koyou, WHOLE_SHARE) * MONTHS;

    int64_t healthBonusSoFar = 0;
    for (const int64_t b : out.bonuses) {
        const int64_t s = floorTo(b, 1000);
        if (health) {
            const int64_t sh = std::max<int64_t>(0, std::min(s, rates.capHealth - healthBonusSoFar));
            healthBonusSoFar += sh;
            out.healthPremium += half50(sh * healthRate, HALF_SHARE);
            if (rates.shienMonths > 0)
                out.supportPremium += half50(sh * rates.shien, HALF_SHARE);
        }
        if (pension)
            out.pensionPremium += half50(std::min(s, rates.capPension) * rates.kounen, HALF_SHARE);
        out.employmentPremium += half50(b * rates.koyou, WHOLE_SHARE);
    }
}

void incomes(const TaxPersonInput& in, const TaxYearInput& year, TaxBreakdown& out)
{
    out.salaryIncome = salaryIncome(in.pay, year.year);
    const bool youngChild = std::any_of(
        year.childAges.begin(), year.childAges.end(), [](int age) { return age >= 0 && age < CHILD_ADJUSTMENT_AGE; });
    if (in.pay > CHILD_ADJUSTMENT_FROM && youngChild)
        out.childAdjustment = std::min(
            ceilDiv(std::min(in.pay, CHILD_ADJUSTMENT_PAY_CAP) - CHILD_ADJUSTMENT_FROM, 10), CHILD_ADJUSTMENT_MAX);
    const int64_t K1 = std::max<int64_t>(0, out.salaryIncome - out.childAdjustment);

    if (in.severance > 0) {
        const int y = std::max(1, in.serviceYears);
        out.retirementDeduction = retirementDeduction(y);
        if (in.severance > out.retirementDeduction) {
            const int64_t x = in.severance - out.retirementDeduction;
            out.retirementIncome = y <= RETIREMENT_SHORT_SERVICE && x > RETIREMENT_SHORT_HALVED
                ? RETIREMENT_SHORT_HALVED / 2 + (x - RETIREMENT_SHORT_HALVED)
                : x / 2;
        }
        out.taxableRetirement = floorTo(out.retirementIncome, 1000);
    }

    if (in.pension > 0) {
        out.pensionDeduction = publicPensionDeduction(in.pension, K1 + out.retirementIncome, in.age, year.year);
        out.pensionIncome = std::max<int64_t>(0, in.pension - out.pensionDeduction);
    }
    if (K1 > 0 && out.pensionIncome > 0)
        out.pensionAdjustment = std::max<int64_t>(0,
            std::min(K1, PENSION_ADJUSTMENT_CAP) + std::min(out.pensionIncome, PENSION_ADJUSTMENT_CAP)
                - PENSION_ADJUSTMENT_CAP);
    out.adjustedSalaryIncome = K1 - out.pensionAdjustment;

    out.totalIncome = out.adjustedSalaryIncome + out.pensionIncome;
    out.combinedIncome = out.totalIncome + out.retirementIncome;
    out.residentCombinedIncome = out.totalIncome;

    if (in.pension > 0 && (!in.socialInsurance || in.pay <= 0 || in.age >= HEALTH_AGE_LIMIT))
        out.pensionerPremium = in.pension * year.pensionHealthRate / 1000;
    out.socialInsurance
        = out.healthPremium + out.supportPremium + out.pensionPremium + out.employmentPremium + out.pensionerPremium;
}

void incomeTax(const TaxYearInput& year,
    const TaxPersonInput& other,
    const TaxBreakdown& otherOut,
    int64_t dependentsIncome,
    TaxBreakdown& out)
{
    out.basicDeduction = basicDeduction(out.combinedIncome, false, year.year);
    if (out.claimsFamily && other.inTable)
        out.spouseDeduction = spouseDeduction(out.combinedIncome, otherOut.combinedIncome, other.age, false, year.year);
    if (out.claimsFamily)
        out.dependentDeduction = dependentsIncome;
    const int64_t deductions = out.socialInsurance + out.basicDeduction + out.spouseDeduction + out.dependentDeduction;
    out.taxableIncome = floorTo(std::max<int64_t>(0, out.totalIncome - deductions), 1000);
    out.baseIncomeTax = baseIncomeTax(out.taxableIncome, year.year);
    out.incomeTax = floorTo(out.baseIncomeTax * RECONSTRUCTION_PER_MILLE / 1000, 100);
}

void residentTax(const TaxYearInput& year,
    const TaxPersonInput& other,
    const TaxBreakdown& otherOut,
    int children,
    int64_t dependentsResident,
    int64_t dependentsDiff,
    TaxBreakdown& out)
{
    const td::ResidentRow& r = residentRates(year.year);
    const td::PrefectureRateRow& surtax = prefectureRow(td::PREFECTURE_SURTAX, year.year, year.prefecture);
    const int64_t T_r = out.residentCombinedIncome;

    out.persons = 1;
    if (other.inTable && otherOut.residentCombinedIncome <= residentSpouseLine(year.year))
        ++out.persons;
    if (out.claimsFamily)
        out.persons += children;
    const int64_t family = r.exemptPerPerson * out.persons + r.exemptAdd;
    const int64_t perCapitaLimit = out.persons == 1 ? r.exemptSingle : family + r.kintoFamilyAdd;
    const int64_t incomeLevyLimit = out.persons == 1 ? r.exemptSingle : family + r.shotokuFamilyAdd;

    out.residentBasicDeduction = basicDeduction(T_r, true, year.year);
    if (out.claimsFamily && other.inTable)
        out.residentSpouseDeduction = spouseDeduction(T_r, otherOut.residentCombinedIncome, other.age, true, year.year);
    if (out.claimsFamily)
        out.residentDependentDeduction = dependentsResident;
    const int64_t deductions = out.socialInsurance + out.residentBasicDeduction + out.residentSpouseDeduction
        + out.residentDependentDeduction;
    out.residentTaxable = floorTo(std::max<int64_t>(0, out.totalIncome - deductions), 1000);

    const int64_t TX = out.residentTaxable;
    if (T_r <= RESIDENT_ADJUSTMENT_INCOME_CAP) {
        out.personalDifference = r.basicDiff;
        if (out.claimsFamily)
            out.personalDifference
                += std::max<int64_t>(0, out.spouseDeduction - out.residentSpouseDeduction) + dependentsDiff;
        if (TX > 0)
            out.adjustmentBase = TX <= RESIDENT_ADJUSTMENT_TAXABLE
                ? std::min(out.personalDifference, TX)
                : std::max(out.personalDifference - (TX - RESIDENT_ADJUSTMENT_TAXABLE), RESIDENT_ADJUSTMENT_MINIMUM);
    }

    if (out.totalIncome > incomeLevyLimit) {
        out.prefectureIncomeLevy = floorTo(
            std::max<int64_t>(
                0, TX * (r.prefRatePct * 1000 + surtax.incomeRate) / 100000 - out.adjustmentBase * r.adjPrefPct / 100),
            100);
        out.municipalIncomeLevy
            = floorTo(std::max<int64_t>(0, TX * r.muniRatePct / 100 - out.adjustmentBase * r.adjMuniPct / 100), 100);
    }
    if (T_r > perCapitaLimit) {
        out.prefecturePerCapita = r.kintoPref + surtax.value;
        out.municipalPerCapita = r.kintoMuni;
        out.forestTax = r.forest;
    }
    out.residentTax = out.prefectureIncomeLevy + out.municipalIncomeLevy + out.prefecturePerCapita
        + out.municipalPerCapita + out.forestTax;
}

} // namespace

int64_t employeeShare(int64_t base, int64_t rate)
{
    return half50(base * rate, HALF_SHARE);
}

int64_t salaryIncome(int64_t pay, int year)
{
    for (const td::KyuyoRow* row : rowsOf(td::KYUYO_SHOTOKU, year)) {
        if (pay < row->lower || pay >= row->upper)
            continue;
        switch (row->kind) {
        case td::KyuyoKind::Zero:
            return 0;
        case td::KyuyoKind::Minus:
            return pay - row->a;
        case td::KyuyoKind::Fixed:
            return row->a;
        case td::KyuyoKind::Step:
            return pay / 4000 * row->b - row->a;
        case td::KyuyoKind::Ratio:
            return pay * row->b / 100 - row->a;
        }
    }
    return 0;
}

int64_t baseIncomeTax(int64_t taxable, int year)
{
    for (const td::IncomeTaxRow* row : rowsOf(td::INCOME_TAX_RATES, year)) {
        if (taxable <= row->upper)
            return taxable * row->ratePct / 100 - row->subtract;
    }
    return 0;
}

int64_t standardHealthMonthly(int64_t monthlyPay, int year)
{
    const std::vector<const td::GradeRow*> rows = rowsOf(td::STANDARD_MONTHLY_GRADES, year);
    for (const td::GradeRow* row : rows) {
        if (monthlyPay < row->to)
            return row->standard;
    }
    return rows.back()->standard;
}

int64_t standardPensionMonthly(int64_t monthlyPay, int year)
{
    const td::GradeRow* last = nullptr;
    for (const td::GradeRow* row : rowsOf(td::STANDARD_MONTHLY_GRADES, year)) {
        if (row->pensionGrade == 0)
            continue;
        if (monthlyPay < row->to)
            return row->standard;
        last = row;
    }
    return last ? last->standard : 0;
}

int64_t retirementDeduction(int serviceYears)
{
    const int y = std::max(1, serviceYears);
    if (y <= 20)
        return std::max(RETIREMENT_PER_YEAR_UP_TO_20 * y, RETIREMENT_MINIMUM);
    return RETIREMENT_AT_20 + RETIREMENT_PER_YEAR_AFTER_20 * (y - 20);
}

TaxYearResult computeTaxYear(const TaxYearInput& input)
{
    TaxYearResult result;
    for (size_t s = 0; s < 2; ++s) {
        const TaxPersonInput& in = input.spouses[s];
        if (!in.inTable)
            continue;
        TaxBreakdown& out = result.spouses[s];
        splitPay(in, out);
        socialInsurance(in, input.year, input.prefecture, out);
        incomes(in, input, out);
    }

    // The spouse with the larger 合計所得金額 claims the family (the husband when equal).
    const TaxPersonInput& husband = input.spouses[0];
    const TaxPersonInput& wife = input.spouses[1];
    const size_t head
        = husband.inTable && (!wife.inTable || result.spouses[0].combinedIncome >= result.spouses[1].combinedIncome)
        ? 0
        : 1;
    if (input.spouses[head].inTable)
        result.spouses[head].claimsFamily = true;

    int64_t dependentsIncome = 0;
    int64_t dependentsResident = 0;
    int64_t dependentsDiff = 0;
    int children = 0;
    const int oldest = dependentMaxAge(input.year);
    for (const int age : input.childAges) {
        if (age < 0 || age > oldest)
            continue;
        ++children;
        if (const td::DependentRow* row = dependentRow(age, input.year)) {
            dependentsIncome += row->income;
            dependentsResident += row->resident;
            dependentsDiff += row->diff;
        }
    }

    const td::ResidentRow& r = residentRates(input.year);
    for (size_t s = 0; s < 2; ++s) {
        const TaxPersonInput& in = input.spouses[s];
        if (!in.inTable)
            continue;
        TaxBreakdown& out = result.spouses[s];
        const TaxPersonInput& other = input.spouses[1 - s];
        const TaxBreakdown& otherOut = result.spouses[1 - s];
        incomeTax(input, other, otherOut, dependentsIncome, out);
        residentTax(input, other, otherOut, children, dependentsResident, dependentsDiff, out);

        if (in.severance > 0) {
            out.retirementIncomeTax
                = baseIncomeTax(out.taxableRetirement, input.year) * RECONSTRUCTION_PER_MILLE / 1000;
            out.retirementResidentTax = floorTo(out.taxableRetirement * r.prefRatePct / 100, 100)
                + floorTo(out.taxableRetirement * r.muniRatePct / 100, 100);
        }
        out.incomeTaxTotal = out.incomeTax + out.retirementIncomeTax;
        out.residentTaxTotal = out.residentTax + out.retirementResidentTax;
        out.takeHome
            = in.pay + in.pension + in.severance - out.incomeTaxTotal - out.residentTaxTotal - out.socialInsurance;
    }
    return result;
}

} // namespace harukaze
