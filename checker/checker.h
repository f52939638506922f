// The quiz authors' checker: reads a quiz exactly as the program does (the
// engine's dry run) and lists what would stop the program and what plays but
// is probably a mistake, each with the line it is on.
//
// The error is the failure the dry run meets, followed by the dry run's note
// on what brought it about, the very words the program's failure report
// shows: a marker read as something else, or, when a marker never comes, the
// closest field skipped while looking for it (same but for case or blanks, or
// within one edit of an answer marker, two of a longer one).
// Each kind of warning is one job, a QuizObserver chained after the next
// (check_step.h):
// - markers (marker_checks.h): a marker read as anything but a marker ("Start:"
//   read as a name is how fewer than fifteen names show); other markers run
//   over, or near misses of the marker sought, while looking for a marker that
//   does come later; a question that takes answers from the next one, because
//   an answer marker is missing or misspelt, so that questions are never shown;
//   text after "ENDQUESTIONS";
// - texts (text_checks.h): an empty answer; a question or answer text cut at a
//   comma (typographic quotes do not quote); a comma in any other line whose
//   every field counts, which moves the fields after it; text after a closing
//   quote, which is dropped, doubled quotes included; a quote never closed, or
//   left open until a later one closes it; with a TextMeasurer, a question or
//   answer text that does not fit the window;
// - points (weight_checks.h): a character twice under one answer, points for
//   character 0, a field whose written number is not what character 5 gives
//   or with no digit there, a second point on a line, a points line right
//   after an answer's text; text skipped after an answer's points is told by
//   the marker search;
// - names (name_checks.h): duplicate, empty, holding a path separator, too
//   long for a file name, with a TextMeasurer wider than the result box, and
//   with a PictureProbe a picture the program would not show (without one,
//   only a missing picture);
// - the file's bytes: a byte that is not UTF-8 in a UTF-8 file, which makes
//   the whole file read as Windows-1252; a byte-order mark inside the file;
// - for a quiz read to its end: a character no answer scores, one that can
//   never be the result (score_reach.h), an empty name that can, two that
//   always tie.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

struct QuizText;

// A note follows the error it explains, with a line of its own.
enum class Severity { Error, Warning, Note };

struct Diagnostic {
    Severity severity = Severity::Warning;
    int line = 0; // 0: about the file as a whole
    std::string message;
    int count = 1; // the warnings it stands for: more for "and N more like it"

    bool operator==(const Diagnostic&) const = default;
};

struct CheckReport {
    bool readable = true; // false: the file is missing or cannot be opened
    std::string title;
    int nameCount = 0;                   // names that are not empty
    int questionCount = 0;               // questions that play
    int newQuestionMarkers = 0;          // "NewQuestion:" fields read, after the end too
    std::vector<Diagnostic> diagnostics; // by line; the stopping error is the only error
    // The text checked, so that a second look (--stats) sees the same quiz
    // even if the file is saved meanwhile; empty when it could not be read.
    std::shared_ptr<const QuizText> text;

    int errorCount() const;
    int warningCount() const;
    // 0 without errors, 1 with errors (or, if strict, warnings), 2 when the
    // file cannot be read.
    int exitStatus(bool strict = false) const;
};

// How much of a text the main window shows, measured by whoever knows its
// widgets; the checker itself knows none.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The number of bytes of a question text that show in full, or nothing
    // if the whole text shows.
    virtual std::optional<std::size_t> questionShown(std::string_view text) const = 0;
    // The same for an answer's text beside its option button.
    virtual std::optional<std::size_t> answerShown(std::string_view text) const = 0;
    // The byte at which the part of a result name that shows begins, or
    // nothing if the whole name shows: the result box shows a long name's end.
    virtual std::optional<std::size_t> nameShownFrom(std::string_view name) const = 0;
};

// What the program makes of a character's picture, told by whoever knows the
// program's picture loader; the checker itself knows none.
struct PictureFinding {
    enum Kind { Shown, Missing, NotShown };
    Kind kind = Shown;
    // For NotShown, why, completing "Pictures/<file> ...": "is not a picture".
    std::string problem;
    // For NotShown, the file's name in the folder, which may differ from the
    // name's own in case or normal form.
    std::string file;
};

class PictureProbe {
public:
    virtual ~PictureProbe() = default;
    // The picture of the character named name, a name that can name a file.
    virtual PictureFinding probe(const std::filesystem::path& picturesDir,
                                 const std::string& name) const = 0;
};

// Checks the quiz at quizFile; pictures are looked for in "Pictures" beside
// it. With a measurer, texts that do not fit the window are warned about too;
// with a probe, pictures the program cannot show, not only missing ones.
CheckReport checkQuiz(const std::filesystem::path& quizFile, const TextMeasurer* measurer = nullptr,
                      const PictureProbe* pictures = nullptr);
// The same on the text of quizFile, already read.
CheckReport checkQuiz(std::shared_ptr<const QuizText> text, const std::filesystem::path& quizFile,
                      const TextMeasurer* measurer = nullptr,
                      const PictureProbe* pictures = nullptr);

// "way.txt:41: warning: ..." with fileName as the author named the file.
std::string formatDiagnostic(std::string_view fileName, const Diagnostic& diagnostic);
// way.txt: "Title", 15 names, 12 questions, 0 errors, 2 warnings
std::string formatSummary(std::string_view fileName, const CheckReport& report);

} // namespace kinsight
