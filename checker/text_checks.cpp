#include "text_checks.h"

#include "markers.h"
#include "text.h"
#include "translation.h"

#include <algorithm>
#include <array>

namespace kinsight {

namespace {

// The typographic quote a text opens with, if any: a word processor's
// “…”, „…“ or «…» quotes nothing for the reader.
std::string_view typographicQuote(std::string_view text) {
    static constexpr std::array<std::string_view, 11> kQuotes = {
        "\u201C", "\u201D", "\u201E", "\u201F", "\u00AB", "\u00BB",
        "\u2018", "\u2019", "\u201A", "\u2039", "\u203A"};
    for (std::string_view quote : kQuotes)
        if (text.substr(0, quote.size()) == quote)
            return quote;
    return {};
}

bool isText(FieldRole role) {
    return role == FieldRole::Title || role == FieldRole::Name || role == FieldRole::QuestionText ||
           role == FieldRole::AnswerText || role == FieldRole::Weight;
}

// The last characters of what the player sees of a text.
std::string visibleEnd(std::string_view text, std::size_t shownBytes) {
    constexpr std::size_t kTail = 30;
    const std::string_view shown = text.substr(0, shownBytes);
    const std::size_t count = characterCount(shown);
    if (count == 0)
        return i18n("nothing of it");
    if (count <= kTail)
        return fillIn(i18n("only up to {1}"), {inQuotes(shown)});
    const std::string_view tail = characters(shown, count - kTail, kTail);
    return fillIn(i18n("only up to {1}"), {"\"..." + inQuotes(tail).substr(1)});
}

// True if a text over several lines holds a line that is a marker or points:
// a quote left open that a later one happened to close.
bool swallowsShape(std::string_view text) {
    for (std::size_t end = text.find('\n'); end != std::string_view::npos;) {
        const std::size_t begin = end + 1;
        end = text.find('\n', begin);
        std::string_view line =
            text.substr(begin, end == std::string_view::npos ? end : end - begin);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (isMarker(line) || looksLikeWeight(line))
            return true;
    }
    return false;
}

} // namespace

void CutTexts::see(const FieldEvent& e) {
    if (e.quoteUnclosed && e.role != FieldRole::Trailing)
        warn(WarningKind::QuoteNeverClosed, e.line, quoteNeverClosed(e));
    const bool leftOpen =
        e.quoted && !e.quoteUnclosed && e.role != FieldRole::Trailing && swallowsShape(e.text);
    if (leftOpen)
        warn(WarningKind::QuoteRunsOn, e.line,
             fillIn(i18n("the quote opened here runs to line {2}, so lines {1}\u2013{2} are one "
                         "text: a closing quote is probably missing"),
                    {e.line, endLine(e)}));
    const bool sameLine = m_previous.endLine == e.line;
    const bool cutsQuestion =
        e.role == FieldRole::Skipped && sameLine && m_previous.role == FieldRole::QuestionText;
    const bool cutsAnswer = e.role == FieldRole::Ignored && e.answer != 0 && sameLine &&
                            m_previous.role == FieldRole::AnswerText;
    if (m_dropped && (cutsQuestion || cutsAnswer)) {
        // What the closing quote dropped and the field after it are one loss.
        flushDropped(e.text);
    } else {
        flushDropped();
        if (cutsQuestion)
            cutByNextField(e, fillIn(i18n("question {1}"), {e.question}), false);
        else if (cutsAnswer)
            cutByNextField(e, answerRef(e.answer, e.question), true);
        else if (sameLine)
            commaShifts(e);
    }
    if (e.role == FieldRole::AnswerText && e.text.empty())
        warn(WarningKind::AnswerWithoutText, e.line,
             fillIn(i18n("{1} has no text"), {answerRef(e.answer, e.question)}));
    // What a quote left open drops after the one that closed it is that mistake's doing.
    if (isText(e.role) && !leftOpen &&
        e.afterQuote.find_first_not_of(" \t") != std::string_view::npos)
        m_dropped = Dropped{fieldRef(e), std::string(e.text), std::string(e.afterQuote),
                            e.role == FieldRole::Weight, endLine(e)};
    m_previous = {e.role, endLine(e), e.quoted, typographicQuote(e.text),
                  e.role == FieldRole::Marker ? e.marker : std::string_view()};
}

// A text cut short by the field after it on its line: at a comma, or after
// its closing quote.
void CutTexts::cutByNextField(const FieldEvent& e, const std::string& whose, bool answer) {
    const std::string rest = inQuotes(e.text);
    if (m_previous.quoted) {
        warn(WarningKind::RestAfterQuote, e.line,
             fillIn(answer ? i18n("{1} after the closing quote of {2} is not read")
                           : i18n("{1} after the closing quote of {2} is skipped"),
                    {rest, whose}));
        return;
    }
    std::string message =
        fillIn(answer ? i18n("the text of {1} ends at a comma, and {2} on the same line is not "
                             "read")
                      : i18n("the text of {1} ends at a comma, and {2} on the same line is "
                             "skipped"),
               {whose, rest});
    if (m_previous.opening.empty())
        message += i18n("; put the whole text in double quotes");
    else
        message += fillIn(i18n(": a text in typographic quotes ({1}) is not quoted for the "
                               "reader; put the whole text in plain double quotes (\")"),
                          {m_previous.opening});
    warn(WarningKind::TextCutAtComma, e.line, std::move(message));
}

// A field cut at a comma where every field after it counts, so that the rest
// of its line is read as the next field and everything after moves one place.
// Texts cut short and points lines are told otherwise; a line skipped anyway
// loses nothing.
void CutTexts::commaShifts(const FieldEvent& e) {
    const FieldRole before = m_previous.role;
    const bool shifts = before == FieldRole::Title || before == FieldRole::Ignored ||
                        before == FieldRole::Name || before == FieldRole::QuestionMark ||
                        before == FieldRole::Marker;
    // "NewQuestion:,ENDQUESTIONS" ends the quiz all the same.
    if (!shifts || e.role == FieldRole::Skipped || e.role == FieldRole::Trailing ||
        e.line == m_commaLine ||
        (e.role == FieldRole::QuestionMark && e.text == kEndQuestionsMarker))
        return;
    m_commaLine = e.line;
    std::string became = fieldRef(e);
    // The rest takes the place of a dropped line, and the line after it is
    // read as what the dropped line was to be followed by.
    if (e.role == FieldRole::Ignored && before == FieldRole::Title)
        became = i18n("the line after the title, which is dropped, and the next line the name of "
                      "character 1");
    else if (e.role == FieldRole::Ignored)
        became = fillIn(i18n("the line after {1}, which is dropped, and the next line the text "
                             "of question {2}"),
                        {inQuotes(m_previous.marker), e.question});
    else if (e.role == FieldRole::QuestionMark)
        became = fillIn(i18n("{1}, which is dropped, and the next line the text of question {2}"),
                        {became, e.question + 1});
    warn(WarningKind::CommaShiftsLines, e.line,
         fillIn(i18n("line {1} holds a comma, so {2} became {3}: remove the comma or quote the "
                     "line"),
                {e.line, inQuotes(e.text), became}));
}

void CutTexts::flushDropped(std::string_view alsoLost) {
    if (!m_dropped)
        return;
    const Dropped& d = *m_dropped;
    const std::string rest =
        inQuotes(alsoLost.empty() ? d.text : d.text + ", " + std::string(alsoLost));
    if (d.points)
        warn(WarningKind::RestAfterQuoteNotRead, d.line,
             fillIn(i18n("{1} after the closing quote of {2} is not read"), {rest, d.what}));
    else if (d.text.front() == '"')
        warn(WarningKind::QuoteInsideText, d.line,
             fillIn(i18n("a double quote inside {1} ends it: the player sees only {2}, and {3} "
                         "is not shown; a quoted text cannot hold a double quote, so write the "
                         "inner quotes as \u201C \u201D or ' '"),
                    {d.what, inQuotes(d.shown), rest}));
    else
        warn(WarningKind::RestAfterQuoteNotShown, d.line,
             fillIn(i18n("{1} after the closing quote of {2} is not shown; the player sees only "
                         "{3}"),
                    {rest, d.what, inQuotes(d.shown)}));
    m_dropped.reset();
}

void TextFit::see(const FieldEvent& e) {
    if (e.text.empty() || (e.role != FieldRole::QuestionText && e.role != FieldRole::AnswerText))
        return;
    // No window shows more than a few hundred characters of a text, and a
    // measure of megabytes could overflow: the head of a long text decides.
    constexpr std::size_t kMeasured = 4096;
    const std::string_view head =
        e.text.size() > kMeasured ? characters(e.text, 0, kMeasured) : e.text;
    auto shown = [&](std::optional<std::size_t> bytes) {
        return head.size() < e.text.size() && !bytes ? std::optional(head.size()) : bytes;
    };
    if (e.role == FieldRole::QuestionText) {
        if (const auto bytes = shown(m_measurer.questionShown(head)))
            warn(WarningKind::QuestionTooLong, e.line,
                 fillIn(i18n("question {1} needs more than the two lines its box shows; the "
                             "player sees {2}"),
                        {e.question, visibleEnd(e.text, *bytes)}));
    } else if (const auto bytes = shown(m_measurer.answerShown(head))) {
        warn(WarningKind::AnswerTooWide, e.line,
             fillIn(i18n("{1} is wider than its button; the player sees {2}"),
                    {answerRef(e.answer, e.question), visibleEnd(e.text, *bytes)}));
    }
}

} // namespace kinsight
