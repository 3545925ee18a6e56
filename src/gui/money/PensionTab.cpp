// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/PensionTab.h"

#include "core/money/Pension.h"
#include "core/plan/MoneySection.h"
#include "core/table/Clock.h"
#include "gui/common/MessageBox.h"
#include "gui/money/PensionComparisonDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace harukaze {

namespace {

enum class Page {
    Statement, ///< ねんきん定期便
    Record, ///< 加入記録
    Both, ///< either estimate
};

struct Field
{
    const char* box; ///< object name after "husband" / "wife"
    const char* label; ///< beside the box
    const char* unit;
    const char* caption; ///< the field's name in a message, after "夫の" / "妻の"
    bool tenths;
    int max;
    Page page;
    int& (*member)(PensionSettings&);
};

// The number boxes of a spouse, page by page, in the order they are checked.
const Field FIELDS[] = {
    { "Kiso65Box",
        "老齢基礎年金",
        "万円／年",
        "老齢基礎年金（定期便）",
        true,
        1500,
        Page::Statement,
        [](PensionSettings& p) -> int& { return p.kiso65; } },
    { "Kosei65Box",
        "老齢厚生年金（報酬比例部分＋経過的加算）",
        "万円／年",
        "老齢厚生年金（定期便）",
        true,
        9999,
        Page::Statement,
        [](PensionSettings& p) -> int& { return p.kosei65; } },
    { "TokubetsuBox",
        "特別支給の老齢厚生年金（報酬比例部分）",
        "万円／年",
        "特別支給の老齢厚生年金（定期便）",
        true,
        9999,
        Page::Statement,
        [](PensionSettings& p) -> int& { return p.tokubetsu; } },
    { "KoseiMonthsBox",
        "これまでの加入期間：厚生年金保険",
        "月",
        "厚生年金保険の加入期間（定期便）",
        false,
        600,
        Page::Statement,
        [](PensionSettings& p) -> int& { return p.koseiMonths; } },
    { "StatementWorkAgeBox",
        "見込額が前提とする勤務（この年齢まで。50歳以上の定期便は60、それ以外は0）",
        "歳",
        "見込額が前提とする勤務の年齢",
        false,
        70,
        Page::Statement,
        [](PensionSettings& p) -> int& { return p.statementWorkAge; } },
    { "KisoMonthsBox",
        "保険料納付済月数（60歳までの見込み）",
        "月",
        "保険料納付済月数",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.kisoMonths; } },
    { "ExemptFullBox",
        "全額免除（2009年4月以降）",
        "月",
        "全額免除の月数（2009年4月以降）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[0]; } },
    { "Exempt3QBox",
        "4分の3免除（2009年4月以降）",
        "月",
        "4分の3免除の月数（2009年4月以降）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[1]; } },
    { "ExemptHalfBox",
        "半額免除（2009年4月以降）",
        "月",
        "半額免除の月数（2009年4月以降）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[2]; } },
    { "Exempt1QBox",
        "4分の1免除（2009年4月以降）",
        "月",
        "4分の1免除の月数（2009年4月以降）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[3]; } },
    { "ExemptFullOldBox",
        "全額免除（2009年3月以前）",
        "月",
        "全額免除の月数（2009年3月以前）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[4]; } },
    { "Exempt3QOldBox",
        "4分の3免除（2009年3月以前）",
        "月",
        "4分の3免除の月数（2009年3月以前）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[5]; } },
    { "ExemptHalfOldBox",
        "半額免除（2009年3月以前）",
        "月",
        "半額免除の月数（2009年3月以前）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[6]; } },
    { "Exempt1QOldBox",
        "4分の1免除（2009年3月以前）",
        "月",
        "4分の1免除の月数（2009年3月以前）",
        false,
        480,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.exemptMonths[7]; } },
    { "KoseiMonthsOldBox",
        "厚生年金 2003年3月以前の月数",
        "月",
        "厚生年金の月数（2003年3月以前）",
        false,
        600,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.koseiMonthsOld; } },
    { "KoseiPayOldBox",
        "その平均標準報酬月額（再評価後・賞与なし）",
        "万円／月",
        "平均標準報酬月額（2003年3月以前）",
        true,
        9999,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.koseiPayOld; } },
    { "KoseiMonthsNewBox",
        "厚生年金 2003年4月から昨年末までの月数",
        "月",
        "厚生年金の月数（2003年4月以降）",
        false,
        600,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.koseiMonthsNew; } },
    { "KoseiPayNewBox",
        "その平均標準報酬額（再評価後・賞与込み）",
        "万円／月",
        "平均標準報酬額（2003年4月以降）",
        true,
        9999,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.koseiPayNew; } },
    { "KoseiMonthsOutBox",
        "うち20歳前・60歳以後・1961年3月以前の月数",
        "月",
        "20歳前・60歳以後・1961年3月以前の月数",
        false,
        600,
        Page::Record,
        [](PensionSettings& p) -> int& { return p.koseiMonthsOut; } },
    { "FuturePayBox",
        "今後の標準報酬（賞与込み、定年まで。0＝厚生年金なし）",
        "万円／月",
        "今後の標準報酬",
        true,
        9999,
        Page::Both,
        [](PensionSettings& p) -> int& { return p.futurePay; } },
    { "ReemployPayBox",
        "再雇用中の総報酬月額相当額（0＝厚生年金なし）",
        "万円／月",
        "再雇用中の報酬",
        true,
        9999,
        Page::Both,
        [](PensionSettings& p) -> int& { return p.reemployPay; } },
};

const QStringList MODE_TEXTS {
    QStringLiteral("金額（収入タブの公的年金）"), QStringLiteral("ねんきん定期便"), QStringLiteral("加入記録")
};

QString prefixOf(bool wife)
{
    return wife ? QStringLiteral("wife") : QStringLiteral("husband");
}

QString whoOf(bool wife)
{
    return wife ? QStringLiteral("妻") : QStringLiteral("夫");
}

QString valueText(const Field& field, int value)
{
    return field.tenths ? QString::fromStdString(formatAmount(value)) : QString::number(value);
}

std::optional<int> parseBox(const QLineEdit* box, bool tenths)
{
    QString text = box->text().trimmed();
    if (tenths && text.endsWith(QLatin1Char('.')))
        text.chop(1);
    const std::string ascii = text.toStdString();
    return tenths ? parseTenths(ascii, -9999999, 9999999) : parseWholeNumber(ascii, 0, 9999999);
}

QString manText(int64_t yen)
{
    return QString::fromStdString(formatAmount(static_cast<int>(roundDivide(yen, 1000)))) + QStringLiteral("万円");
}

int lenientAge(const QLineEdit* box, int fallback)
{
    const std::optional<int> value = box ? parseBox(box, false) : std::nullopt;
    return value ? *value : fallback;
}

} // namespace

struct PensionTab::Spouse
{
    bool wife = false;
    PensionIncomeBoxes income;
    QGroupBox* group = nullptr;
    QComboBox* mode = nullptr;
    QSpinBox* month = nullptr;
    QSpinBox* day = nullptr;
    QStackedWidget* pages = nullptr;
    QWidget* common = nullptr;
    QComboBox* kind = nullptr;
    QCheckBox* kakyu = nullptr;
    QLabel* estimate = nullptr;
    QPushButton* compare = nullptr;
    std::vector<std::pair<const Field*, QLineEdit*>> boxes;
};

PensionTab::PensionTab(const FamilyPlan& plan,
    const MoneySettings& settings,
    const PensionIncomeBoxes& husband,
    const PensionIncomeBoxes& wife,
    QWidget* parent)
    : QWidget(parent)
    , m_plan(plan)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("pensionTab"));
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    for (int s = 0; s < 2; ++s) {
        m_spouses[static_cast<size_t>(s)] = std::make_unique<Spouse>();
        const bool isWife = s == 1;
        build(*m_spouses[static_cast<size_t>(s)],
            isWife,
            isWife ? settings.wifePensionEstimate : settings.husbandPensionEstimate,
            isWife ? wife : husband);
        column->addWidget(m_spouses[static_cast<size_t>(s)]->group);
    }
    auto* note = new QLabel(QStringLiteral(
        "見込額は公的年金の額面（税・社会保険料を引く前）です。振替加算、企業年金などは含みません（ヘルプ参照）。"));
    note->setWordWrap(true);
    column->addWidget(note);
    column->addStretch();
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    updateEstimates();
}

