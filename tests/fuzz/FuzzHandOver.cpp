// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the hand-over message a second copy sends the running one, as the server
// parses whatever bytes reach its socket. The bytes are parsed whole and as they come in pieces
// (every prefix the input's first byte marks): a prefix of a request is never taken for a bad one
// or a different request, a request taken holds an absolute path, and a request encoded for that
// path parses back to it.

#include "gui/shell/HandOverMessage.h"

#include <cstdint>
#include <cstdlib>

using namespace harukaze;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const HandOver::Parsed whole = HandOver::parseRequest(bytes);
    if (whole.status == HandOver::Parsed::Status::Complete) {
        check(whole.path.startsWith(QLatin1Char('/')));
        const QByteArray again = HandOver::encodeRequest(whole.path);
        check(!again.isEmpty());
        const HandOver::Parsed reparsed = HandOver::parseRequest(again);
        check(reparsed.status == HandOver::Parsed::Status::Complete && reparsed.path == whole.path);
    }
    // The same bytes arriving in pieces: a piece is never judged otherwise than the whole would be.
    const qsizetype step = size > 0 ? 1 + data[0] % 23 : 1;
    for (qsizetype cut = 0; cut < bytes.size(); cut += step) {
        const HandOver::Parsed part = HandOver::parseRequest(bytes.left(cut));
        if (part.status == HandOver::Parsed::Status::Bad)
            check(whole.status == HandOver::Parsed::Status::Bad);
        if (part.status == HandOver::Parsed::Status::Complete)
            check(whole.status == HandOver::Parsed::Status::Complete);
    }
    // Any text as a path: encoded when it can be, and read back to the same path when absolute.
    const QString path = QString::fromUtf8(bytes);
    const QByteArray request = HandOver::encodeRequest(path);
    if (!request.isEmpty()) {
        const HandOver::Parsed parsed = HandOver::parseRequest(request);
        const bool absolute = path.startsWith(QLatin1Char('/')) && !path.contains(QChar(0));
        check((parsed.status == HandOver::Parsed::Status::Complete) == absolute);
        if (absolute)
            check(parsed.path == path);
    }
    return 0;
}
