// The authors' checker on small quizzes: each mistake bent into an otherwise
// clean quiz must come out as exactly the diagnostics listed, on the lines
// marked in the quiz text, and nothing else.
#include "checker.h"
#include "checker_quiz.h"
#include "dry_run.h"
#ifdef KINSIGHT_PICTURE_PROBE
#include "picture_probe.h"
#endif
#include "reference_reader.h"
#include "row_name.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <functional>

using namespace kinsight;
using namespace kinsight::test;

namespace {

struct Expect {
    Severity severity;
    int mark;            // index into the marked lines; -1: about the whole file
    std::string message; // "{n}" stands for the n-th marked line
};

// A window that shows 40 bytes of a question, 14 of an answer and the last
// 12 of a name.
class FixedMeasurer : public TextMeasurer {
public:
    std::optional<std::size_t> questionShown(std::string_view text) const override {
        return shown(text, 40);
    }
    std::optional<std::size_t> answerShown(std::string_view text) const override {
        return shown(text, 14);
    }
    std::optional<std::size_t> nameShownFrom(std::string_view name) const override {
        return name.size() > 12 ? std::optional(name.size() - 12) : std::nullopt;
    }

private:
    static std::optional<std::size_t> shown(std::string_view text, std::size_t room) {
        return text.size() > room ? std::optional(room) : std::nullopt;
    }
};
const FixedMeasurer kFixedMeasurer;

struct Case {
    std::string name;
    std::function<void(QuizParts&)> edit;
    std::vector<Expect> expect;
    // Names without a picture file; nullopt: no Pictures folder at all.
    std::optional<std::vector<std::string>> pictures = kNames;
    const TextMeasurer* measurer = nullptr;
    // Files written over the pictures; the program's picture loader must judge them.
    std::vector<std::pair<std::string, std::string>> files = {};
    int names = 15; // the summary's count
    // Given: the permissions of Pictures.
    std::filesystem::perms picturesMode = std::filesystem::perms::unknown;
    const char* locale = nullptr; // the C library's, as Qt sets it from the user's
};

using std::filesystem::perms;

// The pictures, with the one of character 3 named otherwise, and one more.
std::vector<std::string> picturesWith(const std::string& third, const std::string& more = {}) {
    std::vector<std::string> names = kNames;
    names[2] = third;
    if (!more.empty())
        names.push_back(more);
    return names;
}

std::string fillLines(std::string text, const std::vector<int>& marked) {
    for (std::size_t n = 0; n < marked.size(); ++n) {
        // Appended rather than added: GCC 12 warns -Wrestrict, wrongly, about
        // "literal" + std::string in optimised builds.
        std::string key = "{";
        key += std::to_string(n);
        key += '}';
        for (std::size_t at; (at = text.find(key)) != std::string::npos;)
            text.replace(at, key.size(), std::to_string(marked[n]));
    }
    return text;
}

const Severity E = Severity::Error;
const Severity W = Severity::Warning;
const Severity N = Severity::Note;

std::string& q(QuizParts& p, int n) {
    return p.questions[static_cast<std::size_t>(n - 1)];
}

// Question 1 played without its answers (from the second on, or all):
// Bob's only point then comes with three for Ann, and Dee, Eve and Fay get
// none. The four names are the first marked lines.
void markFirstAnswersLost(QuizParts& p) {
    for (int n : {1, 3, 4, 5})
        p.names[static_cast<std::size_t>(n)] += " <--";
}
std::vector<Expect> firstAnswersLost(std::vector<Expect> more) {
    std::vector<Expect> all = {
        {W, 0,
         "\"Bob\" (character 2) can never be the result: whatever is answered, another character "
         "scores more, or too many share the top score"},
        {W, 1, "no answer gives points to \"Dee\" (character 4)"},
        {W, 2, "no answer gives points to \"Eve\" (character 5)"},
        {W, 3, "no answer gives points to \"Fay\" (character 6)"}};
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

const std::vector<Case> kCases = {
    {"CleanQuiz", [](QuizParts&) {}, {}},
    {"BlankLinesAfterTheEndAreNotText",
     [](QuizParts& p) { p.end = "NewQuestion:\nENDQUESTIONS\n\n\n"; },
     {}},
    {"ThreeDominatingAnEarlierCharacterLeaveItTheFourWayDraw",
     [](QuizParts& p) {
         replaceOnce(q(p, 1), "C01=5\n", "C01=5\nC02=5\nC03=5\nC04=5\n");
         replaceOnce(q(p, 3), "C01=3\nC02=1\n", "C01=3\nC02=3\nC03=3\nC04=3\n");
     },
     {}},

    // What stops the program.
    {"EmptyFile",
     [](QuizParts& p) {
         p = QuizParts{};
         p.head = " <--";
         p.names.clear();
         p.afterNames.clear();
         p.questions.clear();
         p.end.clear();
     },
     {{E, 0, "Input past end of file (reading the title)"}},
     kNames, nullptr, {}, 0},
    {"AnswerMarkerThatNeverComes",
     [](QuizParts& p) {
         replaceOnce(q(p, 3), "A6)\n", "a6) <--\n");
         p.end = "NewQuestion: <--\nENDQUESTIONS <--\n";
     },
     {{W, 1,
       "the marker \"NewQuestion:\" is skipped while looking for \"A6)\", and so is 1 more "
       "marker after it"},
      {E, 2, "Input past end of file (looking for \"A6)\")"},
      {N, 0, "\"a6)\" is not \"A6)\": markers must match exactly, case and blanks included"}}},
    {"AnswerMarkerWithoutItsParenthesis",
     [](QuizParts& p) {
         replaceOnce(q(p, 3), "A6)\n", "A6 <--\n");
         p.end = "NewQuestion: <--\nENDQUESTIONS <--\n";
     },
     {{W, 1,
       "the marker \"NewQuestion:\" is skipped while looking for \"A6)\", and so is 1 more "
       "marker after it"},
      {E, 2, "Input past end of file (looking for \"A6)\")"},
      {N, 0, "\"A6\" is not \"A6)\": markers must match exactly, case and blanks included"}}},
    {"NewQuestionMarkerWithoutItsColon",
     [](QuizParts& p) { p.end = "NewQuestion <--\nENDQUESTIONS <--\n"; },
     {{W, 1, "the marker \"ENDQUESTIONS\" is skipped while looking for \"NewQuestion:\""},
      {E, 1, "Input past end of file (looking for \"NewQuestion:\")"},
      {N, 0, "\"NewQuestion\" is not \"NewQuestion:\": markers must match exactly, case and blanks included"}}},
    {"NewQuestionMarkerInCapitalsUnderATurkishLocale",
     [](QuizParts& p) { p.end = "NEWQUESTION: <--\nENDQUESTIONS <--\n"; },
     {{W, 1, "the marker \"ENDQUESTIONS\" is skipped while looking for \"NewQuestion:\""},
      {E, 1, "Input past end of file (looking for \"NewQuestion:\")"},
      {N, 0, "\"NEWQUESTION:\" is not \"NewQuestion:\": markers must match exactly, case and blanks included"}},
     kNames, nullptr, {}, 15, perms::unknown, "tr_TR.UTF-8"},
    {"NewQuestionMarkerMisspelt",
     [](QuizParts& p) { p.end = "Newquestion: <--\nENDQUESTIONS <--\n"; },
     {{W, 1, "the marker \"ENDQUESTIONS\" is skipped while looking for \"NewQuestion:\""},
      {E, 1, "Input past end of file (looking for \"NewQuestion:\")"},
      {N, 0, "\"Newquestion:\" is not \"NewQuestion:\": markers must match exactly, case and blanks included"}}},
    {"StartMarkerMisspelt",
     [](QuizParts& p) {
         p.afterNames = "\nstart: <--\nQuestion 1\n";
         replaceOnce(q(p, 1), "A1)\n", "A1) <--\n");
         p.end = "NewQuestion:\nENDQUESTIONS <--\n";
     },
     {{W, 1,
       "the marker \"A1)\" is skipped while looking for \"Start:\", and so are 21 more markers "
       "after it"},
      {E, 2, "Input past end of file (looking for \"Start:\")"},
      {N, 0, "\"start:\" is not \"Start:\": markers must match exactly, case and blanks included"}}},
    {"FileEndsInsideThePoints",
     [](QuizParts& p) {
         replaceOnce(q(p, 3), "C07=3\n\n", "C07=3 <--\n");
         p.end.clear();
     },
     {{E, 0, "Input past end of file (reading the points of answer 6, which end at an empty line)"}}},
    {"CharacterNumberTooLarge",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C09=5\n", "C99=5 <--\n"); },
     {{E, 0,
       "points for character 99 in \"C99=5\": characters are numbered 1 to 15 (Subscript out of "
       "range)"}}},
    {"CharacterNumberNegative",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C09=5\n", "C-1=5 <--\n"); },
     {{E, 0,
       "points for character -1 in \"C-1=5\": characters are numbered 1 to 15 (Subscript out of "
       "range)"}}},

    // Names.
    {"FewerThanFifteenNamesBeforeStart",
     [](QuizParts& p) {
         p.names.pop_back();
         p.afterNames = "Start: <--\nQuestion 1\n";
         replaceOnce(q(p, 1), "A1)\n", "A1) <--\n");
         p.end = "NewQuestion:\nENDQUESTIONS <--\n";
     },
     {{W, 1,
       "the marker \"A1)\" is skipped while looking for \"Start:\", and so are 21 more markers "
       "after it"},
      {E, 2, "Input past end of file (looking for \"Start:\")"},
      {N, 0,
       "the marker \"Start:\" is read as the name of character 15: fewer than fifteen names "
       "stand before \"Start:\""}}},
    {"FewerThanFifteenNamesBeforeABlankLine",
     [](QuizParts& p) {
         p.names.pop_back();
         p.afterNames = " <--\nStart:\nQuestion 1\n";
     },
     {{W, 0, "the name of character 15 is empty, so it has no picture"},
      {W, 0, "character 15 has no name but can be the result: the player then sees no name and no picture"}},
     kNames, nullptr, {}, 14},
    {"EmptyName", [](QuizParts& p) { p.names[4] = " <--"; },
     {{W, 0, "the name of character 5 is empty, so it has no picture"},
      {W, 0, "character 5 has no name but can be the result: the player then sees no name and no picture"}},
     kNames, nullptr, {}, 14},
    {"DuplicateName", [](QuizParts& p) { p.names[4] = "Ann <--"; },
     {{W, 0, "the name \"Ann\" (character 5) is also the name of character 1"}}},
    {"NameWithSlash", [](QuizParts& p) { p.names[2] = "A/B <--"; },
     {{W, 0, "the name \"A/B\" (character 3) cannot be a file name: it holds \"/\""}}},
    {"NameWithBackslash", [](QuizParts& p) { p.names[2] = "A\\B <--"; },
     {{W, 0, "the name \"A\\B\" (character 3) cannot be a file name: it holds \"\\\""}}},
    // Only a separator leaves the folder: ".jpg" follows every name.
    {"NamesWithDotsBlanksAndSymbolsGetTheirPictures",
     [](QuizParts& p) {
         const std::vector<std::string> odd = {"Dr..Who", "Wait...what", "Who?", "Mr.", "..",
                                               "Con",     "\"Oda \"",    "Tab\x01Tab"};
         for (std::size_t i = 0; i < odd.size(); ++i)
             p.names[i + 2] = odd[i];
     },
     {},
     std::vector<std::string>{"Ann", "Bob", "Dr..Who", "Wait...what", "Who?", "Mr.", "..", "Con",
                              "Oda ", "Tab\x01Tab", "Kim", "Lou", "Max", "Ned", "Oda"}},

    // Pictures.
    {"MissingPicture",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, 0, "no picture \"Pictures/Cid.jpg\" for \"Cid\" (character 3)"}},
     std::vector<std::string>{"Ann", "Bob", "Dee", "Eve", "Fay", "Gus", "Hal", "Ivy", "Jon",
                              "Kim", "Lou", "Max", "Ned", "Oda"}},
    {"PictureNamedInAnotherCaseIsShown", [](QuizParts& p) { p.names[2] = "\u00C9lise"; }, {},
     picturesWith("\u00E9LISE")},
    {"PictureNamedInAnotherNormalFormIsShown", [](QuizParts& p) { p.names[2] = "Zo\u00EB"; }, {},
     picturesWith("Zoe\u0308")},
    {"PictureNamedWithOtherBlanks",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, 0,
       "no picture \"Pictures/Cid.jpg\" for \"Cid\" (character 3); a file differs only in "
       "blanks"}},
     picturesWith("C id")},
    {"PictureThatIsAText",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, 0,
       "\"Pictures/Cid.jpg\" is not a picture, so the program shows no picture for \"Cid\" "
       "(character 3)"}},
     kNames, nullptr, {{"Pictures/Cid.jpg", "Cid's picture comes later\n"}}},
    // Of two files that differ in case, the one that is a picture is shown;
    // with neither, the message names a file that is there.
    {"BrokenAndGoodPicturesDifferingInCase", [](QuizParts& p) { p.names[2] = "CiD"; }, {},
     picturesWith("Zed"), nullptr,
     {{"Pictures/Cid.jpg", "Cid's picture comes later\n"}, {"Pictures/cid.jpg", jpeg()}}},
    {"TwoBrokenPicturesDifferingInCase",
     [](QuizParts& p) { p.names[2] = "CiD <--"; },
     {{W, 0,
       "\"Pictures/Cid.jpg\" is not a picture, so the program shows no picture for \"CiD\" "
       "(character 3)"}},
     picturesWith("Zed"), nullptr,
     {{"Pictures/cid.jpg", "later\n"}, {"Pictures/Cid.jpg", "later too\n"}}},
    // A file name from a Windows-1252 system reads as its letters.
    {"PictureNamedInWindows1252", [](QuizParts& p) { p.names[2] = "Zo\u00EB"; }, {},
     picturesWith("Zed"), nullptr, {{"Pictures/Zo\xEB.jpg", jpeg()}}},
    // Near misses are named with the fix; only the name plus .jpg is loaded.
    {"PictureWithAnotherExtension",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, 0,
       "no picture \"Pictures/Cid.jpg\" for \"Cid\" (character 3); there is \"Cid.jpeg\": name "
       "it \"Cid.jpg\""}},
     picturesWith("Zed"), nullptr, {{"Pictures/Cid.jpeg", jpeg(4, 4)}}},
    {"PictureWithADoubledExtension",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, 0,
       "no picture \"Pictures/Cid.jpg\" for \"Cid\" (character 3); there is \"Cid.jpg.jpg\": "
       "name it \"Cid.jpg\""}},
     picturesWith("Zed"), nullptr, {{"Pictures/Cid.jpg.jpg", jpeg(4, 4)}}},
