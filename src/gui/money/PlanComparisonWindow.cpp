// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/PlanComparisonWindow.h"

#include "core/io/SaveFile.h"
#include "core/money/PlanComparison.h"
#include "core/table/TableBuilder.h"
#include "export/PrintableCashFlow.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/SaveAs.h"
#include "gui/money/RoundAxis.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>

namespace harukaze {

namespace {

constexpr int YEAR_LABEL_STEP = 10;

ComparisonCell amountCell(const std::string& text)
{
    return { QString::fromStdString(text), !text.empty() && text[0] == '-' };
}

ComparisonCell differenceCell(const std::optional<int64_t>& difference)
{
    if (!difference)
        return {};
    const QString sign = *difference > 0 ? QStringLiteral("+") : QString();
    return { sign + QString::number(static_cast<qlonglong>(*difference)), *difference < 0 };
}

std::vector<ComparisonCell> headerRow(const PlanComparison& comparison, const QString& first)
{
    std::vector<ComparisonCell> header { { first, false } };
    for (size_t p = 0; p < comparison.plans.size(); ++p) {
        header.push_back({ QString::fromStdString(comparison.plans[p].name), false });
        if (p > 0)
            header.push_back({ QStringLiteral("差"), false });
    }
    return header;
}

void fillTable(QTableWidget* table,
    const std::vector<ComparisonCell>& header,
    const std::vector<std::vector<ComparisonCell>>& rows)
{
    table->clear();
    table->setColumnCount(static_cast<int>(header.size()));
    table->setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (const ComparisonCell& cell : header)
        labels << cell.text;
    table->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c) {
            const ComparisonCell& cell = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
            auto* item = new QTableWidgetItem(cell.text);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (cell.negative)
                item->setForeground(negativeMoneyColor());
            if (c == 0)
                item->setBackground(fixedCellColor());
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

// The height that shows every row of `table` without scrolling.
int wholeHeight(const QTableWidget* table)
{
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int r = 0; r < table->rowCount(); ++r)
        height += table->rowHeight(r);
    return height;
}

QTableWidget* newTable(const QString& name)
{
    auto* table = new QTableWidget;
    table->setObjectName(name);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: rgb(192, 255, 255); }"));
    return table;
}

} // namespace

ComparisonTables comparisonTables(const PlanComparison& comparison)
{
    ComparisonTables tables;
    tables.header = headerRow(comparison, QStringLiteral("項目"));
    for (int i = 0; i < INDICATORS; ++i) {
        const auto indicator = static_cast<Indicator>(i);
        std::vector<ComparisonCell> row { { QString::fromUtf8(indicatorLabel(indicator)), false } };
        for (size_t p = 0; p < comparison.plans.size(); ++p) {
            const std::string& text = comparison.plans[p].at(indicator).text;
            row.push_back(
                isYearIndicator(indicator) ? ComparisonCell { QString::fromStdString(text), false } : amountCell(text));
            if (p > 0)
                row.push_back(differenceCell(indicatorDifference(comparison, p, indicator)));
        }
        tables.indicators.push_back(std::move(row));
    }
    tables.yearHeader = headerRow(comparison, QStringLiteral("西暦"));
    for (size_t n = 0; n < comparison.years.size(); ++n) {
        std::vector<ComparisonCell> row { { QString::fromStdString(comparison.years[n]), false } };
        for (size_t p = 0; p < comparison.plans.size(); ++p) {
            const int64_t savings = comparison.plans[p].savings[n];
            row.push_back(amountCell(std::to_string(savings)));
            if (p > 0)
                row.push_back(differenceCell(savings - comparison.plans.front().savings[n]));
        }
        tables.years.push_back(std::move(row));
    }
    return tables;
}

