// What the checker's jobs share: each job is a QuizObserver of its own that
// sees every field and hands it on to the next, as the dry run's summary
// hands fields on; and the words every warning uses (field_words.h holds
// those the program's failure reports share).
#pragma once

#include "checker.h"
#include "field_words.h"
#include "quiz_observer.h"

#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

// A letter, a character number in two digits and a digit of points: a field
// that was meant to be a weight.
bool looksLikeWeight(std::string_view field);
// "Ann" (character 1)
std::string characterRef(int slot, const std::string& name);

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
