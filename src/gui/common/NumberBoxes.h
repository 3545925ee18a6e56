// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QLineEdit;
class QWidget;

namespace harukaze {

/**
 * Number boxes of the wizard pages, the child dialog, the settings editor and 家計設定. The record
 * keeps every value as a signed 16-bit integer, so a record box takes only digits, within its
 * maximum length. Every box takes the full-width digits and 「．」「－」 that an input method in
 * 全角 mode types as their half-width forms.
 */
namespace NumberBoxes {

/** `text` with full-width digits, 「．」, 「－」 (and the minus sign U+2212) in half-width form. */
QString halfWidthNumber(const QString& text);

/**
 * Lets `box` take what matches `pattern` (a regular expression over half-width text), after
 * halfWidthNumber(); for boxes of amounts and rates.
 */
void setPattern(QLineEdit* box, const QString& pattern);

/** Restricts `box` to at most `maxLength` digits and sizes it to fit that many. */
void setup(QLineEdit* box, int maxLength);

/**
 * A box for a field of the record. Typing takes digits only, `typedDigits` of them at most (the
 * box's maximum length); yet a value the record holds is shown and kept as it is, whatever its
 * length or sign (-32768 .. 32767): setText() makes room for it, and a minus it brings may stay
 * while the digits after it are edited. The box is wide enough for every such value.
 */
void setupRecordField(QLineEdit* box, int typedDigits);

/** Shows `text` in a record field whole: its maximum length grows to the text's length if need be. */
void setText(QLineEdit* box, const QString& text);
void setNumber(QLineEdit* box, int value);

/**
 * The box's whole-number value, or, when the box is empty or does not hold a 16-bit whole number,
 * shows "数値を入力してください。" naming `fieldName`, puts the focus into the box and gives nothing.
 */
std::optional<int16_t> require(QLineEdit* box, const QString& fieldName, QWidget* messageParent);

/** The leading whole number of a box's text (0 when there is none), as the era buttons take it. */
int16_t leadingNumber(const QLineEdit* box);

/** The text of the field-missing message for `fieldName`. */
QString missingNumberMessage(const QString& fieldName);

} // namespace NumberBoxes

} // namespace harukaze
