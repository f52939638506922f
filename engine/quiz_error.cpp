#include "quiz_error.h"

#include "translation.h"

#include <cerrno>
#include <system_error>

namespace kinsight {

const char* failureName(Failure failure) {
    switch (failure) {
    case Failure::FileNotFound:
        return i18n("File not found");
    case Failure::InputPastEndOfFile:
        return i18n("Input past end of file");
    case Failure::SubscriptOutOfRange:
        return i18n("Subscript out of range");
    case Failure::FieldTooLong:
        return i18n("Field too long");
    case Failure::NotText:
        return i18n("Not a text file");
    case Failure::PermissionDenied:
        return i18n("Permission denied");
    case Failure::TooManyFiles:
        return i18n("Too many files");
    case Failure::DeviceIOError:
        return i18n("Device I/O error");
    case Failure::PathFileAccessError:
        return i18n("Path/File access error");
    case Failure::OutOfMemory:
        return i18n("Out of memory");
    }
    return i18n("Unknown failure");
}

std::string failureMessage(Failure failure, const std::string& detail) {
    if (detail.empty())
        return failureName(failure);
    if (failure == Failure::SubscriptOutOfRange)
        return fillIn(i18n("{1} ({2})"), {detail, failureName(failure)});
    return fillIn(i18n("{1} ({2})"), {failureName(failure), detail});
}

namespace {

// way.txt:37: Input past end of file (looking for "A3)")
std::string describe(Failure failure, const std::string& file, int line,
                     const std::string& detail) {
    std::string text = file;
    if (line > 0)
        text += ':' + std::to_string(line);
    return text + ": " + failureMessage(failure, detail);
}

} // namespace

QuizError::QuizError(Failure failure, std::string file, int line, std::string detail)
    : std::runtime_error(describe(failure, file, line, detail)), m_failure(failure),
      m_file(std::move(file)), m_line(line), m_detail(std::move(detail)) {}

std::string failureReport(const QuizError& error) {
    std::string text = error.what();
    if (!error.explanation().empty())
        text += '\n' + error.file() + ':' + std::to_string(error.explanationLine()) + ": " +
                error.explanation();
    return text;
}

QuizError fileError(const std::string& path, int error) {
    switch (error) {
    case 0:
        return {Failure::PathFileAccessError, path, 0, i18n("it is not a plain file")};
    case ENOENT:
    case ENOTDIR:
        return {Failure::FileNotFound, path, 0, ""};
    case EISDIR:
        return {Failure::FileNotFound, path, 0, i18n("it is a folder")};
    case EACCES:
    case EPERM:
        return {Failure::PermissionDenied, path, 0, ""};
    case EMFILE:
    case ENFILE:
        return {Failure::TooManyFiles, path, 0, ""};
    case EIO:
        return {Failure::DeviceIOError, path, 0, ""};
    case ENOMEM:
        return {Failure::OutOfMemory, path, 0, ""};
    default:
        return {Failure::PathFileAccessError, path, 0, std::generic_category().message(error)};
    }
}

} // namespace kinsight
