#include "marker_checks.h"

#include "markers.h"
#include "translation.h"

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
    const std::string taken = answer == kAnswerCount
                                  ? fillIn(i18n("answer {1}"), {answer})
                                  : fillIn(i18n("answers {1} to {2}"), {answer, kAnswerCount});
    const std::string from =
        passed == 1 ? i18n("the next question")
                    : fillIn(i18np("{1} question further on", "{1} questions further on", passed),
                             {passed});
    const std::string what =
        fillIn(i18n("question {1} takes {2} from {3}"), {question, taken, from});
    constexpr std::size_t kNamed = 3;
    std::string list;
    for (std::size_t i = 0; i < std::min(passed, kNamed); ++i) {
        if (i > 0)
            list += i + 1 == std::min(passed, kNamed) && passed <= kNamed ? i18n(" and ") : ", ";
        list += std::to_string(question + static_cast<int>(i) + 1) + " (" +
                inQuotes(m_passed[i].text) + ")";
    }
    if (passed > kNamed)
        list += fillIn(i18n(" and {1} more"), {passed - kNamed});
    const std::string lost = fillIn(
        i18np("question {1} is never shown", "questions {1} are never shown", passed), {list});

    if (m_missBeforeNext)
        warn(WarningKind::MisspeltMarker, m_missBeforeNext->line,
             fillIn(i18n("{1} is not {2}, so {3}, and {4}; markers must match exactly, case and "
                         "blanks included"),
                    {m_missBeforeNext->shown, inQuotes(e.marker), what, lost}));
    else
        warn(WarningKind::MissingMarker, m_passed.front().line,
             fillIn(i18n("{1}: {2} is missing before this {3}, and {4}"),
                    {what, inQuotes(e.marker), inQuotes(kNewQuestionMarker), lost}));
}

void MarkerSearch::see(const FieldEvent& e) {
    if (e.text == kNewQuestionMarker)
        ++m_newQuestionMarkers;
    switch (e.role) {
    case FieldRole::Trailing:
        if (!e.text.empty() && !m_trailingTold) {
            m_trailingTold = true;
            warn(WarningKind::TextAfterTheEnd, e.line,
                 fillIn(i18n("text after {1} is never read"), {inQuotes(kEndQuestionsMarker)}));
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
            m_afterPoints = AfterPoints{
                fillIn(i18n("the points of {1}"), {answerRef(e.answer, e.question)}), {}};
        break;
    case FieldRole::QuestionMark:
        if (nearMiss(e.text, kEndQuestionsMarker))
            warn(WarningKind::NotTheEnd, e.line,
                 fillIn(i18n("{1} after {2} is not {3}, so the quiz reads on for another "
                             "question"),
                        {inQuotes(e.text), inQuotes(kNewQuestionMarker),
                         inQuotes(kEndQuestionsMarker)}));
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
                 fillIn(i18n("{1} is skipped while looking for {2}, which comes only on line "
                             "{3}; markers must match exactly, case and blanks included"),
                        {miss.shown, inQuotes(e.marker), e.line}));
    }
    m_misses.clear();
    if (const auto& after = m_afterPoints;
        after && !after->shown.empty() && !after->toldOtherwise && !m_merged.mergesAt(e)) {
        if (after->extraAnswer)
            warn(WarningKind::SeventhAnswer, after->line,
                 fillIn(i18n("{1} is skipped while looking for {2}: a question has six "
                             "answers, so the player never sees this one"),
                        {after->shown, inQuotes(e.marker)}));
        else
            warn(WarningKind::NeverShown, after->line,
                 fillIn(i18n("{1} after {2} is skipped while looking for {3}, so the player "
                             "never sees it"),
                        {after->shown, after->where, inQuotes(e.marker)}));
    }
    m_afterPoints.reset();
}

void MarkerSearch::flushSkippedMarkers() {
    if (m_skippedMarkers == 0)
        return;
    std::string message = fillIn(i18n("the marker {1} is skipped while looking for {2}"),
                                 {m_firstSkippedMarker.shown, inQuotes(m_sought)});
    if (m_skippedMarkers > 1)
        message += fillIn(i18np(", and so is {1} more marker after it",
                                ", and so are {1} more markers after it", m_skippedMarkers - 1),
                          {m_skippedMarkers - 1});
    warn(WarningKind::MarkersSkipped, m_firstSkippedMarker.line, std::move(message));
    m_skippedMarkers = 0;
}

} // namespace kinsight
