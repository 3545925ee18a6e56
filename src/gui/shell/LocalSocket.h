// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

namespace harukaze::LocalSocket {

/*
 * The few operations of a Unix domain stream socket that the hand-over between two copies of the
 * program needs, on plain descriptors (the program then loads no network library at start-up).
 * Descriptors are close-on-exec; the server's and its connections' are non-blocking.
 */

/**
 * Listens at `path`: a file left there (by a copy that ended without removing it) is removed
 * first, the socket is made readable and writable by this user only. The listening descriptor, or
 * -1 when the path is too long or the socket cannot be made.
 */
int listenAt(const QString& path);

/** A connection waiting on `listening`, non-blocking; -1 when none waits. */
int acceptOne(int listening);

/**
 * Connects to `path`, trying again every 50 ms while nobody listens there yet, until `deadline`.
 * The connected descriptor, or -1.
 */
int connectTo(const QString& path, const QDeadlineTimer& deadline);

/** Whether the process at the other end of `descriptor` runs as this process's user. */
bool peerIsThisUser(int descriptor);

/**
 * Appends what `descriptor` has to read to `buffer` without waiting, at most up to `limit` bytes
 * in the buffer. False when the other end has closed the connection (or it failed).
 */
bool readAvailable(int descriptor, QByteArray& buffer, qsizetype limit);

/** Writes all of `bytes`, waiting for room until `deadline`. */
bool writeAll(int descriptor, const QByteArray& bytes, const QDeadlineTimer& deadline);

/** Reads exactly `size` bytes, waiting for them until `deadline`; empty when they did not come. */
QByteArray readExactly(int descriptor, qsizetype size, const QDeadlineTimer& deadline);

/** Closes `descriptor` (ignoring -1). */
void closeDescriptor(int descriptor);

} // namespace harukaze::LocalSocket
