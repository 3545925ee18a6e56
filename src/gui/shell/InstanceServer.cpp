// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/InstanceServer.h"

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
#include <QtEndian>

namespace harukaze {

namespace {

// One request: the magic line, the length of the path in bytes (32 bits, big-endian), the path
// in UTF-8. The running copy answers "OK\n" once the request is queued.
const QByteArray s_magic = QByteArrayLiteral("HARUKAZE-OPEN\n");
const QByteArray s_reply = QByteArrayLiteral("OK\n");
constexpr qint64 s_headerSize = 14 + 4;
// Far beyond any real path; a longer length means the bytes are not a request.
constexpr quint32 s_maxPathBytes = 64 * 1024;

} // namespace

InstanceServer::InstanceServer(QObject* parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
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
    return QFileInfo(SingleInstance::defaultLockPath()).absolutePath() + QStringLiteral("/harukaze.socket");
}

bool InstanceServer::listen(const QString& socketPath)
{
    m_socketPath = socketPath.isEmpty() ? defaultSocketPath() : socketPath;
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
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        readRequest(socket);
    }
}

void InstanceServer::readRequest(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < s_headerSize)
        return;
    const QByteArray header = socket->peek(s_headerSize);
    const quint32 length = qFromBigEndian<quint32>(header.constData() + s_magic.size());
    if (!header.startsWith(s_magic) || length > s_maxPathBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < s_headerSize + length)
        return;
    socket->read(s_headerSize);
    const QString path = QString::fromUtf8(socket->read(length));
    // Only an absolute path names the file the second copy was given, whatever this copy's folder.
    if (path.isEmpty() || !QFileInfo(path).isAbsolute()) {
        socket->abort();
        return;
    }
    m_pending.append(path);
    socket->write(s_reply);
    socket->flush();
    socket->disconnectFromServer();
    raiseWindow();
    if (!isReady())
        emit requestHeld(path);
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
    const QByteArray bytes = path.toUtf8();
    if (bytes.isEmpty() || static_cast<quint64>(bytes.size()) > s_maxPathBytes)
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
    char length[4];
    qToBigEndian<quint32>(static_cast<quint32>(bytes.size()), length);
    socket.write(s_magic);
    socket.write(length, sizeof length);
    socket.write(bytes);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    while (socket.bytesAvailable() < s_reply.size()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    return socket.read(s_reply.size()) == s_reply;
}

} // namespace harukaze
