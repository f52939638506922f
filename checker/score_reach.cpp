// Whether each character can be a quiz's result; see score_reach.h for the
// reasoning behind each step.
#include "score_reach.h"

#include "ranking.h"

#include <algorithm>
#include <functional>

namespace kinsight {

namespace {

// The lead answer k gives c over every other character.
Lead leadOf(const QuestionWeights& w, int k, int c) {
    Lead lead{};
    for (int o = 1; o <= kCharacterCount; ++o)
        if (o != c)
            lead[o] = w[k][c] - w[k][o];
    return lead;
}

bool atLeast(const Lead& a, const Lead& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] < b[i])
            return false;
    return true;
}

void add(Lead& total, const Lead& lead) {
    for (std::size_t i = 0; i < total.size(); ++i)
        total[i] += lead[i];
}

struct LeadScore {
    long long positives = 0;
    long long minimum = 0;
    long long sum = 0;
};

LeadScore score(const Lead& lead, int c) {
    LeadScore s;
    bool first = true;
    for (int o = 1; o <= kCharacterCount; ++o) {
        if (o == c)
            continue;
        s.positives += lead[o] > 0;
        s.sum += lead[o];
        s.minimum = first ? lead[o] : std::min(s.minimum, lead[o]);
        first = false;
    }
    return s;
}

// Keeps only the vectors that no other vector is at least as good as, in
// place; false once the work budget is spent.
bool keepMaximal(std::vector<Lead>& leads, long long& work) {
    // A vector that is at least as good as another sorts before it.
    std::sort(leads.begin(), leads.end(), std::greater<>());
    std::vector<Lead> kept;
    for (const Lead& candidate : leads) {
        bool beaten = false;
        for (const Lead& k : kept) {
            if (atLeast(k, candidate)) {
                beaten = true;
                break;
            }
        }
        work -= static_cast<long long>(kept.size());
        if (work < 0)
            return false;
        if (!beaten)
            kept.push_back(candidate);
    }
    leads = std::move(kept);
    return true;
}

} // namespace

bool canBeResult(int c, const Lead& lead) {
    // Only the order counts: c scores 1, a character c leads 0, one level
    // with c 1, one ahead of c 2.
    CharacterNumbers scores{};
    for (int o = 1; o <= kCharacterCount; ++o)
        scores[o] = o == c ? 1 : lead[o] > 0 ? 0 : lead[o] == 0 ? 1 : 2;
    const Ranking ranking = rankScores(scores);
    const auto offered = ranking.top.begin() + resultChoices(ranking.outcome);
    return std::find(ranking.top.begin(), offered, c) != offered;
}

ScoreReach::ScoreReach() {
    for (std::size_t a = 0; a < kCharacterSlots; ++a) {
        for (std::size_t b = 0; b < kCharacterSlots; ++b) {
            m_same[a][b] = true;
            m_dominates[a][b] = a != b;
        }
    }
}

void ScoreReach::addQuestion(const QuestionWeights& w) {
    for (int k = 1; k <= kAnswerCount; ++k) {
        for (int a = 1; a <= kCharacterCount; ++a) {
            if (w[k][a] > 0)
                m_getsPoints[a] = true;
            for (int b = 1; b <= kCharacterCount; ++b) {
                if (w[k][a] != w[k][b])
                    m_same[a][b] = false;
                if (w[k][b] < w[k][a])
                    m_dominates[a][b] = false;
            }
        }
    }

    for (int c = 1; c <= kCharacterCount; ++c) {
        // Each greedy rule picks one answer, or the skip (no lead at all).
        int keepUp = 0, ownPoints = 0, totalLead = 0;
        LeadScore keepUpBest, totalBest;
        int ownBest = 0;
        LeadScore ownBestScore;
        for (int k = 1; k <= kAnswerCount; ++k) {
            const LeadScore s = score(leadOf(w, k, c), c);
            if (s.minimum >= 0 && (s.positives > keepUpBest.positives ||
                                   (s.positives == keepUpBest.positives && s.positives > 0 &&
                                    s.sum > keepUpBest.sum))) {
                keepUp = k;
                keepUpBest = s;
            }
            if (w[k][c] > ownBest ||
                (w[k][c] == ownBest && ownPoints != 0 && s.minimum > ownBestScore.minimum)) {
                ownPoints = k;
                ownBest = w[k][c];
                ownBestScore = s;
            }
            if (s.sum > totalBest.sum ||
                (s.sum == totalBest.sum && totalLead != 0 && s.minimum > totalBest.minimum)) {
                totalLead = k;
                totalBest = s;
            }
        }
        if (keepUp)
            add(m_keepUp[c], leadOf(w, keepUp, c));
        if (ownPoints)
            add(m_ownPoints[c], leadOf(w, ownPoints, c));
        if (totalLead)
            add(m_totalLead[c], leadOf(w, totalLead, c));
    }

    if (m_keptAll && m_kept.size() < kMaxKeptQuestions) {
        m_kept.push_back(w);
    } else {
        m_keptAll = false;
        m_kept = {};
    }
}

std::vector<int> ScoreReach::dominators(int c) const {
    std::vector<int> result;
    for (int o = 1; o <= kCharacterCount; ++o)
        if (m_dominates[c][o])
            result.push_back(o);
    return result;
}

Reach ScoreReach::reach(int c) const {
    if (!m_getsPoints[c])
        return Reach::NoPoints;
    // The best c can hope for: a draw with only those that dominate it.
    Lead level{};
    level.fill(1);
    for (int o : dominators(c))
        level[o] = 0;
    if (!canBeResult(c, level))
        return Reach::Dominated;
    if (canBeResult(c, m_keepUp[c]) || canBeResult(c, m_ownPoints[c]) ||
        canBeResult(c, m_totalLead[c]))
        return Reach::Possible;
    bool possible = false;
    if (!m_keptAll || !exactSearch(c, possible))
        return Reach::Unknown;
    return possible ? Reach::Possible : Reach::Never;
}

bool ScoreReach::exactSearch(int c, bool& possible) const {
    long long work = kWorkBudget;
    std::vector<Lead> frontier{Lead{}};
    std::vector<Lead> options;
    std::vector<Lead> next;
    for (const QuestionWeights& w : m_kept) {
        options.assign(1, Lead{}); // the skip
        for (int k = 1; k <= kAnswerCount; ++k)
            options.push_back(leadOf(w, k, c));
        if (!keepMaximal(options, work))
            return false;
        next.clear();
        for (const Lead& f : frontier) {
            for (const Lead& v : options) {
                Lead sum = f;
                add(sum, v);
                next.push_back(sum);
            }
        }
        if (!keepMaximal(next, work) || next.size() > kMaxFrontier)
            return false;
        frontier.swap(next);
        // Skipping every later question keeps any of these totals.
        for (const Lead& f : frontier) {
            if (canBeResult(c, f)) {
                possible = true;
                return true;
            }
        }
    }
    possible = false;
    return true;
}

} // namespace kinsight
