// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/plan/MoneySettings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace harukaze {

struct FamilyPlan;
struct MoneySectionCut;

/**
 * The money section of a plan file: the lines after line 300, "HARUKAZE_MONEY(1)", then one
 * KEY=VALUE line per setting, then "END_MONEY". Readers of the 300-line format never look past
 * line 300, so the section is invisible to them.
 *
 * Reading keeps the last valid line of a key; a known key with an invalid value changes nothing and
 * is dropped; every other non-empty line (a later version's key, a line without "=", INCOME0) is
 * kept verbatim and written back after the known keys.
 */

/**
 * The section's lines (UTF-8, without line ends): the header, every setting once in the order of
 * the settings table, the children's choices child by child, INCOME1..50 then EXPENSE1..50 as
 * present, the unknown lines, END_MONEY. A CR or LF inside a label or kept line is written as a
 * space, and a kept line that is empty or would end the section early is left out, so that the
 * section always reads back as written.
 */
std::vector<std::string> moneySectionLines(const MoneySettings& settings);

/**
 * The settings of the lines that follow line 300 (as FILE_IN returns them: the header line first,
 * then the section up to END_MONEY or the end of the file). Nothing when there is no header.
 *
 * The lines kept verbatim are kept only as far as the section the writer makes of them, with
 * every setting, child line and entry it may add, stays within the reader's caps
 * (MAX_TRAILING_LINES, MAX_TRAILING_BYTES): a saved section always reads back whole. The kept
 * lines left out for that are counted in `cut` (when given).
 */
std::optional<MoneySettings> readMoneySection(const std::vector<std::string>& trailing, MoneySectionCut* cut = nullptr);

/** The open command's step after parsePlanFileLines(): sets plan.money from the section, or clears it. */
void parseMoneySection(const std::vector<std::string>& trailing, FamilyPlan& plan, MoneySectionCut* cut = nullptr);

/**
 * What a cut section lost, in the user's words, one "・" line per part (empty when nothing was
 * left out): "・ファイルの4397行目から後の12行" (or "...から後のすべての行"),
 * "・このバージョンで使わない行（新しい版の設定など）のうち後ろの25行".
 */
std::string moneySectionCutText(const MoneySectionCut& cut);

/**
 * An amount in tenths of 万円 as the file writes it: no trailing ".0" ("450", "12.5", "-0.5", "0").
 */
std::string formatAmount(int tenths);

/** A rate in tenths of a percent, always with one decimal ("1.0", "0.0", "-0.5"). */
std::string formatRate(int tenths);

/**
 * A decimal of the file's grammar -?[0-9]+(\.[0-9])? (ASCII only, leading zeros allowed, "-0" is 0)
 * as whole tenths, when it lies within min..max (in tenths). "12.50", "12.", ".5", "+1" and " 1"
 * give nothing.
 */
std::optional<int> parseTenths(std::string_view text, int min, int max);

/** A whole number of the grammar [0-9]+ within min..max, or nothing. */
std::optional<int> parseWholeNumber(std::string_view text, int min, int max);

/**
 * How a number of a money-section line is written, and the values it may take: an amount in tenths
 * ("450", "12.5"), a rate in tenths ("1.0"), a whole number, or a flag written exactly "0" or "1".
 * Every section (settings, 額面, 住宅) reads and writes its numbers by such rules.
 */
struct NumberRule
{
    enum class Form { Amount, Rate, Whole, Flag } form;
    int min = 0;
    int max = 1;
};

/** `text` read by `rule`, or nothing when it is not of the rule's form or lies outside min..max. */
std::optional<int> parseNumber(const NumberRule& rule, std::string_view text);

/** `value` as `rule` writes it. */
std::string formatNumber(const NumberRule& rule, int value);

/** An entry value "YEAR,AMOUNT,LABEL", split at the first two commas; nothing when invalid. */
std::optional<MoneyEntry> parseMoneyEntry(std::string_view value);

} // namespace harukaze
