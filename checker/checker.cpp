// The quiz authors' checker. Everything it knows about a quiz comes from the
// engine's dry run and the fields it reports, so the checker and the program
// can never disagree about what a quiz file says.
#include "checker.h"

#include "dry_run.h"
#include "markers.h"
#include "quiz_error.h"
#include "quiz_location.h"
#include "quiz_observer.h"
#include "quiz_tables.h"
#include "score_reach.h"
#include "text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <set>
#include <system_error>

namespace kinsight {

namespace {

// A field as the author wrote it, safe for a terminal and short enough for one line.
std::string inQuotes(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string shown;
    const std::size_t count = characterCount(text);
    const std::string_view head = characters(text, 0, std::min(count, kShown));
    for (char ch : head) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        } else {
            shown += ch;
        }
    }
    if (count > kShown)
        shown += "...";
    return "\"" + shown + "\"";
}

std::string characterRef(int slot, const std::string& name) {
    return inQuotes(name) + " (character " + std::to_string(slot) + ")";
}

std::string answerRef(int answer, int question) {
    return "answer " + std::to_string(answer) + " of question " + std::to_string(question);
}

// Blanks dropped and ASCII letters lowered: how a marker typed carelessly still looks.
std::string folded(std::string_view text) {
    std::string out;
    for (char ch : text)
        if (ch != ' ' && ch != '\t')
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// How close a field comes to a marker it is not: 0 for a difference of case or
// blanks only, else the edit distance, within one edit for the short answer
// markers and two for the others; nothing when it is not close.
std::optional<std::size_t> nearMiss(std::string_view field, std::string_view marker) {
    if (field == marker)
        return std::nullopt;
    if (folded(field) == folded(marker))
        return 0;
    const std::size_t limit = marker.size() <= 3 ? 1 : 2;
    const std::size_t gap =
        field.size() > marker.size() ? field.size() - marker.size() : marker.size() - field.size();
    if (gap > limit)
        return std::nullopt;
    const std::size_t distance = editDistance(field, marker);
    if (distance > limit)
        return std::nullopt;
    return distance;
}

// Why a name cannot name a picture file, or nothing if it can. Windows' rules,
// the strictest a quiz may meet.
std::optional<std::string> fileNameProblem(const std::string& name) {
    if (name == "." || name == "..")
        return "it is not a file name";
    for (char ch : name) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F)
            return std::string("it holds a control character");
        if (std::string_view("/\\:*?\"<>|").find(ch) != std::string_view::npos)
            return "it holds " + inQuotes(std::string(1, ch));
    }
    if (name.back() == '.')
        return "it ends in a dot";
    if (name.back() == ' ' || name.back() == '\t')
        return "it ends in a blank";
    std::string upper;
    for (char ch : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    static const std::set<std::string> devices = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    if (devices.count(upper))
        return "it is the name of a device on Windows";
    return std::nullopt;
}

// The number an author meant after the character number: the first run of
// digits from character 4 on.
std::optional<int> writtenPoints(std::string_view field) {
    const std::string_view rest = characters(field, 3, field.size());
    std::size_t i = 0;
    while (i < rest.size() && !std::isdigit(static_cast<unsigned char>(rest[i])))
        ++i;
    if (i == rest.size())
        return std::nullopt;
    int value = 0;
    for (; i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i])); ++i)
        value = std::min(value * 10 + (rest[i] - '0'), 1000000);
    return value;
}

// A letter, a character number in two digits and a digit of points: a field
// that was meant to be a weight.
bool looksLikeWeight(std::string_view field) {
    auto digit = [&](std::size_t i) {
        return i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]));
    };
    return field.size() >= 5 && std::isalpha(static_cast<unsigned char>(field[0])) &&
           (digit(1) || field[1] == ' ') && digit(2) && digit(4);
}

