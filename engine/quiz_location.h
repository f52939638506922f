// Where a quiz lives: the quiz file and the Pictures folder beside it, worked
// out once from what the user named. Paths are kept as the bytes the system
// gave, whatever their encoding, and turned into text only to be shown.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kinsight {

struct QuizLocation {
    std::filesystem::path file;
    std::filesystem::path pictures;
    // The quiz file as reports name it: as the user named it, or way.txt
    // for the quiz beside the program, as kinsight-check names it.
    std::string name;

    bool operator==(const QuizLocation&) const = default;
};

// argument names a quiz folder (its way.txt is the quiz) or a quiz file of
// any name; without one, the quiz folder is defaultFolder. A relative path
// stays relative, so messages name it as the user wrote it.
QuizLocation locateQuiz(const std::optional<std::filesystem::path>& argument,
                        const std::filesystem::path& defaultFolder = {});

// A path as UTF-8 text for messages: unchanged when it is UTF-8, otherwise
// read as Windows-1252, as the quiz file itself would be.
std::string shownPath(const std::filesystem::path& path);

} // namespace kinsight
