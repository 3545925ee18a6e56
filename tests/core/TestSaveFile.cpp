// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/SaveFile.h"

#include "TableTestSupport.h"
#include "core/io/LineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <linux/fs.h>
#include <sched.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace harukaze;
using tabletest::folderEntries;
using tabletest::HangGuard;

namespace {

// Exit status of a child that could not set up its case (no root, no mount namespace).
constexpr int CHILD_SKIPPED = 77;

// Runs `body` in a child process; its exit status, or 128 + the signal that ended it.
int inChild(const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A node of the same device as /dev/null in the test folder when the tests run as root, so that
// a fault can never replace the system's own; /dev/null itself otherwise (a user cannot replace it).
std::string nullDevice(const std::string& dir)
{
    const std::string path = dir + "/null";
    if (getuid() == 0 && mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        return path;
    return "/dev/null";
}

std::string bindSocket(const std::string& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", path.c_str());
    bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    close(fd);
    return path;
}

mode_t kindOf(const std::string& path)
{
    struct stat info
    {
    };
    lstat(path.c_str(), &info);
    return info.st_mode & S_IFMT;
}

class TestSaveFile : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/harukaze-save-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }

    std::string read(const std::string& path)
    {
        std::string bytes;
        EXPECT_TRUE(readWholeFile(path, bytes)) << path;
        return bytes;
    }

    // Names in the folder, to see that no temporary file is left behind.
    std::vector<std::string> entries()
    {
        std::vector<std::string> names;
        DIR* dir = opendir(m_dir.c_str());
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
        return names;
    }

    std::string m_dir;
};

TEST_F(TestSaveFile, createsAndReplacesTheWholeFile)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "a long first content\r\n"));
    EXPECT_EQ(read(path), "a long first content\r\n");
    ASSERT_TRUE(saveFileAtomically(path, "short"));
    EXPECT_EQ(read(path), "short");
    ASSERT_TRUE(saveFileAtomically(path, ""));
    EXPECT_EQ(read(path), "");
    EXPECT_EQ(entries(), std::vector<std::string> { "plan.HRZ" });
}

TEST_F(TestSaveFile, bytesAreKeptExactly)
{
    const std::string bytes("\0\r\n\x81\x40\xFF\n", 7);
    const std::string path = m_dir + "/binary";
    ASSERT_TRUE(saveFileAtomically(path, bytes));
    EXPECT_EQ(read(path), bytes);
}

TEST_F(TestSaveFile, keepsThePermissionsOfTheReplacedFile)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "1"));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(saveFileAtomically(path, "2"));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    const mode_t mask = umask(022);
    ASSERT_TRUE(saveFileAtomically(m_dir + "/new", "3"));
    umask(mask);
    ASSERT_EQ(stat((m_dir + "/new").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u) << "a new file is not left with mkstemp's 0600";
}

TEST_F(TestSaveFile, failuresLeaveTheTargetAndNoTemporaryFile)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));

    struct Row
    {
        const char* name;
        std::string target;
    };
    ASSERT_EQ(mkdir((m_dir + "/folder").c_str(), 0755), 0);
    const Row rows[] = {
        { "missing folder", m_dir + "/missing/plan.HRZ" },
        { "parent is a regular file", path + "/plan.HRZ" },
        { "target is a folder", m_dir + "/folder" },
        { "empty name", "" },
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_FALSE(saveFileAtomically(row.target, "new", &error)) << row.name;
        EXPECT_FALSE(error.empty()) << row.name;
    }
    EXPECT_EQ(read(path), "old content");
    std::vector<std::string> names = entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> { "folder", "plan.HRZ" }));
}

