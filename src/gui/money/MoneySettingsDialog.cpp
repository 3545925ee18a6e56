// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/MoneySettingsDialog.h"
#include "ui_MoneySettingsDialog.h"

#include "core/money/EducationCosts.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySection.h"
#include "core/table/Clock.h"
#include "gui/common/MessageBox.h"
#include "gui/common/NumberBoxes.h"
#include "gui/help/Help.h"
#include "gui/money/GrossIncomePanel.h"
#include "gui/money/HousingTab.h"
#include "gui/money/PensionTab.h"

#include <QComboBox>
#include <QHeaderView>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <climits>

namespace harukaze {

namespace {

enum class BoxKind {
    Amount, ///< 0 .. 99999.9万円
    SignedAmount, ///< -99999.9 .. 99999.9万円
    Rate, ///< -10.0 .. 10.0%
    Age, ///< 0 .. 150
    PensionAge, ///< 60 .. 75
    Year, ///< 0 .. 9999
};

struct Field
{
    const char* box;
    const char* caption; ///< the field's name in a message
    BoxKind kind;
    int MoneySettings::*member;
};

// Every number box of the dialog, in the order OK checks them (tab by tab).
const Field FIELDS[] = {
    { "husbandIncomeBox", "夫の手取り年収（万円）", BoxKind::Amount, &MoneySettings::husbandIncome },
    { "husbandIncomeRateBox", "夫の年収の変化率（％）", BoxKind::Rate, &MoneySettings::husbandIncomeRate },
    { "husbandSeveranceBox", "夫の退職金（万円）", BoxKind::Amount, &MoneySettings::husbandSeverance },
    { "husbandReemployIncomeBox", "夫の再雇用の年収（万円）", BoxKind::Amount, &MoneySettings::husbandReemployIncome },
    { "husbandReemployEndAgeBox", "夫の再雇用の終了年齢（歳）", BoxKind::Age, &MoneySettings::husbandReemployEndAge },
    { "husbandPensionBox", "夫の公的年金（万円）", BoxKind::Amount, &MoneySettings::husbandPension },
    { "husbandPensionAgeBox", "夫の年金の受給開始年齢（歳）", BoxKind::PensionAge, &MoneySettings::husbandPensionAge },
    { "wifeIncomeBox", "妻の手取り年収（万円）", BoxKind::Amount, &MoneySettings::wifeIncome },
    { "wifeIncomeRateBox", "妻の年収の変化率（％）", BoxKind::Rate, &MoneySettings::wifeIncomeRate },
    { "wifeSeveranceBox", "妻の退職金（万円）", BoxKind::Amount, &MoneySettings::wifeSeverance },
    { "wifeReemployIncomeBox", "妻の再雇用の年収（万円）", BoxKind::Amount, &MoneySettings::wifeReemployIncome },
    { "wifeReemployEndAgeBox", "妻の再雇用の終了年齢（歳）", BoxKind::Age, &MoneySettings::wifeReemployEndAge },
    { "wifePensionBox", "妻の公的年金（万円）", BoxKind::Amount, &MoneySettings::wifePension },
    { "wifePensionAgeBox", "妻の年金の受給開始年齢（歳）", BoxKind::PensionAge, &MoneySettings::wifePensionAge },
    { "pensionRateBox", "年金の変化率（％）", BoxKind::Rate, &MoneySettings::pensionRate },
    { "livingBox", "基本生活費（万円）", BoxKind::Amount, &MoneySettings::living },
    { "livingRateBox", "基本生活費の変化率（％）", BoxKind::Rate, &MoneySettings::livingRate },
    { "housingBox", "住居費（万円）", BoxKind::Amount, &MoneySettings::housing },
    { "housingRateBox", "住居費の変化率（％）", BoxKind::Rate, &MoneySettings::housingRate },
    { "housingEndYearBox", "住居費の最終支払年", BoxKind::Year, &MoneySettings::housingEndYear },
    { "insuranceBox", "保険料（万円）", BoxKind::Amount, &MoneySettings::insurance },
    { "insuranceEndYearBox", "保険料の最終支払年", BoxKind::Year, &MoneySettings::insuranceEndYear },
    { "otherBox", "その他支出（万円）", BoxKind::Amount, &MoneySettings::other },
    { "otherRateBox", "その他支出の変化率（％）", BoxKind::Rate, &MoneySettings::otherRate },
    { "careMonthlyBox", "介護の月々の費用（万円）", BoxKind::Amount, &MoneySettings::careMonthly },
    { "careOnceBox", "介護開始時の一時的な費用（万円）", BoxKind::Amount, &MoneySettings::careOnce },
    { "educationRateBox", "教育費の変化率（％）", BoxKind::Rate, &MoneySettings::educationRate },
    { "savingsStartBox", "現在の貯蓄残高（万円）", BoxKind::SignedAmount, &MoneySettings::savingsStart },
    { "investRateBox", "運用利回り（％）", BoxKind::Rate, &MoneySettings::investRate },
};

struct Range
{
    int min;
    int max;
    bool tenths; ///< the value is kept in tenths (amounts and rates)
};

Range rangeOf(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Amount:
        return { 0, MAX_AMOUNT, true };
    case BoxKind::SignedAmount:
        return { -MAX_AMOUNT, MAX_AMOUNT, true };
    case BoxKind::Rate:
        return { -MAX_RATE, MAX_RATE, true };
    case BoxKind::Age:
        return { 0, MAX_AGE, false };
    case BoxKind::PensionAge:
        return { MIN_PENSION_AGE, MAX_PENSION_AGE, false };
    case BoxKind::Year:
        return { 0, MAX_YEAR, false };
    }
    return { 0, 0, false };
}

QString valueText(BoxKind kind, int value)
{
    switch (kind) {
    case BoxKind::Amount:
    case BoxKind::SignedAmount:
        return QString::fromStdString(formatAmount(value));
    case BoxKind::Rate:
        return QString::fromStdString(formatRate(value));
    case BoxKind::Age:
    case BoxKind::PensionAge:
    case BoxKind::Year:
        break;
    }
    return QString::number(value);
}

void setUpBox(QLineEdit* box, bool decimal, int digits)
{
    // Decimal boxes take a sign too, so that a negative amount reaches the range message instead
    // of being swallowed silently.
    const QString pattern
        = decimal ? QStringLiteral("-?[0-9]{0,%1}(\\.[0-9]?)?").arg(digits) : QStringLiteral("[0-9]{0,%1}").arg(digits);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    box->setMaxLength(digits + (decimal ? 3 : 0));
    box->setAlignment(Qt::AlignRight);
    const int digitWidth = box->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    box->setFixedWidth(digitWidth * (box->maxLength() + 1) + 14);
}

/** What a box holds: a value within its range, or the message that refuses it. */
struct BoxValue
{
    std::optional<int> value;
    QString message;
};

BoxValue readBox(const QLineEdit* box, const QString& caption, const Range& range)
{
    QString text = box->text().trimmed();
    // "12." is taken as 12, as a user who types the point and stops means.
    if (range.tenths && text.endsWith(QLatin1Char('.')))
        text.chop(1);
    const std::string ascii = text.toStdString();
    const std::optional<int> value
        = range.tenths ? parseTenths(ascii, -INT_MAX / 20, INT_MAX / 20) : parseWholeNumber(ascii, 0, INT_MAX / 20);
    if (!value)
        return { std::nullopt, NumberBoxes::missingNumberMessage(caption) };
    if (*value < range.min || *value > range.max) {
        const auto bound
            = [&range](int v) { return range.tenths ? QString::fromStdString(formatAmount(v)) : QString::number(v); };
        return { std::nullopt,
            QStringLiteral("%1\n%2から%3までの数値を入力してください。")
                .arg(caption, bound(range.min), bound(range.max)) };
    }
    return { value, QString() };
}

QStringList schoolWords()
{
    return { QStringLiteral("公立"), QStringLiteral("私立"), QStringLiteral("なし") };
}

QStringList universityWords()
{
    return { QStringLiteral("国立"),
        QStringLiteral("公立"),
        QStringLiteral("私立文系"),
        QStringLiteral("私立理系"),
        QStringLiteral("私立医歯"),
        QStringLiteral("短大"),
        QStringLiteral("なし") };
}

EducationCost costOf(int stage, const QString& word)
{
    const std::string text = word.toStdString();
    if (stage == static_cast<int>(EducationStage::University)) {
        const std::optional<UniversityChoice> choice = universityChoiceFromWord(text);
        return choice ? universityCost(*choice) : EducationCost {};
    }
    const std::optional<SchoolChoice> choice = schoolChoiceFromWord(text);
    return choice ? schoolCost(static_cast<EducationStage>(stage), *choice) : EducationCost {};
}

// Yen as 万円 with one decimal ("18.5万円").
QString manText(int64_t yen)
{
    const auto tenths = static_cast<int>((yen + 500) / 1000);
    return QString::fromStdString(formatAmount(tenths)) + QStringLiteral("万円");
}

// The sources of the figures, numbered in the order the choices list them.
QStringList educationSources()
{
    QStringList sources;
    auto add = [&sources](const EducationCost& cost) {
        const QString source = QString::fromStdString(cost.source);
        if (!source.isEmpty() && !sources.contains(source))
            sources.append(source);
    };
    for (const QString& word : schoolWords())
        add(costOf(static_cast<int>(EducationStage::Kindergarten), word));
    for (const QString& word : universityWords())
        add(costOf(static_cast<int>(EducationStage::University), word));
    return sources;
}

QString sourceMark(int index)
{
    return QStringLiteral("※%1").arg(index + 1);
}

QString spouseNote(bool inTable, int retireAge, const QString& who)
{
    if (!inTable)
        return QStringLiteral("%1はライフサイクル表にいないため、%1の収入と年金は計算されません。").arg(who);
    if (retireAge <= 0)
        return QStringLiteral("定年退職：なし（家族の設定）");
    return QStringLiteral("定年退職：%1歳（家族の設定）").arg(retireAge);
}

constexpr int ENTRY_YEAR_COLUMN = 0;
constexpr int ENTRY_LABEL_COLUMN = 1;
constexpr int ENTRY_AMOUNT_COLUMN = 2;
constexpr int ENTRY_KIND_COLUMN = 3;

} // namespace

