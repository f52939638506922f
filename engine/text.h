// Small text helpers the quiz reader needs: telling UTF-8 from Windows-1252,
// converting the latter and UTF-16 to UTF-8, and reading numbers the
// forgiving way quiz files expect.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kinsight {

// Checks a byte stream for well-formed UTF-8, fed in chunks of any size.
class Utf8Validator {
public:
    void feed(const char* data, std::size_t size);
    // True if everything fed so far is UTF-8 and no sequence is left open.
    bool valid() const { return !m_bad && m_pending == 0; }
    bool failed() const { return m_bad; }

private:
    int m_pending = 0;       // continuation bytes still expected
    unsigned m_lower = 0x80; // allowed range of the next continuation byte
    unsigned m_upper = 0xBF;
    bool m_bad = false;
};

// The character a Windows-1252 byte stands for.
char32_t windows1252CodePoint(unsigned char byte);

// Writes the UTF-8 form of a code point (1 to 4 bytes) at out; returns its end.
char* putUtf8(char32_t codePoint, char* out);

// Turns UTF-16 bytes into UTF-8, fed in pieces of any size (a character may
// be split between them). Text that is not UTF-16 cannot stop the reading:
// an unpaired surrogate, and a last byte without its partner, become U+FFFD.
class Utf16Decoder {
public:
    explicit Utf16Decoder(bool bigEndian = false) : m_bigEndian(bigEndian) {}
    // Most bytes feed() writes for size bytes of input.
    static constexpr std::size_t maxOutput(std::size_t size) { return 3 * (size / 2 + 2); }
    // Decodes size bytes to out; returns the end of what it wrote.
    char* feed(const char* data, std::size_t size, char* out);
    // The input has ended: writes what a pending byte or surrogate becomes
    // (at most 6 bytes) and starts over.
    char* finish(char* out);
    // Forgets any pending byte or surrogate, for reading from the start again.
    void reset() {
        m_byte = -1;
        m_high = 0;
    }

private:
    char* unit(char32_t value, char* out);

    bool m_bigEndian;
    int m_byte = -1;     // first byte of a unit whose second is still to come
    char32_t m_high = 0; // high surrogate waiting for its low one
};

// The number a text starts with: blanks are ignored anywhere in it, an
// optional sign and digits with at most one decimal point are read up to the
// first character that cannot continue the number; no number gives 0.
double leadingNumber(std::string_view text);

// Rounds half to even, the way a number becomes a table index.
long long roundToIndex(double value);

// Up to count characters (not bytes) of UTF-8 text, from character first (0-based).
std::string_view characters(std::string_view text, std::size_t first, std::size_t count);

// Length of UTF-8 text in characters.
std::size_t characterCount(std::string_view text);

// text with every byte below 0x20, DEL and every byte that is not UTF-8
// written as \xNN, and C1 controls, bidirectional controls and zero-width
// characters as \u{NN}: what a file or a path holds reaches a terminal as
// letters the author can see, never as a command to it.
std::string escapedControls(std::string_view text);
// text without the C1 controls, bidirectional controls and zero-width
// characters that escapedControls shows as \u{NN}: what an author sees of it.
std::string withoutUnseen(std::string_view text);
// The same for text of several lines, each escaped on its own.
std::string escapedLines(std::string_view text);

// ASCII letters lowered and nothing else, whatever the locale: under a
// Turkish one the C library's tolower leaves 'I' as it is.
char asciiLower(char ch);

} // namespace kinsight
