// Reading a quiz file and cutting it into fields: how text is cut, how lines
// are counted, how the file's encoding is recognised, and what reading past
// the end reports.
// Every rule holds whatever the size of the pieces the file is read in.
#include "quiz_error.h"
#include "quiz_file.h"
#include "quiz_text.h"
#include "reference_reader.h"
#include "row_name.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using kinsight::Failure;
using kinsight::QuizError;
using kinsight::QuizFile;
using kinsight::readQuizText;
using kinsight::test::engineReading;
using kinsight::test::FileReading;
using kinsight::test::referenceReading;
using kinsight::test::TempDir;

namespace {

// The whole file at once, and tiny pieces that split every line end, quote,
// byte-order mark and multi-byte character somewhere.
constexpr std::size_t kBlockSizes[] = {kinsight::QuizFileLimits{}.blockBytes, 1, 2, 3, 7};

// Every field of the file as "line:text", quoted fields as line:"text".
std::vector<std::string> readAll(QuizFile& file) {
    std::vector<std::string> fields;
    while (!file.atEnd()) {
        const std::string field(file.readField("reading a test field"));
        const std::string shown = file.fieldQuoted() ? "\"" + field + "\"" : field;
        fields.push_back(std::to_string(file.fieldLine()) + ":" + shown);
    }
    return fields;
}

struct FieldCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> fields;
};

class FieldCutting : public ::testing::TestWithParam<FieldCase> {};

