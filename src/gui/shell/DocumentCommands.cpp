// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's document commands: new, open, close, save, change settings and exit.
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/common/SaveAs.h"
#include "gui/help/Help.h"
#include "gui/shell/RecentFiles.h"
#include "gui/shell/frmMain.h"
#include "gui/table/Form1.h"
#include "gui/wizard/Form2.h"
#include "gui/wizard/SetupWizard.h"

#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>

namespace harukaze {

namespace {

const QString s_mainCaption = QStringLiteral("ハルカゼ");
const QString s_planFilter = QStringLiteral("HARUKAZE (*.HRZ *.hrz)");

} // namespace

QString frmMain::unsavedQuestion()
{
    return QStringLiteral("「データ保存」されていません。");
}

bool frmMain::confirmDiscard(const QString& incoming)
{
    // While the settings editor is up its table window is closed, but the plan is still the one
    // being worked on.
    const bool planShown = m_table || m_settingsEditor;
    if (!planShown || PlanSession::instance().isSaved())
        return true;
    QString question = unsavedQuestion();
    if (!incoming.isEmpty())
        question += QStringLiteral("\n開くファイル: ") + QDir::toNativeSeparators(incoming);
    return MessageBox::okCancelWarning(this, question) == QMessageBox::Ok;
}

void frmMain::discardTableWindow()
{
    if (!m_table)
        return;
    m_table->closeByCommand();
    m_table = nullptr;
    m_windowClosed = true;
}

TableWindow* frmMain::showCurrentDocument(TableKind kind)
{
    // One table window at a time: one left open here could no longer be reached by the close command.
    discardTableWindow();
    auto* window = new TableWindow(
        &PlanSession::instance().document(), kind == TableKind::Form100 ? PlanWindow::Form100 : PlanWindow::Form200);
    connect(window, &TableWindow::closeRequested, this, &frmMain::closeCommand);
    window->showAttention(m_attentionShown->isChecked());
    m_table = window;
    showChildWindow(window);
    // A cash-flow window left open over a settings change shows the changed plan.
    refreshCashFlow();
    updateActions();
    return window;
}

TableWindow* frmMain::openTableWindow(TableKind kind)
{
    PlanDocument& document = PlanSession::instance().document();
    document.setOrigin(kind == TableKind::Form100 ? PlanDocument::Origin::Wizard : PlanDocument::Origin::File);
    // A new build: this year, the table font's face and size.
    document.rebuild(true);
    document.setSaved(false);
    return showCurrentDocument(kind);
}

void frmMain::newCommand()
{
    // An opened plan whose window was closed is let go: the settings editor would otherwise offer
    // it again after the wizard. A wizard-made plan stays for データ保存 until another takes its place.
    PlanDocument& current = PlanSession::instance().document();
    if (current.origin() == PlanDocument::Origin::File)
        current.reset();
    setWindowTitle(s_mainCaption + QStringLiteral(" - [新規作成]"));
    if (m_wizard)
        m_wizard->deleteLater();
    auto* wizard = new SetupWizard(this, this);
    m_wizard = wizard;
    connect(wizard, &SetupWizard::cancelled, this, &frmMain::wizardCancelled);
    connect(wizard, &SetupWizard::finished, this, &frmMain::wizardFinished);
    wizard->start();
    updateActions();
}

void frmMain::wizardCancelled()
{
    setWindowTitle(s_mainCaption);
    updateActions();
}

void frmMain::wizardFinished()
{
    // The plan the pages filled becomes the current one only now.
    PlanSession::instance().document().assign(m_wizard->document().plan(), QString(), PlanDocument::Origin::Wizard);
    openTableWindow(TableKind::Form100);
}

void frmMain::openCommand()
{
    // Nothing changes until a file is chosen: a cancelled dialog leaves the plan as it was.
    const QString path
        = FileDialog::getOpenFileName(this, QStringLiteral("ファイル名を開く"), s_planFilter, QStringLiteral("HRZ"));
    if (path.isEmpty())
        return;
    openPlanFile(path);
}

bool frmMain::openPlanFile(const QString& path)
{
    PlanSession& session = PlanSession::instance();
    std::string error;
    // The incoming plan is read first: a file that cannot be read changes nothing shown.
    QString cut;
    const std::optional<FamilyPlan> plan = PlanDocument::read(path, &error, &cut);
    if (!plan) {
        MessageBox::warning(this, openFailedText(path, error));
        m_recent->remove(path);
        // A plan only held after its window closed is let go, so no command offers it any more.
        if (!m_table && !m_settingsEditor)
            session.document().reset();
        updateActions();
        return false;
    }
    if (!confirmDiscard(path))
        return false;
    if (m_demo)
        closeDemo();
    discardTableWindow();
    closeCashFlow();
    session.document().assign(*plan, path, PlanDocument::Origin::File);
    session.document().setSaved(true);
    session.document().setMoneySectionCut(cut);
    setWindowTitle(s_mainCaption);
    showCurrentDocument(TableKind::Form200);
    m_recent->add(path);
    if (!cut.isEmpty())
        MessageBox::warning(this, moneySectionCutWarning(path, cut));
    return true;
}

bool frmMain::closeCommand()
{
    if (m_demo) {
        closeDemo();
        return true;
    }
    if (!m_table)
        return true;
    if (!confirmDiscard())
        return false;
    discardTableWindow();
    closeCashFlow();
    setWindowTitle(s_mainCaption);
    updateActions();
    return true;
}

void frmMain::closeCommandFromMenu()
{
    closeCommand();
}

void frmMain::closeDemo()
{
    closeCashFlow();
    if (m_demo)
        m_demo->closeByCommand();
    m_demo = nullptr;
    m_windowClosed = true;
    setWindowTitle(s_mainCaption);
    updateActions();
}

void frmMain::saveCommand()
{
    PlanDocument& document = PlanSession::instance().document();
    SaveRequest request;
    request.title = QStringLiteral("ファイル名を付けて保存");
    request.filter = s_planFilter;
    request.suffix = QStringLiteral("HRZ");
    request.suggested = document.fileName();
    request.ownFile = document.fileName();
    request.ask = SaveRequest::Ask::AnyExistingFile;
    // A plan opened without part of its money section would lose that part: the user decides.
    request.confirm = [this, &document] {
        return document.moneySectionCut().isEmpty()
            || MessageBox::okCancelWarning(this, moneySectionCutQuestion(document.moneySectionCut()))
            == QMessageBox::Ok;
    };
    const QString path = saveAs(this, request, [&document](const QString& target, QString* reason) {
        std::string error;
        const bool saved = document.save(target, &error);
        *reason = QString::fromStdString(error);
        return saved;
    });
    if (path.isEmpty())
        return;
    m_recent->add(path);
    // The table windows follow the plan's new file name themselves; a saved new plan is no longer
    // "[新規作成]".
    if (m_table && m_table->kind() == PlanWindow::Form100)
        setWindowTitle(s_mainCaption);
}

void frmMain::changeSettingsCommand()
{
    // One editor at a time: asking again brings the open one forward.
    if (m_settingsEditor) {
        m_settingsEditor->raise();
        m_settingsEditor->activateWindow();
        return;
    }
    // The editor changes the plan of the open table window and shows it anew in Form200.
    m_editorReplacedTable = m_table != nullptr;
    discardTableWindow();
    auto* editor = new Form2(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    m_settingsEditor = editor;
    connect(editor, &QDialog::finished, this, [this] {
        m_settingsEditor = nullptr;
        openTableWindow(TableKind::Form200);
    });
    editor->show();
    updateActions();
}

void frmMain::exitCommand()
{
    if (!confirmDiscard())
        return;
    HOZON();
    m_exiting = true;
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Exit has asked already; closing through the frame asks here and stores no placement.
    if (!m_exiting && !confirmDiscard()) {
        event->ignore();
        return;
    }
    m_exiting = false;
    // The help viewer, the settings editor and a wizard page are windows of their own; left open
    // they would keep the program running without its main window.
    Help::close();
    if (m_settingsEditor) {
        m_settingsEditor->disconnect(this);
        m_settingsEditor->close();
    }
    if (auto* wizard = setupWizard()) {
        if (QWidget* page = wizard->currentPage())
            page->close();
    }
    event->accept();
    QMainWindow::closeEvent(event);
}

} // namespace harukaze
