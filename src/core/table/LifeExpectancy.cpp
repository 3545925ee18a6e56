// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/LifeExpectancy.h"

#include "core/plan/Cp932.h"
#include "core/plan/NumberText.h"

#include <cstdio>
#include <sys/stat.h>

namespace harukaze {

const char* const MALE_LIFE_FILE = "男余命.dat";
const char* const FEMALE_LIFE_FILE = "女余命.dat";

namespace {

constexpr int16_t UNBORN_MALE_AGE_AT_DEATH = 77;
constexpr int16_t UNBORN_FEMALE_AGE_AT_DEATH = 84;

// The data files are tiny, but they are opened once per member and build; a small block buffer
// keeps that cheap without holding anything between calls.
class ByteReader
{
public:
    explicit ByteReader(std::FILE* file)
        : m_file(file)
    {
    }

    int next()
    {
        if (m_pos == m_len) {
            m_len = std::fread(m_buffer, 1, sizeof(m_buffer), m_file);
            m_pos = 0;
            if (m_len == 0)
                return EOF;
        }
        return static_cast<unsigned char>(m_buffer[m_pos++]);
    }

    int peek()
    {
        const int c = next();
        if (c != EOF)
            --m_pos;
        return c;
    }

private:
    std::FILE* m_file;
    char m_buffer[4096];
    size_t m_pos = 0;
    size_t m_len = 0;
};

// Line `index` (0-based) of the file; a line ends at CR LF, LF or a lone CR. False when the file
// ends before that line starts.
bool readLine(std::FILE* file, int index, std::string& line)
{
    ByteReader reader(file);
    int current = 0;
    bool lineHasBytes = false;
    for (int c = reader.next(); c != EOF; c = reader.next()) {
        if (c == '\r' || c == '\n') {
            if (c == '\r' && reader.peek() == '\n')
                reader.next();
            if (current == index)
                return true;
            ++current;
            lineHasBytes = false;
            continue;
        }
        lineHasBytes = true;
        if (current == index)
            line.push_back(static_cast<char>(c));
    }
    return current == index && lineHasBytes;
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
    const std::string path = appDir + fileName;
    // Only a regular file counts: a folder of that name is no data file, and opening a pipe
    // would hang the build.
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return;

    if (a0 < 0) {
        if (notYetBornConstants) {
            if (fileName == MALE_LIFE_FILE)
                L = UNBORN_MALE_AGE_AT_DEATH;
            else if (fileName == FEMALE_LIFE_FILE)
                L = UNBORN_FEMALE_AGE_AT_DEATH;
        }
        std::fclose(file);
        return;
    }

    std::string line;
    const bool found = readLine(file, a0, line);
    std::fclose(file);
    if (!found)
        return;
    const std::string text = cp932ToUtf8(line);
    if (const std::optional<int16_t> value = wholeTextToInt16(fromFourthCharacter(text)))
        L = *value;
}

} // namespace harukaze
