// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/help/Help.h"

#include "gui/common/MessageBox.h"
#include "gui/help/HelpViewer.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace harukaze {

namespace {

QString s_helpFile;
QPointer<HelpViewer> s_viewer;

const QString& noHelpText()
{
    static const QString text
        = QStringLiteral("ﾍﾙﾌﾟの目次を表示できません。 このﾌﾟﾛｼﾞｪｸﾄに関連付けられたﾍﾙﾌﾟが存在しません。");
    return text;
}

QString callerCaption(QWidget* parent)
{
    return parent ? parent->window()->windowTitle() : QString();
}

// A window opened while a modal dialog runs is blocked unless it belongs to that dialog, so the
// viewer is lent to the modal window for as long as it is up, and handed back to the desktop
// (still open) when the dialog goes away.
class ModalOwnerWatcher : public QObject
{
public:
    explicit ModalOwnerWatcher(QWidget* owner)
        : QObject(owner)
    {
        owner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
            if (s_viewer && s_viewer->parentWidget() == watched) {
                const bool wasVisible = s_viewer->isVisible();
                const QRect geometry = s_viewer->geometry();
                s_viewer->setParent(nullptr, Qt::Window);
                s_viewer->setGeometry(geometry);
                if (wasVisible)
                    s_viewer->show();
            }
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

void adoptModalOwner(QWidget* parent)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && parent && parent->window()->isModal())
        modal = parent->window();
    if (!modal || s_viewer->parentWidget() == modal)
        return;
    const QRect geometry = s_viewer->geometry();
    const bool wasVisible = s_viewer->isVisible();
    s_viewer->setParent(modal, Qt::Window);
    if (wasVisible)
        s_viewer->setGeometry(geometry);
    new ModalOwnerWatcher(modal);
}

// Opens (or reuses) the viewer with the help file loaded. Shows the message of a request that cannot
// be made and returns nullptr then.
HelpViewer* openViewer(QWidget* parent, const QString& file = s_helpFile)
{
    if (file.isEmpty()) {
        MessageBox::information(parent, noHelpText(), callerCaption(parent));
        return nullptr;
    }
    const bool fresh = !s_viewer;
    if (fresh) {
        s_viewer = new HelpViewer;
        s_viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (s_viewer->fileName() != file) {
        QString error;
        if (!s_viewer->loadFile(file, &error)) {
            if (fresh)
                delete s_viewer;
            MessageBox::plain(parent, error, callerCaption(parent));
            return nullptr;
        }
    }
    adoptModalOwner(parent);
    s_viewer->show();
    s_viewer->raise();
    s_viewer->activateWindow();
    return s_viewer;
}

} // namespace

namespace Help {

void setHelpFile(const QString& path)
{
    s_helpFile = path;
}

QString helpFile()
{
    return s_helpFile;
}

void showContents(QWidget* parent)
{
    if (HelpViewer* viewer = openViewer(parent))
        viewer->showContents();
}

void showSearch(QWidget* parent)
{
    if (HelpViewer* viewer = openViewer(parent))
        viewer->showSearch(QString());
}

void showTopic(QWidget* parent, int topic)
{
    HelpViewer* viewer = openViewer(parent);
    if (viewer && !viewer->showTopic(topic)) {
        // A topic the file lacks still leaves the user somewhere useful.
        viewer->showContents();
    }
}

void showDocument(QWidget* parent, const QString& path)
{
    if (HelpViewer* viewer = openViewer(parent, path))
        viewer->showContents();
}

void close()
{
    if (s_viewer)
        s_viewer->close();
}

} // namespace Help

} // namespace harukaze
