// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace harukaze {

/**
 * Replaces the file at `path` with `bytes` without ever leaving it half written: the bytes go to a
 * temporary file in the same folder, which is flushed to disk and then renamed over the target.
 * Returns false when anything fails; the target is then untouched, no temporary file is left, and
 * `error` (when given) receives a one-line reason.
 */
bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

/** Reads a whole file. Returns false (and sets `error`) when it does not exist or cannot be read. */
bool readWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

} // namespace harukaze
