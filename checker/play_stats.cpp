#include "play_stats.h"

#include "text.h"
#include "translation.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace kinsight {

namespace {

constexpr int kChoices = kAnswerCount + 1; // the six answers and the skip

struct Tally {
    std::array<std::uint64_t, kOutcomeCount> outcomes{};
    // [Outcome][slot]: how often a character is the winner or among the tied.
    std::array<std::array<std::uint64_t, kCharacterSlots>, kOutcomeCount> members{};

    void add(const CharacterNumbers& scores, std::uint64_t plays) {
        const Ranking ranking = rankScores(scores);
        const auto outcome = static_cast<std::size_t>(ranking.outcome);
        outcomes[outcome] += plays;
        if (ranking.outcome == Outcome::FiveOrMore)
            return;
        for (int p = 0; p < ranking.tiedCount; ++p)
            members[outcome][ranking.top[p]] += plays;
    }
};

// One question's choices with the same points merged, each with how many of
// the seven it stands for; a question that gives nothing is one choice.
struct Choice {
    CharacterNumbers points{};
    std::uint64_t count = 0;
};

std::vector<Choice> distinctChoices(const WeightRows& weights) {
    std::vector<Choice> choices;
    for (int k = 0; k < kChoices; ++k) {
        CharacterNumbers points{};
        if (k > 0)
            std::copy(weights[k].begin() + 1, weights[k].end(), points.begin() + 1);
        auto same = std::find_if(choices.begin(), choices.end(),
                                 [&](const Choice& c) { return c.points == points; });
        if (same == choices.end())
            choices.push_back({points, 1});
        else
            ++same->count;
    }
    return choices;
}

void addPoints(CharacterNumbers& scores, const CharacterNumbers& points) {
    for (std::size_t i = 0; i < scores.size(); ++i)
        scores[i] += points[i];
}

void walk(const std::vector<std::vector<Choice>>& questions, std::size_t q,
          const CharacterNumbers& scores, std::uint64_t plays, Tally& tally) {
    if (q == questions.size()) {
        tally.add(scores, plays);
        return;
    }
    for (const Choice& choice : questions[q]) {
        CharacterNumbers next = scores;
        addPoints(next, choice.points);
        walk(questions, q + 1, next, plays * choice.count, tally);
    }
}

// SplitMix64: small, fast and the same on every platform, so a seed gives
// the same figures everywhere. Each play draws from a stream of its own.
class Random {
public:
    Random(std::uint64_t seed, std::uint64_t play)
        : m_state(mix(seed * 0x9E3779B97F4A7C15ULL + mix(play))) {}
    // One of 0..n-1, alike to within 2^-32.
    int below(int n) {
        m_state += 0x9E3779B97F4A7C15ULL;
        return static_cast<int>(((mix(m_state) >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }

private:
    static std::uint64_t mix(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t m_state;
};

// Plays are simulated a block at a time, question by question, so that a
// question's points stay in the cache while every play of the block takes
// its choice: a long quiz's points are read once per block, not once per play.
void simulate(const std::vector<WeightRows>& questions, std::uint64_t total,
              const PlayStatsLimits& limits, Tally& tally) {
    constexpr std::uint64_t kBlock = 4096;
    std::vector<CharacterNumbers> scores;
    std::vector<Random> streams;
    for (std::uint64_t first = 0; first < total; first += kBlock) {
        if (limits.progress)
            limits.progress(first, total);
        const std::uint64_t plays = std::min(kBlock, total - first);
        scores.assign(plays, CharacterNumbers{});
        streams.clear();
        for (std::uint64_t play = first; play < first + plays; ++play)
            streams.emplace_back(limits.seed, play);
        for (const WeightRows& weights : questions)
            for (std::uint64_t i = 0; i < plays; ++i)
                if (const int k = streams[i].below(kChoices); k > 0)
                    addPoints(scores[i], weights[k]);
        for (const CharacterNumbers& score : scores)
            tally.add(score, 1);
    }
    if (limits.progress)
        limits.progress(total, total);
}

// 7^questions, or nothing when it is more than limit.
std::optional<std::uint64_t> allPlays(std::size_t questions, std::uint64_t limit) {
    std::uint64_t plays = 1;
    for (std::size_t q = 0; q < questions; ++q) {
        if (plays > limit / kChoices)
            return std::nullopt;
        plays *= kChoices;
    }
    return plays;
}

std::string percent(double chance) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f%%", 100.0 * chance);
    return text;
}

std::string padded(std::string text, std::size_t width, bool right) {
    const std::size_t shown = characterCount(text);
    const std::string blanks(shown < width ? width - shown : 0, ' ');
    return right ? blanks + text : text + blanks;
}

} // namespace

std::uint64_t defaultSimulatedPlays(std::size_t questions) {
    constexpr std::uint64_t kMostPlays = 1'000'000;
    constexpr std::uint64_t kWork = 200'000'000;
    return std::clamp<std::uint64_t>(kWork / std::max<std::size_t>(questions, 1), 1, kMostPlays);
}

PlayStats playStats(const std::vector<WeightRows>& questions, const PlayStatsLimits& limits) {
    PlayStats stats;
    stats.questions = static_cast<int>(questions.size());
    Tally tally;
    if (const auto plays = allPlays(questions.size(), limits.maxExactPlays)) {
        std::vector<std::vector<Choice>> choices;
        choices.reserve(questions.size());
        for (const WeightRows& weights : questions)
            choices.push_back(distinctChoices(weights));
        walk(choices, 0, CharacterNumbers{}, 1, tally);
        stats.exact = true;
        stats.plays = *plays;
    } else {
        const std::uint64_t total = limits.simulatedPlays > 0
                                        ? limits.simulatedPlays
                                        : defaultSimulatedPlays(questions.size());
        simulate(questions, total, limits, tally);
        stats.exact = false;
        stats.plays = total;
    }

    const double total = static_cast<double>(stats.plays);
    for (std::size_t o = 0; o < kOutcomeCount; ++o)
        stats.outcomes[o] = static_cast<double>(tally.outcomes[o]) / total;
    auto share = [&](Outcome outcome, std::array<double, kCharacterSlots>& out) {
        const auto& counts = tally.members[static_cast<std::size_t>(outcome)];
        for (std::size_t slot = 1; slot < kCharacterSlots; ++slot)
            out[slot] = static_cast<double>(counts[slot]) / total;
    };
    share(Outcome::SingleWinner, stats.alone);
    share(Outcome::TwoWayDraw, stats.inTwo);
    share(Outcome::ThreeWayDraw, stats.inThree);
    share(Outcome::FourWayDraw, stats.inFour);
    return stats;
}

std::vector<WeightRows> questionWeights(const QuizSummary& summary) {
    std::vector<WeightRows> weights;
    weights.reserve(summary.questions.size());
    for (const QuestionSummary& question : summary.questions) {
        WeightRows rows{};
        for (std::size_t k = 1; k < kAnswerSlots; ++k)
            rows[k] = question.answers[k].weights;
        weights.push_back(rows);
    }
    return weights;
}

std::string formatPlayStats(std::string_view fileName, const QuizSummary& summary,
                            const PlayStats& stats) {
    const int q = stats.questions;
    std::string text = std::string(fileName) + ": \"" + summary.title + "\", " +
                       fillIn(i18np("{1} question, ", "{1} questions, ", q), {q});
    if (stats.exact)
        text +=
            fillIn(i18np("{1} play, exact\n", "{1} plays, exact\n", stats.plays), {stats.plays});
    else
        text +=
            fillIn(i18np("{1}^{2} plays, simulated from {3} seeded random play\n",
                         "{1}^{2} plays, simulated from {3} seeded random plays\n", stats.plays),
                   {kChoices, q, stats.plays});
    text += i18n("Every question answered at random, each of the seven choices alike.\n");

    const std::array<std::string, kOutcomeCount> outcomeNames = {
        i18n("single winner"), i18n("two-way draw"), i18n("three-way draw"), i18n("four-way draw"),
        i18n("five or more tied")};
    const std::string character = i18n("character");
    std::vector<std::string> names;
    std::size_t width = characterCount(character);
    for (const std::string& name : outcomeNames)
        width = std::max(width, characterCount(name));
    for (int slot = 1; slot <= kCharacterCount; ++slot) {
        const std::string& name = summary.names[static_cast<std::size_t>(slot)];
        // A name's line break would forge a row of the table.
        names.push_back(name.empty() ? fillIn(i18n("character {1}"), {slot})
                                     : escapedControls(name));
        width = std::max(width, characterCount(names.back()));
    }
    constexpr std::size_t kColumn = 10;
    text += padded(character, width, false);
    for (const char* heading :
         {I18N_NOOP("wins"), I18N_NOOP("in 2-way"), I18N_NOOP("in 3-way"), I18N_NOOP("in 4-way")})
        text += padded(i18n(heading), kColumn, true);
    text += "\n";
    for (std::size_t slot = 1; slot < kCharacterSlots; ++slot) {
        text += padded(names[slot - 1], width, false);
        for (double chance :
             {stats.alone[slot], stats.inTwo[slot], stats.inThree[slot], stats.inFour[slot]})
            text += padded(percent(chance), kColumn, true);
        text += "\n";
    }

    for (std::size_t o = 0; o < kOutcomeCount; ++o)
        text += padded(outcomeNames[o], width, false) +
                padded(percent(stats.outcomes[o]), kColumn, true) + "\n";
    return text;
}

} // namespace kinsight
