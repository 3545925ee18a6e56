// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/GrossIncomePanel.h"

#include "core/money/TakeHomeLines.h"
#include "core/money/TaxYears.h"
#include "core/plan/MoneySection.h"
#include "core/table/TableBuilder.h"
#include "gui/common/NumberBoxes.h"
#include "gui/common/PlanSession.h"
#include "gui/money/TakeHomeDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace harukaze {

namespace {

const char* const SPOUSE_KEYS[] = { "husband", "wife" };

QLineEdit* numberBox(const QString& name, bool decimal, int digits, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    const QString pattern
        = decimal ? QStringLiteral("-?[0-9]{0,%1}(\\.[0-9]?)?").arg(digits) : QStringLiteral("[0-9]{0,%1}").arg(digits);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    box->setMaxLength(digits + (decimal ? 3 : 0));
    box->setAlignment(Qt::AlignRight);
    const int digitWidth = box->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    box->setFixedWidth(digitWidth * (box->maxLength() + 1) + 14);
    return box;
}

QWidget* withUnit(QWidget* box, const QString& unit)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    layout->addWidget(new QLabel(unit));
    layout->addStretch();
    return row;
}

struct Range
{
    int min;
    int max;
    bool tenths;
};

// The value of a box within `range`, or the message that refuses it.
std::optional<int> boxValue(const QLineEdit* box, const Range& range, const QString& caption, QString& message)
{
    QString text = box->text().trimmed();
    if (range.tenths && text.endsWith(QLatin1Char('.')))
        text.chop(1);
    const std::string ascii = text.toStdString();
    const std::optional<int> value
        = range.tenths ? parseTenths(ascii, -1000000, 1000000) : parseWholeNumber(ascii, 0, 1000000);
    if (!value) {
        message = NumberBoxes::missingNumberMessage(caption);
        return std::nullopt;
    }
    if (*value < range.min || *value > range.max) {
        const auto bound
            = [&range](int v) { return range.tenths ? QString::fromStdString(formatAmount(v)) : QString::number(v); };
        message = QStringLiteral("%1\n%2から%3までの数値を入力してください。")
                      .arg(caption, bound(range.min), bound(range.max));
        return std::nullopt;
    }
    return value;
}

const Range MONTHS_RANGE { 0, MAX_BONUS_MONTHS, true };
const Range YEARS_RANGE { 0, MAX_SERVICE_YEARS, false };
const Range RATE_RANGE { 0, MAX_PENSION_HEALTH_RATE, true };

QString who(Spouse spouse)
{
    return spouse == Spouse::Husband ? QStringLiteral("夫") : QStringLiteral("妻");
}

QString yen(int64_t value)
{
    return QString::fromStdString(yenText(value)) + QStringLiteral("円");
}

} // namespace

