// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plan/SaveFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace harukaze;

namespace {

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
    EXPECT_NE(error.find(path), std::string::npos) << error;
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

} // namespace
