// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

namespace harukaze {

struct FamilyPlan;
class PlanDocument;
class WizardPage;

/**
 * The navigator of the six setup pages Form18 (1/6) .. Form21 (6/6). Only one page exists at a
 * time; it is created when it is shown and destroyed when it is left. The pages fill themselves
 * from the wizard's own document (a reset record at start()) and record their own section there,
 * so nothing reads a half-filled plan as the user's; the navigator decides which page follows,
 * forwards by the family range (ST1) and backwards by the recorded flags, and clears the recorded
 * flags of the sections a forward step skips.
 *
 * On 完了 the caller takes the document's plan as its current one. Pages are parented to the main
 * window, as windows of their own at the top left of the screen.
 */
class SetupWizard : public QObject
{
    Q_OBJECT

public:
    enum class Page {
        Form18,
        Form19,
        Form20,
        Form191,
        Form192,
        Form21,
    };

    explicit SetupWizard(QWidget* mainWindow, QObject* parent = nullptr);
    ~SetupWizard() override;

    /**
     * Shows page 1/6 without waiting; a page still open is closed first. The wizard's plan starts
     * reset and keeps what its pages recorded when the wizard is started again.
     */
    void start();

    /** The plan the pages fill. */
    PlanDocument& document() { return *m_document; }

    /** The page on screen, or nullptr once the wizard has ended (or before start()). */
    QWidget* currentPage() const;

    /**
     * The page after `from` going forwards, as the record left by the page's recorder decides; from
     * Form19 it also clears the recorded flags of the children and parents sections it skips.
     */
    static Page nextPage(Page from, FamilyPlan& plan);

    /** The page "<　戻る" leads to from `from`: the last page whose section was recorded. */
    static Page previousPage(Page from, const FamilyPlan& plan);

signals:
    /** "ｷｬﾝｾﾙ" on any page: the main window enables New and Open again. */
    void cancelled();
    /** "完了" on page 6/6: the main window opens the table window of the new plan. */
    void finished();

private:
    void showPage(Page page);
    void closePage();
    void goNext();
    void goBack();
    void cancel();

    QWidget* m_mainWindow;
    PlanDocument* m_document;
    QPointer<WizardPage> m_page;
    Page m_current = Page::Form18;
};

} // namespace harukaze
