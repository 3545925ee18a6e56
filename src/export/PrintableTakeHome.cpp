// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PrintableTakeHome.h"

#include "core/table/TableShape.h"

namespace harukaze {

namespace {

// Column widths in font sizes: the step, its amount, how it comes about.
constexpr double LABEL_EMS = 20;
constexpr double AMOUNT_EMS = 9;
constexpr double NOTE_EMS = 30;

int twips(double ems, double points)
{
    return static_cast<int>(ems * points * 20);
}

} // namespace

QString takeHomeTitle()
{
    return QStringLiteral("手取りの内訳");
}

PrintableTable printableTakeHome(const std::vector<TakeHomeLine>& lines,
    const QString& subject,
    const QString& planFilePath,
    const QDate& printDate,
    const QString& fontFamily,
    double fontPoints)
{
    PrintableTable table;
    table.title = takeHomeTitle() + QStringLiteral("（") + subject + QStringLiteral("）");
    table.documentName = documentNameOf(planFilePath);
    table.sourceNote = QStringLiteral("国税庁・協会けんぽ・総務省の令和8年の税率と保険料率による試算です");
    table.printDate = printDate;
    table.fontFamily = fontFamily.isEmpty() ? QString::fromUtf8(TABLE_FONT_NAME) : fontFamily;
    table.fontPoints = fontPoints > 0 ? fontPoints : TABLE_FONT_POINTS;
    table.fixedRows = 1;
    table.fixedColumns = 0;

    PrintableColumn label;
    label.widthTwips = twips(LABEL_EMS, table.fontPoints);
    PrintableColumn amount;
    amount.widthTwips = twips(AMOUNT_EMS, table.fontPoints);
    amount.bodyAlignment = Qt::AlignRight | Qt::AlignVCenter;
    PrintableColumn note;
    note.widthTwips = twips(NOTE_EMS, table.fontPoints);
    table.columns = { label, amount, note };

    table.cells.push_back({ QStringLiteral("項目"), QStringLiteral("金額（円）"), QStringLiteral("計算") });
    for (const TakeHomeLine& line : lines) {
        if (line.heading) {
            table.boldRows.insert(table.rowCount());
            table.cells.push_back({ QString::fromStdString(line.label), QString(), QString() });
            continue;
        }
        table.cells.push_back({ QStringLiteral("　") + QString::fromStdString(line.label),
            QString::fromStdString(yenText(line.yen)),
            QString::fromStdString(line.note) });
    }
    return table;
}

} // namespace harukaze
