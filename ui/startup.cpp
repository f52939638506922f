#include "startup.h"

#include "command_line.h"
#include "dry_run.h"
#include "failure.h"
#include "message_box.h"
#include "only.h"
#include "programs.h"
#include "quiz.h"
#include "quiz_error.h"
#include "quiz_location.h"
#include "quiz_watch.h"
#include "text.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <ostream>
#include <streambuf>
#include <vector>

namespace kinsight {

bool displayAvailable(const std::function<std::string(const char* name)>& environment) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!environment(name).empty())
            return true;
    return false;
}

std::string displayFailure(const std::function<std::string(const char* name)>& environment) {
    const std::string platforms = environment("QT_QPA_PLATFORM");
    const std::string x11 = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    // Without a list Qt picks the platform of the session.
    const auto tried = [&platforms](const char* name) {
        return platforms.empty() || platforms.find(name) != std::string::npos;
    };
    std::string cannot;
    if (tried("xcb") && !x11.empty())
        cannot = "open the display " + x11;
    if (tried("wayland") && !wayland.empty())
        cannot += (cannot.empty() ? "" : " nor ") + std::string("connect to the Wayland display ") +
                  wayland;
    std::string missing = "cannot " + cannot;
    if (cannot.empty() && !platforms.empty())
        missing = "the platform \"" + platforms +
                  "\" that QT_QPA_PLATFORM names cannot start; unset it in a desktop, and";
    else if (cannot.empty())
        missing = "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set);";
    else
        missing += ";";
    return escapedControls("kinsight: " + missing +
                           " without a desktop, run it under xvfb-run (packages xvfb and xauth)");
}

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

// Qt's notes while it looks for a platform are held until one has started.
// When none can, Qt would abort after them with advice to reinstall; the
// program ends with its own line instead.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler releasedHandler = nullptr;

void holdUntilStarted(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    std::fprintf(stderr, "%s\n", displayFailure(fromEnvironment).c_str());
    std::_Exit(kFailureExitStatus);
}

void releaseMessages() {
    qInstallMessageHandler(releasedHandler);
    for (const HeldMessage& held : heldMessages)
        releasedHandler(held.type,
                        QMessageLogContext(held.file, held.line, held.function, held.category),
                        held.text);
    heldMessages.clear();
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

// An author may start the preview on a quiz still being written: its
// failure is shown as a later save's would be, without taking the keyboard,
// and the first save that plays opens the window. Closing the box before
// that ends the program.
int waitForPlayableSave(const QuizLocation& quiz, DryRunResult check, const FailureRoute& failed,
                        const int& failureStatus) {
    const auto tell = [](const QString& report) {
        standardError() << escapedLines(report.toStdString()) << std::endl;
    };
    const QString first = QString::fromStdString(failureReport(*check.error));
    tell(first);
    const std::unique_ptr<QMessageBox> box(makeMessageBox(
        QMessageBox::Critical, QApplication::applicationName(), first, "watchFailure", nullptr));
    box->setModal(false);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    QObject::connect(box.get(), &QDialog::finished, box.get(),
                     [] { QCoreApplication::exit(kFailureExitStatus); });
    QuizWatch watch(quiz.file, check.text);
    standardError() << "kinsight: watching " << shownPath(quiz.file)
                    << "; the first save that plays opens the quiz" << std::endl;
    box->show();

    std::unique_ptr<QuizPlay> play;
    QObject::connect(&watch, &QuizWatch::failed, box.get(), [&](const QString& report) {
        tell(report);
        setMessageBoxText(*box, report);
    });
    QObject::connect(&watch, &QuizWatch::checked, box.get(),
                     [&](std::shared_ptr<const QuizText> text) {
                         // From here on the window's own watch takes the saves.
                         watch.blockSignals(true);
                         box->disconnect();
                         box->hide();
                         play = std::make_unique<QuizPlay>(quiz, failed, text);
                         if (play->failed())
                             return;
                         watchQuiz(*play, quiz, std::move(text), standardError());
                         play->window().show();
                     });
    const int status = QApplication::exec();
    return failureStatus != 0 ? failureStatus : status;
}

// Plays the quiz until the main window is closed. Every failure, whether the
// check before the first show finds it or the window meets it later, takes
// the one route below: the report, then the failure's exit status.
int playQuiz(const QuizLocation& quiz, bool watch) {
    int failureStatus = 0;
    const FailureRoute failed = [&failureStatus](const QuizError& error, QWidget* window) {
        reportFailure(error, standardError(), window);
        failureStatus = kFailureExitStatus;
        QCoreApplication::exit(failureStatus);
    };

    DryRunResult check = dryRun(quiz.file);
    if (check.error && watch)
        return waitForPlayableSave(quiz, std::move(check), failed, failureStatus);
    // A failure has been reported already, and there is no event loop to
    // leave yet.
    OpenedQuiz opened = openChecked(quiz, failed, std::move(check));
    if (!opened.play)
        return failureStatus;
    if (watch)
        watchQuiz(*opened.play, quiz, std::move(opened.text), standardError());
    opened.play->window().show();
    const int status = QApplication::exec();
    return failureStatus != 0 ? failureStatus : status;
}

} // namespace

OpenedQuiz openQuiz(const QuizLocation& quiz, const FailureRoute& failed) {
    return openChecked(quiz, failed, dryRun(quiz.file));
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
    releasedHandler = qInstallMessageHandler(holdUntilStarted);
    QApplication app(qtArgc, argv);
    releaseMessages();
    // Only the name, not a display name: Qt would append a display name to
    // every window title, and the main window's title is the quiz's own.
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QStringLiteral(KINSIGHT_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KINSIGHT_APP_ID));
    // Decoded once the first window is on its way to the screen, which it
    // would otherwise wait for; every window then gets it.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(programIcon()); });

    const QuizLocation quiz = locateQuiz(command.quiz, programFolder());
    try {
        return playQuiz(quiz, command.has("watch"));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: %s\n", escapedControls(shownPath(quiz.file)).c_str(),
                     failureName(Failure::OutOfMemory));
        return kFailureExitStatus;
    }
}

} // namespace kinsight
