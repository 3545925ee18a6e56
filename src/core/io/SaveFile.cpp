// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/SaveFile.h"

#include "core/io/FileDescriptor.h"
#include "core/io/LineReader.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <poll.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace harukaze {

namespace {

constexpr int MAX_SYMBOLIC_LINKS = 40; // as the kernel allows
constexpr std::string_view TEMPORARY_PREFIX = ".harukaze-";
constexpr std::string_view TEMPORARY_SUFFIX = ".tmp";
constexpr size_t TEMPORARY_TAG_LENGTH = 6;
constexpr std::string_view TAG_CHARACTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int LOCK_WAIT_MS = 10000;
constexpr int LOCK_POLL_MS = 10;

bool fail(std::string* error, int code)
{
    if (error)
        *error = std::strerror(code);
    return false;
}

bool failNotRegular(std::string* error)
{
    if (error)
        *error = NOT_A_REGULAR_FILE;
    return false;
}

void reach(SaveStep step)
{
    if (void (*hook)(SaveStep) = saveFileTestHooks().atStep)
        hook(step);
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes all of `bytes` at the descriptor's position, waiting when a stream is full.
bool writeAll(int fd, std::string_view bytes, int& code)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n >= 0) {
            written += static_cast<size_t>(n);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN) {
            pollfd wait { fd, POLLOUT, 0 };
            ::poll(&wait, 1, -1);
            continue;
        }
        code = errno;
        return false;
    }
    return true;
}

// Flushes a file to disk; file systems that cannot (EINVAL) have nothing to flush.
bool flush(int fd, int& code)
{
    if (::fsync(fd) == 0 || errno == EINVAL)
        return true;
    code = errno;
    return false;
}

// ---- the target ----

// The file that `path` names after following symbolic links, or the name to create when nothing
// exists there. Each link is read and taken relative to the folder of the link, as the kernel
// does, so that the file is replaced in its own folder and the links stay.
bool followLinks(const std::string& path, std::string& target, int& code)
{
    std::string current = path;
    std::vector<char> buffer(PATH_MAX + 1);
    for (int links = 0; links <= MAX_SYMBOLIC_LINKS; ++links) {
        struct stat info
        {
        };
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                code = errno;
                return false;
            }
            target = current;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<size_t>(length) >= buffer.size()) {
            code = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string link(buffer.data(), static_cast<size_t>(length));
        current = !link.empty() && link[0] == '/' ? link : folderOf(current) + "/" + link;
    }
    code = ELOOP;
    return false;
}

// Whether the existing regular file `target` may be replaced. The permission bits are asked
// first: a file nobody may write (0444) is read-only even for root, who passes every access check.
bool mayReplace(const std::string& target, const struct stat& info, int& code)
{
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        code = EACCES;
        return false;
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        code = errno;
        return false;
    }
    // Immutable and append-only files cannot be changed even by root; the access check does not
    // always see it (glibc may answer it from the mode bits).
    const FileDescriptor file(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
    int flags = 0;
    if (file.isOpen() && ::ioctl(file.get(), FS_IOC_GETFLAGS, &flags) == 0
        && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0) {
        code = EPERM;
        return false;
    }
    return true;
}

// ---- temporary files ----

std::string randomTag()
{
    unsigned char random[TEMPORARY_TAG_LENGTH] {};
    if (::getrandom(random, sizeof(random), GRND_NONBLOCK) != static_cast<ssize_t>(sizeof(random))) {
        static unsigned counter = 0;
        timespec now {};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        unsigned long long mix = static_cast<unsigned long long>(now.tv_nsec) * 2654435761u + ++counter;
        for (unsigned char& byte : random) {
            byte = static_cast<unsigned char>(mix);
            mix = mix * 6364136223846793005ull + 1442695040888963407ull;
            mix ^= mix >> 29;
        }
    }
    std::string tag;
    for (unsigned char byte : random)
        tag += TAG_CHARACTERS[byte % TAG_CHARACTERS.size()];
    return tag;
}

