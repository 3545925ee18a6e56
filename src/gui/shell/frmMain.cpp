// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/frmMain.h"

#include "core/io/NumberText.h"
#include "core/table/TableShape.h"
#include "export/PrintableLoanSchedule.h"
#include "gui/common/ChildWindows.h"
#include "gui/common/FontDialog.h"
#include "gui/common/PlanSession.h"
#include "gui/help/Help.h"
#include "gui/money/CashFlowWindow.h"
#include "gui/money/LoanScheduleWindow.h"
#include "gui/money/MoneySettingsDialog.h"
#include "gui/money/PlanComparisonDialog.h"
#include "gui/money/PlanComparisonWindow.h"
#include "gui/shell/AppSettings.h"
#include "gui/shell/CashFlowOutput.h"
#include "gui/shell/InstanceServer.h"
#include "gui/shell/PlanDropHandler.h"
#include "gui/shell/RecentFiles.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmAbout.h"
#include "gui/table/AttentionDialog.h"
#include "gui/table/Form1.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/wizard/SetupWizard.h"

#include <QActionGroup>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace harukaze {

namespace {

const QString s_mainCaption = QStringLiteral("ハルカゼ");

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
    statusBar()->setObjectName(QStringLiteral("statusBar"));

    // The availability follows every change of the current document and of the windows shown.
    PlanDocument& document = PlanSession::instance().document();
    connect(&document, &PlanDocument::tableChanged, this, [this] {
        refreshCashFlowAndComparison();
        updateActions();
    });
    connect(&document, &PlanDocument::fileNameChanged, this, &frmMain::refreshCashFlowAndComparison);
    connect(&document, &PlanDocument::savedChanged, this, &frmMain::updateActions);
    // A comparison follows the plan shown when it is saved (its name and figures).
    connect(&document, &PlanDocument::savedChanged, this, &frmMain::refreshComparison);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::updateActions);
    updateActions();
}

frmMain::~frmMain()
{
    // The child windows go after this object's members: nothing of theirs may call back.
    m_mdiArea->disconnect(this);
    PlanSession::instance().document().disconnect(this);
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        window->disconnect(this);
}

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

CommandState frmMain::commandState() const
{
    CommandState state;
    if (m_settingsEditor) {
        state.editorUp = true;
        state.shown = m_editorReplacedTable ? TableShown::OpenedPlan : TableShown::Nothing;
    } else if (m_table) {
        state.shown = m_table->kind() == PlanWindow::Form100 ? TableShown::NewPlan : TableShown::OpenedPlan;
    } else if (m_demo) {
        state.shown = TableShown::Demo;
    }
    switch (PlanSession::instance().document().origin()) {
    case PlanDocument::Origin::Wizard:
        state.held = PlanHeld::NewPlan;
        break;
    case PlanDocument::Origin::File:
        state.held = PlanHeld::OpenedPlan;
        break;
    case PlanDocument::Origin::None:
    case PlanDocument::Origin::Sample:
        break;
    }
    state.wizardUp = m_wizard && m_wizard->currentPage();
    state.windowClosed = m_windowClosed;
    return state;
}

void frmMain::updateActions()
{
    const CommandState state = commandState();
    for (const auto& [command, item] : m_actions)
        item->setEnabled(available(command, state));
    const bool windows = !m_mdiArea->subWindowList().isEmpty();
    m_cascade->setEnabled(windows);
    m_tile->setEnabled(windows);
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

    createWindowMenu();

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

void frmMain::addToolbarButton(Command command, const QString& key, const QString& toolTip)
{
    // The button is the command's own action: one action per command, enabled once, for both.
    // Its icon is the program's own ":/icons/<key>.png", the same on every desktop; looking the
    // desktop's icon theme up would cost about a fifth of the start-up.
    QAction* shared = action(command);
    shared->setIcon(QIcon(QStringLiteral(":/icons/") + key + QStringLiteral(".png")));
    shared->setIconVisibleInMenu(false);
    shared->setData(key);
    shared->setToolTip(toolTip);
    m_toolbar->addAction(shared);
    m_toolbarActions[command] = shared;
}

void frmMain::createToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->toggleViewAction()->setEnabled(false);
    addToolbarButton(Command::Exit, QStringLiteral("exit"), QStringLiteral("終了"));
    m_toolbar->addSeparator();
    addToolbarButton(Command::New, QStringLiteral("new"), QStringLiteral("新規作成"));
    m_toolbar->addSeparator();
    addToolbarButton(Command::Open, QStringLiteral("open"), QStringLiteral("開く"));
    addToolbarButton(Command::Close, QStringLiteral("close"), QStringLiteral("閉じる"));
    m_toolbar->addSeparator();
    addToolbarButton(Command::Save, QStringLiteral("save"), QStringLiteral("データ保存"));
    addToolbarButton(Command::Csv, QStringLiteral("csv_save"), QStringLiteral("ＣＳＶ保存"));
    addToolbarButton(Command::Print, QStringLiteral("print"), QStringLiteral("印刷"));
    addToolbarButton(Command::CashFlow, QStringLiteral("cashflow"), QStringLiteral("キャッシュフロー表"));
    m_toolbar->addSeparator();
    m_toolbar->addSeparator();
    addToolbarButton(Command::ChangeSettings, QStringLiteral("casta"), QStringLiteral("内容変更"));
    addToolbarButton(Command::Font, QStringLiteral("font"), QStringLiteral("フォント"));
}

