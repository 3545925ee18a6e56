// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/CashFlowWindow.h"

#include "core/io/NumberText.h"
#include "core/plan/FamilyPlan.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableShape.h"
#include "gui/common/PlanSession.h"
#include "gui/common/ViewState.h"
#include "gui/money/CashFlowChart.h"
#include "gui/money/CashFlowGrid.h"
#include "gui/money/PensionComparisonDialog.h"
#include "gui/money/TakeHomeDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace harukaze {

namespace {

const QString SPLITTER_KEY = QStringLiteral("CashFlowSplitter");
const QString FOLDED_KEY = QStringLiteral("CashFlowFolded");

} // namespace

CashFlowWindow::CashFlowWindow(QWidget* parent)
    : QMdiSubWindow(parent)
    , m_notice(new QLabel)
    , m_splitter(new QSplitter(Qt::Vertical))
    , m_grid(new CashFlowGrid)
    , m_chart(new CashFlowChart)
    , m_loanScheduleButton(new QPushButton(QStringLiteral("返済予定表(&L)...")))
    , m_takeHome(new QPushButton(QStringLiteral("手取りの内訳(&K)...")))
{
    setObjectName(QStringLiteral("CashFlowWindow"));
    setWindowTitle(QStringLiteral("キャッシュフロー表"));

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_notice->setObjectName(QStringLiteral("cashFlowNotice"));
    m_notice->setWordWrap(true);
    m_notice->setMargin(6);
    m_notice->setText(
        QStringLiteral("家計設定がまだ入力されていないため、標準の値で計算しています（収入・生活費などは0円、"
                       "教育費は公立と私立文系の平均）。「設定」メニューの「家計設定(M)...」で、"
                       "ご家庭の金額を入力してください。"));
    m_notice->setStyleSheet(QStringLiteral("QLabel#cashFlowNotice { background: rgb(255, 250, 205); }"));
    m_notice->hide();
    layout->addWidget(m_notice);
    // The plan's own windows: the pension start ages of each spouse, 手取りの内訳 with 額面 income,
    // the loan's 返済予定表.
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    for (const bool wife : { false, true }) {
        auto* button = new QPushButton(
            wife ? QStringLiteral("妻の受給開始年齢の比較...") : QStringLiteral("夫の受給開始年齢の比較..."));
        button->setObjectName(wife ? QStringLiteral("wifeCompareButton") : QStringLiteral("husbandCompareButton"));
        connect(button, &QPushButton::clicked, this, [this, wife] { comparePensionStartAges(wife); });
        buttons->addWidget(button);
    }
    m_takeHome->setObjectName(QStringLiteral("takeHomeButton"));
    connect(m_takeHome, &QPushButton::clicked, this, &CashFlowWindow::showTakeHome);
    m_takeHome->hide();
    m_loanScheduleButton->setObjectName(QStringLiteral("loanScheduleButton"));
    m_loanScheduleButton->setEnabled(false);
    connect(m_loanScheduleButton, &QPushButton::clicked, this, &CashFlowWindow::loanScheduleRequested);
    buttons->addStretch();
    buttons->addWidget(m_takeHome);
    buttons->addWidget(m_loanScheduleButton);
    layout->addLayout(buttons);
    m_splitter->setObjectName(QStringLiteral("cashFlowSplitter"));
    m_splitter->addWidget(m_grid);
    m_splitter->addWidget(m_chart);
    // Grid and chart share the height; the splitter stays where the user last put it.
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({ 300, 300 });
    m_splitter->setChildrenCollapsible(false);
    m_splitter->restoreState(ViewState::read(SPLITTER_KEY));
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        ViewState::write(SPLITTER_KEY, m_splitter->saveState());
    });
    layout->addWidget(m_splitter);
    setWidget(content);
    resize(900, 640);

    // The rows of the totals are folded until the user opens them; the grid keeps them so.
    const QByteArray folded = ViewState::read(FOLDED_KEY);
    m_incomeFolded = folded.size() < 1 || folded.at(0) != '0';
    m_expenseFolded = folded.size() < 2 || folded.at(1) != '0';
    connect(m_grid, &CashFlowGrid::foldingChanged, this, [this] {
        m_incomeFolded = m_grid->isFolded(m_table.rowIndex(MoneyRow::IncomeTotal));
        m_expenseFolded = m_grid->isFolded(m_table.rowIndex(MoneyRow::ExpenseTotal));
        ViewState::write(FOLDED_KEY, QByteArray(m_incomeFolded ? "1" : "0") + (m_expenseFolded ? "1" : "0"));
    });
}

CashFlowWindow::~CashFlowWindow() = default;

void CashFlowWindow::rebuild(const FamilyPlan& plan, const TableContext& context)
{
    showTable(buildCashFlowTable(plan, context), plan, context, PlanSession::instance().fileName());
}

void CashFlowWindow::showTable(
    const CashFlowTable& table, const FamilyPlan& plan, const TableContext& context, const QString& planFilePath)
{
    m_table = table;
    // The grid is drawn in the table font, as the life cycle table is.
    QFont font(QString::fromStdString(context.fontName));
    const double points = lenientTextToDouble(context.fontSize);
    font.setPointSizeF(points > 0 ? points : TABLE_FONT_POINTS);
    m_grid->setTable(m_table, font);
    m_grid->setFolded(m_table.rowIndex(MoneyRow::IncomeTotal), m_incomeFolded);
    m_grid->setFolded(m_table.rowIndex(MoneyRow::ExpenseTotal), m_expenseFolded);
    m_chart->setTable(m_table);
    m_notice->setVisible(!m_table.hasMoneySettings);
    m_loanScheduleButton->setEnabled(plan.money && plan.money->home.hasLoan());
    m_plan = plan;
    m_context = context;
    m_planFilePath = planFilePath;
    m_takeHome->setVisible(plan.money && plan.money->tax.gross());
}

void CashFlowWindow::showTakeHome()
{
    if (!m_plan.money)
        return;
    const int column = m_grid->currentIndex().isValid() ? m_grid->currentIndex().column() : -1;
    const int n = column >= CashFlowGrid::TABLE_FIXED_COLS ? column - CashFlowGrid::TABLE_FIXED_COLS : 0;
    const TableModel table = buildLifeCycleTable(m_plan, m_context);
    TakeHomeDialog dialog(m_plan, *m_plan.money, table, n, Spouse::Husband, m_planFilePath, this);
    dialog.exec();
}

void CashFlowWindow::comparePensionStartAges(bool wife)
{
    PensionComparisonDialog::showFor(m_plan, m_table.y0, wife, this);
}

} // namespace harukaze