MoneySettingsDialog::MoneySettingsDialog(const FamilyPlan& plan, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::MoneySettingsDialog>())
    , m_settings(plan.money ? *plan.money : MoneySettings {})
{
    m_ui->setupUi(this);

    for (const Field& field : FIELDS) {
        auto* box = findChild<QLineEdit*>(QLatin1String(field.box));
        switch (field.kind) {
        case BoxKind::Amount:
        case BoxKind::SignedAmount:
        case BoxKind::Rate:
            setUpBox(box, true, 6);
            break;
        case BoxKind::Age:
        case BoxKind::PensionAge:
            setUpBox(box, false, 3);
            break;
        case BoxKind::Year:
            setUpBox(box, false, 4);
            break;
        }
    }
    m_ui->husbandRetireLabel->setText(
        spouseNote(plan.ST1_HUSBAND == 1, plan.ST2_HUSBAND_RETIRE_AGE, QStringLiteral("夫")));
    m_ui->wifeRetireLabel->setText(spouseNote(plan.ST1_WIFE == 1, plan.ST2_WIFE_RETIRE_AGE, QStringLiteral("妻")));
    loadBoxes();
    setUpEducationGrid(plan);
    m_housingTab = new HousingTab(m_settings.home);
    m_housingTab->setObjectName(QStringLiteral("housingTab"));
    m_ui->tabs->insertTab(m_ui->tabs->indexOf(m_ui->expenseTab) + 1, m_housingTab, QStringLiteral("住宅"));

    // 手取り or 額面, and with 額面 this year's 手取り beside each spouse's pay, updated as one types.
    m_grossPanel = new GrossIncomePanel(plan, m_settings.tax, m_ui->incomeTab);
    m_ui->incomeTabLayout->insertWidget(0, m_grossPanel);
    m_ui->husbandGroupLayout->insertWidget(1, m_grossPanel->summary(Spouse::Husband));
    m_ui->wifeGroupLayout->insertWidget(1, m_grossPanel->summary(Spouse::Wife));
    for (const Field& field : FIELDS) {
        connect(findChild<QLineEdit*>(QLatin1String(field.box)),
            &QLineEdit::textChanged,
            m_grossPanel,
            &GrossIncomePanel::showThisYear);
    }
    connect(m_grossPanel, &GrossIncomePanel::basisChanged, this, &MoneySettingsDialog::showIncomeBasis);
    m_grossPanel->setSettingsSource([this] { return boxesQuietly(); });
    showIncomeBasis(m_grossPanel->gross());
    m_pensionTab = new PensionTab(plan,
        m_settings,
        { m_ui->husbandPensionBox, m_ui->husbandPensionAgeBox, m_ui->husbandReemployEndAgeBox },
        { m_ui->wifePensionBox, m_ui->wifePensionAgeBox, m_ui->wifeReemployEndAgeBox });
    m_ui->tabs->insertTab(1, m_pensionTab, QStringLiteral("年金"));

    // The one-time entries, sorted by year, incomes before expenses within a year.
    for (const MoneyEntry& entry : presentEntries(m_settings.incomes))
        m_entries.push_back({ true, entry });
    for (const MoneyEntry& entry : presentEntries(m_settings.expenses))
        m_entries.push_back({ false, entry });
    QTableWidget* list = m_ui->entryList;
    list->setColumnCount(4);
    list->setHorizontalHeaderLabels(
        { QStringLiteral("年"), QStringLiteral("内容"), QStringLiteral("金額（万円）"), QStringLiteral("区分") });
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setSectionResizeMode(ENTRY_LABEL_COLUMN, QHeaderView::Stretch);
    setUpBox(m_ui->entryYearBox, false, 4);
    setUpBox(m_ui->entryAmountBox, true, 6);
    m_ui->entryLabelBox->setMaxLength(40);
    showEntries();

    // Wide enough for the whole 教育費 grid, five choices with their costs.
    QTableWidget* grid = m_ui->educationGrid;
    int gridWidth = 2 * grid->frameWidth();
    for (int column = 0; column < grid->columnCount(); ++column)
        gridWidth += grid->columnWidth(column);
    resize(std::max(sizeHint().width(), gridWidth + 60), sizeHint().height());

    connect(list, &QTableWidget::itemSelectionChanged, this, &MoneySettingsDialog::entrySelected);
    connect(m_ui->entryAddButton, &QPushButton::clicked, this, &MoneySettingsDialog::addEntry);
    connect(m_ui->entryChangeButton, &QPushButton::clicked, this, &MoneySettingsDialog::changeEntry);
    connect(m_ui->entryDeleteButton, &QPushButton::clicked, this, &MoneySettingsDialog::deleteEntry);
    connect(m_ui->okButton, &QPushButton::clicked, this, &MoneySettingsDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &MoneySettingsDialog::reject);
    connect(m_ui->helpButton, &QPushButton::clicked, this, [this] { Help::showTopic(this, HELP_TOPIC); });
    entrySelected();
}

