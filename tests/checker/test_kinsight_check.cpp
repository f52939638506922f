// The kinsight-check program as an author runs it: its output, --quiet,
// --strict, --stats, --help, the default file and the exit statuses.
#include "checker_quiz.h"
#include "command_line.h"
#include "messages_in.h"
#include "programs.h"
#include "row_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sys/wait.h>

using kinsight::CommandLine;
using namespace kinsight::test;

namespace {

struct CheckRun {
    int status = -1;
    std::string output;             // stdout and stderr together
    bool picturesOnlyFound = false; // said so, and left out of output
};

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char ch : text)
        out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return out + "'";
}

// Runs program in folder with the given arguments (as the shell reads them).
CheckRun runIn(const std::filesystem::path& folder, const std::string& program,
               const std::string& arguments) {
    const std::string command =
        "cd " + shellQuoted(folder.string()) + " && " + program + " " + arguments + " 2>&1";
    CheckRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, got);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    // Built without the windows, the checker says under its summary that it
    // only looked for the pictures; the outputs compared here leave that out.
    const std::size_t note = run.output.find(": note: pictures were only checked to exist");
    if (note != std::string::npos) {
        const std::size_t begin = run.output.rfind('\n', note) + 1;
        run.output.erase(begin, run.output.find('\n', note) + 1 - begin);
        run.picturesOnlyFound = true;
    }
    return run;
}

CheckRun check(const std::filesystem::path& folder, const std::string& arguments) {
    return runIn(folder, shellQuoted(KINSIGHT_CHECK), arguments);
}

class KinsightCheck : public testing::Test {
protected:
    // A quiz with one warning (a duplicate name on line 7) and, if broken,
    // one error (character 99 on line 68, where a terminal's clear-screen
    // must come out as letters).
    void writeQuiz(bool broken) {
        QuizParts parts;
        parts.names[4] = "Ann";
        if (broken)
            replaceOnce(parts.questions[1], "C09=5\n", "C99=5\x1b[2J\n");
        m_dir.write("way.txt", withCrLf(parts.text()).bytes);
        m_dir.pictures(kNames);
    }

    TempDir m_dir;
};

const std::string kWarning =
    "way.txt:7: warning: the name \"Ann\" (character 5) is also the name of character 1\n";
const std::string kError = "way.txt:68: error: points for character 99 in \"C99=5\\x1B[2J\": "
                           "characters are numbered 1 to 15 (Subscript out of range)\n";

TEST_F(KinsightCheck, CleanQuizPrintsOnlyTheSummary) {
    m_dir.write("way.txt", withCrLf(QuizParts{}.text()).bytes);
    m_dir.pictures(kNames);
    const CheckRun run = check(m_dir.path(), "way.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "way.txt: \"Test quiz\", 15 names, 3 questions, 0 errors, 0 warnings\n");
#ifdef KINSIGHT_TEXT_FIT
    EXPECT_FALSE(run.picturesOnlyFound);
#else
    EXPECT_TRUE(run.picturesOnlyFound);
#endif
}

TEST_F(KinsightCheck, WarningsAloneExitWithZero) {
    writeQuiz(false);
    const CheckRun run = check(m_dir.path(), "way.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, kWarning + "way.txt: \"Test quiz\", 15 names, 3 questions, 0 errors, "
                                     "1 warning\n");
}

TEST_F(KinsightCheck, ErrorExitsWithOne) {
    writeQuiz(true);
    const CheckRun run = check(m_dir.path(), "way.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output,
              kWarning + kError +
                  "way.txt: \"Test quiz\", 15 names, 2 questions, 1 error, 1 warning\n");
}

TEST_F(KinsightCheck, QuietPrintsErrorsOnly) {
    writeQuiz(true);
    CheckRun run = check(m_dir.path(), "--quiet way.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, kError);

    writeQuiz(false);
    run = check(m_dir.path(), "--quiet");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "");
}

