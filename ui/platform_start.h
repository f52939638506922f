// Whether the program can reach a display, and what it says when it cannot:
// judged from the environment before Qt starts, and, while Qt starts its
// platform, Qt's own notes held back so that a platform that will not start
// ends the program with the program's line instead of Qt's advice.
#pragma once

#include <functional>
#include <string>

namespace kinsight {

using Environment = std::function<std::string(const char* name)>;

// Whether a windowing system can be reached, judged from the environment
// (DISPLAY, WAYLAND_DISPLAY or an explicit QT_QPA_PLATFORM).
bool displayAvailable(const Environment& environment);

// The line the program ends with when no window can be opened: what is
// missing, named from the environment, and what to do.
std::string displayFailure(const Environment& environment);

// The process's own environment.
std::string fromEnvironment(const char* name);

// Around the making of the QApplication: Qt's notes are held from the first
// call until the second. If Qt cannot start any platform meanwhile, its
// fatal message ends the process at once, from inside Qt, with the display
// failure on the error stream and kFailureExitStatus: the one way the
// program ends without returning from runProgram.
void holdPlatformNotes();
void releasePlatformNotes();

} // namespace kinsight