PensionTab::~PensionTab() = default;

void PensionTab::build(Spouse& spouse, bool wife, const PensionSettings& pension, const PensionIncomeBoxes& boxes)
{
    const QString prefix = prefixOf(wife);
    spouse.wife = wife;
    spouse.income = boxes;
    spouse.group = new QGroupBox(whoOf(wife) + QStringLiteral("の公的年金"));
    spouse.group->setObjectName(prefix + QStringLiteral("PensionGroup"));
    auto* layout = new QVBoxLayout(spouse.group);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("求め方")));
    spouse.mode = new QComboBox;
    spouse.mode->setObjectName(prefix + QStringLiteral("PensionModeCombo"));
    spouse.mode->addItems(MODE_TEXTS);
    spouse.mode->setCurrentIndex(static_cast<int>(pension.mode));
    top->addWidget(spouse.mode);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("誕生月日")));
    spouse.month = new QSpinBox;
    spouse.month->setObjectName(prefix + QStringLiteral("BirthMonthBox"));
    spouse.month->setRange(1, 12);
    spouse.month->setValue(pension.birthMonthDay / 100);
    spouse.day = new QSpinBox;
    spouse.day->setObjectName(prefix + QStringLiteral("BirthDayBox"));
    spouse.day->setRange(1, 31);
    spouse.day->setValue(pension.birthMonthDay % 100);
    top->addWidget(spouse.month);
    top->addWidget(new QLabel(QStringLiteral("月")));
    top->addWidget(spouse.day);
    top->addWidget(new QLabel(QStringLiteral("日")));
    top->addStretch();
    layout->addLayout(top);

    spouse.pages = new QStackedWidget;
    auto* amountPage = new QLabel(QStringLiteral("「収入」タブの公的年金（年額）と受給開始年齢で計算します。"));
    amountPage->setWordWrap(true);
    spouse.pages->addWidget(amountPage);
    std::array<QGridLayout*, 3> grids {};
    std::array<QWidget*, 3> pageWidgets {};
    for (size_t p = 0; p < grids.size(); ++p) {
        pageWidgets[p] = new QWidget;
        grids[p] = new QGridLayout(pageWidgets[p]);
        grids[p]->setContentsMargins(0, 0, 0, 0);
    }
    auto* statementTitle
        = new QLabel(QStringLiteral("ねんきん定期便の「老齢年金の種類と見込額」欄の金額を、印字どおりに入力します。"));
    statementTitle->setWordWrap(true);
    grids[0]->addWidget(statementTitle, 0, 0, 1, 3);
    for (const Field& field : FIELDS) {
        QGridLayout* grid = grids[static_cast<size_t>(field.page)];
        const int row = grid->rowCount();
        auto* box = new QLineEdit;
        box->setObjectName(prefix + QLatin1String(field.box));
        const QString pattern = field.tenths ? QStringLiteral("[0-9]{0,4}(\\.[0-9]?)?") : QStringLiteral("[0-9]{0,3}");
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000.0")) + 14);
        PensionSettings copy = pension;
        box->setText(valueText(field, field.member(copy)));
        auto* label = new QLabel(QString::fromUtf8(field.label));
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(field.unit)), row, 2);
        spouse.boxes.emplace_back(&field, box);
        connect(box, &QLineEdit::textChanged, this, &PensionTab::updateEstimates);
    }
    for (QGridLayout* grid : grids)
        grid->setColumnStretch(0, 1);
    spouse.pages->addWidget(pageWidgets[0]);
    spouse.pages->addWidget(pageWidgets[1]);
    layout->addWidget(spouse.pages);

    spouse.common = pageWidgets[2];
    const int row = grids[2]->rowCount();
    grids[2]->addWidget(new QLabel(QStringLiteral("厚生年金の加入先（主なもの）")), row, 0);
    spouse.kind = new QComboBox;
    spouse.kind->setObjectName(prefix + QStringLiteral("RecordKindCombo"));
    spouse.kind->addItems({ QStringLiteral("民間"), QStringLiteral("公務員・私学") });
    spouse.kind->setCurrentIndex(pension.recordKind == PensionRecordKind::Public ? 1 : 0);
    grids[2]->addWidget(spouse.kind, row, 1, 1, 2);
    spouse.kakyu = new QCheckBox(QStringLiteral("%1を扶養している（加給年金の対象）").arg(whoOf(!wife)));
    spouse.kakyu->setObjectName(prefix + QStringLiteral("KakyuCheck"));
    spouse.kakyu->setChecked(pension.kakyu == 1);
    grids[2]->addWidget(spouse.kakyu, row + 1, 0, 1, 3);
    layout->addWidget(spouse.common);

    auto* bottom = new QHBoxLayout;
    spouse.estimate = new QLabel;
    spouse.estimate->setObjectName(prefix + QStringLiteral("PensionEstimateLabel"));
    spouse.estimate->setWordWrap(true);
    spouse.estimate->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(spouse.estimate, 1);
    spouse.compare = new QPushButton(QStringLiteral("受給開始年齢の比較..."));
    spouse.compare->setObjectName(prefix + QStringLiteral("CompareButton"));
    bottom->addWidget(spouse.compare, 0, Qt::AlignTop);
    layout->addLayout(bottom);

    connect(
        spouse.mode, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, &spouse] { modeChanged(spouse); });
    for (QSpinBox* spin : { spouse.month, spouse.day })
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &PensionTab::updateEstimates);
    connect(spouse.kind, qOverload<int>(&QComboBox::currentIndexChanged), this, &PensionTab::updateEstimates);
    connect(spouse.kakyu, &QCheckBox::toggled, this, &PensionTab::updateEstimates);
    connect(spouse.compare, &QPushButton::clicked, this, [this, wife] { compare(wife); });
    for (QLineEdit* box : { boxes.startAge, boxes.reemployEndAge }) {
        if (box)
            connect(box, &QLineEdit::textChanged, this, &PensionTab::updateEstimates);
    }
    modeChanged(spouse);
}

