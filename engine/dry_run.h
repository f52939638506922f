// Reads a whole quiz the way a full pass of the program does, with no window
// and no answers given, to find the failure a user would meet, or to list
// what the quiz holds.
#pragma once

#include "quiz_error.h"
#include "quiz_location.h"
#include "quiz_tables.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kinsight {

class QuizObserver;
struct QuizText;

struct AnswerSummary {
    std::string text;
    CharacterNumbers weights{}; // by character slot
};

struct QuestionSummary {
    int line = 0; // line of the question text
    std::string text;
    std::array<AnswerSummary, kAnswerSlots> answers{}; // 1..6
};

struct QuizSummary {
    std::string title;
    std::array<std::string, kCharacterSlots> names{}; // slots 1..15
    int questionCount = 0;
    std::vector<QuestionSummary> questions; // filled only when asked for
};

struct DryRunResult {
    std::optional<QuizError> error; // the failure that would stop the program
    QuizSummary summary;            // what was read up to the end or the failure
    bool windows1252 = false;
    std::shared_ptr<const QuizText> text; // what was checked, when it could be read
};

// With keepQuestions every question is kept in the summary; without, only
// one question's worth is in memory at any time. observer, if given, sees
// every field as well, and then those after the end of the questions, which
// the program never reads (FieldRole::Trailing).
DryRunResult dryRun(const std::filesystem::path& quizFile, bool keepQuestions = false,
                    QuizObserver* observer = nullptr);
// The same on the quiz located, its reports naming it as quiz.name does.
DryRunResult dryRun(const QuizLocation& quiz);
// The same on a quiz already read.
DryRunResult dryRun(std::shared_ptr<const QuizText> text, bool keepQuestions = false,
                    QuizObserver* observer = nullptr);

} // namespace kinsight
