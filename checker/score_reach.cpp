// Whether each character can be a quiz's result; see score_reach.h for the
// reasoning behind each step.
#include "score_reach.h"

#include <algorithm>
#include <functional>

namespace kinsight {

namespace {

constexpr int kFirst = 1;
constexpr int kLast = 15;

using Lead = std::array<long long, 16>;

// The lead answer k gives c over every other character.
Lead leadOf(const QuestionWeights& w, int k, int c) {
    Lead lead{};
    for (int o = kFirst; o <= kLast; ++o)
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
    for (int o = kFirst; o <= kLast; ++o) {
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
    int tied = 0;
    int lastTied = 0;
    for (int o = kFirst; o <= kLast; ++o) {
        if (o == c)
            continue;
        if (lead[o] < 0)
            return false;
        if (lead[o] == 0) {
            ++tied;
            lastTied = o;
        }
    }
    if (tied <= 2)
        return true;
    // Four at the top: the pendulum offers the first three in character order.
    return tied == 3 && c < lastTied;
}

ScoreReach::ScoreReach() {
    for (int a = 0; a < 16; ++a) {
        for (int b = 0; b < 16; ++b) {
            m_same[a][b] = true;
            m_dominates[a][b] = a != b;
        }
    }
}

void ScoreReach::addQuestion(const QuestionWeights& w) {
    for (int k = 1; k <= 6; ++k) {
        for (int a = kFirst; a <= kLast; ++a) {
            if (w[k][a] > 0)
                m_getsPoints[a] = true;
            for (int b = kFirst; b <= kLast; ++b) {
                if (w[k][a] != w[k][b])
                    m_same[a][b] = false;
                if (w[k][b] < w[k][a])
                    m_dominates[a][b] = false;
            }
        }
    }

    for (int c = kFirst; c <= kLast; ++c) {
        // Each greedy rule picks one answer, or the skip (no lead at all).
        int keepUp = 0, ownPoints = 0, totalLead = 0;
        LeadScore keepUpBest, totalBest;
        int ownBest = 0;
        LeadScore ownBestScore;
        for (int k = 1; k <= 6; ++k) {
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
    for (int o = kFirst; o <= kLast; ++o)
        if (m_dominates[c][o])
            result.push_back(o);
    return result;
}

Reach ScoreReach::reach(int c) const {
    if (!m_getsPoints[c])
        return Reach::NoPoints;
    const std::vector<int> above = dominators(c);
    if (above.size() >= 4 || (above.size() == 3 && c > above.back()))
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
        for (int k = 1; k <= 6; ++k)
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
