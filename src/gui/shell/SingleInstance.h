// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace harukaze {

/**
 * Guards against a second running copy of the program: a lock file in the user's runtime folder,
 * held while the program runs. A lock left by a copy that crashed names a process that no longer
 * exists and is taken over, so a crash never blocks the next start.
 */
class SingleInstance
{
public:
    /** `lockPath` empty = the standard lock file in the runtime folder. */
    explicit SingleInstance(const QString& lockPath = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /** Takes the lock; false when another running copy holds it. */
    bool tryLock();
    QString lockPath() const { return m_path; }

    static QString defaultLockPath();
    /** "HARUKAZEは、既に起動しています。（二重起動防止）" */
    static QString refusalMessage();
    /** The refusal, then that the file could not be handed to the running copy, then the file. */
    static QString handOverFailedMessage(const QString& path);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace harukaze
