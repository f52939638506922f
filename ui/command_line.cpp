#include "command_line.h"

#include "quiz.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kinsight {

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows the usage."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    parser.addOption(help);
    parser.addOption(version);

    CommandLine command;
    if (!parser.parse(arguments)) {
        command.action = CommandLine::Action::UsageError;
        command.error = parser.errorText();
        return command;
    }
    if (parser.isSet(help)) {
        command.action = CommandLine::Action::Help;
        return command;
    }
    if (parser.isSet(version)) {
        command.action = CommandLine::Action::Version;
        return command;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        command.action = CommandLine::Action::UsageError;
        command.error = QStringLiteral("one quiz at a time, but %1 arguments were given")
                            .arg(positional.size());
    } else if (positional.size() == 1 && positional.first().isEmpty()) {
        command.action = CommandLine::Action::UsageError;
        command.error = QStringLiteral("the quiz argument is empty");
    } else if (positional.size() == 1) {
        command.quiz = positional.first();
    }
    return command;
}

QString usageText() {
    return QStringLiteral(
        "Usage: kinsight [options] [QUIZ]\n"
        "Plays a personality quiz: one question at a time, then the character you are.\n"
        "\n"
        "QUIZ is a quiz folder holding way.txt and Pictures/, or a quiz file of any\n"
        "name, whose folder then holds Pictures/. Without it, the quiz installed\n"
        "beside the program is played.\n"
        "\n"
        "Options:\n"
        "  -h, --help     Shows this help and ends.\n"
        "  -v, --version  Shows the version and the license and ends.\n"
        "\n"
        "Exit status: 0 when the window is closed, 1 when the quiz cannot be played\n"
        "(the reason is shown and written to the error stream), 2 for a wrong\n"
        "command line.\n");
}

QString versionText() {
    return QStringLiteral("kinsight " KINSIGHT_VERSION "\n"
                          "License GPL-3.0-or-later: <https://gnu.org/licenses/gpl.html>\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n");
}

std::filesystem::path quizFileFor(const QString& argument, const QString& baseDir) {
    const QString path = QDir::cleanPath(QDir(baseDir).absoluteFilePath(argument));
    const QString file =
        QFileInfo(path).isDir() ? QDir(path).filePath(QString::fromLatin1(kQuizFileName)) : path;
    return QFile::encodeName(file).toStdString();
}

} // namespace kinsight
