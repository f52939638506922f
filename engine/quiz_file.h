// QuizFile: the sequential field reader on a quiz file.
//
// A field ends at a comma or a line end (CR LF, LF or CR); blanks before it
// are dropped, and so are blanks after an unquoted field. A field that starts
// with a double quote runs to the next double quote and may hold commas;
// whatever follows the closing quote up to the next comma or line end is
// dropped. An empty line is one empty field. The file is read in chunks, so a
// quiz of any length takes the same memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

class QuizFile {
public:
    // No quiz needs a field this long; a stray quote that swallows a huge
    // file is stopped here rather than by running out of memory.
    static constexpr std::size_t kMaxFieldBytes = std::size_t{64} << 20;

    QuizFile() = default;
    ~QuizFile();
    QuizFile(const QuizFile&) = delete;
    QuizFile& operator=(const QuizFile&) = delete;

    // Opens the file for reading from its start. displayName is what errors
    // about its fields call it; a missing file is named by its full path.
    // Throws QuizError (File not found), also for a folder, a device or a pipe.
    void open(const std::filesystem::path& path, std::string displayName);
    void close();
    bool isOpen() const { return m_file != nullptr; }

    // The next field, as UTF-8. The reference stays valid until the next call.
    // Throws QuizError (Input past end of file, Field too long), naming
    // `reading` as what was being read or sought.
    const std::string& readField(std::string_view reading);

    // True once every field has been read.
    bool atEnd();

    // Line on which the last field read starts (1-based).
    int fieldLine() const { return m_fieldLine; }
    // True if the last field was written in double quotes.
    bool fieldQuoted() const { return m_fieldQuoted; }
    const std::string& displayName() const { return m_displayName; }
    // True if the file is not UTF-8 and is read as Windows-1252.
    bool isWindows1252() const { return m_windows1252; }
    std::uint64_t bytesRead() const { return m_consumed + m_pos; }

private:
    int peek() {
        if (m_pos == m_end && !refill())
            return -1;
        return static_cast<unsigned char>(m_buffer[m_pos]);
    }
    void advance() { ++m_pos; }
    bool refill();
    static constexpr int kEndOfFile = -1;
    static constexpr int kTooLong = -2;
    // Appends bytes up to (not including) the first of the stop bytes, across
    // buffer refills; returns that byte, kEndOfFile, or kTooLong once the
    // field is over kMaxFieldBytes.
    int appendUntil(char stop1, char stop2, char stop3);
    void appendBytes(const char* data, std::size_t size);
    [[noreturn]] void failTooLong(std::string_view reading) const;
    // Consumes a line end if one is next; true if it did.
    bool takeLineEnd();

    std::FILE* m_file = nullptr;
    std::string m_displayName;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::uint64_t m_consumed = 0;
    int m_line = 1;
    bool m_lastWasLineEnd = true;
    bool m_windows1252 = false;
    std::string m_field;
    int m_fieldLine = 0;
    bool m_fieldQuoted = false;
};

} // namespace kinsight