PrintableTable printablePlanComparison(const PlanComparison& comparison, const QDate& printDate)
{
    const ComparisonTables tables = comparisonTables(comparison);
    PrintableTable printable;
    printable.title = QStringLiteral("プランの比較");
    QStringList names;
    for (const ComparedPlan& plan : comparison.plans)
        names << QString::fromStdString(plan.name);
    printable.documentName = names.join(QStringLiteral("・"));
    printable.sourceNote = cashFlowSourceNote(true) + QStringLiteral("　差は%1との差").arg(names.value(0));
    printable.printDate = printDate;
    printable.fontFamily = QString::fromUtf8(TABLE_FONT_NAME);
    printable.fontPoints = TABLE_FONT_POINTS;
    printable.fixedRows = 1;
    printable.fixedColumns = 1;

    auto addRow = [&printable](const std::vector<ComparisonCell>& row) {
        const int r = printable.rowCount();
        std::vector<QString> texts;
        for (size_t c = 0; c < row.size(); ++c) {
            texts.push_back(row[c].text);
            if (row[c].negative)
                printable.setTextColor(static_cast<int>(c), r, negativeMoneyColor());
        }
        printable.cells.push_back(std::move(texts));
    };
    addRow(tables.header);
    for (const auto& row : tables.indicators)
        addRow(row);
    // The yearly table follows under its own header line, bold on the header cells' cyan.
    const int yearHeader = printable.rowCount();
    printable.boldRows.insert(yearHeader);
    printable.rowAlignments[yearHeader] = Qt::AlignCenter;
    addRow(tables.yearHeader);
    for (int c = 0; c < static_cast<int>(tables.yearHeader.size()); ++c)
        printable.setTint(c, yearHeader, fixedCellColor());
    for (const auto& row : tables.years)
        addRow(row);

    for (size_t c = 0; c < tables.header.size(); ++c) {
        PrintableColumn column;
        column.widthTwips = c == 0 ? 2600 : 1300;
        column.headerAlignment = Qt::AlignCenter;
        column.bodyAlignment = c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter;
        // A plan's figures and years go into a workbook as numbers; the signed differences stay text.
        // Columns: the labels, the first plan, then each further plan and its difference.
        const bool difference = c >= 3 && c % 2 == 1;
        if (c > 0 && !difference)
            column.numberFormat = QStringLiteral("0");
        printable.columns.push_back(column);
    }
    return printable;
}

