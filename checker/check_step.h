// What the checker's jobs share: each job is a QuizObserver of its own that
// sees every field and hands it on to the next, as the dry run's summary
// hands fields on; and the words every warning uses (field_words.h holds
// those the program's failure reports share).
#pragma once

#include "checker.h"
#include "field_words.h"
#include "quiz_observer.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

// A letter, a character number in two digits and a digit of points: a field
// that was meant to be a weight.
bool looksLikeWeight(std::string_view field);
// "Ann" (character 1)
std::string characterRef(int slot, const std::string& name);
// 4,199,900
std::string grouped(long long number);

// The kinds of warning, each counted on its own: past kKeptOfAKind of a
// kind, the rest are only counted.
enum class WarningKind {
    MisspeltMarker,
    MissingMarker,
    TextAfterTheEnd,
    NotTheEnd,
    MarkerReadAsText,
    MarkerFoundLate,
    SeventhAnswer,
    NeverShown,
    MarkersSkipped,
    QuoteNeverClosed,
    QuoteRunsOn,
    AnswerWithoutText,
    RestAfterQuote,
    TextCutAtComma,
    CommaShiftsLines,
    RestAfterQuoteNotRead,
    QuoteInsideText,
    RestAfterQuoteNotShown,
    QuestionTooLong,
    AnswerTooWide,
    LineAfterAnswerText,
    PointsToCharacterZero,
    PointsUnread,
    ListedTwice,
    TwoPointsOnALine,
    NoDigitForPoints,
    PointsNotAsWritten,
    NegativePoints,
    MarkerWithText,
    InvisibleInTitle,
};

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

    // Adds "and N more like it" for each kind of warning that came more
    // often than it is kept.
    void tellCounted();

    // A quiz can repeat one mistake on millions of lines: past this many of
    // a kind, the rest are counted, not kept, so memory stays near the file's.
    static constexpr int kKeptOfAKind = 100;

protected:
    virtual void see(const FieldEvent& event) = 0;
    void warn(WarningKind kind, int line, std::string message);

private:
    struct Tally {
        int count = 0;
        int firstCountedLine = 0;
    };

    std::vector<Diagnostic>& m_out;
    QuizObserver* m_next;
    std::map<WarningKind, Tally> m_tallies;
};

} // namespace kinsight
