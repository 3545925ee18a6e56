// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace harukaze {

struct MoneySectionCut;

/**
 * When the money section of the plan at `path` was read only in part (a later version's section
 * past the reader's caps), says so on standard error with the lines left out; the export goes on
 * with what was read.
 */
void warnOfCut(const std::string& path, const MoneySectionCut& cut);

} // namespace harukaze