// The typographic quote a text opens with, if any: a word processor's
// “…”, „…“ or «…» quotes nothing for the reader.
std::string_view typographicQuote(std::string_view text) {
    static constexpr std::array<std::string_view, 11> kQuotes = {
        "\u201C", "\u201D", "\u201E", "\u201F", "\u00AB", "\u00BB",
        "\u2018", "\u2019", "\u201A", "\u2039", "\u203A"};
    for (std::string_view quote : kQuotes)
        if (text.substr(0, quote.size()) == quote)
            return quote;
    return {};
}

// The warning for a text cut at a comma, whose rest (fate: skipped or not read)
// stands on the same line.
std::string cutAtComma(const std::string& whose, std::string_view opening, std::string_view rest,
                       std::string_view fate) {
    std::string message = "the text of " + whose + " ends at a comma, and " + inQuotes(rest) +
                          " on the same line " + std::string(fate);
    if (opening.empty())
        return message + "; put the whole text in double quotes";
    return message + ": a text in typographic quotes (" + std::string(opening) +
           ") is not quoted for the reader; put the whole text in plain double quotes (\")";
}

// The last characters of what the player sees of a text.
std::string visibleEnd(std::string_view text, std::size_t shownBytes) {
    constexpr std::size_t kTail = 30;
    const std::string_view shown = text.substr(0, shownBytes);
    const std::size_t count = characterCount(shown);
    if (count == 0)
        return "nothing of it";
    if (count <= kTail)
        return "only up to " + inQuotes(shown);
    const std::string_view tail = characters(shown, count - kTail, kTail);
    return "only up to \"..." + inQuotes(tail).substr(1);
}

bool hasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
}

class CheckObserver : public QuizObserver {
public:
    CheckObserver(std::vector<Diagnostic>& out, const TextMeasurer* measurer)
        : m_out(out), m_measurer(measurer) {}

    void onField(const FieldEvent& e) override {
        const std::string text(e.text);
        if (text == kNewQuestionMarker)
            ++m_newQuestionMarkers;
        if (e.role == FieldRole::Trailing) {
            // One warning is enough for whatever follows the end.
            if (!text.empty() && m_trailingLine == 0) {
                m_trailingLine = e.line;
                warn(e.line, "text after " + inQuotes(kEndQuestionsMarker) + " is never read");
            }
            return;
        }
        if (e.role != FieldRole::Skipped && e.role != FieldRole::Marker)
            checkMarkerAsText(e, text);
        switch (e.role) {
        case FieldRole::Name:
            m_names[e.slot] = text;
            m_nameLines[e.slot] = e.line;
            ++m_nameCount;
            break;
        case FieldRole::Skipped:
            onSkipped(e, text);
            break;
        case FieldRole::Marker:
            onMarkerFound(e);
            break;
        case FieldRole::QuestionText:
            m_weights = QuestionWeights{};
            checkFit(e, text);
            break;
        case FieldRole::AnswerText:
            m_answerLines.fill(0);
            m_answerCut = false;
            if (text.empty())
                warn(e.line, answerRef(e.answer, e.question) + " has no text");
            checkFit(e, text);
            break;
        case FieldRole::Ignored:
            onIgnored(e, text);
            break;
        case FieldRole::Weight:
            onWeight(e, text);
            break;
        case FieldRole::QuestionMark:
            if (nearMiss(text, kEndQuestionsMarker))
                warn(e.line, inQuotes(text) + " after " + inQuotes(kNewQuestionMarker) +
                                 " is not " + inQuotes(kEndQuestionsMarker) +
                                 ", "
                                 "so the quiz reads on for another question");
            break;
        default:
            break;
        }
        m_previous = {e.role, e.line, e.quoted, typographicQuote(text)};
    }

    // The near miss of the marker the dry run was still looking for when it
    // stopped, as the end of an error message.
    std::string pendingHint() const {
        if (!m_best)
            return {};
        return " (did you mean " + m_best->shown + " on line " + std::to_string(m_best->line) +
               "?)";
    }

