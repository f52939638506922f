// The program's start: reads the command line, checks for a display, finds
// the quiz, checks it before anything is shown, and plays it in the main
// window. Every way the program ends comes back here as an exit status.
#pragma once

#include "dry_run.h"
#include "quiz_play.h"

#include <functional>
#include <memory>
#include <string>

namespace kinsight {

inline constexpr const char* kProgramName = "Kinsight";
// Whether a windowing system can be reached, judged from the environment
// (DISPLAY, WAYLAND_DISPLAY or an explicit QT_QPA_PLATFORM).
bool displayAvailable(const std::function<std::string(const char* name)>& environment);

// The line the program ends with when no window can be opened: what is
// missing, named from the environment, and what to do.
std::string displayFailure(const std::function<std::string(const char* name)>& environment);

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
