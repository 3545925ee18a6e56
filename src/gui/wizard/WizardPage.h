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
    void closeEvent(QCloseEvent* event) override;

private:
    int m_helpTopic;
    bool m_dismissed = false;
};

} // namespace harukaze
