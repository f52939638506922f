// Which characters a quiz can make the result at all, worked out from every
// question's weights, plus the two simpler findings that fall out of the same
// pass: characters no answer scores, and pairs that always score alike.
//
// A character c "can be the result" when some choice of answers (or skips)
// ends with c at the top alone, in a draw of two or three, or in a four-way
// draw as one of the first three (the pendulum cannot pick the fourth). A draw
// of five or more announces nobody. Skipping every question leaves all fifteen
// at 0, so a character that only ever draws with everybody cannot be the result.
//
// The answer is sound: "never" is said only when it is certain. In order:
// - Domination: o dominates c if every answer gives o at least c's points.
//   Whenever c is at the top, so is every character dominating it; four of
//   them (or three with lower numbers than c) rule c out.
// - Witnesses: three greedy choices per question (only answers where c keeps
//   up with everybody; c's most points; c's largest lead in total) that, when
//   they end with c as a possible result, prove it can be.
// - Exact search: the score differences c minus each other character, kept
//   per question as the set of best (Pareto-maximal) reachable vectors. Being
//   a possible result only gets easier as a difference grows, so the maximal
//   vectors decide it exactly. The set is bounded in size and work; a search
//   that runs out says "unknown", which is not reported.
#pragma once

#include <array>
#include <vector>

namespace kinsight {

// Points of answers 1..6 (index 0 unused) for character slots 0..15.
using QuestionWeights = std::array<std::array<int, 16>, 7>;

enum class Reach {
    Possible,  // c can be the result
    NoPoints,  // no answer gives c any points
    Dominated, // ruled out by the characters that dominate it
    Never,     // ruled out by the exact search
    Unknown,   // the search gave up; treated as possible
};

class ScoreReach {
public:
    ScoreReach();

    void addQuestion(const QuestionWeights& weights);

    bool getsPoints(int c) const { return m_getsPoints[c]; }
    // True if a and b get the same points from every answer of every question.
    bool alwaysTie(int a, int b) const { return m_same[a][b]; }
    // Characters that get at least c's points from every answer.
    std::vector<int> dominators(int c) const;
    Reach reach(int c) const;

    // Bounds of the exact search; questions beyond the first are not kept.
    static constexpr std::size_t kMaxKeptQuestions = 20000;
    static constexpr std::size_t kMaxFrontier = 1024;
    static constexpr long long kWorkBudget = 4'000'000; // vector comparisons per character

private:
    using Lead = std::array<long long, 16>; // c's score minus each other's; [c] unused

    bool exactSearch(int c, bool& possible) const;

    std::array<bool, 16> m_getsPoints{};
    std::array<std::array<bool, 16>, 16> m_same{};
    std::array<std::array<bool, 16>, 16> m_dominates{}; // [c][o]: o dominates c
    // Greedy witnesses, per character.
    std::array<Lead, 16> m_keepUp{};
    std::array<Lead, 16> m_ownPoints{};
    std::array<Lead, 16> m_totalLead{};
    std::vector<QuestionWeights> m_kept;
    bool m_keptAll = true;
};

// Whether leads (c minus each other character) leave c a possible result.
bool canBeResult(int c, const std::array<long long, 16>& lead);

} // namespace kinsight
