// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace harukaze {

/**
 * Saves `bytes` as the file `path` so that what the user keeps is never lost or half written.
 *
 * - The bytes go to a temporary file in the target's folder, are flushed to disk, and the
 *   temporary then takes the target's place in one rename; the folder is flushed after it, so a
 *   finished save survives a power cut. The temporary has no name at all while it is written
 *   (O_TMPFILE) where the file system allows it, otherwise a hidden one
 *   (".harukaze-PID-XXXXXX.tmp", so names up to the file system's limit can be saved). A kill at
 *   any moment leaves either the old file or the new one and nothing visible; a hidden temporary
 *   that a killed process left is removed by the next save in that folder (only when it belongs to
 *   the saving user: root never removes another user's files).
 * - A symbolic link is followed: the file it names is replaced in its own folder, the link stays.
 * - A file with more than one name (hard links) is written in place so that every name sees the
 *   new text, but only after the whole text was written and flushed to a temporary file first and
 *   the room for it was reserved in the file itself (fallocate, where the file system can): a
 *   full disk fails before the file is touched. Signals that can wait (SIGTERM, SIGINT, SIGHUP
 *   ...) are held back until the write is done; only SIGKILL or a power cut during the write itself
 *   can leave such a file part new, part old.
 * - Every save of an existing file holds an exclusive lock (flock) on it, so that two saves of the
 *   same file follow each other and never mix; a lock not given up within 10 seconds fails the save.
 * - The replaced file keeps its permissions, and its owner where the system allows.
 * - Refused, leaving everything as it was: an existing file whose permission bits let nobody write
 *   it (mode 0444: refused for root too, as an editor marks it read-only), that the user may not
 *   write, that is immutable or append-only, or that lies on a read-only file system; and
 *   anything that is not a regular file (a folder, FIFO, device or socket is never replaced).
 *
 * Returns true when the file was saved. On failure returns false and `error` (when given)
 * receives the reason: the system's text ("Permission denied", "No space left on device" ...) or
 * NOT_A_REGULAR_FILE (core/io/LineReader.h).
 */
bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

/**
 * saveFileAtomically() for the output of a command-line tool: a FIFO or a character device (a
 * pipe, a terminal, /dev/null) is written as a stream instead of being refused, and the names of
 * the process's own descriptors (/dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N, as a
 * process substitution ">(...)" passes them) write to that descriptor, whatever it is open on (a
 * pipe, a socket, a terminal; a regular file where the descriptor stands) unless it is a folder.
 * Other names of folders, sockets and block devices are refused; a regular file or a new name is
 * saved as saveFileAtomically() saves it.
 */
bool saveFileOrStream(const std::string& path, std::string_view bytes, std::string* error = nullptr);

/**
 * Reads a whole regular file (a FIFO or device is refused, never waited on). For files the
 * program knows to be small; plan and data files are read line by line instead. Returns false
 * (and sets `error` to the reason) when it does not exist, is no regular file or cannot be read.
 */
bool readWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

/** The steps of a save that a test can stop at. */
enum class SaveStep {
    TemporaryWritten, ///< the new text is written and flushed; an O_TMPFILE temporary has no name yet
    BeforeReplace, ///< next comes the rename (or link) into place, or the in-place write of a hard link
    WaitingForLock, ///< another save holds the file's lock; this one waits for it
    InPlaceWritten, ///< a hard-linked file holds the new text, not yet cut to its length
};

/** Test seams of saveFileAtomically(); the program never sets them. */
struct SaveFileTestHooks
{
    /** Called at each step, for instance to kill the process there. */
    void (*atStep)(SaveStep) = nullptr;
    /** Use a hidden named temporary even where O_TMPFILE works. */
    bool namedTemporary = false;
    /** When not 0, reserving room for an in-place write fails with this error (ENOSPC: a full disk). */
    int reserveError = 0;
};

/** The hooks of this process. */
SaveFileTestHooks& saveFileTestHooks();

} // namespace harukaze
