// kinsight-check: tells a quiz author what in a quiz file would stop the
// program and what plays but is probably a mistake, compiler style, or how
// the quiz ends when answered at random.
#include "checker.h"
#include "dry_run.h"
#include "play_stats.h"

#ifdef KINSIGHT_TEXT_FIT
#include "picture_probe.h"
#include "text_fit.h"

#include <QApplication>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "Usage: kinsight-check [--quiet] [--strict] [--stats [--plays N]] [FILE]\n"
    "Reads the quiz FILE (default ./way.txt) as Kinsight does and reports\n"
    "  FILE:LINE: error: ...    what stops the program, with the line it is on\n"
    "  FILE:LINE: warning: ...  what plays but is probably a mistake\n"
    "then a summary line. Pictures are looked for in Pictures/ beside FILE.\n"
    "\n"
    "  --quiet   print errors only\n"
    "  --strict  count warnings as errors for the exit status\n"
    "  --stats   instead of the report, the chances of each result when every\n"
    "            question is answered at random: exact while there are at most\n"
    "            10 million plays, otherwise from a seeded simulation of 1 million\n"
    "            plays, fewer for a long quiz (200 million answers in all)\n"
    "  --plays N with --stats, simulate N plays\n"
    "  --help    show this text\n"
    "  --version show the version and the license\n"
    "\n"
    "Exit status: 0 without errors, 1 with errors (with --strict, also with\n"
    "warnings), 2 when FILE cannot be read or the command line is wrong.\n";

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
    bool quiet = false;
    bool strict = false;
    bool stats = false;
    kinsight::PlayStatsLimits limits;
    std::string file;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!onlyFiles && arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!onlyFiles && arg == "--version") {
            std::fputs("kinsight-check " KINSIGHT_VERSION "\n"
                       "License GPL-3.0-or-later: <https://gnu.org/licenses/gpl.html>\n",
                       stdout);
            return 0;
        }
        if (!onlyFiles && arg == "--quiet") {
            quiet = true;
        } else if (!onlyFiles && arg == "--strict") {
            strict = true;
        } else if (!onlyFiles && arg == "--stats") {
            stats = true;
        } else if (!onlyFiles && arg == "--plays") {
            char* end = nullptr;
            const char* value = i + 1 < argc ? argv[++i] : "";
            limits.simulatedPlays = std::strtoull(value, &end, 10);
            if (*value < '0' || *value > '9' || *end != '\0' || limits.simulatedPlays == 0) {
                std::fprintf(stderr, "kinsight-check: --plays takes a number of plays\n%s", kUsage);
                return 2;
            }
        } else if (!onlyFiles && arg == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "kinsight-check: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        } else if (file.empty()) {
            file = arg;
        } else {
            std::fprintf(stderr, "kinsight-check: one quiz file at a time\n%s", kUsage);
            return 2;
        }
    }
    if (file.empty())
        file = "way.txt";

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

    const kinsight::CheckReport report = kinsight::checkQuiz(file, measurer, pictures);
    // What decides the exit status is always shown.
    auto shown = [&](const kinsight::Diagnostic& d) {
        return d.severity == kinsight::Severity::Error || strict || (!quiet && !stats);
    };
    for (const kinsight::Diagnostic& d : report.diagnostics)
        if (shown(d))
            std::printf("%s\n", kinsight::formatDiagnostic(file, d).c_str());
    if (stats) {
        if (report.exitStatus(strict) != 0)
            return report.exitStatus(strict);
        const kinsight::DryRunResult run = kinsight::dryRun(file, true);
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