std::string temporaryName()
{
    return std::string(TEMPORARY_PREFIX) + std::to_string(::getpid()) + "-" + randomTag()
        + std::string(TEMPORARY_SUFFIX);
}

// The process id in a name temporaryName() made, or 0 for any other name.
pid_t temporaryOwner(std::string_view name)
{
    if (name.substr(0, TEMPORARY_PREFIX.size()) != TEMPORARY_PREFIX)
        return 0;
    name.remove_prefix(TEMPORARY_PREFIX.size());
    long long pid = 0;
    size_t digits = 0;
    while (digits < name.size() && digits < 10 && name[digits] >= '0' && name[digits] <= '9')
        pid = pid * 10 + (name[digits++] - '0');
    if (digits == 0 || pid <= 0 || pid > INT_MAX)
        return 0;
    name.remove_prefix(digits);
    if (name.size() != 1 + TEMPORARY_TAG_LENGTH + TEMPORARY_SUFFIX.size() || name[0] != '-'
        || name.substr(1 + TEMPORARY_TAG_LENGTH) != TEMPORARY_SUFFIX)
        return 0;
    for (char c : name.substr(1, TEMPORARY_TAG_LENGTH)) {
        if (TAG_CHARACTERS.find(c) == std::string_view::npos)
            return 0;
    }
    return static_cast<pid_t>(pid);
}

// Removes the hidden temporaries in the folder that no live save holds. A save locks its
// temporary before giving it a name and keeps the lock to the end, so a temporary is stale when
// its lock is free and the process named in it is gone (both, so that a save in another PID
// namespace, or one that has just created its file, is never disturbed).
void removeStaleTemporaries(int folder)
{
    const int copy = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copy < 0)
        return;
    DIR* entries = ::fdopendir(copy);
    if (entries == nullptr) {
        ::close(copy);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const pid_t owner = temporaryOwner(entry->d_name);
        if (owner == 0)
            continue;
        if (owner != ::getpid() && !(::kill(owner, 0) != 0 && errno == ESRCH))
            continue;
        const int flags = O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;
        FileDescriptor file(::openat(folder, entry->d_name, O_RDONLY | flags));
        if (!file.isOpen())
            file = FileDescriptor(::openat(folder, entry->d_name, O_WRONLY | flags));
        struct stat info
        {
        };
        // Root passes every permission check: a file of another user that looks like a temporary
        // of ours is that user's, whatever its name says.
        if (!file.isOpen() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

// The temporary file of one save: unnamed (O_TMPFILE) until it is linked, or a hidden name.
struct Temporary
{
    FileDescriptor file;
    std::string name;
};

// The owner and permissions the saved file is to have.
struct Permissions
{
    bool replacing = false;
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
};

bool createNamed(int folder, mode_t mode, Temporary& temporary, int& code)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = temporaryName();
        const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            temporary.file = FileDescriptor(fd);
            temporary.name = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            code = errno;
            return false;
        }
    }
    code = EEXIST;
    return false;
}

// Writes `bytes` to a new temporary file in the folder and flushes it. A replaced file's
// permissions are set before the first byte is written, so its text is never readable by more
// people than before.
bool writeTemporary(
    int folder, std::string_view bytes, const Permissions& permissions, bool named, Temporary& temporary, int& code)
{
    // A new file gets 0666 less the umask (and a default ACL), as any file the user creates.
    const mode_t createMode = permissions.replacing ? 0600 : 0666;
    temporary = Temporary();
    if (!named) {
        // File systems without O_TMPFILE refuse it (EOPNOTSUPP, or EISDIR on old kernels); a
        // hidden name serves there, and reports any other failure in its own words.
        const int fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, createMode);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            temporary.file = FileDescriptor(fd);
        }
    }
    if (!temporary.file.isOpen() && !createNamed(folder, createMode, temporary, code))
        return false;

    const int fd = temporary.file.get();
    if (permissions.replacing) {
        // Root keeps the owner of the file it replaces; a user can keep at most the group.
        if (::fchown(fd, permissions.owner, permissions.group) != 0)
            static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), permissions.group));
        ::fchmod(fd, permissions.mode);
    }
    if (writeAll(fd, bytes, code) && flush(fd, code))
        return true;
    if (!temporary.name.empty())
        ::unlinkat(folder, temporary.name.c_str(), 0);
    temporary = Temporary();
    return false;
}

