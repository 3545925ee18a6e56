// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace harukaze {

/** Data file of men's ages at death by current age (CP932 name on disk is the UTF-8 name). */
extern const char* const MALE_LIFE_FILE; // "男余命.dat"
/** Data file of women's ages at death by current age. */
extern const char* const FEMALE_LIFE_FILE; // "女余命.dat"

/**
 * Reads the expected age at death for a member of current age `a0` from the data file `fileName`
 * in the folder `appDir` (which ends in "/"), as the table builders do:
 *  - no regular file at that path (none, or a folder, a FIFO, a device, which are never waited
 *    on): L is left unchanged;
 *  - a0 < 0 and `notYetBornConstants`: L = 77 for the men's file, 84 for the women's, no line read;
 *  - otherwise line a0 + 1 is read (the file as it stands at the call: see LifeExpectancyFiles)
 *    and L becomes the whole-number value of its text from the fourth character on.
 * The file is read line by line up to the line wanted and no further. A file that cannot be opened,
 * is too short, holds no number on that line, has a line longer than MAX_LINE_BYTES or more than
 * 1 MiB before the line wanted, or a0 < 0 without the constants, leaves L unchanged. The busy
 * pointer is shown while the file is read.
 */
void YOMEI_READ(const std::string& appDir, const std::string& fileName, int a0, bool notYetBornConstants, int16_t& L);

/**
 * The data files of one folder as one table build reads them: every read() gives what YOMEI_READ
 * gives for the file as it stood when the build first asked for it. Each file is looked at once
 * per build (one stat); its lines are read again only when the file is no longer the one the
 * program read last (device, inode, size, modification or change time differ), and a file changed
 * within the last second is always read afresh, so a rewrite the clock cannot tell apart is never
 * missed.
 */
class LifeExpectancyFiles
{
public:
    /** `appDir` ends in "/". */
    explicit LifeExpectancyFiles(std::string appDir);
    ~LifeExpectancyFiles();
    LifeExpectancyFiles(const LifeExpectancyFiles&) = delete;
    LifeExpectancyFiles& operator=(const LifeExpectancyFiles&) = delete;

    /** YOMEI_READ(appDir, fileName, a0, notYetBornConstants, L) on this build's view of the file. */
    void read(const std::string& fileName, int a0, bool notYetBornConstants, int16_t& L);

    /** The lines of one data file as read (defined in the source). */
    struct Lines;

private:
    /** The file's lines, looked up once per build; nullptr when there is no regular file to read. */
    const Lines* lines(const std::string& fileName);

    std::string m_appDir;
    std::vector<std::pair<std::string, std::shared_ptr<const Lines>>> m_files; ///< by file name
};

} // namespace harukaze
