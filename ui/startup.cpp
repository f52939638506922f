#include "startup.h"

#include "command_line.h"
#include "dry_run.h"
#include "failure.h"
#include "only.h"
#include "quiz.h"
#include "quiz_location.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <streambuf>

namespace kinsight {

bool displayAvailable(const std::function<std::string(const char* name)>& environment) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!environment(name).empty())
            return true;
    return false;
}

namespace {

constexpr Program kKinsight{
    "kinsight",
    "Plays a personality quiz: one question at a time, then the character you are.\n",
    "Without QUIZ, the quiz installed beside\nthe program is played.\n",
    {},
    "Exit status: 0 when the window is closed, 1 when the quiz cannot be played\n"
    "(the reason is shown and written to the error stream), 2 for a wrong\n"
    "command line.\n",
};

// The folder of the program's real file, so a bin/kinsight link still finds
// the quiz installed beside the program; by its bytes, as the quiz is.
std::filesystem::path programFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

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

// Standard error as a stream, made only for a failure: <iostream>'s streams
// would cost every start a quarter MiB of the C++ library's pages.
class StandardError : public std::streambuf {
protected:
    int_type overflow(int_type c) override {
        return traits_type::eq_int_type(c, traits_type::eof()) ? 0 : std::fputc(c, stderr);
    }
    std::streamsize xsputn(const char* text, std::streamsize n) override {
        return static_cast<std::streamsize>(
            std::fwrite(text, 1, static_cast<std::size_t>(n), stderr));
    }
};

// Plays the quiz until the main window is closed. Every failure, whether the
// check before the first show finds it or the window meets it later, takes
// the one route below: the report, then the failure's exit status.
int playQuiz(const QuizLocation& quiz) {
    int failureStatus = 0;
    const FailureRoute failed = [&failureStatus](const QuizError& error, QWidget* window) {
        StandardError buffer;
        std::ostream log(&buffer);
        reportFailure(error, log, window);
        failureStatus = kFailureExitStatus;
        QCoreApplication::exit(failureStatus);
    };

    // A broken quiz is reported now rather than after the user has answered.
    // The window plays the very text that was checked: the file is read once.
    DryRunResult check = dryRun(quiz.file);
    if (check.error) {
        failed(*check.error, nullptr);
        return failureStatus;
    }
    Only window(quiz, failed, std::move(check.text));
    // A failure while loading has been reported already, and there is no
    // event loop to leave yet.
    if (failureStatus != 0)
        return failureStatus;
    window.show();
    const int status = QApplication::exec();
    return failureStatus != 0 ? failureStatus : status;
}

} // namespace

int runProgram(int argc, char** argv) {
    const CommandLine command = parseCommandLine(kKinsight, argumentsOf(argc, argv));
    if (const std::optional<int> status = answerCommandLine(kKinsight, command, stdout, stderr))
        return *status;

    // Without a display Qt would abort with a message about plugins.
    if (!displayAvailable(fromEnvironment)) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        return kFailureExitStatus;
    }

    // Qt sees only the program's name: the command line is the program's
    // own, read above.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // Only the name, not a display name: Qt would append a display name to
    // every window title, and the main window's title is the quiz's own.
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QStringLiteral(KINSIGHT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KINSIGHT_APP_ID));
    // Decoded once the first window is on its way to the screen, which it
    // would otherwise wait for; every window then gets it.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(programIcon()); });

    return playQuiz(locateQuiz(command.quiz, programFolder()));
}

} // namespace kinsight
