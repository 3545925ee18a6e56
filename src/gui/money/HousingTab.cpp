// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/HousingTab.h"

#include "core/plan/MoneySection.h"
#include "core/plan/MoneySettings.h"
#include "gui/common/MessageBox.h"
#include "gui/common/NumberBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <climits>
#include <map>

namespace harukaze {

namespace {

enum class Kind { Amount, Rate, Year, Month, LoanYears, LoanMonths, LoanRate };

struct Field
{
    const char* box;
    const char* caption;
    Kind kind;
    int HomeSettings::*member;
};

const Field FIELDS[] = {
    { "rentBox", "家賃（万円／年）", Kind::Amount, &HomeSettings::rent },
    { "rentRateBox", "家賃の変化率（％）", Kind::Rate, &HomeSettings::rentRate },
    { "moveYearBox", "入居年", Kind::Year, &HomeSettings::moveYear },
    { "moveMonthBox", "入居月", Kind::Month, &HomeSettings::moveMonth },
    { "houseCostBox", "住宅維持費（万円／年）", Kind::Amount, &HomeSettings::houseCost },
    { "houseCostRateBox", "住宅維持費の変化率（％）", Kind::Rate, &HomeSettings::houseCostRate },
    { "loanYearBox", "融資実行年", Kind::Year, &HomeSettings::loanYear },
    { "loanMonthBox", "融資実行月", Kind::Month, &HomeSettings::loanMonth },
    { "loanAmountBox", "借入額（万円）", Kind::Amount, &HomeSettings::loanAmount },
    { "loanYearsBox", "返済期間（年）", Kind::LoanYears, &HomeSettings::loanYears },
    { "loanMonthsBox", "返済期間（ヶ月）", Kind::LoanMonths, &HomeSettings::loanMonths },
    { "loanRateBox", "当初金利（％）", Kind::LoanRate, &HomeSettings::loanRate },
    { "creditIncomeTaxBox", "所得税額（万円）", Kind::Amount, &HomeSettings::creditIncomeTax },
    { "creditTaxableBox", "課税総所得金額等（万円）", Kind::Amount, &HomeSettings::creditTaxable },
    { "creditResidentTaxBox", "住民税所得割額（万円）", Kind::Amount, &HomeSettings::creditResidentTax },
    { "creditTotalIncomeBox", "合計所得金額（万円）", Kind::Amount, &HomeSettings::creditTotalIncome },
};

struct Range
{
    int min;
    int max;
};

Range rangeOf(Kind kind)
{
    switch (kind) {
    case Kind::Amount:
        return { 0, MAX_AMOUNT };
    case Kind::Rate:
        return { -MAX_RATE, MAX_RATE };
    case Kind::Year:
        return { 0, MAX_YEAR };
    case Kind::Month:
        return { 1, 12 };
    case Kind::LoanYears:
        return { 0, MAX_LOAN_YEARS };
    case Kind::LoanMonths:
        return { 0, 11 };
    case Kind::LoanRate:
        return { 0, MAX_LOAN_RATE };
    }
    return { 0, 0 };
}

QString valueText(Kind kind, int value)
{
    switch (kind) {
    case Kind::Amount:
        return QString::fromStdString(formatAmount(value));
    case Kind::Rate:
        return QString::fromStdString(formatRate(value));
    case Kind::LoanRate:
        return QString::fromStdString(formatLoanRate(value));
    default:
        return QString::number(value);
    }
}

QString pattern(Kind kind)
{
    switch (kind) {
    case Kind::Amount:
    case Kind::Rate:
        return QStringLiteral("-?[0-9]{0,6}(\\.[0-9]?)?");
    case Kind::LoanRate:
        return QStringLiteral("-?[0-9]{0,3}(\\.[0-9]{0,3})?");
    case Kind::Year:
        return QStringLiteral("[0-9]{0,4}");
    default:
        return QStringLiteral("[0-9]{0,2}");
    }
}

void setUpBox(QLineEdit* box, Kind kind)
{
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern(kind)), box));
    box->setAlignment(Qt::AlignRight);
    // Wide enough for the longest text the box takes ("-999999.9", "2026", "12"), no wider, so
    // that both columns of the tab fit the dialog.
    const QString widest = kind == Kind::Amount || kind == Kind::Rate ? QStringLiteral("-000000.0")
        : kind == Kind::LoanRate                                      ? QStringLiteral("-000.000")
        : kind == Kind::Year                                          ? QStringLiteral("00000")
                                                                      : QStringLiteral("000");
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(widest) + 14);
}