TEST_F(TestSaveFile, writeFailingPartWayLeavesTheOldFile)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool saved = saveFileAtomically(path, std::string(5000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(read(path), "old content");
    EXPECT_EQ(entries(), std::vector<std::string> { "plan.HRZ" });
}

TEST_F(TestSaveFile, readWholeFileReportsMissingAndFolders)
{
    std::string bytes = "kept";
    std::string error;
    EXPECT_FALSE(readWholeFile(m_dir + "/none", bytes, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(readWholeFile(m_dir, bytes, &error));
    EXPECT_EQ(bytes, "kept");

    std::ofstream(m_dir + "/empty").close();
    EXPECT_TRUE(readWholeFile(m_dir + "/empty", bytes));
    EXPECT_EQ(bytes, "");

    const std::string big(100000, '\x92');
    ASSERT_TRUE(saveFileAtomically(m_dir + "/big", big));
    EXPECT_EQ(read(m_dir + "/big"), big);
}

// ---- what may not be replaced ----

TEST_F(TestSaveFile, fileNobodyMayWriteIsRefusedAndKept)
{
    // The mode bits decide even for root, who passes every access check.
    for (const mode_t mode : { 0444, 0400, 0555 }) {
        const std::string path = m_dir + "/plan.HRZ";
        ASSERT_TRUE(saveFileAtomically(path, "old content"));
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        std::string error;
        EXPECT_FALSE(saveFileAtomically(path, "new", &error)) << std::oct << mode;
        EXPECT_EQ(error, "Permission denied");
        EXPECT_EQ(read(path), "old content");
        EXPECT_EQ(entries(), std::vector<std::string> { "plan.HRZ" });
        ASSERT_EQ(chmod(path.c_str(), 0644), 0);
        ASSERT_EQ(unlink(path.c_str()), 0);
    }
}

TEST_F(TestSaveFile, fileOfAnotherUserIsRefusedInAFolderOpenToAll)
{
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to take the part of another user (nobody) in a child process";
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "root's plan"));
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(chmod(m_dir.c_str(), 0777), 0); // the rename alone would be allowed
    const int status = inChild([&] {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            return CHILD_SKIPPED;
        std::string error;
        if (saveFileAtomically(path, "nobody's plan", &error) || error != "Permission denied")
            return 1;
        return saveFileAtomically(m_dir + "/own.HRZ", "nobody's plan") ? 0 : 2;
    });
    ASSERT_NE(status, CHILD_SKIPPED);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(path), "root's plan");
}

TEST_F(TestSaveFile, immutableFileIsRefusedEvenForRoot)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));
    const int fd = open(path.c_str(), O_RDONLY);
    int flags = 0;
    ioctl(fd, FS_IOC_GETFLAGS, &flags);
    flags |= FS_IMMUTABLE_FL;
    const bool set = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (!set) {
        close(fd);
        GTEST_SKIP() << "cannot mark a file immutable here (needs root and a file system with the flag)";
    }
    std::string error;
    const bool saved = saveFileAtomically(path, "new", &error);
    flags &= ~FS_IMMUTABLE_FL;
    ioctl(fd, FS_IOC_SETFLAGS, &flags);
    close(fd);
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "Operation not permitted");
    EXPECT_EQ(read(path), "old content");
    EXPECT_EQ(entries(), std::vector<std::string> { "plan.HRZ" });
}

TEST_F(TestSaveFile, readOnlyFileSystemIsRefused)
{
    const std::string mountPoint = m_dir + "/ro";
    ASSERT_EQ(mkdir(mountPoint.c_str(), 0755), 0);
    // A child in a user and mount namespace of its own (no root needed where the system allows
    // them): a tmpfs with a file, remounted read-only.
    const int status = inChild([&] {
        const std::string uid = std::to_string(getuid());
        const std::string gid = std::to_string(getgid());
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return CHILD_SKIPPED;
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, nullptr) != 0)
            return CHILD_SKIPPED;
        const std::string path = mountPoint + "/plan.HRZ";
        if (!saveFileAtomically(path, "old content")
            || mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return CHILD_SKIPPED;
        std::string replaceError;
        std::string createError;
        const bool replaced = saveFileAtomically(path, "new", &replaceError);
        const bool created = saveFileAtomically(mountPoint + "/new.HRZ", "new", &createError);
        std::string bytes;
        readWholeFile(path, bytes);
        return !replaced && !created && replaceError == "Read-only file system"
                && createError == "Read-only file system" && bytes == "old content"
            ? 0
            : 1;
    });
    if (status == CHILD_SKIPPED)
        GTEST_SKIP() << "cannot mount a read-only file system here (no user and mount namespaces)";
    EXPECT_EQ(status, 0);
}