// The reference reader gives the fields listed, and the engine's reader what
// the reference gives, also the failure past the end, read in pieces of any size.
TEST_P(FieldCutting, GivesTheseFieldsOnTheseLines) {
    const FileReading reference = referenceReading(GetParam().bytes, "quiz.txt");
    std::vector<std::string> shown;
    for (const auto& f : reference.fields)
        shown.push_back(std::to_string(f.line) + ":" + (f.quoted ? "\"" + f.text + "\"" : f.text));
    EXPECT_EQ(shown, GetParam().fields);
    TempDir dir;
    const auto path = dir.write("quiz.txt", GetParam().bytes);
    for (std::size_t block : kBlockSizes)
        EXPECT_EQ(engineReading(path, "quiz.txt", block), reference) << block << "-byte reads";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldCutting,
    ::testing::Values(
        FieldCase{"CommaEndsAField", "a,b\r\nc\r\n", {"1:a", "1:b", "2:c"}},
        FieldCase{"QuotedFieldKeepsCommas",
                  "\"Red, or blue?\"\r\nA1)\r\n",
                  {"1:\"Red, or blue?\"", "2:A1)"}},
        FieldCase{"UnquotedCommaCutsTheText",
                  "Red, or blue?\r\nA1)\r\n",
                  {"1:Red", "1:or blue?", "2:A1)"}},
        FieldCase{
            "TextAfterClosingQuoteDropped", "\"Red\" or blue,next\r\n", {"1:\"Red\"", "1:next"}},
        FieldCase{"BlanksBeforeQuoteDropped", "a,  \"b,c\"\r\n", {"1:a", "1:\"b,c\""}},
        FieldCase{"BlanksInsideQuotesKept", "\"  a  \"\r\n", {"1:\"  a  \""}},
        FieldCase{"EmptyQuotesAreAnEmptyField", "\"\"\r\nx\r\n", {"1:\"\"", "2:x"}},
        FieldCase{"QuoteInsideUnquotedFieldKept", "ab\"c\r\n", {"1:ab\"c"}},
        FieldCase{"QuotedFieldSpansLines", "\"a\r\nb\",c\r\nd\r\n", {"1:\"a\nb\"", "2:c", "3:d"}},
        FieldCase{"UnclosedQuoteRunsToEndOfFile", "x\r\n\"a,b\r\nc", {"1:x", "2:\"a,b\nc\""}},
        FieldCase{"EmptyLineIsOneEmptyField", "a\r\n\r\nb\r\n", {"1:a", "2:", "3:b"}},
        FieldCase{"TwoEmptyLinesAreTwoFields", "a\r\n\r\n\r\nb\r\n", {"1:a", "2:", "3:", "4:b"}},
        FieldCase{"BlankLineIsAnEmptyField", "a\r\n   \r\nb\r\n", {"1:a", "2:", "3:b"}},
        FieldCase{"CommaBeforeLineEndLeavesAnEmptyField", "a,\r\nb\r\n", {"1:a", "1:", "2:b"}},
        FieldCase{"LoneLfEndsALine", "a\nb\n\nc", {"1:a", "2:b", "3:", "4:c"}},
        FieldCase{"LoneCrEndsALine", "a\rb\r\rc", {"1:a", "2:b", "3:", "4:c"}},
        FieldCase{"LfThenCrAreTwoLineEnds", "a\n\rb", {"1:a", "2:", "3:b"}},
        FieldCase{"MixedLineEnds", "a\r\nb\nc\rd", {"1:a", "2:b", "3:c", "4:d"}},
        FieldCase{"NoLineEndAtEndOfFile", "a\r\nb", {"1:a", "2:b"}},
        FieldCase{"LeadingBlanksAndTabsDropped", " \t a\r\n\tb\r\n", {"1:a", "2:b"}},
        FieldCase{"TrailingBlanksOfUnquotedFieldDropped",
                  "a \t \r\nb c  ,d\r\n",
                  {"1:a", "2:b c", "2:d"}},
        FieldCase{"Utf8ByteOrderMarkSkipped", "\xEF\xBB\xBFTitle\r\n", {"1:Title"}},
        FieldCase{"Utf8TextKept",
                  "\xD0\xA1\xD0\xBD\xD0\xB0\xD1\x87\xD0\xB0\xD0\xBB\xD0\xB0\r\n",
                  {"1:\xD0\xA1\xD0\xBD\xD0\xB0\xD1\x87\xD0\xB0\xD0\xBB\xD0\xB0"}},
        FieldCase{"Windows1252Converted",
                  "\x93"
                  "Caf\xE9\x94,x\r\n",
                  {"1:\xE2\x80\x9C"
                   "Caf\xC3\xA9\xE2\x80\x9D",
                   "1:x"}},
        FieldCase{"QuotedFieldAcrossManyLines",
                  " \"a,\r\n\nb\r\rc\" x\r\nd",
                  {"1:\"a,\n\nb\n\nc\"", "6:d"}},
        FieldCase{"QuoteRightBeforeLineEnd", "\"a\"\r\n\"\"\r\n", {"1:\"a\"", "2:\"\""}},
        FieldCase{"OnlyBlanks", "  \t ", {"1:"}},
        FieldCase{"Utf16LittleEndian",
                  std::string("\xFF\xFEH\0i\0,\0\xE9\0\r\0\n\0x\0", 16),
                  {"1:Hi", "1:\xC3\xA9", "2:x"}},
        FieldCase{"Utf16BigEndian",
                  std::string("\xFE\xFF\0H\0i\0,\x20\xAC\0\r\0\n\0x", 16),
                  {"1:Hi", "1:\xE2\x82\xAC", "2:x"}},
        FieldCase{"Utf16SurrogatePair",
                  std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6),
                  {"1:\xF0\x9F\x98\x80"}},
        FieldCase{"Utf16UnpairedHighSurrogate",
                  std::string("\xFF\xFE\x3D\xD8"
                              "a\0",
                              6),
                  {"1:\xEF\xBF\xBD"
                   "a"}},
        FieldCase{"Utf16UnpairedLowSurrogate",
                  std::string("\xFF\xFE"
                              "a\0\x00\xDE",
                              6),
                  {"1:a\xEF\xBF\xBD"}},
        FieldCase{"Utf16HighSurrogateAtEnd",
                  std::string("\xFF\xFE"
                              "a\0\x3D\xD8",
                              6),
                  {"1:a\xEF\xBF\xBD"}},
        FieldCase{"Utf16OddLastByte",
                  std::string("\xFF\xFE"
                              "a\0b",
                              5),
                  {"1:a\xEF\xBF\xBD"}},
        FieldCase{"Utf16OnlyTheMark", "\xFF\xFE", {}}),
    kinsight::test::rowName);

struct EncodingCase {
    const char* name;
    std::string bytes;    // the file's first line
    std::string expected; // its field in UTF-8
    bool windows1252;
};

class Encoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, FieldIsUtf8) {
    TempDir dir;
    QuizFile file;
    file.open(readQuizText(dir.write("quiz.txt", GetParam().bytes + "\r\n"), "quiz.txt"));
    EXPECT_EQ(file.isWindows1252(), GetParam().windows1252);
    EXPECT_EQ(file.readField("reading the title"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Encoding,
    ::testing::Values(
        EncodingCase{"PlainAscii", "Cafe", "Cafe", false},
        EncodingCase{"Utf8", "Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC", false},
        EncodingCase{"Utf8OutsideTheBasicPlane", "Hi \xF0\x9F\x98\x80", "Hi \xF0\x9F\x98\x80",
                     false},
        EncodingCase{"Windows1252", "Caf\xE9 \x80", "Caf\xC3\xA9 \xE2\x82\xAC", true},
        EncodingCase{"Windows1252Quotes", "\x93Hi\x94", "\xE2\x80\x9CHi\xE2\x80\x9D", true},
        EncodingCase{"UnassignedByteKeepsItsCodePoint", "x\x81", "x\xC2\x81", true},
        EncodingCase{"LeadByteWithoutContinuation", "ab\xC3", "ab\xC3\x83", true},
        EncodingCase{"OverlongUtf8", "\xC0\xAF", "\xC3\x80\xC2\xAF", true}),
    kinsight::test::rowName);

TEST(Encoding, OneStrayByteAnywhereMakesTheWholeFileWindows1252) {
    // The UTF-8 é of the first line must not survive as UTF-8 once a lone
    // 0xE9 shows up far beyond the first block read.
    std::string bytes = "Caf\xC3\xA9\r\n";
    bytes += std::string(60000, 'x') + "," + std::string(60000, 'x') + "\r\n";
    bytes += "Caf\xE9\r\n";
    TempDir dir;
    QuizFile file;
    file.open(readQuizText(dir.write("quiz.txt", bytes), "quiz.txt", {4096}));
    EXPECT_TRUE(file.isWindows1252());
    EXPECT_EQ(file.readField("a"), "Caf\xC3\x83\xC2\xA9");
    file.readField("b");
    file.readField("b");
    EXPECT_EQ(file.readField("c"), "Caf\xC3\xA9");
}

TEST(BlockBoundaries, LineEndsAndUtf8SplitAcrossBlocksReadAsOne) {
    // Read in 64 KiB blocks, with a CR LF and then a two-byte character
    // across the boundaries.
    constexpr std::size_t kBlock = 64 * 1024;
    std::string bytes(kBlock - 1, 'x');
    bytes += "\r\nyy,";
    bytes += std::string(kBlock - 5, 'y');
    bytes += "\xC3\xA9z\r\nlast\r\n";
    TempDir dir;
    QuizFile file;
    file.open(readQuizText(dir.write("quiz.txt", bytes), "quiz.txt", {kBlock}));
    const std::vector<std::string> fields = readAll(file);
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0], "1:" + std::string(kBlock - 1, 'x'));
    EXPECT_EQ(fields[1], "2:yy");
    EXPECT_EQ(fields[2], "2:" + std::string(kBlock - 5, 'y') + "\xC3\xA9z");
    EXPECT_EQ(fields[3], "3:last");
}

struct EndCase {
    const char* name;
    std::string bytes;
    int fields; // that can be read before the failure
    int line;   // the failure names
};

class PastTheEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(PastTheEnd, IsInputPastEndOfFileOnTheLastLine) {
    TempDir dir;
    QuizFile file;
    file.open(readQuizText(dir.write("quiz.txt", GetParam().bytes), "quiz.txt"));
    for (int n = 0; n < GetParam().fields; ++n)
        file.readField("reading a field");
    EXPECT_TRUE(file.atEnd());
    try {
        file.readField("looking for \"A3)\"");
        FAIL() << "read past the end";
    } catch (const QuizError& error) {
        EXPECT_EQ(error.failure(), Failure::InputPastEndOfFile);
        EXPECT_EQ(error.file(), "quiz.txt");
        EXPECT_EQ(error.line(), GetParam().line);
        EXPECT_EQ(error.detail(), "looking for \"A3)\"");
        EXPECT_EQ(std::string(error.what()), "quiz.txt:" + std::to_string(GetParam().line) +
                                                 ": Input past end of file (looking for \"A3)\")");
    }
}

INSTANTIATE_TEST_SUITE_P(Files, PastTheEnd,
                         ::testing::Values(EndCase{"EmptyFile", "", 0, 1},
                                           EndCase{"EndsWithLineEnd", "a\r\nb\r\n", 2, 2},
                                           EndCase{"EndsWithoutLineEnd", "a\r\nb", 2, 2},
                                           EndCase{"EndsWithEmptyLine", "a\r\n\r\n", 2, 2},
                                           EndCase{"EndsWithComma", "a,b,", 2, 1},
                                           EndCase{"OnlyAByteOrderMark", "\xEF\xBB\xBF", 0, 1}),
                         kinsight::test::rowName);

struct NulCase {
    const char* name;
    std::string bytes;
    int line;
};

class NulByte : public ::testing::TestWithParam<NulCase> {};