#ifdef KINSIGHT_PICTURE_PROBE
    {"PictureInAFormatNotShown",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, 0,
       "\"Pictures/Cid.jpg\" is a WebP picture, a format the program cannot show (save it as "
       "JPEG or PNG), so the program shows no picture for \"Cid\" (character 3)"}},
     kNames, nullptr, {{"Pictures/Cid.jpg", std::string("RIFF\x10\0\0\0WEBPVP8 \0\0\0\0", 20)}}},
#endif
    {"PictureBomb",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, 0,
       "\"Pictures/Cid.jpg\" is a picture of 60000 \u00D7 60000 pixels, more than the program "
       "shows, so the program shows no picture for \"Cid\" (character 3)"}},
     kNames, nullptr, {{"Pictures/Cid.jpg", jpeg(60000, 60000)}}},
    {"PicturesFolderThatCannotBeSearched",
     [](QuizParts&) {},
     {{W, -1,
       "the folder \"Pictures\" beside the quiz cannot be read (Permission denied), so no "
       "character has a picture"}},
     kNames, nullptr, {}, 15, perms::owner_all},
    {"PicturesFolderThatCannotBeListed",
     [](QuizParts& p) { p.names[2] = "Cid <--"; },
     {{W, -1,
       "the folder \"Pictures\" beside the quiz cannot be read (Permission denied), so only "
       "pictures named exactly like their character are found"},
#ifdef KINSIGHT_PICTURE_PROBE
      {W, 0,
       "\"Pictures/Cid.jpg\" cannot be read (Permission denied), so the program shows no "
       "picture for \"Cid\" (character 3)"}},
#else
      {W, 0, "no picture \"Pictures/Cid.jpg\" for \"Cid\" (character 3)"}},
