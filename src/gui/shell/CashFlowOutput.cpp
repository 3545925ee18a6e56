// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/CashFlowOutput.h"

#include "core/money/CashFlow.h"
#include "core/table/TableShape.h"
#include "export/PrintableCashFlow.h"
#include "gui/money/CashFlowChart.h"
#include "gui/money/CashFlowGrid.h"
#include "gui/money/CashFlowWindow.h"

#include <QChart>
#include <QDate>
#include <QGraphicsScene>
#include <QPainter>

#include <utility>

namespace harukaze {

namespace {

// Width in screen pixels at which the chart is laid out for its page.
constexpr double CHART_PAGE_WIDTH = 1000.0;

} // namespace

TableOutput cashFlowOutput(const CashFlowTable& table, const QString& planFilePath, const QFont& font)
{
    PrintableTable printable = printableCashFlowTable(table,
        planFilePath,
        QDate::currentDate(),
        font.family(),
        font.pointSizeF() > 0 ? font.pointSizeF() : TABLE_FONT_POINTS);
    printable.fontBold = font.bold();
    printable.fontItalic = font.italic();
    // The chart's page: the window's chart, drawn to the page as it is laid out at a screen size of
    // the page's shape, so that its text keeps its proportion to the page.
    printable.chart.paint = [table](QPainter& painter, const QRectF& area) {
        if (area.width() <= 0 || area.height() <= 0)
            return;
        CashFlowChart view;
        view.setTable(table);
        QChart* chart = view.chart();
        chart->setTitle(cashFlowChartTitle());
        QFont title = chart->titleFont();
        title.setBold(true);
        chart->setTitleFont(title);
        const QSizeF laidOut(CHART_PAGE_WIDTH, CHART_PAGE_WIDTH * area.height() / area.width());
        chart->resize(laidOut);
        view.scene()->setSceneRect(QRectF(QPointF(0, 0), laidOut));
        view.scene()->render(&painter, area, QRectF(QPointF(0, 0), laidOut), Qt::KeepAspectRatio);
    };
    return TableOutput(std::move(printable));
}

TableOutput cashFlowOutput(const CashFlowWindow& window, const QString& planFilePath)
{
    return cashFlowOutput(window.table(), planFilePath, window.grid()->font());
}

bool saveWorkbook(
    QWidget* parent, const PrintableTable& lifeCycle, const PrintableTable& cashFlow, const QString& suggested)
{
    TableOutput output(lifeCycle);
    output.addSheet(cashFlow);
    return output.saveXlsx(parent, suggested);
}

} // namespace harukaze
