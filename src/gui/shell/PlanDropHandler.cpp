// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/PlanDropHandler.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace harukaze {

PlanDropHandler::PlanDropHandler(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

void PlanDropHandler::setAcceptCheck(std::function<bool()> accept)
{
    m_accept = std::move(accept);
}

QString PlanDropHandler::planPathOf(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QFileInfo file(urls.first().toLocalFile());
    if (file.suffix().compare(QLatin1String("HRZ"), Qt::CaseInsensitive) != 0 || file.isDir())
        return QString();
    return QDir::cleanPath(file.absoluteFilePath());
}

QString PlanDropHandler::acceptedPath(const QMimeData* data) const
{
    const QString path = planPathOf(data);
    if (path.isEmpty() || (m_accept && !m_accept()))
        return QString();
    return path;
}

bool PlanDropHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (acceptedPath(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = acceptedPath(drop->mimeData());
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // Opening may ask a question; the file manager should not wait for it to finish its drag.
        QMetaObject::invokeMethod(
            this, [this, path] { emit planDropped(path); }, Qt::QueuedConnection);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace harukaze
