// The quiz authors' checker. Everything it knows about a quiz comes from the
// engine's dry run and the fields it reports, so the checker and the program
// can never disagree about what a quiz file says.
#include "checker.h"

#include "dry_run.h"
#include "marker_checks.h"
#include "markers.h"
#include "name_checks.h"
#include "quiz_error.h"
#include "quiz_file.h"
#include "quiz_location.h"
#include "text.h"
#include "text_checks.h"
#include "translation.h"
#include "weight_checks.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>

namespace kinsight {

std::string characterRef(int slot, const std::string& name) {
    return fillIn(i18n("{1} (character {2})"), {inQuotes(name), slot});
}

std::string grouped(long long number) {
    std::string digits = std::to_string(number);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > (number < 0 ? 1 : 0);
         at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

void CheckStep::warn(WarningKind kind, int line, std::string message) {
    Tally& tally = m_tallies[kind];
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
                             fillIn(i18np("and {1} more like it", "and {1} more like it",
                                          static_cast<unsigned long>(more)),
                                    {grouped(more)}),
                             more});
        }
}

namespace {

void checkScores(const ScoreReach& reach, const NameTable& table, std::vector<Diagnostic>& out) {
    const auto& names = table.names;
    const auto& lines = table.lines;
    auto ref = [&](int slot) { return characterRef(slot, names[slot]); };
    for (int c = 1; c <= kCharacterCount; ++c) {
        switch (reach.reach(c)) {
        case Reach::NoPoints:
            out.push_back({Severity::Warning, lines[c],
                           fillIn(i18n("no answer gives points to {1}"), {ref(c)})});
            continue; // it ties with nobody in particular either
        case Reach::Dominated: {
            const std::vector<int> above = reach.dominators(c);
            std::string list;
            const std::size_t shown = std::min<std::size_t>(above.size(), 4);
            for (std::size_t i = 0; i < shown; ++i)
                list += (i == 0           ? ""
                         : i + 1 == shown ? i18n(" and ")
                                          : ", ") +
                        inQuotes(names[above[i]]);
            if (above.size() > shown)
                list += fillIn(i18n(" and {1} more"), {above.size() - shown});
            out.push_back({Severity::Warning, lines[c],
                           fillIn(i18n("{1} can never be the result: every answer gives {2} at "
                                       "least as many points"),
                                  {ref(c), list})});
            break;
        }
        case Reach::Never:
            out.push_back({Severity::Warning, lines[c],
                           fillIn(i18n("{1} can never be the result: whatever is answered, "
                                       "another character scores more, or too many share the top "
                                       "score"),
                                  {ref(c)})});
            break;
        case Reach::Possible:
            if (names[c].empty())
                out.push_back({Severity::Warning, lines[c],
                               fillIn(i18n("character {1} has no name but can be the result: "
                                           "the player then sees no name and no picture"),
                                      {c})});
            break;
        case Reach::Unknown:
            break;
        }
        for (int a = 1; a < c; ++a) {
            if (reach.alwaysTie(a, c)) {
                out.push_back({Severity::Warning, lines[c],
                               fillIn(i18n("{1} gets the same points as {2} from every answer, "
                                           "so they always tie"),
                                      {ref(c), ref(a)})});
                break;
            }
        }
    }
}

// What the file's bytes do that no field shows.
void checkText(const QuizText& text, std::vector<Diagnostic>& out) {
    // A byte-order mark is the first thing of a file; inside one, where two
    // files were joined, it is an invisible letter that spoils its field.
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    const std::string_view all = text.text;
    int line = 1;
    std::size_t counted = 0;
    for (std::size_t at = all.find(kMark); at != std::string_view::npos;
         at = all.find(kMark, at + kMark.size())) {
        for (; counted < at; ++counted)
            if (all[counted] == '\r' ||
                (all[counted] == '\n' && (counted == 0 || all[counted - 1] != '\r')))
                ++line;
        out.push_back({Severity::Warning, line,
                       i18n("this line holds an invisible byte-order mark (U+FEFF), as where two "
                            "files were joined, so its field is not what it looks like; delete "
                            "the mark, or retype the line's start")});
    }
    if (const auto& stray = text.strayByte) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string garbled;
        for (char ch : stray->letter) {
            char bytes[4];
            garbled.append(bytes,
                           putUtf8(windows1252CodePoint(static_cast<unsigned char>(ch)), bytes));
        }
        const char hex[] = {kHex[stray->byte >> 4], kHex[stray->byte & 0xF], '\0'};
        out.push_back({Severity::Warning, stray->line,
                       fillIn(i18n("this line holds the byte 0x{1}, which is not UTF-8, so the "
                                   "whole file is read as Windows-1252 and its other letters show "
                                   "wrongly ({2} as {3}); save the quiz as UTF-8"),
                              {hex, inQuotes(stray->letter), inQuotes(garbled)})});
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

    std::optional<Diagnostic> note;
    if (run.error) {
        const QuizError& error = *run.error;
        std::string message = failureMessage(error.failure(), error.detail());
        if (error.line() == 0) // the file itself cannot be read
            report.readable = false;
        out.push_back({Severity::Error, error.line(), std::move(message)});
        if (!error.explanation().empty()) {
            note = Diagnostic{Severity::Note, error.explanationLine(), error.explanation()};
            // A warning in the same words would only repeat it.
            std::erase(out, Diagnostic{Severity::Warning, note->line, note->message});
        }
    }
    if (run.text)
        checkText(*run.text, out);
    if (report.readable)
        checkNames(names.table(), locateQuiz(quizFile).pictures, pictures, measurer, out);
    if (!run.error) {
        // Only a quiz read to its end tells the whole truth about its scores.
        checkScores(weights.reach(), names.table(), out);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    if (note) {
        const auto error = std::find_if(out.begin(), out.end(),
                                        [](auto& d) { return d.severity == Severity::Error; });
        out.insert(error + 1, *note);
    }
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
    // The words after FILE:LINE: are the user's language; editors find the
    // line by what comes before them.
    text += d.severity == Severity::Error     ? i18n(": error: ")
            : d.severity == Severity::Warning ? i18n(": warning: ")
                                              : i18n(": note: ");
    text += d.message;
    return text;
}

std::string formatSummary(std::string_view fileName, const CheckReport& report) {
    auto count = [](int n, const char* one, const char* many) {
        return fillIn(i18np(one, many, static_cast<unsigned long>(n)),
                      {grouped(n), inQuotes(kNewQuestionMarker)});
    };
    std::string questions =
        count(report.questionCount, I18NP_NOOP("{1} question", "{1} questions"));
    // A quiz read to its end has as many "NewQuestion:" markers as questions,
    // unless some of its questions are lost.
    if (report.errorCount() == 0 && report.newQuestionMarkers != report.questionCount)
        questions =
            count(report.questionCount, I18NP_NOOP("{1} question plays", "{1} questions play")) +
            ", " +
            count(report.newQuestionMarkers, I18NP_NOOP("{1} {2} marker", "{1} {2} markers"));
    return std::string(fileName) + ": " + inQuotes(report.title) + ", " +
           count(report.nameCount, I18NP_NOOP("{1} name", "{1} names")) + ", " + questions + ", " +
           count(report.errorCount(), I18NP_NOOP("{1} error", "{1} errors")) + ", " +
           count(report.warningCount(), I18NP_NOOP("{1} warning", "{1} warnings"));
}

} // namespace kinsight
