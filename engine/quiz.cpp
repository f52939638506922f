#include "quiz.h"

#include "dry_run.h"
#include "markers.h"
#include "quiz_error.h"
#include "quiz_location.h"
#include "ranking.h"
#include "result.h"
#include "weight_field.h"

#include <array>
#include <vector>

namespace kinsight {

namespace {

std::string inQuotes(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"').append(text).append(1, '"');
    return quoted;
}

// The words for what is being read, made once: they are needed only if the
// file ends there, and making them for every field would cost more than
// reading the field.
struct AnswerWords {
    std::string marker, seeking, text, after, points;
};

const std::array<AnswerWords, kAnswerSlots>& answerWords() {
    static const std::array<AnswerWords, kAnswerSlots> words = [] {
        std::array<AnswerWords, kAnswerSlots> w;
        for (int k = 1; k <= kAnswerCount; ++k) {
            const std::string n = std::to_string(k);
            const std::string marker(kAnswerMarkers[k]);
            w[k] = {marker, "looking for " + inQuotes(marker), "reading the text of answer " + n,
                    "reading the line after answer " + n,
                    "reading the points of answer " + n + ", which end at an empty line"};
        }
        return w;
    }();
    return words;
}

// Stateless, so one serves every quiz without tie-break windows.
TieBreakWindows& noTieBreaks() {
    static NullTieBreakWindows none;
    return none;
}

} // namespace

Quiz::Quiz(QuizWindow& window, TieBreakWindows& tieBreaks, std::filesystem::path quizFile)
    : m_window(window), m_tieBreaks(tieBreaks), m_path(std::move(quizFile)) {}

Quiz::Quiz(QuizWindow& window, std::filesystem::path quizFile)
    : Quiz(window, noTieBreaks(), std::move(quizFile)) {}

std::string_view Quiz::read(std::string_view reading) {
    return m_file.readField(reading);
}

void Quiz::notify(FieldRole role, std::string_view text, int answer, int slot, int points,
                  std::string_view marker) {
    if (!m_observer)
        return;
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
    m_observer->onField(event);
}

std::shared_ptr<const QuizText> Quiz::readQuizFile() {
    return readQuizText(m_path, shownPath(m_path.filename()), m_limits);
}

void Quiz::load() {
    load(readQuizFile());
}

void Quiz::load(std::shared_ptr<const QuizText> text) {
    m_file.open(std::move(text));
    m_finished = false;
    m_question = 1;

    const std::string_view title = read("reading the title");
    notify(FieldRole::Title, title);
    m_window.setTitle(std::string(title));
    notify(FieldRole::Ignored, read("reading the line after the title"));
    for (int slot = 1; slot <= kCharacterCount; ++slot) {
        const std::string_view name = read("reading the name of character " + std::to_string(slot));
        notify(FieldRole::Name, name, 0, slot);
        m_tables.CharacterTable[slot] = name;
    }
    ForwardToo(kStartMarker);
    notify(FieldRole::Ignored, read("reading the line after \"Start:\""));
    readQuestionText();
    for (int k = 1; k <= kAnswerCount; ++k)
        readAnswerBlock(k);
}

void Quiz::ForwardToo(std::string_view marker) {
    forwardTo(marker, "looking for " + inQuotes(marker));
}

void Quiz::forwardTo(std::string_view marker, std::string_view seeking) {
    for (;;) {
        const std::string_view field = read(seeking);
        if (field == marker) {
            notify(FieldRole::Marker, field, 0, 0, 0, marker);
            return;
        }
        notify(FieldRole::Skipped, field, 0, 0, 0, marker);
    }
}

void Quiz::readQuestionText() {
    const std::string_view text =
        read("reading the text of question " + std::to_string(m_question));
    notify(FieldRole::QuestionText, text);
    m_window.setQuestion(m_shown.assign(text));
}

void Quiz::readAnswerBlock(int k) {
    const AnswerWords& words = answerWords()[k];
    forwardTo(words.marker, words.seeking);
    const std::string_view text = read(words.text);
    notify(FieldRole::AnswerText, text, k);
    m_window.setAnswer(k, m_shown.assign(text));
    notify(FieldRole::Ignored, read(words.after), k);

    for (;;) {
        const std::string_view field = read(words.points);
        const WeightField weight = parseWeightField(field);
        if (weight.slot < 0 || weight.slot > kCharacterCount)
            throw QuizError(Failure::SubscriptOutOfRange, m_file.displayName(), m_file.fieldLine(),
                            "points for character " + std::to_string(weight.slot) + " in " +
                                inQuotes(field) + "; characters are numbered 1 to 15");
        const int slot = static_cast<int>(weight.slot);
        notify(FieldRole::Weight, field, k, slot, weight.points);
        m_tables.WeightTable[k][slot] = weight.points;
        if (field.empty())
            return;
    }
}

void Quiz::Next_Question() {
    if (m_finished)
        return; // nothing is read past the end of the questions
    for (auto& row : m_tables.WeightTable)
        row.fill(0);
    for (int k = 1; k <= kAnswerCount; ++k)
        m_window.clearSelection(answerControl(k));
    m_window.clearSelection(Control::SkipQuestion);

    static const std::string kSeekingNewQuestion = "looking for " + inQuotes(kNewQuestionMarker);
    forwardTo(kNewQuestionMarker, kSeekingNewQuestion);
    const std::string_view mark = read("reading the line after \"NewQuestion:\"");
    notify(FieldRole::QuestionMark, mark);
    if (mark == kEndQuestionsMarker) {
        m_finished = true;
        finalRanking();
        return;
    }
    ++m_question;
    readQuestionText();
    for (int k = 1; k <= kAnswerCount; ++k)
        readAnswerBlock(k);
}

void Quiz::answerChosen(int k) {
    if (m_finished || k < 1 || k > kAnswerCount)
        return;
    for (int i = 1; i <= kCharacterCount; ++i)
        m_tables.ScoreTable[i] += m_tables.WeightTable[k][i];
    for (int i = 1; i <= kCharacterCount; ++i)
        m_window.setScoreText(i - 1, std::to_string(m_tables.ScoreTable[i]));
    Next_Question();
}

void Quiz::skipChosen() {
    if (m_finished)
        return;
    Next_Question();
}

void Quiz::finalRanking() {
    auto& t = m_tables;
    t.WinCount = winCounts(t.ScoreTable);
    const Ranking ranking = rankScores(t.ScoreTable);
    if (ranking.outcome == Outcome::SingleWinner) {
        announceWinner(ranking.top[0]);
        return;
    }

    // A draw: the tied names in ascending order. Five or more have no chance
    // device, so the draw is reported and nobody is announced.
    const int ways = resultChoices(ranking.outcome);
    std::vector<std::string> names;
    for (int p = 0; p < ranking.tiedCount; ++p) {
        const int slot = ranking.top[p];
        if (ways > 0)
            t.TieList[p] = slot;
        names.push_back(t.CharacterTable[slot]);
    }
    m_window.message(drawMessage(names), kDrawTitle);
    if (ways > 0) {
        m_offered = ways;
        names.resize(static_cast<std::size_t>(ways));
        m_tieBreaks.openTieBreak(names);
    }
    closeForAnswers("");
}

void Quiz::tieBreakChosen(int position) {
    if (position < 0 || position >= m_offered)
        return;
    // The spinner shows the picture first, the pendulum the name.
    const ResultOrder order =
        m_offered == 2 ? ResultOrder::PictureThenName : ResultOrder::NameThenPicture;
    m_offered = 0;
    const std::string name = m_tables.CharacterTable[m_tables.TieList[position]];
    announceChoice(m_window, m_tieBreaks, name, order);
}

void Quiz::announceWinner(int slot) {
    const std::string& name = m_tables.CharacterTable[slot];
    presentResult(m_window, name, ResultOrder::PictureThenName);
    closeForAnswers(name);
}

void Quiz::closeForAnswers(const std::string& resultName) {
    m_window.setResultName(resultName);
    for (int k = 1; k <= kAnswerCount; ++k)
        m_window.setControlEnabled(answerControl(k), false);
    m_window.setControlEnabled(Control::SkipQuestion, false);
    m_window.setControlEnabled(Control::cmd_restart, true);
}

void Quiz::restart() {
    // An edit between passes that broke the quiz is reported now, as at
    // start-up, not after the user has answered; the pass then plays
    // exactly what was checked.
    std::shared_ptr<const QuizText> text = readQuizFile();
    if (const DryRunResult check = dryRun(text); check.error)
        throw *check.error;
    // A tie-break window left open would announce from the emptied tables.
    m_tieBreaks.closeTieBreaks();
    m_offered = 0;
    m_tables.clear();
    m_file.close();
    m_finished = false;
    m_window.hideWindow();
    m_window.showWindow();
    for (int k = 1; k <= kAnswerCount; ++k)
        m_window.setControlEnabled(answerControl(k), true);
    m_window.setControlEnabled(Control::SkipQuestion, true);
    for (int k = 1; k <= kAnswerCount; ++k)
        m_window.clearSelection(answerControl(k));
    m_window.clearSelection(Control::SkipQuestion);
    m_window.setResultName("");
    for (int i = 0; i < kCharacterCount; ++i)
        m_window.setScoreText(i, "");
    m_tieBreaks.resetDualTimers();
    load(std::move(text));
}

bool Quiz::readTrailingField() {
    if (!m_finished || !m_file.isOpen() || m_file.atEnd())
        return false;
    notify(FieldRole::Trailing, read("reading past the end of the questions"));
    return true;
}

} // namespace kinsight