void PensionTab::modeChanged(Spouse& spouse)
{
    const int mode = spouse.mode->currentIndex();
    spouse.pages->setCurrentIndex(mode);
    // The pages take the room of the page shown only (a stack is as tall as its tallest page):
    // the one line of 金額 sits right under 求め方 instead of in the middle of an empty box.
    for (int page = 0; page < spouse.pages->count(); ++page) {
        const QSizePolicy::Policy policy = page == mode ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        spouse.pages->widget(page)->setSizePolicy(policy, policy);
    }
    spouse.pages->updateGeometry();
    const bool estimates = mode != static_cast<int>(PensionMode::Amount);
    spouse.common->setVisible(estimates);
    spouse.compare->setEnabled(estimates);
    if (spouse.income.amount)
        spouse.income.amount->setEnabled(!estimates);
    updateEstimates();
}

MoneySettings PensionTab::currentSettings() const
{
    MoneySettings settings = m_settings;
    for (const auto& spouse : m_spouses) {
        PensionSettings& pension = spouse->wife ? settings.wifePensionEstimate : settings.husbandPensionEstimate;
        pension.mode = static_cast<PensionMode>(spouse->mode->currentIndex());
        pension.birthMonthDay = spouse->month->value() * 100 + spouse->day->value();
        if (!parseMonthDay(std::to_string(10000 + pension.birthMonthDay).substr(1)))
            pension.birthMonthDay = spouse->month->value() * 100 + 1;
        for (const auto& [field, box] : spouse->boxes) {
            const std::optional<int> value = parseBox(box, field->tenths);
            if (value && *value >= 0 && *value <= field->max)
                field->member(pension) = *value;
        }
        pension.recordKind = spouse->kind->currentIndex() == 1 ? PensionRecordKind::Public : PensionRecordKind::Private;
        pension.kakyu = spouse->kakyu->isChecked() ? 1 : 0;
        int& startAge = spouse->wife ? settings.wifePensionAge : settings.husbandPensionAge;
        const int typed = lenientAge(spouse->income.startAge, startAge);
        if (typed >= MIN_PENSION_AGE && typed <= MAX_PENSION_AGE)
            startAge = typed;
        int& reemployEnd = spouse->wife ? settings.wifeReemployEndAge : settings.husbandReemployEndAge;
        const int end = lenientAge(spouse->income.reemployEndAge, reemployEnd);
        if (end <= MAX_AGE)
            reemployEnd = end;
    }
    return settings;
}