#endif
     picturesWith("cID"), nullptr, {}, 15,
     perms::owner_all | perms::group_exec | perms::others_exec},
    {"ControlBytesInANameAndItsPicture",
     [](QuizParts& p) { p.names[2] = "Cid\x1b[2J\x7f\xc2\x9b\xe2\x80\xae\xe2\x80\x8b <--"; },
     {{W, 0,
       "the name \"Cid\\x1B[2J\\x7F\\u{9B}\\u{202E}\\u{200B}\" (character 3) holds characters "
       "the player does not see (shown here as \\u{...}); its picture must be named with them, so "
       "delete them"},
      {W, 0,
       "no picture \"Pictures/Cid\\x1B[2J\\x7F\\u{9B}\\u{202E}\\u{200B}.jpg\" for "
       "\"Cid\\x1B[2J\\x7F\\u{9B}\\u{202E}\\u{200B}\" (character 3)"}}},
    // A name and a title that look right but are not what they look like.
    {"InvisibleCharactersInANameAndTheTitle",
     [](QuizParts& p) {
         p.head = "Test \xe2\x80\xaequiz <--\nMade for the checker's tests\n";
         p.names[2] = "Ca\xe2\x80\x8bt <--";
         p.names[3] = "C\xc2\x81" "at <--";
         p.names[1] = "Cat";
     },
     {{W, 0,
       "the title \"Test \\u{202E}quiz\" holds characters the player does not see (shown here "
       "as \\u{...}); delete them"},
      {W, 1,
       "the name \"Ca\\u{200B}t\" (character 3) differs from the name of character 2 only by "
       "characters the player does not see (shown here as \\u{...})"},
      {W, 1, "no picture \"Pictures/Ca\\u{200B}t.jpg\" for \"Ca\\u{200B}t\" (character 3)"},
      {W, 2,
       "the name \"C\\u{81}at\" (character 4) differs from the name of character 2 only by "
       "characters the player does not see (shown here as \\u{...})"},
      {W, 2, "no picture \"Pictures/C\\u{81}at.jpg\" for \"C\\u{81}at\" (character 4)"}},
     picturesWith("Cid", "Cat")},
    {"NoPicturesFolder",
     [](QuizParts&) {},
     {{W, -1, "there is no folder \"Pictures\" beside the quiz, so no character has a picture"}},
     std::nullopt},

    {"InvisibleCauses",
     [](QuizParts& p) {
         p.names[2] = "Cidonia the Far-Seeing <--";
         p.names[4] = std::string(252, 'x') + " <--";
         p.names[5] = " <--";
         replaceOnce(q(p, 2), "C07=5\n", "\xEF\xBB\xBF" "C07=5 <--\n");
     },
     {{W, 0,
       "the name \"Cidonia the Far-Seeing\" (character 3) is wider than the result box; the "
       "player sees only its end, \"...e Far-Seeing\""},
      {W, 1,
       "the name \"" + std::string(60, 'x') + "...\" (character 5) is wider than the result "
       "box; the player sees only its end, \"...xxxxxxxxxxxx\""},
      {W, 1,
       "the name \"" + std::string(60, 'x') + "...\" (character 5) is 252 bytes long, too long "
       "for a file name with \".jpg\", so it can have no picture; a name may have up to 251 "
       "bytes"},
      {W, 2, "the name of character 6 is empty, so it has no picture"},
      {W, 2, "character 6 has no name but can be the result: the player then sees no name and no picture"},
      {W, 3,
       "\"\\u{FEFF}C07=5\" under answer 1 of question 2 gives its points to character 0, "
       "which is never scored"},
      {W, 3,
       "this line holds an invisible byte-order mark (U+FEFF), as where two files were joined, "
       "so its field is not what it looks like; delete the mark, or retype the line's start"}},
     picturesWith("cidonia the far-seeing"), &kFixedMeasurer, {}, 14},

    // Texts.
    {"EmptyAnswerText", [](QuizParts& p) { replaceOnce(q(p, 2), "\nSummer\n", "\n <--\n"); },
     {{W, 0, "answer 2 of question 2 has no text"}}},
    {"QuestionTextCutAtAComma",
     [](QuizParts& p) { replaceOnce(q(p, 2), "Which season?\n", "Which season, then? <--\n"); },
     {{W, 0,
       "the text of question 2 ends at a comma, and \"then?\" on the same line is skipped; put "
       "the whole text in double quotes"}}},
    {"FieldAfterAQuotedQuestion",
     [](QuizParts& p) {
         replaceOnce(q(p, 1), "coffee?\"\n", "coffee?\", she asked <--\n");
     },
     {{W, 0, "\"she asked\" after the closing quote of question 1 is skipped"}}},
    {"TextAfterTheClosingQuoteAndAComma",
     [](QuizParts& p) {
         replaceOnce(q(p, 2), "Which season?\n", "\"Which season?\" he asked, and waited <--\n");
     },
     {{W, 0,
       "\" he asked, and waited\" after the closing quote of the text of question 2 is not "
       "shown; the player sees only \"Which season?\""}}},
    {"TextAfterTheClosingQuoteOfAQuoteOverLines",
     [](QuizParts& p) {
         replaceOnce(q(p, 2), "Which season?\n", "\"Which\nseason?\" he asked <--\n");
     },
     {{W, 0,
       "\" he asked\" after the closing quote of the text of question 2 is not shown; the "
       "player sees only \"Which\\x0Aseason?\""}}},
    {"DoubledQuotesInAQuotedText",
     [](QuizParts& p) {
         replaceOnce(q(p, 2), "Which season?\n", "\"She said \"\"hello\"\" and left\" <--\n");
     },
     {{W, 0,
       "a double quote inside the text of question 2 ends it: the player sees only \"She said "
       "\", and \"\"hello\"\" and left\"\" is not shown; a quoted text cannot hold a double "
       "quote, so write the inner quotes as \u201C \u201D or ' '"}}},
    {"TextAfterAClosingQuoteAnywhere",
     [](QuizParts& p) {
         p.head = "\"Test\" quiz <--\nMade for the checker's tests\n";
         p.names[2] = "\"Cid\" the Kid <--";
         replaceOnce(q(p, 3), "\nGreen\n", "\n\"Green\"ish <--\n");
         replaceOnce(q(p, 3), "C14=5\n", "\"C14=5\" or 4 <--\n");
     },
     {{W, 0, "\" quiz\" after the closing quote of the title is not shown; the player sees only "
             "\"Test\""},
      {W, 1, "\" the Kid\" after the closing quote of the name of character 3 is not shown; the "
             "player sees only \"Cid\""},
      {W, 2, "\"ish\" after the closing quote of the text of answer 2 of question 3 is not "
             "shown; the player sees only \"Green\""},
      {W, 3, "\" or 4\" after the closing quote of points of answer 2 of question 3 is not read"}}},
    // The cause is the first place the reading went astray, not a later one.
    {"MisspeltAnswerMarkerBeforeAQuoteLeftOpen",
     [](QuizParts& p) {
         replaceOnce(q(p, 2), "A3)\n", "a3) <--\n");
         replaceOnce(q(p, 2), "A4)\n", "A4) <--\n");
         replaceOnce(q(p, 3), "\nGreen\n", "\n\"Green <--\n");
         p.end = "NewQuestion:\nENDQUESTIONS <--\n";
     },
     {{W, 1, "the marker \"A4)\" is skipped while looking for \"A3)\", and so are 5 more markers "
             "after it"},
      {W, 2,
       "the quote opened here is never closed, so all that follows it to the end of the file "
       "(lines {2} to {3}) is read as one text, a line skipped while looking for \"A3)\""},
      {E, 3, "Input past end of file (looking for \"A3)\")"},
      {N, 0, "\"a3)\" is not \"A3)\": markers must match exactly, case and blanks included"}}},
    {"StartDeleted",
     [](QuizParts& p) {
         p.afterNames = "\nQuestion 1\n";
         replaceOnce(q(p, 1), "A1)\n", "A1) <--\n");
         p.end = "NewQuestion:\nENDQUESTIONS <--\n";
     },
     {{W, 0,
       "the marker \"A1)\" is skipped while looking for \"Start:\", and so are 21 more markers "
       "after it"},
      {E, 1, "Input past end of file (looking for \"Start:\")"},
      {N, 0,
       "\"A1)\" is skipped while looking for \"Start:\": \"Start:\" is missing; write it on a "
       "line of its own after the fifteen names"}}},
    {"EndQuestionsForgotten",
     [](QuizParts& p) { p.end = "NewQuestion: <--\n"; },
     {{E, 0, "Input past end of file (reading the line after \"NewQuestion:\")"},
      {N, 0,
       "the file ends after this \"NewQuestion:\": write \"ENDQUESTIONS\" on the line after it "
       "to end the quiz"}}},
    {"QuoteNeverClosed",
     [](QuizParts& p) {
         replaceOnce(q(p, 3), "\nGreen\n", "\n\"Green <--\n");
         p.end = "NewQuestion:\nENDQUESTIONS <--\n";
     },
     {{E, 1, "Input past end of file (reading the line after answer 2)"},
      {N, 0,
       "the quote opened here is never closed, so all that follows it to the end of the file "
       "(lines {0} to {1}) is read as one text, the text of answer 2 of question 3"}}},
    {"QuoteLeftOpenUntilALaterOne",
     [](QuizParts& p) {
         markFirstAnswersLost(p);
         replaceOnce(q(p, 1), "\"Coffee, black\"\n", "\"Coffee, black <--\n");
         replaceOnce(q(p, 2), "\nSummer\n", "\n\"Summer\" <--\n");
     },
     firstAnswersLost({{W, 4,
                        "the quote opened here runs to line {5}, so lines {4}\u2013{5} are one "
                        "text: a closing quote is probably missing"}})},
    {"QuestionInCurlyQuotesCutAtAComma",
     [](QuizParts& p) {
         replaceOnce(q(p, 1), "\"Tea, or coffee?\"\n",
                     "\u201CTea, or coffee?\u201D <--\n");
     },
     {{W, 0,
       "the text of question 1 ends at a comma, and \"or coffee?\u201D\" on the same line is "
       "skipped: a text in typographic quotes (\u201C) is not quoted for the reader; put the "
       "whole text in plain double quotes (\")"}}},
    {"AnswerInAngleQuotesCutAtAComma",
     [](QuizParts& p) {
         replaceOnce(q(p, 1), "\"Coffee, black\"\n", "\u00ABCoffee, black\u00BB <--\n");
     },
     {{W, 0,
       "the text of answer 2 of question 1 ends at a comma, and \"black\u00BB\" on the same "
       "line is not read: a text in typographic quotes (\u00AB) is not quoted for the reader; "
       "put the whole text in plain double quotes (\")"}}},
    {"CommaInALineWhoseEveryFieldCounts",
     [](QuizParts& p) {
         p.head = "Test quiz\nMade by Ms Hale, class 6B <--\n";
         p.names.back() += " <--"; // pushed past the fifteenth name
         p.afterNames = "\nStart:\nQuestion 1, warm-up <--\n";
         p.newQuestion = "NewQuestion:\nNext, please <--";
         replaceOnce(q(p, 3), "Green\nPoints:\n", "Green\nPoints: for, Green <--\n");
     },
     {{W, 0,
       "line {0} holds a comma, so \"class 6B\" became the name of character 1: remove the "
       "comma or quote the line"},
      {W, 0, "no picture \"Pictures/class 6B.jpg\" for \"class 6B\" (character 1)"},
      {W, 1,
       "only fifteen names are read: \"Oda\" is never a character, though it has a picture; if "
       "it is one, remove a name"},
      {W, 2,
       "line {2} holds a comma, so \"warm-up\" became the text of question 1: remove the comma "
       "or quote the line"},
      {W, 3,
       "line {3} holds a comma, so \"please\" became the text of question 2: remove the comma "
       "or quote the line"},
      {W, 4,
       "line {4} holds a comma, so \"please\" became the text of question 3: remove the comma "
       "or quote the line"},
      {W, 5,
       "line {5} holds a comma, so \"Green\" became points of answer 2 of question 3: remove "
       "the comma or quote the line"}}},
    {"StrayByteInAUtf8Quiz",
     [](QuizParts& p) {
         p.names[2] = "Ren\xC3\xA9";
         p.end = "NewQuestion:\nENDQUESTIONS\n\nCaf\xE9 <--\n";
     },
     {{W, 0, "text after \"ENDQUESTIONS\" is never read"},
      {W, 0,
       "this line holds the byte 0xE9, which is not UTF-8, so the whole file is read as "
       "Windows-1252 and its other letters show wrongly (\"\u00E9\" as \"\u00C3\u00A9\"); save "
       "the quiz as UTF-8"}},
     picturesWith("Ren\xC3\x83\xC2\xA9")},
    {"QuestionTooLongForItsBox",
     [](QuizParts& p) {
         replaceOnce(q(p, 2), "Which season?\n",
                     "Which season of the year do you like best? <--\n");
     },
     {{W, 0,
       "question 2 needs more than the two lines its box shows; the player sees only up to "
       "\"...on of the year do you like bes\""}},
     kNames,
     &kFixedMeasurer},
    {"AnswerTooWideForItsButton",
     [](QuizParts& p) { replaceOnce(q(p, 2), "\nAll of them\n", "\nAll four of them, always <--\n"); },
     // Cut at the comma first, and what is left is still too wide.
     {{W, 0, "answer 5 of question 2 is wider than its button; the player sees only up to \"All four of th\""},
      {W, 0,
       "the text of answer 5 of question 2 ends at a comma, and \"always\" on the same line is "
       "not read; put the whole text in double quotes"}},
     kNames,
     &kFixedMeasurer},
    {"AnswerTextCutAtAComma",
     [](QuizParts& p) { replaceOnce(q(p, 3), "\nGreen\n", "\nGreen, or teal <--\n"); },
     {{W, 0,
       "the text of answer 2 of question 3 ends at a comma, and \"or teal\" on the same line is "
       "not read; put the whole text in double quotes"}}},
    {"QuestionMarkerMissingSoAMarkerIsTheText",
     [](QuizParts& p) {
         markFirstAnswersLost(p);
         p.afterNames = "\nStart:\n";
         replaceOnce(q(p, 1), "A1)\n", "A1) <--\n");
         p.newQuestion = "NewQuestion: <--";
     },
     firstAnswersLost(
         {{W, 4, "the marker \"A1)\" is read as the text of question 1"},
          {W, 5,
           "question 1 takes answers 1 to 6 from the next question: \"A1)\" is missing before "
           "this \"NewQuestion:\", and question 2 (\"Which season?\") is never shown"}})},

    // Markers.
    {"AnswerMarkerMisspeltButFoundLater",
     [](QuizParts& p) {
         for (int n = 8; n <= 13; ++n)
             p.names[static_cast<std::size_t>(n)] += " <--";
         replaceOnce(q(p, 2), "A3)\n", "A3 ) <--\n");
     },
     {{W, 0, "no answer gives points to \"Ivy\" (character 9)"},
      {W, 1, "no answer gives points to \"Jon\" (character 10)"},
      {W, 2, "no answer gives points to \"Kim\" (character 11)"},
      {W, 3, "no answer gives points to \"Lou\" (character 12)"},
      {W, 4, "no answer gives points to \"Max\" (character 13)"},
      {W, 5, "no answer gives points to \"Ned\" (character 14)"},
      {W, 6,
       "\"A3 )\" is not \"A3)\", so question 2 takes answers 3 to 6 from the next question, and "
       "question 3 (\"Which colour?\") is never shown; markers must match exactly, case and "
       "blanks included"}}},
    {"AnswerMarkerMissingMergesTwoQuestions",
     [](QuizParts& p) {
         for (int n = 11; n <= 14; ++n)
             p.names[static_cast<std::size_t>(n)] += " <--";
         replaceOnce(q(p, 2), "A6)\n", "");
         p.newQuestion = "NewQuestion: <--";
     },
     {{W, 0, "no answer gives points to \"Lou\" (character 12)"},
      {W, 1, "no answer gives points to \"Max\" (character 13)"},
      {W, 2, "no answer gives points to \"Ned\" (character 14)"},
      {W, 3, "no answer gives points to \"Oda\" (character 15)"},
      {W, 5,
       "question 2 takes answer 6 from the next question: \"A6)\" is missing before this "
       "\"NewQuestion:\", and question 3 (\"Which colour?\") is never shown"}}},
    {"AnswerMarkersMissingInTwoQuestionsLoseBoth",
     [](QuizParts& p) {
         replaceOnce(q(p, 1), "A6)\n", "");
         replaceOnce(q(p, 2), "A6)\n", "");
         p.newQuestion = "NewQuestion: <--";
         for (int n : {5, 7, 8, 9, 10, 11, 12, 13, 14})
             p.names[static_cast<std::size_t>(n)] += " <--";
     },
     // Question 1 keeps its first five answers and takes question 3's sixth, for Gus.
     {{W, 0, "no answer gives points to \"Fay\" (character 6)"},
      {W, 1, "no answer gives points to \"Hal\" (character 8)"},
      {W, 2, "no answer gives points to \"Ivy\" (character 9)"},
      {W, 3, "no answer gives points to \"Jon\" (character 10)"},
      {W, 4, "no answer gives points to \"Kim\" (character 11)"},
      {W, 5, "no answer gives points to \"Lou\" (character 12)"},
      {W, 6, "no answer gives points to \"Max\" (character 13)"},
      {W, 7, "no answer gives points to \"Ned\" (character 14)"},
      {W, 8, "no answer gives points to \"Oda\" (character 15)"},
      {W, 9,
       "question 1 takes answer 6 from 2 questions further on: \"A6)\" is missing before this "
       "\"NewQuestion:\", and questions 2 (\"Which season?\") and 3 (\"Which colour?\") are "
       "never shown"}}},
    {"LinesAfterAnAnswersPointsAreNeverShown",
     [](QuizParts& p) {
         replaceOnce(q(p, 1), "C01=5\n\n", "C01=5\n\nTea is best hot <--\nor iced\n\n");
         replaceOnce(q(p, 2), "C12=5\n\n",
                     "C12=5\n\n\nA7) <--\nNever\nPoints:\nC01=9\n\nNotes:\n");
     },
     {{W, 0,
       "\"Tea is best hot\" after the points of answer 1 of question 1 is skipped while looking "
       "for \"A2)\", so the player never sees it"},
      {W, 1,
       "\"A7)\" is skipped while looking for \"NewQuestion:\": a question has six answers, so "
       "the player never sees this one"}}},
    {"EndMarkerMisspelt",
     [](QuizParts& p) { p.end = "NewQuestion:\nEndQuestions <--\n"; },
     {{W, 0,
       "\"EndQuestions\" after \"NewQuestion:\" is not \"ENDQUESTIONS\", so the quiz reads on for "
       "another question"},
      {E, 0, "Input past end of file (reading the text of question 4)"}}},
    {"TextAfterTheEnd",
     [](QuizParts& p) { p.end = "NewQuestion:\nENDQUESTIONS\n\nThanks for playing <--\n"; },
     {{W, 0, "text after \"ENDQUESTIONS\" is never read"}}},

    // Points.
    {"PointsWithoutTheirEmptyLine",
     [](QuizParts& p) {
         replaceOnce(q(p, 3), "C07=3\n\n", "C07=3\n");
         p.end = "NewQuestion: <--\nENDQUESTIONS <--\n";
     },
     {{W, 1,
       "the marker \"ENDQUESTIONS\" is read as points of answer 6 of question 3: the empty line "
       "that ends them is missing"},
      {E, 1, "Input past end of file (reading the points of answer 6, which end at an empty line)"},
      {N, 0,
       "the marker \"NewQuestion:\" is read as points of answer 6 of question 3: the empty line "
       "that ends them is missing"}}},
    {"PointsRightAfterTheAnswerText",
     [](QuizParts& p) { replaceOnce(q(p, 1), "Tea\nPoints:\nC01=5\n", "Tea\nC01=5 <--\n"); },
     {{W, 0,
       "\"C01=5\" after the text of answer 1 of question 1 is not read: the line after an "
       "answer's text is skipped"}}},
    {"CharacterListedTwice",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C10=5\n", "C10=5 <--\nC10=4 <--\n"); },
     {{W, 1,
       "character 10 is listed twice under answer 4 of question 2 (first on line {0}); only the "
       "last points count"}}},
    {"PointsForCharacterZero",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C07=5\n", "C07=5\nC00=4 <--\n"); },
     {{W, 0,
       "\"C00=4\" under answer 1 of question 2 gives its points to character 0, which is never "
       "scored"}}},
    {"TextReadAsPoints",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C07=5\n", "Points: <--\nC07=5\n"); },
     {{W, 0, "\"Points:\" is read as points of answer 1 of question 2 and gives none"}}},
    {"OneDigitCharacterNumber",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C07=5\n", "C7=5 <--\n"); },
     {{W, 0,
       "\"C7=5\" gives character 7 0 points, not 5: the points are the one digit at position 5 "
       "of the line, as in C07=3"}}},
    {"PointsWithoutADigitInCharacterFive",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C07=5\n", "C07=5\nC08= <--\nC09=nine <--\nC10=3 strong\n"); },
     {{W, 0,
       "\"C08=\" gives character 8 0 points: position 5 of the line holds no digit; the points "
       "are the one digit at position 5, as in C07=3"},
      {W, 1,
       "\"C09=nine\" gives character 9 0 points: position 5 of the line holds no digit; the "
       "points are the one digit at position 5, as in C07=3"}}},
    {"TwoPointsOnOneLine",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C07=5\n", "C07=5 C12=2 <--\n"); },
     {{W, 0,
       "\"C07=5 C12=2\" gives points to character 7 alone: only the first point of a line "
       "counts: write one a line"}}},
    {"TwoDigitPoints",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C08=5\n", "C08=12 <--\n"); },
     {{W, 0,
       "\"C08=12\" gives character 8 1 point, not 12: the points are the one digit at position 5 "
       "of the line, as in C07=3"}}},

    {"NegativePoints",
     [](QuizParts& p) { replaceOnce(q(p, 2), "C07=5\n", "C07=5\nC08=-2 <--\n"); },
     {{W, 0,
       "\"C08=-2\" gives character 8 0 points: points cannot be negative; they are the one digit "
       "0 to 9 at position 5 of the line, as in C07=3"}}},
    {"AnswerOnItsMarkersLine",
     [](QuizParts& p) {
         replaceOnce(q(p, 3), "A6)\n", "A6) Black, always <--\n");
         p.end = "NewQuestion: <--\nENDQUESTIONS <--\n";
     },
     {{W, 1,
       "the marker \"NewQuestion:\" is skipped while looking for \"A6)\", and so is 1 more "
       "marker after it"},
      {E, 2, "Input past end of file (looking for \"A6)\")"},
      {N, 0,
       "\"A6) Black\" begins with the marker \"A6)\", which is seen only on a line of its own: "
       "write the answer's text on the next line"}}},
    {"SixteenthNameIsNoCharacter",
     [](QuizParts& p) { p.afterNames = "Titan <--\nA description\n" + p.afterNames; },
     {{W, 0,
       "only fifteen names are read: \"Titan\" is never a character, though it has a picture; "
       "if it is one, remove a name"}},
     picturesWith("Cid", "Titan")},

    // Scores.
    {"CharacterWithoutPoints",
     [](QuizParts& p) {
         p.names[14] = "Oda <--";
         replaceOnce(q(p, 3), "C15=5\n", "C15=0\n");
     },
     {{W, 0, "no answer gives points to \"Oda\" (character 15)"}}},
    {"CharacterDominatedByFour",
     [](QuizParts& p) {
         p.names[14] = "Oda <--";
         replaceOnce(q(p, 3), "C15=5\n", "C15=5\nC01=5\nC02=5\nC03=5\nC04=5\n");
     },
     {{W, 0,
       "\"Oda\" (character 15) can never be the result: every answer gives \"Ann\", \"Bob\", "
       "\"Cid\" and \"Dee\" at least as many points"}}},
    {"CharacterLastOfAFourWayDraw",
     [](QuizParts& p) {
         p.names[14] = "Oda <--";
         replaceOnce(q(p, 3), "C15=5\n", "C15=5\nC01=5\nC02=5\nC03=5\n");
     },
     {{W, 0,
       "\"Oda\" (character 15) can never be the result: every answer gives \"Ann\", \"Bob\" and "
       "\"Cid\" at least as many points"}}},
    {"CharacterAlwaysOutscoredBySomebody",
     [](QuizParts& p) {
         p.names[14] = "Oda <--";
         replaceOnce(q(p, 3), "C15=5\n", "C15=5\nC01=6\n");
         replaceOnce(q(p, 3), "C01=3\nC02=1\n", "C15=5\nC02=6\n");
     },
     {{W, 0,
       "\"Oda\" (character 15) can never be the result: whatever is answered, another character "
       "scores more, or too many share the top score"}}},
    {"TwoCharactersAlwaysTie",
     [](QuizParts& p) {
         p.names[13] = "Ned <--";
         replaceOnce(q(p, 3), "Red\nPoints:\nC13=5\n", "Red\nPoints:\nC13=5\nC14=5\n");
         replaceOnce(q(p, 3), "Green\nPoints:\nC14=5\n", "Green\nPoints:\nC14=5\nC13=5\n");
     },
     {{W, 0,
       "\"Ned\" (character 14) gets the same points as \"Max\" (character 13) from every "
       "answer, so they always tie"}}},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class CheckerCase : public testing::TestWithParam<Case> {};

