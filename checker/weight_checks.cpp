#include "weight_checks.h"

#include "markers.h"
#include "text.h"
#include "translation.h"

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
                 fillIn(i18n("{1} after the text of {2} is not read: the line after an answer's "
                             "text is skipped"),
                        {inQuotes(e.text), answerRef(e.answer, e.question)}));
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
                 fillIn(i18n("{1} under {2} gives its points to character 0, which is never "
                             "scored"),
                        {inQuotes(e.text), ref}));
        else if (!m_answerCut && e.line != m_droppedLine) // else the cut line tells
            warn(WarningKind::PointsUnread, e.line,
                 fillIn(i18n("{1} is read as points of {2} and gives none"),
                        {inQuotes(e.text), ref}));
        return;
    }
    if (m_listedOn[e.slot] != 0)
        warn(WarningKind::ListedTwice, e.line,
             fillIn(i18n("character {1} is listed twice under {2} (first on line {3}); only the "
                         "last points count"),
                    {e.slot, ref, m_listedOn[e.slot]}));
    m_listedOn[e.slot] = e.line;
    const std::optional<int> written = writtenPoints(e.text);
    if (secondPoint(e.text))
        warn(WarningKind::TwoPointsOnALine, e.line,
             fillIn(i18n("{1} gives points to character {2} alone: only the first point of a "
                         "line counts: write one a line"),
                    {inQuotes(e.text), e.slot}));
    if (!written)
        warn(WarningKind::NoDigitForPoints, e.line,
             fillIn(i18n("{1} gives character {2} 0 points: position 5 of the line holds no "
                         "digit; the points are the one digit at position 5, as in C07=3"),
                    {inQuotes(e.text), e.slot}));
    else if (negative(e.text))
        warn(WarningKind::NegativePoints, e.line,
             fillIn(i18n("{1} gives character {2} {3} points: points cannot be negative; they "
                         "are the one digit 0 to 9 at position 5 of the line, as in C07=3"),
                    {inQuotes(e.text), e.slot, e.points}));
    else if (*written != e.points)
        warn(WarningKind::PointsNotAsWritten, e.line,
             fillIn(i18np("{1} gives character {2} {3} point, not {4}: the points are the one "
                          "digit at position 5 of the line, as in C07=3",
                          "{1} gives character {2} {3} points, not {4}: the points are the one "
                          "digit at position 5 of the line, as in C07=3",
                          static_cast<unsigned long>(e.points)),
                    {inQuotes(e.text), e.slot, e.points, *written}));
}

} // namespace kinsight
