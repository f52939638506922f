#include "marker_checks.h"

#include "markers.h"

#include <algorithm>
#include <cctype>

namespace kinsight {

namespace {

int answerOfMarker(std::string_view marker) {
    const auto answer = std::find(kAnswerMarkers.begin() + 1, kAnswerMarkers.end(), marker);
    return answer == kAnswerMarkers.end() ? 0 : static_cast<int>(answer - kAnswerMarkers.begin());
}

// "A7)", "A0)" and the like: an answer beyond the six.
bool isExtraAnswerMarker(std::string_view text) {
    if (text.size() < 3 || text.front() != 'A' || text.back() != ')' || isMarker(text))
        return false;
    const std::string_view number = text.substr(1, text.size() - 2);
    return std::all_of(number.begin(), number.end(),
                       [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
}

} // namespace

bool MergedQuestions::mergesAt(const FieldEvent& e) const {
    const bool endPassed = std::any_of(m_passed.begin(), m_passed.end(),
                                       [](const PassedQuestion& p) { return p.end; });
    return e.role == FieldRole::Marker && answerOfMarker(e.marker) > 0 && !m_passed.empty() &&
           !endPassed;
}

void MergedQuestions::see(const FieldEvent& e) {
    if (e.role == FieldRole::Marker) {
        if (mergesAt(e))
            warnMerged(e, answerOfMarker(e.marker));
        m_passed.clear();
        m_missBeforeNext.reset();
        return;
    }
    if (e.role != FieldRole::Skipped)
        return;
    if (!m_passed.empty()) {
        PassedQuestion& passed = m_passed.back();
        ++passed.fieldsAfter;
        if (passed.fieldsAfter == 1 && e.text == kEndQuestionsMarker)
            passed.end = true;
        else if (passed.fieldsAfter == 2)
            passed.text = e.text;
    }
    if (e.text == kNewQuestionMarker)
        m_passed.push_back({e.line, 0, false, {}});
    if (m_passed.empty() && !m_missBeforeNext && !isMarker(e.text))
        if (const auto distance = nearMiss(e.text, e.marker))
            m_missBeforeNext = MarkerMiss{inQuotes(e.text), e.line, *distance};
}

void MergedQuestions::warnMerged(const FieldEvent& e, int answer) {
    const int question = e.question;
    const std::size_t passed = m_passed.size();
    std::string what = "question " + std::to_string(question) + " takes " +
                       (answer == kAnswerCount ? "answer " + std::to_string(answer)
                                               : "answers " + std::to_string(answer) + " to " +
                                                     std::to_string(kAnswerCount)) +
                       " from " +
                       (passed == 1 ? std::string("the next question")
                                    : std::to_string(passed) + " questions further on");
    constexpr std::size_t kNamed = 3;
    std::string lost = passed == 1 ? "question " : "questions ";
    for (std::size_t i = 0; i < std::min(passed, kNamed); ++i) {
        if (i > 0)
            lost += i + 1 == std::min(passed, kNamed) && passed <= kNamed ? " and " : ", ";
        lost += std::to_string(question + static_cast<int>(i) + 1) + " (" +
                inQuotes(m_passed[i].text) + ")";
    }
    if (passed > kNamed)
        lost += " and " + std::to_string(passed - kNamed) + " more";
    lost += passed == 1 ? " is never shown" : " are never shown";

    if (m_missBeforeNext)
        warn(WarningKind::MisspeltMarker, m_missBeforeNext->line,
             m_missBeforeNext->shown + " is not " + inQuotes(e.marker) + ", so " + what + ", and " +
                 lost + "; markers must match exactly, case and blanks included");
    else
        warn(WarningKind::MissingMarker, m_passed.front().line,
             what + ": " + inQuotes(e.marker) + " is missing before this " +
                 inQuotes(kNewQuestionMarker) + ", and " + lost);
}

void MarkerSearch::see(const FieldEvent& e) {
    if (e.text == kNewQuestionMarker)
        ++m_newQuestionMarkers;
    switch (e.role) {
    case FieldRole::Trailing:
        if (!e.text.empty() && !m_trailingTold) {
            m_trailingTold = true;
            warn(WarningKind::TextAfterTheEnd, e.line,
                 "text after " + inQuotes(kEndQuestionsMarker) + " is never read");
        }
        return;
    case FieldRole::Skipped:
        skipped(e);
        return;
    case FieldRole::Marker:
        found(e);
        return;
    case FieldRole::Weight:
        if (e.text.empty())
            m_afterPoints = AfterPoints{"the points of " + answerRef(e.answer, e.question), {}};
        break;
    case FieldRole::QuestionMark:
        if (nearMiss(e.text, kEndQuestionsMarker))
            warn(WarningKind::NotTheEnd, e.line,
                 inQuotes(e.text) + " after " + inQuotes(kNewQuestionMarker) + " is not " +
                     inQuotes(kEndQuestionsMarker) + ", so the quiz reads on for another question");
        break;
    default:
        break;
    }
    markerAsText(e);
}

void MarkerSearch::markerAsText(const FieldEvent& e) {
    if (std::string message = markerMisread(e); !message.empty())
        warn(WarningKind::MarkerReadAsText, e.line, std::move(message));
}

void MarkerSearch::skipped(const FieldEvent& e) {
    m_sought = std::string(e.marker);
    if (m_afterPoints && m_afterPoints->shown.empty() && !e.text.empty())
        *m_afterPoints = {m_afterPoints->where, inQuotes(e.text), e.line,
                          isExtraAnswerMarker(e.text),
                          isMarker(e.text) || nearMiss(e.text, e.marker).has_value()};
    if (std::string message = markerWithText(e.text); !message.empty())
        warn(WarningKind::MarkerWithText, e.line, std::move(message));
    if (isMarker(e.text)) {
        // One search that runs over markers usually runs over many; the first tells.
        if (m_skippedMarkers++ == 0)
            m_firstSkippedMarker = {inQuotes(e.text), e.line, 0};
        return;
    }
    const std::optional<std::size_t> distance = nearMiss(e.text, e.marker);
    if (!distance)
        return;
    const MarkerMiss miss{inQuotes(e.text), e.line, *distance};
    // A file of nothing but near misses must not make a list as long as itself.
    if (m_misses.size() < kMaxMissesTold)
        m_misses.push_back(miss);
}

void MarkerSearch::found(const FieldEvent& e) {
    if (m_merged.mergesAt(e)) {
        // The markers and near misses run over are that one mistake's doing.
        m_skippedMarkers = 0;
    } else {
        flushSkippedMarkers();
        for (const MarkerMiss& miss : m_misses)
            warn(WarningKind::MarkerFoundLate, miss.line,
                 miss.shown + " is skipped while looking for " + inQuotes(e.marker) +
                     ", which comes only on line " + std::to_string(e.line) +
                     "; markers must match exactly, case and blanks included");
    }
    m_misses.clear();
    if (const auto& after = m_afterPoints;
        after && !after->shown.empty() && !after->toldOtherwise && !m_merged.mergesAt(e)) {
        if (after->extraAnswer)
            warn(WarningKind::SeventhAnswer, after->line,
                 after->shown + " is skipped while looking for " + inQuotes(e.marker) +
                     ": a question has six answers, so the player never sees this one");
        else
            warn(WarningKind::NeverShown, after->line,
                 after->shown + " after " + after->where + " is skipped while looking for " +
                     inQuotes(e.marker) + ", so the player never sees it");
    }
    m_afterPoints.reset();
}

void MarkerSearch::flushSkippedMarkers() {
    if (m_skippedMarkers == 0)
        return;
    std::string message = "the marker " + m_firstSkippedMarker.shown +
                          " is skipped while looking for " + inQuotes(m_sought);
    if (m_skippedMarkers == 2)
        message += ", and so is 1 more marker after it";
    else if (m_skippedMarkers > 2)
        message +=
            ", and so are " + std::to_string(m_skippedMarkers - 1) + " more markers after it";
    warn(WarningKind::MarkersSkipped, m_firstSkippedMarker.line, std::move(message));
    m_skippedMarkers = 0;
}

} // namespace kinsight
