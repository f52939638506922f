// QuizFile: the sequential field reader on a quiz file's text, as
// readQuizText gives it.
//
// A field ends at a comma or a line end (CR LF, LF or CR); blanks before it
// are dropped, and so are blanks after an unquoted field. A field that starts
// with a double quote runs to the next double quote and may hold commas;
// whatever follows the closing quote up to the next comma or line end is
// dropped. An empty line is one empty field.
#pragma once

#include "quiz_text_reader.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kinsight {

class QuizFile {
public:
    // The longest field, in UTF-8 bytes: far beyond any real quiz, and
    // within what a window can show and a message box can hold.
    static constexpr std::size_t kMaxFieldBytes = 64 * 1024;

    // Starts reading text from its first field.
    void open(std::shared_ptr<const QuizText> text);
    void close();
    bool isOpen() const { return m_text != nullptr; }

    // The next field, as UTF-8. The text stays valid until the next call of
    // readField. Throws QuizError (Input past end of file, Field too long),
    // naming `reading` as what was being read or sought.
    std::string_view readField(std::string_view reading);

    // True once every field has been read.
    bool atEnd() const { return m_pos >= m_all.size(); }

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
    const std::string& displayName() const;
    // True if the file is not UTF-8 and is read as Windows-1252.
    bool isWindows1252() const { return m_text && m_text->windows1252; }

private:
    // Moves past the line end at p.
    const char* takeLineEnd(const char* p);
    [[noreturn]] void failTooLong(std::string_view reading) const;

    std::shared_ptr<const QuizText> m_text;
    std::string_view m_all; // m_text's text, or nothing when closed
    std::size_t m_pos = 0;
    int m_line = 1;
    bool m_lastWasLineEnd = true;
    std::string m_field; // a quoted field over several lines, with its line ends made LF
    int m_fieldLine = 0;
    bool m_fieldQuoted = false;
    std::string_view m_dropped;
    bool m_quoteUnclosed = false;
};

} // namespace kinsight