// Links an unnamed temporary as `name` in the folder: through /proc, or AT_EMPTY_PATH where the
// process may use it.
bool linkUnnamed(int fd, int folder, const std::string& name, int& code)
{
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, proc.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    code = errno;
    if (code == EEXIST)
        return false;
    if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    if (errno == EEXIST)
        code = EEXIST;
    return false;
}

// Gives an unnamed temporary a hidden name. False when linking is impossible here.
bool nameUnnamed(Temporary& temporary, int folder)
{
    int code = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = temporaryName();
        if (linkUnnamed(temporary.file.get(), folder, name, code)) {
            temporary.name = std::move(name);
            return true;
        }
        if (code != EEXIST)
            return false;
    }
    return false;
}

// Rename without replacing anything when the target did not exist at the start: a file that
// appeared meanwhile was never checked and is not overwritten.
bool renameIntoPlace(int folder, const std::string& from, const std::string& to, bool replacing, int& code)
{
    if (!replacing) {
        if (::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno != EINVAL && errno != ENOSYS) {
            code = errno;
            return false;
        }
    }
    if (::renameat(folder, from.c_str(), folder, to.c_str()) == 0)
        return true;
    code = errno;
    return false;
}

// Signals that end a process but can wait: held back while a file is overwritten in place, so
// that an interrupt, a hang-up or a polite kill comes once the file holds the whole new text.
// Only SIGKILL (and a power cut) can still stop the write half way.
class HeldSignals
{
public:
    HeldSignals()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : { SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGTSTP })
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &m_previous);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t m_previous {};
};

// Reserves room for `length` bytes of the file without changing what it holds, so that the write
// that follows cannot run out of room half way. File systems that cannot reserve say so and are
// written without (the temporary written before has shown that the text fits).
bool reserveRoom(int fd, off_t length, int& code)
{
    if (const int injected = saveFileTestHooks().reserveError) {
        code = injected;
        return false;
    }
    if (length == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length) == 0)
        return true;
    if (errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL) // EINVAL: not for this kind of file
        return true;
    code = errno;
    return false;
}

// A file with several names: after the text proved to fit (the temporary is written and flushed),
// the temporary is dropped to give its room back, the room for the new text is reserved in the file
// itself, and the file is overwritten from the start, then cut to the new length. Signals that can
// wait are held back from the first byte to the last; the caller holds the file's lock.
bool writeInPlace(int folder, const std::string& name, const struct stat& expected, std::string_view bytes, int& code)
{
    FileDescriptor file(::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.isOpen()) {
        code = errno;
        return false;
    }
    struct stat info
    {
    };
    if (::fstat(file.get(), &info) != 0 || info.st_dev != expected.st_dev || info.st_ino != expected.st_ino) {
        code = ENOENT;
        return false;
    }
    if (!reserveRoom(file.get(), static_cast<off_t>(bytes.size()), code))
        return false;
    {
        const HeldSignals held;
        if (!writeAll(file.get(), bytes, code))
            return false;
        reach(SaveStep::InPlaceWritten);
        if (::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) {
            code = errno;
            return false;
        }
        if (!flush(file.get(), code))
            return false;
    }
    if (file.reset() != 0) {
        code = errno;
        return false;
    }
    return true;
}

