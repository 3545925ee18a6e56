// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace harukaze {

/**
 * Appends one CSV field to `line` (UTF-8): as it stands, or, when it holds a comma, a double quote,
 * CR or LF, in double quotes with inner quotes doubled. Every CSV the program writes quotes this way.
 */
void appendCsvField(std::string& line, const std::string& text);

} // namespace harukaze
