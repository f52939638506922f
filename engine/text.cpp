#include "text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace kinsight {

namespace {

// True if none of the 32 bytes at data has its high bit set.
bool isAsciiBlock(const char* data) {
    std::uint64_t words[4];
    std::memcpy(words, data, sizeof words);
    return ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080u) == 0;
}

} // namespace

void Utf8Validator::feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size && !m_bad; ++i) {
        // A quiz is mostly ASCII: skip it a block at a time.
        if (m_pending == 0) {
            while (size - i >= 32 && isAsciiBlock(data + i))
                i += 32;
            if (i == size)
                return;
        }
        const unsigned byte = static_cast<unsigned char>(data[i]);
        if (m_pending > 0) {
            if (byte < m_lower || byte > m_upper) {
                m_bad = true;
                return;
            }
            --m_pending;
            m_lower = 0x80;
            m_upper = 0xBF;
            continue;
        }
        if (byte < 0x80)
            continue;
        // Lead bytes, with the tighter second-byte ranges that rule out
        // overlong forms, surrogates and code points past U+10FFFF.
        if (byte >= 0xC2 && byte <= 0xDF) {
            m_pending = 1;
        } else if (byte == 0xE0) {
            m_pending = 2;
            m_lower = 0xA0;
        } else if (byte == 0xED) {
            m_pending = 2;
            m_upper = 0x9F;
        } else if (byte >= 0xE1 && byte <= 0xEF) {
            m_pending = 2;
        } else if (byte == 0xF0) {
            m_pending = 3;
            m_lower = 0x90;
        } else if (byte >= 0xF1 && byte <= 0xF3) {
            m_pending = 3;
        } else if (byte == 0xF4) {
            m_pending = 3;
            m_upper = 0x8F;
        } else {
            m_bad = true;
        }
    }
}

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code points,
// as Windows itself converts them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kReplacement = 0xFFFD;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

char32_t windows1252CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

char* putUtf8(char32_t cp, char* out) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

char* Utf16Decoder::feed(const char* data, std::size_t size, char* out) {
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned byte = static_cast<unsigned char>(data[i]);
        if (m_byte < 0) {
            m_byte = static_cast<int>(byte);
            continue;
        }
        const unsigned first = static_cast<unsigned>(m_byte);
        m_byte = -1;
        out = unit(m_bigEndian ? (first << 8 | byte) : (byte << 8 | first), out);
    }
    return out;
}

char* Utf16Decoder::unit(char32_t value, char* out) {
    const bool high = value >= 0xD800 && value <= 0xDBFF;
    const bool low = value >= 0xDC00 && value <= 0xDFFF;
    if (m_high != 0) {
        const char32_t pending = m_high;
        m_high = 0;
        if (low)
            return putUtf8(0x10000 + ((pending - 0xD800) << 10) + (value - 0xDC00), out);
        out = putUtf8(kReplacement, out);
    }
    if (high) {
        m_high = value;
        return out;
    }
    return putUtf8(low ? kReplacement : value, out);
}

char* Utf16Decoder::finish(char* out) {
    if (m_high != 0)
        out = putUtf8(kReplacement, out);
    if (m_byte >= 0)
        out = putUtf8(kReplacement, out);
    reset();
    return out;
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    double sign = 1.0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            sign = -1.0;
        ++i;
    }
    double value = 0.0;
    double scale = 0.0; // 0 while reading the whole part
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c))
            continue;
        if (c == '.' && scale == 0.0) {
            scale = 0.1;
        } else if (c >= '0' && c <= '9') {
            if (scale == 0.0) {
                value = value * 10.0 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10.0;
            }
        } else {
            break;
        }
    }
    return sign * value;
}

long long roundToIndex(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e15)
        return value < 0 ? -1000000 : 1000000;
    return static_cast<long long>(std::nearbyint(value)); // default mode: half to even
}

std::string_view characters(std::string_view text, std::size_t first, std::size_t count) {
    auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    std::size_t begin = 0;
    for (std::size_t n = 0; n < first && begin < text.size(); ++n) {
        ++begin;
        while (begin < text.size() && isContinuation(text[begin]))
            ++begin;
    }
    std::size_t end = begin;
    for (std::size_t n = 0; n < count && end < text.size(); ++n) {
        ++end;
        while (end < text.size() && isContinuation(text[end]))
            ++end;
    }
    return text.substr(begin, end - begin);
}

std::size_t characterCount(std::string_view text) {
    std::size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

namespace {

// Characters that change how a terminal shows the rest, or that show as
// nothing at all: C1 controls, the bidirectional controls and the
// zero-width characters.
bool unseen(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || c == 0x061C || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

// The code point of the UTF-8 sequence at text[i] and its length; 0 for a
// byte that starts none.
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size())
        return 0;
    c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(k) & 0x3F);
    }
    return length;
}

} // namespace

std::string escapedControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
            ++i;
            continue;
        }
        if (byte < 0x80) {
            shown += text[i++];
            continue;
        }
        char32_t c = 0;
        const std::size_t length = sequenceAt(text, i, c);
        if (length == 0) {
            // Not UTF-8: a raw byte could be a C1 control to the terminal.
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
            ++i;
        } else if (unseen(c)) {
            std::string digits;
            for (char32_t rest = c; rest != 0; rest >>= 4)
                digits.insert(digits.begin(), kHex[rest & 0xF]);
            shown += "\\u{" + digits + "}";
            i += length;
        } else {
            shown.append(text.substr(i, length));
            i += length;
        }
    }
    return shown;
}

std::string withoutUnseen(std::string_view text) {
    std::string seen;
    seen.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length =
            static_cast<unsigned char>(text[i]) < 0x80 ? 0 : sequenceAt(text, i, c);
        if (length != 0 && unseen(c)) {
            i += length;
            continue;
        }
        const std::size_t kept = std::max<std::size_t>(length, 1);
        seen.append(text.substr(i, kept));
        i += kept;
    }
    return seen;
}

std::string escapedLines(std::string_view text) {
    std::string shown;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        shown += escapedControls(text.substr(start, end - start));
        if (end < text.size())
            shown += '\n';
        start = end + 1;
    }
    return shown;
}

char asciiLower(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

} // namespace kinsight