    // Reports what the search under way when reading stopped ran over.
    void finish() { flushSkippedMarkers(); }

    int nameCount() const { return m_nameCount; }
    int newQuestionMarkers() const { return m_newQuestionMarkers; }
    const std::array<std::string, kCharacterSlots>& names() const { return m_names; }
    const CharacterNumbers& nameLines() const { return m_nameLines; }
    const ScoreReach& reach() const { return m_reach; }

private:
    struct Previous {
        FieldRole role = FieldRole::Ignored;
        int line = 0;
        bool quoted = false;
        std::string_view opening; // a typographic quote the field opened with
    };
    static constexpr std::size_t kMaxMissesTold = 10;

    struct Miss {
        std::string shown; // in quotes, cut short
        int line = 0;
        std::size_t distance = 0;
    };

    // A "NewQuestion:" run over while looking for an answer marker, and the
    // question after it, which is then never shown.
    struct PassedQuestion {
        int line = 0;
        int fieldsAfter = 0;
        bool end = false; // "ENDQUESTIONS" follows: the end of the quiz is run over
        std::string text;
    };

    void warn(int line, std::string message) {
        m_out.push_back({Severity::Warning, line, std::move(message)});
    }

    void checkMarkerAsText(const FieldEvent& e, const std::string& text) {
        if (!isMarker(text) || (e.role == FieldRole::QuestionMark && text == kEndQuestionsMarker))
            return;
        std::string what;
        switch (e.role) {
        case FieldRole::Title:
            what = "the title";
            break;
        case FieldRole::Name:
            what = "the name of character " + std::to_string(e.slot);
            if (text == kStartMarker)
                what += ": fewer than fifteen names stand before " + inQuotes(kStartMarker);
            break;
        case FieldRole::QuestionText:
            what = "the text of question " + std::to_string(e.question);
            break;
        case FieldRole::AnswerText:
            what = "the text of " + answerRef(e.answer, e.question);
            break;
        case FieldRole::Weight:
            what = "points of " + answerRef(e.answer, e.question) +
                   ": the empty line that ends them is missing";
            break;
        case FieldRole::QuestionMark:
            what = "the line after " + inQuotes(kNewQuestionMarker);
            break;
        default:
            what = "a line that is not read";
            break;
        }
        warn(e.line, "the marker " + inQuotes(text) + " is read as " + what);
    }

    void onSkipped(const FieldEvent& e, const std::string& text) {
        if (m_previous.role == FieldRole::QuestionText && m_previous.line == e.line) {
            const std::string whose = "question " + std::to_string(e.question);
            if (m_previous.quoted)
                warn(e.line,
                     inQuotes(text) + " after the closing quote of " + whose + " is skipped");
            else
                warn(e.line, cutAtComma(whose, m_previous.opening, text, "is skipped"));
        }
        m_sought = std::string(e.marker);
        if (!m_passed.empty()) {
            PassedQuestion& passed = m_passed.back();
            ++passed.fieldsAfter;
            if (passed.fieldsAfter == 1 && text == kEndQuestionsMarker)
                passed.end = true;
            else if (passed.fieldsAfter == 2)
                passed.text = text;
        }
        if (text == kNewQuestionMarker)
            m_passed.push_back({e.line, 0, false, {}});
        if (isMarker(text)) {
            // One search that runs over markers usually runs over many; the first tells.
            if (m_skippedMarkers++ == 0)
                m_firstSkippedMarker = {inQuotes(text), e.line, 0};
            return;
        }
        const std::optional<std::size_t> distance = nearMiss(text, e.marker);
        if (!distance)
            return;
        const Miss miss{inQuotes(text), e.line, *distance};
        // The closest miss, the earliest of equals.
        if (!m_best || miss.distance < m_best->distance)
            m_best = miss;
        if (m_passed.empty() && !m_missBeforeNext)
            m_missBeforeNext = miss;
        // A file of nothing but near misses must not make a list as long as itself.
        if (m_misses.size() < kMaxMissesTold)
            m_misses.push_back(miss);
    }

