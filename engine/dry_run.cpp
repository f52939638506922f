#include "dry_run.h"

#include "field_words.h"
#include "markers.h"
#include "quiz_grammar.h"
#include "quiz_location.h"
#include "quiz_observer.h"
#include "translation.h"

namespace kinsight {

namespace {

class SummaryCollector : public QuizObserver {
public:
    SummaryCollector(QuizSummary& summary, bool keepQuestions, QuizObserver* next)
        : m_summary(summary), m_keep(keepQuestions), m_next(next) {}

    void onField(const FieldEvent& event) override {
        switch (event.role) {
        case FieldRole::Title:
            m_summary.title = event.text;
            break;
        case FieldRole::Name:
            m_summary.names[event.slot] = event.text;
            break;
        case FieldRole::QuestionText:
            ++m_summary.questionCount;
            clear(m_current);
            m_current.line = event.line;
            m_current.text = event.text;
            break;
        case FieldRole::AnswerText:
            m_current.answers[event.answer].text = event.text;
            break;
        case FieldRole::Weight:
            m_current.answers[event.answer].weights[event.slot] = event.points;
            if (m_keep && event.answer == kAnswerCount && event.text.empty())
                m_summary.questions.push_back(std::move(m_current));
            break;
        default:
            break;
        }
        if (m_next)
            m_next->onField(event);
    }

private:
    // In place, so that the texts keep their room from one question to the next.
    static void clear(QuestionSummary& question) {
        question.text.clear();
        for (AnswerSummary& answer : question.answers) {
            answer.text.clear();
            answer.weights.fill(0);
        }
    }

    QuizSummary& m_summary;
    bool m_keep;
    QuizObserver* m_next;
    QuestionSummary m_current;
};

// What brought the end of the file about when a field was still wanted:
// the first place since the last marker found where the reading left the
// quiz's shape (a quote never closed, a marker read as something else,
// skipped, or missed by a near miss), for whatever came after follows from
// it. When nothing went astray, the file ends too soon: what is missing,
// and where it goes.
class Explainer : public QuizObserver {
public:
    void onField(const FieldEvent& e) override {
        track(e);
        if (e.role == FieldRole::Marker) {
            m_cause = {};
            return;
        }
        if (m_cause.line != 0)
            return;
        if (e.quoteUnclosed)
            m_cause = {e.line, quoteNeverClosed(e)};
        else if (std::string text = markerMisread(e); !text.empty())
            m_cause = {e.line, std::move(text)};
        else if (e.role == FieldRole::Skipped && isMarker(e.text))
            m_cause = {e.line, markerSkipped(e.text, e.marker)};
        else if (std::string with = markerWithText(e.text);
                 e.role == FieldRole::Skipped && !with.empty())
            m_cause = {e.line, std::move(with)};
        else if (e.role == FieldRole::Skipped && nearMiss(e.text, e.marker))
            m_cause = {e.line, markerMissed(e.text, e.marker)};
    }

    void explain(QuizError& error) const {
        const Cause cause = m_cause.line != 0 ? m_cause : missingAtTheEnd();
        if (cause.line != 0)
            error.explain(cause.line, cause.text);
    }

private:
    struct Cause {
        int line = 0;
        std::string text;
    };

    void track(const FieldEvent& e) {
        m_lastLine = e.line;
        m_sought = {};
        switch (e.role) {
        case FieldRole::Name:
            if (e.slot == kCharacterCount)
                m_sought = kStartMarker;
            break;
        case FieldRole::Skipped:
            m_sought = e.marker;
            break;
        case FieldRole::Marker:
            m_sought = e.text == kNewQuestionMarker ? kEndQuestionsMarker : std::string_view();
            break;
        case FieldRole::QuestionText:
            m_question = e.question;
            m_questionLine = e.line;
            break;
        case FieldRole::Weight:
            if (e.text.empty())
                m_sought =
                    e.answer < kAnswerCount ? kAnswerMarkers[e.answer + 1] : kNewQuestionMarker;
            break;
        default:
            break;
        }
    }

