// QuizFile: the sequential field reader on a quiz file.
//
// A field ends at a comma or a line end (CR LF, LF or CR); blanks before it
// are dropped, and so are blanks after an unquoted field. A field that starts
// with a double quote runs to the next double quote and may hold commas;
// whatever follows the closing quote up to the next comma or line end is
// dropped. An empty line is one empty field. The file is read in chunks, so a
// quiz of any length takes the same memory.
//
// The file may be UTF-8 (with or without a byte-order mark), Windows-1252, or
// UTF-16 with its byte-order mark; the fields come out as UTF-8 either way.
#pragma once

#include "text.h"

#include <cstddef>
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
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    // chunkBytes is how much of the file is read at a time; only tests of
    // fields split between chunks want anything but the default.
    explicit QuizFile(std::size_t chunkBytes = kChunkBytes);
    ~QuizFile();
    QuizFile(const QuizFile&) = delete;
    QuizFile& operator=(const QuizFile&) = delete;

    // Opens the file for reading from its start. displayName is what errors
    // about its fields call it; a missing file is named by its full path.
    // Throws QuizError: File not found, also for a folder, a device or a
    // pipe; Not a text file, naming the first line with a NUL character.
    void open(const std::filesystem::path& path, std::string displayName);
    void close();
    bool isOpen() const { return m_file != nullptr; }

    // The next field, as UTF-8. The text stays valid until the next call of
    // readField or atEnd. Throws QuizError (Input past end of file, Field
    // too long), naming `reading` as what was being read or sought.
    std::string_view readField(std::string_view reading);

    // True once every field has been read.
    bool atEnd() { return !fill(); }

    // Line on which the last field read starts (1-based).
    int fieldLine() const { return m_fieldLine; }
    // True if the last field was written in double quotes.
    bool fieldQuoted() const { return m_fieldQuoted; }
    // What the last field dropped after its closing quote, up to the comma or
    // line end (at most kMaxDroppedBytes of it); valid as the field is.
    std::string_view droppedAfterQuote() const { return m_dropped; }
    // True if the last field's opening quote was never closed: it ran to the
    // end of the file.
    bool quoteUnclosed() const { return m_quoteUnclosed; }
    // Enough of dropped text to tell an author what it was.
    static constexpr std::size_t kMaxDroppedBytes = 256;
    const std::string& displayName() const { return m_displayName; }
    // True if the file is not UTF-8 and is read as Windows-1252.
    bool isWindows1252() const { return m_encoding == Encoding::Windows1252; }

private:
    enum class Encoding { Utf8, Windows1252, Utf16 };
    static constexpr int kEndOfFile = -1;
    static constexpr int kTooLong = -2;

    // Makes the next byte available, past a pending LF of a CR LF split
    // between chunks; false at the end of the file.
    bool fill() {
        if (m_pos < m_end && !m_skipLf)
            return true;
        return fillSlow();
    }
    bool fillSlow();
    // The next chunk of the file, as UTF-8, in m_buffer.
    bool refill();
    // Back to the first byte after the byte-order mark.
    void rewind();
    Encoding sniff(std::vector<char>& scratch, bool& hasNul);
    int lineOfFirstNul();

    // readField for every case, also fields split between chunks.
    std::string_view readFieldAnyhow(std::string_view reading);
    std::string_view readUnquoted(int& stop);
    std::string_view readQuoted(int& stop);
    // Appends bytes up to (not including) the first of the stop bytes, across
    // chunks; returns that byte, kEndOfFile, or kTooLong once the field is
    // over kMaxFieldBytes.
    int appendUntil(char stop1, char stop2, char stop3);
    // Skips to the comma or line end after a closing quote.
    int skipToFieldEnd();
    // Consumes the line end at m_pos.
    void takeLineEnd();
    [[noreturn]] void failTooLong(std::string_view reading) const;

    std::size_t m_maxChunk;
    std::size_t m_chunk = 0; // for the open file
    std::FILE* m_file = nullptr;
    std::string m_displayName;
    Encoding m_encoding = Encoding::Utf8;
    long m_start = 0; // length of the byte-order mark
    Utf16Decoder m_utf16;
    std::vector<char> m_raw;    // the file's bytes, when they need converting
    std::vector<char> m_buffer; // UTF-8, with room for a vector load past m_end
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_skipLf = false;
    int m_line = 1;
    bool m_lastWasLineEnd = true;
    std::string m_field; // a field split between chunks, or with line ends in it
    int m_fieldLine = 0;
    bool m_fieldQuoted = false;
    std::string_view m_dropped;
    std::string m_droppedText; // dropped text split between chunks
    bool m_quoteUnclosed = false;
};

} // namespace kinsight
