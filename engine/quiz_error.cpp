#include "quiz_error.h"

namespace kinsight {

const char* failureName(Failure failure) {
    switch (failure) {
    case Failure::FileNotFound:
        return "File not found";
    case Failure::InputPastEndOfFile:
        return "Input past end of file";
    case Failure::SubscriptOutOfRange:
        return "Subscript out of range";
    case Failure::FieldTooLong:
        return "Field too long";
    case Failure::NotText:
        return "Not a text file";
    }
    return "Unknown failure";
}

namespace {

// way.txt:37: Input past end of file (looking for "A3)")
std::string describe(Failure failure, const std::string& file, int line,
                     const std::string& detail) {
    std::string text = file;
    if (line > 0)
        text += ':' + std::to_string(line);
    text += ": ";
    text += failureName(failure);
    if (!detail.empty())
        text += " (" + detail + ')';
    return text;
}

} // namespace

QuizError::QuizError(Failure failure, std::string file, int line, std::string detail)
    : std::runtime_error(describe(failure, file, line, detail)), m_failure(failure),
      m_file(std::move(file)), m_line(line), m_detail(std::move(detail)) {}

} // namespace kinsight