// Takes the exclusive lock of the file being replaced, which every save of the file takes, so that
// two saves of one file (two names of a hard-linked file above all) follow each other instead of
// mixing. A lock that is not given up within LOCK_WAIT_MS fails the save (EWOULDBLOCK).
bool lockTarget(const FileDescriptor& file, int& code)
{
    if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
        return true;
    reach(SaveStep::WaitingForLock);
    for (int waited = 0; waited < LOCK_WAIT_MS; waited += LOCK_POLL_MS) {
        const timespec pause { 0, LOCK_POLL_MS * 1000000L };
        ::nanosleep(&pause, nullptr);
        if (::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
    }
    code = errno == EINTR ? EWOULDBLOCK : errno;
    return false;
}

bool saveRegular(const std::string& path, std::string_view bytes, const struct stat* existing, std::string* error)
{
    int code = 0;
    std::string target;
    if (!followLinks(path, target, code))
        return fail(error, code);
    // The file the links lead to must be the one the path opens (a name under /proc/PID/fd of a
    // deleted file, for one, leads nowhere a save could put it).
    struct stat info
    {
    };
    const bool targetExists = ::lstat(target.c_str(), &info) == 0;
    if (targetExists != (existing != nullptr)
        || (existing && (info.st_dev != existing->st_dev || info.st_ino != existing->st_ino)))
        return fail(error, ENOENT);
    const std::string folderPath = folderOf(target);
    const std::string name = nameOf(target);
    if (name.empty())
        return fail(error, EISDIR);
    if (name.size() > NAME_MAX)
        return fail(error, ENAMETOOLONG);

    Permissions permissions;
    FileDescriptor locked;
    if (existing) {
        if (!mayReplace(target, info, code))
            return fail(error, code);
        const int flags = O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;
        locked = FileDescriptor(::open(target.c_str(), O_RDONLY | flags));
        if (!locked.isOpen())
            locked = FileDescriptor(::open(target.c_str(), O_WRONLY | flags)); // a file its owner may not read
        struct stat lockedInfo
        {
        };
        if (!locked.isOpen() || ::fstat(locked.get(), &lockedInfo) != 0)
            return fail(error, errno);
        if (lockedInfo.st_dev != info.st_dev || lockedInfo.st_ino != info.st_ino)
            return fail(error, ENOENT);
        if (!lockTarget(locked, code))
            return fail(error, code);
        permissions.replacing = true;
        permissions.owner = info.st_uid;
        permissions.group = info.st_gid;
        permissions.mode = info.st_mode & 07777;
    }

    const FileDescriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen())
        return fail(error, errno);
    struct statvfs fileSystem
    {
    };
    if (::fstatvfs(folder.get(), &fileSystem) == 0 && (fileSystem.f_flag & ST_RDONLY) != 0)
        return fail(error, EROFS);
    removeStaleTemporaries(folder.get());

    Temporary temporary;
    if (!writeTemporary(folder.get(), bytes, permissions, saveFileTestHooks().namedTemporary, temporary, code))
        return fail(error, code);
    reach(SaveStep::TemporaryWritten);

    if (existing && info.st_nlink > 1) {
        if (!temporary.name.empty())
            ::unlinkat(folder.get(), temporary.name.c_str(), 0);
        temporary = Temporary();
        reach(SaveStep::BeforeReplace);
        if (!writeInPlace(folder.get(), name, info, bytes, code))
            return fail(error, code);
        return true;
    }

    if (temporary.name.empty()) {
        if (!existing) {
            // A new file: the unnamed temporary becomes it in one step, never seen under another name.
            reach(SaveStep::BeforeReplace);
            if (linkUnnamed(temporary.file.get(), folder.get(), name, code)) {
                temporary = Temporary();
                if (!flush(folder.get(), code))
                    return fail(error, code);
                return true;
            }
            if (code == EEXIST)
                return fail(error, code);
        } else {
            nameUnnamed(temporary, folder.get());
        }
        // Where the unnamed file cannot be linked (no /proc, no permission for AT_EMPTY_PATH), the
        // text is written once more under a hidden name.
        if (temporary.name.empty() && !writeTemporary(folder.get(), bytes, permissions, true, temporary, code))
            return fail(error, code);
    }

    reach(SaveStep::BeforeReplace);
    if (!renameIntoPlace(folder.get(), temporary.name, name, existing != nullptr, code)) {
        ::unlinkat(folder.get(), temporary.name.c_str(), 0);
        return fail(error, code);
    }
    temporary = Temporary();
    if (!flush(folder.get(), code))
        return fail(error, code);
    return true;
}

