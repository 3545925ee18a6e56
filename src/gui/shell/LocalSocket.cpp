// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/LocalSocket.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace harukaze::LocalSocket {

namespace {

// The socket address of `path`; false when it does not fit sun_path.
bool addressOf(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || static_cast<size_t>(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    return true;
}

// Waits until `descriptor` can be read (POLLIN) or written (POLLOUT), at most until `deadline`.
bool waitFor(int descriptor, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd entry { descriptor, events, 0 };
        const qint64 left = deadline.remainingTime();
        const int ready = ::poll(&entry, 1, left < 0 ? -1 : static_cast<int>(left));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

int listenAt(const QString& path)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return -1;
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return -1;
    ::unlink(address.sun_path);
    // Only this user may connect (the folder is the user's private one as well).
    const bool bound = ::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
        && ::chmod(address.sun_path, S_IRUSR | S_IWUSR) == 0;
    if (!bound || ::listen(descriptor, SOMAXCONN) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

int acceptOne(int listening)
{
    for (;;) {
        const int descriptor = ::accept4(listening, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (descriptor >= 0 || errno != EINTR)
            return descriptor;
    }
}

int connectTo(const QString& path, const QDeadlineTimer& deadline)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return -1;
    for (;;) {
        const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (descriptor < 0)
            return -1;
        if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return descriptor;
        ::close(descriptor);
        if (deadline.hasExpired())
            return -1;
        QThread::msleep(50);
    }
}

bool peerIsThisUser(int descriptor)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return descriptor >= 0 && ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
        && size == sizeof peer && peer.uid == ::geteuid();
}

bool readAvailable(int descriptor, QByteArray& buffer, qsizetype limit)
{
    char chunk[4096];
    while (buffer.size() < limit) {
        const auto wanted = static_cast<size_t>(std::min<qsizetype>(sizeof chunk, limit - buffer.size()));
        const ssize_t got = ::recv(descriptor, chunk, wanted, MSG_DONTWAIT);
        if (got > 0) {
            buffer.append(chunk, static_cast<qsizetype>(got));
            continue;
        }
        if (got == 0)
            return false;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EWOULDBLOCK;
    }
    return true;
}

bool writeAll(int descriptor, const QByteArray& bytes, const QDeadlineTimer& deadline)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t sent = ::send(descriptor,
            bytes.constData() + written,
            static_cast<size_t>(bytes.size() - written),
            MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            written += sent;
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(descriptor, POLLOUT, deadline))
            continue;
        return false;
    }
    return true;
}

QByteArray readExactly(int descriptor, qsizetype size, const QDeadlineTimer& deadline)
{
    QByteArray bytes;
    while (bytes.size() < size) {
        if (!waitFor(descriptor, POLLIN, deadline))
            return QByteArray();
        if (!readAvailable(descriptor, bytes, size) && bytes.size() < size)
            return QByteArray();
    }
    return bytes;
}

void closeDescriptor(int descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
}

} // namespace harukaze::LocalSocket
