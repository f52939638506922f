#include "field_words.h"

#include "markers.h"
#include "text.h"
#include "translation.h"

#include <algorithm>
#include <vector>

namespace kinsight {

namespace {

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string inQuotes(std::string_view text) {
    constexpr std::size_t kShown = 60;
    const std::size_t count = characterCount(text);
    std::string shown = escapedControls(characters(text, 0, std::min(count, kShown)));
    if (count > kShown)
        shown += "...";
    return "\"" + shown + "\"";
}

std::string folded(std::string_view text) {
    std::string out;
    for (char ch : text)
        if (ch != ' ' && ch != '\t')
            out += asciiLower(ch);
    return out;
}

std::string answerRef(int answer, int question) {
    return fillIn(i18n("answer {1} of question {2}"), {answer, question});
}

std::string fieldRef(const FieldEvent& e) {
    switch (e.role) {
    case FieldRole::Title:
        return i18n("the title");
    case FieldRole::Name:
        return fillIn(i18n("the name of character {1}"), {e.slot});
    case FieldRole::QuestionText:
        return fillIn(i18n("the text of question {1}"), {e.question});
    case FieldRole::AnswerText:
        return fillIn(i18n("the text of {1}"), {answerRef(e.answer, e.question)});
    case FieldRole::Weight:
        return fillIn(i18n("points of {1}"), {answerRef(e.answer, e.question)});
    case FieldRole::QuestionMark:
        return fillIn(i18n("the line after {1}"), {inQuotes(kNewQuestionMarker)});
    case FieldRole::Skipped:
        return fillIn(i18n("a line skipped while looking for {1}"), {inQuotes(e.marker)});
    default:
        return i18n("a line that is not read");
    }
}

int endLine(const FieldEvent& e) {
    return e.line + static_cast<int>(std::count(e.text.begin(), e.text.end(), '\n'));
}

std::optional<std::size_t> nearMiss(std::string_view field, std::string_view marker) {
    if (field == marker)
        return std::nullopt;
    if (folded(field) == folded(marker))
        return 0;
    const std::size_t limit = marker.size() <= 3 ? 1 : 2;
    const std::size_t gap =
        field.size() > marker.size() ? field.size() - marker.size() : marker.size() - field.size();
    if (gap > limit)
        return std::nullopt;
    const std::size_t distance = editDistance(field, marker);
    if (distance > limit)
        return std::nullopt;
    return distance;
}

std::string markerMisread(const FieldEvent& e) {
    const bool asText = e.role != FieldRole::Marker && e.role != FieldRole::Skipped &&
                        e.role != FieldRole::Trailing &&
                        !(e.role == FieldRole::QuestionMark && e.text == kEndQuestionsMarker);
    if (!asText || !isMarker(e.text))
        return {};
    std::string what = fieldRef(e);
    if (e.role == FieldRole::Name && e.text == kStartMarker)
        what +=
            fillIn(i18n(": fewer than fifteen names stand before {1}"), {inQuotes(kStartMarker)});
    else if (e.role == FieldRole::Weight)
        what += i18n(": the empty line that ends them is missing");
    return fillIn(i18n("the marker {1} is read as {2}"), {inQuotes(e.text), what});
}

std::string markerWithText(std::string_view field) {
    const auto begins = [field](std::string_view marker) {
        return field.size() > marker.size() && field.starts_with(marker) &&
               (field[marker.size()] == ' ' || field[marker.size()] == '\t');
    };
    for (std::string_view marker : kAnswerMarkers)
        if (!marker.empty() && begins(marker))
            return fillIn(i18n("{1} begins with the marker {2}, which is seen only on a line of "
                               "its own: write the answer's text on the next line"),
                          {inQuotes(field), inQuotes(marker)});
    for (std::string_view marker : {kStartMarker, kNewQuestionMarker, kEndQuestionsMarker})
        if (begins(marker))
            return fillIn(i18n("{1} begins with the marker {2}, which is seen only on a line of "
                               "its own: write the rest on the next line"),
                          {inQuotes(field), inQuotes(marker)});
    return {};
}

std::string markerMissed(std::string_view field, std::string_view marker) {
    return fillIn(i18n("{1} is not {2}: markers must match exactly, case and blanks included"),
                  {inQuotes(field), inQuotes(marker)});
}

std::string quoteNeverClosed(const FieldEvent& e) {
    // The file's last line end is no line of the text.
    const int last = endLine(e) - (!e.text.empty() && e.text.back() == '\n');
    if (last > e.line)
        return fillIn(i18n("the quote opened here is never closed, so all that follows it to the "
                           "end of the file (lines {1} to {2}) is read as one text, {3}"),
                      {e.line, last, fieldRef(e)});
    return fillIn(i18n("the quote opened here is never closed, so all that follows it to the end "
                       "of the file is read as one text, {1}"),
                  {fieldRef(e)});
}

} // namespace kinsight