/** A text's value of `kind` within its range, or the message that refuses it. */
std::optional<int> parse(Kind kind, QString text, const QString& caption, QString& message)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    const std::string ascii = text.toStdString();
    std::optional<int> value;
    if (kind == Kind::Amount || kind == Kind::Rate) {
        value = parseTenths(ascii, -INT_MAX / 20, INT_MAX / 20);
    } else if (kind == Kind::LoanRate) {
        const bool negative = ascii.size() > 1 && ascii[0] == '-';
        value = parseLoanRate(negative ? ascii.substr(1) : ascii);
        if (!value && !negative && !ascii.empty() && ascii.find_first_not_of("0123456789.") == std::string::npos)
            value = INT_MAX; // a number above 20.000: out of range
        if (value && negative)
            value = -*value;
    } else {
        value = parseWholeNumber(ascii, 0, INT_MAX / 20);
    }
    const Range range = rangeOf(kind);
    if (!value) {
        message = NumberBoxes::missingNumberMessage(caption);
        return std::nullopt;
    }
    if (*value < range.min || *value > range.max) {
        message = QStringLiteral("%1\n%2から%3までの数値を入力してください。")
                      .arg(caption, valueText(kind, range.min), valueText(kind, range.max));
        return std::nullopt;
    }
    return value;
}

QComboBox* comboOf(const QStringList& words, const QString& current, const QString& name)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(words);
    combo->setCurrentText(current);
    return combo;
}

QTableWidget* listOf(const QString& name, const QStringList& headers)
{
    auto* list = new QTableWidget(0, static_cast<int>(headers.size()));
    list->setObjectName(name);
    list->setHorizontalHeaderLabels(headers);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 10);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setMinimumHeight(list->fontMetrics().height() * 8);
    return list;
}

QString cellText(const QTableWidget* list, int row, int column)
{
    const QTableWidgetItem* item = list->item(row, column);
    return item ? item->text() : QString();
}

int monthIndex(int year, int month)
{
    return year * 12 + month - 1;
}

} // namespace

