// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wizard/NumberBoxes.h"

#include "core/plan/NumberText.h"
#include "gui/common/MessageBox.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace harukaze {

namespace NumberBoxes {

void setup(QLineEdit* box, int maxLength)
{
    box->setMaxLength(maxLength);
    const QString pattern = QStringLiteral("[0-9]{0,%1}").arg(maxLength);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), box));
    // Room for one digit more than the box holds, plus the frame, so nothing is clipped with
    // wide fonts; the box never grows beyond that in a layout.
    const int digitWidth = box->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    box->setFixedWidth(digitWidth * (maxLength + 1) + 14);
}

QString missingNumberMessage(const QString& fieldName)
{
    return QStringLiteral("%1\n数値を入力してください。").arg(fieldName);
}

std::optional<int16_t> require(QLineEdit* box, const QString& fieldName, QWidget* messageParent)
{
    const std::optional<int16_t> value = wholeTextToInt16(box->text().toStdString());
    if (value)
        return value;
    MessageBox::information(messageParent, missingNumberMessage(fieldName));
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return std::nullopt;
}

int16_t leadingNumber(const QLineEdit* box)
{
    return lenientTextToInt16(box->text().toStdString());
}

} // namespace NumberBoxes

} // namespace harukaze
