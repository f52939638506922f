#include "dry_run.h"

#include "field_words.h"
#include "markers.h"
#include "quiz_grammar.h"
#include "quiz_location.h"
#include "quiz_observer.h"

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

// What brought the end of the file about when a field was still wanted, if
// the fields read show it: a quote never closed, else a marker read as
// something else, else the closest near miss of the marker sought. A marker
// found puts the reading back on track, so what came before it is forgotten.
class Explainer : public QuizObserver {
public:
    void onField(const FieldEvent& e) override {
        if (e.role == FieldRole::Marker) {
            m_misread = {};
            m_miss = {};
            return;
        }
        if (e.quoteUnclosed)
            m_quote = {e.line, quoteNeverClosed(e)};
        if (m_misread.text.empty())
            if (std::string text = markerMisread(e); !text.empty())
                m_misread = {e.line, std::move(text)};
        if (e.role != FieldRole::Skipped || isMarker(e.text))
            return;
        const std::optional<std::size_t> distance = nearMiss(e.text, e.marker);
        if (distance && (m_miss.text.empty() || *distance < m_miss.distance))
            m_miss = {e.line, markerMissed(e.text, e.marker), *distance};
    }

    void explain(QuizError& error) const {
        for (const Cause* cause : {&m_quote, &m_misread, &m_miss})
            if (!cause->text.empty())
                return error.explain(cause->line, cause->text);
    }

private:
    struct Cause {
        int line = 0;
        std::string text;
        std::size_t distance = 0;
    };

    Cause m_quote, m_misread, m_miss;
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
