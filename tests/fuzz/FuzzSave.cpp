// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the safe save. The input's first byte chooses what the target is (a new
// name, a file that is replaced, a hard-linked file written in place, a symbolic link, a file
// behind a link chain, a folder, a process's own descriptor) and the rest is the text; whatever is
// saved must read back byte for byte under every name, nothing is left beside it, and what is
// refused stays as it was. The plan writer's bytes of the same input go through the same path.

#include "core/io/FileDescriptor.h"
#include "core/io/LineReader.h"
#include "core/io/SaveFile.h"
#include "core/plan/FamilyPlan.h"
#include "core/plan/MoneySection.h"
#include "core/plan/PlanFile.h"

#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace harukaze;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string folder()
{
    static const std::string path = [] {
        char pattern[] = "/tmp/harukaze-fuzz-save-XXXXXX";
        check(mkdtemp(pattern) != nullptr);
        return std::string(pattern);
    }();
    return path;
}

void clear(const std::string& path)
{
    DIR* dir = opendir(path.c_str());
    check(dir != nullptr);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string full = path + "/" + name;
        struct stat info
        {
        };
        if (lstat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            clear(full);
            rmdir(full.c_str());
        } else {
            unlink(full.c_str());
        }
    }
    closedir(dir);
}

size_t entryCount(const std::string& path)
{
    size_t count = 0;
    DIR* dir = opendir(path.c_str());
    check(dir != nullptr);
    while (const dirent* entry = readdir(dir))
        count += entry->d_name[0] != '.' || (entry->d_name[1] != '\0' && entry->d_name[1] != '.') ? 1 : 0;
    closedir(dir);
    return count;
}

std::string contentOf(const std::string& path)
{
    std::string bytes;
    check(readWholeFile(path, bytes));
    return bytes;
}

void plant(const std::string& path, std::string_view bytes)
{
    const FileDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    check(file.isOpen());
    check(write(file.get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
}

// Saves `text` to a target of the kind `kind` and checks what is there afterwards.
void saveOnce(uint8_t kind, std::string_view text)
{
    const std::string dir = folder();
    clear(dir);
    const std::string old = "old text that is longer than some inputs\r\n";
    const std::string target = dir + "/plan.HRZ";
    std::vector<std::string> names { target };
    std::string path = target;
    bool refused = false;
    switch (kind % 7) {
    case 0: // a new name
        break;
    case 1: // a file that is replaced
        plant(target, old);
        break;
    case 2: // a hard-linked file: written in place for both names
        plant(target, old);
        check(link(target.c_str(), (dir + "/other.HRZ").c_str()) == 0);
        names.push_back(dir + "/other.HRZ");
        path = names.back();
        break;
    case 3: // a symbolic link: the file it names is replaced, the link stays
        plant(target, old);
        check(symlink("plan.HRZ", (dir + "/link.HRZ").c_str()) == 0);
        path = dir + "/link.HRZ";
        names.push_back(path);
        break;
    case 4: // a chain of links to a file not there yet
        check(symlink("second", (dir + "/first").c_str()) == 0);
        check(symlink("plan.HRZ", (dir + "/second").c_str()) == 0);
        path = dir + "/first";
        names.push_back(path);
        break;
    case 5: // a folder is refused
        check(mkdir(target.c_str(), 0755) == 0);
        refused = true;
        break;
    case 6: // a stream to the process's own descriptor, open on a file
    {
        const FileDescriptor file(open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        check(file.isOpen());
        check(saveFileOrStream("/proc/self/fd/" + std::to_string(file.get()), text));
        check(contentOf(target) == text);
        return;
    }
    }
    const size_t before = entryCount(dir);
    struct stat info
    {
    };
    const bool created = lstat(target.c_str(), &info) != 0;
    std::string error;
    const bool saved = saveFileAtomically(path, text, &error);
    check(saved != refused);
    check(saved == error.empty());
    if (refused) {
        check(entryCount(dir) == before);
        return;
    }
    for (const std::string& name : names)
        check(contentOf(name) == text);
    // Nothing beside what was there, the new file included.
    check(entryCount(dir) == before + (created ? 1 : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    saveOnce(data[0], text);

    // The plan of the same bytes, written as the Save command writes it, reads back the same.
    auto lines = std::make_unique<FileLines>();
    std::vector<std::string> trailing;
    splitPlanFileBytes(text, *lines, &trailing);
    FamilyPlan plan;
    REC_CLEAR(plan);
    parsePlanFileLines(*lines, plan);
    parseMoneySection(trailing, plan);
    const std::string path = folder() + "/plan.HRZ";
    clear(folder());
    check(FILE_OUT_D(path, plan));
    check(contentOf(path) == planFileBytes(plan));
    auto reread = std::make_unique<FileLines>();
    std::vector<std::string> section;
    MoneySectionCut cut;
    std::string error;
    // A plan with a line over the reader's bound is no plan to FILE_IN; any other reads whole.
    if (FILE_IN(path, *reread, &error, &section, &cut))
        check(!cut.any());
    else
        check(error == NOT_A_PLAN_FILE);
    return 0;
}
