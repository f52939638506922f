#include "quiz_play.h"

#include "quiz_error.h"

namespace kinsight {

QuizPlay::QuizPlay(const QuizLocation& quiz, FailureRoute failed,
                   std::shared_ptr<const QuizText> checked, Restart restartPolicy)
    : m_failureRoute(std::move(failed)), m_window(quiz.pictures), m_tieBreaks([this](int position) {
          guarded([this, position] { m_quiz.tieBreakChosen(position); });
      }),
      m_quiz(m_window, m_tieBreaks, quiz.file, quiz.name), m_restart(restartPolicy),
      m_lastChecked(checked) {
    QObject::connect(&m_window, &Only::chosen, &m_window, [this](Control c) { chosen(c); });
    QObject::connect(&m_window, &Only::restartChosen, &m_window, [this] { restart(); });
    // The program ends with the main window, whatever else is open or hidden.
    QObject::connect(&m_window, &Only::closing, &m_window, [this] { m_tieBreaks.closeAll(); });

    guarded([&] { m_quiz.load(std::move(checked)); });
    m_window.nameScoreBoxes(m_quiz.tables().CharacterTable);
}

template <typename Action> void QuizPlay::guarded(Action&& action) {
    if (m_failed)
        return;
    try {
        action();
    } catch (const QuizError& error) {
        m_failed = true;
        m_failureRoute(error, &m_window);
    }
}

void QuizPlay::chosen(Control choice) {
    // A finished quiz shows no answer selected, whatever selected one: a
    // screen reader's toggle while the draw message is up, a stray event.
    if (m_quiz.finished()) {
        m_window.clearSelection(choice);
        return;
    }
    if (choice == Control::SkipQuestion)
        guarded([this] { m_quiz.skipChosen(); });
    else
        guarded([this, choice] { m_quiz.answerChosen(static_cast<int>(choice)); });
    m_window.presentNextQuestion();
}

void QuizPlay::restart() {
    guarded([this] {
        if (m_restart == Restart::PlaysTheLastChecked)
            m_quiz.restart(m_lastChecked);
        else
            m_quiz.restart();
    });
    passStarted();
}

void QuizPlay::playInPlace(std::shared_ptr<const QuizText> checked) {
    m_lastChecked = checked;
    guarded([&] { m_quiz.playInPlace(std::move(checked)); });
    passStarted();
}

void QuizPlay::passStarted() {
    m_window.nameScoreBoxes(m_quiz.tables().CharacterTable);
    // The keyboard starts over where the quiz does: at the first answer.
    m_window.focusFirstAnswer();
}

} // namespace kinsight
