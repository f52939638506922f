#include "quiz_location.h"

#include "quiz.h"
#include "text.h"

#include <system_error>

namespace kinsight {

QuizLocation locateQuiz(const std::optional<std::filesystem::path>& argument,
                        const std::filesystem::path& defaultFolder) {
    std::error_code ec;
    QuizLocation quiz;
    if (!argument)
        quiz.file = defaultFolder / kQuizFileName;
    else if (std::filesystem::is_directory(*argument, ec))
        quiz.file = *argument / kQuizFileName;
    else
        quiz.file = *argument;
    quiz.pictures = quiz.file.parent_path() / "Pictures";
    quiz.name = argument ? shownPath(quiz.file) : std::string(kQuizFileName);
    return quiz;
}

std::string shownPath(const std::filesystem::path& path) {
    const std::string& bytes = path.native();
    Utf8Validator utf8;
    utf8.feed(bytes.data(), bytes.size());
    if (utf8.valid())
        return bytes;
    std::string shown;
    char buffer[4];
    for (const char byte : bytes)
        shown.append(buffer,
                     putUtf8(windows1252CodePoint(static_cast<unsigned char>(byte)), buffer));
    return shown;
}

} // namespace kinsight
