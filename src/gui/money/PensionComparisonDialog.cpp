// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/money/PensionComparisonDialog.h"

#include "core/money/Pension.h"
#include "core/plan/FamilyPlan.h"
#include "gui/common/MessageBox.h"
#include "gui/money/RoundAxis.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace harukaze {

namespace {

const QStringList HEADERS { QStringLiteral("開始年齢"),
    QStringLiteral("増減率"),
    QStringLiteral("年額（万円）"),
    QStringLiteral("受給開始"),
    QStringLiteral("開始までの生存率"),
    QStringLiteral("期待受取総額（万円）"),
    QStringLiteral("65歳開始との差（万円）"),
    QStringLiteral("損益分岐年齢"),
    QStringLiteral("") };

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString man(int64_t yen)
{
    return text(tenThousandYenText(yen));
}

QString yenTip(int64_t yen)
{
    return QLocale(QLocale::Japanese).toString(static_cast<qlonglong>(yen)) + QStringLiteral("円");
}

} // namespace

PensionComparisonDialog::PensionComparisonDialog(
    const PensionComparison& comparison, int birthYear, int y0, QWidget* parent)
    : QDialog(parent)
    , m_table(new QTableWidget(COMPARED_AGES, HEADERS.size()))
    , m_title(new QLabel)
    , m_note(new QLabel)
{
    const QString who = comparison.wife ? QStringLiteral("妻") : QStringLiteral("夫");
    setObjectName(QStringLiteral("PensionComparisonDialog"));
    setWindowTitle(QStringLiteral("受給開始年齢の比較（%1）").arg(who));
    m_title->setText(QStringLiteral("%1（%2年生まれ、%3年に%4歳）の公的年金を、受給開始年齢ごとに比べます。")
                         .arg(who)
                         .arg(birthYear)
                         .arg(y0)
                         .arg(comparison.currentAge));

    m_table->setObjectName(QStringLiteral("comparisonTable"));
    m_table->setHorizontalHeaderLabels(HEADERS);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* totals = new QBarSet(QStringLiteral("期待受取総額（万円）"));
    QStringList categories;
    for (int r = 0; r < COMPARED_AGES; ++r) {
        const PensionStartAgeRow& row = comparison.rows[static_cast<size_t>(r)];
        QStringList cells { QStringLiteral("%1歳").arg(row.startAge) };
        QStringList tips { QString() };
        if (!row.offered) {
            for (int c = 1; c < HEADERS.size() - 1; ++c) {
                cells << QStringLiteral("—");
                tips << QString();
            }
            cells << QString();
            tips << QString();
        } else {
            cells << text(pensionRateText(row.ratePermille)) << man(row.yearly)
                  << text(pensionMonthText(row.firstMonth)) << text(permilleAsPercentText(row.survivalPermille))
                  << man(row.expectedTotal) << (row.differenceTo65 ? man(*row.differenceTo65) : QString())
                  << (row.breakEvenMonths ? text(pensionAgeText(*row.breakEvenMonths)) : QString())
                  << (row.best ? QStringLiteral("★") : QString());
            tips << QString() << yenTip(row.yearly) << QString() << QString() << yenTip(row.expectedTotal)
                 << (row.differenceTo65 ? yenTip(*row.differenceTo65) : QString()) << QString() << QString();
        }
        m_rows << cells;
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setToolTip(tips[c]);
            if (row.best)
                item->setBackground(QColor(255, 250, 205));
            m_table->setItem(r, c, item);
        }
        categories << QString::number(row.startAge);
        *totals << (row.offered ? static_cast<double>(roundDivide(row.expectedTotal, 1000)) / 10.0 : 0.0);
    }
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();

    auto* series = new QBarSeries;
    series->append(totals);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(QStringLiteral("受給開始年齢ごとの期待受取総額（万円）"));
    chart->legend()->hide();
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    axisX->setTitleText(QStringLiteral("受給開始年齢（歳）"));
    // Round 万円 ticks from 0 up to the largest total (the chart's title names the unit).
    double highest = 0;
    for (int i = 0; i < totals->count(); ++i)
        highest = std::max(highest, totals->at(i));
    attachAxes(chart, axisX, amountAxis(roundAxis(0, highest), chart->font(), false));
    auto* chartView = new QChartView(chart);
    chartView->setObjectName(QStringLiteral("comparisonChart"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(220);

    m_note->setObjectName(QStringLiteral("comparisonNote"));
    m_note->setWordWrap(true);
    m_note->setText(
        QStringLiteral("金額は%1年度の水準の額面（税・社会保険料を引く前）で、%2の年金だけを比べています"
                       "（加給年金を含み、在職による停止を差し引きます）。期待受取総額は、各年の受取額に"
                       "その年に生きている確率（生命表から）を掛けて合計したものです。損益分岐年齢は、"
                       "65歳開始と比べて受取累計が追いつく年齢です。★は期待受取総額が最も多い開始年齢です。")
            .arg(pensionDataYear(y0))
            .arg(who));

    auto* copyButton = new QPushButton(QStringLiteral("コピー(&C)"));
    copyButton->setObjectName(QStringLiteral("copyButton"));
    auto* printButton = new QPushButton(QStringLiteral("印刷(&P)..."));
    printButton->setObjectName(QStringLiteral("printButton"));
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"));
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setDefault(true);
    connect(copyButton, &QPushButton::clicked, this, &PensionComparisonDialog::copy);
    connect(printButton, &QPushButton::clicked, this, &PensionComparisonDialog::print);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copyButton);
    buttons->addWidget(printButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_table, 3);
    layout->addWidget(chartView, 2);
    layout->addWidget(m_note);
    layout->addLayout(buttons);

    int width = 2 * m_table->frameWidth() + 24;
    for (int c = 0; c < m_table->columnCount(); ++c)
        width += m_table->columnWidth(c);
    resize(std::max(width, 760), 760);
}

