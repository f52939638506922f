// What the checker's jobs share: each job is a QuizObserver of its own that
// sees every field and hands it on to the next, as the dry run's summary
// hands fields on; and the words every warning uses.
#pragma once

#include "checker.h"
#include "quiz_observer.h"

#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

// A field as the author wrote it, safe for a terminal and short enough for one line.
std::string inQuotes(std::string_view text);
// Blanks dropped and ASCII letters lowered: how a marker or a file name
// typed carelessly still looks.
std::string folded(std::string_view text);
// "Ann" (character 1)
std::string characterRef(int slot, const std::string& name);
// answer 2 of question 3
std::string answerRef(int answer, int question);
// What the field is read as: "the title", "the text of question 3", ...
std::string fieldRef(const FieldEvent& e);
// The line a field ends on: a quoted text turns each line end it holds into one newline.
int endLine(const FieldEvent& e);

class CheckStep : public QuizObserver {
public:
    CheckStep(std::vector<Diagnostic>& out, QuizObserver* next) : m_out(out), m_next(next) {}

    void onField(const FieldEvent& event) final {
        see(event);
        if (m_next)
            m_next->onField(event);
    }
    // Reading has stopped: whatever is still held back is told.
    virtual void finish() {}

protected:
    virtual void see(const FieldEvent& event) = 0;
    void warn(int line, std::string message) {
        m_out.push_back({Severity::Warning, line, std::move(message)});
    }

private:
    std::vector<Diagnostic>& m_out;
    QuizObserver* m_next;
};

} // namespace kinsight