    void onMarkerFound(const FieldEvent& e) {
        const auto answer = std::find(kAnswerMarkers.begin() + 1, kAnswerMarkers.end(), e.marker);
        const bool endPassed = std::any_of(m_passed.begin(), m_passed.end(),
                                           [](const PassedQuestion& p) { return p.end; });
        if (answer != kAnswerMarkers.end() && !m_passed.empty() && !endPassed) {
            // The markers and near misses run over are this one mistake's doing.
            warnMergedQuestion(e, static_cast<int>(answer - kAnswerMarkers.begin()));
            m_skippedMarkers = 0;
        } else {
            flushSkippedMarkers();
            for (const Miss& miss : m_misses)
                warn(miss.line, miss.shown + " is skipped while looking for " + inQuotes(e.marker) +
                                    ", which comes only on line " + std::to_string(e.line) +
                                    "; markers must match exactly, case and blanks included");
        }
        m_misses.clear();
        m_best.reset();
        m_passed.clear();
        m_missBeforeNext.reset();
    }

    // What the player sees when an answer marker is missing or misspelt: the
    // question takes the answers from the next question that has the marker,
    // and the questions between are never shown.
    void warnMergedQuestion(const FieldEvent& e, int answer) {
        const int question = e.question;
        const std::size_t passed = m_passed.size();
        std::string what = "question " + std::to_string(question) + " takes " +
                           (answer == kAnswerCount ? "answer " + std::to_string(answer)
                                                   : "answers " + std::to_string(answer) + " to " +
                                                         std::to_string(kAnswerCount)) +
                           " from " +
                           (passed == 1 ? std::string("the next question")
                                        : std::to_string(passed) + " questions further on");
        constexpr std::size_t kNamed = 3;
        std::string lost = passed == 1 ? "question " : "questions ";
        for (std::size_t i = 0; i < std::min(passed, kNamed); ++i) {
            if (i > 0)
                lost += i + 1 == std::min(passed, kNamed) && passed <= kNamed ? " and " : ", ";
            lost += std::to_string(question + static_cast<int>(i) + 1) + " (" +
                    inQuotes(m_passed[i].text) + ")";
        }
        if (passed > kNamed)
            lost += " and " + std::to_string(passed - kNamed) + " more";
        lost += passed == 1 ? " is never shown" : " are never shown";

        if (m_missBeforeNext)
            warn(m_missBeforeNext->line,
                 m_missBeforeNext->shown + " is not " + inQuotes(e.marker) + ", so " + what +
                     ", and " + lost + "; markers must match exactly, case and blanks included");
        else
            warn(m_passed.front().line, what + ": " + inQuotes(e.marker) +
                                            " is missing before this " +
                                            inQuotes(kNewQuestionMarker) + ", and " + lost);
    }

    // Whether the window shows the whole of a question or answer text.
    void checkFit(const FieldEvent& e, const std::string& text) {
        if (!m_measurer || text.empty())
            return;
        if (e.role == FieldRole::QuestionText) {
            if (const auto shown = m_measurer->questionShown(text))
                warn(e.line, "question " + std::to_string(e.question) +
                                 " needs more than the two lines its box shows; the player "
                                 "sees " +
                                 visibleEnd(text, *shown));
        } else if (const auto shown = m_measurer->answerShown(text)) {
            warn(e.line, answerRef(e.answer, e.question) +
                             " is wider than its button; the player sees " +
                             visibleEnd(text, *shown));
        }
    }

