// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/InstanceServer.h"

#include "gui/shell/HandOverMessage.h"
#include "gui/shell/LocalSocket.h"
#include "gui/shell/SingleInstance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

namespace harukaze {

namespace {

// Connections that may wait for their request at the same time; more are dropped at once.
constexpr int s_maxConnections = 8;
// A second copy sends its request as soon as it is connected.
constexpr int s_defaultRequestTimeoutMs = 5000;

} // namespace

struct InstanceServer::Connection : QObject
{
    explicit Connection(int descriptor, QObject* parent)
        : QObject(parent)
        , descriptor(descriptor)
        , notifier(new QSocketNotifier(static_cast<qintptr>(descriptor), QSocketNotifier::Read, this))
    {
    }
    ~Connection() override
    {
        notifier->setEnabled(false);
        LocalSocket::closeDescriptor(descriptor);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int descriptor;
    QSocketNotifier* notifier;
    QByteArray received;
};

InstanceServer::InstanceServer(QObject* parent)
    : QObject(parent)
    , m_requestTimeoutMs(s_defaultRequestTimeoutMs)
{
}

InstanceServer::~InstanceServer()
{
    watchForIdle(false);
    qDeleteAll(m_connections);
    if (m_listening >= 0) {
        // As the program ends, so does its door: the next copy finds no socket to hand over to.
        delete m_acceptNotifier;
        LocalSocket::closeDescriptor(m_listening);
        QFile::remove(m_socketPath);
    }
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
    if (m_listening >= 0)
        return true;
    m_listening = LocalSocket::listenAt(m_socketPath);
    if (m_listening < 0)
        return false;
    m_acceptNotifier = new QSocketNotifier(static_cast<qintptr>(m_listening), QSocketNotifier::Read, this);
    connect(m_acceptNotifier, &QSocketNotifier::activated, this, &InstanceServer::acceptConnections);
    return true;
}

bool InstanceServer::isListening() const
{
    return m_listening >= 0;
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
    for (int descriptor = LocalSocket::acceptOne(m_listening); descriptor >= 0;
         descriptor = LocalSocket::acceptOne(m_listening)) {
        // Only this user's own second copy has anything to say; a connection that sends no whole
        // request in time, or one more than the server takes at once, is closed.
        if (m_connections.size() >= s_maxConnections || !LocalSocket::peerIsThisUser(descriptor)) {
            LocalSocket::closeDescriptor(descriptor);
            continue;
        }
        auto* connection = new Connection(descriptor, this);
        m_connections.insert(connection);
        connect(
            connection->notifier, &QSocketNotifier::activated, this, [this, connection] { readRequest(connection); });
        QTimer::singleShot(m_requestTimeoutMs, connection, [this, connection] { closeConnection(connection); });
        readRequest(connection);
    }
}

void InstanceServer::closeConnection(Connection* connection)
{
    if (!m_connections.remove(connection))
        return;
    connection->notifier->setEnabled(false);
    connection->deleteLater();
}

void InstanceServer::setRequestTimeout(int milliseconds)
{
    m_requestTimeoutMs = milliseconds;
}

void InstanceServer::readRequest(Connection* connection)
{
    if (!m_connections.contains(connection))
        return;
    const bool open
        = LocalSocket::readAvailable(connection->descriptor, connection->received, HandOver::maxRequestBytes());
    const HandOver::Parsed parsed = HandOver::parseRequest(connection->received);
    if (parsed.status == HandOver::Parsed::Status::Bad
        || (parsed.status == HandOver::Parsed::Status::Incomplete && !open)) {
        closeConnection(connection);
        return;
    }
    if (parsed.status == HandOver::Parsed::Status::Incomplete)
        return;
    m_pending.append(parsed.path);
    // The answer goes out before the connection is let go (a few bytes: the socket takes them at once).
    LocalSocket::writeAll(connection->descriptor, HandOver::reply(), QDeadlineTimer(m_requestTimeoutMs));
    closeConnection(connection);
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
    const int descriptor = LocalSocket::connectTo(serverPath, deadline);
    if (descriptor < 0)
        return false;
    // The path goes only to a copy of this user: whoever else listens there learns nothing.
    const QByteArray reply = HandOver::reply();
    const bool taken = LocalSocket::peerIsThisUser(descriptor) && LocalSocket::writeAll(descriptor, request, deadline)
        && LocalSocket::readExactly(descriptor, reply.size(), deadline) == reply;
    LocalSocket::closeDescriptor(descriptor);
    return taken;
}

} // namespace harukaze