MoneySettingsDialog::~MoneySettingsDialog() = default;

bool MoneySettingsDialog::edit(FamilyPlan& plan, QWidget* parent)
{
    MoneySettingsDialog dialog(plan, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    plan.money = dialog.settings();
    return true;
}

void MoneySettingsDialog::loadBoxes()
{
    for (const Field& field : FIELDS) {
        findChild<QLineEdit*>(QLatin1String(field.box))->setText(valueText(field.kind, m_settings.*field.member));
    }
    m_ui->careHusbandCheck->setChecked(m_settings.careHusbandParents == 1);
    m_ui->careWifeCheck->setChecked(m_settings.careWifeParents == 1);
    m_ui->savingsBasisCombo->setCurrentIndex(m_settings.savingsBasis == SavingsBasis::YearStart ? 1 : 0);
}

void MoneySettingsDialog::setUpEducationGrid(const FamilyPlan& plan)
{
    // One row per child column of the life cycle table.
    m_childRows = plan.ST1_CHILDREN == 1 ? plan.plannedChildren() : 0;
    QTableWidget* grid = m_ui->educationGrid;
    grid->setColumnCount(1 + 2 * EDUCATION_STAGES);
    grid->setRowCount(m_childRows);
    grid->setHorizontalHeaderLabels({ QStringLiteral("続柄"),
        QStringLiteral("幼稚園"),
        QStringLiteral("年額"),
        QStringLiteral("小学校"),
        QStringLiteral("年額"),
        QStringLiteral("中学校"),
        QStringLiteral("年額"),
        QStringLiteral("高校"),
        QStringLiteral("年額"),
        QStringLiteral("大学"),
        QStringLiteral("年額（入学時）") });
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setVisible(m_childRows > 0);
    m_ui->noChildrenLabel->setVisible(m_childRows == 0);

    for (int row = 0; row < m_childRows; ++row) {
        const int kid = row + 1;
        QString label = QString::fromStdString(plan.mtx2(kid, MTX2_ZOKUGARA)).trimmed();
        if (label.isEmpty())
            label = QStringLiteral("第%1子").arg(kid);
        auto* labelItem = new QTableWidgetItem(label);
        labelItem->setFlags(Qt::ItemIsEnabled);
        grid->setItem(row, 0, labelItem);

        const ChildEducation& choices = m_settings.children[static_cast<size_t>(row)];
        for (int stage = 0; stage < EDUCATION_STAGES; ++stage) {
            const bool university = stage == static_cast<int>(EducationStage::University);
            auto* combo = new QComboBox(grid);
            combo->setObjectName(QStringLiteral("educationCombo%1_%2").arg(kid).arg(stage + 1));
            combo->addItems(university ? universityWords() : schoolWords());
            const char* word = university ? universityChoiceWord(choices.university)
                                          : schoolChoiceWord(choices.school(static_cast<EducationStage>(stage)));
            combo->setCurrentText(QString::fromUtf8(word));
            grid->setCellWidget(row, 1 + 2 * stage, combo);
            auto* costItem = new QTableWidgetItem;
            costItem->setFlags(Qt::ItemIsEnabled);
            grid->setItem(row, 2 + 2 * stage, costItem);
            showEducationCost(row, stage);
            connect(combo, &QComboBox::currentTextChanged, this, [this, row, stage] { showEducationCost(row, stage); });
        }
    }
    grid->resizeColumnsToContents();

    QStringList notes;
    const QStringList sources = educationSources();
    for (int i = 0; i < sources.size(); ++i)
        notes.append(sourceMark(i) + QLatin1Char(' ') + sources.at(i));
    m_ui->educationSourceLabel->setText(
        QStringLiteral("年額は子供１人の１年分です（幼稚園〜高校は学習費総額、大学は授業料と施設設備費。入学料は入学"
                       "の年に加わります）。\n")
        + notes.join(QLatin1Char('\n')));
}

QComboBox* MoneySettingsDialog::educationCombo(int row, int stage) const
{
    return qobject_cast<QComboBox*>(m_ui->educationGrid->cellWidget(row, 1 + 2 * stage));
}

void MoneySettingsDialog::showEducationCost(int row, int stage)
{
    QComboBox* combo = educationCombo(row, stage);
    QTableWidgetItem* item = m_ui->educationGrid->item(row, 2 + 2 * stage);
    if (!combo || !item)
        return;
    const EducationCost cost = costOf(stage, combo->currentText());
    if (cost.perYear == 0 && cost.entrance == 0) {
        item->setText(QStringLiteral("―"));
        item->setToolTip(QString());
        return;
    }
    QString text = manText(cost.perYear);
    if (cost.entrance != 0)
        text += QStringLiteral("（+%1）").arg(manText(cost.entrance));
    const QString source = QString::fromStdString(cost.source);
    text += sourceMark(static_cast<int>(educationSources().indexOf(source)));
    item->setText(text);
    item->setToolTip(source);
}

void MoneySettingsDialog::showEntries()
{
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const EntryRow& a, const EntryRow& b) {
        return a.entry.year != b.entry.year ? a.entry.year < b.entry.year : a.income && !b.income;
    });
    QTableWidget* list = m_ui->entryList;
    list->setRowCount(static_cast<int>(m_entries.size()));
    for (int row = 0; row < list->rowCount(); ++row) {
        const EntryRow& entry = m_entries[static_cast<size_t>(row)];
        const QString texts[] = { QString::number(entry.entry.year),
            QString::fromStdString(entry.entry.label),
            QString::fromStdString(formatAmount(entry.entry.amount)),
            entry.income ? QStringLiteral("収入") : QStringLiteral("支出") };
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column == ENTRY_AMOUNT_COLUMN || column == ENTRY_YEAR_COLUMN)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == ENTRY_KIND_COLUMN)
                item->setTextAlignment(Qt::AlignCenter);
            list->setItem(row, column, item);
        }
    }
    list->resizeColumnToContents(ENTRY_YEAR_COLUMN);
    list->resizeColumnToContents(ENTRY_AMOUNT_COLUMN);
}

