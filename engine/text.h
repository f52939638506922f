// Small text helpers the quiz reader needs: telling UTF-8 from Windows-1252,
// converting the latter, and reading numbers the forgiving way quiz files expect.
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

// Appends the UTF-8 form of one Windows-1252 byte.
void appendWindows1252(std::string& out, unsigned char byte);

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

} // namespace kinsight
