// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/MessageBox.h"

#include <optional>

namespace harukaze {

namespace {

std::optional<QMessageBox::StandardButton> s_nextAnswer;
QString s_lastText;
QString s_lastTitle;
int s_count = 0;
QMessageBox::Icon s_lastIcon = QMessageBox::NoIcon;
QMessageBox::StandardButtons s_lastButtons;
QMessageBox::StandardButton s_lastDefault = QMessageBox::NoButton;

} // namespace

QMessageBox::StandardButton MessageBox::information(QWidget* parent, const QString& text, const QString& title)
{
    return ask(parent, QMessageBox::Information, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBox::plain(QWidget* parent, const QString& text, const QString& title)
{
    return ask(parent, QMessageBox::NoIcon, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBox::warning(QWidget* parent, const QString& text, const QString& title)
{
    return ask(parent, QMessageBox::Warning, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBox::okCancelWarning(QWidget* parent, const QString& text, const QString& title)
{
    return ask(parent, QMessageBox::Warning, text, title, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
}

QMessageBox::StandardButton MessageBox::yesNoQuestion(QWidget* parent, const QString& text, const QString& title)
{
    return ask(parent, QMessageBox::Question, text, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    s_nextAnswer = answer;
}

QString MessageBox::lastText()
{
    return s_lastText;
}

QString MessageBox::lastTitle()
{
    return s_lastTitle;
}

int MessageBox::count()
{
    return s_count;
}

QMessageBox::Icon MessageBox::lastIcon()
{
    return s_lastIcon;
}

QMessageBox::StandardButtons MessageBox::lastButtons()
{
    return s_lastButtons;
}

QMessageBox::StandardButton MessageBox::lastDefaultButton()
{
    return s_lastDefault;
}

void MessageBox::clearLast()
{
    s_lastText.clear();
    s_lastTitle.clear();
    s_count = 0;
}

QMessageBox::StandardButton MessageBox::ask(QWidget* parent,
    QMessageBox::Icon icon,
    const QString& text,
    const QString& title,
    QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton)
{
    const QString caption = title.isEmpty() ? QStringLiteral("HARUKAZE") : title;
    s_lastText = text;
    s_lastTitle = caption;
    s_lastIcon = icon;
    s_lastButtons = buttons;
    s_lastDefault = defaultButton;
    ++s_count;
    if (s_nextAnswer) {
        const QMessageBox::StandardButton answer = *s_nextAnswer;
        s_nextAnswer.reset();
        return answer;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
            : buttons.testFlag(QMessageBox::No)               ? QMessageBox::No
                                                              : QMessageBox::Ok);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace harukaze
