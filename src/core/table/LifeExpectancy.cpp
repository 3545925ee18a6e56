// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/LifeExpectancy.h"

#include "core/io/Cp932.h"
#include "core/io/FileDescriptor.h"
#include "core/io/LineReader.h"
#include "core/io/NumberText.h"

namespace harukaze {

const char* const MALE_LIFE_FILE = "男余命.dat";
const char* const FEMALE_LIFE_FILE = "女余命.dat";

namespace {

constexpr int16_t UNBORN_MALE_AGE_AT_DEATH = 77;
constexpr int16_t UNBORN_FEMALE_AGE_AT_DEATH = 84;

// The data files hold one short line per age (121 lines, under 2 KB); a file that runs past this
// many bytes before the wanted line is no data file, and reading it through would only cost time.
constexpr size_t MAX_DATA_FILE_BYTES = 1024 * 1024;

// Line `index` (0-based) of the file, or false when the file ends (or stops being a data file)
// before it.
bool readLine(int fd, int index, std::string& line)
{
    // The files are opened once per member and build: a small block keeps that cheap.
    LineReader reader(fd, 4096);
    for (int current = 0; current <= index; ++current) {
        if (reader.next(line) != LineReader::Status::Line || reader.consumed() > MAX_DATA_FILE_BYTES)
            return false;
    }
    return true;
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
    // Opened first and checked on the open descriptor: a folder, a FIFO or a device of that name
    // is no data file and is never waited on, even if it replaced the file a moment ago.
    const FileDescriptor file(openRegularFileForReading(appDir + fileName));
    if (!file.isOpen())
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

    std::string line;
    if (!readLine(file.get(), a0, line))
        return;
    const std::string text = cp932ToUtf8(line);
    if (const std::optional<int16_t> value = wholeTextToInt16(fromFourthCharacter(text)))
        L = *value;
}

} // namespace harukaze