GrossIncomePanel::GrossIncomePanel(const FamilyPlan& plan, const TaxSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_plan(plan)
    , m_table(buildLifeCycleTable(plan, PlanSession::instance().tableContext()))
{
    setObjectName(QStringLiteral("grossIncomePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* basisRow = new QHBoxLayout;
    basisRow->addWidget(new QLabel(QStringLiteral("年収・退職金・年金の金額：")));
    m_net = new QRadioButton(QStringLiteral("手取り"), this);
    m_net->setObjectName(QStringLiteral("incomeBasisNetOption"));
    m_gross = new QRadioButton(QStringLiteral("額面（税金・社会保険料を計算）"), this);
    m_gross->setObjectName(QStringLiteral("incomeBasisGrossOption"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_net);
    group->addButton(m_gross);
    basisRow->addWidget(m_net);
    basisRow->addWidget(m_gross);
    basisRow->addStretch();
    layout->addLayout(basisRow);

    m_details = new QWidget(this);
    auto* grid = new QGridLayout(m_details);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("都道府県（協会けんぽ・住民税）")), 0, 0, Qt::AlignRight);
    m_prefecture = new QComboBox(m_details);
    m_prefecture->setObjectName(QStringLiteral("prefectureCombo"));
    for (const std::string& name : prefectureNames())
        m_prefecture->addItem(QString::fromStdString(name));
    grid->addWidget(m_prefecture, 0, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("夫")), 1, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("妻")), 1, 2, Qt::AlignCenter);
    const QString rowLabels[] = { QStringLiteral("賞与（月給の何か月分）"),
        QStringLiteral("賞与の回数（年）"),
        QStringLiteral("社会保険"),
        QStringLiteral("勤続年数（退職金）") };
    for (int row = 0; row < 4; ++row)
        grid->addWidget(new QLabel(rowLabels[row]), 2 + row, 0, Qt::AlignRight);
    m_pensionHealthRate = numberBox(QStringLiteral("pensionHealthRateBox"), true, 2, m_details);
    grid->addWidget(new QLabel(QStringLiteral("年金受給者の医療・介護保険料")), 6, 0, Qt::AlignRight);
    grid->addWidget(withUnit(m_pensionHealthRate, QStringLiteral("％（年金額に対して）")), 6, 1, 1, 2);
    layout->addWidget(m_details);
    buildSpouse(Spouse::Husband, who(Spouse::Husband));
    buildSpouse(Spouse::Wife, who(Spouse::Wife));
    for (size_t s = 0; s < 2; ++s) {
        const SpouseFields& f = m_spouses[s];
        const int column = 1 + static_cast<int>(s);
        grid->addWidget(withUnit(f.bonusMonths, QStringLiteral("か月")), 2, column);
        grid->addWidget(f.bonusCount, 3, column, Qt::AlignLeft);
        grid->addWidget(f.socialInsurance, 4, column);
        grid->addWidget(withUnit(f.serviceYears, QStringLiteral("年")), 5, column);
    }
    grid->setColumnStretch(3, 1);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("grossIncomeNote"));
    m_note->setWordWrap(true);
    m_note->setText(QStringLiteral(
        "額面は源泉徴収票の支払金額（賞与を含む）です。社会保険は協会けんぽ・厚生年金・雇用保険の本人負担分、"
        "住民税は所得のあった年に計上します（実際には翌年に納めるため、退職の翌年の住民税は表に現れません）。"
        "勤続年数 0 は「定年の年齢 − 22年」とみなします。\n"
        "計算しないもの：自営業の収入・国民年金、健康保険組合・共済の料率、給与・年金・退職金以外の所得、"
        "生命保険料・医療費・寄附金（ふるさと納税）・iDeCo・住宅ローンなどの控除、障害者・ひとり親などの控除、"
        "市町村ごとの税率の違い、毎月の源泉徴収と年末調整の時期。"));
    layout->addWidget(m_note);

    load(settings);
    enableFields();

    connect(m_gross, &QRadioButton::toggled, this, [this](bool checked) {
        enableFields();
        emit basisChanged(checked);
        emit edited();
    });
    connect(m_prefecture, &QComboBox::currentIndexChanged, this, &GrossIncomePanel::edited);
    connect(m_pensionHealthRate, &QLineEdit::textChanged, this, &GrossIncomePanel::edited);
    for (const SpouseFields& f : m_spouses) {
        connect(f.bonusMonths, &QLineEdit::textChanged, this, &GrossIncomePanel::edited);
        connect(f.bonusCount, &QComboBox::currentIndexChanged, this, &GrossIncomePanel::edited);
        connect(f.socialInsurance, &QCheckBox::toggled, this, &GrossIncomePanel::edited);
        connect(f.serviceYears, &QLineEdit::textChanged, this, &GrossIncomePanel::edited);
    }
}

GrossIncomePanel::~GrossIncomePanel() = default;

