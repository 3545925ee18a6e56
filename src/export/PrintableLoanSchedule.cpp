// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PrintableLoanSchedule.h"

#include "core/money/Loan.h"
#include "core/table/TableShape.h"

#include <QLocale>
#include <QStringList>

namespace harukaze {

namespace {

QString monthOf(const LoanEvent& event)
{
    return QStringLiteral("%1年%2月").arg(event.year).arg(event.month);
}

} // namespace

QString loanScheduleTitle()
{
    return QStringLiteral("返済予定表");
}

QString yenText(int64_t yen)
{
    return QLocale(QLocale::English).toString(static_cast<qlonglong>(yen));
}

QStringList loanScheduleSummary(const LoanSchedule& schedule)
{
    QStringList lines;
    lines << QStringLiteral("毎月返済額（初回）：%1円").arg(yenText(schedule.firstPayment()))
          << QStringLiteral("総返済額：%1円").arg(yenText(schedule.totalPaid()))
          << QStringLiteral("利息総額：%1円").arg(yenText(schedule.totalInterest()));
    if (const LoanEvent* last = schedule.finalEvent())
        lines << QStringLiteral("完済年月：%1").arg(monthOf(*last));
    if (const LoanEvent* cleared = schedule.clearedEvent()) {
        lines << QStringLiteral("団信：%1年1月に%2円（元金%3円、未払利息%4円）を保険金で完済")
                     .arg(cleared->year)
                     .arg(yenText(cleared->principal + cleared->interest),
                         yenText(cleared->principal),
                         yenText(cleared->interest));
    }
    return lines;
}

PrintableTable printableLoanSchedule(const LoanSchedule& schedule,
    const std::map<int, int64_t>* credits,
    const QString& planFilePath,
    const QDate& printDate,
    const QString& fontFamily,
    double fontPoints)
{
    PrintableTable printable;
    printable.title = loanScheduleTitle();
    printable.documentName = documentNameOf(planFilePath);
    printable.sourceNote = loanScheduleSummary(schedule).join(QStringLiteral("　"));
    printable.printDate = printDate;
    printable.fontFamily = fontFamily.isEmpty() ? QString::fromUtf8(TABLE_FONT_NAME) : fontFamily;
    printable.fontPoints = fontPoints > 0 ? fontPoints : TABLE_FONT_POINTS;
    printable.fixedRows = 1;
    printable.fixedColumns = 1;

    QStringList header { QStringLiteral("回数"),
        QStringLiteral("年月"),
        QStringLiteral("金利"),
        QStringLiteral("返済額"),
        QStringLiteral("元金"),
        QStringLiteral("利息"),
        QStringLiteral("未払利息"),
        QStringLiteral("残高") };
    if (credits)
        header << QStringLiteral("住宅ローン控除");
    printable.cells.push_back(std::vector<QString>(header.begin(), header.end()));
    for (const LoanScheduleLine& line : loanScheduleLines(schedule)) {
        std::vector<QString> cells { QString::fromStdString(line.number),
            QString::fromStdString(line.month),
            QString::fromStdString(line.rate),
            yenText(line.paid),
            yenText(line.principal),
            yenText(line.interest),
            yenText(line.unpaid),
            yenText(line.balance) };
        if (credits) {
            const auto credit = credits->find(line.year);
            cells.push_back(line.yearTotal && credit != credits->end() ? yenText(credit->second) : QString());
        }
        if (line.yearTotal)
            printable.boldRows.insert(printable.rowCount());
        printable.cells.push_back(std::move(cells));
    }
    for (int c = 0; c < static_cast<int>(header.size()); ++c) {
        PrintableColumn column;
        const bool amount = c >= 3;
        column.widthTwips = static_cast<int>(printable.fontPoints * 20 * (c == 0 ? 7 : (amount ? 8 : 6)));
        column.bodyAlignment = amount ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter;
        if (amount)
            column.numberFormat = QStringLiteral("#,##0");
        printable.columns.push_back(column);
    }
    return printable;
}

} // namespace harukaze
