// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace harukaze {

/**
 * Text-to-number conversions shared by the recorders, the plan file reader, the data file reader
 * and the dialogs, and the zero-padded number patterns of the table.
 */

/**
 * Whole-text conversion: the text must be one decimal number, optionally signed, optionally with
 * a fraction, with optional spaces or tabs around it. A fraction is rounded to the nearest whole
 * number, halves to the even neighbour, working on the decimal digits exactly. The result must fit
 * a signed 16-bit integer. Anything else (empty text, letters, out of range) gives no value.
 */
std::optional<int16_t> wholeTextToInt16(std::string_view text);

/**
 * Lenient conversion: blanks (spaces, tabs, line feeds, carriage returns) anywhere in the text are
 * ignored, then the number at the start is taken (optional sign, digits, optional fraction) and the
 * rest is ignored. No number gives 0. The value is rounded half to even and held to the 16-bit
 * range (a longer number saturates).
 */
int16_t lenientTextToInt16(std::string_view text);

/** Lenient reading of a decimal number as a real value (for the font size): 0 when there is none. */
double lenientTextToDouble(std::string_view text);

/**
 * Zero-padded decimal text of at least `digits` digits; a negative value gets a leading minus
 * before its digits. formatPadded(5, 2) is "05", formatPadded(-3, 2) is "-03", formatPadded(105, 2)
 * is "105", formatPadded(987, 4) is "0987".
 */
std::string formatPadded(long long value, int digits);

/** Rounds a real value to the nearest whole number, halves to the even neighbour (NaN gives 0; values beyond 2^62 are
 * held there). */
long long roundHalfEven(double value);

} // namespace harukaze
