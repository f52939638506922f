// The quiz engine driven the way the main window drives it: load, answer or
// skip, the final ranking and restart, checked through the exact sequence of
// window operations and the tables.
#include "quiz.h"
#include "quiz_error.h"
#include "quiz_text.h"
#include "recording_window.h"
#include "row_name.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

using kinsight::Failure;
using kinsight::Quiz;
using kinsight::QuizError;
using kinsight::QuizTables;
using kinsight::test::QuizBuilder;
using kinsight::test::RecordingWindow;
using kinsight::test::TempDir;
using Ops = std::vector<std::string>;

namespace {

const std::string kAllNames = "A,B,C,D,E,F,G,H,I,J,K,L,M,N and O";

Ops operator+(Ops a, const Ops& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Ops showQuestion(const std::string& text) {
    Ops ops{"setQuestion(\"" + text + "\")"};
    for (int k = 1; k <= 6; ++k)
        ops.push_back("setAnswer(" + std::to_string(k) + ",\"Answer " + std::to_string(k) + "\")");
    return ops;
}

Ops clearAll() {
    return {"clearSelection(Ans1)",        "clearSelection(Ans2)", "clearSelection(Ans3)",
            "clearSelection(Ans4)",        "clearSelection(Ans5)", "clearSelection(Ans6)",
            "clearSelection(SkipQuestion)"};
}

Ops scoreBoxes(const std::array<int, 16>& scores) {
    Ops ops;
    for (int i = 1; i <= 15; ++i)
        ops.push_back("setScoreText(" + std::to_string(i - 1) + ",\"" + std::to_string(scores[i]) +
                      "\")");
    return ops;
}

// Step 6 of the ranking.
Ops closeForAnswers(const std::string& resultName) {
    Ops ops{"setResultName(\"" + resultName + "\")"};
    for (const char* control : {"Ans1", "Ans2", "Ans3", "Ans4", "Ans5", "Ans6", "SkipQuestion"})
        ops.push_back(std::string("setControlEnabled(") + control + ",false)");
    ops.emplace_back("setControlEnabled(cmd_restart,true)");
    return ops;
}

// A row of a table indexed by character slot; slots not given are 0.
std::array<int, 16> slots(const std::map<int, int>& bySlot) {
    std::array<int, 16> out{};
    for (auto [slot, points] : bySlot)
        out[slot] = points;
    return out;
}

class QuizTest : public ::testing::Test {
protected:
    Quiz& start(const QuizBuilder& builder, kinsight::QuizFileLimits limits = {}) {
        m_path = m_dir.write("quiz.txt", builder.text());
        m_quiz = std::make_unique<Quiz>(m_window, m_window, m_path);
        m_quiz->setFileLimits(limits);
        m_quiz->load();
        return *m_quiz;
    }
    const QuizTables& tables() const { return m_quiz->tables(); }

    TempDir m_dir;
    RecordingWindow m_window;
    std::filesystem::path m_path;
    std::unique_ptr<Quiz> m_quiz;
};

TEST_F(QuizTest, LoadShowsTitleNamesAndFirstQuestionInOrder) {
    QuizBuilder builder;
    builder.title("Which one?")
        .question({"\"Red, or blue?\"",
                   {{"\"Blue, of course\"", {"C02=3"}}, {"", {}}, {"Green", {"C15=9", "C01=1"}}}});
    start(builder);
    EXPECT_EQ(m_window.take(), (Ops{"setTitle(\"Which one?\")", "setQuestion(\"Red, or blue?\")",
                                    "setAnswer(1,\"Blue, of course\")", "setAnswer(2,\"\")",
                                    "setAnswer(3,\"Green\")", "setAnswer(4,\"Answer 4\")",
                                    "setAnswer(5,\"Answer 5\")", "setAnswer(6,\"Answer 6\")"}));
    EXPECT_EQ(tables().CharacterTable[0], "");
    EXPECT_EQ(tables().CharacterTable[1], "A");
    EXPECT_EQ(tables().CharacterTable[15], "O");
    EXPECT_EQ(tables().WeightTable[1][2], 3);
    EXPECT_EQ(tables().WeightTable[3][15], 9);
    EXPECT_EQ(tables().WeightTable[3][1], 1);
    EXPECT_EQ(m_quiz->questionNumber(), 1);
    EXPECT_FALSE(m_quiz->finished());
}

TEST_F(QuizTest, UnquotedCommaCutsTheQuestionAndTheRestIsSkipped) {
    start(QuizBuilder().question({"Red, or blue?", {{"Answer 1", {"C01=1"}}}}));
    EXPECT_EQ(m_window.ops.at(1), "setQuestion(\"Red\")");
    EXPECT_EQ(m_window.ops.at(2), "setAnswer(1,\"Answer 1\")");
    EXPECT_EQ(tables().WeightTable[1][1], 1);
}

struct WeightListCase {
    const char* name;
    std::vector<std::string> weights;
    std::map<int, int> expected; // slot -> points; every other slot 0
};

class WeightLists : public QuizTest, public ::testing::WithParamInterface<WeightListCase> {};

TEST_P(WeightLists, FillAnswerRowOfWeightTable) {
    start(QuizBuilder().question("Q", {GetParam().weights}));
    EXPECT_EQ(tables().WeightTable[1], slots(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WeightLists,
    ::testing::Values(
        WeightListCase{"EmptyListGivesNothing", {}, {}},
        WeightListCase{"DuplicatesKeepTheLast", {"C02=3", "C02=1"}, {{2, 1}}},
        WeightListCase{"ZeroOverwritesEarlierPoints", {"C05=7", "C05="}, {{5, 0}}},
        WeightListCase{"TerminatorOverwritesSlotZero", {"C00=5"}, {}},
        WeightListCase{"MixedForms", {"C15=9", "C 3=2", "C7", "C10=4"}, {{15, 9}, {3, 2}, {10, 4}}},
        WeightListCase{"FirstAndLastCharacter", {"C01=1", "C15=6"}, {{1, 1}, {15, 6}}}),
    kinsight::test::rowName);

TEST_F(QuizTest, NextQuestionClearsSelectionThenShowsTheNextAndForgetsOldWeights) {
    start(QuizBuilder()
              .question("First", {{"C01=5"}, {"C02=5"}})
              .question("Second", {{}, {}, {"C03=2"}}));
    m_window.take();
    m_quiz->Next_Question();
    EXPECT_EQ(m_window.take(), clearAll() + showQuestion("Second"));
    EXPECT_EQ(tables().WeightTable[1][1], 0);
    EXPECT_EQ(tables().WeightTable[2][2], 0);
    EXPECT_EQ(tables().WeightTable[3][3], 2);
    EXPECT_EQ(m_quiz->questionNumber(), 2);
}

TEST_F(QuizTest, FirstAnswerFillsAllFifteenBoxesThenLoadsTheNextQuestion) {
    start(QuizBuilder().question("First", {{}, {"C03=4"}}).question("Second"));
    m_window.take();
    m_quiz->answerChosen(2);
    EXPECT_EQ(m_window.take(), scoreBoxes(slots({{3, 4}})) + clearAll() + showQuestion("Second"));
}

TEST_F(QuizTest, SkipLeavesScoresAndBoxesUntouched) {
    start(QuizBuilder()
              .question("First", {{"C01=4"}})
              .question("Second", {{"C01=4"}})
              .question("Third"));
    m_quiz->answerChosen(1);
    m_window.take();
    m_quiz->skipChosen();
    EXPECT_EQ(m_window.take(), clearAll() + showQuestion("Third"));
    EXPECT_EQ(tables().ScoreTable, slots({{1, 4}}));
}

struct ScoringCase {
    const char* name;
    std::vector<std::vector<std::vector<std::string>>> questions; // weights per answer
    std::vector<int> choices;                                     // answer k, 0 = skip
    std::map<int, int> expected;
};

class Scoring : public QuizTest, public ::testing::WithParamInterface<ScoringCase> {};

TEST_P(Scoring, AddsTheChosenAnswersWeights) {
    QuizBuilder builder;
    for (const auto& weights : GetParam().questions)
        builder.question("Q", weights);
    start(builder);
    for (int k : GetParam().choices)
        k == 0 ? m_quiz->skipChosen() : m_quiz->answerChosen(k);
    EXPECT_EQ(tables().ScoreTable, slots(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Passes, Scoring,
    ::testing::Values(
        ScoringCase{"SameAnswerOnConsecutiveQuestions",
                    {{{"C01=2", "C04=1"}}, {{"C01=3"}}},
                    {1, 1},
                    {{1, 5}, {4, 1}}},
        ScoringCase{
            "OnlyTheChosenAnswerCounts", {{{"C01=2"}, {"C02=7"}, {"C03=9"}}}, {2}, {{2, 7}}},
        ScoringCase{
            "AnswerWithoutWeightsScoresNothing", {{{}, {"C02=7"}}, {{"C01=1"}}}, {1, 1}, {{1, 1}}},
        ScoringCase{"EveryQuestionSkipped", {{{"C01=2"}}, {{"C01=3"}}}, {0, 0}, {}},
        ScoringCase{"AnswersAfterTheEndAreIgnored", {{{"C01=2"}}}, {1, 1, 0, 1}, {{1, 2}}},
        ScoringCase{
            "SixthAnswer", {{{}, {}, {}, {}, {}, {"C15=9", "C14=1"}}}, {6}, {{15, 9}, {14, 1}}}),
    kinsight::test::rowName);

TEST_F(QuizTest, AnswerWithEmptyCaptionStillScores) {
    start(QuizBuilder().question({"Q", {{"", {"C07=6"}}}}));
    EXPECT_EQ(m_window.ops.at(2), "setAnswer(1,\"\")");
    m_quiz->answerChosen(1);
    EXPECT_EQ(tables().ScoreTable[7], 6);
}

struct RankingCase {
    const char* name;
    std::vector<std::vector<std::string>> answerOne; // answer 1's weights, one list per question
    bool skipAll;
    Ops ranking;            // what the ranking shows before closing the quiz for answers
    std::string resultName; // Text1 afterwards
    std::array<int, 4> tieList;
    int chosen = 0;  // the tie-list position a tie-break window then reports
    Ops announced{}; // what that shows; nothing where no window offers it
};

class Ranking : public QuizTest, public ::testing::WithParamInterface<RankingCase> {};

TEST_P(Ranking, ShowsTheResultThenClosesTheQuizForAnswers) {
    const RankingCase& row = GetParam();
    QuizBuilder builder;
    for (const auto& weights : row.answerOne)
        builder.question("Q", {weights});
    start(builder);
    for (std::size_t n = 0; n < row.answerOne.size(); ++n) {
        m_window.take();
        row.skipAll ? m_quiz->skipChosen() : m_quiz->answerChosen(1);
    }
    ASSERT_TRUE(m_quiz->finished());
    Ops ops = m_window.take();
    // Everything after the options are cleared belongs to the ranking.
    const Ops cleared = clearAll();
    auto last = std::search(ops.begin(), ops.end(), cleared.begin(), cleared.end());
    ASSERT_NE(last, ops.end());
    EXPECT_EQ(Ops(last + 7, ops.end()), row.ranking + closeForAnswers(row.resultName));
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(tables().TieList[p], row.tieList[p]) << "TieList[" << p << "]";
    m_quiz->tieBreakChosen(row.chosen);
    EXPECT_EQ(m_window.take(), row.announced);
    m_quiz->tieBreakChosen(row.chosen);
    EXPECT_EQ(m_window.take(), Ops{}) << "announced once only";
}

INSTANTIATE_TEST_SUITE_P(
    Results, Ranking,
    ::testing::Values(
        RankingCase{"SingleWinner",
                    {{"C01=5", "C02=3", "C03=3"}},
                    false,
                    {"showPicture(\"A\")", "setResultName(\"A\")"},
                    "A",
                    {0, 0, 0, 0}},
        RankingCase{"SingleWinnerInLastSlot",
                    {{"C15=1"}},
                    false,
                    {"showPicture(\"O\")", "setResultName(\"O\")"},
                    "O",
                    {0, 0, 0, 0}},
        RankingCase{"ScoresCompareAsNumbers",
                    {{"C01=9", "C02=9"}, {"C01=1"}},
                    false,
                    {"showPicture(\"A\")", "setResultName(\"A\")"},
                    "A",
                    {0, 0, 0, 0}},
        RankingCase{
            "TwoWayInAscendingOrderWhateverOrderReached",
            {{"C09=4"}, {"C02=4", "C05=3"}},
            false,
            {"message(\"Two way draw between B and I\",\"Draw\")", "openTieBreak(\"B\",\"I\")"},
            "",
            {2, 9, 0, 0},
            1,
            {"greet(\"I\")", "hideTieBreaks()", "showPicture(\"I\")", "setResultName(\"I\")"}},
        RankingCase{
            "ThreeWay",
            {{"C01=2", "C02=2", "C03=2"}},
            false,
            {"message(\"Three way draw between A,B and  C\",\"Draw\")",
             "openTieBreak(\"A\",\"B\",\"C\")"},
            "",
            {1, 2, 3, 0},
            2,
            {"greet(\"C\")", "hideTieBreaks()", "setResultName(\"C\")", "showPicture(\"C\")"}},
        RankingCase{"FourWayWithApology",
                    {{"C01=1", "C02=1", "C03=1", "C04=1"}},
                    false,
                    {"message(\"Four way draw between A,B,C and D..sorry..this game does not yet "
                     "fully support 4 way tie-brakes\",\"Draw\")",
                     "openTieBreak(\"A\",\"B\",\"C\")"},
                    "",
                    {1, 2, 3, 4},
                    3}, // the fourth is not offered
        RankingCase{"FiveWay",
                    {{"C11=1", "C12=1", "C13=1", "C14=1", "C15=1"}},
                    false,
                    {"message(\"5 way draw between K,L,M,N and O\",\"Draw\")", "showPicture(\"\")"},
                    "",
                    {0, 0, 0, 0}},
        RankingCase{
            "EverythingSkipped",
            {{"C01=1"}, {"C02=1"}},
            true,
            {"message(\"15 way draw between " + kAllNames + "\",\"Draw\")", "showPicture(\"\")"},
            "",
            {0, 0, 0, 0}},
        RankingCase{
            "AllEqualButNotZero",
            {{"C01=1", "C02=1", "C03=1", "C04=1", "C05=1", "C06=1", "C07=1", "C08=1", "C09=1",
              "C10=1", "C11=1", "C12=1", "C13=1", "C14=1", "C15=1"}},
            false,
            {"message(\"15 way draw between " + kAllNames + "\",\"Draw\")", "showPicture(\"\")"},
            "",
            {0, 0, 0, 0}}),
    kinsight::test::rowName);

TEST_F(QuizTest, WinCountCountsStrictlyLowerScores) {
    start(QuizBuilder().question("Q", {{"C01=5", "C02=3", "C03=3"}}));
    m_quiz->answerChosen(1);
    EXPECT_EQ(tables().WinCount, (std::array<int, 16>{0, 14, 12, 12}));
}

TEST_F(QuizTest, NothingHappensAfterTheEnd) {
    start(QuizBuilder().question("Q", {{"C01=5"}}));
    m_quiz->answerChosen(1);
    ASSERT_TRUE(m_quiz->finished());
    const QuizTables before = tables();
    m_window.take();
    m_quiz->answerChosen(1);
    m_quiz->skipChosen();
    m_quiz->Next_Question();
    EXPECT_TRUE(m_window.ops.empty()) << m_window.ops.front();
    EXPECT_EQ(tables().ScoreTable, before.ScoreTable);
    EXPECT_EQ(tables().WinCount, before.WinCount);
}

TEST_F(QuizTest, TextAfterEndQuestionsIsNeverRead) {
    start(QuizBuilder()
              .question("Q", {{"C01=5"}})
              .trailer({"X99=1", "\"never closed", "NewQuestion:", "Another"}));
    EXPECT_NO_THROW(m_quiz->skipChosen());
    EXPECT_TRUE(m_quiz->finished());
    EXPECT_NO_THROW(m_quiz->Next_Question());
}

Ops restartOps() {
    Ops ops{"hideTieBreaks()", "hideWindow()", "showWindow()"};
    for (const char* control : {"Ans1", "Ans2", "Ans3", "Ans4", "Ans5", "Ans6", "SkipQuestion"})
        ops.push_back(std::string("setControlEnabled(") + control + ",true)");
    ops = ops + clearAll();
    ops.emplace_back("setResultName(\"\")");
    for (int i = 0; i < 15; ++i)
        ops.push_back("setScoreText(" + std::to_string(i) + ",\"\")");
    ops.emplace_back("resetDualTimers()");
    return ops + Ops{"setTitle(\"Test quiz\")"} + showQuestion("First");
}

TEST_F(QuizTest, RestartResetsTheWindowThenLoadsAgain) {
    start(QuizBuilder().question("First", {{"C01=5"}}).question("Second"));
    m_quiz->answerChosen(1);
    m_quiz->skipChosen();
    m_window.take();
    m_quiz->restart();
    EXPECT_EQ(m_window.take(), restartOps());
    EXPECT_FALSE(m_quiz->finished());
    EXPECT_EQ(m_quiz->questionNumber(), 1);
}

TEST_F(QuizTest, RestartTwiceIsRestartOnce) {
    start(QuizBuilder().question("First", {{"C01=5", "C02=5"}}).question("Second", {{"C03=1"}}));
    m_quiz->answerChosen(1);
    m_quiz->answerChosen(1);
    m_window.take();
    m_quiz->restart();
    const Ops once = m_window.take();
    const QuizTables afterOnce = tables();
    m_quiz->restart();
    EXPECT_EQ(m_window.take(), once);
    EXPECT_EQ(tables().CharacterTable, afterOnce.CharacterTable);
    EXPECT_EQ(tables().WeightTable, afterOnce.WeightTable);
    EXPECT_EQ(tables().ScoreTable, afterOnce.ScoreTable);
    EXPECT_EQ(tables().WinCount, afterOnce.WinCount);
    EXPECT_EQ(tables().TieList, afterOnce.TieList);
}

TEST_F(QuizTest, RestartEmptiesEveryTable) {
    start(QuizBuilder().question("First", {{"C01=1", "C02=1", "C03=1", "C04=1"}}));
    m_quiz->answerChosen(1);
    ASSERT_EQ(tables().TieList[3], 4);
    m_quiz->restart();
    EXPECT_EQ(tables().ScoreTable, (std::array<int, 16>{}));
    EXPECT_EQ(tables().WinCount, (std::array<int, 16>{}));
    EXPECT_EQ(tables().TieList, (std::array<int, 16>{}));
    EXPECT_EQ(tables().WeightTable[1], slots({{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(tables().CharacterTable[4], "D");
}

TEST_F(QuizTest, TwoWayAfterFourWayAndRestartLeavesLaterPositionsEmpty) {
    start(QuizBuilder().question("First",
                                 {{"C01=1", "C02=1", "C03=1", "C04=1"}, {"C06=2", "C07=2"}}));
    m_quiz->answerChosen(1);
    m_quiz->restart();
    m_quiz->answerChosen(2);
    EXPECT_EQ(tables().TieList, (std::array<int, 16>{6, 7}));
}

TEST_F(QuizTest, RestartMidQuizStartsFromTheFirstQuestion) {
    start(QuizBuilder().question("First", {{"C01=5"}}).question("Second").question("Third"));
    m_quiz->answerChosen(1);
    m_quiz->restart();
    EXPECT_EQ(tables().ScoreTable, (std::array<int, 16>{}));
    EXPECT_EQ(m_window.ops.back(), "setAnswer(6,\"Answer 6\")");
    m_window.take();
    m_quiz->skipChosen();
    EXPECT_EQ(m_window.take(), clearAll() + showQuestion("Second"));
}

TEST_F(QuizTest, RestartRereadsTheFile) {
    start(QuizBuilder().question("First"));
    m_quiz->skipChosen();
    m_dir.write("quiz.txt", QuizBuilder().title("Edited quiz").question("First").text());
    // Saved again once the restart has checked the file: the pass plays
    // what was checked.
    m_window.onHide = [this] { m_dir.write("quiz.txt", "Saved unchecked\r\n"); };
    m_window.take();
    m_quiz->restart();
    const Ops ops = m_window.take();
    EXPECT_NE(std::find(ops.begin(), ops.end(), "setTitle(\"Edited quiz\")"), ops.end());
}

TEST_F(QuizTest, RestartWithTheFileGoneIsFileNotFound) {
    start(QuizBuilder().question("First"));
    m_quiz->skipChosen();
    std::filesystem::remove(m_path);
    try {
        m_quiz->restart();
        FAIL() << "restarted without a file";
    } catch (const QuizError& error) {
        EXPECT_EQ(error.failure(), Failure::FileNotFound);
        EXPECT_EQ(error.file(), m_path.string());
    }
}

// Question n of a quiz whose questions are all called after its letter.
QuizBuilder lettered(const std::string& letter, int questions) {
    QuizBuilder quiz;
    quiz.title("Quiz " + letter);
    for (int n = 1; n <= questions; ++n)
        quiz.question(letter + " question " + std::to_string(n), {{"C01=1"}, {"C02=1"}});
    return quiz;
}

struct ChangeCase {
    const char* name;
    // What an editor does to the file at path; the new quiz is B.
    void (*change)(const TempDir& dir, const std::filesystem::path& path);
    std::string restartShows; // a window operation, or the start of the failure
};

class ChangedWhilePlayed : public QuizTest, public ::testing::WithParamInterface<ChangeCase> {};

// Whatever happens to the file after two answers, the pass plays the quiz
// it began with to its end, in one read of the file or in many; the next
// pass plays the file as it is then.
TEST_P(ChangedWhilePlayed, PlaysTheQuizItBeganWith) {
    const std::string& shows = GetParam().restartShows;
    for (std::size_t block : {std::size_t{4096}, kinsight::QuizFileLimits{}.blockBytes}) {
        SCOPED_TRACE(std::to_string(block) + "-byte reads");
        start(lettered("A", 40), {block});
        ASSERT_GT(std::filesystem::file_size(m_path), 2 * 4096u);
        m_quiz->answerChosen(1);
        m_quiz->answerChosen(2);
        GetParam().change(m_dir, m_path);
        for (int n = 3; n <= 40; ++n)
            m_quiz->answerChosen(1);
        ASSERT_TRUE(m_quiz->finished());
        Ops questions;
        for (const std::string& op : m_window.take())
            if (op.starts_with("setQuestion") || op.starts_with("setTitle"))
                questions.push_back(op);
        ASSERT_EQ(questions.size(), 41u);
        for (int n = 1; n <= 40; ++n)
            EXPECT_EQ(questions[n], "setQuestion(\"A question " + std::to_string(n) + "\")");
        EXPECT_EQ(tables().ScoreTable, slots({{1, 39}, {2, 1}}));
        try {
            m_quiz->restart();
        } catch (const QuizError& error) {
            // Only on a line the file has now.
            std::ifstream in(m_path, std::ios::binary);
            const std::string now((std::istreambuf_iterator<char>(in)), {});
            EXPECT_LE(error.line(), std::count(now.begin(), now.end(), '\n') + 1);
            m_window.record(error.what());
        }
        const Ops next = m_window.take();
        EXPECT_NE(std::find_if(next.begin(), next.end(),
                               [&](const std::string& op) { return op.starts_with(shows); }),
                  next.end())
            << next.back();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ChangedWhilePlayed,
    ::testing::Values(ChangeCase{"SavedInPlace",
                                 [](const TempDir& dir, const std::filesystem::path&) {
                                     dir.write("quiz.txt", lettered("B", 40).text());
                                 },
                                 "setQuestion(\"B question 1\")"},
                      ChangeCase{"Truncated",
                                 [](const TempDir&, const std::filesystem::path& path) {
                                     std::filesystem::resize_file(path, 3000);
                                 },
                                 "quiz.txt:"},
                      ChangeCase{"ReplacedByRename",
                                 [](const TempDir& dir, const std::filesystem::path& path) {
                                     std::filesystem::rename(
                                         dir.write("new.txt", lettered("B", 40).text()), path);
                                 },
                                 "setQuestion(\"B question 1\")"},
                      ChangeCase{"Grown",
                                 [](const TempDir& dir, const std::filesystem::path&) {
                                     dir.write("quiz.txt", lettered("B", 200).text());
                                 },
                                 "setQuestion(\"B question 1\")"}),
    kinsight::test::rowName);

TEST_F(QuizTest, FailureInALaterQuestionNamesItsLine) {
    QuizBuilder builder;
    builder.question("First").question("Second", {{}, {"C01=1", "X99=1"}});
    const std::vector<std::string> lines = builder.lines();
    const int line =
        static_cast<int>(std::find(lines.begin(), lines.end(), "X99=1") - lines.begin()) + 1;
    start(builder);
    try {
        m_quiz->skipChosen();
        FAIL() << "read a character number of 99";
    } catch (const QuizError& error) {
        EXPECT_EQ(error.failure(), Failure::SubscriptOutOfRange);
        EXPECT_EQ(error.file(), "quiz.txt");
        EXPECT_EQ(error.line(), line);
    }
}

} // namespace