QString PensionTab::estimateText(bool wife) const
{
    return m_spouses[wife ? 1 : 0]->estimate->text();
}

void PensionTab::updateEstimates()
{
    if (!m_spouses[1])
        return; // still building
    const MoneySettings settings = currentSettings();
    const int y0 = currentYear();
    for (const auto& spouse : m_spouses) {
        const PensionPerson self = pensionPerson(m_plan, settings, spouse->wife);
        QString text;
        if (!self.pension.estimates()) {
            text = QStringLiteral("見込み：「収入」タブの金額を使います。");
        } else if (!self.inTable) {
            text = QStringLiteral("見込み：%1はライフサイクル表にいないため計算されません。").arg(whoOf(spouse->wife));
        } else {
            const PensionEstimate estimate(self, pensionPerson(m_plan, settings, !spouse->wife), y0);
            const int start = estimate.effectiveStartAge();
            text = QStringLiteral("見込み（%1年度の水準・額面）：年額 %2（%3歳から、%4から受給）\n"
                                  "老齢基礎年金 %5、老齢厚生年金 %6（うち経過的加算 %7）")
                       .arg(pensionDataYear(y0))
                       .arg(manText(estimate.yearly()))
                       .arg(std::max(start, 65))
                       .arg(QString::fromStdString(pensionMonthText(estimate.firstMonth())))
                       .arg(manText(estimate.basic()))
                       .arg(manText(estimate.earnings() + estimate.transitional()))
                       .arg(manText(estimate.transitional()));
            if (estimate.earlyEarnings() > 0)
                text += QStringLiteral("、特別支給の老齢厚生年金 %1").arg(manText(estimate.earlyEarnings()));
            if (estimate.spouseAddition() > 0) {
                text += QStringLiteral("、加給年金 %1（%2が65歳になるまで）")
                            .arg(manText(estimate.spouseAddition()), whoOf(!spouse->wife));
            }
            if (start != self.startAge)
                text += QStringLiteral("\n受給開始は%1歳までのため、%1歳で計算しています。").arg(start);
        }
        spouse->estimate->setText(text);
    }
}