HousingTab::HousingTab(const HomeSettings& home, QWidget* parent)
    : QWidget(parent)
    , m_home(home)
{
    auto* content = new QWidget;
    auto* columns = new QHBoxLayout(content);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    std::map<std::string, QLineEdit*> boxes;
    for (const Field& field : FIELDS) {
        auto* box = new QLineEdit;
        box->setObjectName(QLatin1String(field.box));
        setUpBox(box, field.kind);
        box->setText(valueText(field.kind, home.*field.member));
        boxes[field.box] = box;
    }
    auto caption = [](const char* text) { return QString::fromUtf8(text); };

    auto* rentGroup = new QGroupBox(QStringLiteral("家賃・入居・住宅維持費"));
    auto* rentForm = new QFormLayout(rentGroup);
    rentForm->addRow(caption("家賃（万円／年）"), boxes["rentBox"]);
    rentForm->addRow(caption("家賃の変化率（％）"), boxes["rentRateBox"]);
    auto* moveRow = new QHBoxLayout;
    moveRow->addWidget(boxes["moveYearBox"]);
    moveRow->addWidget(new QLabel(QStringLiteral("年")));
    moveRow->addWidget(boxes["moveMonthBox"]);
    moveRow->addWidget(new QLabel(QStringLiteral("月（年が0なら融資実行の月）")));
    moveRow->addStretch();
    rentForm->addRow(caption("入居年月"), moveRow);
    rentForm->addRow(caption("住宅維持費（万円／年）"), boxes["houseCostBox"]);
    rentForm->addRow(caption("住宅維持費の変化率（％）"), boxes["houseCostRateBox"]);
    left->addWidget(rentGroup);

    auto* loanGroup = new QGroupBox(QStringLiteral("住宅ローン"));
    auto* loanForm = new QFormLayout(loanGroup);
    auto* loanDate = new QHBoxLayout;
    loanDate->addWidget(boxes["loanYearBox"]);
    loanDate->addWidget(new QLabel(QStringLiteral("年")));
    loanDate->addWidget(boxes["loanMonthBox"]);
    loanDate->addWidget(new QLabel(QStringLiteral("月（年が0ならローンなし）")));
    loanDate->addStretch();
    loanForm->addRow(caption("融資実行年月"), loanDate);
    loanForm->addRow(caption("借入額（万円）"), boxes["loanAmountBox"]);
    auto* term = new QHBoxLayout;
    term->addWidget(boxes["loanYearsBox"]);
    term->addWidget(new QLabel(QStringLiteral("年")));
    term->addWidget(boxes["loanMonthsBox"]);
    term->addWidget(new QLabel(QStringLiteral("ヶ月")));
    term->addStretch();
    loanForm->addRow(caption("返済期間"), term);
    m_method = comboOf({ QStringLiteral("元利均等"), QStringLiteral("元金均等") },
        QString::fromUtf8(loanMethodWord(home.loanMethod)),
        QStringLiteral("loanMethodCombo"));
    loanForm->addRow(caption("返済方法"), m_method);
    m_rateType = comboOf({ QStringLiteral("固定"), QStringLiteral("変動") },
        QString::fromUtf8(loanRateTypeWord(home.loanRateType)),
        QStringLiteral("loanRateTypeCombo"));
    loanForm->addRow(caption("金利タイプ"), m_rateType);
    loanForm->addRow(caption("当初金利（％）"), boxes["loanRateBox"]);
    m_insured = comboOf({ QStringLiteral("なし"), QStringLiteral("夫"), QStringLiteral("妻") },
        QString::fromUtf8(loanInsuredWord(home.insured)),
        QStringLiteral("loanInsuredCombo"));
    loanForm->addRow(caption("団体信用生命保険"), m_insured);
    left->addWidget(loanGroup);

    auto* creditGroup = new QGroupBox(QStringLiteral("住宅ローン控除"));
    auto* creditForm = new QFormLayout(creditGroup);
    m_credit = new QCheckBox(QStringLiteral("住宅ローン控除を計算する"));
    m_credit->setObjectName(QStringLiteral("creditCheck"));
    m_credit->setChecked(home.credit == 1);
    creditForm->addRow(m_credit);
    m_creditKind
        = comboOf({ QStringLiteral("認定"), QStringLiteral("ZEH"), QStringLiteral("省エネ"), QStringLiteral("その他") },
            QString::fromUtf8(creditHouseKindWord(home.creditKind)),
            QStringLiteral("creditKindCombo"));
    creditForm->addRow(caption("住宅の種類"), m_creditKind);
    m_creditNew = comboOf({ QStringLiteral("新築"), QStringLiteral("既存") },
        QString::fromUtf8(creditNewWord(home.creditNew)),
        QStringLiteral("creditNewCombo"));
    creditForm->addRow(caption("新築・既存"), m_creditNew);
    m_creditChild = new QCheckBox(QStringLiteral("子育て世帯・若者夫婦世帯"));
    m_creditChild->setObjectName(QStringLiteral("creditChildCheck"));
    m_creditChild->setChecked(home.creditChild == 1);
    creditForm->addRow(m_creditChild);
    m_creditSmall = new QCheckBox(QStringLiteral("床面積 40㎡以上50㎡未満"));
    m_creditSmall->setObjectName(QStringLiteral("creditSmallCheck"));
    m_creditSmall->setChecked(home.creditSmall == 1);
    creditForm->addRow(m_creditSmall);
    m_taxpayer = comboOf({ QStringLiteral("夫"), QStringLiteral("妻") },
        QString::fromUtf8(creditTaxpayerWord(home.creditTaxpayer)),
        QStringLiteral("creditTaxpayerCombo"));
    creditForm->addRow(caption("控除を受ける人（額面収入のとき）"), m_taxpayer);
    creditForm->addRow(new QLabel(QStringLiteral("手取り収入のときの税額（毎年一定）")));
    creditForm->addRow(caption("所得税額（万円）"), boxes["creditIncomeTaxBox"]);
    creditForm->addRow(caption("課税総所得金額等（万円）"), boxes["creditTaxableBox"]);
    creditForm->addRow(caption("住民税所得割額（万円）"), boxes["creditResidentTaxBox"]);
    creditForm->addRow(caption("合計所得金額（万円）"), boxes["creditTotalIncomeBox"]);
    right->addWidget(creditGroup);

    auto listGroup = [this](const QString& title, QTableWidget* list, const QString& name, auto add) {
        auto* group = new QGroupBox(title);
        auto* layout = new QVBoxLayout(group);
        layout->addWidget(list);
        auto* buttons = new QHBoxLayout;
        auto* addButton = new QPushButton(QStringLiteral("追加"));
        addButton->setObjectName(name + QStringLiteral("AddButton"));
        auto* deleteButton = new QPushButton(QStringLiteral("削除"));
        deleteButton->setObjectName(name + QStringLiteral("DeleteButton"));
        buttons->addStretch();
        buttons->addWidget(addButton);
        buttons->addWidget(deleteButton);
        layout->addLayout(buttons);
        connect(addButton, &QPushButton::clicked, this, [list, add] {
            if (list->rowCount() < MAX_LOAN_ENTRIES)
                add();
        });
        connect(deleteButton, &QPushButton::clicked, this, [list] {
            if (list->currentRow() >= 0)
                list->removeRow(list->currentRow());
        });
        return group;
    };
    m_rates = listOf(
        QStringLiteral("rateChangeList"), { QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("金利（％）") });
    for (const std::optional<LoanRateChange>& change : home.rateChanges) {
        if (change)
            addRateRow(change);
    }
    right->addWidget(listGroup(QStringLiteral("金利変更（20件まで）"), m_rates, QStringLiteral("rateChange"), [this] {
        addRateRow(std::nullopt);
    }));
    m_prepayments = listOf(QStringLiteral("prepaymentList"),
        { QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("金額（万円）"), QStringLiteral("種類") });
    for (const std::optional<Prepayment>& entry : home.prepayments) {
        if (entry)
            addPrepaymentRow(entry);
    }
    left->addWidget(
        listGroup(QStringLiteral("繰上返済（20件まで）"), m_prepayments, QStringLiteral("prepayment"), [this] {
            addPrepaymentRow(std::nullopt);
        }));
    left->addStretch();
    right->addStretch();

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

void HousingTab::addRateRow(const std::optional<LoanRateChange>& change)
{
    const int row = m_rates->rowCount();
    m_rates->insertRow(row);
    m_rates->setItem(row, 0, new QTableWidgetItem(change ? QString::number(change->year) : QString()));
    m_rates->setItem(row, 1, new QTableWidgetItem(change ? QString::number(change->month) : QString()));
    m_rates->setItem(
        row, 2, new QTableWidgetItem(change ? QString::fromStdString(formatLoanRate(change->rate)) : QString()));
    m_rates->setCurrentCell(row, 0);
}

void HousingTab::addPrepaymentRow(const std::optional<Prepayment>& entry)
{
    const int row = m_prepayments->rowCount();
    m_prepayments->insertRow(row);
    m_prepayments->setItem(row, 0, new QTableWidgetItem(entry ? QString::number(entry->year) : QString()));
    m_prepayments->setItem(row, 1, new QTableWidgetItem(entry ? QString::number(entry->month) : QString()));
    m_prepayments->setItem(
        row, 2, new QTableWidgetItem(entry ? QString::fromStdString(formatAmount(entry->amount)) : QString()));
    m_prepayments->setCellWidget(row,
        3,
        comboOf({ QStringLiteral("期間短縮"), QStringLiteral("返済額軽減") },
            entry ? QString::fromUtf8(prepaymentKindWord(entry->kind)) : QStringLiteral("期間短縮"),
            QStringLiteral("prepaymentKindCombo")));
    m_prepayments->setCurrentCell(row, 0);
}

bool HousingTab::refuse(QWidget* box, const QString& message)
{
    // Bring the tab forward so that the user sees which field is meant.
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            tabs->setCurrentWidget(this);
            break;
        }
    }
    MessageBox::information(this, message);
    box->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    return false;
}

