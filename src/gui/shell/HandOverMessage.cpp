// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/HandOverMessage.h"

#include <QtEndian>

namespace harukaze {

namespace HandOver {

namespace {

const char s_magic[] = "HARUKAZE-OPEN\n";
constexpr qsizetype s_magicSize = sizeof(s_magic) - 1;
constexpr qsizetype s_headerSize = s_magicSize + 4;

} // namespace

QByteArray encodeRequest(const QString& path)
{
    const QByteArray bytes = path.toUtf8();
    if (bytes.isEmpty() || static_cast<quint64>(bytes.size()) > MAX_PATH_BYTES)
        return {};
    char length[4];
    qToBigEndian<quint32>(static_cast<quint32>(bytes.size()), length);
    return QByteArray(s_magic, s_magicSize) + QByteArray(length, sizeof length) + bytes;
}

QByteArray reply()
{
    return QByteArrayLiteral("OK\n");
}

qint64 maxRequestBytes()
{
    return s_headerSize + MAX_PATH_BYTES;
}

Parsed parseRequest(const QByteArray& received)
{
    Parsed parsed;
    // A wrong first byte is wrong however many follow.
    const qsizetype known = std::min(received.size(), s_magicSize);
    if (received.left(known) != QByteArray(s_magic, known)) {
        parsed.status = Parsed::Status::Bad;
        return parsed;
    }
    if (received.size() < s_headerSize)
        return parsed;
    const quint32 length = qFromBigEndian<quint32>(received.constData() + s_magicSize);
    if (length == 0 || length > MAX_PATH_BYTES) {
        parsed.status = Parsed::Status::Bad;
        return parsed;
    }
    if (received.size() < s_headerSize + static_cast<qsizetype>(length))
        return parsed;
    const QString path = QString::fromUtf8(received.constData() + s_headerSize, static_cast<qsizetype>(length));
    // Only an absolute path names the file the second copy was given, whatever this copy's folder
    // (a Qt resource path ":/..." is none); a path with a NUL in it names no file.
    if (!path.startsWith(QLatin1Char('/')) || path.contains(QChar(0))) {
        parsed.status = Parsed::Status::Bad;
        return parsed;
    }
    parsed.status = Parsed::Status::Complete;
    parsed.path = path;
    return parsed;
}

} // namespace HandOver

} // namespace harukaze
