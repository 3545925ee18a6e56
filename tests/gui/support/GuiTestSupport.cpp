// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GuiTestSupport.h"

#include "core/table/Clock.h"
#include "gui/common/PlanSession.h"
#include "gui/help/Help.h"
#include "gui/shell/Startup.h"
#include "gui/shell/frmMain.h"
#include "gui/table/LifeCycleGrid.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QWidget>

#include <memory>

using namespace harukaze;

namespace GuiTest {

TemporarySettings::TemporarySettings()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path() + QStringLiteral("/runtime")));
}

TemporarySettings::~TemporarySettings() = default;

QString TemporarySettings::iniPath() const
{
    return m_dir.path() + QStringLiteral("/HARUKAZE/HARUKAZE.ini");
}

void TemporarySettings::clear()
{
    QSettings settings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HARUKAZE"), QStringLiteral("HARUKAZE"));
    settings.clear();
    settings.sync();
}

void TemporarySettings::write(const QString& key, const QVariant& value)
{
    QSettings settings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HARUKAZE"), QStringLiteral("HARUKAZE"));
    settings.setValue(key, value);
    settings.sync();
}

QString TemporarySettings::read(const QString& key) const
{
    QSettings settings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HARUKAZE"), QStringLiteral("HARUKAZE"));
    return settings.value(key).toString();
}

void setUpProgramEnvironment(int year)
{
    Startup::initResources();
    Startup::installFontSubstitutions();
    Startup::setUpProgramFolder();
    setCurrentYearOverride(year);
}

void resetProcessState()
{
    const std::string appDir = globalState().APP_DIR;
    PlanDocument& document = PlanSession::instance().document();
    document.assign(FamilyPlan(), QString(), PlanDocument::Origin::None);
    document.setSaved(true);
    PlanSessionTestAccess::state() = ProcessState();
    PlanSessionTestAccess::state().APP_DIR = appDir;
}

PlanDocument& currentDocument()
{
    return PlanSession::instance().document();
}

bool isWindowOpen(const char* objectName)
{
    for (QWidget* widget : QApplication::allWidgets()) {
        if (qobject_cast<QMdiSubWindow*>(widget) && widget->objectName() == QLatin1String(objectName)
            && !widget->isHidden())
            return true;
    }
    return false;
}

void pollForModal(const std::function<bool(QWidget*)>& accept,
    const std::function<void(QWidget*)>& action,
    int intervalMs,
    int tries,
    bool* done)
{
    if (done)
        *done = false;
    auto* timer = new QTimer(qApp);
    timer->setInterval(intervalMs);
    auto left = std::make_shared<int>(tries);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, accept, action, done, left] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && accept(modal)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            if (done)
                *done = true;
        } else if (--*left <= 0) {
            // Give up so a test that never opens the dialog does not leave the timer running.
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

void answerNextModal(const std::function<void(QWidget*)>& action, bool* done)
{
    pollForModal([](QWidget*) { return true; }, action, 5, 1000, done);
}

void closeModalOnNextPass(bool* opened)
{
    *opened = false;
    QTimer::singleShot(0, qApp, [opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            *opened = true;
            modal->close();
        }
    });
}

std::unique_ptr<frmMain> startMainWindow()
{
    auto main = std::make_unique<frmMain>();
    main->load();
    main->show();
    return main;
}

std::unique_ptr<frmMain> startMainWindow(TemporarySettings& settings, bool demo)
{
    settings.write(QStringLiteral("DEMO/VIEW"), demo ? QStringLiteral("1") : QStringLiteral("0"));
    return startMainWindow();
}

QAction* findAction(QWidget* root, const QString& name)
{
    return root ? root->findChild<QAction*>(name) : nullptr;
}

QStringList unfittingFixedCells(const LifeCycleGrid* grid)
{
    QStringList unfitting;
    const QAbstractItemModel* model = grid->model();
    for (int r = 0; r < grid->rows(); ++r) {
        for (int c = 0; c < grid->cols(); ++c) {
            const bool headerRow = r < 2;
            if (!headerRow && c >= 2)
                continue;
            const QTableView* pane
                = headerRow ? (c < 2 ? grid->frozenCornerView() : grid->frozenRowsView()) : grid->frozenColumnsView();
            const QString text = model->index(r, c).data().toString();
            // Fixed cells are centred: a pixel of the cell on each side keeps the text off the lines.
            const QFontMetrics metrics(pane->font());
            if (metrics.horizontalAdvance(text) + 2 > pane->columnWidth(c) || metrics.height() > pane->rowHeight(r))
                unfitting.append(QStringLiteral("(%1, %2) %3").arg(r).arg(c).arg(text));
        }
    }
    return unfitting;
}

bool fitsLineEdit(const QLineEdit* box, const QString& text)
{
    // The text area as QLineEdit lays it out: the frame's contents less the text margins and the
    // line edit's own two pixels on each side.
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const int room = contents.marginsRemoved(box->textMargins()).width() - 2 * 2;
    return QFontMetrics(box->font()).horizontalAdvance(text) <= room;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace GuiTest

void onModal(std::function<void(QWidget*)> action, int tries)
{
    GuiTest::pollForModal([](QWidget*) { return true; }, action, 10, tries);
}

namespace harukaze {

ProcessState& PlanSessionTestAccess::state()
{
    return PlanSession::instance().m_state;
}

} // namespace harukaze
