#include "quiz_grammar.h"

#include "markers.h"
#include "quiz_error.h"
#include "quiz_tables.h"
#include "translation.h"
#include "weight_field.h"

#include <array>
#include <string>

namespace kinsight {

namespace {

std::string inQuotes(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"').append(text).append(1, '"');
    return quoted;
}

} // namespace

QuizGrammar::QuizGrammar(QuizObserver& observer) : m_observer(observer) {
    for (int k = 1; k <= kAnswerCount; ++k) {
        const std::string marker(kAnswerMarkers[k]);
        m_answerWords[k] = {
            marker, fillIn(i18n("looking for {1}"), {inQuotes(marker)}),
            fillIn(i18n("reading the text of answer {1}"), {k}),
            fillIn(i18n("reading the line after answer {1}"), {k}),
            fillIn(i18n("reading the points of answer {1}, which end at an empty line"), {k})};
    }
    m_seekingNewQuestion = fillIn(i18n("looking for {1}"), {inQuotes(kNewQuestionMarker)});
    m_readingAfterNewQuestion =
        fillIn(i18n("reading the line after {1}"), {inQuotes(kNewQuestionMarker)});
}

std::string_view QuizGrammar::read(std::string_view reading) {
    return m_file.readField(reading);
}

void QuizGrammar::notify(FieldRole role, std::string_view text, int answer, int slot, int points,
                         std::string_view marker) {
    FieldEvent event{};
    event.role = role;
    event.text = text;
    event.line = m_file.fieldLine();
    event.quoted = m_file.fieldQuoted();
    event.afterQuote = m_file.droppedAfterQuote();
    event.quoteUnclosed = m_file.quoteUnclosed();
    event.question = m_question;
    event.answer = answer;
    event.slot = slot;
    event.points = points;
    event.marker = marker;
    m_observer.onField(event);
}

void QuizGrammar::load(std::shared_ptr<const QuizText> text) {
    m_file.open(std::move(text));
    m_finished = false;
    m_question = 1;

    notify(FieldRole::Title, read(i18n("reading the title")));
    notify(FieldRole::Ignored, read(i18n("reading the line after the title")));
    for (int slot = 1; slot <= kCharacterCount; ++slot)
        notify(FieldRole::Name, read(fillIn(i18n("reading the name of character {1}"), {slot})), 0,
               slot);
    ForwardToo(kStartMarker);
    notify(FieldRole::Ignored,
           read(fillIn(i18n("reading the line after {1}"), {inQuotes(kStartMarker)})));
    readQuestion();
}

void QuizGrammar::ForwardToo(std::string_view marker) {
    skipToMarker(marker, fillIn(i18n("looking for {1}"), {inQuotes(marker)}));
}

void QuizGrammar::skipToMarker(std::string_view marker, std::string_view seeking) {
    for (;;) {
        const std::string_view field = read(seeking);
        if (field == marker) {
            notify(FieldRole::Marker, field, 0, 0, 0, marker);
            return;
        }
        notify(FieldRole::Skipped, field, 0, 0, 0, marker);
    }
}

bool QuizGrammar::readNextQuestion() {
    if (m_finished)
        return false;
    skipToMarker(kNewQuestionMarker, m_seekingNewQuestion);
    const std::string_view mark = read(m_readingAfterNewQuestion);
    notify(FieldRole::QuestionMark, mark);
    if (mark == kEndQuestionsMarker) {
        m_finished = true;
        return false;
    }
    ++m_question;
    readQuestion();
    return true;
}

void QuizGrammar::readQuestion() {
    notify(FieldRole::QuestionText,
           read(fillIn(i18n("reading the text of question {1}"), {m_question})));
    for (int k = 1; k <= kAnswerCount; ++k)
        readAnswerBlock(k);
}

void QuizGrammar::readAnswerBlock(int k) {
    const AnswerWords& words = m_answerWords[k];
    skipToMarker(words.marker, words.seeking);
    notify(FieldRole::AnswerText, read(words.text), k);
    notify(FieldRole::Ignored, read(words.after), k);

    for (;;) {
        const std::string_view field = read(words.points);
        const WeightField weight = parseWeightField(field);
        if (weight.slot < 0 || weight.slot > kCharacterCount)
            throw QuizError(Failure::SubscriptOutOfRange, m_file.displayName(), m_file.fieldLine(),
                            fillIn(i18n("points for character {1} in {2}: characters are "
                                        "numbered 1 to 15"),
                                   {weight.slot, inQuotes(field)}));
        notify(FieldRole::Weight, field, k, static_cast<int>(weight.slot), weight.points);
        if (field.empty())
            return;
    }
}

bool QuizGrammar::readTrailingField() {
    if (!m_finished || !m_file.isOpen() || m_file.atEnd())
        return false;
    notify(FieldRole::Trailing, read(i18n("reading past the end of the questions")));
    return true;
}

void QuizGrammar::close() {
    m_file.close();
    m_finished = false;
}

} // namespace kinsight
