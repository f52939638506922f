// kinsight-check: tells a quiz author what in a quiz file would stop the
// program and what plays but is probably a mistake, compiler style, or how
// the quiz ends when answered at random.
#include "checker.h"
#include "command_line.h"
#include "dry_run.h"
#include "play_stats.h"
#include "quiz_location.h"

#ifdef KINSIGHT_TEXT_FIT
#include "picture_probe.h"
#include "text_fit.h"

#include <QApplication>
#endif

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

constexpr kinsight::Option kOptions[] = {
    {"quiet", "", "print errors and their notes only"},
    {"strict", "", "count warnings as errors for the exit status"},
    {"stats", "",
     "instead of the report, the chances of each result when every\n"
     "question is answered at random: exact while there are at most\n"
     "10 million plays, otherwise from a seeded simulation of 1 million\n"
     "plays, fewer for a long quiz (200 million answers in all)"},
    {"plays", "N", "with --stats, simulate N plays"},
};

constexpr kinsight::Program kCheck{
    "kinsight-check",
    "Reads a quiz as Kinsight does and reports\n"
    "  FILE:LINE: error: ...    what stops the program, with the line it is on\n"
    "  FILE:LINE: note: ...     what brought the error about\n"
    "  FILE:LINE: warning: ...  what plays but is probably a mistake\n"
    "then a summary line. Pictures are looked for in Pictures/ beside\n"
    "the quiz file.\n",
    "Without QUIZ, way.txt in the current folder\nis checked.\n",
    kOptions,
    "Exit status: 0 without errors, 1 with errors (with --strict, also with\n"
    "warnings), 2 when the quiz cannot be read or the command line is wrong.\n",
};

#ifdef KINSIGHT_TEXT_FIT
// Texts are measured as the window shows them on the offscreen platform,
// which needs no display.
bool chooseOffscreenPlatform() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Qt's own notes on the platform (a missing runtime folder and the like) are
// nothing a quiz author can act on.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "kinsight-check: %s\n", qPrintable(message));
}

struct TextFit {
    bool platformChosen = chooseOffscreenPlatform(); // before the application
    QtMessageHandler previousHandler = qInstallMessageHandler(quietQt);
    int argc = 1;
    char name[16] = "kinsight-check";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
    kinsight::WindowTextMeasurer measurer;
};
#endif

// A number of plays, at least one, in decimal digits only.
bool readPlays(const std::string& text, std::uint64_t& plays) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, plays);
    return !text.empty() && error == std::errc() && stop == end && plays > 0;
}

// A long simulation says how far it is, on a terminal only.
void showProgress(std::uint64_t done, std::uint64_t total) {
    static const auto start = std::chrono::steady_clock::now();
    static bool shown = false;
    if (!shown && std::chrono::steady_clock::now() - start < std::chrono::seconds(1))
        return;
    shown = true;
    std::fprintf(stderr, "\rkinsight-check: %llu of %llu plays simulated",
                 static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    if (done == total)
        std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

} // namespace

int main(int argc, char** argv) {
    kinsight::CommandLine command =
        kinsight::parseCommandLine(kCheck, kinsight::argumentsOf(argc, argv));
    kinsight::PlayStatsLimits limits;
    if (command.action == kinsight::CommandLine::Action::Run && command.has("plays") &&
        !readPlays(command.options.at("plays"), limits.simulatedPlays)) {
        command.action = kinsight::CommandLine::Action::UsageError;
        command.error = "--plays takes a number of plays";
    }
    if (const std::optional<int> status =
            kinsight::answerCommandLine(kCheck, command, std::cout, std::cerr))
        return *status;
    const bool quiet = command.has("quiet");
    const bool strict = command.has("strict");
    const bool stats = command.has("stats");
    const kinsight::QuizLocation quiz = kinsight::locateQuiz(command.quiz);
    const std::string file = kinsight::shownPath(quiz.file);

    const kinsight::TextMeasurer* measurer = nullptr;
#ifdef KINSIGHT_TEXT_FIT
    // Texts that do not fit are warnings: not worth starting Qt for when no
    // warning is shown.
    std::unique_ptr<TextFit> textFit;
    if (!stats && (!quiet || strict)) {
        textFit = std::make_unique<TextFit>();
        measurer = &textFit->measurer;
    }
#endif

    const kinsight::PictureProbe* pictures = nullptr;
#ifdef KINSIGHT_TEXT_FIT
    const kinsight::ProgramPictureProbe probe;
    pictures = &probe;
#endif

    const kinsight::CheckReport report = kinsight::checkQuiz(quiz.file, measurer, pictures);
    // What decides the exit status is always shown, and so is the note
    // that explains an error.
    auto shown = [&](const kinsight::Diagnostic& d) {
        return d.severity != kinsight::Severity::Warning || strict || (!quiet && !stats);
    };
    for (const kinsight::Diagnostic& d : report.diagnostics)
        if (shown(d))
            std::printf("%s\n", kinsight::formatDiagnostic(file, d).c_str());
    if (stats) {
        if (report.exitStatus(strict) != 0)
            return report.exitStatus(strict);
        const kinsight::DryRunResult run = kinsight::dryRun(quiz.file, true);
        if (isatty(STDERR_FILENO))
            limits.progress = showProgress;
        const kinsight::PlayStats figures =
            kinsight::playStats(kinsight::questionWeights(run.summary), limits);
        std::fputs(kinsight::formatPlayStats(file, run.summary, figures).c_str(), stdout);
        return 0;
    }
    if (!quiet && report.readable)
        std::printf("%s\n", kinsight::formatSummary(file, report).c_str());
    if (!quiet && report.readable && !pictures)
        std::printf("%s: note: pictures were only checked to exist: this kinsight-check was "
                    "built without the windows, so it cannot read them as the program does\n",
                    file.c_str());
    return report.exitStatus(strict);
}
