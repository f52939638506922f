// The one kind of failure the quiz engine reports: what went wrong, where in
// which file, and what was being read at the time.
#pragma once

#include <stdexcept>
#include <string>

namespace kinsight {

enum class Failure {
    FileNotFound,
    InputPastEndOfFile,
    SubscriptOutOfRange,
    FieldTooLong,
    NotText,
    PermissionDenied,
    TooManyFiles,
    DeviceIOError,
    PathFileAccessError,
    OutOfMemory,
};

// "File not found", "Input past end of file", "Subscript out of range",
// "Field too long", "Not a text file", "Permission denied", "Too many files",
// "Device I/O error", "Path/File access error", "Out of memory".
const char* failureName(Failure failure);
// The failure's name with its detail after it in brackets; for a character
// out of range, the plain words first and the name after them.
std::string failureMessage(Failure failure, const std::string& detail);

class QuizError : public std::runtime_error {
public:
    // line 0 means the failure is about the file as a whole.
    QuizError(Failure failure, std::string file, int line, std::string detail);

    Failure failure() const { return m_failure; }
    const std::string& file() const { return m_file; }
    int line() const { return m_line; }
    const std::string& detail() const { return m_detail; }

    // What in the file, elsewhere, brought the failure about, and the line it
    // is on: "the marker "Start:" is read as the name of character 14: ...".
    // Found by the dry run, which reads the whole quiz.
    void explain(int line, std::string explanation) {
        m_explanationLine = line;
        m_explanation = std::move(explanation);
    }
    const std::string& explanation() const { return m_explanation; }
    int explanationLine() const { return m_explanationLine; }

private:
    Failure m_failure;
    std::string m_file;
    int m_line;
    std::string m_detail;
    std::string m_explanation;
    int m_explanationLine = 0;
};

// What every report of a failure shows: the error with its line, then the
// explanation, if there is one, on a line of its own with its line.
std::string failureReport(const QuizError& error);

// Why a quiz file at path cannot be read, named for what it is: error is the
// system's error number (errno), or 0 for a path that opens but is neither a
// plain file nor a folder (a pipe, a device).
QuizError fileError(const std::string& path, int error);

} // namespace kinsight