TEST_F(KinsightCheck, StrictCountsWarningsForTheExitStatus) {
    m_dir.write("way.txt", withCrLf(QuizParts{}.text()).bytes);
    m_dir.pictures(kNames);
    EXPECT_EQ(check(m_dir.path(), "--strict way.txt").status, 0);

    writeQuiz(false);
    CheckRun run = check(m_dir.path(), "--strict way.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, kWarning + "way.txt: \"Test quiz\", 15 names, 3 questions, 0 errors, "
                                     "1 warning\n");
    run = check(m_dir.path(), "--strict --quiet way.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, kWarning) << "what fails the check is shown";
}

TEST_F(KinsightCheck, StatsOfAOneQuestionQuiz) {
    // Answer k makes character k the winner; the skip leaves fifteen tied at 0.
    QuizParts parts;
    parts.questions.resize(1);
    m_dir.write("way.txt", withCrLf(parts.text()).bytes);
    m_dir.pictures(kNames);
    const CheckRun run = check(m_dir.path(), "--stats way.txt");
    EXPECT_EQ(run.status, 0);
    std::string expected = "way.txt: \"Test quiz\", 1 question, 7 plays, exact\n"
                           "Every question answered at random, each of the seven choices alike.\n"
                           "character              wins  in 2-way  in 3-way  in 4-way\n";
    for (std::size_t slot = 1; slot <= kNames.size(); ++slot)
        expected.append(kNames[slot - 1])
            .append(18, ' ')
            .append(slot <= 6 ? "14.29%" : " 0.00%")
            .append("     0.00%     0.00%     0.00%\n");
    expected += "single winner        85.71%\n"
                "two-way draw          0.00%\n"
                "three-way draw        0.00%\n"
                "four-way draw         0.00%\n"
                "five or more tied    14.29%\n";
    EXPECT_EQ(run.output, expected);
}

TEST_F(KinsightCheck, StatsOfABrokenQuizGiveItsError) {
    writeQuiz(true);
    const CheckRun run = check(m_dir.path(), "--stats way.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, kError);
}

TEST_F(KinsightCheck, PlaysMustBeAPositiveNumber) {
    writeQuiz(false);
    for (const char* plays : {"many", "0", "-3", "5x", "99999999999999999999"}) {
        const CheckRun run = check(m_dir.path(), std::string("--stats --plays ") + plays);
        EXPECT_EQ(run.status, 2) << plays;
        EXPECT_EQ(run.output.substr(0, run.output.find('\n')),
                  "kinsight-check: --plays takes a number of plays")
            << plays;
    }
}

#ifdef KINSIGHT_TEXT_FIT
TEST_F(KinsightCheck, QuestionTooLongForTheWindow) {
    // Also one near the longest field the reader takes (64 KiB).
    std::string huge;
    for (int i = 0; i < 2'400; ++i)
        huge += "Which season do you like? ";
    for (const std::string& text : {std::string("Which season do you like best, and why: the snow, "
                                                "the rain, the long light of summer, or the storms "
                                                "of autumn?"),
                                    huge}) {
        QuizParts parts;
        parts.questions[1].replace(0, parts.questions[1].find('\n'), "\"" + text + "\" <--");
        const MarkedText quiz = withCrLf(parts.text());
        m_dir.write("way.txt", quiz.bytes);
        m_dir.pictures(kNames);
        const CheckRun run = check(m_dir.path(), "--quiet --strict way.txt");
        EXPECT_EQ(run.status, 1);
        const std::string line = "way.txt:" + std::to_string(quiz.marked.at(0)) +
                                 ": warning: question 2 needs more than the two lines its box "
                                 "shows; the player sees only up to \"...";
        EXPECT_EQ(run.output.rfind(line, 0), 0u) << run.output.substr(0, 300);
    }
}
#endif

// Every "$ kinsight-check ..." and "$ cat ..." block in the README, run in
// docs/ as shown, prints exactly what the README says it does.
TEST(ReadmeExamples, AreTheRealOutput) {
    std::ifstream readme(std::filesystem::path(KINSIGHT_SOURCE_DIR) / "README.md");
    ASSERT_TRUE(readme) << "README.md not found";
    const std::map<std::string, std::string> programs = {
        {"$ kinsight-check ", shellQuoted(KINSIGHT_CHECK)}, {"$ cat ", "cat"}};
    int examples = 0;
    std::string line;
    while (std::getline(readme, line)) {
        const std::size_t at = line.find_first_not_of(' ');
        const auto program = std::find_if(programs.begin(), programs.end(), [&](const auto& p) {
            return at != std::string::npos && line.compare(at, p.first.size(), p.first) == 0;
        });
        if (program == programs.end())
            continue;
        const std::string indent = line.substr(0, at);
        const std::string arguments = line.substr(at + program->first.size());
        std::string expected;
        while (std::getline(readme, line) && line != indent + "```")
            expected += line.substr(std::min(indent.size(), line.size())) + "\n";
        SCOPED_TRACE(arguments);
        const auto docs = std::filesystem::path(KINSIGHT_SOURCE_DIR) / "docs";
        EXPECT_EQ(runIn(docs, program->second, arguments).output, expected);
        ++examples;
    }
    EXPECT_GE(examples, 4) << "the README's examples are gone";
}

// Under a Russian locale the program's own words are Russian, with each
// plural form in the summary (15 names, 2 questions, 1 error, 2 warnings);
// FILE:LINE:, the markers and the quiz's own texts stay as they are.
TEST_F(KinsightCheck, SpeaksRussianUnderARussianLocale) {
    if (!MessagesIn("ru_RU.UTF-8").active())
        GTEST_SKIP() << "no Russian locale";
    QuizParts parts;
    parts.names[4] = "Ann";
    replaceOnce(parts.questions[2], "A6)\n", "A6\n");
    m_dir.write("way.txt", withCrLf(parts.text()).bytes);
    m_dir.pictures(kNames);
    const std::string russian = "env " + MessagesIn::environment("ru_RU.UTF-8") + " ";
    CheckRun run = runIn(m_dir.path(), russian + shellQuoted(KINSIGHT_CHECK), "way.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output,
              "way.txt:7: предупреждение: имя \"Ann\" (персонаж 5) — это и имя персонажа 1\n"
              "way.txt:119: предупреждение: метка \"NewQuestion:\" пропущена при поиске \"A6)\", "
              "как и ещё 1 метка после неё\n"
              "way.txt:120: ошибка: Чтение за концом файла (при поиске \"A6)\")\n"
              "way.txt:114: примечание: \"A6\" — не \"A6)\": метки должны совпадать в точности, "
              "вплоть до регистра и пробелов\n"
              "way.txt: \"Test quiz\", 15 имён, 3 вопроса, 1 ошибка, 2 предупреждения\n");

    run = runIn(m_dir.path(), russian + shellQuoted(KINSIGHT_CHECK), "--help");
    EXPECT_EQ(run.output.substr(0, run.output.find('\n')),
              "Использование: kinsight-check [параметры] [ТЕСТ]");
    EXPECT_NE(run.output.find("\n  --quiet        выводить только ошибки и примечания к ним\n"),
              std::string::npos);
#ifdef KINSIGHT_PROGRAM
    run = runIn(m_dir.path(),
                "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                    MessagesIn::environment("ru_RU.UTF-8") + " " + shellQuoted(KINSIGHT_PROGRAM),
                "way.txt");
    EXPECT_EQ(run.output, "kinsight: дисплей не найден (не задана ни DISPLAY, ни WAYLAND_DISPLAY); "
                          "без рабочего стола запускайте программу через xvfb-run (пакеты xvfb "
                          "и xauth)\n");
    EXPECT_EQ(run.status, 1);
#endif
}

TEST_F(KinsightCheck, ReadsWayTxtInTheCurrentFolderByDefault) {
    writeQuiz(true);
    const CheckRun run = check(m_dir.path(), "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output.rfind(kWarning + kError, 0), 0u) << run.output;
}

TEST_F(KinsightCheck, NamesTheFileAsGiven) {
    writeQuiz(true);
    const CheckRun run =
        check(m_dir.path().parent_path(),
              shellQuoted(m_dir.path().filename().string() + "/way.txt") + " --quiet");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, m_dir.path().filename().string() + "/" + kError);
}

// One command line for both programs, run in a folder holding way.txt, a
// quiz file of any name, a quiz folder and one named in Latin-1 (each with
// every picture), and a folder that is no quiz.
using Action = CommandLine::Action;
const std::string kNoDisplay = "kinsight: no display found (neither DISPLAY nor WAYLAND_DISPLAY "
                               "is set); without a desktop, run it under xvfb-run (packages xvfb "
                               "and xauth)";
struct ArgumentCase {
    const char* name;
    std::vector<std::string> arguments;
    Action action;
    std::string detail; // the quiz named (none: empty), or what is wrong
    // When the quiz is read, kinsight-check's status and first line; without
    // a display, kinsight says that it needs one.
    int checkStatus = 0;
    std::string checkLine = {};
    // An option of kinsight-check's own, which kinsight does not know.
    std::string checkOption = {};
    // Set for both programs, as env takes it: variables, then a command
    // that runs the program (prlimit).
    std::string setting = {};
    std::string programLine = kNoDisplay;
    std::string checkLastLine = {}; // if given
    std::string programOption = {}; // of kinsight's own, unknown to kinsight-check
};

// A million warnings of one kind, few bytes of file each.
std::string manyWarnings() {
    QuizParts parts;
    replaceOnce(parts.questions[0], "C01=5\n",
                "C01=5\n" + lf(std::vector<std::string>(1'000'000, "xxxxxx")));
    return withCrLf(parts.text()).bytes;
}

const std::string kFirstOfManyWarnings = "warnings/way.txt:26: warning: \"xxxxxx\" is read as "
                                         "points of answer 1 of question 1 and gives none";

std::string cleanSummary(const std::string& file) {
    return file + ": \"Test quiz\", 15 names, 3 questions, 0 errors, 0 warnings";
}
const std::string kStatsLine = "quiz/way.txt: \"Test quiz\", 3 questions, 343 plays, exact";

// Each program's options as --help lays them out, continuation lines under
// the first.
const std::string kGeneralOptions =
    "  -h, --help     show this text and end\n"
    "  -v, --version  show the version and the license and end\n"
    "  --             the next argument is the quiz, even if it starts with -\n";
const std::map<std::string, std::string> kOptionsShown = {
    {"kinsight", "Options:\n"
                 "  --watch        for the quiz's author: play the quiz again from its\n"
                 "                 first question each time its file is saved, and show\n"
                 "                 what is wrong with a save that cannot be played;\n"
                 "                 for example: kinsight --watch ~/quizzes/pets\n" +
                     kGeneralOptions},
    {"kinsight-check",
     "Options:\n"
     "  --quiet        print errors and their notes only\n"
     "  --strict       count warnings as errors for the exit status\n"
     "  --stats        instead of the report, the chances of each result when every\n"
     "                 question is answered at random: exact while there are at most\n"
     "                 10 million plays, otherwise from a seeded simulation of 1 million\n"
     "                 plays, fewer for a long quiz (200 million answers in all)\n"
     "  --plays N      with --stats, simulate N plays\n" +
         kGeneralOptions},
};

class Arguments : public testing::TestWithParam<ArgumentCase> {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        const std::string quiz = withCrLf(QuizParts{}.text()).bytes;
        for (const std::string folder : {"", "quiz", "caf\xe9"}) {
            s_dir->write(std::filesystem::path(folder) / "way.txt", quiz);
            s_dir->pictures(kNames, folder);
        }
        s_dir->write("pets.txt", quiz);
        s_dir->write("warnings/way.txt", manyWarnings());
        s_dir->pictures(kNames, "warnings");
        std::filesystem::create_directory(s_dir->path() / "no quiz");
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }

    void expectRun(const std::string& name, const std::string& program, Action action,
                   const std::string& detail, int status, const std::string& line) {
        const ArgumentCase& row = GetParam();
#ifdef __SANITIZE_ADDRESS__
        if (row.setting.starts_with("prlimit"))
            GTEST_SKIP() << "AddressSanitizer reserves more memory than any limit here";
#endif
        // Appended rather than added: GCC 12 warns -Wrestrict, wrongly, about
        // "literal" + std::string in optimised builds.
        std::string arguments;
        for (const std::string& argument : GetParam().arguments)
            arguments.append(" ").append(shellQuoted(argument));
        std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
        command.append(row.setting).append(" ").append(program);
        const CheckRun ran = runIn(s_dir->path(), command, arguments);
        const std::string first[] = {line, "Usage: " + name + " [options] [QUIZ]",
                                     name + " " KINSIGHT_VERSION, name + ": " + detail};
        EXPECT_EQ(ran.output.substr(0, ran.output.find('\n')), first[int(action)]) << name;
        if (action == Action::Help) {
            const std::size_t options = ran.output.find("Options:\n");
            EXPECT_EQ(ran.output.substr(options, ran.output.find("\n\n", options) + 1 - options),
                      kOptionsShown.at(name));
        }
        if (!row.checkLastLine.empty() && name == "kinsight-check") {
            EXPECT_EQ(ran.output.substr(ran.output.rfind('\n', ran.output.size() - 2) + 1),
                      row.checkLastLine + "\n");
        }
        EXPECT_EQ(ran.status, action == Action::Run          ? status
                              : action == Action::UsageError ? 2
                                                             : 0)
            << name;
    }

    static TempDir* s_dir;
};
TempDir* Arguments::s_dir = nullptr;

TEST_P(Arguments, MeanTheSameToBothPrograms) {
    const ArgumentCase& row = GetParam();
    // Either program calls an option of the other's own unknown.
    const auto as = [&row](const std::string& other, std::string detail) {
        return std::pair(other.empty() ? row.action : Action::UsageError,
                         other.empty() ? std::move(detail) : "unknown option --" + other);
    };
    const auto [action, detail] = as(row.checkOption, row.detail);
    const CommandLine parsed =
        kinsight::parseCommandLine(kinsight::kKinsightProgram, row.arguments);
    EXPECT_EQ(parsed.action, action);
    EXPECT_EQ(parsed.quiz.value_or("").native() + parsed.error, detail);
    EXPECT_EQ(parsed.has("watch"), row.programOption == "watch");

    const auto [checkAction, checkDetail] = as(row.programOption, row.detail);
    expectRun("kinsight-check", shellQuoted(KINSIGHT_CHECK), checkAction, checkDetail,
              row.checkStatus, row.checkLine);
#ifdef KINSIGHT_PROGRAM
    expectRun("kinsight", shellQuoted(KINSIGHT_PROGRAM), action, detail, 1, row.programLine);
#endif
}

// One row a case.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    CommandLine, Arguments,
    testing::Values(
        ArgumentCase{"NoQuizNamed", {}, Action::Run, "", 0, cleanSummary("way.txt")},
        ArgumentCase{"Folder", {"quiz"}, Action::Run, "quiz", 0, cleanSummary("quiz/way.txt")},
        ArgumentCase{"FileOfAnyName", {"pets.txt"}, Action::Run, "pets.txt", 0,
                     cleanSummary("pets.txt")},
        ArgumentCase{"MissingPath", {"nowhere"}, Action::Run, "nowhere", 2,
                     "nowhere: error: File not found"},
        ArgumentCase{"FolderWithoutAQuiz", {"no quiz"}, Action::Run, "no quiz", 2,
                     "no quiz/way.txt: error: File not found"},
        ArgumentCase{"EmptyArgument", {""}, Action::UsageError, "the quiz argument is empty"},
        ArgumentCase{"TwoArguments", {"quiz", "pets.txt"}, Action::UsageError,
                     "one quiz at a time, but 2 arguments were given"},
        ArgumentCase{"UnknownOption", {"--loud", "quiz"}, Action::UsageError,
                     "unknown option --loud"},
        ArgumentCase{"SingleDashLongOption", {"-reverse"}, Action::UsageError,
                     "unknown option -reverse (options start with two dashes)"},
        ArgumentCase{"Help", {"--help"}, Action::Help, ""},
        ArgumentCase{"ShortHelpBeforeAQuiz", {"-h", "quiz"}, Action::Help, ""},
        ArgumentCase{"VersionAfterAQuiz", {"quiz", "--version"}, Action::Version, ""},
        ArgumentCase{"QuizAfterDoubleDash", {"--", "-reverse"}, Action::Run, "-reverse", 2,
                     "-reverse: error: File not found"},
        ArgumentCase{"FolderNamedInLatin1", {"caf\xe9"}, Action::Run, "caf\xe9", 0,
                     cleanSummary("caf\xc3\xa9/way.txt")},
        // Logged in from afar, with a display that does not answer: the
        // checker measures texts on its own, the program says what is missing.
        ArgumentCase{"DisplayThatCannotBeOpened", {"quiz"}, Action::Run, "quiz", 0,
                     cleanSummary("quiz/way.txt"), "", "DISPLAY=:9999 QT_QPA_PLATFORM=xcb",
                     "kinsight: cannot open the display :9999; without a desktop, run it under "
                     "xvfb-run (packages xvfb and xauth)"},
        // A million warnings kept in 64 MiB, and a quiz larger than the memory.
        ArgumentCase{"ManyWarningsInLittleMemory", {"warnings"}, Action::Run, "warnings", 0,
                     kFirstOfManyWarnings, "", "prlimit --data=67108864", kNoDisplay,
                     "warnings/way.txt: \"Test quiz\", 15 names, 3 questions, 0 errors, "
                     "1,000,000 warnings"},
        ArgumentCase{"TooLittleMemory", {"warnings"}, Action::Run, "warnings", 2,
                     "warnings/way.txt: error: Out of memory", "",
                     "prlimit --data=8388608"},
        ArgumentCase{"OptionValueAfterAnEqualsSign", {"--stats", "--plays=5", "quiz"}, Action::Run,
                     "quiz", 0, kStatsLine, "stats"},
        ArgumentCase{"OptionValueAsTheNextArgument", {"--stats", "--plays", "5", "quiz"},
                     Action::Run, "quiz", 0, kStatsLine, "stats"},
        ArgumentCase{"OptionValueMissing", {"--stats", "--plays"}, Action::UsageError,
                     "option --plays needs a value: --plays N", 0, "", "stats"},
        ArgumentCase{"ValueForAnOptionWithout", {"--quiet=yes"}, Action::UsageError,
                     "option --quiet takes no value", 0, "", "quiet"},
        ArgumentCase{"WatchBeforeAQuiz", {"--watch", "quiz"}, Action::Run, "quiz", 0, "", "", "",
                     kNoDisplay, "", "watch"}),
    rowName);
// clang-format on

} // namespace
