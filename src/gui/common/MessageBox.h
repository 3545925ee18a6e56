// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

namespace harukaze {

/**
 * Every message box of the program goes through here, so that tests can answer them: after
 * setNextAnswer() the next box is not shown and returns that answer at once. A box without a
 * title of its own carries the application title "HARUKAZE".
 */
class MessageBox
{
public:
    /** OK with an information icon. */
    static QMessageBox::StandardButton information(QWidget* parent, const QString& text, const QString& title = {});
    /** OK only, no icon. */
    static QMessageBox::StandardButton plain(QWidget* parent, const QString& text, const QString& title = {});
    /** OK with a warning icon. */
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& text, const QString& title = {});
    /** OK and Cancel with a warning icon; Cancel is the default button. */
    static QMessageBox::StandardButton okCancelWarning(QWidget* parent, const QString& text, const QString& title = {});
    /** Yes and No with a question icon; No is the default button. */
    static QMessageBox::StandardButton yesNoQuestion(QWidget* parent, const QString& text, const QString& title = {});

    /** Test hook: the next box returns `answer` without being shown. */
    static void setNextAnswer(QMessageBox::StandardButton answer);
    /** Text of the last box asked for (shown or answered by the hook); cleared by clearLast(). */
    static QString lastText();
    static QString lastTitle();
    static int count();
    /** Icon, buttons and default button of the last box asked for. */
    static QMessageBox::Icon lastIcon();
    static QMessageBox::StandardButtons lastButtons();
    static QMessageBox::StandardButton lastDefaultButton();
    static void clearLast();

private:
    static QMessageBox::StandardButton ask(QWidget* parent,
        QMessageBox::Icon icon,
        const QString& text,
        const QString& title,
        QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton);
};

} // namespace harukaze