TEST_F(TestSaveFile, anythingButARegularFileIsRefusedAndStays)
{
    HangGuard guard;
    ASSERT_EQ(mkfifo((m_dir + "/fifo").c_str(), 0644), 0);
    ASSERT_EQ(mkdir((m_dir + "/folder").c_str(), 0755), 0);
    const std::string targets[]
        = { m_dir + "/fifo", m_dir + "/folder", bindSocket(m_dir + "/socket"), nullDevice(m_dir) };
    for (const std::string& target : targets) {
        const mode_t kind = kindOf(target);
        std::string error;
        EXPECT_FALSE(saveFileAtomically(target, "new", &error)) << target;
        EXPECT_EQ(error, NOT_A_REGULAR_FILE) << target;
        EXPECT_EQ(kindOf(target), kind) << target;
    }
    // A link to a FIFO is refused like the FIFO, and stays a link.
    ASSERT_EQ(symlink("fifo", (m_dir + "/link").c_str()), 0);
    EXPECT_FALSE(saveFileAtomically(m_dir + "/link", "new"));
    EXPECT_EQ(kindOf(m_dir + "/link"), S_IFLNK);
    EXPECT_EQ(kindOf(m_dir + "/fifo"), S_IFIFO);
}

// ---- links ----

TEST_F(TestSaveFile, symbolicLinksAreFollowedAndStay)
{
    // chain -> b/link -> ../a/plan.HRZ: the plan is replaced in a/, the links stay as they were.
    ASSERT_EQ(mkdir((m_dir + "/a").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((m_dir + "/b").c_str(), 0755), 0);
    ASSERT_TRUE(saveFileAtomically(m_dir + "/a/plan.HRZ", "old content"));
    ASSERT_EQ(symlink("../a/plan.HRZ", (m_dir + "/b/link").c_str()), 0);
    ASSERT_EQ(symlink("b/link", (m_dir + "/chain").c_str()), 0);

    std::string error;
    ASSERT_TRUE(saveFileAtomically(m_dir + "/chain", "new content", &error)) << error;
    EXPECT_EQ(read(m_dir + "/a/plan.HRZ"), "new content");
    EXPECT_EQ(kindOf(m_dir + "/chain"), S_IFLNK);
    EXPECT_EQ(kindOf(m_dir + "/b/link"), S_IFLNK);
    EXPECT_EQ(folderEntries(m_dir + "/a"), std::vector<std::string> { "plan.HRZ" });
    EXPECT_EQ(folderEntries(m_dir + "/b"), std::vector<std::string> { "link" });

    // A link to a file that does not exist yet creates that file.
    ASSERT_EQ(symlink("a/new.HRZ", (m_dir + "/dangling").c_str()), 0);
    ASSERT_TRUE(saveFileAtomically(m_dir + "/dangling", "created"));
    EXPECT_EQ(read(m_dir + "/a/new.HRZ"), "created");
    EXPECT_EQ(kindOf(m_dir + "/dangling"), S_IFLNK);
}

TEST_F(TestSaveFile, hardLinkedFileIsWrittenInPlaceForEveryName)
{
    const std::string path = m_dir + "/plan.HRZ";
    const std::string other = m_dir + "/copy.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "a longer old content"));
    ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
    // Shorter, then longer than before: the file is cut to the new length.
    for (const std::string bytes : { "short", "a much longer new content than before" }) {
        ASSERT_TRUE(saveFileAtomically(other, bytes));
        EXPECT_EQ(read(path), bytes);
        EXPECT_EQ(read(other), bytes);
    }
    struct stat first
    {
    };
    struct stat second
    {
    };
    stat(path.c_str(), &first);
    stat(other.c_str(), &second);
    EXPECT_EQ(first.st_ino, second.st_ino);
    EXPECT_EQ(first.st_nlink, 2u);
    EXPECT_EQ(entries().size(), 2u) << "no temporary left";
}

TEST_F(TestSaveFile, hardLinkedFileIsUntouchedWhenTheTextDoesNotFit)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));
    ASSERT_EQ(link(path.c_str(), (m_dir + "/copy.HRZ").c_str()), 0);

    // The file size limit stands for a full disk: the temporary fails before the file is opened.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool saved = saveFileAtomically(path, std::string(5000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(read(path), "old content");
    EXPECT_EQ(read(m_dir + "/copy.HRZ"), "old content");
    EXPECT_EQ(entries().size(), 2u);
}

