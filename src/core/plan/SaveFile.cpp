// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/SaveFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace harukaze {

namespace {

void setError(std::string* error, const std::string& what, int code)
{
    if (error)
        *error = what + ": " + std::strerror(code);
}

mode_t currentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

} // namespace

bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string* error)
{
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        setError(error, path, errno);
        return false;
    }
    const std::string tempPath(name.data());

    // Keep the permissions of the file being replaced; a new file gets the usual 0666 less umask.
    struct stat existing;
    const mode_t mode = stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : (0666 & ~currentUmask());
    fchmod(fd, mode);

    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int code = errno;
            ::close(fd);
            ::unlink(tempPath.c_str());
            setError(error, path, code);
            return false;
        }
        written += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) {
        const int code = errno;
        ::close(fd);
        ::unlink(tempPath.c_str());
        setError(error, path, code);
        return false;
    }
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(tempPath.c_str());
        setError(error, path, code);
        return false;
    }
    if (std::rename(tempPath.c_str(), path.c_str()) != 0) {
        const int code = errno;
        ::unlink(tempPath.c_str());
        setError(error, path, code);
        return false;
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string* error)
{
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        setError(error, path, EISDIR);
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        setError(error, path, errno);
        return false;
    }
    bytes.clear();
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    const int code = errno;
    std::fclose(file);
    if (failed) {
        setError(error, path, code);
        return false;
    }
    return true;
}

} // namespace harukaze
