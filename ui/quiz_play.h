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
    // What the restart button plays: the quiz file read and checked again,
    // or, for an author's live preview, the last text that passed its check
    // (the file may hold a broken save when the button is pressed).
    enum class Restart { ReadsTheFile, PlaysTheLastChecked };

    // Loads checked, the quiz's text already read and checked, at once, so
    // the quiz's title is in place before the first show; a failure then, as
    // later, goes to failed. Pictures come from quiz.pictures.
    QuizPlay(const QuizLocation& quiz, FailureRoute failed, std::shared_ptr<const QuizText> checked,
             Restart restart = Restart::ReadsTheFile);
    QuizPlay(const QuizPlay&) = delete;
    QuizPlay& operator=(const QuizPlay&) = delete;

    Only& window() { return m_window; }
    // True once a failure has been reported; the window's input is then ignored.
    bool failed() const { return m_failed; }

    // A new pass of checked, a quiz read and checked already, from its first
    // question as the restart button starts one, but with the window left
    // where it is and not activated; the last checked text from then on.
    void playInPlace(std::shared_ptr<const QuizText> checked);

private:
    // Every call into the engine goes through here, so a failure is reported
    // in one place and ends the program.
    template <typename Action> void guarded(Action&& action);
    void chosen(Control choice);
    void restart();
    // The keyboard and the score boxes' names after a new pass began.
    void passStarted();

    FailureRoute m_failureRoute;
    Only m_window;
    TieBreaks m_tieBreaks;
    Quiz m_quiz;
    bool m_failed = false;
    Restart m_restart;
    std::shared_ptr<const QuizText> m_lastChecked;
};

} // namespace kinsight