    static std::string markerSkipped(std::string_view skipped, std::string_view sought) {
        if (sought == kStartMarker)
            return fillIn(i18n("{1} is skipped while looking for {2}: {2} is missing; write it on "
                               "a line of its own after the fifteen names"),
                          {inQuotes(skipped), inQuotes(sought)});
        return fillIn(i18n("{1} is skipped while looking for {2}: {2} is missing before it"),
                      {inQuotes(skipped), inQuotes(sought)});
    }

    Cause missingAtTheEnd() const {
        const std::string start = inQuotes(kStartMarker);
        const std::string next = inQuotes(kNewQuestionMarker);
        const std::string end = inQuotes(kEndQuestionsMarker);
        if (m_sought == kStartMarker)
            return {m_lastLine, fillIn(i18n("no {1} follows the fifteen names: write it on a line "
                                            "of its own after the name of character 15"),
                                       {start})};
        if (m_sought == kEndQuestionsMarker)
            return {m_lastLine, fillIn(i18n("the file ends after this {1}: write {2} on the line "
                                            "after it to end the quiz"),
                                       {next, end})};
        if (m_sought == kNewQuestionMarker)
            return {m_lastLine, fillIn(i18n("the answers of question {1} end here, and no {2} "
                                            "follows: end the quiz with {2} and {3} on the two "
                                            "lines after it"),
                                       {m_question, next, end})};
        if (!m_sought.empty() && m_questionLine != 0)
            return {m_questionLine,
                    fillIn(i18n("question {1} has no {2}: a question needs its six answers, {3} "
                                "to {4}"),
                           {m_question, inQuotes(m_sought), inQuotes(kAnswerMarkers[1]),
                            inQuotes(kAnswerMarkers[kAnswerCount])})};
        return {};
    }

    Cause m_cause;
    std::string_view m_sought; // a marker, from the markers' own storage
    int m_lastLine = 0;
    int m_question = 0;
    int m_questionLine = 0;
};

void playThrough(QuizGrammar& grammar, std::shared_ptr<const QuizText> text) {
    grammar.load(std::move(text));
    while (!grammar.finished())
        grammar.readNextQuestion();
}

} // namespace

namespace {

DryRunResult readAndRun(const std::filesystem::path& quizFile, std::string name, bool keepQuestions,
                        QuizObserver* observer) {
    std::shared_ptr<const QuizText> text;
    try {
        text = readQuizText(quizFile, std::move(name));
    } catch (const QuizError& error) {
        DryRunResult result;
        result.error = error;
        return result;
    }
    return dryRun(std::move(text), keepQuestions, observer);
}

} // namespace

DryRunResult dryRun(const std::filesystem::path& quizFile, bool keepQuestions,
                    QuizObserver* observer) {
    return readAndRun(quizFile, shownPath(quizFile.filename()), keepQuestions, observer);
}

DryRunResult dryRun(const QuizLocation& quiz) {
    return readAndRun(quiz.file, quiz.name, false, nullptr);
}

DryRunResult dryRun(std::shared_ptr<const QuizText> text, bool keepQuestions,
                    QuizObserver* observer) {
    DryRunResult result;
    result.text = text;
    SummaryCollector collector(result.summary, keepQuestions, observer);
    QuizGrammar quiz(collector);
    try {
        playThrough(quiz, text);
    } catch (const QuizError& error) {
        result.error = error;
    }
    if (result.error && result.error->failure() == Failure::InputPastEndOfFile) {
        // A broken quiz is read once more to explain it, so that a sound one
        // pays nothing for the explanation.
        Explainer explainer;
        QuizGrammar again(explainer);
        try {
            playThrough(again, text);
        } catch (const QuizError&) {
            explainer.explain(*result.error);
        }
    }
    if (observer && !result.error) {
        try {
            while (quiz.readTrailingField()) {
            }
        } catch (const QuizError&) {
            // What the program never reads cannot stop it.
        }
    }
    result.windows1252 = quiz.isWindows1252();
    return result;
}

} // namespace kinsight
