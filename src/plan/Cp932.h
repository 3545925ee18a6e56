// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

/**
 * Conversion between the UTF-8 used inside the program and code page 932 (Shift_JIS as Windows
 * writes it), used only where text meets a file. Neither direction fails: bytes that are not valid
 * CP932 decode to U+FFFD, and characters that CP932 cannot hold (or broken UTF-8) encode as "?".
 */
std::string cp932ToUtf8(std::string_view bytes);
std::string utf8ToCp932(std::string_view text);
