#include "quiz.h"

#include "dry_run.h"
#include "quiz_error.h"
#include "quiz_location.h"
#include "ranking.h"
#include "result.h"

#include <vector>

namespace kinsight {

namespace {

// Stateless, so one serves every quiz without tie-break windows.
TieBreakWindows& noTieBreaks() {
    static NullTieBreakWindows none;
    return none;
}

} // namespace

Quiz::Quiz(QuizWindow& window, TieBreakWindows& tieBreaks, std::filesystem::path quizFile,
           std::string fileName)
    : m_window(window), m_tieBreaks(tieBreaks), m_path(std::move(quizFile)),
      m_fileName(fileName.empty() ? shownPath(m_path.filename()) : std::move(fileName)) {}

Quiz::Quiz(QuizWindow& window, std::filesystem::path quizFile)
    : Quiz(window, noTieBreaks(), std::move(quizFile)) {}

void Quiz::onField(const FieldEvent& event) {
    switch (event.role) {
    case FieldRole::Title:
        m_window.setTitle(std::string(event.text));
        break;
    case FieldRole::Name:
        m_tables.CharacterTable[event.slot] = event.text;
        break;
    case FieldRole::QuestionText:
        m_window.setQuestion(m_shown.assign(event.text));
        break;
    case FieldRole::AnswerText:
        m_window.setAnswer(event.answer, m_shown.assign(event.text));
        break;
    case FieldRole::Weight:
        m_tables.WeightTable[event.answer][event.slot] = event.points;
        break;
    default:
        break;
    }
}

std::shared_ptr<const QuizText> Quiz::readQuizFile() {
    return readQuizText(m_path, m_fileName, m_limits);
}

void Quiz::load() {
    load(readQuizFile());
}

void Quiz::load(std::shared_ptr<const QuizText> text) {
    m_grammar.load(std::move(text));
}

void Quiz::Next_Question() {
    if (finished())
        return; // nothing is read past the end of the questions
    for (auto& row : m_tables.WeightTable)
        row.fill(0);
    for (int k = 1; k <= kAnswerCount; ++k)
        m_window.clearSelection(answerControl(k));
    m_window.clearSelection(Control::SkipQuestion);
    if (!m_grammar.readNextQuestion())
        finalRanking();
}

void Quiz::answerChosen(int k) {
    if (finished() || k < 1 || k > kAnswerCount)
        return;
    for (int i = 1; i <= kCharacterCount; ++i)
        m_tables.ScoreTable[i] += m_tables.WeightTable[k][i];
    for (int i = 1; i <= kCharacterCount; ++i)
        m_window.setScoreText(i - 1, std::to_string(m_tables.ScoreTable[i]));
    Next_Question();
}

void Quiz::skipChosen() {
    if (finished())
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
    } else {
        // Nobody: slot 0 is announced, whose empty name has no picture.
        m_window.showPicture(t.CharacterTable[0]);
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
    restart(std::move(text));
}

void Quiz::restart(std::shared_ptr<const QuizText> checked) {
    startPass(std::move(checked), true);
}

void Quiz::playInPlace(std::shared_ptr<const QuizText> checked) {
    startPass(std::move(checked), false);
}

void Quiz::startPass(std::shared_ptr<const QuizText> checked, bool showAgain) {
    // A tie-break window left open would announce from the emptied tables.
    m_tieBreaks.hideTieBreaks();
    m_offered = 0;
    m_tables.clear();
    m_grammar.close();
    if (showAgain) {
        m_window.hideWindow();
        m_window.showWindow();
    }
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
    load(std::move(checked));
}

} // namespace kinsight
