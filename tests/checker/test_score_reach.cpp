// Which characters a quiz can make the result: the draw rules at the top of
// the scores, and the verdicts on small weight tables, including ones only the
// exact search can settle.
#include "row_name.h"
#include "score_reach.h"

#include <gtest/gtest.h>

#include <map>

using namespace kinsight;

namespace {

using Lead = std::array<long long, 16>;

struct LeadCase {
    std::string name;
    int c;
    std::map<int, long long> leads; // characters not listed trail c by 1
    bool expected;
};

void PrintTo(const LeadCase& c, std::ostream* out) {
    *out << c.name;
}

class DrawRules : public testing::TestWithParam<LeadCase> {};

TEST_P(DrawRules, DecideWhetherTheCharacterCanBeAnnounced) {
    const LeadCase& t = GetParam();
    Lead lead{};
    for (int o = 1; o <= 15; ++o)
        if (o != t.c)
            lead[o] = 1;
    for (auto [o, value] : t.leads)
        lead[o] = value;
    EXPECT_EQ(canBeResult(t.c, lead), t.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Leads, DrawRules,
    testing::Values(LeadCase{"AheadOfEverybody", 7, {}, true},
                    LeadCase{"BehindOne", 7, {{15, -1}}, false},
                    LeadCase{"TwoWayDraw", 7, {{3, 0}}, true},
                    LeadCase{"ThreeWayDraw", 7, {{3, 0}, {12, 0}}, true},
                    LeadCase{"FourWayDrawAsFirst", 1, {{2, 0}, {3, 0}, {4, 0}}, true},
                    LeadCase{"FourWayDrawAsThird", 3, {{1, 0}, {2, 0}, {9, 0}}, true},
                    LeadCase{"FourWayDrawAsFourth", 4, {{1, 0}, {2, 0}, {3, 0}}, false},
                    LeadCase{"FiveWayDraw", 1, {{2, 0}, {3, 0}, {4, 0}, {5, 0}}, false},
                    LeadCase{"EverythingSkipped",
                             1,
                             {{2, 0},
                              {3, 0},
                              {4, 0},
                              {5, 0},
                              {6, 0},
                              {7, 0},
                              {8, 0},
                              {9, 0},
                              {10, 0},
                              {11, 0},
                              {12, 0},
                              {13, 0},
                              {14, 0},
                              {15, 0}},
                             false}),
    test::rowName);

// Answers as {character: points}; answers not given score nothing.
using Answers = std::vector<std::map<int, int>>;

QuestionWeights question(const Answers& answers) {
    QuestionWeights w{};
    for (std::size_t k = 0; k < answers.size(); ++k)
        for (auto [c, points] : answers[k])
            w[k + 1][c] = points;
    return w;
}

// Every character but those listed gets an answer of its own, so only the
// listed ones are in question.
std::vector<QuestionWeights> withOwnAnswers(std::vector<QuestionWeights> questions,
                                            std::vector<int> without) {
    Answers own;
    for (int c = 1; c <= 15; ++c) {
        if (std::find(without.begin(), without.end(), c) != without.end())
            continue;
        own.push_back({{c, 9}});
        if (own.size() == 6) {
            questions.push_back(question(own));
            own.clear();
        }
    }
    if (!own.empty())
        questions.push_back(question(own));
    return questions;
}

struct ReachCase {
    std::string name;
    std::vector<QuestionWeights> questions;
    int c;
    Reach expected;
};

void PrintTo(const ReachCase& c, std::ostream* out) {
    *out << c.name;
}

class Verdicts : public testing::TestWithParam<ReachCase> {};

TEST_P(Verdicts, MatchTheQuiz) {
    const ReachCase& t = GetParam();
    ScoreReach reach;
    for (const QuestionWeights& w : t.questions)
        reach.addQuestion(w);
    EXPECT_EQ(reach.reach(t.c), t.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Quizzes, Verdicts,
    testing::Values(
        ReachCase{"NoPointsAnywhere", withOwnAnswers({}, {5}), 5, Reach::NoPoints},
        ReachCase{"OwnAnswer", withOwnAnswers({}, {}), 5, Reach::Possible},
        ReachCase{"TiedPairStillDraws", withOwnAnswers({question({{{5, 4}, {6, 4}}})}, {5, 6}), 6,
                  Reach::Possible},
        ReachCase{"FourAlwaysAhead",
                  withOwnAnswers({question({{{15, 3}, {1, 3}, {2, 4}, {3, 3}, {4, 3}}})}, {15}), 15,
                  Reach::Dominated},
        ReachCase{"ThreeLowerAlwaysAhead",
                  withOwnAnswers({question({{{15, 3}, {1, 3}, {2, 4}, {3, 3}}})}, {15}), 15,
                  Reach::Dominated},
        ReachCase{"ThreeHigherAlwaysAheadLeaveTheFourWayDraw",
                  withOwnAnswers({question({{{1, 3}, {2, 3}, {3, 3}, {4, 3}}})}, {1}), 1,
                  Reach::Possible},
        ReachCase{"EachAnswerHasSomebodyAhead",
                  withOwnAnswers({question({{{15, 5}, {1, 6}}, {{15, 5}, {2, 6}}})}, {15}), 15,
                  Reach::Never},
        // Only answer 1 of both questions together puts 1 on top; the greedy
        // choices all take answer 2, which gives 4 more than it gives 1.
        ReachCase{"OnlyACombinationOfQuestionsWins",
                  withOwnAnswers({question({{{1, 3}, {2, 4}}, {{1, 5}, {4, 9}}}),
                                  question({{{1, 3}, {3, 4}}, {{1, 5}, {4, 9}}})},
                                 {1}),
                  1, Reach::Possible},
        ReachCase{"CombinationThatStillLoses",
                  withOwnAnswers({question({{{1, 3}, {2, 4}}, {{1, 5}, {4, 9}}}),
                                  question({{{1, 3}, {2, 4}}, {{1, 5}, {4, 9}}})},
                                 {1}),
                  1, Reach::Never}),
    test::rowName);

TEST(ScoreReach, AlwaysTieOnlyForEqualPointsEverywhere) {
    ScoreReach reach;
    reach.addQuestion(question({{{5, 4}, {6, 4}}, {{7, 2}}}));
    reach.addQuestion(question({{{5, 1}, {6, 1}, {7, 1}}}));
    EXPECT_TRUE(reach.alwaysTie(5, 6));
    EXPECT_FALSE(reach.alwaysTie(5, 7));
    EXPECT_FALSE(reach.alwaysTie(6, 7));
}

TEST(ScoreReach, DominatorsGetAtLeastAsMuchFromEveryAnswer) {
    ScoreReach reach;
    reach.addQuestion(question({{{1, 3}, {2, 3}, {3, 9}}, {{1, 1}, {2, 2}}, {{4, 5}}}));
    EXPECT_EQ(reach.dominators(1), (std::vector<int>{2}));
    EXPECT_EQ(reach.dominators(4), (std::vector<int>{}));
}

// Beyond the questions kept for the exact search nothing is claimed.
TEST(ScoreReach, TooLongForTheSearchIsUnknownNotNever) {
    ScoreReach reach;
    for (const QuestionWeights& w :
         withOwnAnswers({question({{{15, 5}, {1, 6}}, {{15, 5}, {2, 6}}})}, {15}))
        reach.addQuestion(w);
    const QuestionWeights nothing{};
    for (std::size_t n = 0; n < ScoreReach::kMaxKeptQuestions; ++n)
        reach.addQuestion(nothing);
    EXPECT_EQ(reach.reach(15), Reach::Unknown);
}

} // namespace
