// QuizFile: the sequential field reader on a quiz file.
//
// A field ends at a comma or a line end (CR LF, LF or CR); blanks before it
// are dropped, and so are blanks after an unquoted field. A field that starts
// with a double quote runs to the next double quote and may hold commas;
// whatever follows the closing quote up to the next comma or line end is
// dropped. An empty line is one empty field.
//
// A pass reads the whole file into memory once, as UTF-8, and takes its
// fields from there: whatever happens to the file during the pass (saved in
// place, truncated, replaced, grown), the pass plays the quiz as it was when
// it began. The file may be UTF-8 (with or without a byte-order mark),
// Windows-1252, or UTF-16 with its byte-order mark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kinsight {

// A quiz file's whole text, read once.
struct QuizText {
    struct Free {
        void operator()(char* bytes) const;
    };
    std::string displayName;             // what errors about its fields call it
    std::unique_ptr<char, Free> storage; // the bytes text is in
    std::string_view text;               // UTF-8, without a byte-order mark
    bool windows1252 = false;
    // A file of UTF-8 letters but for a byte that is not UTF-8: it is read
    // as Windows-1252 all the same, which garbles those letters.
    struct StrayByte {
        int line = 0; // of the first byte that is not UTF-8
        unsigned char byte = 0;
        std::string letter; // the first UTF-8 letter of the file, as UTF-8
    };
    std::optional<StrayByte> strayByte;
};

// How a quiz file is read; tests set their own.
struct QuizFileLimits {
    std::size_t blockBytes = 256 * 1024;                  // read from the file at a time
    std::uintmax_t fileBytes = std::uintmax_t{256} << 20; // the most a quiz file may hold
};

class QuizFile {
public:
    // The longest field, in UTF-8 bytes: far beyond any real quiz, and
    // within what a window can show and a message box can hold.
    static constexpr std::size_t kMaxFieldBytes = 64 * 1024;

    using Limits = QuizFileLimits;

    explicit QuizFile(Limits limits = {}) : m_limits(limits) {}
    void setLimits(Limits limits) { m_limits = limits; }

    // The whole file as UTF-8. displayName is what errors about its fields
    // call it; a file that cannot be read is named by its full path. Throws
    // QuizError: the name fileError gives, Out of memory past the limit,
    // Not a text file (naming the first line with a NUL character).
    std::shared_ptr<const QuizText> read(const std::filesystem::path& path,
                                         std::string displayName) const;

    // Starts reading text, or the file read now, from its first field.
    void open(std::shared_ptr<const QuizText> text);
    void open(const std::filesystem::path& path, std::string displayName) {
        open(read(path, std::move(displayName)));
    }
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

    Limits m_limits;
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
