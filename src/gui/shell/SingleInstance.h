// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace harukaze {

/**
 * Guards against a second running copy of the program: a lock file in the user's private folder
 * (the session's runtime folder, or "harukaze-UID" in the temporary folder; core/io/PrivateFolder.h),
 * held while the program runs. Without such a folder there is no lock: the program then runs
 * unguarded rather than use a place other users could plant a lock or socket in. A lock left by a copy that crashed
 * names a process that no longer exists and is taken over, so a crash never blocks the next start.
 */
class SingleInstance
{
public:
    /** `lockPath` empty = the standard lock file in the private folder. */
    explicit SingleInstance(const QString& lockPath = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /** Takes the lock; false when another running copy holds it (or there is no lock). */
    bool tryLock();
    QString lockPath() const { return m_path; }
    /** False when there is no private folder for the lock. */
    bool isUsable() const { return !m_path.isEmpty(); }

    /** The user's private folder for the lock and the hand-over socket; empty (and `problem` set) when none can be
     * used. */
    static QString privateFolder(QString* problem = nullptr);
    /** "harukaze.lock" in privateFolder(); empty when there is none. */
    static QString defaultLockPath();
    /** The note on standard error for a start without a private folder, naming `problem`. */
    static QString unguardedNote(const QString& problem);
    /** "HARUKAZEは、既に起動しています。（二重起動防止）" */
    static QString refusalMessage();
    /** The refusal, then that the file could not be handed to the running copy, then the file. */
    static QString handOverFailedMessage(const QString& path);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace harukaze
