// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/io/PrivateFolder.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace harukaze {

namespace {

bool refuse(std::string* problem, const std::string& path, const std::string& reason)
{
    if (problem)
        *problem = path + ": " + reason;
    return false;
}

} // namespace

bool isPrivateFolder(const std::string& path, std::string* problem)
{
    if (path.empty() || path[0] != '/')
        return refuse(problem, path, "not an absolute path");
    struct stat info
    {
    };
    if (::lstat(path.c_str(), &info) != 0)
        return refuse(problem, path, std::strerror(errno));
    if (S_ISLNK(info.st_mode))
        return refuse(problem, path, "a symbolic link");
    if (!S_ISDIR(info.st_mode))
        return refuse(problem, path, "not a folder");
    if (info.st_uid != ::geteuid())
        return refuse(problem, path, "owned by another user (uid " + std::to_string(info.st_uid) + ")");
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return refuse(problem, path, "open to other users");
    return true;
}

std::string userPrivateFolder(const std::string& base, std::string* problem)
{
    std::string path = base;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    path += (path == "/" ? "" : "/") + std::string("harukaze-") + std::to_string(::geteuid());
    // mkdir never follows a link and never changes a folder that is there already; the check then
    // decides whether what is there is ours.
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        refuse(problem, path, std::strerror(errno));
        return std::string();
    }
    if (!isPrivateFolder(path, problem))
        return std::string();
    return path;
}

std::string privateFolder(const std::string& runtime, const std::string& temporary, std::string* problem)
{
    if (!runtime.empty() && isPrivateFolder(runtime))
        return runtime;
    return userPrivateFolder(temporary, problem);
}

} // namespace harukaze
