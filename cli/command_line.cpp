#include "command_line.h"

#include "text.h"
#include "translation.h"

#include <algorithm>
#include <cstdio>

namespace kinsight {

namespace {

// A program's self-description in the user's language: its texts are
// literals, so their views end where the literals do.
const char* translated(std::string_view text) {
    return i18n(text.data());
}

// The options every program has, as the usage lists them.
struct Shown {
    std::string left;
    std::string_view help;
};

std::vector<Shown> shownOptions(const Program& program) {
    std::vector<Shown> shown;
    for (const Option& option : program.options) {
        // Appended rather than added: GCC 12 warns -Wrestrict, wrongly, about
        // "literal" + std::string in optimised builds.
        std::string left = "--";
        left += option.name;
        if (!option.valueName.empty())
            left.append(" ").append(option.valueName);
        shown.push_back({left, translated(option.help)});
    }
    shown.push_back({"-h, --help", i18n("show this text and end")});
    shown.push_back({"-v, --version", i18n("show the version and the license and end")});
    shown.push_back({"--", i18n("the next argument is the quiz, even if it starts with -")});
    return shown;
}

CommandLine usageError(std::string error) {
    CommandLine command;
    command.action = CommandLine::Action::UsageError;
    command.error = std::move(error);
    return command;
}

// Reads the program's own option at arguments[i] (--name, --name=VALUE or
// --name VALUE, which moves i on) into command; returns what is wrong, if
// anything.
std::string readOption(const Program& program, const std::vector<std::string>& arguments,
                       std::size_t& i, CommandLine& command) {
    const std::string& arg = arguments[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
    const auto option = std::find_if(program.options.begin(), program.options.end(),
                                     [&name](const Option& o) { return o.name == name; });
    if (option == program.options.end())
        return fillIn(i18n("unknown option --{1}"), {name});
    if (option->valueName.empty() && equals != std::string::npos)
        return fillIn(i18n("option --{1} takes no value"), {name});
    if (option->valueName.empty())
        command.options[name] = "";
    else if (equals != std::string::npos)
        command.options[name] = arg.substr(equals + 1);
    else if (i + 1 < arguments.size())
        command.options[name] = arguments[++i];
    else
        return fillIn(i18n("option --{1} needs a value: --{1} {2}"), {name, option->valueName});
    return {};
}

} // namespace

CommandLine parseCommandLine(const Program& program, const std::vector<std::string>& arguments) {
    CommandLine command;
    std::vector<std::string> quizzes;
    bool help = false;
    bool version = false;
    bool onlyQuiz = false;
    std::string error; // the first thing wrong
    const auto wrong = [&error](std::string text) {
        if (error.empty())
            error = std::move(text);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (onlyQuiz || arg.size() < 2 || arg[0] != '-') {
            quizzes.push_back(arg);
        } else if (arg == "--") {
            onlyQuiz = true;
        } else if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "-v" || arg == "--version") {
            version = true;
        } else if (arg[1] != '-') {
            // Not a cluster of letters: -reverse is no -r -e -v -e ...
            wrong(fillIn(arg.size() == 2
                             ? i18n("unknown option {1}")
                             : i18n("unknown option {1} (options start with two dashes)"),
                         {arg}));
        } else {
            wrong(readOption(program, arguments, i, command));
        }
    }
    if (!error.empty())
        return usageError(error);
    if (help || version) {
        CommandLine answer;
        answer.action = help ? CommandLine::Action::Help : CommandLine::Action::Version;
        return answer;
    }
    if (quizzes.size() > 1)
        return usageError(
            fillIn(i18n("one quiz at a time, but {1} arguments were given"), {quizzes.size()}));
    if (quizzes.size() == 1 && quizzes.front().empty())
        return usageError(i18n("the quiz argument is empty"));
    if (quizzes.size() == 1)
        command.quiz = quizzes.front();
    return command;
}

std::vector<std::string> argumentsOf(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

std::string usageText(const Program& program) {
    std::string text = fillIn(i18n("Usage: {1} [options] [QUIZ]\n"), {program.name});
    text += translated(program.purpose);
    text += i18n("\nQUIZ is a quiz folder holding way.txt and Pictures/, or a quiz file of any\n"
                 "name with Pictures/ beside it. ");
    text += translated(program.withoutQuiz);
    text += i18n("\nOptions:\n");
    const std::vector<Shown> shown = shownOptions(program);
    std::size_t width = 0;
    for (const Shown& option : shown)
        width = std::max(width, option.left.size());
    for (const Shown& option : shown) {
        std::string line = "  " + option.left + std::string(width + 2 - option.left.size(), ' ');
        for (const char ch : option.help) {
            line += ch;
            if (ch == '\n')
                line.append(width + 4, ' ');
        }
        text += line + "\n";
    }
    text += "\n";
    text += translated(program.exitStatus);
    return text;
}

std::string versionText(const Program& program) {
    return std::string(program.name) + " " KINSIGHT_VERSION "\n" +
           i18n("License GPL-3.0-or-later: <https://gnu.org/licenses/gpl.html>\n"
                "This is free software: you are free to change and redistribute it.\n"
                "There is NO WARRANTY, to the extent permitted by law.\n");
}

std::optional<int> answerCommandLine(const Program& program, const CommandLine& command,
                                     std::FILE* out, std::FILE* err) {
    switch (command.action) {
    case CommandLine::Action::Help:
        std::fputs(usageText(program).c_str(), out);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(versionText(program).c_str(), out);
        return 0;
    case CommandLine::Action::UsageError:
        std::fprintf(err, "%.*s: %s\n\n%s", static_cast<int>(program.name.size()),
                     program.name.data(), escapedControls(command.error).c_str(),
                     usageText(program).c_str());
        return kUsageExitStatus;
    case CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

} // namespace kinsight
