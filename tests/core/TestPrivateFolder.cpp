// SPDX-License-Identifier: GPL-3.0-or-later
// The user's private folder: made when missing, and refused whenever someone else could have put
// something in it (a link, a folder open to others, a folder of another user).
#include "core/io/PrivateFolder.h"

#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace harukaze;
using tabletest::TempDir;

namespace {

TEST(TestPrivateFolder, onlyTheUsersOwnClosedFolderIsUsed)
{
    struct Row
    {
        const char* name;
        std::function<void(const std::string& folder)> plant; // what is there first, as "harukaze-UID"
        bool used;
        const char* problem; // part of the reason given when it is not used
        bool rootOnly;
    };
    const Row rows[] = {
        { "nothing there: made 0700", [](const std::string&) {}, true, "", false },
        { "the user's own closed folder", [](const std::string& f) { mkdir(f.c_str(), 0700); }, true, "", false },
        { "a folder open to others",
            [](const std::string& f) {
                mkdir(f.c_str(), 0700);
                chmod(f.c_str(), 0777);
            },
            false,
            "open to other users",
            false },
        { "a link to a closed folder",
            [](const std::string& f) {
                mkdir((f + "-elsewhere").c_str(), 0700);
                static_cast<void>(symlink((f + "-elsewhere").c_str(), f.c_str()));
            },
            false,
            "a symbolic link",
            false },
        { "another user's closed folder",
            [](const std::string& f) {
                mkdir(f.c_str(), 0700);
                static_cast<void>(chown(f.c_str(), 65534, 65534));
            },
            false,
            "owned by another user",
            true },
    };
    for (const Row& row : rows) {
        if (row.rootOnly && geteuid() != 0)
            continue; // only root can make a folder another user owns
        TempDir dir;
        std::string base = dir.path();
        if (base.back() == '/')
            base.pop_back();
        // A sticky folder open to all, as /tmp is.
        ASSERT_EQ(chmod(base.c_str(), 01777), 0);
        const std::string expected = base + "/harukaze-" + std::to_string(geteuid());
        row.plant(expected);
        std::string problem;
        const std::string folder = userPrivateFolder(dir.path(), &problem);
        EXPECT_EQ(folder, row.used ? expected : std::string()) << row.name;
        EXPECT_NE(problem.find(row.problem), std::string::npos) << row.name << ": " << problem;
        if (row.used) {
            struct stat info
            {
            };
            ASSERT_EQ(lstat(folder.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, 0700u) << row.name;
        }
        // The runtime folder is taken as it is when it is private, passed over otherwise.
        EXPECT_EQ(privateFolder(base + "/runtime-missing", base), folder) << row.name;
    }
}

} // namespace
