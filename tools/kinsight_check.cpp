// kinsight-check: tells a quiz author what in a quiz file would stop the
// program and what plays but is probably a mistake, compiler style.
#include "checker.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: kinsight-check [--quiet] [FILE]\n"
    "Reads the quiz FILE (default ./way.txt) as Kinsight does and reports\n"
    "  FILE:LINE: error: ...    what stops the program, with the line it is on\n"
    "  FILE:LINE: warning: ...  what plays but is probably a mistake\n"
    "then a summary line. Pictures are looked for in Pictures/ beside FILE.\n"
    "\n"
    "  --quiet   print errors only\n"
    "  --help    show this text\n"
    "\n"
    "Exit status: 0 without errors, 1 with errors, 2 when FILE cannot be read\n"
    "or the command line is wrong.\n";

} // namespace

int main(int argc, char** argv) {
    bool quiet = false;
    std::string file;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!onlyFiles && arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!onlyFiles && arg == "--quiet") {
            quiet = true;
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

    const kinsight::CheckReport report = kinsight::checkQuiz(file);
    for (const kinsight::Diagnostic& d : report.diagnostics)
        if (!quiet || d.severity == kinsight::Severity::Error)
            std::printf("%s\n", kinsight::formatDiagnostic(file, d).c_str());
    if (!quiet && report.readable)
        std::printf("%s\n", kinsight::formatSummary(file, report).c_str());
    return report.exitStatus();
}
