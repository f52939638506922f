#include "ranking.h"

#include <algorithm>
#include <array>

namespace kinsight {

Ranking rankScores(const CharacterNumbers& scores) {
    const int best = *std::max_element(scores.begin() + 1, scores.end());
    Ranking ranking;
    for (int i = 1; i <= kCharacterCount; ++i)
        if (scores[i] == best)
            ranking.top[ranking.tiedCount++] = i;
    // One at the top wins; two, three or four draw; more are five or more.
    constexpr std::array<Outcome, 4> kByCount = {Outcome::SingleWinner, Outcome::TwoWayDraw,
                                                 Outcome::ThreeWayDraw, Outcome::FourWayDraw};
    ranking.outcome = ranking.tiedCount <= static_cast<int>(kByCount.size())
                          ? kByCount[static_cast<std::size_t>(ranking.tiedCount - 1)]
                          : Outcome::FiveOrMore;
    return ranking;
}

CharacterNumbers winCounts(const CharacterNumbers& scores) {
    CharacterNumbers wins{};
    for (int i = 1; i <= kCharacterCount; ++i)
        for (int j = 1; j <= kCharacterCount; ++j)
            if (scores[j] < scores[i])
                ++wins[i];
    return wins;
}

int resultChoices(Outcome outcome) {
    switch (outcome) {
    case Outcome::SingleWinner:
        return 1;
    case Outcome::TwoWayDraw:
        return 2;
    case Outcome::ThreeWayDraw:
    case Outcome::FourWayDraw:
        return 3;
    case Outcome::FiveOrMore:
        break;
    }
    return 0;
}

} // namespace kinsight
