// QuizPlay: the quiz played in the main window. It owns the window, the quiz
// engine and the tie-break windows and wires them in one place: the user's
// choices go from the window to the engine, the engine drives the windows,
// and every failure of the quiz takes the one failure route.
#pragma once

#include "only.h"
#include "quiz.h"
#include "quiz_location.h"
#include "tie_breaks.h"

#include <functional>
#include <memory>

namespace kinsight {

class QuizError;

// Where a failure of the quiz goes, with the window to place the report
// over: the one route by which the program learns of it and ends.
using FailureRoute = std::function<void(const QuizError& error, QWidget* window)>;

class QuizPlay {
public:
    // Loads checked, the quiz's text already read and checked, at once, so
    // the quiz's title is in place before the first show; a failure then, as
    // later, goes to failed. Pictures come from quiz.pictures.
    QuizPlay(const QuizLocation& quiz, FailureRoute failed,
             std::shared_ptr<const QuizText> checked);
    QuizPlay(const QuizPlay&) = delete;
    QuizPlay& operator=(const QuizPlay&) = delete;

    Only& window() { return m_window; }
    // True once a failure has been reported; the window's input is then ignored.
    bool failed() const { return m_failed; }

    // A new pass of checked, a quiz read and checked already, from its first
    // question as the restart button starts one, but with the window left
    // where it is and not activated. From then on the restart button plays
    // checked too, rather than reading the file again.
    void playAgain(std::shared_ptr<const QuizText> checked);
    // The restart button plays checked rather than the file read again.
    void restartWith(std::shared_ptr<const QuizText> checked) {
        m_restartText = std::move(checked);
    }

private:
    // Every call into the engine goes through here, so a failure is reported
    // in one place and ends the program.
    template <typename Action> void guarded(Action&& action);
    void chosen(Control choice);
    template <typename Action> void startOver(Action&& action);

    FailureRoute m_failureRoute;
    Only m_window;
    TieBreaks m_tieBreaks;
    Quiz m_quiz;
    bool m_failed = false;
    std::shared_ptr<const QuizText> m_restartText;
};

} // namespace kinsight