void MoneySettingsDialog::entrySelected()
{
    const int row = m_ui->entryList->currentRow();
    const bool selected
        = row >= 0 && row < static_cast<int>(m_entries.size()) && !m_ui->entryList->selectedItems().isEmpty();
    m_ui->entryChangeButton->setEnabled(selected);
    m_ui->entryDeleteButton->setEnabled(selected);
    if (!selected)
        return;
    const EntryRow& entry = m_entries[static_cast<size_t>(row)];
    m_ui->entryYearBox->setText(QString::number(entry.entry.year));
    m_ui->entryLabelBox->setText(QString::fromStdString(entry.entry.label));
    m_ui->entryAmountBox->setText(QString::fromStdString(formatAmount(entry.entry.amount)));
    (entry.income ? m_ui->entryIncomeOption : m_ui->entryExpenseOption)->setChecked(true);
}

std::optional<MoneySettingsDialog::EntryRow> MoneySettingsDialog::entryFromBoxes()
{
    const BoxValue year = readBox(m_ui->entryYearBox, QStringLiteral("年（西暦）"), { 1, MAX_YEAR, false });
    if (!year.value) {
        refuse(m_ui->entryYearBox, year.message);
        return std::nullopt;
    }
    const BoxValue amount = readBox(m_ui->entryAmountBox, QStringLiteral("金額（万円）"), { 0, MAX_AMOUNT, true });
    if (!amount.value) {
        refuse(m_ui->entryAmountBox, amount.message);
        return std::nullopt;
    }
    EntryRow row;
    row.income = m_ui->entryIncomeOption->isChecked();
    row.entry.year = *year.value;
    row.entry.amount = *amount.value;
    // A label is one line of the plan file: line breaks pasted into the box become spaces.
    QString label = m_ui->entryLabelBox->text();
    label.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    row.entry.label = label.toStdString();
    return row;
}

