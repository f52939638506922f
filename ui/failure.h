// The one report of the engine's failures: a modal critical box naming the
// failure, the file and the line, and the same line on a log (the program's
// error stream). The program's start sends every failure here and then ends
// with kFailureExitStatus.
#pragma once

#include <iosfwd>
#include <string>

class QWidget;

namespace kinsight {

class QuizError;

inline constexpr int kFailureExitStatus = 1;

// Writes the line to log, then shows the box over parent if that is visible
// and returns once the box is closed.
void reportFailure(const QuizError& error, std::ostream& log, QWidget* parent = nullptr);

} // namespace kinsight
