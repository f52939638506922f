// Which characters a quiz can make the result at all, worked out from every
// question's weights, plus the two simpler findings that fall out of the same
// pass: characters no answer scores, and pairs that always score alike.
//
// A character c "can be the result" when some choice of answers (or skips)
// ends in scores for which the engine's ranking (ranking.h) can announce c:
// alone at the top, or among the tied a tie-break window offers. Skipping
// every question leaves all fifteen at 0, so a character that only ever
// draws with everybody cannot be the result.
//
// The answer is sound: "never" is said only when it is certain. In order:
// - Domination: o dominates c if every answer gives o at least c's points.
//   Whenever c is at the top, so is every character dominating it; when c
//   cannot be announced even from a draw with just them, it never can.
// - Witnesses: three greedy choices per question (only answers where c keeps
//   up with everybody; c's most points; c's largest lead in total) that, when
//   they end with c as a possible result, prove it can be.
// - Exact search: the score differences c minus each other character, kept
//   per question as the set of best (Pareto-maximal) reachable vectors. Being
//   a possible result only gets easier as a difference grows, so the maximal
//   vectors decide it exactly. The set is bounded in size and work; a search
//   that runs out says "unknown", which is not reported.
#pragma once

#include "quiz_tables.h"

#include <array>
#include <vector>

namespace kinsight {

// Points of answers 1..6 (index 0 unused) for character slots 0..15.
using QuestionWeights = WeightRows;
// c's score minus each other character's; [c] and [0] unused.
using Lead = std::array<long long, kCharacterSlots>;

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

    // True if a and b get the same points from every answer of every question.
    bool alwaysTie(int a, int b) const { return m_same[a][b]; }
    // Characters that get at least c's points from every answer.
    std::vector<int> dominators(int c) const;
    Reach reach(int c) const;

    // Bounds of the exact search; a quiz with more questions than it keeps
    // leaves the verdicts the search would give unknown.
    static constexpr std::size_t kMaxKeptQuestions = 20000;
    static constexpr std::size_t kMaxFrontier = 1024;
    static constexpr long long kWorkBudget = 4'000'000; // vector comparisons per character

private:
    bool exactSearch(int c, bool& possible) const;

    using Pairs = std::array<std::array<bool, kCharacterSlots>, kCharacterSlots>;

    std::array<bool, kCharacterSlots> m_getsPoints{};
    Pairs m_same{};
    Pairs m_dominates{}; // [c][o]: o dominates c
    // Greedy witnesses, per character.
    std::array<Lead, kCharacterSlots> m_keepUp{};
    std::array<Lead, kCharacterSlots> m_ownPoints{};
    std::array<Lead, kCharacterSlots> m_totalLead{};
    std::vector<QuestionWeights> m_kept;
    bool m_keptAll = true;
};

// Whether leads (c minus each other character) leave c a possible result.
bool canBeResult(int c, const Lead& lead);

} // namespace kinsight
