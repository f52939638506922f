// Every quiz in the fuzzing seed corpus and every input the fuzzer once
// crashed on must read to a clean end or a clean error, and the checker must
// agree with the dry run about which.
#include "checker.h"
#include "dry_run.h"
#include "quiz_error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace kinsight;

namespace {

std::vector<std::filesystem::path> inputs() {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"corpus", "regressions"}) {
        const std::filesystem::path dir =
            std::filesystem::path(KINSIGHT_SOURCE_DIR) / "tests" / "fuzz" / folder;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end;
             it.increment(ec))
            if (it->is_regular_file())
                files.push_back(it->path());
    }
    return files;
}

TEST(QuizInputs, CheckerAndDryRunAgree) {
    const auto files = inputs();
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
        EXPECT_EQ(error->message.rfind(failureName(run.error->failure()), 0), 0u);
    }
}

} // namespace
