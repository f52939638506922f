// kinsight-check: tells a quiz author what in a quiz file would stop the
// program and what plays but is probably a mistake, compiler style, or how
// the quiz ends when answered at random.
#include "checker.h"
#include "dry_run.h"
#include "play_stats.h"

#ifdef KINSIGHT_TEXT_FIT
#include "text_fit.h"

#include <QApplication>
#endif

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: kinsight-check [--quiet] [--strict] [--stats] [FILE]\n"
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

} // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    bool strict = false;
    bool stats = false;
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

    const kinsight::CheckReport report = kinsight::checkQuiz(file, measurer);
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
        const kinsight::PlayStats figures =
            kinsight::playStats(kinsight::questionWeights(run.summary));
        std::fputs(kinsight::formatPlayStats(file, run.summary, figures).c_str(), stdout);
        return 0;
    }
    if (!quiet && report.readable)
        std::printf("%s\n", kinsight::formatSummary(file, report).c_str());
    return report.exitStatus(strict);
}
