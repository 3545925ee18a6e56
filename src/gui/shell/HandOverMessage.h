// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace harukaze {

/**
 * The one message a second copy sends the running copy: the magic line "HARUKAZE-OPEN\n", the
 * length of the path in bytes (32 bits, big-endian), the absolute path in UTF-8. The running copy
 * answers handOverReply() once the request is queued.
 */
namespace HandOver {

/** Far beyond any real path; a longer length means the bytes are not a request. */
constexpr quint32 MAX_PATH_BYTES = 64 * 1024;

/** The bytes of a request for `path`; empty when the path is empty or longer than MAX_PATH_BYTES. */
QByteArray encodeRequest(const QString& path);

/** "OK\n" */
QByteArray reply();

struct Parsed
{
    enum class Status {
        Incomplete, ///< a request may still come: wait for more bytes
        Bad, ///< no request: the connection is to be dropped
        Complete, ///< `path` holds the request's absolute path
    };
    Status status = Status::Incomplete;
    QString path;
};

/** Reads the bytes received so far (any bytes from anyone: never trusted). */
Parsed parseRequest(const QByteArray& received);

/** The most bytes a request can take. */
qint64 maxRequestBytes();

} // namespace HandOver

} // namespace harukaze
