// How a result is told to the user: the draw messages, and the order in which
// a chosen character's greeting, name and picture appear.
#pragma once

#include "quiz_window.h"
#include "tie_break_windows.h"

#include <string>
#include <vector>

namespace kinsight {

inline constexpr const char* kDrawTitle = "Draw";

// The message for characters sharing the top score, names in ascending order.
std::string drawMessage(const std::vector<std::string>& names);

enum class ResultOrder {
    PictureThenName, // the single winner and the two-way spinner
    NameThenPicture, // the three-way pendulum
};

// Shows the character's picture and name in the main window. A character
// without a name has no picture to look for.
void presentResult(QuizWindow& window, const std::string& name, ResultOrder order);

// The announcement of a tie-break's choice: the greeting while the tie-break
// window is still up, then the tie-break windows closed, then name and
// picture.
void announceChoice(QuizWindow& window, TieBreakWindows& tieBreaks, const std::string& name,
                    ResultOrder order);

} // namespace kinsight
