// The program's start-up check alone, on any quiz file: the dry run with
// nothing kept, so that its own peak memory can be told from the checker's.
// Prints the number of questions, or the failure; exit status 0 or 1.
#include "dry_run.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kinsight_dry_run QUIZ_FILE\n");
        return 2;
    }
    const kinsight::DryRunResult result = kinsight::dryRun(argv[1]);
    if (result.error) {
        std::printf("%s\n", result.error->what());
        return 1;
    }
    std::printf("%d questions\n", result.summary.questionCount);
    return 0;
}