TEST_F(TestSaveFile, hardLinkedFileIsUntouchedWhenTheDiskFillsBeforeTheInPlaceWrite)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));
    ASSERT_EQ(link(path.c_str(), (m_dir + "/copy.HRZ").c_str()), 0);
    // The temporary fitted, then the disk filled: the room cannot be reserved in the file itself.
    saveFileTestHooks().reserveError = ENOSPC;
    std::string error;
    const bool saved = saveFileAtomically(path, std::string(5000, 'x'), &error);
    saveFileTestHooks().reserveError = 0;
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "No space left on device");
    EXPECT_EQ(read(path), "old content");
    EXPECT_EQ(read(m_dir + "/copy.HRZ"), "old content");
    EXPECT_EQ(entries().size(), 2u);
}

TEST_F(TestSaveFile, hardLinkSavedWhileAnotherSaveHoldsTheLockWaitsForIt)
{
    HangGuard guard;
    const std::string path = m_dir + "/plan.HRZ";
    const std::string other = m_dir + "/copy.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));
    ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
    // The first save, through one name, stops holding the lock just before it writes in place.
    const pid_t first = fork();
    if (first == 0) {
        saveFileTestHooks().atStep = [](SaveStep step) {
            if (step == SaveStep::BeforeReplace)
                raise(SIGSTOP);
        };
        _exit(saveFileAtomically(path, "the first save's much longer content") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, WUNTRACED), first);
    ASSERT_TRUE(WIFSTOPPED(status));

    // The second save, through the other name, finds the lock taken: only then does the first go on.
    static pid_t s_first;
    static bool s_waited;
    s_first = first;
    s_waited = false;
    saveFileTestHooks().atStep = [](SaveStep step) {
        if (step == SaveStep::WaitingForLock && !s_waited) {
            s_waited = true;
            kill(s_first, SIGCONT);
        }
    };
    const bool saved = saveFileAtomically(other, "second");
    saveFileTestHooks().atStep = nullptr;
    ASSERT_EQ(waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(s_waited);
    // One save after the other: the second's text whole, under both names.
    EXPECT_EQ(read(path), "second");
    EXPECT_EQ(read(other), "second");
}

TEST_F(TestSaveFile, rootKeepsTheOwnerOfTheFileItReplaces)
{
    if (getuid() != 0)
        GTEST_SKIP() << "only root can save a file of another user";
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old"));
    ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(saveFileAtomically(path, "new"));
    struct stat info
    {
    };
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

// ---- temporary files ----

TEST_F(TestSaveFile, namesUpToTheFileSystemLimitSave)
{
    const std::string longest(255, 'x');
    for (const bool named : { false, true }) {
        saveFileTestHooks().namedTemporary = named;
        const std::string path = m_dir + "/" + longest;
        std::string error;
        EXPECT_TRUE(saveFileAtomically(path, "created", &error)) << error;
        EXPECT_TRUE(saveFileAtomically(path, "replaced", &error)) << error;
        EXPECT_EQ(read(path), "replaced");
        EXPECT_EQ(entries(), std::vector<std::string> { longest });
        unlink(path.c_str());
    }
    saveFileTestHooks().namedTemporary = false;
    std::string error;
    EXPECT_FALSE(saveFileAtomically(m_dir + "/" + longest + "x", "too long", &error));
    EXPECT_EQ(error, "File name too long");
}

struct KillCase
{
    const char* name;
    bool namedTemporary;
    SaveStep step;
};

void PrintTo(const KillCase& row, std::ostream* out)
{
    *out << row.name;
}

class TestSaveFileKilled : public TestSaveFile, public testing::WithParamInterface<KillCase>
{
};

TEST_P(TestSaveFileKilled, killDuringASaveLeavesTheOldFileAndNothingVisible)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));
    static SaveStep killAt;
    killAt = GetParam().step;
    const int status = inChild([&] {
        saveFileTestHooks().namedTemporary = GetParam().namedTemporary;
        saveFileTestHooks().atStep = [](SaveStep step) {
            if (step == killAt)
                raise(SIGKILL);
        };
        saveFileAtomically(path, "new content");
        return 0;
    });
    ASSERT_EQ(status, 128 + SIGKILL);
    EXPECT_EQ(read(path), "old content");
    for (const std::string& name : entries())
        EXPECT_TRUE(name == "plan.HRZ" || name[0] == '.') << name << " is left in sight";

    // The next save in the folder clears what the killed one left.
    ASSERT_TRUE(saveFileAtomically(m_dir + "/other.HRZ", "x"));
    std::vector<std::string> names = entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> { "other.HRZ", "plan.HRZ" }));
}