void GrossIncomePanel::buildSpouse(Spouse spouse, const QString& name)
{
    SpouseFields& f = m_spouses[static_cast<size_t>(spouse)];
    const QString key = QString::fromLatin1(SPOUSE_KEYS[static_cast<size_t>(spouse)]);
    f.bonusMonths = numberBox(key + QStringLiteral("BonusMonthsBox"), true, 2, m_details);
    f.bonusCount = new QComboBox(m_details);
    f.bonusCount->setObjectName(key + QStringLiteral("BonusCountCombo"));
    for (int count = 0; count <= MAX_BONUS_COUNT; ++count)
        f.bonusCount->addItem(QStringLiteral("%1回").arg(count));
    f.socialInsurance = new QCheckBox(QStringLiteral("会社員として加入"), m_details);
    f.socialInsurance->setObjectName(key + QStringLiteral("SocialInsuranceCheck"));
    f.serviceYears = numberBox(key + QStringLiteral("ServiceYearsBox"), false, 2, m_details);

    f.summary = new QWidget;
    f.summary->setObjectName(key + QStringLiteral("TakeHomeSummary"));
    auto* row = new QHBoxLayout(f.summary);
    row->setContentsMargins(0, 0, 0, 0);
    f.takeHome = new QLabel;
    f.takeHome->setObjectName(key + QStringLiteral("TakeHomeLabel"));
    f.takeHome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    f.breakdown = new QPushButton(QStringLiteral("内訳(&%1)...").arg(spouse == Spouse::Husband ? 'K' : 'N'));
    f.breakdown->setObjectName(key + QStringLiteral("BreakdownButton"));
    f.breakdown->setToolTip(QStringLiteral("%1の今年の手取りの内訳").arg(name));
    row->addWidget(f.takeHome, 1);
    row->addWidget(f.breakdown, 0, Qt::AlignTop);
    connect(f.breakdown, &QPushButton::clicked, this, [this, spouse] { showBreakdown(spouse); });
}

QWidget* GrossIncomePanel::summary(Spouse spouse) const
{
    return m_spouses[static_cast<size_t>(spouse)].summary;
}

bool GrossIncomePanel::gross() const
{
    return m_gross->isChecked();
}

void GrossIncomePanel::load(const TaxSettings& settings)
{
    (settings.gross() ? m_gross : m_net)->setChecked(true);
    m_prefecture->setCurrentIndex(std::max(0, prefectureIndex(settings.prefecture)));
    m_pensionHealthRate->setText(QString::fromStdString(formatRate(settings.pensionHealthRate)));
    const int months[] = { settings.husbandBonusMonths, settings.wifeBonusMonths };
    const int counts[] = { settings.husbandBonusCount, settings.wifeBonusCount };
    const int insured[] = { settings.husbandSocialInsurance, settings.wifeSocialInsurance };
    const int years[] = { settings.husbandServiceYears, settings.wifeServiceYears };
    for (size_t s = 0; s < 2; ++s) {
        SpouseFields& f = m_spouses[s];
        f.bonusMonths->setText(QString::fromStdString(formatAmount(months[s])));
        f.bonusCount->setCurrentIndex(counts[s]);
        f.socialInsurance->setChecked(insured[s] == 1);
        f.serviceYears->setText(QString::number(years[s]));
    }
}

void GrossIncomePanel::enableFields()
{
    const bool on = gross();
    m_details->setEnabled(on);
    for (const SpouseFields& f : m_spouses) {
        f.breakdown->setEnabled(on);
        if (!on)
            f.takeHome->setText(
                QStringLiteral("額面で入力すると、今年の手取りと\n所得税・住民税・社会保険料を\nここに表示します。"));
    }
}

std::optional<GrossIncomePanel::Refusal> GrossIncomePanel::read(TaxSettings& settings) const
{
    TaxSettings read = settings;
    read.incomeBasis = gross() ? IncomeBasis::Gross : IncomeBasis::Net;
    read.prefecture = m_prefecture->currentText().toStdString();
    int TaxSettings::*const months[] = { &TaxSettings::husbandBonusMonths, &TaxSettings::wifeBonusMonths };
    int TaxSettings::*const counts[] = { &TaxSettings::husbandBonusCount, &TaxSettings::wifeBonusCount };
    int TaxSettings::*const insured[] = { &TaxSettings::husbandSocialInsurance, &TaxSettings::wifeSocialInsurance };
    int TaxSettings::*const years[] = { &TaxSettings::husbandServiceYears, &TaxSettings::wifeServiceYears };
    QString message;
    for (size_t s = 0; s < 2; ++s) {
        const SpouseFields& f = m_spouses[s];
        const QString name = who(static_cast<Spouse>(s));
        const std::optional<int> m
            = boxValue(f.bonusMonths, MONTHS_RANGE, name + QStringLiteral("の賞与（か月）"), message);
        if (!m)
            return Refusal { f.bonusMonths, message };
        const std::optional<int> y
            = boxValue(f.serviceYears, YEARS_RANGE, name + QStringLiteral("の勤続年数（年）"), message);
        if (!y)
            return Refusal { f.serviceYears, message };
        read.*months[s] = *m;
        read.*years[s] = *y;
        read.*counts[s] = f.bonusCount->currentIndex();
        read.*insured[s] = f.socialInsurance->isChecked() ? 1 : 0;
    }
    const std::optional<int> rate
        = boxValue(m_pensionHealthRate, RATE_RANGE, QStringLiteral("年金受給者の医療・介護保険料（％）"), message);
    if (!rate)
        return Refusal { m_pensionHealthRate, message };
    read.pensionHealthRate = *rate;
    settings = read;
    return std::nullopt;
}

