// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/shell/CommandTable.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <string>

class QActionGroup;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace harukaze {

class CashFlowWindow;
class LoanScheduleWindow;
class PlanComparisonWindow;
class TableOutput;
class InstanceServer;
class PlanDocument;
class RecentFiles;
class TableWindow;
class Form1;
class SetupWizard;

/**
 * The main window: an MDI area for the opening demo, the table window and the windows beside it
 * (cash flow), the menu bar, the toolbar `Toolbar1` and the commands. The current plan document
 * belongs to the plan session; the windows shown belong here. Which commands are available follows
 * from that state alone (commandState(), available()): updateActions() applies it after every
 * change, to the one action of each command that its menu item and toolbar button share.
 *
 * The commands live in three rooms: this file (window, menus, toolbar, availability, the windows
 * beside the table), DocumentCommands.cpp (new, open, save, close, exit, settings) and
 * OutputCommands.cpp (CSV, print, preview, PDF, workbook, cash-flow CSV).
 */
class frmMain : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY(frmMain)

public:
    using Command = harukaze::Command;

    enum class TableKind {
        Form100, ///< a plan made with the setup wizard
        Form200 ///< a plan opened from a file or changed in the settings editor
    };

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    /**
     * The main window's load: placement, table font and demo setting from the settings store, the
     * start-up clearing of the plan's children, then the demo or nothing.
     * `allowDemo` false (a start with a plan file) skips the demo this once, whatever the setting.
     */
    void load(bool allowDemo = true);

    /** True when no setup wizard page and no settings editor is up, so a plan file may be opened. */
    bool isFreeToOpen() const;
    /**
     * Takes plan files from a second launch (through `server`) and from drops on this window, and
     * opens each as openPlanFile() does once the program is free (isFreeToOpen(), no modal dialog).
     */
    void acceptPlansFrom(InstanceServer& server);
    /** The recently used plan files behind the File menu's "最近使ったファイル(&R)". */
    RecentFiles* recentFiles() const { return m_recent; }

    /** What the commands' availability depends on, as it is now. */
    CommandState commandState() const;
    /** Enables each command as available() says for commandState(). */
    void updateActions();
    bool isCommandEnabled(Command command) const;
    /** The action of a command (its menu item). */
    QAction* action(Command command) const;
    /** The same action where the toolbar has a button for the command, else nullptr. */
    QAction* toolbarAction(Command command) const;
    QToolBar* toolbar() const { return m_toolbar; }
    QMdiArea* mdiArea() const { return m_mdiArea; }

    /** The open table window (Form100 or Form200), or nullptr. */
    TableWindow* tableWindow() const;
    /** The opening demo window, or nullptr. */
    Form1* demoWindow() const;
    /**
     * Shows the current document, just made or changed, in a table window of `kind` in place of
     * any open one: the plan is then unsaved.
     */
    TableWindow* openTableWindow(TableKind kind);
    /** The setup wizard of the last New command, or nullptr. */
    SetupWizard* setupWizard() const;
    /** The settings editor while it is open. */
    QDialog* settingsEditor() const { return m_settingsEditor; }

    /** Runs the toolbar button whose key is `key` ("exit", "new", ...); unknown keys do nothing. */
    void dispatchToolbarKey(const QString& key);

    // The commands, as the menu items and toolbar buttons run them.
    void newCommand();
    void openCommand();
    /**
     * Opens a plan file as the Open command does once its dialog has named the file. The file is
     * read first: one that cannot be read is reported and changes nothing shown (a plan only held
     * after its window closed is let go) and gives false. Otherwise an open demo or table window is
     * closed first as the Close command does, asking about an unsaved plan with the incoming file
     * named (false when the user keeps it).
     */
    bool openPlanFile(const QString& path);
    /** Returns false when the user kept an unsaved table open. */
    bool closeCommand();
    void saveCommand();
    void csvCommand();
    void changeSettingsCommand();
    void fontCommand();
    void previewCommand();
    void printCommand();
    void pdfCommand();
    void xlsxCommand();
    /** 家計設定(&M)...: the household money settings of the plan in the open table window. */
    void moneySettingsCommand();
    /**
     * キャッシュフロー表(&T): the cash-flow window of the plan shown (the demo's sample too); when it
     * is already in front, the table window comes forward instead.
     */
    void cashFlowCommand();
    void loanScheduleCommand();
    /** キャッシュフロー表のCSV保存: the cash-flow table of the plan shown as CSV. */
    void cashFlowCsvCommand();
    /** The cash-flow window while it is open. */
    CashFlowWindow* cashFlowWindow() const;
    /** プランの比較(&B)...: the plan shown beside up to three plan files, in a comparison window. */
    void compareCommand();
    /** The comparison window while it is open. */
    PlanComparisonWindow* comparisonWindow() const;
    /** Compares the plan shown anew in the comparison window, if one is open. */
    void refreshComparison();
    /** "注意マークを表示(&A)": shows or hides the attention marks of every open table and remembers it. */
    void setAttentionShown(bool shown);
    /** "注意が必要な年(&L)...": the attention marks of the table shown, with what they mean. */
    void attentionListCommand();
    void exitCommand();
    void setDemoView(int item);

