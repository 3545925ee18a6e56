// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/LineReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace harukaze {

const char* const NOT_A_REGULAR_FILE = "通常のファイルではありません";

int openRegularFileForReading(const std::string& path, std::string* error)
{
    // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer or a device; it means
    // nothing for a regular file, which is all that is read from the descriptor afterwards.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (error)
            *error = std::strerror(errno);
        return -1;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0) {
        const int code = errno;
        ::close(fd);
        if (error)
            *error = std::strerror(code);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        if (error)
            *error = NOT_A_REGULAR_FILE;
        return -1;
    }
    return fd;
}

LineReader::LineReader(int fd, size_t blockSize)
    : m_fd(fd)
    , m_block(blockSize > 0 ? blockSize : 1)
{
    m_data = m_block.data();
}

LineReader::LineReader(std::string_view bytes)
    : m_data(bytes.data())
    , m_size(bytes.size())
    , m_atEnd(true)
{
}

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    for (;;) {
        const ssize_t n = ::read(m_fd, m_block.data(), m_block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0)
                m_error = errno;
            m_atEnd = true;
            return false;
        }
        m_pos = 0;
        m_size = static_cast<size_t>(n);
        return true;
    }
}

bool LineReader::skipLineFeed()
{
    if (m_pos == m_size && !fill())
        return m_error == 0;
    if (m_data[m_pos] == '\n') {
        ++m_pos;
        ++m_consumed;
    }
    return true;
}

LineReader::Status LineReader::next(std::string& line, size_t maxBytes)
{
    line.clear();
    bool started = false;
    for (;;) {
        if (m_pos == m_size && !fill()) {
            if (m_error != 0)
                return Status::Failed;
            return started ? Status::Line : Status::End;
        }
        started = true;
        const char* begin = m_data + m_pos;
        const size_t available = m_size - m_pos;
        size_t length = 0;
        while (length < available && begin[length] != '\r' && begin[length] != '\n')
            ++length;
        if (line.size() + length > maxBytes) {
            // The part read so far stays consumed; the caller gives up on the file anyway.
            return Status::TooLong;
        }
        line.append(begin, length);
        m_pos += length;
        m_consumed += length;
        if (length == available)
            continue;
        const char end = m_data[m_pos++];
        ++m_consumed;
        if (end == '\r' && !skipLineFeed())
            return Status::Failed;
        return Status::Line;
    }
}

} // namespace harukaze
