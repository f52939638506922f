#include "startup.h"

#include "command_line.h"
#include "dry_run.h"
#include "failure.h"
#include "only.h"
#include "quiz.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace kinsight {

bool displayAvailable(const std::function<std::string(const char* name)>& environment) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!environment(name).empty())
            return true;
    return false;
}

namespace {

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Read as PNG and nothing else: a reader left to guess the format loads every
// image-format plugin first, which costs the first window its time and shows
// nothing.
QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 128}) {
        QImageReader reader(QStringLiteral(":/icons/%1/kinsight.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

// Plays the quiz until the main window is closed. Every failure, whether the
// check before the first show finds it or the window meets it later, takes
// the one route below: the report, then the failure's exit status.
int playQuiz(const std::filesystem::path& quizFile) {
    int failureStatus = 0;
    const FailureRoute failed = [&failureStatus](const QuizError& error, QWidget* window) {
        reportFailure(error, std::cerr, window);
        failureStatus = kFailureExitStatus;
        QCoreApplication::exit(failureStatus);
    };

    // A broken quiz is reported now rather than after the user has answered.
    if (const DryRunResult check = dryRun(quizFile); check.error) {
        failed(*check.error, nullptr);
        return failureStatus;
    }
    Only window(quizFile, failed);
    // The quiz may have changed since the check; the window has then
    // reported it already, and there is no event loop to leave yet.
    if (failureStatus != 0)
        return failureStatus;
    window.show();
    const int status = QApplication::exec();
    return failureStatus != 0 ? failureStatus : status;
}

} // namespace

int runProgram(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);
    switch (command.action) {
    case CommandLine::Action::Help:
        std::cout << usageText().toStdString() << std::flush;
        return 0;
    case CommandLine::Action::Version:
        std::cout << versionText().toStdString() << std::flush;
        return 0;
    case CommandLine::Action::UsageError:
        std::cerr << "kinsight: " << command.error.toLocal8Bit().toStdString() << "\n\n"
                  << usageText().toStdString() << std::flush;
        return kUsageExitStatus;
    case CommandLine::Action::Play:
        break;
    }

    // Without a display Qt would abort with a message about plugins.
    if (!displayAvailable(fromEnvironment)) {
        std::cerr << kNoDisplayMessage << std::endl;
        return kFailureExitStatus;
    }

    // Qt sees only the program's name: a quiz folder called -reverse is
    // the user's, not an option of Qt's.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // Only the name, not a display name: Qt would append a display name to
    // every window title, and the main window's title is the quiz's own.
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QStringLiteral(KINSIGHT_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // Decoded once the first window is on its way to the screen, which it
    // would otherwise wait for; every window then gets it.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(programIcon()); });

    // Without an argument, the real path of the executable, so a
    // bin/kinsight link still finds the quiz installed beside the program.
    const QString quiz =
        command.quiz.isEmpty() ? QCoreApplication::applicationDirPath() : command.quiz;
    return playQuiz(quizFileFor(quiz, QDir::currentPath()));
}

} // namespace kinsight