    void flushSkippedMarkers() {
        if (m_skippedMarkers == 0)
            return;
        std::string message = "the marker " + m_firstSkippedMarker.shown +
                              " is skipped while looking for " + inQuotes(m_sought);
        if (m_skippedMarkers == 2)
            message += ", and so is 1 more marker after it";
        else if (m_skippedMarkers > 2)
            message +=
                ", and so are " + std::to_string(m_skippedMarkers - 1) + " more markers after it";
        warn(m_firstSkippedMarker.line, std::move(message));
        m_skippedMarkers = 0;
    }

    void onIgnored(const FieldEvent& e, const std::string& text) {
        if (e.answer == 0)
            return;
        if (m_previous.role == FieldRole::AnswerText && m_previous.line == e.line) {
            m_answerCut = true;
            if (m_previous.quoted)
                warn(e.line, inQuotes(text) + " after the closing quote of " +
                                 answerRef(e.answer, e.question) + " is not read");
            else
                warn(e.line, cutAtComma(answerRef(e.answer, e.question), m_previous.opening, text,
                                        "is not read"));
        } else if (looksLikeWeight(text)) {
            warn(e.line, inQuotes(text) + " after the text of " + answerRef(e.answer, e.question) +
                             " is not read: the line after an answer's text is skipped");
        }
    }

    void onWeight(const FieldEvent& e, const std::string& text) {
        m_weights[e.answer][e.slot] = e.points;
        if (text.empty()) {
            if (e.answer == kAnswerCount)
                m_reach.addQuestion(m_weights);
            return;
        }
        if (isMarker(text))
            return; // already told
        if (e.slot == 0) {
            if (hasDigit(characters(text, 1, 2)))
                warn(e.line, inQuotes(text) + " under " + answerRef(e.answer, e.question) +
                                 " gives its points to character 0, which is never scored");
            else if (!m_answerCut)
                warn(e.line, inQuotes(text) + " is read as points of " +
                                 answerRef(e.answer, e.question) + " and gives none");
            return;
        }
        if (m_answerLines[e.slot] != 0)
            warn(e.line, "character " + std::to_string(e.slot) + " is listed twice under " +
                             answerRef(e.answer, e.question) + " (first on line " +
                             std::to_string(m_answerLines[e.slot]) +
                             "); only the last points count");
        m_answerLines[e.slot] = e.line;
        const std::optional<int> written = writtenPoints(text);
        if (written && *written != e.points)
            warn(e.line, inQuotes(text) + " gives character " + std::to_string(e.slot) + " " +
                             std::to_string(e.points) + (e.points == 1 ? " point" : " points") +
                             ", not " + std::to_string(*written) +
                             ": the points are the one digit in character 5, as in C07=3");
    }

    std::vector<Diagnostic>& m_out;
    const TextMeasurer* m_measurer;
    int m_trailingLine = 0; // of the first text after the end
    int m_newQuestionMarkers = 0;
    int m_nameCount = 0;
    std::array<std::string, kCharacterSlots> m_names{};
    CharacterNumbers m_nameLines{};
    Previous m_previous;
    std::vector<Miss> m_misses; // near misses of the marker being looked for
    std::optional<Miss> m_best;
    Miss m_firstSkippedMarker; // other markers run over while looking for m_sought
    int m_skippedMarkers = 0;
    std::string m_sought;
    std::vector<PassedQuestion> m_passed; // while looking for an answer marker
    std::optional<Miss> m_missBeforeNext; // the first near miss before m_passed
    CharacterNumbers m_answerLines{};     // where each character is listed in this answer
    bool m_answerCut = false;
    QuestionWeights m_weights{};
    ScoreReach m_reach;
};

