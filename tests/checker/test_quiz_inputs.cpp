// Every quiz in the fuzzing seed corpus, where an input the fuzzer once
// crashed on is kept, must read to a clean end or a clean error, and the
// checker must agree with the dry run about which.
#include "checker.h"
#include "dry_run.h"
#include "quiz_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace kinsight;

namespace {

std::vector<std::filesystem::path> inputs() {
    const std::filesystem::path dir =
        std::filesystem::path(KINSIGHT_SOURCE_DIR) / "tests" / "fuzz" / "corpus";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    return files;
}

TEST(QuizInputs, CheckerAndDryRunAgree) {
    const auto files = inputs(); // throws if the corpus cannot be listed
    ASSERT_GE(files.size(), 10u) << "the seed corpus is missing from "
                                 << KINSIGHT_SOURCE_DIR "/tests/fuzz";
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const DryRunResult run = dryRun(file, true);
        const CheckReport report = checkQuiz(file);
        EXPECT_TRUE(report.readable);
        EXPECT_EQ(report.title, run.summary.title);
        EXPECT_EQ(report.questionCount, run.summary.questionCount);
        ASSERT_EQ(report.errorCount(), run.error ? 1 : 0);
        if (!run.error)
            continue;
        const auto error =
            std::find_if(report.diagnostics.begin(), report.diagnostics.end(),
                         [](const Diagnostic& d) { return d.severity == Severity::Error; });
        EXPECT_EQ(error->line, run.error->line());
        EXPECT_EQ(error->message, failureMessage(run.error->failure(), run.error->detail()));
    }
}

} // namespace
