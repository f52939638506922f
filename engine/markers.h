// The marker fields that give a quiz file its shape. They are compared with
// whole fields, exactly: case, blanks and punctuation included.
#pragma once

#include "quiz_tables.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kinsight {

inline constexpr std::string_view kStartMarker = "Start:";
inline constexpr std::string_view kNewQuestionMarker = "NewQuestion:";
// Stands in the field after "NewQuestion:" at the end of the questions.
inline constexpr std::string_view kEndQuestionsMarker = "ENDQUESTIONS";

// The marker of answer k at kAnswerMarkers[k]; slot 0 is empty.
inline constexpr std::array<std::string_view, kAnswerSlots> kAnswerMarkers = {
    "", "A1)", "A2)", "A3)", "A4)", "A5)", "A6)"};
static_assert(kAnswerMarkers.back() == "A6)" && kAnswerCount == 6, "one marker for each answer");

// True if the field is one of the markers.
constexpr bool isMarker(std::string_view field) {
    return field == kStartMarker || field == kNewQuestionMarker || field == kEndQuestionsMarker ||
           std::find(kAnswerMarkers.begin() + 1, kAnswerMarkers.end(), field) !=
               kAnswerMarkers.end();
}

} // namespace kinsight