TEST_P(CheckerCase, ReportsExactlyTheListedDiagnostics) {
    const Case& c = GetParam();
    QuizParts parts;
    c.edit(parts);
    const MarkedText quiz = withCrLf(parts.text());
    TempDir dir;
    const auto file = dir.write("way.txt", quiz.bytes);
    if (c.pictures)
        dir.pictures(*c.pictures);
    for (const auto& [name, bytes] : c.files)
        dir.write(name, bytes);
    // The programs' agreement test plays the same quizzes (agreement_test.sh).
    if (const char* out = std::getenv("KINSIGHT_WRITE_CASES"))
        std::filesystem::copy(dir.path(), std::filesystem::path(out) / c.name,
                              std::filesystem::copy_options::recursive);
#ifdef KINSIGHT_PICTURE_PROBE
    const ProgramPictureProbe probe;
    const PictureProbe* pictures = &probe;
#else
    const PictureProbe* pictures = nullptr;
    if (!c.files.empty())
        GTEST_SKIP() << "only the program's picture loader judges pictures";
#endif

    if (c.locale) {
#ifdef KINSIGHT_LOCPATH
        setenv("LOCPATH", KINSIGHT_LOCPATH, 1);
#endif
        if (!std::setlocale(LC_ALL, c.locale))
            GTEST_SKIP() << "no locale " << c.locale;
    }
    // Root reads past any permission, so the quiz is read as nobody, who
    // keeps root's group.
    std::filesystem::permissions(dir.path(),
                                 perms::owner_all | perms::group_exec | perms::others_exec);
    if (c.picturesMode != perms::unknown)
        std::filesystem::permissions(dir.path() / "Pictures", c.picturesMode);
    const auto checked = asNobody([&] { return checkQuiz(file, c.measurer, pictures); });
    std::setlocale(LC_ALL, "C");
    if (!checked)
        GTEST_SKIP() << "no unprivileged user to read as";
    const CheckReport& report = *checked;

    std::vector<Diagnostic> expected;
    for (const Expect& e : c.expect) {
        ASSERT_LT(e.mark, static_cast<int>(quiz.marked.size())) << "test quiz lacks a marker";
        const int line = e.mark < 0 ? 0 : quiz.marked[static_cast<std::size_t>(e.mark)];
        expected.push_back({e.severity, line, fillLines(e.message, quiz.marked)});
    }
    auto show = [](const std::vector<Diagnostic>& list) {
        std::string text;
        for (const Diagnostic& d : list)
            text += formatDiagnostic("way.txt", d) + "\n";
        return text;
    };
    EXPECT_EQ(show(report.diagnostics), show(expected));
    EXPECT_TRUE(report.readable);
    EXPECT_EQ(report.nameCount, c.names);
}

