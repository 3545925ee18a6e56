// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/LoanScheduleWindow.h"

#include "core/io/Cp932.h"
#include "core/io/NumberText.h"
#include "core/io/SaveFile.h"
#include "core/money/Housing.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySection.h"
#include "core/table/TableBuilder.h"
#include "export/PrintableLoanSchedule.h"
#include "gui/common/SaveAs.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

namespace harukaze {

namespace {

QLineEdit* numberBox(const QString& name, const QString& pattern, int width)
{
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * width + 14);
    return box;
}

} // namespace

LoanScheduleWindow::LoanScheduleWindow(QWidget* parent)
    : QMdiSubWindow(parent)
    , m_summary(new QLabel)
    , m_grid(new QTableWidget)
    , m_whatIfYear(numberBox(QStringLiteral("whatIfYearBox"), QStringLiteral("[0-9]{0,4}"), 5))
    , m_whatIfMonth(numberBox(QStringLiteral("whatIfMonthBox"), QStringLiteral("[0-9]{0,2}"), 3))
    , m_whatIfAmount(numberBox(QStringLiteral("whatIfAmountBox"), QStringLiteral("[0-9]{0,5}(\\.[0-9]?)?"), 8))
    , m_whatIfKind(new QComboBox)
    , m_whatIfResult(new QLabel)
{
    setObjectName(QStringLiteral("LoanScheduleWindow"));
    setWindowTitle(loanScheduleTitle());
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);

    m_summary->setObjectName(QStringLiteral("loanSummary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->addWidget(m_summary, 1);
    auto* csvButton = new QPushButton(QStringLiteral("CSV保存(&C)..."));
    csvButton->setObjectName(QStringLiteral("loanCsvButton"));
    top->addWidget(csvButton, 0, Qt::AlignTop);
    layout->addLayout(top);

    m_grid->setObjectName(QStringLiteral("loanGrid"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    // One line of text a row: a year's 8 to 12 months and its total stay in view together.
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    layout->addWidget(m_grid, 1);

    auto* whatIf = new QGroupBox(QStringLiteral("繰上返済の試算"));
    auto* row = new QHBoxLayout(whatIf);
    row->addWidget(m_whatIfYear);
    row->addWidget(new QLabel(QStringLiteral("年")));
    row->addWidget(m_whatIfMonth);
    row->addWidget(new QLabel(QStringLiteral("月に")));
    row->addWidget(m_whatIfAmount);
    row->addWidget(new QLabel(QStringLiteral("万円を")));
    m_whatIfKind->setObjectName(QStringLiteral("whatIfKindCombo"));
    m_whatIfKind->addItems({ QStringLiteral("期間短縮"), QStringLiteral("返済額軽減") });
    row->addWidget(m_whatIfKind);
    auto* tryButton = new QPushButton(QStringLiteral("試算(&T)"));
    tryButton->setObjectName(QStringLiteral("whatIfButton"));
    row->addWidget(tryButton);
    m_whatIfResult->setObjectName(QStringLiteral("whatIfResult"));
    row->addWidget(m_whatIfResult, 1);
    layout->addWidget(whatIf);

    setWidget(content);
    resize(820, 600);
    connect(csvButton, &QPushButton::clicked, this, &LoanScheduleWindow::saveCsv);
    connect(tryButton, &QPushButton::clicked, this, &LoanScheduleWindow::tryPrepayment);
}

LoanScheduleWindow::~LoanScheduleWindow() = default;

void LoanScheduleWindow::rebuild(const FamilyPlan& plan, const TableContext& context)
{
    m_schedule = planLoanSchedule(plan, context);
    m_credits.clear();
    m_showCredits = m_schedule && plan.money && plan.money->home.credit == 1;
    if (m_showCredits) {
        // The credit as the cash-flow table has it: limited by the flat taxes, or by the computed taxes
        // of the table's years with 額面 income.
        const HomeSettings& home = plan.money->home;
        const TableModel table = buildLifeCycleTable(plan, context);
        const auto taxes = creditTaxesOfTable(*plan.money, table.facts, planTaxes(plan, *plan.money, table).gross);
        const int y0 = context.y0;
        for (const LoanScheduleLine& line : loanScheduleLines(*m_schedule)) {
            const int n = line.year - y0;
            const bool flat = !plan.money->tax.gross();
            if (!line.yearTotal || (!flat && (n < 0 || n >= TABLE_YEARS)))
                continue;
            const std::optional<CreditTaxes> limit
                = flat ? std::optional<CreditTaxes>(flatCreditTaxes(home)) : taxes[static_cast<size_t>(n)];
            if (limit)
                m_credits[line.year] = loanCreditOfYear(home, *m_schedule, line.year, *limit).total();
        }
    }
    if (!m_schedule) {
        m_summary->setText(
            QStringLiteral("住宅ローンが設定されていません。「家計設定」の「住宅」で入力してください。"));
        m_grid->clear();
        m_grid->setRowCount(0);
        m_grid->setColumnCount(0);
        return;
    }
    m_summary->setText(loanScheduleSummary(*m_schedule).join(QLatin1Char('\n')));
    const PrintableTable table = printable(QString());
    m_grid->clear();
    m_grid->setColumnCount(table.columnCount());
    m_grid->setRowCount(table.rowCount() - 1);
    QStringList header;
    for (int c = 0; c < table.columnCount(); ++c)
        header << table.text(0, c);
    m_grid->setHorizontalHeaderLabels(header);
    QFont bold = m_grid->font();
    bold.setBold(true);
    for (int r = 1; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            auto* item = new QTableWidgetItem(table.text(r, c));
            item->setTextAlignment(table.alignment(r, c));
            if (table.isBold(r))
                item->setFont(bold);
            m_grid->setItem(r - 1, c, item);
        }
    }
    m_grid->resizeColumnsToContents();
}

PrintableTable LoanScheduleWindow::printable(const QString& planFilePath) const
{
    if (!m_schedule)
        return PrintableTable {};
    return printableLoanSchedule(
        *m_schedule, m_showCredits ? &m_credits : nullptr, planFilePath, QDate::currentDate(), m_grid->font().family());
}

bool LoanScheduleWindow::saveCsv()
{
    SaveRequest request;
    request.title = QStringLiteral("返済予定表のCSV保存");
    request.filter = QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV *.csv)");
    request.suffix = QStringLiteral("CSV");
    const std::string bytes = utf8ToCp932(loanScheduleCsvText(m_schedule ? *m_schedule : LoanSchedule {}));
    return !saveAs(this, request, [&bytes](const QString& path, QString* reason) {
        std::string error;
        const bool written = saveFileAtomically(QFile::encodeName(path).toStdString(), bytes, &error);
        *reason = QString::fromStdString(error);
        return written;
    }).isEmpty();
}

void LoanScheduleWindow::tryPrepayment()
{
    if (!m_schedule)
        return;
    const std::optional<int> year = parseWholeNumber(m_whatIfYear->text().toStdString(), 1, MAX_YEAR);
    const std::optional<int> month = parseWholeNumber(m_whatIfMonth->text().toStdString(), 1, 12);
    QString amountText = m_whatIfAmount->text().trimmed();
    if (amountText.endsWith(QLatin1Char('.')))
        amountText.chop(1);
    const std::optional<int> amount = parseTenths(amountText.toStdString(), 1, MAX_AMOUNT);
    if (!year || !month || !amount) {
        m_whatIfResult->setText(
            QStringLiteral("年（1〜9999）、月（1〜12）、金額（0.1〜99999.9万円）を入力してください。"));
        return;
    }
    const bool shorten = m_whatIfKind->currentIndex() == 0;
    const PrepaymentEffect effect = prepaymentEffect(m_schedule->terms,
        { *year,
            *month,
            static_cast<int64_t>(*amount) * 1000,
            shorten ? PrepaymentKind::ShortenTerm : PrepaymentKind::LowerPayment });
    if (!effect.applies) {
        m_whatIfResult->setText(QStringLiteral("その月には繰上返済できません（融資実行前か完済後です）。"));
        return;
    }
    if (shorten) {
        m_whatIfResult->setText(QStringLiteral("完済が%1ヶ月早まり、利息が%2円減ります。")
                                    .arg(effect.monthsSooner)
                                    .arg(yenText(effect.interestSaved)));
    } else {
        m_whatIfResult->setText(
            QStringLiteral("毎月返済額が%1円から%2円になり、利息が%3円減ります。")
                .arg(yenText(effect.paymentBefore), yenText(effect.paymentAfter), yenText(effect.interestSaved)));
    }
}

} // namespace harukaze