    /** HOZON: stores the placement unless minimized, and closes the help viewer. */
    void HOZON();

    /**
     * Placement from the settings store: numbers no window can have give the defaults, and the
     * window is brought wholly onto the screen and made no larger than it.
     */
    void restorePlacement();

    /** The window whose table the print and export commands take: the open table, else the demo. */
    TableWindow* shownTable() const;
    /** The document of that window, or nullptr. */
    PlanDocument* shownDocument() const;
    /** The cash-flow window is the active child window: print, preview and PDF take its table. */
    bool cashFlowIsActive() const;

    /** The text shown when an unsaved table is about to be discarded. */
    static QString unsavedQuestion();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void closeCommandFromMenu();
    void createActions();
    void createMenus();
    void createWindowMenu();
    void createToolbar();
    void addToolbarButton(Command command, const QString& key, const QString& toolTip);
    void openDemo();
    void closeDemo();
    /** Shows the current document in a table window of `kind`, in place of any open one. */
    TableWindow* showCurrentDocument(TableKind kind);
    /** The one way a table window goes: the window closed; no question asked. */
    void discardTableWindow();
    /** Shows the shown document's cash flow anew in the cash-flow window, if one is open. */
    void refreshCashFlow();
    void refreshCashFlowAndComparison();
    void closeCashFlow();
    /** Lists the open child windows in the ウィンドウ menu, the active one checked. */
    void fillWindowMenu();
    /** The pages print, preview and PDF make: the cash-flow window's when it is active, else the table's. */
    TableOutput activeOutput() const;
    /** The shown table's pages, with its attention marks when they are shown. */
    TableOutput lifeCycleOutput(const TableWindow& window) const;
    /**
     * The save dialog of an export: `title`, the plan's name with `suffix` suggested. An existing
     * file other than the plan's own is replaced only when the user says so. "" = nothing chosen.
     */
    QString askExportName(const QString& title, const QString& filter, const QString& suffix);
    /** Asks for a name (askExportName()), writes with `write`, reports a failure. */
    bool exportTo(const QString& title,
        const QString& filter,
        const QString& suffix,
        const std::function<bool(const QString& path, std::string* error)>& write);
    void showChildWindow(QMdiSubWindow* window);
    void fitChildWindow(QMdiSubWindow* window);
    /**
     * Asks the close question when a table window or the settings editor holds an unsaved plan;
     * false = the user cancelled. `incoming` names the file about to be opened in a second line.
     */
    bool confirmDiscard(const QString& incoming = QString());
    void wizardCancelled();
    void wizardFinished();

    QMdiArea* m_mdiArea;
    QToolBar* m_toolbar = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_cascade = nullptr;
    QAction* m_tile = nullptr;
    std::map<Command, QAction*> m_actions;
    std::map<Command, QAction*> m_toolbarActions;
    QActionGroup* m_demoGroup = nullptr;
    QAction* m_demoShow = nullptr;
    QAction* m_demoHide = nullptr;
    QAction* m_attentionShown = nullptr;
    RecentFiles* m_recent = nullptr;
    QPointer<CashFlowWindow> m_cashFlow;
    QPointer<LoanScheduleWindow> m_loanSchedule;
    QPointer<PlanComparisonWindow> m_comparison;
    QPointer<TableWindow> m_table;
    QPointer<Form1> m_demo;
    QPointer<QDialog> m_settingsEditor;
    QPointer<SetupWizard> m_wizard;
    /** The settings editor took the place of an open table window. */
    bool m_editorReplacedTable = false;
    /** A table window or the demo was closed since the load. */
    bool m_windowClosed = false;
    bool m_exiting = false;
    bool m_firstShow = true;
};

} // namespace harukaze