void frmMain::dispatchToolbarKey(const QString& key)
{
    // A button is found by its key, compared exactly; a key no button has does nothing.
    for (QAction* button : m_toolbar->actions()) {
        if (!key.isEmpty() && button->data().toString() == key) {
            if (button->isEnabled())
                button->trigger();
            return;
        }
    }
}

void frmMain::createWindowMenu()
{
    m_windowMenu = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
    m_windowMenu->setObjectName(QStringLiteral("Window_MN"));
    m_cascade = new QAction(QStringLiteral("重ねて表示(&C)"), this);
    m_cascade->setObjectName(QStringLiteral("Window_Cascade"));
    connect(m_cascade, &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    m_tile = new QAction(QStringLiteral("並べて表示(&T)"), this);
    m_tile->setObjectName(QStringLiteral("Window_Tile"));
    connect(m_tile, &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    // The list of windows is made as the menu opens, so it always names the windows open now.
    connect(m_windowMenu, &QMenu::aboutToShow, this, &frmMain::fillWindowMenu);
    fillWindowMenu();
}

void frmMain::fillWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(m_cascade);
    m_windowMenu->addAction(m_tile);
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (!windows.isEmpty())
        m_windowMenu->addSeparator();
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        const QString text
            = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle()) : window->windowTitle();
        QAction* item = m_windowMenu->addAction(text);
        item->setObjectName(QStringLiteral("Window_Item"));
        item->setCheckable(true);
        item->setChecked(window == m_mdiArea->activeSubWindow());
        QPointer<QMdiSubWindow> target(window);
        connect(item, &QAction::triggered, this, [this, target] {
            if (target)
                m_mdiArea->setActiveSubWindow(target);
        });
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
    if (demo && allowDemo)
        openDemo();
    updateActions();
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
    // While a wizard page holds the keyboard, the plan waits and the status bar says so.
    server.setFocusKeeper([this]() -> QWidget* {
        const SetupWizard* wizard = setupWizard();
        return wizard ? wizard->currentPage() : nullptr;
    });
    connect(&server, &InstanceServer::requestHeld, this, [this](const QString& path) {
        statusBar()->showMessage(
            QStringLiteral("%1 は、新規作成のウィザードを終えてから開きます。").arg(QFileInfo(path).fileName()));
    });
    connect(&server, &InstanceServer::openRequested, this, [this](const QString& path) {
        statusBar()->clearMessage();
        openPlanFile(path);
    });

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
    ChildWindows::addChildWindow(m_mdiArea, window);
    fitChildWindow(window);
    window->show();
    // A closed window leaves the list of windows and may change what is available.
    connect(window, &QObject::destroyed, this, &frmMain::updateActions, Qt::QueuedConnection);
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
    m_demo = demo;
    showChildWindow(demo);
}

TableWindow* frmMain::tableWindow() const
{
    return m_table;
}

SetupWizard* frmMain::setupWizard() const
{
    return m_wizard;
}

Form1* frmMain::demoWindow() const
{
    return m_demo;
}

TableWindow* frmMain::shownTable() const
{
    if (m_table)
        return m_table;
    return m_demo;
}

PlanDocument* frmMain::shownDocument() const
{
    const TableWindow* window = shownTable();
    return window ? window->document() : nullptr;
}

