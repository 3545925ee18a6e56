// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/JapaneseDate.h"

#include "core/plan/EraCalendar.h"

#include <array>

namespace harukaze {

namespace {

// The day each era began, by its index in the era calendar. The calendar itself counts whole years
// (an era's year 1 is the whole Western year it began in); a date before that day still belongs
// to the era before.
struct EraStart
{
    int eraIndex;
    int month;
    int day;
};

constexpr std::array<EraStart, 4> ERA_STARTS { {
    { ERA_TAISHO, 7, 30 },
    { ERA_SHOWA, 12, 25 },
    { ERA_HEISEI, 1, 8 },
    { ERA_REIWA, 5, 1 },
} };

EraYear eraOnDay(const QDate& date)
{
    const EraYear byYear = eraForYear(date.year());
    for (const EraStart& start : ERA_STARTS) {
        const int firstYear = ERA_TABLE[static_cast<size_t>(start.eraIndex)].offset + 1;
        if (byYear.eraIndex == start.eraIndex && date.year() == firstYear
            && date < QDate(firstYear, start.month, start.day)) {
            const int before = start.eraIndex - 1;
            return { before, date.year() - ERA_TABLE[static_cast<size_t>(before)].offset };
        }
    }
    return byYear;
}

} // namespace

QString japaneseDateText(const QDate& date)
{
    if (!date.isValid())
        return {};
    const EraYear era = eraOnDay(date);
    const QString eraName = QString::fromUtf8(ERA_TABLE[static_cast<size_t>(era.eraIndex)].name);
    const QString eraYear = era.year == 1 ? QStringLiteral("元") : QString::number(era.year);
    return QStringLiteral("%1年%2月%3日（%4%5年）")
        .arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(eraName, eraYear);
}

} // namespace harukaze