INSTANTIATE_TEST_SUITE_P(Quizzes, CheckerCase, testing::ValuesIn(kCases), rowName);

TEST(Checker, SummaryOfACleanQuiz) {
    TempDir dir;
    const auto file = dir.write("way.txt", withCrLf(QuizParts{}.text()).bytes);
    dir.pictures(kNames);
    const CheckReport report = checkQuiz(file);
    EXPECT_EQ(formatSummary("way.txt", report),
              "way.txt: \"Test quiz\", 15 names, 3 questions, 0 errors, 0 warnings");
    EXPECT_EQ(report.exitStatus(), 0);
    // A second look at the report's text sees the quiz checked, not one saved since.
    dir.write("way.txt", "Saved since\n");
    EXPECT_EQ(dryRun(report.text).summary.title, "Test quiz");
}

TEST(Checker, SummaryCountsWhatWasReadBeforeTheError) {
    QuizParts parts;
    replaceOnce(q(parts, 2), "C09=5\n", "C99=5\n");
    parts.names[4] = "Ann";
    TempDir dir;
    const auto file = dir.write("way.txt", withCrLf(parts.text()).bytes);
    dir.pictures(kNames);
    const CheckReport report = checkQuiz(file);
    EXPECT_EQ(formatSummary("quiz/way.txt", report),
              "quiz/way.txt: \"Test quiz\", 15 names, 2 questions, 1 error, 1 warning");
    EXPECT_EQ(report.exitStatus(), 1);
}