void PensionComparisonDialog::showFor(const FamilyPlan& plan, int y0, bool wife, QWidget* parent)
{
    const MoneySettings settings = plan.money.value_or(MoneySettings {});
    const std::optional<PensionComparison> comparison = comparePensionStartAges(plan, settings, y0, wife);
    if (!comparison) {
        const QString who = wife ? QStringLiteral("妻") : QStringLiteral("夫");
        MessageBox::information(parent,
            QStringLiteral("%1の受給開始年齢は比較できません。\n"
                           "家計設定の「年金」タブで、%1の年金を「ねんきん定期便」または「加入記録」で"
                           "入力してください（%1がライフサイクル表にいて、0〜113歳であることも必要です）。")
                .arg(who));
        return;
    }
    PensionComparisonDialog dialog(
        *comparison, wife ? plan.ST2_WIFE_BIRTH_YEAR : plan.ST2_HUSBAND_BIRTH_YEAR, y0, parent);
    dialog.exec();
}

QString PensionComparisonDialog::tableText() const
{
    QStringList lines { HEADERS.join(QLatin1Char('\t')) };
    for (const QStringList& cells : m_rows)
        lines << cells.join(QLatin1Char('\t'));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void PensionComparisonDialog::copy() const
{
    QApplication::clipboard()->setText(tableText());
}

QString PensionComparisonDialog::html() const
{
    QString body = QStringLiteral("<h3>%1</h3><p>%2</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>")
                       .arg(windowTitle().toHtmlEscaped(), m_title->text().toHtmlEscaped());
    for (const QString& header : HEADERS)
        body += QStringLiteral("<th>%1</th>").arg(header.toHtmlEscaped());
    body += QStringLiteral("</tr>");
    for (const QStringList& cells : m_rows) {
        body += QStringLiteral("<tr>");
        for (const QString& cell : cells)
            body += QStringLiteral("<td align=\"right\">%1</td>").arg(cell.toHtmlEscaped());
        body += QStringLiteral("</tr>");
    }
    return body + QStringLiteral("</table><p>%1</p>").arg(m_note->text().toHtmlEscaped());
}

void PensionComparisonDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QTextDocument document;
    document.setHtml(html());
    document.print(&printer);
}

} // namespace harukaze
