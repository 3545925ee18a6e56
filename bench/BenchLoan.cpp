// SPDX-License-Identifier: GPL-3.0-or-later
// The monthly schedule of the longest housing loan the settings allow: 600 payments at a variable
// rate, twenty rate changes (some past the 125% cap, leaving 未払利息) and twenty 繰上返済 of both
// kinds. Run with --benchmark_repetitions=N to see the median.
#include "core/money/Loan.h"

#include <benchmark/benchmark.h>

using namespace harukaze;

namespace {

LoanTerms longVariableLoan()
{
    LoanTerms terms;
    terms.principal = 80000000;
    terms.payments = 600;
    terms.year = 2026;
    terms.month = 4;
    terms.rateType = LoanRateType::Variable;
    terms.rate = 500;
    for (int i = 0; i < MAX_LOAN_ENTRIES; ++i) {
        // Up and down between 0.5% and 9.5%, one change every two years.
        const int rate = i % 2 == 0 ? 500 + 450 * i : 500 + 100 * i;
        terms.rateChanges.push_back({ 2027 + 2 * i, 1 + i % 12, rate });
        terms.prepayments.push_back(
            { 2028 + 2 * i, 6, 500000, i % 2 == 0 ? PrepaymentKind::LowerPayment : PrepaymentKind::ShortenTerm });
    }
    return terms;
}

void BM_LoanSchedule600VariableTwentyChangesTwentyPrepayments(benchmark::State& state)
{
    const LoanTerms terms = longVariableLoan();
    for (auto _ : state) {
        LoanSchedule schedule = computeLoanSchedule(terms);
        benchmark::DoNotOptimize(schedule.events.data());
    }
}
BENCHMARK(BM_LoanSchedule600VariableTwentyChangesTwentyPrepayments)->Unit(benchmark::kMicrosecond);

} // namespace