void frmMain::setDemoView(int item)
{
    const int16_t view = item == 0 ? 1 : 0;
    (item == 0 ? m_demoShow : m_demoHide)->setChecked(true);
    PlanSession::instance().setDemoView(view);
    AppSettings settings;
    settings.setDemoView(view);
}

void frmMain::fontCommand()
{
    PlanSession& session = PlanSession::instance();
    const ProcessState& state = session.state();
    QFont initial(QString::fromStdString(state.FONT_NAME));
    const double size = lenientTextToDouble(state.FONT_SIZE);
    initial.setPointSizeF(size > 0 ? size : TABLE_FONT_POINTS);
    initial.setBold(session.tableFontBold());
    initial.setItalic(session.tableFontItalic());

    const std::optional<QFont> chosen = FontDialog::getFont(this, initial);
    if (!chosen)
        return;

    QFont font = *chosen;
    if (font.pointSizeF() <= 0)
        font.setPointSizeF(initial.pointSizeF());
    session.setTableFont(
        font.family().toStdString(), QString::number(font.pointSizeF()).toStdString(), font.bold(), font.italic());
    // The tables shown take the font with its bold and italic; later builds its face and size.
    for (TableWindow* window : { static_cast<TableWindow*>(m_demo.data()), m_table.data() }) {
        if (window && window->document())
            window->document()->applyTableFont();
    }

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
    const TableWindow* window = shownTable();
    if (!window)
        return;
    AttentionDialog dialog(window->attention().markers(), this);
    dialog.setSampleFamily(window->kind() == PlanWindow::Demo);
    dialog.exec();
}

CashFlowWindow* frmMain::cashFlowWindow() const
{
    return m_cashFlow;
}

void frmMain::refreshCashFlow()
{
    const PlanDocument* document = shownDocument();
    if (!document)
        return;
    const TableContext context = PlanSession::instance().tableContext();
    const bool demo = document->origin() == PlanDocument::Origin::Sample;
    // Each window's caption names the plan it shows.
    const QString name = QStringLiteral(" - ") + (demo ? QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ･ﾃﾞﾓ") : document->displayName());
    if (m_cashFlow) {
        m_cashFlow->showTable(document->cashFlow(), document->plan(), context, demo ? QString() : document->fileName());
        m_cashFlow->setWindowTitle(QStringLiteral("キャッシュフロー表") + name);
    }
    if (m_loanSchedule) {
        m_loanSchedule->rebuild(document->plan(), context);
        m_loanSchedule->setWindowTitle(loanScheduleTitle() + name);
    }
}

void frmMain::refreshCashFlowAndComparison()
{
    refreshCashFlow();
    refreshComparison();
}

PlanComparisonWindow* frmMain::comparisonWindow() const
{
    return m_comparison;
}

void frmMain::refreshComparison()
{
    const PlanDocument* document = shownDocument();
    if (!m_comparison || !document)
        return;
    const bool demo = document->origin() == PlanDocument::Origin::Sample;
    m_comparison->rebuild(
        document->plan(), demo ? QString() : document->fileName(), PlanSession::instance().tableContext());
    // The other plans are compared with the one shown, which the caption names.
    m_comparison->setWindowTitle(
        QStringLiteral("プランの比較 - ") + (demo ? QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ･ﾃﾞﾓ") : document->displayName()));
}

void frmMain::compareCommand()
{
    const PlanDocument* document = shownDocument();
    const bool demo = !document || document->origin() == PlanDocument::Origin::Sample;
    PlanComparisonDialog dialog(demo ? QString() : document->fileName(), m_recent->files(), this);
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

void frmMain::moneySettingsCommand()
{
    PlanDocument& document = PlanSession::instance().document();
    if (!MoneySettingsDialog::edit(document.plan(), this))
        return;
    // The table window, its attention marks (the children's university years come from the money
    // settings) and the cash-flow window follow the changed document.
    document.edited();
}

void frmMain::cashFlowCommand()
{
    // The button goes back and forth between the table and its cash flow.
    if (cashFlowIsActive() && shownTable()) {
        m_mdiArea->setActiveSubWindow(shownTable());
        return;
    }
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

bool frmMain::cashFlowIsActive() const
{
    return m_cashFlow && m_mdiArea->activeSubWindow() == m_cashFlow;
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

} // namespace harukaze
