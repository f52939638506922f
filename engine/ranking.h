// How a quiz ends for a set of final scores: the final ranking's rule, used by
// the engine itself and by every tool that asks what a score vector leads to.
#pragma once

#include "quiz_tables.h"

#include <array>

namespace kinsight {

enum class Outcome {
    SingleWinner,
    TwoWayDraw,   // the spinner chooses
    ThreeWayDraw, // the pendulum chooses
    FourWayDraw,  // the pendulum chooses among the first three
    FiveOrMore,   // reported, nobody is announced
};
inline constexpr std::size_t kOutcomeCount = 5;

struct Ranking {
    Outcome outcome = Outcome::FiveOrMore;
    // The characters sharing the top score, ascending, from position 0. When
    // m share it each beats 15 - m characters, so these are the WinCount
    // groups the draws are collected from.
    int tiedCount = 0;
    std::array<int, kCharacterCount> top{};
};

// Ranks the scores of characters 1..15; slot 0 takes no part.
Ranking rankScores(const CharacterNumbers& scores);

// How many characters each beats: the number with a strictly lower score.
CharacterNumbers winCounts(const CharacterNumbers& scores);

// How many of the top characters, from position 0, can become the result: the
// single winner, the two a spinner or the three a pendulum offers (so the
// fourth of a four-way draw cannot); none of five or more. For a draw it is
// also the number of ways of the tie-break window.
int resultChoices(Outcome outcome);

} // namespace kinsight