bool HousingTab::readRates(HomeSettings& home)
{
    home.rateChanges = {};
    for (int row = 0; row < m_rates->rowCount(); ++row) {
        const QString prefix = QStringLiteral("金利変更 %1行目の").arg(row + 1);
        QString message;
        const std::optional<int> year
            = parse(Kind::Year, cellText(m_rates, row, 0), prefix + QStringLiteral("年"), message);
        const std::optional<int> month = year
            ? parse(Kind::Month, cellText(m_rates, row, 1), prefix + QStringLiteral("月"), message)
            : std::nullopt;
        const std::optional<int> rate = month
            ? parse(Kind::LoanRate, cellText(m_rates, row, 2), prefix + QStringLiteral("金利（％）"), message)
            : std::nullopt;
        if (year && *year == 0)
            message = QStringLiteral("%1年\n1から9999までの数値を入力してください。").arg(prefix);
        if (!rate || *year == 0) {
            m_rates->setCurrentCell(row, !year || *year == 0 ? 0 : (!month ? 1 : 2));
            return refuse(m_rates, message);
        }
        home.rateChanges[static_cast<size_t>(row)] = LoanRateChange { *year, *month, *rate };
    }
    return true;
}

bool HousingTab::readPrepayments(HomeSettings& home)
{
    home.prepayments = {};
    for (int row = 0; row < m_prepayments->rowCount(); ++row) {
        const QString prefix = QStringLiteral("繰上返済 %1行目の").arg(row + 1);
        QString message;
        const std::optional<int> year
            = parse(Kind::Year, cellText(m_prepayments, row, 0), prefix + QStringLiteral("年"), message);
        const std::optional<int> month = year
            ? parse(Kind::Month, cellText(m_prepayments, row, 1), prefix + QStringLiteral("月"), message)
            : std::nullopt;
        const std::optional<int> amount = month
            ? parse(Kind::Amount, cellText(m_prepayments, row, 2), prefix + QStringLiteral("金額（万円）"), message)
            : std::nullopt;
        if (year && *year == 0)
            message = QStringLiteral("%1年\n1から9999までの数値を入力してください。").arg(prefix);
        if (!amount || *year == 0) {
            m_prepayments->setCurrentCell(row, !year || *year == 0 ? 0 : (!month ? 1 : 2));
            return refuse(m_prepayments, message);
        }
        const auto* combo = qobject_cast<QComboBox*>(m_prepayments->cellWidget(row, 3));
        const std::optional<PrepaymentKind> kind
            = prepaymentKindFromWord(combo ? combo->currentText().toStdString() : std::string());
        home.prepayments[static_cast<size_t>(row)]
            = Prepayment { *year, *month, *amount, kind.value_or(PrepaymentKind::ShortenTerm) };
    }
    return true;
}

