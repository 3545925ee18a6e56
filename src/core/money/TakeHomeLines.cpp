// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money/TakeHomeLines.h"

#include <utility>

namespace harukaze {

namespace {

class Lines
{
public:
    void heading(std::string label) { m_lines.push_back({ true, std::move(label), 0, std::string() }); }
    void add(std::string label, int64_t yen, std::string note = std::string())
    {
        m_lines.push_back({ false, std::move(label), yen, std::move(note) });
    }
    std::vector<TakeHomeLine> take() { return std::move(m_lines); }

private:
    std::vector<TakeHomeLine> m_lines;
};

std::string yen(int64_t value)
{
    return yenText(value) + "円";
}

std::string payNote(const TaxBreakdown& b)
{
    if (b.monthlyPay == 0 && b.bonusTotal == 0)
        return std::string();
    std::string note = "月給 " + yen(b.monthlyPay) + " × 12";
    if (!b.bonuses.empty())
        note += "、賞与 " + std::to_string(b.bonuses.size()) + "回 計 " + yen(b.bonusTotal);
    return note;
}

std::string standardNote(int64_t standard)
{
    return standard > 0 ? "標準報酬月額 " + yen(standard) : std::string("加入なし");
}

} // namespace

std::string yenText(int64_t value)
{
    const bool negative = value < 0;
    std::string digits = std::to_string(negative ? -value : value);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<size_t>(i), ",");
    return (negative ? "-" : "") + digits;
}

std::vector<TakeHomeLine> takeHomeLines(const TaxPersonInput& in, const TaxBreakdown& b)
{
    Lines lines;
    lines.heading("収入（額面）");
    lines.add("給与", in.pay, payNote(b));
    lines.add("公的年金", in.pension);
    lines.add("退職金", in.severance, in.severance > 0 ? "勤続 " + std::to_string(in.serviceYears) + "年" : "");

    lines.heading("社会保険料");
    lines.add("健康保険料（介護保険料を含む）", b.healthPremium, standardNote(b.standardHealth));
    lines.add("子ども・子育て支援金", b.supportPremium);
    lines.add("厚生年金保険料", b.pensionPremium, standardNote(b.standardPension));
    lines.add("雇用保険料", b.employmentPremium);
    lines.add("年金受給者の医療・介護保険料", b.pensionerPremium);
    lines.add("社会保険料 計", b.socialInsurance);

    lines.heading("所得");
    lines.add("給与所得", b.salaryIncome, "給与所得控除後の金額");
    lines.add("所得金額調整控除（子ども等）", b.childAdjustment);
    lines.add("公的年金等控除額", b.pensionDeduction);
    lines.add("公的年金等に係る雑所得", b.pensionIncome);
    lines.add("所得金額調整控除（給与と年金）", b.pensionAdjustment);
    lines.add("調整後の給与所得", b.adjustedSalaryIncome);
    lines.add("総所得金額", b.totalIncome);
    lines.add("退職所得控除額", b.retirementDeduction);
    lines.add("退職所得", b.retirementIncome, "（退職金 − 退職所得控除額）× 1/2");
    lines.add("合計所得金額（所得税）", b.combinedIncome, "総所得金額 + 退職所得");
    lines.add("合計所得金額（住民税）", b.residentCombinedIncome, "退職所得を含みません");

    lines.heading(b.claimsFamily ? "所得税（配偶者・子供の控除を受ける人）" : "所得税");
    lines.add("社会保険料控除", b.socialInsurance);
    lines.add("基礎控除", b.basicDeduction);
    lines.add("配偶者控除・配偶者特別控除", b.spouseDeduction);
    lines.add("扶養控除", b.dependentDeduction);
    lines.add("課税所得金額", b.taxableIncome, "千円未満切り捨て");
    lines.add("基準所得税額", b.baseIncomeTax, "速算表");
    lines.add("所得税（復興特別所得税を含む）", b.incomeTax, "基準所得税額 × 102.1％、百円未満切り捨て");

    lines.heading("住民税（所得の年に計上）");
    lines.add("社会保険料控除", b.socialInsurance);
    lines.add("基礎控除", b.residentBasicDeduction);
    lines.add("配偶者控除・配偶者特別控除", b.residentSpouseDeduction);
    lines.add("扶養控除", b.residentDependentDeduction);
    lines.add("課税総所得金額", b.residentTaxable, "千円未満切り捨て");
    lines.add("調整控除の対象額", b.adjustmentBase, "人的控除差 " + yen(b.personalDifference));
    lines.add("道府県民税 所得割", b.prefectureIncomeLevy, "調整控除 2％を差し引き、百円未満切り捨て");
    lines.add("市町村民税 所得割", b.municipalIncomeLevy, "調整控除 3％を差し引き、百円未満切り捨て");
    lines.add("道府県民税 均等割", b.prefecturePerCapita);
    lines.add("市町村民税 均等割", b.municipalPerCapita);
    lines.add("森林環境税", b.forestTax);
    lines.add("住民税 計", b.residentTax, "非課税限度額の人数 " + std::to_string(b.persons) + "人");

    lines.heading("退職金の税金（支払時に源泉徴収）");
    lines.add("課税退職所得金額", b.taxableRetirement, "千円未満切り捨て");
    lines.add("所得税（復興特別所得税を含む）", b.retirementIncomeTax, "1円未満切り捨て");
    lines.add("住民税", b.retirementResidentTax, "4％ + 6％、それぞれ百円未満切り捨て");

    lines.heading("税金・社会保険料と手取り");
    lines.add("所得税 計", b.incomeTaxTotal);
    lines.add("住民税 計", b.residentTaxTotal);
    lines.add("社会保険料 計", b.socialInsurance);
    lines.add("手取り", b.takeHome, "給与 + 公的年金 + 退職金 − 所得税 − 住民税 − 社会保険料");
    return lines.take();
}

} // namespace harukaze
