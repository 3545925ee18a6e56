// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/CommandLine.h"

#include "harukaze/Version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace harukaze {

namespace {

constexpr int EXIT_USAGE = 2;

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

/** The argument as typed ("--bogus", "-odd.HRZ") of the unknown option the parser names `name`. */
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        QString stripped = argument;
        while (stripped.startsWith(QLatin1Char('-')))
            stripped.remove(0, 1);
        if (argument.startsWith(QLatin1Char('-')) && stripped.section(QLatin1Char('='), 0, 0) == name)
            return argument;
    }
    return QStringLiteral("--") + name;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // "-odd.HRZ" is one unknown option, not the letters o, d, d.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({ help, version });

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.m_action = Action::UsageError;
        const QStringList unknown = parser.unknownOptionNames();
        result.m_problem = unknown.isEmpty()
            ? parser.errorText()
            : QStringLiteral("不明なオプションです (unknown option): ") + typedOption(arguments, unknown.first());
        return result;
    }
    // The first of --help and --version given decides.
    for (const QString& name : parser.optionNames()) {
        if (help.names().contains(name)) {
            result.m_action = Action::Help;
            return result;
        }
        if (version.names().contains(name)) {
            result.m_action = Action::Version;
            return result;
        }
    }

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.m_action = Action::UsageError;
        result.m_problem = QStringLiteral("開けるファイルは一つだけです (only one file can be given)");
        return result;
    }
    if (files.size() == 1) {
        if (files.first().isEmpty()) {
            result.m_action = Action::UsageError;
            result.m_problem = QStringLiteral("ファイル名が空です (empty file name)");
            return result;
        }
        // A lone "-" (standard input elsewhere) is no plan file; "-- -" names a file called "-".
        if (files.first() == QLatin1String("-") && !arguments.contains(QStringLiteral("--"))) {
            result.m_action = Action::UsageError;
            result.m_problem = QStringLiteral("不明なオプションです (unknown option): -");
            return result;
        }
        result.m_planPath = QDir::cleanPath(QFileInfo(files.first()).absoluteFilePath());
    }
    return result;
}

QStringList CommandLine::fromArgv(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    return arguments;
}

int CommandLine::printAndExitCode() const
{
    switch (m_action) {
    case Action::Help:
        print(stdout, helpText());
        return 0;
    case Action::Version:
        print(stdout, versionText());
        return 0;
    case Action::UsageError:
        print(stderr, QStringLiteral("harukaze: ") + m_problem + QLatin1Char('\n') + usageLine());
        return EXIT_USAGE;
    case Action::Run:
        break;
    }
    return -1;
}

QString CommandLine::usageLine()
{
    return QStringLiteral("使い方 (usage): harukaze [--help] [--version] [ファイル.HRZ]\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("ハルカゼ (HARUKAZE) ") + QStringLiteral(HARUKAZE_VERSION) + QLatin1Char('\n');
}

QString CommandLine::helpText()
{
    return usageLine()
        + QStringLiteral("\n"
                         "ライフサイクル表を作るハルカゼを起動します。プラン ファイル (*.HRZ) を指定すると、\n"
                         "オープニング・デモを表示せずにそのファイルを開きます。ハルカゼがすでに起動しているときは、\n"
                         "起動しているハルカゼのウィンドウでファイルを開きます。\n"
                         "\n"
                         "Starts HARUKAZE, the life cycle table planner. Given a plan file (*.HRZ), it opens\n"
                         "that file instead of showing the opening demo; when HARUKAZE is already running,\n"
                         "the file opens in the window of the running copy.\n"
                         "\n"
                         "  --help     この説明を表示して終了します (show this help and exit)\n"
                         "  --version  バージョンを表示して終了します (show the version and exit)\n"
                         "  --         これより後はオプションではなくファイル名です (file name follows)\n"
                         "\n"
                         "終了コード (exit status): 0 正常 (normal), 1 ファイルを渡せなかった (the file could not be\n"
                         "handed to the running copy), 2 引数の誤り (bad arguments).\n");
}

} // namespace harukaze
