// The dry run: reading a whole quiz with no window, as the program does at
// start-up and the authors' checker does: its summary, the failure it finds
// in each kind of broken file, and the fields it reports to an observer.
#include "dry_run.h"
#include "quiz_observer.h"
#include "quiz_text.h"
#include "reference_reader.h"
#include "row_name.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

using kinsight::DryRunResult;
using kinsight::Failure;
using kinsight::FieldEvent;
using kinsight::FieldRole;
using kinsight::test::crlf;
using kinsight::test::QuizBuilder;
using kinsight::test::TempDir;
using Lines = std::vector<std::string>;

namespace {

DryRunResult dryRunOf(const std::string& bytes, bool keepQuestions = false,
                      kinsight::QuizObserver* observer = nullptr) {
    TempDir dir;
    return kinsight::dryRun(dir.write("way.txt", bytes), keepQuestions, observer);
}

QuizBuilder twoQuestions() {
    QuizBuilder builder;
    builder.title("Which one?")
        .names({"Ann Lee", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "Zo"})
        .question({"\"Red, or blue?\"", {{"Red", {"C01=5", "C15=2"}}, {"\"Blue, I think\"", {}}}})
        .question("Second", {{}, {}, {}, {}, {}, {"C07=9", "C07=1"}});
    return builder;
}

TEST(DryRun, SummaryListsTitleNamesQuestionsAndWeights) {
    const DryRunResult result = dryRunOf(twoQuestions().text(), true);
    ASSERT_FALSE(result.error) << result.error->what();
    EXPECT_FALSE(result.windows1252);
    const kinsight::QuizSummary& s = result.summary;
    EXPECT_EQ(s.title, "Which one?");
    EXPECT_EQ(s.names[0], "");
    EXPECT_EQ(s.names[1], "Ann Lee");
    EXPECT_EQ(s.names[15], "Zo");
    EXPECT_EQ(s.questionCount, 2);
    ASSERT_EQ(s.questions.size(), 2u);
    EXPECT_EQ(s.questions[0].text, "Red, or blue?");
    EXPECT_EQ(s.questions[0].line, 21);
    EXPECT_EQ(s.questions[0].answers[1].text, "Red");
    EXPECT_EQ(s.questions[0].answers[1].weights[1], 5);
    EXPECT_EQ(s.questions[0].answers[1].weights[15], 2);
    EXPECT_EQ(s.questions[0].answers[2].text, "Blue, I think");
    EXPECT_EQ(s.questions[0].answers[2].weights, (std::array<int, 16>{}));
    EXPECT_EQ(s.questions[1].text, "Second");
    EXPECT_EQ(s.questions[1].answers[6].text, "Answer 6");
    EXPECT_EQ(s.questions[1].answers[6].weights[7], 1);
    EXPECT_EQ(s.questions[1].answers[1].weights, (std::array<int, 16>{}));
}

struct PassCase {
    const char* name;
    Lines lines;
    int questions;
    std::string name15;
};

class Passes : public ::testing::TestWithParam<PassCase> {};

TEST_P(Passes, ReadToTheEndWithoutError) {
    const DryRunResult result = dryRunOf(crlf(GetParam().lines));
    ASSERT_FALSE(result.error) << result.error->what();
    EXPECT_EQ(result.summary.questionCount, GetParam().questions);
    EXPECT_EQ(result.summary.names[15], GetParam().name15);
}

Lines fourteenNames() {
    return QuizBuilder()
        .names({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N"})
        .question("Q")
        .lines();
}

INSTANTIATE_TEST_SUITE_P(
    Quizzes, Passes,
    ::testing::Values(
        PassCase{"OneQuestion", QuizBuilder().question("Q").lines(), 1, "O"},
        PassCase{"ManyQuestions",
                 QuizBuilder().question("1").question("2").question("3").question("4").lines(), 4,
                 "O"},
        PassCase{"TextAfterEndQuestionsNeverRead",
                 QuizBuilder()
                     .question("Q")
                     .trailer({"X99=1", "NewQuestion:", "Q2", "A1)", "\"never closed"})
                     .lines(),
                 1, "O"},
        PassCase{"FourteenNamesTakeTheBlankLineAsFifteenth", fourteenNames(), 1, ""}),
    kinsight::test::rowName);

struct FailureCase {
    const char* name;
    std::function<Lines()> lines;
    Failure failure;
    std::string lineOf; // the failure's line holds this; empty means the file's last line
    std::string detail;
};

class Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failures, NameTheFailureTheLineAndWhatWasSought) {
    const FailureCase& row = GetParam();
    const Lines lines = row.lines();
    const DryRunResult result = dryRunOf(crlf(lines));
    ASSERT_TRUE(result.error);
    const kinsight::QuizError& error = *result.error;
    EXPECT_EQ(error.failure(), row.failure) << error.what();
    EXPECT_EQ(error.file(), "way.txt");
    int line = static_cast<int>(lines.size());
    if (!row.lineOf.empty())
        line =
            static_cast<int>(std::find(lines.begin(), lines.end(), row.lineOf) - lines.begin()) + 1;
    if (lines.empty())
        line = 1;
    EXPECT_EQ(error.line(), line) << error.what();
    EXPECT_EQ(error.detail(), row.detail);
}

// The one-question quiz with one line replaced, or cut after a line.
std::function<Lines()> replaced(std::string from, std::string to) {
    return [from, to] {
        Lines lines = QuizBuilder().question("Q", {{"C01=5"}, {"C02=5"}}).lines();
        std::replace(lines.begin(), lines.end(), from, to);
        return lines;
    };
}
std::function<Lines()> cutAfterLast(std::string field) {
    return [field] {
        Lines lines = QuizBuilder().question("Q", {{}, {}, {}, {}, {}, {"C01=5", "C06=2"}}).lines();
        lines.erase(std::find(lines.rbegin(), lines.rend(), field).base(), lines.end());
        return lines;
    };
}

INSTANTIATE_TEST_SUITE_P(
    BrokenQuizzes, Failures,
    ::testing::Values(
        FailureCase{"EmptyFile", [] { return Lines{}; }, Failure::InputPastEndOfFile, "",
                    "reading the title"},
        FailureCase{"MisspeltStart", replaced("Start:", "start:"), Failure::InputPastEndOfFile, "",
                    "looking for \"Start:\""},
        FailureCase{"MisspeltAnswerMarker", replaced("A3)", "A3 )"), Failure::InputPastEndOfFile,
                    "", "looking for \"A3)\""},
        FailureCase{"MisspeltNewQuestion", replaced("NewQuestion:", "NewQuestion"),
                    Failure::InputPastEndOfFile, "", "looking for \"NewQuestion:\""},
        FailureCase{"NoEndQuestions", cutAfterLast("NewQuestion:"), Failure::InputPastEndOfFile, "",
                    "reading the line after \"NewQuestion:\""},
        FailureCase{"EndInsideWeightList", cutAfterLast("C06=2"), Failure::InputPastEndOfFile,
                    "C06=2", "reading the points of answer 6, which end at an empty line"},
        FailureCase{"EndBeforeAnswerText", cutAfterLast("A6)"), Failure::InputPastEndOfFile, "A6)",
                    "reading the text of answer 6"},
        FailureCase{"CharacterNumberTooHigh", replaced("C02=5", "X99=1"),
                    Failure::SubscriptOutOfRange, "X99=1",
                    "points for character 99 in \"X99=1\": characters are numbered 1 to 15"},
        FailureCase{"CharacterSixteen", replaced("C02=5", "C16=1"), Failure::SubscriptOutOfRange,
                    "C16=1",
                    "points for character 16 in \"C16=1\": characters are numbered 1 to 15"},
        FailureCase{"CharacterNumberNegative", replaced("C01=5", "C-1=2"),
                    Failure::SubscriptOutOfRange, "C-1=2",
                    "points for character -1 in \"C-1=2\": characters are numbered 1 to 15"},
        FailureCase{"ThirteenNamesMakeStartAName",
                    [] {
                        return QuizBuilder()
                            .names(
                                {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M"})
                            .question("Q")
                            .lines();
                    },
                    Failure::InputPastEndOfFile, "", "looking for \"Start:\""}),
    kinsight::test::rowName);

TEST(DryRun, MissingFileIsFileNotFoundWithTheFullPath) {
    TempDir dir;
    const auto path = dir.path() / "way.txt";
    const DryRunResult result = kinsight::dryRun(path);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->failure(), Failure::FileNotFound);
    EXPECT_EQ(result.error->file(), path.string());
    EXPECT_EQ(result.summary.questionCount, 0);
}

TEST(DryRun, SummaryHoldsWhatWasReadBeforeTheFailure) {
    Lines lines = QuizBuilder().title("Half").question("One").question("Two", {{"X99=1"}}).lines();
    const DryRunResult result = dryRunOf(crlf(lines), true);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.summary.title, "Half");
    EXPECT_EQ(result.summary.questionCount, 2);
    EXPECT_EQ(result.summary.questions.size(), 1u);
}

// Everything a dry run found, in one text to compare.
std::string describe(const DryRunResult& run) {
    std::string text = run.summary.title + "|" + std::to_string(run.summary.questionCount);
    for (const std::string& name : run.summary.names)
        text += "|" + name;
    for (const kinsight::QuestionSummary& q : run.summary.questions) {
        text += "\n" + std::to_string(q.line) + ":" + q.text;
        for (const kinsight::AnswerSummary& a : q.answers) {
            text += "|" + a.text;
            // Appended apart: GCC 12 warns -Wrestrict, wrongly, about "," +
            // std::string in optimised builds.
            for (int w : a.weights)
                (text += ',') += std::to_string(w);
        }
    }
    return text + "\n" + (run.error ? run.error->what() : "no error");
}

class EncodingTwins : public ::testing::TestWithParam<const char*> {};

// Authors save as they please: the same quiz in each encoding gives the same
// fields on the same lines, and the dry run the same result and failure.
TEST_P(EncodingTwins, ReadLikeTheUtf8Original) {
    const std::string encoding = GetParam();
    auto quiz = [](const std::string& weight) {
        return QuizBuilder()
            .title("\xE2\x80\x9C"
                   "Caf\xC3\xA9\xE2\x80\x9D \xE2\x82\xAC")
            .question(
                {"\"Cr\xC3\xA8me,\r\nor not?\"", {{"\"Oui, cr\xC3\xA8me\"", {"C01=3", weight}}}})
            .question("Deux", {{"Non", {"C02=4"}}})
            .text();
    };
    // A file of several huge pages is decoded as it is read, its pages given
    // back behind the reading.
    const bool large = encoding.ends_with(" over many pages");
    std::string tail;
    for (int i = 0; large && i < 200'000; ++i)
        tail += "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                "e " +
                std::to_string(i) + "\r\n";
    for (std::string utf8 : {quiz("C15=9"), quiz("C99=1")}) {
        utf8 += tail;
        std::string bytes = utf8;
        if (encoding == "UTF-8 with BOM")
            bytes = "\xEF\xBB\xBF" + utf8;
        else if (encoding != "UTF-8")
            bytes = kinsight::test::encodeAs(utf8, large ? "Windows-1252" : encoding);
        TempDir dir, twinDir;
        const auto original = dir.write("way.txt", utf8);
        const auto twin = twinDir.write("way.txt", bytes);
        EXPECT_EQ(kinsight::test::engineReading(twin, "way.txt"),
                  kinsight::test::engineReading(original, "way.txt"));
        const DryRunResult run = kinsight::dryRun(twin, true);
        EXPECT_EQ(describe(run), describe(kinsight::dryRun(original, true)));
        EXPECT_EQ(run.windows1252, encoding.starts_with("Windows-1252"));
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, EncodingTwins,
                         ::testing::Values("UTF-8", "UTF-8 with BOM", "Windows-1252",
                                           "Windows-1252 over many pages", "UTF-16LE", "UTF-16BE"),
                         [](const auto& row) {
                             std::string name;
                             for (char c : std::string(row.param))
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     name += c;
                             return name;
                         });

const char* roleName(FieldRole role) {
    switch (role) {
    case FieldRole::Title:
        return "Title";
    case FieldRole::Ignored:
        return "Ignored";
    case FieldRole::Name:
        return "Name";
    case FieldRole::Skipped:
        return "Skipped";
    case FieldRole::Marker:
        return "Marker";
    case FieldRole::QuestionText:
        return "QuestionText";
    case FieldRole::AnswerText:
        return "AnswerText";
    case FieldRole::Weight:
        return "Weight";
    case FieldRole::QuestionMark:
        return "QuestionMark";
    case FieldRole::Trailing:
        return "Trailing";
    }
    return "?";
}

// Each field as "line Role text", with the numbers that matter for its role.
class FieldLog : public kinsight::QuizObserver {
public:
    Lines events;
    void onField(const FieldEvent& e) override {
        std::string text = std::to_string(e.line) + " " + roleName(e.role) + " " +
                           (e.quoted ? "\"" + std::string(e.text) + "\"" : std::string(e.text));
        if (e.role == FieldRole::Name)
            text += " #" + std::to_string(e.slot);
        if (e.role == FieldRole::Skipped)
            text += " for " + std::string(e.marker);
        if (e.role == FieldRole::AnswerText)
            text += " a" + std::to_string(e.answer);
        if (e.role == FieldRole::Weight)
            text += " a" + std::to_string(e.answer) + " #" + std::to_string(e.slot) + " =" +
                    std::to_string(e.points);
        if (e.role == FieldRole::QuestionText)
            text += " q" + std::to_string(e.question);
        events.push_back(text);
    }
};

TEST(DryRun, ObserverSeesEveryFieldWithItsRoleAndLine) {
    FieldLog log;
    const DryRunResult result = dryRunOf(QuizBuilder()
                                             .question("\"Red, or blue?\"", {{"C01=5", "C 3"}})
                                             .trailer({"", "Thanks"})
                                             .text(),
                                         false, &log);
    ASSERT_FALSE(result.error) << result.error->what();

    Lines expected{"1 Title Test quiz", "2 Ignored A quiz made for a test"};
    for (int slot = 1; slot <= 15; ++slot)
        expected.push_back(std::to_string(slot + 2) + " Name " + std::string(1, 'A' + slot - 1) +
                           " #" + std::to_string(slot));
    expected.insert(expected.end(),
                    {"18 Skipped  for Start:", "19 Marker Start:", "20 Ignored Question 1",
                     "21 QuestionText \"Red, or blue?\" q1", "22 Marker A1)",
                     "23 AnswerText Answer 1 a1", "24 Ignored Points:", "25 Weight C01=5 a1 #1 =5",
                     "26 Weight C 3 a1 #3 =0", "27 Weight  a1 #0 =0"});
    for (int k = 2; k <= 6; ++k) {
        const int at = 28 + (k - 2) * 4;
        const std::string a = std::to_string(k);
        expected.push_back(std::to_string(at) + " Marker A" + a + ")");
        expected.push_back(std::to_string(at + 1) + " AnswerText Answer " + a + " a" + a);
        expected.push_back(std::to_string(at + 2) + " Ignored Points:");
        expected.push_back(std::to_string(at + 3) + " Weight  a" + a + " #0 =0");
    }
    expected.insert(expected.end(), {"48 Marker NewQuestion:", "49 QuestionMark ENDQUESTIONS",
                                     "50 Trailing ", "51 Trailing Thanks"});
    EXPECT_EQ(log.events, expected);
}

TEST(DryRun, BundledQuizPasses) {
    const DryRunResult result =
        kinsight::dryRun(std::filesystem::path(KINSIGHT_SOURCE_DIR) / "quiz" / "way.txt");
    ASSERT_FALSE(result.error) << result.error->what();
    EXPECT_GE(result.summary.questionCount, 12);
    for (int slot = 1; slot <= 15; ++slot)
        EXPECT_FALSE(result.summary.names[slot].empty()) << "character " << slot;
}

} // namespace
