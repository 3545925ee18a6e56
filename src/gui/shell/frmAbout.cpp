// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/frmAbout.h"
#include "ui_frmAbout.h"

#include "gui/common/MessageBox.h"
#include "gui/help/Help.h"
#include "gui/shell/Startup.h"
#include "harukaze/Version.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

// Outside the namespace: Qt's resource initialiser must be declared at global scope.
static void initAboutResources()
{
    // The icon lives in the static GUI library, whose resources are not registered on their own.
    Q_INIT_RESOURCE(frmAbout);
}

namespace harukaze {

namespace {

// Desktop system-information programs, the richest first.
const QStringList& builtInSystemInfoPrograms()
{
    static const QStringList programs = {
        QStringLiteral("hardinfo2"),
        QStringLiteral("hardinfo"),
        QStringLiteral("kinfocenter"),
        QStringLiteral("gnome-system-monitor"),
        QStringLiteral("xfce4-about"),
        QStringLiteral("lshw-gtk"),
    };
    return programs;
}

QStringList s_systemInfoPrograms;
std::function<bool(const QUrl&)> s_urlOpener;

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::frmAbout)
{
    ::initAboutResources();
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_ui->lblVersion->setText(QStringLiteral(HARUKAZE_VERSION));
    m_ui->Label11->setText(homePage());
    m_ui->Label11->setToolTip(documentationUrl().toLocalFile());
    m_ui->Label11->setCursor(Qt::PointingHandCursor);
    m_ui->Label11->installEventFilter(this);

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &frmAbout::startSystemInfo);
    m_ui->cmdOK->setDefault(true);
    adjustSize();
    setFixedSize(size());
}

frmAbout::~frmAbout() = default;

QUrl frmAbout::documentationUrl()
{
    return QUrl::fromLocalFile(Startup::appDirectory() + QStringLiteral("HARUKAZE.html"));
}

QString frmAbout::homePage()
{
    return documentationUrl().toString();
}

void frmAbout::setSystemInfoPrograms(const QStringList& programs)
{
    s_systemInfoPrograms = programs;
}

void frmAbout::setUrlOpener(std::function<bool(const QUrl&)> opener)
{
    s_urlOpener = std::move(opener);
}

QStringList frmAbout::systemInfoPrograms()
{
    return s_systemInfoPrograms.isEmpty() ? builtInSystemInfoPrograms() : s_systemInfoPrograms;
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->Label11 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // Without a browser the page is still shown, in the program's own help viewer.
        const QUrl page = documentationUrl();
        const bool opened = s_urlOpener ? s_urlOpener(page) : QDesktopServices::openUrl(page);
        if (!opened)
            Help::showDocument(this, page.toLocalFile());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::startSystemInfo()
{
    for (const QString& name : systemInfoPrograms()) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty() && QProcess::startDetached(program, {}))
            return;
    }
    MessageBox::plain(this, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
}

} // namespace harukaze
