#include "startup.h"

#include "dry_run.h"
#include "failure.h"
#include "only.h"
#include "quiz.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>

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

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 128})
        icon.addFile(QStringLiteral(":/icons/%1/kinsight.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int runProgram(int argc, char** argv) {
    // Without a display Qt would abort with a message about plugins.
    if (!displayAvailable(fromEnvironment)) {
        std::cerr << kNoDisplayMessage << std::endl;
        return kFailureExitStatus;
    }

    QApplication app(argc, argv);
    // Only the name, not a display name: Qt would append a display name to
    // every window title, and the main window's title is the quiz's own.
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QStringLiteral(KINSIGHT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("kinsight"));
    QApplication::setWindowIcon(programIcon());

    int failureStatus = 0;
    setExitHandler([&failureStatus](int status) {
        failureStatus = status;
        QCoreApplication::exit(status);
    });

    // The real path of the executable, so a bin/kinsight link still finds
    // the quiz installed beside the program itself.
    const QString programDir = QCoreApplication::applicationDirPath();
    QDir::setCurrent(programDir);
    const std::filesystem::path quizFile =
        std::filesystem::path(QFile::encodeName(programDir).toStdString()) / kQuizFileName;

    // A broken quiz is reported now rather than after the user has answered.
    const DryRunResult check = dryRun(quizFile);
    if (check.error) {
        reportFailureAndExit(*check.error);
        return kFailureExitStatus;
    }

    Only window(quizFile);
    if (failureStatus != 0)
        return failureStatus;
    window.show();
    const int status = QApplication::exec();
    return failureStatus != 0 ? failureStatus : status;
}

} // namespace kinsight
