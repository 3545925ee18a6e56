// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/CommandLine.h"

#include "harukaze/Version.h"

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

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine result;
    bool optionsEnded = false;
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            if (argument == QLatin1String("--")) {
                optionsEnded = true;
            } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
                result.m_action = Action::Help;
                return result;
            } else if (argument == QLatin1String("--version")) {
                result.m_action = Action::Version;
                return result;
            } else {
                result.m_action = Action::UsageError;
                result.m_problem = QStringLiteral("不明なオプションです (unknown option): ") + argument;
                return result;
            }
            continue;
        }
        files.append(argument);
    }
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
