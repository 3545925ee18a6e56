// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QLineEdit;
class QWidget;

namespace harukaze {

/**
 * Number boxes of the wizard pages, the child dialog and the settings editor. The record keeps
 * every value as a signed 16-bit integer, so a box takes only digits, within its maximum length.
 */
namespace NumberBoxes {

/** Restricts `box` to at most `maxLength` digits and sizes it to fit that many. */
void setup(QLineEdit* box, int maxLength);

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
