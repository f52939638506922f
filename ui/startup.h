// The program's start: reads the command line, checks for a display, finds
// the quiz, checks it before anything is shown, and plays it in the main
// window, or in an author's live preview. runProgram returns the exit status
// of every way the program ends, but one: a platform that Qt cannot start
// ends the process from inside Qt (platform_start.h).
#pragma once

#include "dry_run.h"
#include "quiz_play.h"

#include <memory>

namespace kinsight {

inline constexpr const char* kProgramName = "Kinsight";

struct OpenedQuiz {
    std::unique_ptr<QuizPlay> play;       // none when the quiz failed
    std::shared_ptr<const QuizText> text; // the text checked and played
};
// The quiz as the program opens it, its window not yet shown: the quiz checked
// by a dry run first, so a broken one is reported before the user has
// answered anything, then played from the very text checked. A failure goes
// to failed and leaves no window.
OpenedQuiz openQuiz(const QuizLocation& quiz, const FailureRoute& failed);
// The same on a quiz already checked.
OpenedQuiz openChecked(const QuizLocation& quiz, const FailureRoute& failed, DryRunResult check);

// The whole program; returns its exit status to main().
int runProgram(int argc, char** argv);

} // namespace kinsight
