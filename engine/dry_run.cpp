#include "dry_run.h"

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

} // namespace

DryRunResult dryRun(const std::filesystem::path& quizFile, bool keepQuestions,
                    QuizObserver* observer) {
    std::shared_ptr<const QuizText> text;
    try {
        text = readQuizText(quizFile, shownPath(quizFile.filename()));
    } catch (const QuizError& error) {
        DryRunResult result;
        result.error = error;
        return result;
    }
    return dryRun(std::move(text), keepQuestions, observer);
}

DryRunResult dryRun(std::shared_ptr<const QuizText> text, bool keepQuestions,
                    QuizObserver* observer) {
    DryRunResult result;
    result.text = text;
    SummaryCollector collector(result.summary, keepQuestions, observer);
    QuizGrammar quiz(collector);
    try {
        quiz.load(std::move(text));
        while (!quiz.finished())
            quiz.readNextQuestion();
    } catch (const QuizError& error) {
        result.error = error;
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
