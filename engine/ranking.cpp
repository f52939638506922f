#include "ranking.h"

#include <algorithm>

namespace kinsight {

Ranking rankScores(const CharacterNumbers& scores) {
    const int best = *std::max_element(scores.begin() + 1, scores.end());
    Ranking ranking;
    for (int i = 1; i <= kCharacterCount; ++i)
        if (scores[i] == best)
            ranking.top[ranking.tiedCount++] = i;
    switch (ranking.tiedCount) {
    case 1:
        ranking.outcome = Outcome::SingleWinner;
        break;
    case 2:
        ranking.outcome = Outcome::TwoWayDraw;
        break;
    case 3:
        ranking.outcome = Outcome::ThreeWayDraw;
        break;
    case 4:
        ranking.outcome = Outcome::FourWayDraw;
        break;
    default:
        ranking.outcome = Outcome::FiveOrMore;
        break;
    }
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