PlanComparisonWindow::PlanComparisonWindow(std::vector<ComparedFile> files, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_files(std::move(files))
    , m_note(new QLabel)
    , m_indicators(newTable(QStringLiteral("comparisonIndicators")))
    , m_savings(newTable(QStringLiteral("comparisonSavings")))
    , m_chart(new QChartView)
{
    setObjectName(QStringLiteral("PlanComparisonWindow"));
    setWindowTitle(QStringLiteral("プランの比較"));
    m_chart->setObjectName(QStringLiteral("comparisonChart"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumSize(360, 240);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    m_note->setObjectName(QStringLiteral("comparisonNote"));
    m_note->setWordWrap(true);
    top->addWidget(m_note, 1);
    auto* csv = new QPushButton(QStringLiteral("CSV保存(&S)..."));
    csv->setObjectName(QStringLiteral("comparisonCsv"));
    connect(csv, &QPushButton::clicked, this, &PlanComparisonWindow::saveCsv);
    top->addWidget(csv);
    layout->addLayout(top);

    // The indicators over the chart on the left, the fifty-one years down the right.
    auto* left = new QSplitter(Qt::Vertical);
    left->addWidget(m_indicators);
    left->addWidget(m_chart);
    left->setStretchFactor(0, 0);
    left->setStretchFactor(1, 1);
    left->setChildrenCollapsible(false);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(m_savings);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    layout->addWidget(splitter, 1);
    setWidget(content);
    resize(960, 720);
}

PlanComparisonWindow::~PlanComparisonWindow() = default;

void PlanComparisonWindow::rebuild(const FamilyPlan& current, const QString& currentPath, const TableContext& context)
{
    BusyPointer busy;
    std::vector<ComparedPlan> plans;
    const QString currentName = currentPath.isEmpty() ? QStringLiteral("(無題)") : QFileInfo(currentPath).fileName();
    plans.push_back(comparedPlan(currentName.toStdString(), current, context));
    auto reread = std::make_unique<FamilyPlan>();
    for (ComparedFile& file : m_files) {
        // A file saved meanwhile shows its new figures; one gone since keeps the figures it had.
        if (readComparedPlan(QFile::encodeName(file.path).toStdString(), *reread))
            file.plan = *reread;
        plans.push_back(comparedPlan(QFileInfo(file.path).fileName().toStdString(), file.plan, context));
    }
    m_comparison = comparePlans(std::move(plans));

    const ComparisonTables tables = comparisonTables(m_comparison);
    fillTable(m_indicators, tables.header, tables.indicators);
    fillTable(m_savings, tables.yearHeader, tables.years);
    // The eleven indicators are seen whole; the chart takes the rest of the height.
    m_indicators->setMinimumHeight(
        wholeHeight(m_indicators) + m_indicators->horizontalScrollBar()->sizeHint().height());
    int width = 2 * m_savings->frameWidth() + m_savings->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_savings->columnCount(); ++c)
        width += m_savings->columnWidth(c);
    m_savings->setMinimumWidth(width);
    m_note->setText(QStringLiteral("金額は万円です。「差」は%1との差です。").arg(currentName));
    showChart();
}

QColor PlanComparisonWindow::planColor(int plan)
{
    static const QColor colors[]
        = { QColor(30, 100, 200), QColor(230, 120, 20), QColor(30, 150, 60), QColor(160, 50, 170) };
    return colors[static_cast<size_t>(plan) % std::size(colors)];
}

void PlanComparisonWindow::showChart()
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("貯蓄残高の推移（万円）"));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    const QFont base = font();
    QFont titleFont = base;
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->setFont(base);

    double low = 0;
    double high = 0;
    for (size_t p = 0; p < m_comparison.plans.size(); ++p) {
        const ComparedPlan& plan = m_comparison.plans[p];
        auto* series = new QLineSeries;
        series->setName(QString::fromStdString(plan.name));
        QPen pen(planColor(static_cast<int>(p)));
        pen.setWidth(2);
        series->setPen(pen);
        for (int n = 0; n < TABLE_YEARS; ++n) {
            const auto man = static_cast<double>(plan.savings[static_cast<size_t>(n)]);
            series->append(n, man);
            low = std::min(low, man);
            high = std::max(high, man);
        }
        chart->addSeries(series);
    }
    const RoundAxis axis = roundAxis(low, high);
    low = axis.low;
    high = axis.high;

    // The zero line: below it the plan is in debt.
    auto* zero = new QLineSeries;
    zero->setName(QStringLiteral("0"));
    QPen zeroPen(QColor(90, 90, 90));
    zeroPen.setStyle(Qt::DashLine);
    zero->setPen(zeroPen);
    zero->append(-0.5, 0);
    zero->append(TABLE_YEARS - 0.5, 0);
    chart->addSeries(zero);
    for (QLegendMarker* marker : chart->legend()->markers(zero))
        marker->setVisible(false);

    auto* years = new QCategoryAxis;
    years->setTitleText(QStringLiteral("西暦（年）"));
    years->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    years->setRange(-0.5, TABLE_YEARS - 0.5);
    for (int n = 0; n < TABLE_YEARS; n += YEAR_LABEL_STEP)
        years->append(QString::fromStdString(m_comparison.years[static_cast<size_t>(n)]), n);
    years->setLabelsFont(base);
    years->setTitleFont(base);
    attachAxes(chart, years, amountAxis(axis, base));
    QChart* old = m_chart->chart();
    m_chart->setChart(chart);
    delete old;
}

bool PlanComparisonWindow::saveCsv()
{
    SaveRequest request;
    request.title = QStringLiteral("プランの比較のCSV保存");
    request.filter = QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV *.csv)");
    request.suffix = QStringLiteral("CSV");
    const std::string bytes = planComparisonCsvBytes(m_comparison);
    return !saveAs(this, request, [&bytes](const QString& path, QString* reason) {
        std::string error;
        const bool written = saveFileAtomically(QFile::encodeName(path).toStdString(), bytes, &error);
        *reason = QString::fromStdString(error);
        return written;
    }).isEmpty();
}

} // namespace harukaze
