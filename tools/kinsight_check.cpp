// kinsight-check: tells a quiz author what in a quiz file would stop the
// program and what plays but is probably a mistake, compiler style, or how
// the quiz ends when answered at random.
#include "checker.h"
#include "command_line.h"
#include "dry_run.h"
#include "play_stats.h"
#include "programs.h"
#include "quiz_error.h"
#include "quiz_location.h"
#include "text.h"
#include "translation.h"

#ifdef KINSIGHT_PICTURE_PROBE
#include "picture_probe.h"
#endif
#ifdef KINSIGHT_TEXT_FIT
#include "text_fit.h"

#include <QApplication>
#endif

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// A line on the terminal: a control byte from the quiz or its path is shown
// as \xNN, never obeyed.
void print(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::printf("%s\n", kinsight::escapedControls(text.substr(0, end)).c_str());
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

// The status of a check that could not be made: the quiz cannot be read,
// too little memory, no platform for Qt.
constexpr int kCannotCheck = 2;

#ifdef KINSIGHT_TEXT_FIT
// Texts are measured as the window shows them on the offscreen platform,
// which needs no display. A platform the user chose is tried first, and
// offscreen measures when that one cannot start (QT_QPA_PLATFORM=xcb over
// SSH, with no display).
bool chooseOffscreenPlatform() {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (chosen.contains("offscreen"))
        return true;
    return qputenv("QT_QPA_PLATFORM", chosen.isEmpty() ? "offscreen" : chosen + ";offscreen");
}

// Qt's own notes on the platform (a missing runtime folder, a display that
// did not answer) are nothing a quiz author can act on. Qt ends on a fatal
// one with an abort: the checker ends as one that cannot do its work.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    std::fprintf(stderr, "kinsight-check: %s\n",
                 kinsight::escapedControls(message.toStdString()).c_str());
    if (type == QtFatalMsg) {
        std::fflush(stdout);
        std::_Exit(kCannotCheck);
    }
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
    std::fprintf(
        stderr, "\rkinsight-check: %s",
        kinsight::fillIn(kinsight::i18n("{1} of {2} plays simulated"), {done, total}).c_str());
    if (done == total)
        std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

// Checks the quiz as the command line asks; returns the exit status.
int check(const kinsight::CommandLine& command, kinsight::PlayStatsLimits limits,
          const kinsight::QuizLocation& quiz, const std::string& file) {
    const bool quiet = command.has("quiet");
    const bool strict = command.has("strict");
    const bool stats = command.has("stats");

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
#ifdef KINSIGHT_PICTURE_PROBE
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
            print(kinsight::formatDiagnostic(file, d));
    if (stats) {
        if (report.exitStatus(strict) != 0)
            return report.exitStatus(strict);
        const kinsight::DryRunResult run = kinsight::dryRun(report.text, true);
        if (isatty(STDERR_FILENO))
            limits.progress = showProgress;
        const kinsight::PlayStats figures =
            kinsight::playStats(kinsight::questionWeights(run.summary), limits);
        print(kinsight::formatPlayStats(file, run.summary, figures));
        return 0;
    }
    if (!quiet && report.readable)
        print(kinsight::formatSummary(file, report));
    if (!quiet && report.readable && !pictures)
        print(kinsight::formatDiagnostic(
            file, {kinsight::Severity::Note, 0,
                   kinsight::i18n("pictures were only checked to exist: this kinsight-check was "
                                  "built without the windows, so it cannot read them as the "
                                  "program does")}));
    return report.exitStatus(strict);
}

} // namespace

int main(int argc, char** argv) {
    kinsight::startTranslation();
    kinsight::CommandLine command =
        kinsight::parseCommandLine(kinsight::kCheckProgram, kinsight::argumentsOf(argc, argv));
    kinsight::PlayStatsLimits limits;
    if (command.action == kinsight::CommandLine::Action::Run && command.has("plays") &&
        !readPlays(command.options.at("plays"), limits.simulatedPlays)) {
        command.action = kinsight::CommandLine::Action::UsageError;
        command.error = kinsight::i18n("--plays takes a number of plays");
    }
    if (const std::optional<int> status =
            kinsight::answerCommandLine(kinsight::kCheckProgram, command, stdout, stderr))
        return *status;
    const kinsight::QuizLocation quiz = kinsight::locateQuiz(command.quiz);
    const std::string file = kinsight::shownPath(quiz.file);
    try {
        return check(command, limits, quiz, file);
    } catch (const std::bad_alloc&) {
        // Whatever was held is gone with the stack: a line can be written.
        std::fflush(stdout);
        print(kinsight::formatDiagnostic(
            file,
            {kinsight::Severity::Error, 0, kinsight::failureName(kinsight::Failure::OutOfMemory)}));
        return kCannotCheck;
    }
}
