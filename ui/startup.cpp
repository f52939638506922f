#include "startup.h"

#include "accessibility_workarounds.h"
#include "command_line.h"
#include "failure.h"
#include "platform_start.h"
#include "programs.h"
#include "quiz_error.h"
#include "text.h"
#include "translation.h"
#include "watch_session.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <filesystem>
#include <new>
#include <ostream>
#include <streambuf>

namespace kinsight {

namespace {

// The folder of the program's real file, so a bin/kinsight link still finds
// the quiz installed beside the program; by its bytes, as the quiz is.
std::filesystem::path programFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
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

std::ostream& standardError() {
    static StandardError buffer;
    static std::ostream log(&buffer);
    return log;
}

// Plays the quiz until the main window is closed. Every failure, whether the
// check before the first show finds it or the window meets it later, takes
// the one route below: the report, then the failure's exit status.
int playQuiz(const std::optional<std::filesystem::path>& argument, bool watch) {
    int failureStatus = 0;
    const FailureRoute failed = [&failureStatus](const QuizError& error, QWidget* window) {
        reportFailure(error, standardError(), window);
        failureStatus = kFailureExitStatus;
        QCoreApplication::exit(failureStatus);
    };
    const auto locate = [argument, folder = programFolder()] {
        return locateQuiz(argument, folder);
    };
    const QuizLocation quiz = locate();
    DryRunResult check = dryRun(quiz);

    std::unique_ptr<WatchSession> session;
    OpenedQuiz opened;
    if (watch) {
        session = std::make_unique<WatchSession>(locate, std::move(check), failed, standardError());
        QObject::connect(session.get(), &WatchSession::abandoned, session.get(),
                         [] { QCoreApplication::exit(kFailureExitStatus); });
    } else {
        // A failure has been reported already, and there is no event loop to
        // leave yet.
        opened = openChecked(quiz, failed, std::move(check));
        if (!opened.play)
            return failureStatus;
        opened.play->window().show();
    }
    const int status = QApplication::exec();
    return failureStatus != 0 ? failureStatus : status;
}

} // namespace

OpenedQuiz openQuiz(const QuizLocation& quiz, const FailureRoute& failed) {
    return openChecked(quiz, failed, dryRun(quiz));
}

OpenedQuiz openChecked(const QuizLocation& quiz, const FailureRoute& failed, DryRunResult check) {
    if (check.error) {
        failed(*check.error, nullptr);
        return {};
    }
    auto play = std::make_unique<QuizPlay>(quiz, failed, check.text);
    if (play->failed())
        return {};
    return {std::move(play), std::move(check.text)};
}

int runProgram(int argc, char** argv) {
    startTranslation();
    const CommandLine command = parseCommandLine(kKinsightProgram, argumentsOf(argc, argv));
    if (const std::optional<int> status =
            answerCommandLine(kKinsightProgram, command, stdout, stderr))
        return *status;

    if (!displayAvailable(fromEnvironment)) {
        std::fprintf(stderr, "%s\n", displayFailure(fromEnvironment).c_str());
        return kFailureExitStatus;
    }

    // Qt sees only the program's name: the command line is the program's
    // own, read above.
    int qtArgc = 1;
    holdPlatformNotes();
    QApplication app(qtArgc, argv);
    releasePlatformNotes();
    // Only the name, not a display name: Qt would append a display name to
    // every window title, and the main window's title is the quiz's own.
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QStringLiteral(KINSIGHT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KINSIGHT_APP_ID));
    installAccessibilityWorkarounds();
    // Qt's own words (the box's OK) in the user's language, where the system
    // has Qt's translations; under C there is nothing to look for.
    QTranslator qtWords;
    if (QLocale().language() != QLocale::C &&
        qtWords.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtWords);
    // Decoded once the first window is on its way to the screen, which it
    // would otherwise wait for; every window then gets it.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(programIcon()); });

    try {
        return playQuiz(command.quiz, command.has("watch"));
    } catch (const std::bad_alloc&) {
        const std::string file = shownPath(locateQuiz(command.quiz, programFolder()).file);
        std::fprintf(stderr, "%s: %s\n", escapedControls(file).c_str(),
                     failureName(Failure::OutOfMemory));
        return kFailureExitStatus;
    }
}

} // namespace kinsight
