// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPushButton;

namespace harukaze {

/**
 * What the six setup pages share: each is a window of its own, placed at the top left of the
 * screen, with the navigation buttons Command1 ("次へ　>" / "完了"), Command4 ("<　戻る"),
 * Command3 ("ｷｬﾝｾﾙ") and Command2 ("ヘルプ"). A page records its own section before it asks to go
 * on; where it goes is the SetupWizard's decision.
 *
 * The keys are a dialog's: Return (or Enter) presses the default button Command1 when it is enabled,
 * whichever control has the focus, and Esc presses ｷｬﾝｾﾙ. Only keys no control took reach the page,
 * so a control that uses Return itself (an item view's cell editor) keeps it.
 */
class WizardPage : public QWidget
{
    Q_OBJECT

public:
    /** `helpTopic` is the page's topic number in the help file. */
    WizardPage(int helpTopic, QWidget* parent);

    int helpTopic() const { return m_helpTopic; }

    /** Closes the page on the navigator's behalf, without counting as a cancel. */
    void dismiss();

signals:
    /** The page recorded its section and asks for the next page ("次へ　>", "完了"). */
    void nextRequested();
    /** "<　戻る": nothing recorded. */
    void backRequested();
    /** "ｷｬﾝｾﾙ", or the window closed by the user: nothing recorded. */
    void cancelRequested();

protected:
    /** Wires the common buttons; `next` is the page's own handler of Command1. */
    void connectNavigation(QPushButton* next, QPushButton* back, QPushButton* cancel, QPushButton* help);
    virtual void goNext() = 0;

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int m_helpTopic;
    QPushButton* m_defaultButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_dismissed = false;
};

} // namespace harukaze
