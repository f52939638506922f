// A window onto every field the engine reads and what it made of it. The dry
// run and the authors' checker are built on it, so they see exactly what the
// program sees.
#pragma once

#include <string_view>

namespace kinsight {

enum class FieldRole {
    Title,
    Ignored, // read and dropped
    Name,    // character name; slot = character number
    Skipped, // passed over while looking for a marker; marker = what was sought
    Marker,  // the marker that was sought
    QuestionText,
    AnswerText,   // answer = 1..6
    Weight,       // answer, slot and points; an empty field is the list's end
    QuestionMark, // the field after "NewQuestion:"; "ENDQUESTIONS" ends the quiz
    Trailing,     // after the end of the questions: the program never reads it
};

struct FieldEvent {
    FieldRole role = FieldRole::Ignored;
    std::string_view text;
    int line = 0;
    bool quoted = false;
    std::string_view afterQuote; // dropped after the closing quote (QuizFile)
    bool quoteUnclosed = false;  // the quote ran to the end of the file
    int question = 0;            // 1-based number of the question being read
    int answer = 0;
    int slot = 0;
    int points = 0;
    std::string_view marker;
};

class QuizObserver {
public:
    virtual ~QuizObserver() = default;
    virtual void onField(const FieldEvent& event) = 0;
};

} // namespace kinsight
