// The kinsight-check program as an author runs it: its output, --quiet,
// --strict, --stats, --help, the default file and the exit statuses.
#include "checker_quiz.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/wait.h>

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

// Runs the checker in folder with the given arguments.
CheckRun check(const std::filesystem::path& folder, const std::string& arguments) {
    const std::string command = "cd " + shellQuoted(folder.string()) + " && " +
                                shellQuoted(KINSIGHT_CHECK) + " " + arguments + " 2>&1";
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

class KinsightCheck : public testing::Test {
protected:
    // A quiz with one warning (a duplicate name on line 7) and, if broken,
    // one error (character 99 on line 68).
    void writeQuiz(bool broken) {
        QuizParts parts;
        parts.names[4] = "Ann";
        if (broken)
            replaceOnce(parts.questions[1], "C09=5\n", "C99=5\n");
        m_dir.write("way.txt", withCrLf(parts.text()).bytes);
        m_dir.pictures(kNames);
    }

    TempDir m_dir;
};

const std::string kWarning =
    "way.txt:7: warning: the name \"Ann\" (character 5) is also the name of character 1\n";
const std::string kError = "way.txt:68: error: Subscript out of range (points for character 99 "
                           "in \"C99=5\"; characters are numbered 1 to 15)\n";

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
        expected += kNames[slot - 1] + std::string(14, ' ') + "    " +
                    (slot <= 6 ? "14.29%" : " 0.00%") + "     0.00%     0.00%     0.00%\n";
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

// Every "$ kinsight-check ..." block in the README, run in docs/ as shown,
// prints exactly what the README says it does.
TEST(ReadmeExamples, AreTheRealOutput) {
    std::ifstream readme(std::filesystem::path(KINSIGHT_SOURCE_DIR) / "README.md");
    ASSERT_TRUE(readme) << "README.md not found";
    const std::string prompt = "$ kinsight-check ";
    int examples = 0;
    std::string line;
    while (std::getline(readme, line)) {
        const std::size_t at = line.find(prompt);
        if (at == std::string::npos || line.find_first_not_of(' ') != at)
            continue;
        const std::string indent = line.substr(0, at);
        const std::string arguments = line.substr(at + prompt.size());
        std::string expected;
        while (std::getline(readme, line) && line != indent + "```")
            expected += line.substr(std::min(indent.size(), line.size())) + "\n";
        SCOPED_TRACE(arguments);
        EXPECT_EQ(check(std::filesystem::path(KINSIGHT_SOURCE_DIR) / "docs", arguments).output,
                  expected);
        ++examples;
    }
    EXPECT_GE(examples, 2) << "the README's checker examples are gone";
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

TEST_F(KinsightCheck, UnreadableFileExitsWithTwo) {
    CheckRun run = check(m_dir.path(), "missing.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "missing.txt: error: File not found\n");

    std::filesystem::create_directory(m_dir.path() / "folder");
    run = check(m_dir.path(), "folder");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "folder: error: File not found (it is a folder)\n");
}

TEST_F(KinsightCheck, HelpAndBadArguments) {
    CheckRun run = check(m_dir.path(), "--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind(
                  "Usage: kinsight-check [--quiet] [--strict] [--stats [--plays N]] [FILE]\n", 0),
              0u);

    run = check(m_dir.path(), "--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind("kinsight-check " KINSIGHT_VERSION "\nLicense GPL-3.0-or-later", 0),
              0u);

    run = check(m_dir.path(), "--loud way.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("unknown option --loud"), std::string::npos);

    run = check(m_dir.path(), "--stats --plays many way.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("--plays takes a number of plays"), std::string::npos);

    run = check(m_dir.path(), "a.txt b.txt");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("one quiz file at a time"), std::string::npos);
}

} // namespace
