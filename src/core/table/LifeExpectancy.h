// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

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
 *  - otherwise line a0 + 1 is read (the file is opened and read from its start every call) and L
 *    becomes the whole-number value of its text from the fourth character on.
 * The file is read line by line up to the line wanted and no further. A file that cannot be opened,
 * is too short, holds no number on that line, has a line longer than MAX_LINE_BYTES or more than
 * 1 MiB before the line wanted, or a0 < 0 without the constants, leaves L unchanged. The busy
 * pointer is shown while the file is read.
 */
void YOMEI_READ(const std::string& appDir, const std::string& fileName, int a0, bool notYetBornConstants, int16_t& L);

} // namespace harukaze
