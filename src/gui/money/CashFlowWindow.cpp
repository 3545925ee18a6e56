// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/CashFlowWindow.h"

#include "core/io/NumberText.h"
#include "core/table/TableBuilder.h"
#include "core/table/TableShape.h"
#include "gui/money/CashFlowChart.h"
#include "gui/money/CashFlowGrid.h"

#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace harukaze {

CashFlowWindow::CashFlowWindow(QWidget* parent)
    : QMdiSubWindow(parent)
    , m_notice(new QLabel)
    , m_splitter(new QSplitter(Qt::Vertical))
    , m_grid(new CashFlowGrid)
    , m_chart(new CashFlowChart)
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
    m_splitter->addWidget(m_grid);
    m_splitter->addWidget(m_chart);
    // The grid gets the larger share: the money rows lie below the members' rows.
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    m_splitter->setSizes({ 360, 260 });
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter);
    setWidget(content);
    resize(900, 640);
}

CashFlowWindow::~CashFlowWindow() = default;

void CashFlowWindow::rebuild(const FamilyPlan& plan, const TableContext& context)
{
    showTable(buildCashFlowTable(plan, context), context);
}

void CashFlowWindow::showTable(const CashFlowTable& table, const TableContext& context)
{
    m_table = table;
    // The grid is drawn in the table font, as the life cycle table is.
    QFont font(QString::fromStdString(context.fontName));
    const double points = lenientTextToDouble(context.fontSize);
    font.setPointSizeF(points > 0 ? points : TABLE_FONT_POINTS);
    m_grid->setTable(m_table, font);
    m_chart->setTable(m_table);
    m_notice->setVisible(!m_table.hasMoneySettings);
}

} // namespace harukaze