bool PensionTab::read(MoneySettings& settings)
{
    for (const auto& spouse : m_spouses) {
        PensionSettings pension = spouse->wife ? settings.wifePensionEstimate : settings.husbandPensionEstimate;
        pension.mode = static_cast<PensionMode>(spouse->mode->currentIndex());
        const QString who = whoOf(spouse->wife);
        auto refuse = [this](QWidget* box, const QString& message) {
            for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
                if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                    tabs->setCurrentWidget(this);
                    break;
                }
            }
            MessageBox::information(this, message);
            box->setFocus(Qt::OtherFocusReason);
            return false;
        };
        const int monthDay = spouse->month->value() * 100 + spouse->day->value();
        if (!parseMonthDay(std::to_string(10000 + monthDay).substr(1))) {
            return refuse(spouse->day,
                QStringLiteral("%1の誕生月日\n%2月%3日はありません。正しい日付を入力してください。")
                    .arg(who)
                    .arg(spouse->month->value())
                    .arg(spouse->day->value()));
        }
        pension.birthMonthDay = monthDay;
        if (pension.estimates()) {
            for (const auto& [field, box] : spouse->boxes) {
                if (field->page != Page::Both && static_cast<int>(field->page) + 1 != static_cast<int>(pension.mode)) {
                    // The other way's figures are kept as far as they can be read; they are not checked.
                    const std::optional<int> kept = parseBox(box, field->tenths);
                    if (kept && *kept >= 0 && *kept <= field->max)
                        field->member(pension) = *kept;
                    continue;
                }
                const QString caption = who + QStringLiteral("の") + QString::fromUtf8(field->caption);
                const std::optional<int> value = parseBox(box, field->tenths);
                if (!value)
                    return refuse(box, caption + QStringLiteral("\n数値を入力してください。"));
                if (*value < 0 || *value > field->max) {
                    return refuse(box,
                        QStringLiteral("%1\n%2から%3までの数値を入力してください。")
                            .arg(caption, valueText(*field, 0), valueText(*field, field->max)));
                }
                field->member(pension) = *value;
            }
            pension.recordKind
                = spouse->kind->currentIndex() == 1 ? PensionRecordKind::Public : PensionRecordKind::Private;
            pension.kakyu = spouse->kakyu->isChecked() ? 1 : 0;
        }
        forgetUnusedPensionFigures(pension);
        (spouse->wife ? settings.wifePensionEstimate : settings.husbandPensionEstimate) = pension;
    }
    return true;
}

void PensionTab::compare(bool wife)
{
    FamilyPlan plan = m_plan;
    plan.money = currentSettings();
    PensionComparisonDialog::showFor(plan, currentYear(), wife, this);
}

} // namespace harukaze
