// How a quiz ends when every question is answered at random, each of the
// seven choices (six answers and the skip) alike. Ranked by the engine's own
// ranking; the tie-break windows are chance devices of their own and are not
// modelled. Exact while there are few enough plays to go through them all,
// otherwise estimated from a seeded simulation, so the figures never vary
// from run to run.
#pragma once

#include "dry_run.h"
#include "quiz_tables.h"
#include "ranking.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

struct PlayStatsLimits {
    std::uint64_t maxExactPlays = 10'000'000;
    // Plays simulated when there are more than that; 0: defaultSimulatedPlays.
    std::uint64_t simulatedPlays = 0;
    std::uint64_t seed = 1;
    // Told now and then during a simulation how many plays are done.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
};

// A million simulated plays, or fewer for a long quiz, so that the work (one
// play adds one choice per question) stays within 2e8 steps and the figures
// come within seconds, the same on every run.
std::uint64_t defaultSimulatedPlays(std::size_t questions);

// Chances from 0 to 1.
struct PlayStats {
    int questions = 0;
    bool exact = true;
    std::uint64_t plays = 0; // gone through, or simulated
    // By character slot: the single winner, and among the tied of a draw of
    // two, three or four.
    std::array<double, kCharacterSlots> alone{};
    std::array<double, kCharacterSlots> inTwo{};
    std::array<double, kCharacterSlots> inThree{};
    std::array<double, kCharacterSlots> inFour{};
    // By Outcome.
    std::array<double, kOutcomeCount> outcomes{};
};

// questions[i][k]: the points of answer k of question i; answer 0 is the skip.
PlayStats playStats(const std::vector<WeightRows>& questions, const PlayStatsLimits& limits = {});

// The weights of every question of a quiz read to its end.
std::vector<WeightRows> questionWeights(const QuizSummary& summary);

// The figures as kinsight-check prints them, percentages with two decimals.
std::string formatPlayStats(std::string_view fileName, const QuizSummary& summary,
                            const PlayStats& stats);

} // namespace kinsight
