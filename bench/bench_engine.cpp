// How fast the engine reads quizzes: the dry run the program does at start-up
// over a quiz of 100,000 questions and over one of the longest fields, the
// field reader and the encoding check under it, and Next_Question on a quiz
// of 1,000 questions.
#include "dry_run.h"
#include "quiz.h"
#include "quiz_file.h"
#include "temp_dir.h"
#include "text.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

namespace {

// Quiz text as authors write it: quoted texts with commas, six answers of two
// to four weight fields each, CR LF line ends.
std::string makeQuiz(int questions) {
    std::mt19937 random(20240601);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::string text = "A quiz for measuring\r\nWritten by a program\r\n";
    for (int slot = 1; slot <= 15; ++slot)
        text += "Character " + std::to_string(slot) + "\r\n";
    text += "\r\nEach answer gives points to some of the characters.\r\nStart:\r\n";
    for (int q = 1; q <= questions; ++q) {
        if (q > 1)
            text += "NewQuestion:\r\n";
        text += "Question " + std::to_string(q) + "\r\n";
        text += "\"On a long evening, after work, what would you rather do? (" + std::to_string(q) +
                ")\"\r\n";
        for (int k = 1; k <= 6; ++k) {
            // Appended apart: GCC 12 warns -Wrestrict, wrongly, about "A" +
            // std::string in optimised builds.
            ((text += 'A') += std::to_string(k)) += ")\r\n";
            text += "\"Read, cook, or walk by the river: choice " + std::to_string(k) + "\"\r\n";
            text += "Points:\r\n";
            for (int n = pick(2, 4); n > 0; --n) {
                const int slot = pick(1, 15);
                text += (slot < 10 ? "C0" : "C") + std::to_string(slot) + "=" +
                        std::to_string(pick(1, 9)) + "\r\n";
            }
            text += "\r\n";
        }
    }
    return text + "NewQuestion:\r\nENDQUESTIONS\r\n";
}

// A quiz whose title, names, question and answer texts and first weight
// fields are each as long as a field may be: the names one word, the texts
// words.
std::string largestFieldsQuiz() {
    auto longest = [](std::string text, const std::string& word) {
        while (text.size() < kinsight::QuizFile::kMaxFieldBytes)
            text += word;
        text.resize(kinsight::QuizFile::kMaxFieldBytes);
        text.back() = 'x';
        return text + "\r\n";
    };
    std::string text = longest("Title", " lorem ipsum") + "Written by a program\r\n";
    for (int slot = 1; slot <= 15; ++slot)
        text += longest(std::string("Name").append(std::to_string(slot)), "Longname");
    text += "\r\nStart:\r\n";
    for (const char* question : {"Question 1\r\n", "NewQuestion:\r\nQuestion 2\r\n"}) {
        (text += question) += longest("Question", " lorem ipsum");
        for (int k = 1; k <= 6; ++k) {
            // Appended apart, for the same GCC 12 warning as above.
            ((text += 'A') += std::to_string(k)) += ")\r\n";
            text += longest("Answer", " lorem ipsum") + "Points:\r\n";
            if (k == 1)
                text += longest("C01=5", "x");
            else
                ((text += "C0") += std::to_string(k)) += "=5\r\n";
            text += "\r\n";
        }
    }
    return text + "NewQuestion:\r\nENDQUESTIONS\r\n";
}

// The quizzes are written once per run into a temporary folder.
class QuizFiles {
    // First, so it is there before the files are written into it.
    kinsight::test::TempDir m_dir;

public:
    static const QuizFiles& get() {
        static const QuizFiles files;
        return files;
    }
    std::string largeText;
    std::filesystem::path large;   // 100,000 questions
    std::filesystem::path medium;  // 1,000 questions
    std::filesystem::path largest; // fields as long as they may be

private:
    QuizFiles()
        : largeText(makeQuiz(100000)), large(m_dir.write("large.txt", largeText)),
          medium(m_dir.write("medium.txt", makeQuiz(1000))),
          largest(m_dir.write("largest.txt", largestFieldsQuiz())) {}
};

class NoWindow : public kinsight::NullQuizWindow {
public:
    void setQuestion(const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
    void setAnswer(int, const std::string& text) override { benchmark::DoNotOptimize(text.data()); }
};

void BM_DryRun(benchmark::State& state) {
    const QuizFiles& files = QuizFiles::get();
    for (auto _ : state) {
        const kinsight::DryRunResult result = kinsight::dryRun(files.large);
        if (result.error || result.summary.questionCount != 100000) {
            state.SkipWithError("the generated quiz did not pass");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.largeText.size()));
}
BENCHMARK(BM_DryRun)->Unit(benchmark::kMillisecond);

// The start-up check on a quiz whose fields are all as long as they may be.
void BM_DryRunLargestFields(benchmark::State& state) {
    const std::filesystem::path& file = QuizFiles::get().largest;
    for (auto _ : state) {
        const kinsight::DryRunResult result = kinsight::dryRun(file);
        if (result.error || result.summary.questionCount != 2) {
            state.SkipWithError("the quiz of longest fields did not pass");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_DryRunLargestFields)->Unit(benchmark::kMillisecond);

// The reader alone: every field of the same file, nothing made of them.
void BM_ReadFields(benchmark::State& state) {
    const QuizFiles& files = QuizFiles::get();
    for (auto _ : state) {
        kinsight::QuizFile file;
        file.open(kinsight::readQuizText(files.large, "large.txt"));
        const std::string reading = "reading";
        while (!file.atEnd())
            benchmark::DoNotOptimize(file.readField(reading).size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.largeText.size()));
}
BENCHMARK(BM_ReadFields)->Unit(benchmark::kMillisecond);

// The encoding check that opening a file runs over all of it first.
void BM_Utf8Check(benchmark::State& state) {
    const std::string& text = QuizFiles::get().largeText;
    for (auto _ : state) {
        kinsight::Utf8Validator validator;
        validator.feed(text.data(), text.size());
        benchmark::DoNotOptimize(validator.valid());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Utf8Check)->Unit(benchmark::kMillisecond);

// One question after another; reopening the quiz at its end is not timed.
void BM_NextQuestion(benchmark::State& state) {
    NoWindow window;
    kinsight::Quiz quiz(window, QuizFiles::get().medium);
    quiz.load();
    for (auto _ : state) {
        if (quiz.finished()) {
            state.PauseTiming();
            quiz.restart();
            state.ResumeTiming();
        }
        quiz.Next_Question();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NextQuestion);

} // namespace