// Most often a UTF-16 file without its byte-order mark, or no text at all:
// the file as a whole is refused, before its first field.
TEST_P(NulByte, IsNotATextFileOnItsLine) {
    TempDir dir;
    const auto path = dir.write("way.txt", GetParam().bytes);
    const std::string expected = "way.txt:" + std::to_string(GetParam().line) +
                                 ": Not a text file (this line holds a NUL byte; save the quiz "
                                 "as UTF-8)";
    EXPECT_EQ(referenceReading(GetParam().bytes, "way.txt").failure, expected);
    for (std::size_t block : kBlockSizes) {
        try {
            readQuizText(path, "way.txt", {block});
            FAIL() << "read with " << block << "-byte reads";
        } catch (const QuizError& error) {
            EXPECT_EQ(error.failure(), Failure::NotText);
            EXPECT_EQ(error.what(), expected) << block << "-byte reads";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, NulByte,
    ::testing::Values(NulCase{"OnTheFirstLine", std::string("Ti\0tle\r\n", 7), 1},
                      NulCase{"AfterLineEndsOfEveryKind", std::string("a\r\nb\nc\rd\r\r\n\0", 13),
                              6},
                      NulCase{"FarBeyondTheFirstChunk",
                              std::string(100000, 'x') + "\r\n" + std::string(1, '\0'), 2},
                      NulCase{"InAWindows1252File", std::string("Caf\xE9\r\n\0", 7), 2},
                      NulCase{"Utf16WithoutItsMark", std::string("T\0i\0\r\0\n\0", 8), 1},
                      NulCase{"Utf16NulCharacter",
                              std::string("\xFF\xFE"
                                          "a\0\r\0\n\0\0\0",
                                          10),
                              2}),
    kinsight::test::rowName);

struct ErrorNameCase {
    const char* name;
    int error; // errno; 0 for a path that is neither a plain file nor a folder
    const char* expected;
};

class ErrorName : public testing::TestWithParam<ErrorNameCase> {};

TEST_P(ErrorName, NamesTheFailureWithThePath) {
    EXPECT_EQ(std::string(kinsight::fileError("/q/way.txt", GetParam().error).what()),
              GetParam().expected);
}

// Error numbers named without a real file; Unreadable below has a real file
// for each it can make (ENOTDIR among them).
INSTANTIATE_TEST_SUITE_P(
    Errors, ErrorName,
    testing::Values(
        ErrorNameCase{"PathThroughAFile", ENOTDIR, "/q/way.txt: File not found"},
        ErrorNameCase{"NotPermitted", EPERM, "/q/way.txt: Permission denied"},
        ErrorNameCase{"NoFileHandleLeftOnTheSystem", ENFILE, "/q/way.txt: Too many files"},
        ErrorNameCase{"NoMemory", ENOMEM, "/q/way.txt: Out of memory"},
        ErrorNameCase{"AnyOther", ELOOP,
                      "/q/way.txt: Path/File access error (Too many levels of symbolic links)"}),
    kinsight::test::rowName);

const std::string kSkipped = "skipped";

std::string failureReading(const std::filesystem::path& path,
                           kinsight::QuizFileLimits limits = {}) {
    try {
        readQuizText(path, "way.txt", limits);
        return "read without a failure";
    } catch (const QuizError& error) {
        return error.what();
    }
}

std::string withoutFileHandles(const std::filesystem::path& path) {
    rlimit old{};
    getrlimit(RLIMIT_NOFILE, &old);
    rlimit none = old;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_NOFILE, &none);
    const std::string failure = failureReading(path);
    setrlimit(RLIMIT_NOFILE, &old);
    return failure;
}

std::string unprivileged(const std::filesystem::path& path) {
    return kinsight::test::asNobody([&path] { return failureReading(path); }).value_or(kSkipped);
}

struct UnreadableCase {
    const char* name;
    std::filesystem::path (*make)(const TempDir& dir);
    const char* failure;
    std::string (*read)(const std::filesystem::path& path) = nullptr; // none: failureReading
};

class Unreadable : public testing::TestWithParam<UnreadableCase> {};

// Real files no quiz can be read from, each named for what it is.
TEST_P(Unreadable, IsNamedForWhatItIs) {
    TempDir dir;
    const std::filesystem::path path = GetParam().make(dir);
    const std::string failure = GetParam().read ? GetParam().read(path) : failureReading(path);
    if (failure == kSkipped)
        GTEST_SKIP() << "no unprivileged user to read as";
    EXPECT_EQ(failure, path.string() + ": " + GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Unreadable,
    testing::Values(
        UnreadableCase{"Missing", [](const TempDir& dir) { return dir.path() / "no" / "way.txt"; },
                       "File not found"},
        UnreadableCase{"PathThroughAFile",
                       [](const TempDir& dir) { return dir.write("way.txt", "Title\r\n") / "x"; },
                       "File not found"},
        UnreadableCase{
            "OverTheFileLimit",
            [](const TempDir& dir) { return dir.write("way.txt", std::string(200, 'x')); },
            "Out of memory (a quiz file may hold up to 100 bytes)",
            [](const auto& path) {
                return failureReading(path, {7, 100});
            }},
        UnreadableCase{"Folder", [](const TempDir& dir) { return dir.path(); },
                       "File not found (it is a folder)"},
        // A pipe or a device may never end: not even opening may wait on it.
        UnreadableCase{"Pipe",
                       [](const TempDir& dir) {
                           const auto path = dir.path() / "way.txt";
                           mkfifo(path.c_str(), 0644);
                           return path;
                       },
                       "Path/File access error (it is not a plain file)"},
        UnreadableCase{"Device", [](const TempDir&) { return std::filesystem::path("/dev/null"); },
                       "Path/File access error (it is not a plain file)"},
        UnreadableCase{"ReadError",
                       [](const TempDir&) { return std::filesystem::path("/proc/self/mem"); },
                       "Device I/O error"},
        UnreadableCase{"NoFileHandleLeft",
                       [](const TempDir& dir) { return dir.write("way.txt", "Title\r\n"); },
                       "Too many files", withoutFileHandles},
        UnreadableCase{"NoPermission",
                       [](const TempDir& dir) {
                           std::filesystem::permissions(dir.path(),
                                                        std::filesystem::perms::owner_all |
                                                            std::filesystem::perms::others_exec);
                           const auto path = dir.write("way.txt", "Title\r\n");
                           std::filesystem::permissions(path, std::filesystem::perms::none);
                           return path;
                       },
                       "Permission denied", unprivileged}),
    kinsight::test::rowName);

struct LongFieldCase {
    const char* name;
    std::string head;
    std::size_t length; // of the field, counting what the head adds to it
    bool tooLong;
    const char* tail = "";
};

class LongField : public testing::TestWithParam<LongFieldCase> {};

// A stray quote can swallow a whole file into one field; past a limit no
// quiz comes near, that is a failure on the field's line, not a program
// growing until memory runs out.
TEST_P(LongField, StopsPastTheLimitOnTheFieldsLine) {
    const LongFieldCase& row = GetParam();
    TempDir dir;
    // A quoted head adds its line ends to the field, each as one byte.
    const std::size_t added = row.head.starts_with('"') ? row.head.size() - 1 : 0;
    std::string bytes = "Title\r\n" + row.head;
    bytes.append(row.length - added, 'x');
    bytes += row.tail + std::string("\r\nnext\r\n");
    QuizFile file;
    file.open(readQuizText(dir.write("way.txt", bytes), "way.txt"));
    EXPECT_EQ(file.readField("reading the title"), "Title");
    if (!row.tooLong) {
        EXPECT_EQ(file.readField("reading a name").size(), row.length);
        EXPECT_EQ(file.readField("reading a name"), "next");
        return;
    }
    try {
        file.readField("reading a name");
        FAIL() << "read a field of " << row.length << " bytes";
    } catch (const QuizError& error) {
        EXPECT_EQ(error.failure(), Failure::FieldTooLong);
        EXPECT_EQ(error.line(), 2);
        EXPECT_EQ(std::string(error.what()),
                  "way.txt:2: Field too long (reading a name; over 64 KiB)");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limit, LongField,
    testing::Values(LongFieldCase{"AtTheLimit", "", QuizFile::kMaxFieldBytes, false},
                    LongFieldCase{"OneByteOver", "", QuizFile::kMaxFieldBytes + 1, true},
                    LongFieldCase{"UnclosedQuoteOverLines", "\"\n\n", QuizFile::kMaxFieldBytes,
                                  true},
                    LongFieldCase{"ClosedQuoteOverLinesAtTheLimit", "\"\n",
                                  QuizFile::kMaxFieldBytes, false, "\""},
                    LongFieldCase{"ClosedQuoteOverLinesOneByteOver", "\"\n",
                                  QuizFile::kMaxFieldBytes + 1, true, "\""}),
    kinsight::test::rowName);

TEST(Open, ReopeningReadsFromTheStartAgain) {
    TempDir dir;
    const auto text = readQuizText(dir.write("quiz.txt", "a\r\nb\r\n"), "quiz.txt");
    QuizFile file;
    file.open(text);
    file.readField("a");
    file.readField("b");
    file.close();
    EXPECT_FALSE(file.isOpen());
    file.open(text);
    EXPECT_EQ(readAll(file), (std::vector<std::string>{"1:a", "2:b"}));
}

} // namespace
