// The chances kinsight-check --stats gives, on quizzes small enough to work
// out by hand, and the simulation against the exact figures.
#include "play_stats.h"

#include <gtest/gtest.h>

#include <map>

using namespace kinsight;

namespace {

// answer k -> {character: points}
using Answers = std::map<int, std::map<int, int>>;

WeightRows question(const Answers& answers) {
    WeightRows rows{};
    for (const auto& [k, points] : answers)
        for (auto [slot, value] : points)
            rows[static_cast<std::size_t>(k)][static_cast<std::size_t>(slot)] = value;
    return rows;
}

double outcome(const PlayStats& stats, Outcome o) {
    return stats.outcomes[static_cast<std::size_t>(o)];
}

constexpr double kExact = 1e-12;

TEST(PlayStats, TiesOfEverySizeInOneQuestion) {
    // Answer 1: a pair; 2: three; 3: four; 4: one alone; 5 and 6: five or
    // more; the skip: all fifteen at 0.
    const PlayStats stats = playStats({question({{1, {{1, 1}, {2, 1}}},
                                                 {2, {{3, 2}, {4, 2}, {5, 2}}},
                                                 {3, {{6, 3}, {7, 3}, {8, 3}, {9, 3}}},
                                                 {4, {{10, 9}}},
                                                 {5, {{11, 5}, {12, 5}, {13, 5}, {14, 5}, {15, 5}}},
                                                 {6, {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}}})});
    EXPECT_TRUE(stats.exact);
    EXPECT_EQ(stats.plays, 7u);
    const double seventh = 1.0 / 7;
    EXPECT_NEAR(outcome(stats, Outcome::SingleWinner), seventh, kExact);
    EXPECT_NEAR(outcome(stats, Outcome::TwoWayDraw), seventh, kExact);
    EXPECT_NEAR(outcome(stats, Outcome::ThreeWayDraw), seventh, kExact);
    EXPECT_NEAR(outcome(stats, Outcome::FourWayDraw), seventh, kExact);
    EXPECT_NEAR(outcome(stats, Outcome::FiveOrMore), 3 * seventh, kExact);
    for (int slot = 1; slot <= kCharacterCount; ++slot) {
        SCOPED_TRACE("character " + std::to_string(slot));
        const auto s = static_cast<std::size_t>(slot);
        EXPECT_NEAR(stats.alone[s], slot == 10 ? seventh : 0, kExact);
        EXPECT_NEAR(stats.inTwo[s], slot <= 2 ? seventh : 0, kExact);
        EXPECT_NEAR(stats.inThree[s], slot >= 3 && slot <= 5 ? seventh : 0, kExact);
        EXPECT_NEAR(stats.inFour[s], slot >= 6 && slot <= 9 ? seventh : 0, kExact);
    }
}

TEST(PlayStats, TwoQuestionsAddUp) {
    // Character 1 scores only from answer 1 of the first question, character
    // 2 only from answer 1 of the second: of 49 plays, 1 ties them, 6 make
    // each the winner, 36 leave fifteen at 0.
    const PlayStats stats = playStats({question({{1, {{1, 1}}}}), question({{1, {{2, 1}}}})});
    EXPECT_EQ(stats.plays, 49u);
    EXPECT_NEAR(stats.alone[1], 6.0 / 49, kExact);
    EXPECT_NEAR(stats.alone[2], 6.0 / 49, kExact);
    EXPECT_NEAR(stats.inTwo[1], 1.0 / 49, kExact);
    EXPECT_NEAR(stats.inTwo[2], 1.0 / 49, kExact);
    EXPECT_NEAR(outcome(stats, Outcome::FiveOrMore), 36.0 / 49, kExact);
}

TEST(PlayStats, ExactWhileTenMillionPlaysOrFewer) {
    // 7^8 = 5,764,801 plays; 7^9 = 40,353,607.
    const PlayStats eight = playStats(std::vector<WeightRows>(8));
    EXPECT_TRUE(eight.exact);
    EXPECT_EQ(eight.plays, 5'764'801u);
    const PlayStats nine = playStats(std::vector<WeightRows>(9));
    EXPECT_FALSE(nine.exact);
    EXPECT_EQ(nine.plays, 1'000'000u);
    EXPECT_NEAR(outcome(nine, Outcome::FiveOrMore), 1.0, kExact);
    // Beyond 200 questions the work, not the million, bounds the plays.
    EXPECT_EQ(defaultSimulatedPlays(200), 1'000'000u);
    EXPECT_EQ(defaultSimulatedPlays(2'000), 100'000u);
    EXPECT_EQ(defaultSimulatedPlays(20'000), 10'000u);
}

TEST(PlayStats, LongQuizSaysHowManyPlaysItSimulated) {
    PlayStatsLimits limits;
    limits.simulatedPlays = 100; // --plays 100
    std::vector<std::uint64_t> told;
    limits.progress = [&](std::uint64_t done, std::uint64_t) { told.push_back(done); };
    const PlayStats stats = playStats(std::vector<WeightRows>(20'000), limits);
    EXPECT_EQ(stats.plays, 100u);
    EXPECT_EQ(told.back(), 100u) << "the progress ends at the whole";
    QuizSummary summary;
    summary.title = "Long";
    const std::string text = formatPlayStats("way.txt", summary, stats);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "way.txt: \"Long\", 20000 questions, 7^20000 plays, simulated from 100 seeded "
              "random plays");
}

TEST(PlayStats, SimulationAgreesWithTheExactFigures) {
    // Five questions of overlapping weights, 16,807 plays: the simulation of
    // a million plays must come within 0.25 percentage points of every exact
    // chance (five standard errors at worst).
    std::vector<WeightRows> questions;
    for (int q = 0; q < 5; ++q) {
        Answers answers;
        for (int k = 1; k <= kAnswerCount; ++k)
            answers[k] = {{(q * 4 + k) % kCharacterCount + 1, k % 3 + 1},
                          {(q * 7 + 2 * k) % kCharacterCount + 1, 2},
                          {(q + k) % 5 + 1, 1}};
        questions.push_back(question(answers));
    }
    const PlayStats exact = playStats(questions);
    PlayStatsLimits limits;
    limits.maxExactPlays = 0;
    const PlayStats simulated = playStats(questions, limits);
    ASSERT_TRUE(exact.exact);
    ASSERT_FALSE(simulated.exact);
    EXPECT_EQ(exact.plays, 16'807u);
    constexpr double kTolerance = 0.0025;
    for (std::size_t o = 0; o < kOutcomeCount; ++o)
        EXPECT_NEAR(simulated.outcomes[o], exact.outcomes[o], kTolerance) << "outcome " << o;
    for (std::size_t slot = 1; slot < kCharacterSlots; ++slot) {
        SCOPED_TRACE("character " + std::to_string(slot));
        EXPECT_NEAR(simulated.alone[slot], exact.alone[slot], kTolerance);
        EXPECT_NEAR(simulated.inTwo[slot], exact.inTwo[slot], kTolerance);
        EXPECT_NEAR(simulated.inThree[slot], exact.inThree[slot], kTolerance);
        EXPECT_NEAR(simulated.inFour[slot], exact.inFour[slot], kTolerance);
    }
    EXPECT_GT(outcome(exact, Outcome::TwoWayDraw), 0.01) << "the quiz should draw sometimes";
}

} // namespace