void GrossIncomePanel::readQuietly(TaxSettings& settings) const
{
    settings.incomeBasis = gross() ? IncomeBasis::Gross : IncomeBasis::Net;
    settings.prefecture = m_prefecture->currentText().toStdString();
    QString ignored;
    auto take = [&ignored](const QLineEdit* box, const Range& range, int& field) {
        if (const std::optional<int> value = boxValue(box, range, QString(), ignored))
            field = *value;
    };
    take(m_spouses[0].bonusMonths, MONTHS_RANGE, settings.husbandBonusMonths);
    take(m_spouses[1].bonusMonths, MONTHS_RANGE, settings.wifeBonusMonths);
    take(m_spouses[0].serviceYears, YEARS_RANGE, settings.husbandServiceYears);
    take(m_spouses[1].serviceYears, YEARS_RANGE, settings.wifeServiceYears);
    take(m_pensionHealthRate, RATE_RANGE, settings.pensionHealthRate);
    settings.husbandBonusCount = m_spouses[0].bonusCount->currentIndex();
    settings.wifeBonusCount = m_spouses[1].bonusCount->currentIndex();
    settings.husbandSocialInsurance = m_spouses[0].socialInsurance->isChecked() ? 1 : 0;
    settings.wifeSocialInsurance = m_spouses[1].socialInsurance->isChecked() ? 1 : 0;
}

void GrossIncomePanel::setSettingsSource(std::function<MoneySettings()> source)
{
    m_source = std::move(source);
    connect(this, &GrossIncomePanel::edited, this, &GrossIncomePanel::showThisYear, Qt::UniqueConnection);
    showThisYear();
}

MoneySettings GrossIncomePanel::current() const
{
    MoneySettings settings = m_source ? m_source() : MoneySettings {};
    readQuietly(settings.tax);
    return settings;
}

void GrossIncomePanel::showBreakdown(Spouse spouse)
{
    TakeHomeDialog dialog(m_plan, current(), m_table, 0, spouse, PlanSession::instance().fileName(), this);
    dialog.exec();
}

void GrossIncomePanel::showThisYear()
{
    if (!gross())
        return;
    const MoneySettings settings = current();
    const int y0 = m_table.facts.firstYear;
    const PlanTaxes taxes = planTaxes(m_plan, settings, m_table);
    const TaxYearInput& input = taxes.inputs.front();
    const TaxYearResult& year = taxes.years.front();
    for (size_t s = 0; s < 2; ++s) {
        SpouseFields& f = m_spouses[s];
        const TaxPersonInput& person = input.spouses[s];
        f.breakdown->setEnabled(person.inTable);
        if (!person.inTable) {
            f.takeHome->clear();
            continue;
        }
        const TaxBreakdown& b = year.spouses[s];
        f.takeHome->setText(
            QStringLiteral("今年（%1年）の手取り %2\n所得税 %3・住民税 %4\n社会保険料 %5")
                .arg(y0)
                .arg(yen(b.takeHome), yen(b.incomeTaxTotal), yen(b.residentTaxTotal), yen(b.socialInsurance)));
    }
}

} // namespace harukaze