bool HousingTab::confirmDates(const HomeSettings& home)
{
    if (!home.hasLoan())
        return true;
    // An entry before the loan is paid out is most likely a typo: a rate then applies from the first
    // payment, and a 繰上返済 does nothing.
    const int start = monthIndex(home.loanYear, home.loanMonth);
    auto warn = [this, &home](const QString& what, int year, int month, QTableWidget* list, int row) {
        const QString question = QStringLiteral("%1（%2年%3月）が融資実行（%4年%5月）より前です。\n"
                                                "このまま設定しますか？")
                                     .arg(what)
                                     .arg(year)
                                     .arg(month)
                                     .arg(home.loanYear)
                                     .arg(home.loanMonth);
        if (MessageBox::okCancelWarning(this, question) == QMessageBox::Ok)
            return true;
        list->setCurrentCell(row, 0);
        list->setFocus(Qt::OtherFocusReason);
        return false;
    };
    for (int row = 0; row < MAX_LOAN_ENTRIES; ++row) {
        const std::optional<LoanRateChange>& change = home.rateChanges[static_cast<size_t>(row)];
        if (change && monthIndex(change->year, change->month) < start
            && !warn(QStringLiteral("金利変更"), change->year, change->month, m_rates, row))
            return false;
    }
    for (int row = 0; row < MAX_LOAN_ENTRIES; ++row) {
        const std::optional<Prepayment>& entry = home.prepayments[static_cast<size_t>(row)];
        if (entry && monthIndex(entry->year, entry->month) < start
            && !warn(QStringLiteral("繰上返済"), entry->year, entry->month, m_prepayments, row))
            return false;
    }
    return true;
}

std::optional<HomeSettings> HousingTab::read()
{
    HomeSettings home = m_home;
    for (const Field& field : FIELDS) {
        auto* box = findChild<QLineEdit*>(QLatin1String(field.box));
        QString message;
        const std::optional<int> value = parse(field.kind, box->text(), QString::fromUtf8(field.caption), message);
        if (!value) {
            refuse(box, message);
            return std::nullopt;
        }
        home.*field.member = *value;
    }
    home.loanMethod = loanMethodFromWord(m_method->currentText().toStdString()).value_or(LoanMethod::EqualPayment);
    home.loanRateType = loanRateTypeFromWord(m_rateType->currentText().toStdString()).value_or(LoanRateType::Fixed);
    home.insured = loanInsuredFromWord(m_insured->currentText().toStdString()).value_or(LoanInsured::None);
    home.credit = m_credit->isChecked() ? 1 : 0;
    home.creditKind
        = creditHouseKindFromWord(m_creditKind->currentText().toStdString()).value_or(CreditHouseKind::EnergySaving);
    home.creditNew = creditNewFromWord(m_creditNew->currentText().toStdString()).value_or(true);
    home.creditChild = m_creditChild->isChecked() ? 1 : 0;
    home.creditSmall = m_creditSmall->isChecked() ? 1 : 0;
    home.creditTaxpayer
        = creditTaxpayerFromWord(m_taxpayer->currentText().toStdString()).value_or(CreditTaxpayer::Husband);
    if (!readRates(home) || !readPrepayments(home) || !confirmDates(home))
        return std::nullopt;
    return home;
}

} // namespace harukaze
