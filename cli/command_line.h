// The command line that kinsight and kinsight-check share:
//   NAME [options] [QUIZ]
// with --help, --version and "--" for both, and each program's own options.
// Arguments are taken as the bytes the system gave, so a quiz path in any
// encoding reaches the file system unchanged.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

inline constexpr int kUsageExitStatus = 2;

// One of a program's own options, given as --name (or --name VALUE).
struct Option {
    std::string_view name;      // without the dashes
    std::string_view valueName; // empty for an option without a value
    std::string_view help;      // lines after the first start with two blanks
};

// What a program tells about itself in its usage.
struct Program {
    std::string_view name;
    std::string_view purpose;        // the lines after "Usage:"
    std::string_view withoutQuiz;    // which quiz is read when none is named
    std::span<const Option> options; // besides --help and --version
    std::string_view exitStatus;     // the closing paragraph
};

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    // The QUIZ argument as given; none for the program's default quiz.
    std::optional<std::filesystem::path> quiz;
    // The program's own options that were given, with their values ("" for
    // an option without one).
    std::map<std::string, std::string, std::less<>> options;
    // For UsageError: what was wrong, in one line.
    std::string error;

    bool has(std::string_view option) const { return options.find(option) != options.end(); }
    bool operator==(const CommandLine&) const = default;
};

// arguments as the system gave them, without the program's name.
CommandLine parseCommandLine(const Program& program, const std::vector<std::string>& arguments);
std::vector<std::string> argumentsOf(int argc, char** argv);

std::string usageText(const Program& program);
std::string versionText(const Program& program);

// Answers --help, --version and a wrong command line on out or err and
// returns the exit status; nothing when the program is to run. C streams,
// not <iostream>'s: those cost every start of the window a quarter MiB.
std::optional<int> answerCommandLine(const Program& program, const CommandLine& command,
                                     std::FILE* out, std::FILE* err);

} // namespace kinsight
