// The checker's jobs about texts: texts cut short by a comma, a closing quote
// or a quote never closed, empty answers; and, with a TextMeasurer, texts the
// window does not show whole.
#pragma once

#include "check_step.h"

#include <optional>
#include <string>

namespace kinsight {

class CutTexts : public CheckStep {
public:
    using CheckStep::CheckStep;
    void finish() override { flushDropped(); }

protected:
    void see(const FieldEvent& e) override;

private:
    // The text field before this one, and what it lost after its closing quote.
    struct Previous {
        FieldRole role = FieldRole::Ignored;
        int endLine = 0; // where the field ends: quoted texts may run over lines
        bool quoted = false;
        std::string_view opening; // a typographic quote the field opened with
        std::string_view marker;  // the marker it is, if it is one
    };
    struct Dropped {
        std::string what; // "the text of question 2"
        std::string shown;
        std::string text;
        bool points = false; // points are not shown, only read
        int line = 0;
    };
    void cutByNextField(const FieldEvent& e, const std::string& whose, bool answer);
    void flushDropped(std::string_view alsoLost = {});
    void commaShifts(const FieldEvent& e);

    Previous m_previous;
    std::optional<Dropped> m_dropped; // told with the field after it, if on its line
    int m_commaLine = 0;              // the last line told to hold a comma
};

class TextFit : public CheckStep {
public:
    TextFit(std::vector<Diagnostic>& out, QuizObserver* next, const TextMeasurer& measurer)
        : CheckStep(out, next), m_measurer(measurer) {}

protected:
    void see(const FieldEvent& e) override;

private:
    const TextMeasurer& m_measurer;
};

} // namespace kinsight
