// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace harukaze {

/**
 * Folders only the running user can see into, for the program's own files that other users must
 * neither read nor plant (the single-instance lock and socket, an export's scratch files).
 *
 * A folder is private when lstat shows a folder itself (no symbolic link) owned by the effective
 * user that grants nothing to group or others. The answer holds from then on: nobody else can
 * change what such a folder holds, nor (in a sticky folder such as /tmp) rename it away.
 */

/** True when `path` is a private folder; otherwise false, and `problem` (when given) says why. */
bool isPrivateFolder(const std::string& path, std::string* problem = nullptr);

/**
 * The running user's own folder "harukaze-UID" in `base` (the temporary folder), created with mode
 * 0700 when missing and then checked with isPrivateFolder(). Empty, and `problem` set, when it
 * cannot be made or fails the check (someone else made it first, it is a link, it is open to
 * others): it is then never used.
 */
std::string userPrivateFolder(const std::string& base, std::string* problem = nullptr);

/**
 * `runtime` when it is a private folder (the session's runtime folder), otherwise
 * userPrivateFolder(`temporary`). Empty, and `problem` set, when neither can be used.
 */
std::string privateFolder(const std::string& runtime, const std::string& temporary, std::string* problem = nullptr);

} // namespace harukaze
