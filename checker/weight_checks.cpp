#include "weight_checks.h"

#include "markers.h"
#include "text.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace kinsight {

namespace {

// The number an author meant after the character number: the first run of
// digits from character 4 on.
std::optional<int> writtenPoints(std::string_view field) {
    const std::string_view rest = characters(field, 3, field.size());
    std::size_t i = 0;
    while (i < rest.size() && !std::isdigit(static_cast<unsigned char>(rest[i])))
        ++i;
    if (i == rest.size())
        return std::nullopt;
    int value = 0;
    for (; i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i])); ++i)
        value = std::min(value * 10 + (rest[i] - '0'), 1000000);
    return value;
}

// A minus sign just before the points written, as in C05=-2.
bool negative(std::string_view field) {
    const std::string_view rest = characters(field, 3, field.size());
    const std::size_t digit = rest.find_first_of("0123456789");
    return digit != std::string_view::npos && digit > 0 && rest[digit - 1] == '-';
}

bool hasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
}

// True if a second points field follows the first on its line, as in
// "C08=4 C12=5"; a word after the points ("C07=3 strong") is no such field.
bool secondPoint(std::string_view field) {
    for (std::size_t i = 5; i + 4 < field.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(field[i - 1])) &&
            looksLikeWeight(field.substr(i)) &&
            std::ispunct(static_cast<unsigned char>(field[i + 3])))
            return true;
    return false;
}

} // namespace

bool looksLikeWeight(std::string_view field) {
    auto digit = [&](std::size_t i) {
        return i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]));
    };
    const char lowered = field.empty() ? '\0' : asciiLower(field[0]);
    return field.size() >= 5 && lowered >= 'a' && lowered <= 'z' && (digit(1) || field[1] == ' ') &&
           digit(2) && digit(4);
}

void Weights::see(const FieldEvent& e) {
    switch (e.role) {
    case FieldRole::QuestionText:
        m_weights = QuestionWeights{};
        break;
    case FieldRole::AnswerText:
        m_listedOn.fill(0);
        m_answerLine = endLine(e);
        m_answerCut = false;
        break;
    case FieldRole::Ignored:
        if (e.answer == 0)
            break;
        m_answerCut = e.line == m_answerLine;
        m_droppedLine = e.line;
        if (!m_answerCut && looksLikeWeight(e.text))
            warn(WarningKind::LineAfterAnswerText, e.line,
                 inQuotes(e.text) + " after the text of " + answerRef(e.answer, e.question) +
                     " is not read: the line after an answer's text is skipped");
        break;
    case FieldRole::Weight:
        weight(e);
        break;
    default:
        break;
    }
}

void Weights::weight(const FieldEvent& e) {
    m_weights[e.answer][e.slot] = e.points;
    if (e.text.empty()) {
        if (e.answer == kAnswerCount)
            m_reach.addQuestion(m_weights);
        return;
    }
    if (isMarker(e.text))
        return; // told by the marker search
    const std::string ref = answerRef(e.answer, e.question);
    if (e.slot == 0) {
        if (hasDigit(characters(e.text, 1, 2)))
            warn(WarningKind::PointsToCharacterZero, e.line,
                 inQuotes(e.text) + " under " + ref +
                     " gives its points to character 0, which is never scored");
        else if (!m_answerCut && e.line != m_droppedLine) // else the cut line tells
            warn(WarningKind::PointsUnread, e.line,
                 inQuotes(e.text) + " is read as points of " + ref + " and gives none");
        return;
    }
    if (m_listedOn[e.slot] != 0)
        warn(WarningKind::ListedTwice, e.line,
             "character " + std::to_string(e.slot) + " is listed twice under " + ref +
                 " (first on line " + std::to_string(m_listedOn[e.slot]) +
                 "); only the last points count");
    m_listedOn[e.slot] = e.line;
    const std::optional<int> written = writtenPoints(e.text);
    if (secondPoint(e.text))
        warn(WarningKind::TwoPointsOnALine, e.line,
             inQuotes(e.text) + " gives points to character " + std::to_string(e.slot) +
                 " alone: only the first point of a line counts: write one a line");
    if (!written)
        warn(WarningKind::NoDigitForPoints, e.line,
             inQuotes(e.text) + " gives character " + std::to_string(e.slot) +
                 " 0 points: position 5 of the line holds no digit; the points are the one "
                 "digit at position 5, as in C07=3");
    else if (negative(e.text))
        warn(WarningKind::NegativePoints, e.line,
             inQuotes(e.text) + " gives character " + std::to_string(e.slot) + " " +
                 std::to_string(e.points) + (e.points == 1 ? " point" : " points") +
                 ": points cannot be negative; they are the one digit 0 to 9 at position 5 of "
                 "the line, as in C07=3");
    else if (*written != e.points)
        warn(WarningKind::PointsNotAsWritten, e.line,
             inQuotes(e.text) + " gives character " + std::to_string(e.slot) + " " +
                 std::to_string(e.points) + (e.points == 1 ? " point" : " points") + ", not " +
                 std::to_string(*written) +
                 ": the points are the one digit at position 5 of the line, as in C07=3");
}

} // namespace kinsight
