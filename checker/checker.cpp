// The quiz authors' checker. Everything it knows about a quiz comes from the
// engine's dry run and the fields it reports, so the checker and the program
// can never disagree about what a quiz file says.
#include "checker.h"

#include "dry_run.h"
#include "marker_checks.h"
#include "markers.h"
#include "name_checks.h"
#include "quiz_error.h"
#include "quiz_location.h"
#include "text.h"
#include "text_checks.h"
#include "weight_checks.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>

namespace kinsight {

std::string inQuotes(std::string_view text) {
    constexpr std::size_t kShown = 60;
    const std::size_t count = characterCount(text);
    std::string shown = escapedControls(characters(text, 0, std::min(count, kShown)));
    if (count > kShown)
        shown += "...";
    return "\"" + shown + "\"";
}

std::string folded(std::string_view text) {
    std::string out;
    for (char ch : text)
        if (ch != ' ' && ch != '\t')
            out += asciiLower(ch);
    return out;
}

std::string characterRef(int slot, const std::string& name) {
    return inQuotes(name) + " (character " + std::to_string(slot) + ")";
}

std::string answerRef(int answer, int question) {
    return "answer " + std::to_string(answer) + " of question " + std::to_string(question);
}

std::string fieldRef(const FieldEvent& e) {
    switch (e.role) {
    case FieldRole::Title:
        return "the title";
    case FieldRole::Name:
        return "the name of character " + std::to_string(e.slot);
    case FieldRole::QuestionText:
        return "the text of question " + std::to_string(e.question);
    case FieldRole::AnswerText:
        return "the text of " + answerRef(e.answer, e.question);
    case FieldRole::Weight:
        return "points of " + answerRef(e.answer, e.question);
    case FieldRole::QuestionMark:
        return "the line after " + inQuotes(kNewQuestionMarker);
    case FieldRole::Skipped:
        return "a line skipped while looking for " + inQuotes(e.marker);
    default:
        return "a line that is not read";
    }
}

std::string grouped(long long number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > (number < 0 ? 1 : 0);
         at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

void CheckStep::warn(int line, std::string message, std::source_location kind) {
    Tally& tally = m_tallies[kind.line()];
    if (++tally.count <= kKeptOfAKind)
        m_out.push_back({Severity::Warning, line, std::move(message)});
    else if (tally.count == kKeptOfAKind + 1)
        tally.firstCountedLine = line;
}

void CheckStep::tellCounted() {
    for (const auto& [place, tally] : m_tallies)
        if (tally.count > kKeptOfAKind) {
            const int more = tally.count - kKeptOfAKind;
            m_out.push_back({Severity::Warning, tally.firstCountedLine,
                             "and " + grouped(more) + " more like it", more});
        }
}

int endLine(const FieldEvent& e) {
    return e.line + static_cast<int>(std::count(e.text.begin(), e.text.end(), '\n'));
}

namespace {

void checkScores(const ScoreReach& reach, const NameTable& table, std::vector<Diagnostic>& out) {
    const auto& names = table.names;
    const auto& lines = table.lines;
    auto ref = [&](int slot) { return characterRef(slot, names[slot]); };
    for (int c = 1; c <= kCharacterCount; ++c) {
        switch (reach.reach(c)) {
        case Reach::NoPoints:
            out.push_back({Severity::Warning, lines[c], "no answer gives points to " + ref(c)});
            continue; // it ties with nobody in particular either
        case Reach::Dominated: {
            const std::vector<int> above = reach.dominators(c);
            std::string list;
            const std::size_t shown = std::min<std::size_t>(above.size(), 4);
            for (std::size_t i = 0; i < shown; ++i)
                list += (i == 0 ? "" : i + 1 == shown ? " and " : ", ") + inQuotes(names[above[i]]);
            if (above.size() > shown)
                list += " and " + std::to_string(above.size() - shown) + " more";
            out.push_back({Severity::Warning, lines[c],
                           ref(c) + " can never be the result: every answer gives " + list +
                               " at least as many points"});
            break;
        }
        case Reach::Never:
            out.push_back({Severity::Warning, lines[c],
                           ref(c) + " can never be the result: whatever is answered, another "
                                    "character scores more, or too many share the top score"});
            break;
        case Reach::Possible:
        case Reach::Unknown:
            break;
        }
        for (int a = 1; a < c; ++a) {
            if (reach.alwaysTie(a, c)) {
                out.push_back({Severity::Warning, lines[c],
                               ref(c) + " gets the same points as " + ref(a) +
                                   " from every answer, so they always tie"});
                break;
            }
        }
    }
}

} // namespace

int CheckReport::errorCount() const {
    return static_cast<int>(std::count_if(diagnostics.begin(), diagnostics.end(),
                                          [](auto& d) { return d.severity == Severity::Error; }));
}

int CheckReport::warningCount() const {
    int count = 0;
    for (const Diagnostic& d : diagnostics)
        if (d.severity == Severity::Warning)
            count += d.count;
    return count;
}

int CheckReport::exitStatus(bool strict) const {
    if (!readable)
        return 2;
    return errorCount() > 0 || (strict && warningCount() > 0) ? 1 : 0;
}

namespace {

// The checks on the fields read(observer) shows to the chain of jobs.
CheckReport checkRead(const std::filesystem::path& quizFile,
                      const std::function<DryRunResult(QuizObserver*)>& read,
                      const TextMeasurer* measurer, const PictureProbe* pictures) {
    CheckReport report;
    std::vector<Diagnostic>& out = report.diagnostics;
    // The jobs, built from the last in the chain to the first.
    NameList names(out, nullptr);
    Weights weights(out, &names);
    std::optional<TextFit> fit;
    if (measurer)
        fit.emplace(out, &weights, *measurer);
    CutTexts texts(out, fit ? static_cast<QuizObserver*>(&*fit) : &weights);
    MergedQuestions merged(out, &texts);
    MarkerSearch search(out, &merged, merged);
    const DryRunResult run = read(&search);
    for (CheckStep* step : std::initializer_list<CheckStep*>{&search, &merged, &texts})
        step->finish();
    for (CheckStep* step : std::initializer_list<CheckStep*>{
             &search, &merged, &texts, fit ? &*fit : nullptr, &weights, &names})
        if (step)
            step->tellCounted();
    report.title = run.summary.title;
    report.nameCount = names.table().nonEmpty();
    report.questionCount = run.summary.questionCount;
    report.newQuestionMarkers = search.newQuestionMarkers();
    report.text = run.text;

    if (run.error) {
        const QuizError& error = *run.error;
        std::string message = failureName(error.failure());
        if (!error.detail().empty())
            message += " (" + error.detail() + ")";
        if (error.line() == 0) { // the file itself cannot be read
            report.readable = false;
        } else if (error.failure() == Failure::InputPastEndOfFile) {
            message += search.pendingHint();
        }
        out.push_back({Severity::Error, error.line(), std::move(message)});
    }
    if (report.readable)
        checkNames(names.table(), locateQuiz(quizFile).pictures, pictures, out);
    if (!run.error) {
        // Only a quiz read to its end tells the whole truth about its scores.
        checkScores(weights.reach(), names.table(), out);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    return report;
}

} // namespace

CheckReport checkQuiz(const std::filesystem::path& quizFile, const TextMeasurer* measurer,
                      const PictureProbe* pictures) {
    return checkRead(
        quizFile, [&](QuizObserver* observer) { return dryRun(quizFile, false, observer); },
        measurer, pictures);
}

CheckReport checkQuiz(std::shared_ptr<const QuizText> text, const std::filesystem::path& quizFile,
                      const TextMeasurer* measurer, const PictureProbe* pictures) {
    return checkRead(
        quizFile, [&](QuizObserver* observer) { return dryRun(text, false, observer); }, measurer,
        pictures);
}

std::string formatDiagnostic(std::string_view fileName, const Diagnostic& d) {
    std::string text(fileName);
    // Appended rather than added: GCC 12 warns -Wrestrict, wrongly, about
    // "literal" + std::string in optimised builds.
    if (d.line > 0)
        text.append(":").append(std::to_string(d.line));
    text += d.severity == Severity::Error ? ": error: " : ": warning: ";
    text += d.message;
    return text;
}

std::string formatSummary(std::string_view fileName, const CheckReport& report) {
    auto count = [](int n, const std::string& one, const std::string& many) {
        return grouped(n) + " " + (n == 1 ? one : many);
    };
    // A quiz read to its end has as many "NewQuestion:" markers as questions,
    // unless some of its questions are lost.
    std::string questionsPlay;
    if (report.errorCount() == 0 && report.newQuestionMarkers != report.questionCount)
        questionsPlay = std::string(report.questionCount == 1 ? " plays, " : " play, ") +
                        count(report.newQuestionMarkers, inQuotes(kNewQuestionMarker) + " marker",
                              inQuotes(kNewQuestionMarker) + " markers");
    return std::string(fileName) + ": " + inQuotes(report.title) + ", " +
           count(report.nameCount, "name", "names") + ", " +
           count(report.questionCount, "question", "questions") + questionsPlay + ", " +
           count(report.errorCount(), "error", "errors") + ", " +
           count(report.warningCount(), "warning", "warnings");
}

} // namespace kinsight
