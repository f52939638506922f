// libFuzzer target: any bytes as a quiz file, read by the engine's dry run and
// by the authors' checker. Neither may crash, hang or read out of bounds, the
// field reader, reading the file at once and in tiny pieces, must cut the
// bytes exactly as the plain reference reader does, and every diagnostic
// must name a line the file has.
#include "checker.h"
#include "dry_run.h"
#include "quiz_file.h"
#include "reference_reader.h"
#include "temp_dir.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// One folder per process, reused for every input and removed at exit; a
// Pictures folder with a couple of pictures so the checker's picture lookup
// runs too.
const std::filesystem::path& quizPath() {
    static const kinsight::test::TempDir folder;
    static const std::filesystem::path path = [] {
        folder.pictures({"Ann", "Bob", "A"});
        return folder.path() / "way.txt";
    }();
    return path;
}

// Lines of a text as an editor numbers them: a last line end starts no line.
int lineCount(std::string_view text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((text[i] == '\r' || text[i] == '\n') &&
            !(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') && i + 1 < text.size())
            ++lines;
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& path = quizPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kinsight::test::FileReading reference =
        kinsight::test::referenceReading(bytes, "way.txt");
    for (std::size_t block : {kinsight::QuizFileLimits{}.blockBytes, 1 + size % 7})
        if (kinsight::test::engineReading(path, "way.txt", block) != reference)
            std::abort();

    const kinsight::DryRunResult run = kinsight::dryRun(path, true);
    const kinsight::CheckReport report = kinsight::checkQuiz(path);
    // One reader, one verdict: the checker's error is the dry run's.
    if (run.error.has_value() != (report.errorCount() == 1))
        std::abort();
    if (run.error && report.diagnostics.end() ==
                         std::find_if(report.diagnostics.begin(), report.diagnostics.end(),
                                      [&](const kinsight::Diagnostic& d) {
                                          return d.severity == kinsight::Severity::Error &&
                                                 d.line == run.error->line();
                                      }))
        std::abort();
    // A file that cannot be read is named by the line of its bytes.
    const int lines = lineCount(run.text ? run.text->text : bytes);
    for (const kinsight::Diagnostic& d : report.diagnostics)
        if (d.line < 0 || d.line > lines)
            std::abort();
    return 0;
}
