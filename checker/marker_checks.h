// The checker's jobs about markers: the search for a marker, with the other
// markers and the near misses it runs over; and the question that takes its
// answers from the next one when an answer marker is missing.
#pragma once

#include "check_step.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kinsight {

struct MarkerMiss {
    std::string shown; // in quotes, cut short
    int line = 0;
    std::size_t distance = 0;
};

// A missing or misspelt answer marker: the question takes the answers from
// the next question that has the marker, and the questions between are
// never shown.
class MergedQuestions : public CheckStep {
public:
    using CheckStep::CheckStep;
    // True if finding this marker ends such a merge, which this job tells.
    bool mergesAt(const FieldEvent& e) const;

protected:
    void see(const FieldEvent& e) override;

private:
    // A "NewQuestion:" run over while looking for an answer marker, and the
    // question after it, which is then never shown.
    struct PassedQuestion {
        int line = 0;
        int fieldsAfter = 0;
        bool end = false; // "ENDQUESTIONS" follows: the end of the quiz is run over
        std::string text;
    };
    void warnMerged(const FieldEvent& e, int answer);

    std::vector<PassedQuestion> m_passed;       // while looking for an answer marker
    std::optional<MarkerMiss> m_missBeforeNext; // the first near miss before m_passed
};

// Markers read as something else, markers and near misses run over while
// looking for a marker, text skipped after an answer's points, a misspelt
// "ENDQUESTIONS", and text after the end.
class MarkerSearch : public CheckStep {
public:
    MarkerSearch(std::vector<Diagnostic>& out, QuizObserver* next, const MergedQuestions& merged)
        : CheckStep(out, next), m_merged(merged) {}

    int newQuestionMarkers() const { return m_newQuestionMarkers; }
    void finish() override { flushSkippedMarkers(); }

protected:
    void see(const FieldEvent& e) override;

private:
    static constexpr std::size_t kMaxMissesTold = 10;
    void markerAsText(const FieldEvent& e);
    void skipped(const FieldEvent& e);
    void found(const FieldEvent& e);
    void flushSkippedMarkers();

    const MergedQuestions& m_merged;
    int m_newQuestionMarkers = 0;
    bool m_trailingTold = false;      // one warning is enough for whatever follows the end
    std::vector<MarkerMiss> m_misses; // near misses of the marker being looked for
    MarkerMiss m_firstSkippedMarker;  // other markers run over while looking for m_sought
    int m_skippedMarkers = 0;
    std::string m_sought;
    // The first line skipped after the end of an answer's points, which the
    // player never sees; told when the marker sought comes.
    struct AfterPoints {
        std::string where; // "the points of answer 6 of question 2"
        std::string shown; // the line, in quotes; empty until one is skipped
        int line = 0;
        bool extraAnswer = false;   // "A7)" and the like
        bool toldOtherwise = false; // a marker or a near miss, told as such
    };
    std::optional<AfterPoints> m_afterPoints;
};

} // namespace kinsight
