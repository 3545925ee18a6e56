// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/frmMain.h"

#include "core/money/CashFlow.h"
#include "core/table/TableShape.h"
#include "gui/common/BusyPointer.h"
#include "gui/common/FileDialog.h"
#include "gui/common/FileMessages.h"
#include "gui/common/FontDialog.h"
#include "gui/common/MessageBox.h"
#include "gui/common/PlanSession.h"
#include "gui/help/Help.h"
#include "gui/money/CashFlowOutput.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/LoanScheduleWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/money/PlanComparisonDialog.h"
#include "gui/money/PlanComparisonWindow.h"
#include "gui/shell/AppSettings.h"
#include "gui/shell/InstanceServer.h"
#include "gui/shell/PlanDropHandler.h"
#include "gui/shell/RecentFiles.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmAbout.h"
#include "gui/table/AttentionDialog.h"
#include "gui/table/Form1.h"
#include "gui/table/Form100.h"
#include "gui/table/Form200.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/table/TableOutput.h"
#include "gui/wizard/Form2.h"
#include "gui/wizard/SetupWizard.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace harukaze {

namespace {

const QString s_mainCaption = QStringLiteral("ハルカゼ");
const QString s_tableCaption = QStringLiteral("ライフサイクル表 - ");

double screenDpi(const QWidget* widget)
{
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
    , m_mdiArea(new QMdiArea(this))
    , m_recent(new RecentFiles(this))
{
    Startup::initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(s_mainCaption);
    setWindowIcon(QIcon(QStringLiteral(":/icons/harukaze.png")));
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    createActions();
    createMenus();
    createToolbar();
    // A comparison follows the plan shown when it is saved (its name and figures).
    PlanSession& session = PlanSession::instance();
    connect(&session, &PlanSession::fileNameChanged, this, &frmMain::refreshComparison);
    connect(&session, &PlanSession::savedChanged, this, &frmMain::refreshComparison);
}

frmMain::~frmMain() = default;

QAction* frmMain::action(Command command) const
{
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction* frmMain::toolbarAction(Command command) const
{
    const auto it = m_toolbarActions.find(command);
    return it == m_toolbarActions.end() ? nullptr : it->second;
}

void frmMain::setCommandEnabled(Command command, bool enabled)
{
    // Exit stays available whatever the other commands do.
    if (command == Command::Exit)
        enabled = true;
    if (QAction* item = action(command))
        item->setEnabled(enabled);
    if (QAction* button = toolbarAction(command))
        button->setEnabled(enabled);
}

void frmMain::applyCommandEvent(CommandEvent event)
{
    const CommandRule& rule = commandRule(event);
    for (size_t i = 0; i < CommandCount; ++i) {
        const Availability availability = rule.commands[i];
        if (availability != Availability::Same)
            setCommandEnabled(static_cast<Command>(i), availability == Availability::On);
    }
}

bool frmMain::isCommandEnabled(Command command) const
{
    const QAction* item = action(command);
    return item && item->isEnabled();
}

void frmMain::createActions()
{
    auto make =
        [this](
            Command command, const QString& name, const QString& text, QKeySequence shortcut, void (frmMain::*slot)()) {
            auto* item = new QAction(text, this);
            item->setObjectName(name);
            if (!shortcut.isEmpty())
                item->setShortcut(shortcut);
            connect(item, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
            m_actions[command] = item;
            return item;
        };
    make(Command::New,
        QStringLiteral("File_New_MN"),
        QStringLiteral("新規作成(&N)"),
        QKeySequence::New,
        &frmMain::newCommand);
    make(Command::Open,
        QStringLiteral("File_Open"),
        QStringLiteral("開く(&O)"),
        QKeySequence::Open,
        &frmMain::openCommand);
    make(Command::Close,
        QStringLiteral("File_Close"),
        QStringLiteral("閉じる(&C)"),
        QKeySequence(Qt::CTRL | Qt::Key_W),
        &frmMain::closeCommandFromMenu);
    make(Command::Csv,
        QStringLiteral("File_CSV"),
        QStringLiteral("表のCSV形式保存(&E)"),
        QKeySequence(),
        &frmMain::csvCommand);
    make(Command::Save,
        QStringLiteral("File_Data"),
        QStringLiteral("データ保存(&S)"),
        QKeySequence(Qt::CTRL | Qt::Key_S),
        &frmMain::saveCommand);
    make(Command::Exit,
        QStringLiteral("File_Exit"),
        QStringLiteral("終了(&X)"),
        QKeySequence(Qt::CTRL | Qt::Key_Q),
        &frmMain::exitCommand);
    make(Command::ChangeSettings,
        QStringLiteral("Chng_MN"),
        QStringLiteral("家族設定内容の変更(&C)"),
        QKeySequence(),
        &frmMain::changeSettingsCommand);
    make(Command::Font,
        QStringLiteral("Font_MN"),
        QStringLiteral("フォント(&F)"),
        QKeySequence(),
        &frmMain::fontCommand);

    make(Command::Preview,
        QStringLiteral("File_PrintPreview"),
        QStringLiteral("印刷プレビュー(&V)"),
        QKeySequence(),
        &frmMain::previewCommand);
    make(Command::Print,
        QStringLiteral("File_Print"),
        QStringLiteral("印刷(&P)..."),
        QKeySequence::Print,
        &frmMain::printCommand);
    make(Command::Pdf,
        QStringLiteral("File_PDF"),
        QStringLiteral("PDF形式で保存(&D)..."),
        QKeySequence(),
        &frmMain::pdfCommand);
    make(Command::Xlsx,
        QStringLiteral("File_Excel"),
        QStringLiteral("Excel形式で保存(&L)..."),
        QKeySequence(),
        &frmMain::xlsxCommand);
    make(Command::MoneySettings,
        QStringLiteral("Money_MN"),
        QStringLiteral("家計設定(&M)..."),
        QKeySequence(),
        &frmMain::moneySettingsCommand);
    make(Command::CashFlow,
        QStringLiteral("CashFlow_MN"),
        QStringLiteral("キャッシュフロー表(&T)"),
        QKeySequence(),
        &frmMain::cashFlowCommand);
    make(Command::CashFlowCsv,
        QStringLiteral("File_CashFlowCSV"),
        QStringLiteral("キャッシュフロー表のCSV保存(&K)..."),
        QKeySequence(),
        &frmMain::cashFlowCsvCommand);
    make(Command::Compare,
        QStringLiteral("Compare_MN"),
        QStringLiteral("プランの比較(&B)..."),
        QKeySequence(),
        &frmMain::compareCommand);
    make(Command::AttentionList,
        QStringLiteral("Attention_List_MN"),
        QStringLiteral("注意が必要な年(&L)..."),
        QKeySequence(),
        &frmMain::attentionListCommand);
    m_attentionShown = new QAction(QStringLiteral("注意マークを表示(&A)"), this);
    m_attentionShown->setObjectName(QStringLiteral("Attention_Show_MN"));
    m_attentionShown->setCheckable(true);
    m_attentionShown->setChecked(AppSettings().attentionMarksShown());
    connect(m_attentionShown, &QAction::toggled, this, &frmMain::setAttentionShown);

    m_demoGroup = new QActionGroup(this);
    m_demoGroup->setObjectName(QStringLiteral("VEIW_DEMO"));
    m_demoGroup->setExclusive(true);
    m_demoShow = new QAction(QStringLiteral("表示(&T)"), m_demoGroup);
    m_demoShow->setObjectName(QStringLiteral("VEIW_DEMO_0"));
    m_demoShow->setCheckable(true);
    m_demoHide = new QAction(QStringLiteral("非表示(&F)"), m_demoGroup);
    m_demoHide->setObjectName(QStringLiteral("VEIW_DEMO_1"));
    m_demoHide->setCheckable(true);
    connect(m_demoShow, &QAction::triggered, this, [this] { setDemoView(0); });
    connect(m_demoHide, &QAction::triggered, this, [this] { setDemoView(1); });
}

void frmMain::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("File_MN"));
    file->addAction(action(Command::New));
    file->addAction(action(Command::Open));
    QMenu* recent = m_recent->createMenu(this);
    file->addMenu(recent);
    // The list opens plans as Open does, so it is there exactly when Open is.
    RecentFiles::followEnabled(recent, action(Command::Open));
    connect(m_recent, &RecentFiles::fileChosen, this, &frmMain::openPlanFile);
    file->addAction(action(Command::Close));
    file->addSeparator();
    file->addAction(action(Command::Csv));
    file->addAction(action(Command::Save));
    file->addSeparator();
    file->addAction(action(Command::Preview));
    file->addAction(action(Command::Print));
    file->addAction(action(Command::Pdf));
    file->addAction(action(Command::Xlsx));
    file->addAction(action(Command::CashFlowCsv));
    file->addSeparator();
    file->addAction(action(Command::Exit));

    QMenu* settings = bar->addMenu(QStringLiteral("設定(&S)"));
    settings->setObjectName(QStringLiteral("Set_MN"));
    settings->addAction(action(Command::ChangeSettings));
    settings->addSeparator();
    settings->addAction(action(Command::MoneySettings));
    settings->addAction(action(Command::CashFlow));
    settings->addAction(action(Command::Compare));
    settings->addSeparator();
    settings->addAction(action(Command::Font));
    settings->addSeparator();
    settings->addAction(m_attentionShown);
    settings->addAction(action(Command::AttentionList));
    settings->addSeparator();
    QMenu* demo = settings->addMenu(QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ・ﾃﾞﾓ表示／非表示(&V)"));
    demo->setObjectName(QStringLiteral("DEMO_MN"));
    demo->addAction(m_demoShow);
    demo->addAction(m_demoHide);

    QMenu* help = bar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* contents = help->addAction(QStringLiteral("ヘルプ目次(&C)"));
    contents->setObjectName(QStringLiteral("mnuHelpContents"));
    contents->setShortcut(QKeySequence::HelpContents);
    connect(contents, &QAction::triggered, this, [this] { Help::showContents(this); });
    QAction* search = help->addAction(QStringLiteral("ヘルプトピックの検索(&S)"));
    search->setObjectName(QStringLiteral("mnuHelpSearch"));
    connect(search, &QAction::triggered, this, [this] { Help::showSearch(this); });
    help->addSeparator();
    QAction* about = help->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
    about->setObjectName(QStringLiteral("mnuHelpAbout"));
    connect(about, &QAction::triggered, this, [this] {
        frmAbout box(this);
        box.exec();
    });
}

QAction* frmMain::addToolbarButton(
    Command command, const QString& key, const QString& toolTip, const QString& icon, const QString& themeIcon)
{
    QAction* button
        = m_toolbar->addAction(QIcon::fromTheme(themeIcon, QIcon(QStringLiteral(":/icons/") + icon)), toolTip);
    button->setObjectName(QStringLiteral("Toolbar1_") + key);
    button->setData(key);
    button->setToolTip(toolTip);
    m_toolbarActions[command] = button;
    return button;
}

void frmMain::createToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->toggleViewAction()->setEnabled(false);
    addToolbarButton(Command::Exit,
        QStringLiteral("exit"),
        QStringLiteral("終了"),
        QStringLiteral("exit.png"),
        QStringLiteral("application-exit"));
    m_toolbar->addSeparator();
    addToolbarButton(Command::New,
        QStringLiteral("new"),
        QStringLiteral("新規作成"),
        QStringLiteral("new.png"),
        QStringLiteral("document-new"));
    m_toolbar->addSeparator();
    addToolbarButton(Command::Open,
        QStringLiteral("open"),
        QStringLiteral("開く"),
        QStringLiteral("open.png"),
        QStringLiteral("document-open"));
    addToolbarButton(Command::Close,
        QStringLiteral("close"),
        QStringLiteral("閉じる"),
        QStringLiteral("close.png"),
        QStringLiteral("document-close"));
    m_toolbar->addSeparator();
    addToolbarButton(Command::Save,
        QStringLiteral("save"),
        QStringLiteral("データ保存"),
        QStringLiteral("save.png"),
        QStringLiteral("document-save"));
    addToolbarButton(Command::Csv,
        QStringLiteral("csv_save"),
        QStringLiteral("ＣＳＶ保存"),
        QStringLiteral("csv_save.png"),
        QStringLiteral("x-office-spreadsheet"));
    addToolbarButton(Command::Print,
        QStringLiteral("print"),
        QStringLiteral("印刷"),
        QStringLiteral("print.png"),
        QStringLiteral("document-print"));
    addToolbarButton(Command::CashFlow,
        QStringLiteral("cashflow"),
        QStringLiteral("キャッシュフロー表"),
        QStringLiteral("cashflow.png"),
        QStringLiteral("office-chart-bar"));
    m_toolbar->addSeparator();
    m_toolbar->addSeparator();
    addToolbarButton(Command::ChangeSettings,
        QStringLiteral("casta"),
        QStringLiteral("内容変更"),
        QStringLiteral("casta.png"),
        QStringLiteral("document-properties"));
    addToolbarButton(Command::Font,
        QStringLiteral("font"),
        QStringLiteral("フォント"),
        QStringLiteral("font.png"),
        QStringLiteral("preferences-desktop-font"));
    connect(m_toolbar, &QToolBar::actionTriggered, this, [this](QAction* button) {
        dispatchToolbarKey(button->data().toString());
    });
}

void frmMain::dispatchToolbarKey(const QString& key)
{
    // The keys of Toolbar1's buttons and the commands they run.
    static const std::pair<QLatin1String, void (frmMain::*)()> s_keys[] = {
        { QLatin1String("exit"), &frmMain::exitCommand },
        { QLatin1String("new"), &frmMain::newCommand },
        { QLatin1String("open"), &frmMain::openCommand },
        { QLatin1String("close"), &frmMain::closeCommandFromMenu },
        { QLatin1String("save"), &frmMain::saveCommand },
        { QLatin1String("csv_save"), &frmMain::csvCommand },
        { QLatin1String("casta"), &frmMain::changeSettingsCommand },
        { QLatin1String("font"), &frmMain::fontCommand },
        { QLatin1String("print"), &frmMain::printCommand },
        { QLatin1String("cashflow"), &frmMain::cashFlowCommand },
    };
    for (const auto& [name, command] : s_keys) {
        if (key == name) {
            (this->*command)();
            return;
        }
    }
}

void frmMain::restorePlacement()
{
    // Numbers that are no placement give the defaults, and the window comes onto a screen.
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    const QRect geometry = AppSettings::restoredGeometry(
        AppSettings().placement(), screenDpi(this), AppSettings::frameMargins(this), areas);
    move(geometry.topLeft());
    resize(geometry.size());
}

void frmMain::load(bool allowDemo)
{
    restorePlacement();

    PlanSession& session = PlanSession::instance();
    AppSettings settings;
    ProcessState stored;
    settings.readFont(stored);
    session.setTableFont(stored.FONT_NAME, stored.FONT_SIZE, stored.FONT_BOLD == "True", stored.FONT_ITALIC == "True");
    session.setDemoView(static_cast<int16_t>(std::clamp(settings.demoView(), -32768, 32767)));
    session.clearAtStartup();

    const bool demo = session.state().DEMO_VIEW == 1;
    (demo ? m_demoShow : m_demoHide)->setChecked(true);
    if (demo && allowDemo) {
        openDemo();
        applyCommandEvent(CommandEvent::StartedWithDemo);
    } else {
        applyCommandEvent(CommandEvent::StartedWithoutDemo);
    }
}

bool frmMain::isFreeToOpen() const
{
    const SetupWizard* wizard = setupWizard();
    if (wizard && wizard->currentPage())
        return false;
    return !(m_settingsEditor && m_settingsEditor->isVisible());
}

void frmMain::acceptPlansFrom(InstanceServer& server)
{
    server.setWindow(this);
    server.setReadyCheck([this] { return isFreeToOpen(); });
    connect(&server, &InstanceServer::openRequested, this, &frmMain::openPlanFile);

    auto* drops = new PlanDropHandler(this);
    drops->setAcceptCheck([this] { return isFreeToOpen(); });
    connect(drops, &PlanDropHandler::planDropped, this, [this](const QString& path) {
        // The program may have become busy between the drop and now.
        if (isFreeToOpen())
            openPlanFile(path);
    });
}

void frmMain::showChildWindow(QMdiSubWindow* window)
{
    m_mdiArea->addSubWindow(window);
    fitChildWindow(window);
    window->show();
}

void frmMain::fitChildWindow(QMdiSubWindow* window)
{
    // A new child fills the MDI area, so the table is seen as large as the main window allows.
    // Before the main window is first shown its layout is not final; showEvent() fits again.
    const QSize area = m_mdiArea->viewport()->size();
    if (area.width() > 200 && area.height() > 150)
        window->setGeometry(QRect(QPoint(0, 0), area));
    else
        window->resize(640, 480);
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_firstShow) {
        m_firstShow = false;
        for (QMdiSubWindow* window : m_mdiArea->subWindowList())
            fitChildWindow(window);
    }
}

void frmMain::openDemo()
{
    auto* demo = new Form1;
    connect(demo, &TableWindow::closeRequested, this, &frmMain::closeCommand);
    demo->showAttention(m_attentionShown->isChecked());
    demo->load();
    m_demo = demo;
    showChildWindow(demo);
}

void frmMain::discardTableWindow()
{
    if (!m_table)
        return;
    const PlanWindow kind = m_table->kind();
    m_table->closeByCommand();
    m_table = nullptr;
    PlanSession::instance().windowClosed(kind);
}

TableWindow* frmMain::openTableWindow(TableKind kind)
{
    // One table window at a time: one left open here could no longer be reached by the close command.
    discardTableWindow();
    TableWindow* window = nullptr;
    if (kind == TableKind::Form100)
        window = new Form100;
    else
        window = new Form200;
    connect(window, &TableWindow::closeRequested, this, &frmMain::closeCommand);
    m_table = window;
    window->showAttention(m_attentionShown->isChecked());
    window->load();
    applyCommandEvent(kind == TableKind::Form100 ? CommandEvent::Form100Loaded : CommandEvent::Form200Loaded);
    showChildWindow(window);
    // A cash-flow window left open over a settings change shows the changed plan.
    refreshCashFlow();
    return window;
}

TableWindow* frmMain::tableWindow() const
{
    return m_table;
}

SetupWizard* frmMain::setupWizard() const
{
    return qobject_cast<SetupWizard*>(m_wizard.data());
}

Form1* frmMain::demoWindow() const
{
    return m_demo;
}

void frmMain::setDemoView(int item)
{
    const int16_t view = item == 0 ? 1 : 0;
    (item == 0 ? m_demoShow : m_demoHide)->setChecked(true);
    PlanSession::instance().setDemoView(view);
    AppSettings settings;
    settings.setDemoView(view);
}

void frmMain::newCommand()
{
    PlanSession::instance().newPlan();
    setWindowTitle(s_mainCaption + QStringLiteral(" - [新規作成]"));
    if (m_wizard)
        m_wizard->deleteLater();
    auto* wizard = new SetupWizard(this, this);
    m_wizard = wizard;
    connect(wizard, &SetupWizard::cancelled, this, &frmMain::wizardCancelled);
    connect(wizard, &SetupWizard::finished, this, &frmMain::wizardFinished);
    wizard->start();
    applyCommandEvent(CommandEvent::WizardStarted);
}

void frmMain::wizardCancelled()
{
    setWindowTitle(s_mainCaption);
    applyCommandEvent(CommandEvent::WizardCancelled);
}

void frmMain::wizardFinished()
{
    openTableWindow(TableKind::Form100);
}

void frmMain::openCommand()
{
    // Nothing changes until a file is chosen: a cancelled dialog leaves the plan as it was.
    const QString path = FileDialog::getOpenFileName(
        this, QStringLiteral("ファイル名を開く"), QStringLiteral("HARUKAZE (*.HRZ *.hrz)"), QStringLiteral("HRZ"));
    if (path.isEmpty())
        return;
    openPlanFile(path);
}

bool frmMain::openPlanFile(const QString& path)
{
    if ((m_demo || m_table) && !closeCommand())
        return false;
    PlanSession& session = PlanSession::instance();
    // The plan is reset once a file is chosen, whether or not it can be read.
    session.newPlan();
    setWindowTitle(s_mainCaption);
    std::string error;
    if (!session.open(path, &error)) {
        // Nothing to show: a missing or unreadable file opens no table and leaves the plan reset.
        MessageBox::warning(this, openFailedText(path, error));
        m_recent->remove(path);
        return false;
    }
    openTableWindow(TableKind::Form200);
    session.markSaved();
    m_recent->add(path);
    if (!session.moneySectionCut().isEmpty())
        MessageBox::warning(this, moneySectionCutWarning(path, session.moneySectionCut()));
    return true;
}

bool frmMain::closeCommand()
{
    const PlanSession& session = PlanSession::instance();
    if (m_demo) {
        closeDemo();
        return true;
    }
    if (!m_table)
        return true;
    if (!session.isSaved() && MessageBox::okCancelWarning(this, unsavedQuestion()) != QMessageBox::Ok)
        return false;
    const PlanWindow kind = m_table->kind();
    discardTableWindow();
    closeCashFlow();
    applyCommandEvent(kind == PlanWindow::Form100 ? CommandEvent::Form100Closed : CommandEvent::Form200Closed);
    setWindowTitle(s_mainCaption);
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
    PlanSession::instance().windowClosed(PlanWindow::Demo);
    applyCommandEvent(CommandEvent::DemoClosed);
    setWindowTitle(s_mainCaption);
}

void frmMain::saveCommand()
{
    const QString path = FileDialog::getSaveFileName(this,
        QStringLiteral("ファイル名を付けて保存"),
        QStringLiteral("HARUKAZE (*.HRZ *.hrz)"),
        QStringLiteral("HRZ"));
    if (path.isEmpty())
        return;
    PlanSession& session = PlanSession::instance();
    if (!session.moneySectionCut().isEmpty()
        && MessageBox::okCancelWarning(this, moneySectionCutQuestion(session.moneySectionCut())) != QMessageBox::Ok)
        return;
    std::string error;
    if (!session.save(path, &error)) {
        MessageBox::warning(this, saveFailedText(path, error));
        return;
    }
    m_recent->add(path);
    // The table windows follow the plan's new file name themselves; a saved new plan is no longer
    // "[新規作成]".
    if (session.isOpen(PlanWindow::Form100))
        setWindowTitle(s_mainCaption);
}

void frmMain::csvCommand()
{
    const QString path = FileDialog::getSaveFileName(this,
        QStringLiteral("ファイル名を付けて保存"),
        QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV *.csv)"),
        QStringLiteral("CSV"));
    if (path.isEmpty())
        return;
    int rows = 0;
    int cols = 0;
    if (m_table) {
        rows = m_table->grid()->rows();
        cols = m_table->grid()->cols();
    }
    std::string error;
    if (!PlanSession::instance().exportCsv(path, rows, cols, &error))
        MessageBox::warning(this, saveFailedText(path, error));
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
    discardTableWindow();
    applyCommandEvent(CommandEvent::SettingsEditorOpened);
    auto* editor = new Form2(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    m_settingsEditor = editor;
    connect(editor, &QDialog::finished, this, [this] { openTableWindow(TableKind::Form200); });
    editor->show();
}

void frmMain::fontCommand()
{
    PlanSession& session = PlanSession::instance();
    const ProcessState& state = session.state();
    QFont initial(QString::fromStdString(state.FONT_NAME));
    bool ok = false;
    const double size = QString::fromStdString(state.FONT_SIZE).toDouble(&ok);
    initial.setPointSizeF(ok && size > 0 ? size : TABLE_FONT_POINTS);
    initial.setBold(state.FONT_BOLD == "True");
    initial.setItalic(state.FONT_ITALIC == "True");

    const std::optional<QFont> chosen = FontDialog::getFont(this, initial);
    if (!chosen)
        return;

    QFont font = *chosen;
    if (font.pointSizeF() <= 0)
        font.setPointSizeF(initial.pointSizeF());
    session.setTableFont(
        font.family().toStdString(), QString::number(font.pointSizeF()).toStdString(), font.bold(), font.italic());

    if (m_table)
        m_table->applyTableFont(font);
    if (m_demo)
        m_demo->applyTableFont(font);

    AppSettings settings;
    settings.writeFont(state);
}

void frmMain::setAttentionShown(bool shown)
{
    for (TableWindow* window : { static_cast<TableWindow*>(m_demo.data()), m_table.data() }) {
        if (window)
            window->showAttention(shown);
    }
    AppSettings settings;
    settings.setAttentionMarksShown(shown);
    settings.sync();
}

void frmMain::attentionListCommand()
{
    const TableWindow* window = m_table ? m_table.data() : static_cast<TableWindow*>(m_demo.data());
    if (!window)
        return;
    AttentionDialog dialog(window->attention().markers(), this);
    dialog.exec();
}

CashFlowWindow* frmMain::cashFlowWindow() const
{
    return m_cashFlow;
}

void frmMain::refreshCashFlow()
{
    if (m_cashFlow) {
        const PlanSession& session = PlanSession::instance();
        m_cashFlow->rebuild(session.plan(), session.tableContext());
    }
    if (m_loanSchedule) {
        const PlanSession& session = PlanSession::instance();
        m_loanSchedule->rebuild(session.plan(), session.tableContext());
    }
    refreshComparison();
}

void frmMain::closeCashFlow()
{
    if (m_loanSchedule)
        m_loanSchedule->close();
    m_loanSchedule = nullptr;
    if (m_cashFlow)
        m_cashFlow->close();
    m_cashFlow = nullptr;
    // The comparison starts from the plan shown: it goes with it.
    if (m_comparison)
        m_comparison->close();
    m_comparison = nullptr;
}

PlanComparisonWindow* frmMain::comparisonWindow() const
{
    return m_comparison;
}

void frmMain::refreshComparison()
{
    if (!m_comparison)
        return;
    const PlanSession& session = PlanSession::instance();
    m_comparison->rebuild(session.plan(), m_demo ? QString() : session.fileName(), session.tableContext());
}

void frmMain::compareCommand()
{
    const PlanSession& session = PlanSession::instance();
    PlanComparisonDialog dialog(m_demo ? QString() : session.fileName(), m_recent->files(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // One comparison at a time: a new one takes the place of the last.
    if (m_comparison)
        m_comparison->close();
    auto* window = new PlanComparisonWindow(dialog.files());
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_comparison = window;
    refreshComparison();
    showChildWindow(window);
    m_mdiArea->setActiveSubWindow(window);
}

void frmMain::moneySettingsCommand()
{
    PlanSession& session = PlanSession::instance();
    if (!MoneySettingsDialog::edit(session.plan(), this))
        return;
    session.markEdited();
    refreshCashFlow();
    // The attention marks take the children's university years from the money settings.
    if (m_table)
        m_table->rebuild();
}

void frmMain::cashFlowCommand()
{
    if (!m_cashFlow) {
        auto* window = new CashFlowWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_cashFlow = window;
        connect(window, &CashFlowWindow::loanScheduleRequested, this, &frmMain::loanScheduleCommand);
        refreshCashFlow();
        showChildWindow(window);
    } else {
        refreshCashFlow();
    }
    m_mdiArea->setActiveSubWindow(m_cashFlow);
}

void frmMain::loanScheduleCommand()
{
    if (!m_loanSchedule) {
        auto* window = new LoanScheduleWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_loanSchedule = window;
        refreshCashFlow();
        showChildWindow(window);
    } else {
        refreshCashFlow();
    }
    m_mdiArea->setActiveSubWindow(m_loanSchedule);
}

void frmMain::cashFlowCsvCommand()
{
    const QString path = FileDialog::getSaveFileName(this,
        QStringLiteral("ファイル名を付けて保存"),
        QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV *.csv)"),
        QStringLiteral("CSV"));
    if (path.isEmpty())
        return;
    const PlanSession& session = PlanSession::instance();
    std::string error;
    bool written = false;
    {
        BusyPointer busy;
        written = writeCashFlowCsv(
            QFile::encodeName(path).toStdString(), buildCashFlowTable(session.plan(), session.tableContext()), &error);
    }
    if (!written)
        MessageBox::warning(this, saveFailedText(path, error));
}

TableWindow* frmMain::shownTable() const
{
    if (m_table)
        return m_table;
    return m_demo;
}

namespace {

// The shown table as its grid has it now, with the attention marks when they are shown.
TableOutput outputOf(const TableWindow& window, bool attentionShown)
{
    const bool demo = window.kind() == PlanWindow::Demo;
    TableOutput output(*window.grid(), demo ? QString() : PlanSession::instance().fileName());
    const AttentionTints& attention = window.attention();
    if (attentionShown && !attention.isEmpty()) {
        PrintableTable& table = output.table();
        for (int row = 0; row < table.rowCount(); ++row) {
            for (int column = 0; column < window.grid()->cols(); ++column) {
                const QColor tint = attention.tint(column, row);
                if (tint.isValid())
                    table.setTint(column, row, tint);
            }
        }
        for (AttentionKind kind : attention.kinds())
            table.legend.push_back({ AttentionTints::color(kind), AttentionTints::name(kind) });
    }
    return output;
}

} // namespace

bool frmMain::cashFlowIsActive() const
{
    return m_cashFlow && m_mdiArea->activeSubWindow() == m_cashFlow;
}

TableOutput frmMain::activeOutput() const
{
    const TableWindow* window = shownTable();
    const bool demo = !window || window->kind() == PlanWindow::Demo;
    const QString file = demo ? QString() : PlanSession::instance().fileName();
    if (cashFlowIsActive())
        return cashFlowOutput(*m_cashFlow, file);
    if (m_loanSchedule && m_mdiArea->activeSubWindow() == m_loanSchedule)
        return TableOutput(m_loanSchedule->printable(file));
    if (m_comparison && m_mdiArea->activeSubWindow() == m_comparison)
        return TableOutput(printablePlanComparison(m_comparison->comparison(), QDate::currentDate()));
    return outputOf(*window, m_attentionShown->isChecked());
}

void frmMain::previewCommand()
{
    if (shownTable())
        activeOutput().preview(this);
}

void frmMain::printCommand()
{
    if (shownTable())
        activeOutput().print(this);
}

void frmMain::pdfCommand()
{
    if (shownTable())
        activeOutput().savePdf(this);
}

void frmMain::xlsxCommand()
{
    TableWindow* window = shownTable();
    if (!window)
        return;
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if ((m_loanSchedule && active == m_loanSchedule) || (m_comparison && active == m_comparison)) {
        activeOutput().saveXlsx(this);
        return;
    }
    TableOutput lifeCycle = outputOf(*window, m_attentionShown->isChecked());
    // The workbook holds the cash-flow table beside the life cycle table once the family has money
    // settings or looks at its cash flow.
    const PlanSession& session = PlanSession::instance();
    if (!m_cashFlow && !session.plan().money) {
        lifeCycle.saveXlsx(this);
        return;
    }
    const QString file = window->kind() == PlanWindow::Demo ? QString() : session.fileName();
    const TableOutput cashFlow = m_cashFlow
        ? cashFlowOutput(*m_cashFlow, file)
        : cashFlowOutput(buildCashFlowTable(session.plan(), session.tableContext()), file, window->grid()->font());
    saveWorkbook(this, lifeCycle.table(), cashFlow.table());
}

QString frmMain::unsavedQuestion()
{
    return QStringLiteral("「データ保存」されていません。");
}

bool frmMain::confirmDiscard()
{
    // While the settings editor is up its table window is closed, but the plan is still the one
    // being worked on.
    const bool planShown = m_table || m_settingsEditor;
    if (!planShown || PlanSession::instance().isSaved())
        return true;
    return MessageBox::okCancelWarning(this, unsavedQuestion()) == QMessageBox::Ok;
}

void frmMain::HOZON()
{
    if (!isMinimized()) {
        AppSettings settings;
        settings.setPlacement(AppSettings::placementOf(QRect(pos(), size()), screenDpi(this)));
        settings.sync();
    }
    Help::close();
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
