// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace harukaze {

/**
 * Conversion between the UTF-8 used inside the program and code page 932 (Shift_JIS as Windows
 * writes it), used only where text meets a file. Neither direction fails: bytes that are not valid
 * CP932 decode to U+FFFD, and characters that CP932 cannot hold (or broken UTF-8) encode as "?".
 * The single bytes 0x80, 0xA0 and 0xFD-0xFF read and write as Windows maps them (U+0080,
 * U+F8F0-U+F8F3).
 */
std::string cp932ToUtf8(std::string_view bytes);

/**
 * Whether the system can convert between CP932 and UTF-8 (glibc needs its gconv module for it).
 * Without it both conversions return "" instead of failing, so every file command asks first and
 * reports `error`.
 */
bool cp932Available(std::string* error = nullptr);
std::string utf8ToCp932(std::string_view text);

} // namespace harukaze
