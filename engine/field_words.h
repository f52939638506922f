// The words for fields and what became of them, shared by the authors'
// checker and the program's failure reports, so that both tell an author the
// same thing in the same words.
#pragma once

#include "quiz_observer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kinsight {

// A field as the author wrote it, safe for a terminal and short enough for one line.
std::string inQuotes(std::string_view text);
// Blanks dropped and ASCII letters lowered: how a marker or a file name
// typed carelessly still looks.
std::string folded(std::string_view text);
// answer 2 of question 3
std::string answerRef(int answer, int question);
// What the field is read as: "the title", "the text of question 3", ...
std::string fieldRef(const FieldEvent& e);
// The line a field ends on: a quoted text turns each line end it holds into one newline.
int endLine(const FieldEvent& e);

// How close a field comes to a marker it is not: 0 for a difference of case or
// blanks only, else the edit distance, within one edit for the short answer
// markers and two for the others; nothing when it is not close.
std::optional<std::size_t> nearMiss(std::string_view field, std::string_view marker);

// For a marker read as something else (a name, points, a text), what that
// does; empty for any other field.
std::string markerMisread(const FieldEvent& e);
// For a field that begins with a marker and goes on with text on its line,
// as in "A1) Yes": the marker is seen only alone. Empty for any other field.
std::string markerWithText(std::string_view field);
// For a near miss of the marker sought, at its line.
std::string markerMissed(std::string_view field, std::string_view marker);
// For a quote never closed, at the line it opens.
std::string quoteNeverClosed(const FieldEvent& e);

} // namespace kinsight
