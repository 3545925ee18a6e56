// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/frmMain.h"

#include "core/plan/CsvWriter.h"
#include "core/plan/PlanFile.h"
#include "gui/help/Help.h"
#include "gui/shell/AppSettings.h"
#include "gui/shell/BusyPointer.h"
#include "gui/shell/FileDialog.h"
#include "gui/shell/FontDialog.h"
#include "gui/shell/MessageBox.h"
#include "gui/shell/ProcessState.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmAbout.h"
#include "gui/table/Form1.h"
#include "gui/table/Form100.h"
#include "gui/table/Form200.h"
#include "gui/table/LifeCycleGrid.h"
#include "gui/wizard/Form2.h"
#include "gui/wizard/SetupWizard.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
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

QString saveFailedText(const QString& path)
{
    return QStringLiteral("ファイルを保存できませんでした。") + QLatin1Char('\n') + path;
}

QString openFailedText(const QString& path)
{
    return QStringLiteral("ファイルを開けませんでした。") + QLatin1Char('\n') + path;
}

double screenDpi(const QWidget* widget)
{
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
    , m_mdiArea(new QMdiArea(this))
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
    file->addAction(action(Command::Close));
    file->addSeparator();
    file->addAction(action(Command::Csv));
    file->addAction(action(Command::Save));
    file->addSeparator();
    file->addAction(action(Command::Exit));

    QMenu* settings = bar->addMenu(QStringLiteral("設定(&S)"));
    settings->setObjectName(QStringLiteral("Set_MN"));
    settings->addAction(action(Command::ChangeSettings));
    settings->addSeparator();
    settings->addAction(action(Command::Font));
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
    if (key == QLatin1String("exit"))
        exitCommand();
    else if (key == QLatin1String("new"))
        newCommand();
    else if (key == QLatin1String("open"))
        openCommand();
    else if (key == QLatin1String("close"))
        closeCommand();
    else if (key == QLatin1String("save"))
        saveCommand();
    else if (key == QLatin1String("csv_save"))
        csvCommand();
    else if (key == QLatin1String("casta"))
        changeSettingsCommand();
    else if (key == QLatin1String("font"))
        fontCommand();
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

void frmMain::load()
{
    restorePlacement();

    ProcessState& state = globalState();
    AppSettings settings;
    settings.readFont(state);
    state.DEMO_VIEW = static_cast<int16_t>(std::clamp(settings.demoView(), -32768, 32767));

    state.DEMO_OPEN = 0;
    state.FORM100_OPEN = 0;
    state.FORM200_OPEN = 0;
    FamilyPlan& plan = globalPlan();
    for (auto& child : plan.ST3_MTX1)
        child.fill(0);
    for (auto& child : plan.ST3_MTX2)
        child.fill(std::string());
    for (int c = 0; c <= 17; ++c) {
        for (int r = 0; r <= 51; ++r)
            state.TBL[static_cast<size_t>(c)][static_cast<size_t>(r)].clear();
    }

    if (state.DEMO_VIEW == 1) {
        m_demoShow->setChecked(true);
        openDemo();
        state.DEMO_OPEN = 1;
        setCommandEnabled(Command::New, false);
        setCommandEnabled(Command::Open, false);
        setCommandEnabled(Command::Csv, false);
        setCommandEnabled(Command::Save, false);
        setCommandEnabled(Command::ChangeSettings, false);
    } else {
        m_demoHide->setChecked(true);
        setCommandEnabled(Command::New, true);
        setCommandEnabled(Command::Open, true);
        setCommandEnabled(Command::Close, false);
        setCommandEnabled(Command::Csv, false);
        setCommandEnabled(Command::Save, false);
        setCommandEnabled(Command::ChangeSettings, false);
    }
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
    auto* demo = new Form1(this);
    connect(demo, &TableWindow::closeRequested, this, &frmMain::closeCommand);
    demo->load();
    m_demo = demo;
    showChildWindow(demo);
}

TableWindow* frmMain::openTableWindow(TableKind kind)
{
    // One table window at a time: one left open here could no longer be reached by the close command.
    for (QPointer<TableWindow>* open : { &m_form100, &m_form200 }) {
        if (*open)
            (*open)->closeByCommand();
        *open = nullptr;
    }
    TableWindow* window = nullptr;
    if (kind == TableKind::Form100)
        window = new Form100(this);
    else
        window = new Form200(this);
    connect(window, &TableWindow::closeRequested, this, &frmMain::closeCommand);
    (kind == TableKind::Form100 ? m_form100 : m_form200) = window;
    window->load();
    showChildWindow(window);
    return window;
}

TableWindow* frmMain::tableWindow() const
{
    if (m_form100)
        return m_form100;
    return m_form200;
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
    ProcessState& state = globalState();
    AppSettings settings;
    if (item == 0) {
        m_demoShow->setChecked(true);
        state.DEMO_VIEW = 1;
        settings.setDemoView(1);
    } else {
        m_demoHide->setChecked(true);
        state.DEMO_VIEW = 0;
        settings.setDemoView(0);
    }
}

void frmMain::newCommand()
{
    REC_CLEAR(globalPlan());
    setWindowTitle(s_mainCaption + QStringLiteral(" - [新規作成]"));
    if (m_wizard)
        m_wizard->deleteLater();
    auto* wizard = new SetupWizard(this, this);
    m_wizard = wizard;
    connect(wizard, &SetupWizard::cancelled, this, &frmMain::wizardCancelled);
    connect(wizard, &SetupWizard::finished, this, &frmMain::wizardFinished);
    wizard->start();
    setCommandEnabled(Command::New, false);
    setCommandEnabled(Command::Open, false);
}

void frmMain::wizardCancelled()
{
    setCommandEnabled(Command::New, true);
    setCommandEnabled(Command::Open, true);
}

void frmMain::wizardFinished()
{
    openTableWindow(TableKind::Form100);
}

void frmMain::openCommand()
{
    ProcessState& state = globalState();
    FamilyPlan& plan = globalPlan();
    REC_CLEAR(plan);
    state.PLAN_FILE_NAME.clear();

    const QString path = FileDialog::getOpenFileName(
        this, QStringLiteral("ファイル名を開く"), QStringLiteral("HARUKAZE (*.HRZ *.hrz)"), QStringLiteral("HRZ"));
    if (path.isEmpty())
        return;
    openPlanFile(path);
}

bool frmMain::openPlanFile(const QString& path)
{
    ProcessState& state = globalState();
    FamilyPlan& plan = globalPlan();
    FileLines lines;
    std::string error;
    bool read = false;
    {
        BusyPointer busy;
        read = FILE_IN(path.toStdString(), lines, &error);
    }
    if (!read) {
        // Nothing to show: a missing or unreadable file opens no table and leaves the plan reset.
        MessageBox::warning(this, openFailedText(path));
        return false;
    }

    REC_CLEAR(plan);
    state.PLAN_FILE_NAME = path.toStdString();
    BusyPointer busy;
    parsePlanFileLines(lines, plan);
    openTableWindow(TableKind::Form200);
    state.SAVED = 1;
    return true;
}

bool frmMain::closeCommand()
{
    ProcessState& state = globalState();
    if (state.DEMO_OPEN == 1) {
        closeDemo();
        return true;
    }
    if (state.FORM100_OPEN == 1) {
        if (state.SAVED != 1 && MessageBox::okCancelWarning(this, unsavedQuestion()) != QMessageBox::Ok)
            return false;
        closeTable(TableKind::Form100);
        return true;
    }
    if (state.FORM200_OPEN == 1) {
        if (state.SAVED != 1 && MessageBox::okCancelWarning(this, unsavedQuestion()) != QMessageBox::Ok)
            return false;
        closeTable(TableKind::Form200);
        return true;
    }
    return true;
}

void frmMain::closeCommandFromMenu()
{
    closeCommand();
}

void frmMain::closeDemo()
{
    if (m_demo)
        m_demo->closeByCommand();
    m_demo = nullptr;
    setCommandEnabled(Command::New, true);
    setCommandEnabled(Command::Open, true);
    setCommandEnabled(Command::Close, false);
    setCommandEnabled(Command::Font, false);
    globalState().DEMO_OPEN = 0;
    setWindowTitle(s_mainCaption);
}

void frmMain::closeTable(TableKind kind)
{
    ProcessState& state = globalState();
    QPointer<TableWindow>& window = kind == TableKind::Form100 ? m_form100 : m_form200;
    if (window)
        window->closeByCommand();
    window = nullptr;
    setCommandEnabled(Command::New, true);
    setCommandEnabled(Command::Open, true);
    setCommandEnabled(Command::Close, false);
    setCommandEnabled(Command::Font, false);
    if (kind == TableKind::Form100) {
        state.FORM100_OPEN = 0;
    } else {
        setCommandEnabled(Command::Csv, false);
        setCommandEnabled(Command::Save, false);
        state.FORM200_OPEN = 0;
    }
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
    std::string error;
    bool saved = false;
    {
        BusyPointer busy;
        saved = FILE_OUT_D(path.toStdString(), globalPlan(), &error);
    }
    if (saved)
        globalState().SAVED = 1;
    if (!saved) {
        MessageBox::warning(this, saveFailedText(path));
        return;
    }
    retitleAfterSave(path);
}

void frmMain::retitleAfterSave(const QString& path)
{
    const ProcessState& state = globalState();
    if (state.FORM100_OPEN == 1) {
        setWindowTitle(s_mainCaption);
        if (m_form100)
            m_form100->setWindowTitle(s_tableCaption + path);
    }
    if (state.FORM200_OPEN == 1 && m_form200)
        m_form200->setWindowTitle(s_tableCaption + path);
}

void frmMain::csvCommand()
{
    const QString path = FileDialog::getSaveFileName(this,
        QStringLiteral("ファイル名を付けて保存"),
        QStringLiteral("CSV (ｶﾝﾏ 区切り) (*.CSV *.csv)"),
        QStringLiteral("CSV"));
    if (path.isEmpty())
        return;
    const ProcessState& state = globalState();
    int rows = 0;
    int cols = 0;
    if (state.FORM100_OPEN == 1 && m_form100) {
        rows = m_form100->grid()->rows();
        cols = m_form100->grid()->cols();
    }
    if (state.FORM200_OPEN == 1 && m_form200) {
        rows = m_form200->grid()->rows();
        cols = m_form200->grid()->cols();
    }
    std::string error;
    bool written = false;
    {
        BusyPointer busy;
        written = FILE_OUT(path.toStdString(), state.TBL, rows, cols, &error);
    }
    if (!written)
        MessageBox::warning(this, saveFailedText(path));
}

void frmMain::changeSettingsCommand()
{
    // One editor at a time: asking again brings the open one forward.
    if (m_settingsEditor) {
        m_settingsEditor->raise();
        m_settingsEditor->activateWindow();
        return;
    }
    ProcessState& state = globalState();
    if (state.FORM200_OPEN == 1 && m_form200) {
        m_form200->closeByCommand();
        m_form200 = nullptr;
        state.FORM200_OPEN = 0;
    }
    // The command stays enabled after Form200 is closed, so a wizard's Form100 may be open now.
    // The editor changes that very plan and shows it in Form200, so Form100 goes as well.
    if (state.FORM100_OPEN == 1 && m_form100) {
        m_form100->closeByCommand();
        m_form100 = nullptr;
        state.FORM100_OPEN = 0;
    }
    // While the editor holds the family, New and Open would reset the plan under it and its
    // "更新" would then overwrite the new plan; they come back with the rebuilt Form200's load.
    setCommandEnabled(Command::New, false);
    setCommandEnabled(Command::Open, false);
    auto* editor = new Form2(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    m_settingsEditor = editor;
    connect(editor, &QDialog::finished, this, [this] { openTableWindow(TableKind::Form200); });
    editor->show();
}

void frmMain::fontCommand()
{
    ProcessState& state = globalState();
    QFont initial(QString::fromStdString(state.FONT_NAME));
    bool ok = false;
    const double size = QString::fromStdString(state.FONT_SIZE).toDouble(&ok);
    initial.setPointSizeF(ok && size > 0 ? size : 9.0);
    initial.setBold(state.FONT_BOLD == "True");
    initial.setItalic(state.FONT_ITALIC == "True");

    const std::optional<QFont> chosen = FontDialog::getFont(this, initial);
    if (!chosen)
        return;

    QFont font = *chosen;
    if (font.pointSizeF() <= 0)
        font.setPointSizeF(initial.pointSizeF());
    state.FONT_NAME = font.family().toStdString();
    state.FONT_SIZE = QString::number(font.pointSizeF()).toStdString();
    state.FONT_BOLD = font.bold() ? "True" : "False";
    state.FONT_ITALIC = font.italic() ? "True" : "False";

    if (state.FORM100_OPEN == 1 && m_form100)
        m_form100->applyTableFont(font);
    if (state.FORM200_OPEN == 1 && m_form200)
        m_form200->applyTableFont(font);
    if (state.DEMO_OPEN == 1 && m_demo)
        m_demo->applyTableFont(font);

    AppSettings settings;
    settings.writeFont(state);
}

QString frmMain::unsavedQuestion()
{
    return QStringLiteral("「データ保存」されていません。");
}

bool frmMain::confirmDiscard()
{
    const ProcessState& state = globalState();
    const bool tableOpen = (state.FORM100_OPEN == 1 && m_form100) || (state.FORM200_OPEN == 1 && m_form200);
    // While the settings editor is up its table window is closed, but the plan is still the one
    // being worked on.
    const bool planShown = tableOpen || m_settingsEditor;
    if (!planShown || state.SAVED == 1)
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