bool MoneySettingsDialog::entryLimitReached(bool income, int ignoredRow) const
{
    int count = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (static_cast<int>(i) != ignoredRow && m_entries[i].income == income)
            ++count;
    }
    if (count < MAX_MONEY_ENTRIES)
        return false;
    MessageBox::information(const_cast<MoneySettingsDialog*>(this),
        income ? QStringLiteral("一時的な収入は５０件まで登録できます。")
               : QStringLiteral("一時的な支出は５０件まで登録できます。"));
    return true;
}

void MoneySettingsDialog::addEntry()
{
    const std::optional<EntryRow> row = entryFromBoxes();
    if (!row || entryLimitReached(row->income, -1))
        return;
    m_entries.push_back(*row);
    showEntries();
    m_ui->entryList->clearSelection();
    entrySelected();
}

void MoneySettingsDialog::changeEntry()
{
    const int current = m_ui->entryList->currentRow();
    if (current < 0 || current >= static_cast<int>(m_entries.size()))
        return;
    const std::optional<EntryRow> row = entryFromBoxes();
    if (!row || entryLimitReached(row->income, current))
        return;
    m_entries[static_cast<size_t>(current)] = *row;
    showEntries();
    m_ui->entryList->clearSelection();
    entrySelected();
}

void MoneySettingsDialog::deleteEntry()
{
    const int current = m_ui->entryList->currentRow();
    if (current < 0 || current >= static_cast<int>(m_entries.size()))
        return;
    m_entries.erase(m_entries.begin() + current);
    showEntries();
    m_ui->entryList->clearSelection();
    entrySelected();
}