TEST(Checker, SummarySaysHowManyQuestionsPlayWhenSomeAreLost) {
    QuizParts parts;
    replaceOnce(q(parts, 2), "A6)\n", "");
    TempDir dir;
    const auto file = dir.write("way.txt", withCrLf(parts.text()).bytes);
    dir.pictures(kNames);
    const CheckReport report = checkQuiz(file);
    EXPECT_EQ(formatSummary("way.txt", report),
              "way.txt: \"Test quiz\", 15 names, 2 questions play, 3 \"NewQuestion:\" markers, 0 "
              "errors, 5 warnings");
    EXPECT_EQ(report.exitStatus(), 0);
    EXPECT_EQ(report.exitStatus(true), 1) << "strict: warnings fail";
}

// Nothing to read, a missing file and then a folder: status 2, one error.
TEST(Checker, MissingFileOrFolderCannotBeRead) {
    TempDir dir;
    for (const std::string failure : {"File not found", "File not found (it is a folder)"}) {
        const CheckReport report = checkQuiz(dir.path() / "way.txt");
        EXPECT_FALSE(report.readable);
        EXPECT_EQ(report.exitStatus(), 2);
        ASSERT_EQ(report.diagnostics.size(), 1u);
        EXPECT_EQ(formatDiagnostic("way.txt", report.diagnostics[0]), "way.txt: error: " + failure);
        std::filesystem::create_directory(dir.path() / "way.txt");
    }
}

