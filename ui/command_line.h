// The program's command line, `kinsight [QUIZ]`, read before any window
// exists so that --help and --version work without a display.
#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>

namespace kinsight {

inline constexpr int kUsageExitStatus = 2;

struct CommandLine {
    enum class Action { Play, Help, Version, UsageError };
    Action action = Action::Play;
    // The QUIZ argument as given; empty for the quiz beside the program.
    QString quiz;
    // For UsageError: what was wrong, in one line.
    QString error;
};

// arguments as in argv, the program's name first.
CommandLine parseCommandLine(const QStringList& arguments);

QString usageText();
QString versionText();

// The quiz file that a QUIZ argument names: way.txt in a folder, otherwise
// the file itself, whatever its name. A relative argument is taken from
// baseDir, so the path stays right once the quiz's folder is made current.
std::filesystem::path quizFileFor(const QString& argument, const QString& baseDir);

} // namespace kinsight
