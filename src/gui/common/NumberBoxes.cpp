// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/NumberBoxes.h"

#include "core/io/NumberText.h"
#include "gui/common/MessageBox.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QValidator>

#include <algorithm>

namespace harukaze {

namespace {

// The widest value a 16-bit field can hold.
const QString WIDEST_VALUE = QStringLiteral("-32768");

// Digits only; a leading minus only while the box holds one that came with its value, so a
// negative value from the record can be edited but none can be typed.
class DigitsValidator : public QValidator
{
public:
    using QValidator::QValidator;

    void setMinusAllowed(bool allowed) { m_minusAllowed = allowed; }

    State validate(QString& input, int&) const override
    {
        input = NumberBoxes::halfWidthNumber(input);
        const int first = m_minusAllowed && input.startsWith(QLatin1Char('-')) ? 1 : 0;
        for (int i = first; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
        }
        return Acceptable;
    }

private:
    bool m_minusAllowed = false;
};

// A pattern over the half-width forms of what is typed.
class HalfWidthPatternValidator : public QRegularExpressionValidator
{
public:
    using QRegularExpressionValidator::QRegularExpressionValidator;

    State validate(QString& input, int& position) const override
    {
        input = NumberBoxes::halfWidthNumber(input);
        return QRegularExpressionValidator::validate(input, position);
    }
};

DigitsValidator* validatorOf(QLineEdit* box)
{
    return dynamic_cast<DigitsValidator*>(const_cast<QValidator*>(box->validator()));
}

// Room for `text` and one digit more, plus the frame, so nothing is clipped with wide fonts; the
// box never grows beyond that in a layout.
void fitWidth(QLineEdit* box, const QString& text)
{
    const QFontMetrics metrics = box->fontMetrics();
    box->setFixedWidth(metrics.horizontalAdvance(text) + metrics.horizontalAdvance(QLatin1Char('0')) + 14);
}

} // namespace

namespace NumberBoxes {

QString halfWidthNumber(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        const char16_t code = c.unicode();
        if (code >= u'０' && code <= u'９')
            c = QChar(static_cast<char16_t>(u'0' + (code - u'０')));
        else if (code == u'．')
            c = QLatin1Char('.');
        else if (code == u'－' || code == u'\u2212')
            c = QLatin1Char('-');
    }
    return folded;
}

void setPattern(QLineEdit* box, const QString& pattern)
{
    box->setValidator(new HalfWidthPatternValidator(QRegularExpression(pattern), box));
}

void setup(QLineEdit* box, int maxLength)
{
    box->setMaxLength(maxLength);
    box->setValidator(new DigitsValidator(box));
    fitWidth(box, QString(maxLength, QLatin1Char('0')));
}

void setupRecordField(QLineEdit* box, int typedDigits)
{
    setup(box, typedDigits);
    box->setProperty("typedDigits", typedDigits);
    fitWidth(box, WIDEST_VALUE);
    QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
        if (DigitsValidator* validator = validatorOf(box))
            validator->setMinusAllowed(text.startsWith(QLatin1Char('-')));
    });
}

void setText(QLineEdit* box, const QString& text)
{
    const int typed = box->property("typedDigits").toInt();
    const bool negative = text.startsWith(QLatin1Char('-'));
    // QLineEdit cuts a text to its maximum length: the length follows the value shown, and a
    // minus does not count against the digits the box takes.
    const int digits = typed > 0 ? typed : box->maxLength();
    box->setMaxLength(std::max<int>(digits + (negative ? 1 : 0), static_cast<int>(text.size())));
    if (DigitsValidator* validator = validatorOf(box))
        validator->setMinusAllowed(negative);
    box->setText(text);
}

void setNumber(QLineEdit* box, int value)
{
    setText(box, QString::number(value));
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
