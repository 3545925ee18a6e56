// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/LifeExpectancy.h"

#include "core/io/Cp932.h"
#include "core/io/FileDescriptor.h"
#include "core/io/LineReader.h"
#include "core/io/NumberText.h"

#include <algorithm>
#include <ctime>
#include <mutex>
#include <sys/stat.h>

namespace harukaze {

const char* const MALE_LIFE_FILE = "男余命.dat";
const char* const FEMALE_LIFE_FILE = "女余命.dat";

namespace {

constexpr int16_t UNBORN_MALE_AGE_AT_DEATH = 77;
constexpr int16_t UNBORN_FEMALE_AGE_AT_DEATH = 84;

// The data files hold one short line per age (121 lines, under 2 KB); a file that runs past this
// many bytes before the wanted line is no data file, and reading it through would only cost time.
constexpr size_t MAX_DATA_FILE_BYTES = 1024 * 1024;

// A file "changed" less than this long before it was read may change again without the clock
// showing it (file times come from a coarse clock); its lines are never kept for a later build.
constexpr time_t SETTLED_SECONDS = 1;

// The files read last, by path; the program reads two, the tests a few more folders.
constexpr size_t MAX_KEPT_FILES = 8;

struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified {};
    timespec changed {};

    explicit FileIdentity(const struct stat& info)
        : device(info.st_dev)
        , inode(info.st_ino)
        , size(info.st_size)
        , modified(info.st_mtim)
        , changed(info.st_ctim)
    {
    }

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size
            && modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec
            && changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

// Whether the file's last change lies at least SETTLED_SECONDS before `now`.
bool settledBefore(const timespec& changed, const timespec& now)
{
    const time_t settledAt = changed.tv_sec + SETTLED_SECONDS;
    return settledAt < now.tv_sec || (settledAt == now.tv_sec && changed.tv_nsec < now.tv_nsec);
}

} // namespace

struct LifeExpectancyFiles::Lines
{
    explicit Lines(const struct stat& info)
        : identity(info)
    {
    }

    FileIdentity identity;
    std::string bytes; ///< the lines one after another, without their ends
    std::vector<size_t> ends; ///< where line i ends in `bytes`

    size_t count() const { return ends.size(); }
    std::string_view line(size_t index) const
    {
        const size_t begin = index == 0 ? 0 : ends[index - 1];
        return std::string_view(bytes).substr(begin, ends[index] - begin);
    }
};

namespace {

using Lines = LifeExpectancyFiles::Lines;

// Every line a read could take: line i is taken when lines 0 .. i all end within MAX_LINE_BYTES
// and within the file's first MAX_DATA_FILE_BYTES.
std::shared_ptr<const Lines> readLines(int fd, const struct stat& info)
{
    auto lines = std::make_shared<Lines>(info);
    // The data files are about 2 KB: one small block holds them.
    LineReader reader(fd, 4096);
    std::string line;
    while (reader.next(line) == LineReader::Status::Line && reader.consumed() <= MAX_DATA_FILE_BYTES) {
        lines->bytes += line;
        lines->ends.push_back(lines->bytes.size());
    }
    return lines;
}

// The lines of the files read last, kept while each file stays the same.
class KeptFiles
{
public:
    std::shared_ptr<const Lines> find(const std::string& path, const FileIdentity& identity)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& [keptPath, lines] : m_files) {
            if (keptPath == path && lines->identity == identity)
                return lines;
        }
        return nullptr;
    }

    void keep(const std::string& path, std::shared_ptr<const Lines> lines)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_files.erase(
            std::remove_if(m_files.begin(), m_files.end(), [&path](const auto& kept) { return kept.first == path; }),
            m_files.end());
        if (m_files.size() >= MAX_KEPT_FILES)
            m_files.erase(m_files.begin());
        m_files.emplace_back(path, std::move(lines));
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<std::string, std::shared_ptr<const Lines>>> m_files; // oldest first
};

KeptFiles& keptFiles()
{
    static KeptFiles files;
    return files;
}

// The lines of the regular file at `path` as it stands now, or nullptr when there is none.
std::shared_ptr<const Lines> currentLines(const std::string& path)
{
    struct stat info
    {
    };
    // stat() never waits on a FIFO or a device; what is no regular file now is never opened.
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    if (std::shared_ptr<const Lines> kept = keptFiles().find(path, FileIdentity(info)))
        return kept;

    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // Opened and checked on the open descriptor: a folder, a FIFO or a device that replaced the
    // file a moment ago is no data file and is never waited on.
    const FileDescriptor file(openRegularFileForReading(path));
    if (!file.isOpen() || ::fstat(file.get(), &info) != 0)
        return nullptr;
    std::shared_ptr<const Lines> lines = readLines(file.get(), info);
    if (settledBefore(info.st_ctim, now))
        keptFiles().keep(path, lines);
    return lines;
}

// The text from the fourth character on; characters are counted after decoding, so a double-byte
// character in the first three counts once.
std::string_view fromFourthCharacter(std::string_view utf8)
{
    size_t pos = 0;
    int characters = 0;
    while (pos < utf8.size() && characters < 3) {
        ++pos;
        while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80)
            ++pos;
        ++characters;
    }
    return utf8.substr(pos);
}

} // namespace

void YOMEI_READ(const std::string& appDir, const std::string& fileName, int a0, bool notYetBornConstants, int16_t& L)
{
    LifeExpectancyFiles(appDir).read(fileName, a0, notYetBornConstants, L);
}

LifeExpectancyFiles::LifeExpectancyFiles(std::string appDir)
    : m_appDir(std::move(appDir))
{
}

LifeExpectancyFiles::~LifeExpectancyFiles() = default;

const LifeExpectancyFiles::Lines* LifeExpectancyFiles::lines(const std::string& fileName)
{
    for (const auto& [name, lines] : m_files) {
        if (name == fileName)
            return lines.get();
    }
    m_files.emplace_back(fileName, currentLines(m_appDir + fileName));
    return m_files.back().second.get();
}

void LifeExpectancyFiles::read(const std::string& fileName, int a0, bool notYetBornConstants, int16_t& L)
{
    const Lines* file = lines(fileName);
    if (file == nullptr)
        return;

    if (a0 < 0) {
        if (notYetBornConstants) {
            if (fileName == MALE_LIFE_FILE)
                L = UNBORN_MALE_AGE_AT_DEATH;
            else if (fileName == FEMALE_LIFE_FILE)
                L = UNBORN_FEMALE_AGE_AT_DEATH;
        }
        return;
    }

    const auto index = static_cast<size_t>(a0);
    if (index >= file->count())
        return;
    const std::string text = cp932ToUtf8(file->line(index));
    if (const std::optional<int16_t> value = wholeTextToInt16(fromFourthCharacter(text)))
        L = *value;
}

} // namespace harukaze