void checkNames(const CheckObserver& seen, const std::filesystem::path& quizFile,
                std::vector<Diagnostic>& out) {
    const auto& names = seen.names();
    const auto& lines = seen.nameLines();
    std::vector<int> pictured; // slots whose picture is worth looking for
    for (int slot = 1; slot <= seen.nameCount(); ++slot) {
        const std::string& name = names[slot];
        if (isMarker(name))
            continue; // already told
        if (name.empty()) {
            out.push_back({Severity::Warning, lines[slot],
                           "the name of character " + std::to_string(slot) +
                               " is empty, so it has no picture"});
            continue;
        }
        if (auto problem = fileNameProblem(name)) {
            out.push_back(
                {Severity::Warning, lines[slot],
                 "the name " + characterRef(slot, name) + " cannot be a file name: " + *problem});
            continue;
        }
        const auto same = std::find(names.begin() + 1, names.begin() + slot, name);
        if (same != names.begin() + slot) {
            out.push_back({Severity::Warning, lines[slot],
                           "the name " + characterRef(slot, name) +
                               " is also the name of character " +
                               std::to_string(same - names.begin())});
            continue;
        }
        pictured.push_back(slot);
    }
    if (pictured.empty())
        return;

    const std::filesystem::path folder = locateQuiz(quizFile).pictures;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        out.push_back({Severity::Warning, 0,
                       "there is no folder \"Pictures\" beside the quiz, so no character has a "
                       "picture"});
        return;
    }
    // Listed rather than probed, so the match is exact even where file names ignore case.
    std::set<std::string> files;
    std::set<std::string> lowered;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string file = it->path().filename().string();
        files.insert(file);
        lowered.insert(folded(file));
    }
    for (int slot : pictured) {
        const std::string file = names[slot] + ".jpg";
        if (files.count(file))
            continue;
        std::string message =
            "no picture \"Pictures/" + file + "\" for " + characterRef(slot, names[slot]);
        if (lowered.count(folded(file)))
            message += "; a file differs only in case or blanks";
        out.push_back({Severity::Warning, lines[slot], std::move(message)});
    }
}

void checkScores(const CheckObserver& seen, std::vector<Diagnostic>& out) {
    const ScoreReach& reach = seen.reach();
    const auto& names = seen.names();
    const auto& lines = seen.nameLines();
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
    return static_cast<int>(diagnostics.size()) - errorCount();
}

int CheckReport::exitStatus(bool strict) const {
    if (!readable)
        return 2;
    return errorCount() > 0 || (strict && warningCount() > 0) ? 1 : 0;
}

CheckReport checkQuiz(const std::filesystem::path& quizFile, const TextMeasurer* measurer) {
    CheckReport report;
    CheckObserver seen(report.diagnostics, measurer);
    const DryRunResult run = dryRun(quizFile, false, &seen);
    seen.finish();
    report.title = run.summary.title;
    report.nameCount = seen.nameCount();
    report.questionCount = run.summary.questionCount;
    report.newQuestionMarkers = seen.newQuestionMarkers();

    if (run.error) {
        const QuizError& error = *run.error;
        std::string message = failureName(error.failure());
        if (!error.detail().empty())
            message += " (" + error.detail() + ")";
        if (error.line() == 0) { // the file itself cannot be read
            report.readable = false;
        } else if (error.failure() == Failure::InputPastEndOfFile) {
            message += seen.pendingHint();
        }
        report.diagnostics.push_back({Severity::Error, error.line(), std::move(message)});
    }
    if (report.readable)
        checkNames(seen, quizFile, report.diagnostics);
    if (!run.error) {
        // Only a quiz read to its end tells the whole truth about its scores.
        checkScores(seen, report.diagnostics);
    }
    std::stable_sort(report.diagnostics.begin(), report.diagnostics.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    return report;
}

std::string formatDiagnostic(std::string_view fileName, const Diagnostic& d) {
    std::string text(fileName);
    if (d.line > 0)
        text += ":" + std::to_string(d.line);
    text += d.severity == Severity::Error ? ": error: " : ": warning: ";
    text += d.message;
    return text;
}

std::string formatSummary(std::string_view fileName, const CheckReport& report) {
    auto count = [](int n, const std::string& one, const std::string& many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
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