// ---- streams ----

// The descriptor that a name of the process's own descriptors stands for, or -1.
int ownDescriptor(const std::string& path)
{
    int fd = -1;
    if (path == "/dev/stdout") {
        fd = 1;
    } else if (path == "/dev/stderr") {
        fd = 2;
    } else {
        const std::string prefixes[] = { "/dev/fd/", "/proc/self/fd/", "/proc/" + std::to_string(::getpid()) + "/fd/" };
        for (const std::string& prefix : prefixes) {
            if (path.compare(0, prefix.size(), prefix) != 0)
                continue;
            const std::string number = path.substr(prefix.size());
            if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos)
                return -1;
            fd = std::stoi(number);
        }
    }
    if (fd < 0)
        return -1;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY)
        return -1;
    return fd;
}

bool streamable(mode_t mode)
{
    return S_ISFIFO(mode) || S_ISCHR(mode);
}

bool writeToDescriptor(int fd, std::string_view bytes, std::string* error)
{
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        return fail(error, errno);
    // The process's own descriptor is written whatever it is open on (a pipe, a socket, a
    // terminal, a device) and, when it is a regular file, where the descriptor stands, as with
    // the shell's redirections. Only a folder cannot take text.
    if (S_ISDIR(info.st_mode))
        return failNotRegular(error);
    int code = 0;
    if (!writeAll(fd, bytes, code))
        return fail(error, code);
    return true;
}

bool writeToStreamPath(const std::string& path, const struct stat& expected, std::string_view bytes, std::string* error)
{
    // A FIFO's open waits for its reader, as any writer's does; a device is opened without waiting
    // (a serial line for its carrier) and then written normally.
    const int nonBlocking = S_ISCHR(expected.st_mode) ? O_NONBLOCK : 0;
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | nonBlocking));
    if (!file.isOpen())
        return fail(error, errno);
    struct stat info
    {
    };
    if (::fstat(file.get(), &info) != 0)
        return fail(error, errno);
    if (!streamable(info.st_mode))
        return failNotRegular(error);
    if (nonBlocking)
        ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    int code = 0;
    if (!writeAll(file.get(), bytes, code))
        return fail(error, code);
    if (file.reset() != 0)
        return fail(error, errno);
    return true;
}

bool save(const std::string& path, std::string_view bytes, std::string* error, bool streams)
{
    if (path.empty())
        return fail(error, ENOENT);
    if (streams) {
        const int fd = ownDescriptor(path);
        if (fd >= 0)
            return writeToDescriptor(fd, bytes, error);
    }
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return fail(error, errno);
        return saveRegular(path, bytes, nullptr, error);
    }
    if (S_ISREG(info.st_mode))
        return saveRegular(path, bytes, &info, error);
    if (streams && streamable(info.st_mode))
        return writeToStreamPath(path, info, bytes, error);
    return failNotRegular(error);
}

} // namespace

bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string* error)
{
    return save(path, bytes, error, false);
}

bool saveFileOrStream(const std::string& path, std::string_view bytes, std::string* error)
{
    return save(path, bytes, error, true);
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string* error)
{
    const FileDescriptor file(openRegularFileForReading(path, error));
    if (!file.isOpen())
        return false;
    std::string read;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof(buffer));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(error, errno);
        }
        read.append(buffer, static_cast<size_t>(n));
    }
    bytes = std::move(read);
    return true;
}

SaveFileTestHooks& saveFileTestHooks()
{
    static SaveFileTestHooks hooks;
    return hooks;
}

} // namespace harukaze