void MoneySettingsDialog::refuse(QLineEdit* box, const QString& message)
{
    // Bring the box's tab forward so that the user sees which field is meant.
    for (int tab = 0; tab < m_ui->tabs->count(); ++tab) {
        if (m_ui->tabs->widget(tab)->isAncestorOf(box))
            m_ui->tabs->setCurrentIndex(tab);
    }
    MessageBox::information(this, message);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

MoneySettings MoneySettingsDialog::boxesQuietly() const
{
    MoneySettings settings = m_settings;
    for (const Field& field : FIELDS) {
        const BoxValue value = readBox(findChild<QLineEdit*>(QLatin1String(field.box)), QString(), rangeOf(field.kind));
        if (value.value)
            settings.*field.member = *value.value;
    }
    return settings;
}

void MoneySettingsDialog::showIncomeBasis(bool gross)
{
    const QString pay = gross ? QStringLiteral("額面年収") : QStringLiteral("手取り年収");
    m_ui->husbandIncomeLabel->setText(pay);
    m_ui->wifeIncomeLabel->setText(pay);
}

bool MoneySettingsDialog::readBoxes(MoneySettings& settings)
{
    for (const Field& field : FIELDS) {
        auto* box = findChild<QLineEdit*>(QLatin1String(field.box));
        QString caption = QString::fromUtf8(field.caption);
        if (m_grossPanel->gross())
            caption.replace(QStringLiteral("手取り年収"), QStringLiteral("額面年収"));
        const BoxValue value = readBox(box, caption, rangeOf(field.kind));
        if (!value.value) {
            refuse(box, value.message);
            return false;
        }
        settings.*field.member = *value.value;
    }
    settings.careHusbandParents = m_ui->careHusbandCheck->isChecked() ? 1 : 0;
    settings.careWifeParents = m_ui->careWifeCheck->isChecked() ? 1 : 0;
    settings.savingsBasis
        = m_ui->savingsBasisCombo->currentIndex() == 1 ? SavingsBasis::YearStart : SavingsBasis::YearEnd;
    if (const std::optional<GrossIncomePanel::Refusal> refusal = m_grossPanel->read(settings.tax)) {
        refuse(refusal->box, refusal->message);
        return false;
    }
    return true;
}

bool MoneySettingsDialog::confirmEndYear(int year, const QString& what, QLineEdit* box)
{
    // A year before this one is most likely a typo: it ends the payments before the table starts.
    const int thisYear = currentYear();
    if (year == 0 || year >= thisYear)
        return true;
    const QString question = QStringLiteral("%1の最終支払年（%2年）が今年（%3年）より前です。\n"
                                            "%1は計算されません。このまま設定しますか？")
                                 .arg(what)
                                 .arg(year)
                                 .arg(thisYear);
    if (MessageBox::okCancelWarning(this, question) == QMessageBox::Ok)
        return true;
    m_ui->tabs->setCurrentWidget(m_ui->expenseTab);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return false;
}

void MoneySettingsDialog::accept()
{
    MoneySettings settings = m_settings;
    if (!readBoxes(settings) || !m_pensionTab->read(settings))
        return;
    if (!confirmEndYear(settings.housingEndYear, QStringLiteral("住居費"), m_ui->housingEndYearBox)
        || !confirmEndYear(settings.insuranceEndYear, QStringLiteral("保険料"), m_ui->insuranceEndYearBox))
        return;
    const std::optional<HomeSettings> home = m_housingTab->read();
    if (!home)
        return;
    settings.home = *home;

    for (int row = 0; row < m_childRows; ++row) {
        ChildEducation& choices = settings.children[static_cast<size_t>(row)];
        for (int stage = 0; stage < EDUCATION_STAGES; ++stage) {
            const std::string word = educationCombo(row, stage)->currentText().toStdString();
            if (stage == static_cast<int>(EducationStage::University)) {
                if (const std::optional<UniversityChoice> choice = universityChoiceFromWord(word))
                    choices.university = *choice;
            } else if (const std::optional<SchoolChoice> choice = schoolChoiceFromWord(word)) {
                choices.setSchool(static_cast<EducationStage>(stage), *choice);
            }
        }
    }

    std::vector<MoneyEntry> incomes;
    std::vector<MoneyEntry> expenses;
    for (const EntryRow& row : m_entries)
        (row.income ? incomes : expenses).push_back(row.entry);
    setEntries(settings.incomes, incomes);
    setEntries(settings.expenses, expenses);

    m_settings = settings;
    QDialog::accept();
}

} // namespace harukaze
