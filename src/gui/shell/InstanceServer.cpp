// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/InstanceServer.h"

#include "gui/shell/HandOverMessage.h"
#include "gui/shell/SingleInstance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <sys/socket.h>
#include <unistd.h>

namespace harukaze {

namespace {

// Connections that may wait for their request at the same time; more are dropped at once.
constexpr int s_maxConnections = 8;
// A second copy sends its request as soon as it is connected.
constexpr int s_defaultRequestTimeoutMs = 5000;

// Whether the process at the other end of a local socket runs as this process's user.
bool peerIsThisUser(qintptr descriptor)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return descriptor >= 0 && ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
        && size == sizeof peer && peer.uid == ::geteuid();
}

} // namespace

InstanceServer::InstanceServer(QObject* parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
    , m_requestTimeoutMs(s_defaultRequestTimeoutMs)
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::acceptConnections);
}

InstanceServer::~InstanceServer()
{
    watchForIdle(false);
}

QString InstanceServer::defaultSocketPath()
{
    const QString lock = SingleInstance::defaultLockPath();
    if (lock.isEmpty())
        return QString();
    return QFileInfo(lock).absolutePath() + QStringLiteral("/harukaze.socket");
}

bool InstanceServer::listen(const QString& socketPath)
{
    m_socketPath = socketPath.isEmpty() ? defaultSocketPath() : socketPath;
    if (m_socketPath.isEmpty())
        return false;
    QLocalServer::removeServer(m_socketPath);
    return m_server->listen(m_socketPath);
}

bool InstanceServer::isListening() const
{
    return m_server->isListening();
}

void InstanceServer::setWindow(QWidget* window)
{
    m_window = window;
}

void InstanceServer::setReadyCheck(std::function<bool()> ready)
{
    m_readyCheck = std::move(ready);
}

void InstanceServer::setFocusKeeper(std::function<QWidget*()> keeper)
{
    m_focusKeeper = std::move(keeper);
}

bool InstanceServer::isReady() const
{
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    return !m_readyCheck || m_readyCheck();
}

void InstanceServer::request(const QString& path)
{
    m_pending.append(path);
    if (!isReady())
        emit requestHeld(path);
    deliverPending();
}

void InstanceServer::deliverPending()
{
    m_deliveryScheduled = false;
    // Opening a file may ask a question, and a request that comes in meanwhile is queued; the
    // delivery already running takes it once the question is answered.
    if (m_delivering)
        return;
    m_delivering = true;
    while (!m_pending.isEmpty() && isReady())
        emit openRequested(m_pending.takeFirst());
    m_delivering = false;
    watchForIdle(!m_pending.isEmpty());
}

void InstanceServer::scheduleDelivery()
{
    if (m_deliveryScheduled)
        return;
    m_deliveryScheduled = true;
    // After the event that freed the program has been handled: by then a modal dialog's exec()
    // has returned, a closed window is gone and the next wizard page (if any) is up.
    QTimer::singleShot(0, this, &InstanceServer::deliverPending);
}

void InstanceServer::watchForIdle(bool watch)
{
    if (watch == m_watching || !QCoreApplication::instance())
        return;
    m_watching = watch;
    if (watch)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

bool InstanceServer::eventFilter(QObject* watched, QEvent* event)
{
    // The program becomes free when a window goes away (a modal dialog, a wizard page, the
    // settings editor) or stops being blocked by a modal dialog.
    switch (event->type()) {
    case QEvent::WindowUnblocked:
        scheduleDelivery();
        break;
    case QEvent::Hide:
    case QEvent::DeferredDelete:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            scheduleDelivery();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void InstanceServer::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // Only this user's own second copy has anything to say; a connection that sends no whole
        // request in time, or one more than the server takes at once, is closed.
        if (m_connections.size() >= s_maxConnections || !peerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_connections.insert(socket);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { closeConnection(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        QTimer::singleShot(m_requestTimeoutMs, socket, [this, socket] { closeConnection(socket); });
        readRequest(socket);
    }
}

void InstanceServer::closeConnection(QLocalSocket* socket)
{
    if (!m_connections.remove(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void InstanceServer::setRequestTimeout(int milliseconds)
{
    m_requestTimeoutMs = milliseconds;
}

void InstanceServer::readRequest(QLocalSocket* socket)
{
    if (!m_connections.contains(socket))
        return;
    const HandOver::Parsed parsed = HandOver::parseRequest(socket->peek(HandOver::maxRequestBytes()));
    if (parsed.status == HandOver::Parsed::Status::Incomplete)
        return;
    if (parsed.status == HandOver::Parsed::Status::Bad) {
        closeConnection(socket);
        return;
    }
    socket->readAll();
    m_pending.append(parsed.path);
    // The answer goes out before the connection is let go; the socket closes itself once it has.
    m_connections.remove(socket);
    socket->disconnect(this);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->write(HandOver::reply());
    socket->flush();
    socket->disconnectFromServer();
    raiseWindow();
    if (!isReady())
        emit requestHeld(parsed.path);
    scheduleDelivery();
}

void InstanceServer::raiseWindow()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    // A window that holds the user's typing (a wizard page) keeps it and comes forward with it.
    if (QWidget* keeper = m_focusKeeper ? m_focusKeeper() : nullptr) {
        keeper->raise();
        keeper->activateWindow();
        return;
    }
    m_window->activateWindow();
    // A modal dialog that holds the request back comes to the front with its window.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

bool InstanceServer::sendOpenRequest(const QString& path, const QString& socketPath, int timeoutMs)
{
    const QString serverPath = socketPath.isEmpty() ? defaultSocketPath() : socketPath;
    const QByteArray request = HandOver::encodeRequest(path);
    if (request.isEmpty() || serverPath.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    // The path goes only to a copy of this user: whoever else listens there learns nothing.
    if (!peerIsThisUser(socket.socketDescriptor()))
        return false;
    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    const QByteArray reply = HandOver::reply();
    while (socket.bytesAvailable() < reply.size()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    return socket.read(reply.size()) == reply;
}

} // namespace harukaze
