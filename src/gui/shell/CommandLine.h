// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace harukaze {

/**
 * The program's command line: `harukaze [--help] [--version] [FILE]`. FILE is a plan file to open
 * at start (or to hand to the copy that is already running); it is kept as an absolute path, taken
 * against the folder the program was started from. "--" ends the options, so a file whose name
 * begins with "-" can be given too.
 */
class CommandLine
{
public:
    enum class Action {
        Run, ///< start the program (with planPath() when a file was given)
        Help, ///< print the help text and end with 0
        Version, ///< print the version and end with 0
        UsageError ///< print the problem and the usage line to standard error and end with 2
    };

    /** Parses `arguments` as QCoreApplication::arguments() gives them (the program's name first). */
    static CommandLine parse(const QStringList& arguments);
    /** The arguments as main() received them, decoded as file names are. */
    static QStringList fromArgv(int argc, const char* const* argv);

    Action action() const { return m_action; }
    /** The plan file's absolute path, or "" when none was given. */
    QString planPath() const { return m_planPath; }
    /** What was wrong with the arguments (UsageError only). */
    QString problem() const { return m_problem; }

    /**
     * Prints what the action calls for (help or version to standard output, a usage error to
     * standard error) and returns the exit code; Run prints nothing and returns -1.
     */
    int printAndExitCode() const;

    static QString helpText();
    static QString versionText();
    static QString usageLine();

private:
    Action m_action = Action::Run;
    QString m_planPath;
    QString m_problem;
};

} // namespace harukaze