INSTANTIATE_TEST_SUITE_P(Steps,
    TestSaveFileKilled,
    testing::Values(KillCase { "unnamedWritten", false, SaveStep::TemporaryWritten },
        KillCase { "unnamedBeforeRename", false, SaveStep::BeforeReplace },
        KillCase { "namedWritten", true, SaveStep::TemporaryWritten },
        KillCase { "namedBeforeRename", true, SaveStep::BeforeReplace }),
    [](const testing::TestParamInfo<KillCase>& info) { return std::string(info.param.name); });

struct HardLinkKill
{
    const char* name;
    SaveStep step;
    int signal;
    const char* expected;
};

void PrintTo(const HardLinkKill& row, std::ostream* out)
{
    *out << row.name;
}

class TestSaveFileHardLinkKilled : public TestSaveFile, public testing::WithParamInterface<HardLinkKill>
{
};

// SIGKILL before the first byte changes leaves the old text; a signal that can wait, sent while
// the file holds the new text but not yet its length, comes only once the file is whole.
TEST_P(TestSaveFileHardLinkKilled, killDuringTheInPlaceWriteLeavesOneWholeText)
{
    const std::string path = m_dir + "/plan.HRZ";
    const std::string other = m_dir + "/copy.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "a longer old content"));
    ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
    static HardLinkKill s_row;
    s_row = GetParam();
    const int status = inChild([&] {
        saveFileTestHooks().atStep = [](SaveStep step) {
            if (step == s_row.step)
                raise(s_row.signal);
        };
        saveFileAtomically(other, "new");
        return 0;
    });
    EXPECT_EQ(status, 128 + GetParam().signal);
    EXPECT_EQ(read(path), GetParam().expected);
    EXPECT_EQ(read(other), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Steps,
    TestSaveFileHardLinkKilled,
    testing::Values(HardLinkKill { "killedBeforeTheWrite", SaveStep::BeforeReplace, SIGKILL, "a longer old content" },
        HardLinkKill { "terminatedMidWrite", SaveStep::InPlaceWritten, SIGTERM, "new" },
        HardLinkKill { "hungUpMidWrite", SaveStep::InPlaceWritten, SIGHUP, "new" }),
    [](const testing::TestParamInfo<HardLinkKill>& info) { return std::string(info.param.name); });

TEST_F(TestSaveFile, rootRemovesOnlyItsOwnLeftTemporaries)
{
    if (getuid() != 0)
        GTEST_SKIP() << "only root could remove another user's file";
    // Named as a save of a process that is gone would name its temporary.
    const std::string mine = m_dir + "/.harukaze-2147483000-AbCdEf.tmp";
    const std::string theirs = m_dir + "/.harukaze-2147483000-XyZ012.tmp";
    std::ofstream(mine) << "left by a killed save";
    std::ofstream(theirs) << "another user's file";
    ASSERT_EQ(chown(theirs.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(saveFileAtomically(m_dir + "/plan.HRZ", "x"));
    EXPECT_EQ(kindOf(mine), 0u) << "the saving user's own left temporary is cleared";
    EXPECT_EQ(read(theirs), "another user's file");
}

TEST_F(TestSaveFile, temporaryOfASaveStillRunningIsKept)
{
    const std::string path = m_dir + "/plan.HRZ";
    ASSERT_TRUE(saveFileAtomically(path, "old content"));
    const pid_t pid = fork();
    if (pid == 0) {
        saveFileTestHooks().namedTemporary = true;
        saveFileTestHooks().atStep = [](SaveStep step) {
            if (step == SaveStep::BeforeReplace)
                raise(SIGSTOP);
        };
        _exit(saveFileAtomically(path, "the stopped save's content") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid);
    ASSERT_TRUE(WIFSTOPPED(status));

    // Another save in the folder meanwhile leaves the stopped save's temporary alone.
    ASSERT_TRUE(saveFileAtomically(m_dir + "/other.HRZ", "x"));
    EXPECT_EQ(entries().size(), 3u);
    kill(pid, SIGCONT);
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(read(path), "the stopped save's content");
    EXPECT_EQ(entries().size(), 2u);
}

// ---- streams ----

// harukaze-csv's tests write into a FIFO.
TEST_F(TestSaveFile, streamsGoToDevicesAndOwnDescriptors)
{
    HangGuard guard;
    // A descriptor of this process, named as a process substitution names it.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const std::string name = "/dev/fd/" + std::to_string(ends[1]);
    ASSERT_TRUE(saveFileOrStream(name, "through the pipe"));
    close(ends[1]);
    char buffer[64] {};
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(::read(ends[0], buffer, sizeof(buffer)))), "through the pipe");
    close(ends[0]);

    // Standard output may be a socket (a service manager's journal, a socket activation).
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    ASSERT_TRUE(saveFileOrStream("/proc/self/fd/" + std::to_string(pair[0]), "through the socket"));
    close(pair[0]);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(::read(pair[1], buffer, sizeof(buffer)))), "through the socket");
    close(pair[1]);

    const std::string device = nullDevice(m_dir);
    EXPECT_TRUE(saveFileOrStream(device, std::string(100000, 'z')));
    EXPECT_EQ(kindOf(device), S_IFCHR);

    // Folders and sockets are still refused; a regular file is still replaced whole.
    ASSERT_EQ(mkdir((m_dir + "/folder").c_str(), 0755), 0);
    for (const std::string& target : { m_dir + "/folder", bindSocket(m_dir + "/socket") }) {
        std::string error;
        EXPECT_FALSE(saveFileOrStream(target, "x", &error)) << target;
        EXPECT_EQ(error, NOT_A_REGULAR_FILE);
    }
    ASSERT_TRUE(saveFileOrStream(m_dir + "/out.csv", "first, longer"));
    ASSERT_TRUE(saveFileOrStream(m_dir + "/out.csv", "second"));
    EXPECT_EQ(read(m_dir + "/out.csv"), "second");
}

} // namespace
