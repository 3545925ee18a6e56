// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace harukaze {

/** The longest line (in bytes, without its end) that the readers of plan and data files accept. */
constexpr size_t MAX_LINE_BYTES = 64 * 1024;

/** The reason given when a path names a folder, a FIFO, a device or a socket instead of a file. */
extern const char* const NOT_A_REGULAR_FILE; // "通常のファイルではありません"

/**
 * Opens `path` for reading without ever waiting: the open does not block on a FIFO or a device,
 * and the open descriptor (not the name, which could be swapped in between) is checked to be a
 * regular file. Returns the descriptor (close-on-exec; the caller closes it), or -1 with `error`
 * (when given) set to the reason: the system's text ("No such file or directory",
 * "Permission denied" ...) or NOT_A_REGULAR_FILE.
 */
int openRegularFileForReading(const std::string& path, std::string* error = nullptr);

/**
 * Hands out the lines of a file or of bytes in memory one at a time, reading only as far as the
 * lines taken, in blocks of a fixed size: a caller that stops after some lines never touches the
 * rest of the file, and a line longer than the caller allows is noticed without reading it whole.
 * A line ends at CR LF, LF or a lone CR; the last line needs no end; an empty line is a line.
 * The bytes are handed out as they stand (no decoding).
 */
class LineReader
{
public:
    enum class Status {
        Line, ///< `line` holds the next line
        End, ///< no more lines
        TooLong, ///< the next line has more bytes than allowed; what follows is not to be read
        Failed, ///< reading the descriptor failed; errorCode() says why
    };

    /** Reads the open descriptor `fd` (not closed by the reader) in blocks of `blockSize` bytes. */
    explicit LineReader(int fd, size_t blockSize = 64 * 1024);
    /** Reads `bytes`, which must outlive the reader. */
    explicit LineReader(std::string_view bytes);

    /** The next line, without its end, in `line`; `maxBytes` is the longest line accepted. */
    Status next(std::string& line, size_t maxBytes = MAX_LINE_BYTES);

    /** Bytes of the lines handed out so far, their ends included. */
    size_t consumed() const { return m_consumed; }
    /** The errno value of a failed read. */
    int errorCode() const { return m_error; }

private:
    bool fill();
    // After a CR: takes the LF of a CR LF pair when there is one.
    bool skipLineFeed();

    int m_fd = -1;
    std::vector<char> m_block;
    const char* m_data = nullptr;
    size_t m_pos = 0;
    size_t m_size = 0;
    bool m_atEnd = false;
    size_t m_consumed = 0;
    int m_error = 0;
};

} // namespace harukaze