// Byte-order marks and the old code page change nothing an author sees.
class Encodings : public testing::Test {
protected:
    // A quiz with some findings that quote non-ASCII text.
    static std::string utf8Quiz() {
        QuizParts parts;
        parts.head = "Caf\xC3\xA9 quiz\nMade for the checker's tests\n";
        parts.names[0] = "Zo\xC3\xA9";
        parts.names[4] = "Zo\xC3\xA9";
        parts.names[2] = "Ren\xC3\xA9"
                         "e";
        replaceOnce(q(parts, 2), "Which season?\n", "Which season, ma\xC3\xAEtre?\n");
        replaceOnce(q(parts, 3), "A2)\n", "a2)\n");
        return withCrLf(parts.text()).bytes;
    }

    static CheckReport check(const std::string& bytes) {
        TempDir dir;
        const auto file = dir.write("way.txt", bytes);
        dir.pictures(kNames);
        return checkQuiz(file);
    }

    static void expectSame(const CheckReport& a, const CheckReport& b) {
        EXPECT_EQ(formatSummary("way.txt", a), formatSummary("way.txt", b));
        EXPECT_EQ(a.diagnostics, b.diagnostics);
    }
};

TEST_F(Encodings, ByteOrderMarkChangesNothing) {
    const CheckReport plain = check(utf8Quiz());
    const CheckReport marked = check("\xEF\xBB\xBF" + utf8Quiz());
    ASSERT_GE(plain.diagnostics.size(), 4u);
    EXPECT_EQ(plain.title, "Caf\xC3\xA9 quiz");
    expectSame(plain, marked);
}

TEST_F(Encodings, Windows1252ReadsLikeUtf8) {
    std::string old = utf8Quiz();
    for (const auto& [utf8, byte] : {std::pair<std::string, std::string>{"\xC3\xA9", "\xE9"},
                                     std::pair<std::string, std::string>{"\xC3\xAE", "\xEE"}}) {
        for (std::size_t at; (at = old.find(utf8)) != std::string::npos;)
            old.replace(at, utf8.size(), byte);
    }
    const CheckReport plain = check(utf8Quiz());
    const CheckReport windows = check(old);
    ASSERT_GE(plain.diagnostics.size(), 4u);
    EXPECT_NE(formatDiagnostic("way.txt", plain.diagnostics[0]).find("Zo\xC3\xA9"),
              std::string::npos);
    expectSame(plain, windows);
}

} // namespace
