#include "quiz_file.h"

#include "quiz_error.h"

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kinsight {

namespace {

// The chunk buffer reaches this far past its text, so a vector load that
// starts inside the text never leaves it.
constexpr std::size_t kPadding = 16;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first of the three bytes in [p, end), or end. Fields are short, so the
// test is made sixteen bytes at a time rather than once per byte.
const char* findAny(const char* p, const char* end, char a, char b, char c) {
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    for (; p < end; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, va), _mm_cmpeq_epi8(bytes, vb)),
                         _mm_cmpeq_epi8(bytes, vc));
        if (const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits))) {
            const char* hit = p + __builtin_ctz(mask);
            return hit < end ? hit : end;
        }
    }
    return end;
#else
    while (p != end && *p != a && *p != b && *p != c)
        ++p;
    return p;
#endif
}

std::string_view dropped(const char* begin, const char* end) {
    return std::string_view(
        begin, std::min(static_cast<std::size_t>(end - begin), QuizFile::kMaxDroppedBytes));
}

} // namespace

QuizFile::QuizFile(std::size_t chunkBytes) : m_maxChunk(chunkBytes > 0 ? chunkBytes : 1) {}

QuizFile::~QuizFile() {
    close();
}

void QuizFile::open(const std::filesystem::path& path, std::string displayName) {
    close();
    m_displayName = std::move(displayName);
    std::error_code ec;
    const auto type = std::filesystem::status(path, ec).type();
    if (type == std::filesystem::file_type::directory)
        throw QuizError(Failure::FileNotFound, path.string(), 0, "it is a folder");
    // A device or a pipe may never end, or cannot be read twice.
    if (!ec && type != std::filesystem::file_type::regular)
        throw QuizError(Failure::FileNotFound, path.string(), 0, "it is not a plain file");
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        throw QuizError(Failure::FileNotFound, path.string(), 0, "");
    // A small quiz needs no large buffers; should it grow meanwhile, it is
    // still read whole, in more chunks.
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    m_chunk =
        ec ? m_maxChunk : static_cast<std::size_t>(std::clamp<std::uintmax_t>(size, 1, m_maxChunk));

    m_buffer.assign(m_chunk + kPadding, '\0');
    bool hasNul = false;
    m_encoding = sniff(m_buffer, hasNul);
    if (m_encoding != Encoding::Utf8) {
        m_raw.assign(m_chunk, '\0');
        m_buffer.assign(std::max(3 * m_chunk, Utf16Decoder::maxOutput(m_chunk) + 6) + kPadding,
                        '\0');
    }
    if (m_encoding == Encoding::Utf16) {
        rewind();
        while (!hasNul && refill())
            hasNul = std::memchr(m_buffer.data(), 0, m_end) != nullptr;
    }
    if (hasNul) {
        // Most likely UTF-16 without its byte-order mark, or no text at all.
        const int line = lineOfFirstNul();
        close();
        throw QuizError(Failure::NotText, m_displayName, line,
                        "this line holds a NUL byte; save the quiz as UTF-8");
    }
    rewind();
}

QuizFile::Encoding QuizFile::sniff(std::vector<char>& scratch, bool& hasNul) {
    unsigned char head[3] = {};
    const std::size_t got = std::fread(head, 1, sizeof head, m_file);
    if (got >= 2 &&
        ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF))) {
        m_start = 2;
        m_utf16 = Utf16Decoder(head[0] == 0xFE);
        return Encoding::Utf16;
    }
    // A byte-order mark is not part of the title.
    m_start = (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) ? 3 : 0;
    // Whether the whole file is UTF-8 is decided before the first field,
    // since a single stray byte anywhere means it was saved in the old code
    // page.
    std::fseek(m_file, 0, SEEK_SET);
    Utf8Validator validator;
    std::size_t size;
    while ((size = std::fread(scratch.data(), 1, m_chunk, m_file)) > 0) {
        if (!validator.failed())
            validator.feed(scratch.data(), size);
        if (!hasNul)
            hasNul = std::memchr(scratch.data(), 0, size) != nullptr;
        if (hasNul && validator.failed())
            break;
    }
    return validator.valid() ? Encoding::Utf8 : Encoding::Windows1252;
}

int QuizFile::lineOfFirstNul() {
    rewind();
    int line = 1;
    bool afterCr = false;
    while (refill()) {
        for (std::size_t i = 0; i < m_end; ++i) {
            const char c = m_buffer[i];
            if (c == '\0')
                return line;
            if ((c == '\r' || (c == '\n' && !afterCr)) && line < std::numeric_limits<int>::max())
                ++line;
            afterCr = c == '\r';
        }
    }
    return line;
}

void QuizFile::close() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_pos = m_end = 0;
    m_skipLf = false;
}

void QuizFile::rewind() {
    std::fseek(m_file, m_start, SEEK_SET);
    m_utf16.reset();
    m_pos = m_end = 0;
    m_skipLf = false;
    m_line = 1;
    m_lastWasLineEnd = true;
    m_fieldLine = 0;
    m_fieldQuoted = false;
}

bool QuizFile::refill() {
    m_pos = m_end = 0;
    if (!m_file)
        return false;
    if (m_encoding == Encoding::Utf8) {
        m_end = std::fread(m_buffer.data(), 1, m_chunk, m_file);
        return m_end > 0;
    }
    std::size_t got;
    do {
        got = std::fread(m_raw.data(), 1, m_chunk, m_file);
        char* out = m_buffer.data();
        if (m_encoding == Encoding::Windows1252) {
            for (std::size_t i = 0; i < got; ++i) {
                const auto byte = static_cast<unsigned char>(m_raw[i]);
                if (byte < 0x80)
                    *out++ = static_cast<char>(byte);
                else
                    out = putUtf8(windows1252CodePoint(byte), out);
            }
        } else {
            out = got > 0 ? m_utf16.feed(m_raw.data(), got, out) : m_utf16.finish(out);
        }
        m_end = static_cast<std::size_t>(out - m_buffer.data());
    } while (m_end == 0 && got > 0); // half a UTF-16 character gives nothing yet
    return m_end > 0;
}

bool QuizFile::fillSlow() {
    for (;;) {
        if (m_pos == m_end && !refill()) {
            m_skipLf = false;
            return false;
        }
        if (!m_skipLf)
            return true;
        m_skipLf = false;
        if (m_buffer[m_pos] == '\n')
            ++m_pos;
    }
}

void QuizFile::takeLineEnd() {
    if (m_buffer[m_pos++] == '\r') {
        // The LF of a CR LF may be in the next chunk; reading it now would
        // overwrite the field just cut from this one.
        if (m_pos == m_end)
            m_skipLf = true;
        else if (m_buffer[m_pos] == '\n')
            ++m_pos;
    }
    // A file of billions of line ends still counts without overflowing.
    if (m_line < std::numeric_limits<int>::max())
        ++m_line;
}

int QuizFile::appendUntil(char stop1, char stop2, char stop3) {
    for (;;) {
        if (m_field.size() > kMaxFieldBytes)
            return kTooLong;
        if (!fill())
            return kEndOfFile;
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const char* p = findAny(begin, end, stop1, stop2, stop3);
        m_field.append(begin, p);
        m_pos = static_cast<std::size_t>(p - m_buffer.data());
        if (m_field.size() > kMaxFieldBytes)
            return kTooLong;
        if (p != end)
            return static_cast<unsigned char>(*p);
    }
}

int QuizFile::skipToFieldEnd() {
    for (;;) {
        if (!fill()) {
            m_dropped = m_droppedText;
            return kEndOfFile;
        }
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const char* p = findAny(begin, end, ',', '\r', '\n');
        m_droppedText.append(begin, std::min<std::size_t>(static_cast<std::size_t>(p - begin),
                                                          kMaxDroppedBytes - m_droppedText.size()));
        m_pos = static_cast<std::size_t>(p - m_buffer.data());
        if (p != end) {
            m_dropped = m_droppedText;
            return static_cast<unsigned char>(*p);
        }
    }
}

void QuizFile::failTooLong(std::string_view reading) const {
    std::string detail(reading);
    if (!detail.empty())
        detail += "; ";
    detail += "over " + std::to_string(kMaxFieldBytes >> 20) + " MiB";
    throw QuizError(Failure::FieldTooLong, m_displayName, m_fieldLine, std::move(detail));
}

// Most fields lie within the chunk and are handed out where they stand; one
// that runs into the next chunk is put together in m_field.
std::string_view QuizFile::readUnquoted(int& stop) {
    const char* begin = m_buffer.data() + m_pos;
    const char* end = m_buffer.data() + m_end;
    const char* p = findAny(begin, end, ',', '\r', '\n');
    std::string_view field;
    if (p != end) {
        m_pos = static_cast<std::size_t>(p - m_buffer.data());
        stop = static_cast<unsigned char>(*p);
        field = std::string_view(begin, static_cast<std::size_t>(p - begin));
    } else {
        m_field.assign(begin, end);
        m_pos = m_end;
        stop = appendUntil(',', '\r', '\n');
        field = m_field;
    }
    if (field.size() > kMaxFieldBytes)
        stop = kTooLong;
    while (!field.empty() && isBlank(field.back()))
        field.remove_suffix(1);
    return field;
}

std::string_view QuizFile::readQuoted(int& stop) {
    const char* begin = m_buffer.data() + m_pos;
    const char* end = m_buffer.data() + m_end;
    const char* close = findAny(begin, end, '"', '\r', '\n');
    if (close != end && *close == '"') {
        const std::string_view field(begin, static_cast<std::size_t>(close - begin));
        const char* p = findAny(close + 1, end, ',', '\r', '\n');
        m_pos = static_cast<std::size_t>(p - m_buffer.data());
        m_dropped = dropped(close + 1, p);
        if (field.size() > kMaxFieldBytes) {
            stop = kTooLong;
            return {};
        }
        if (p != end) {
            stop = static_cast<unsigned char>(*p);
            return field;
        }
        // What follows the quote runs into the next chunk, which overwrites this one.
        m_field.assign(field);
        m_droppedText.assign(m_dropped);
        stop = skipToFieldEnd();
        return m_field;
    }
    // A quoted text may run over line ends; each becomes one newline.
    m_field.clear();
    int c;
    while ((c = appendUntil('"', '\r', '\n')) == '\r' || c == '\n') {
        takeLineEnd();
        m_field += '\n';
    }
    if (c == '"') {
        ++m_pos;
        m_droppedText.clear();
        c = skipToFieldEnd();
    } else {
        m_quoteUnclosed = c == kEndOfFile;
    }
    stop = c;
    return m_field;
}

std::string_view QuizFile::readField(std::string_view reading) {
    m_dropped = {};
    m_quoteUnclosed = false;
    // The common case in a few steps: an unquoted field or a quoted one on
    // one line, with its comma or line end in this chunk.
    if (m_pos < m_end && !m_skipLf) {
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const char first = *begin;
        std::string_view field;
        const char* stop = end;
        if (first == '"') {
            const char* close = findAny(begin + 1, end, '"', '\r', '\n');
            if (close != end && *close == '"') {
                field = std::string_view(begin + 1, static_cast<std::size_t>(close - begin - 1));
                stop = findAny(close + 1, end, ',', '\r', '\n');
                m_dropped = dropped(close + 1, stop);
            }
        } else if (!isBlank(first)) {
            stop = findAny(begin, end, ',', '\r', '\n');
            field = std::string_view(begin, static_cast<std::size_t>(stop - begin));
            while (!field.empty() && isBlank(field.back()))
                field.remove_suffix(1);
        }
        // A CR LF must be whole in the chunk, and the limit is checked by the
        // general way.
        if (end - stop >= 2 && field.size() <= kMaxFieldBytes) {
            m_fieldLine = m_line;
            m_fieldQuoted = first == '"';
            m_lastWasLineEnd = *stop != ',';
            if (m_lastWasLineEnd) {
                stop += stop[0] == '\r' && stop[1] == '\n';
                if (m_line < std::numeric_limits<int>::max())
                    ++m_line;
            }
            m_pos = static_cast<std::size_t>(stop + 1 - m_buffer.data());
            return field;
        }
    }
    return readFieldAnyhow(reading);
}

std::string_view QuizFile::readFieldAnyhow(std::string_view reading) {
    m_dropped = {};
    if (!fill()) {
        // Point at the line of the last field, not the one after the final
        // line end.
        const int line = (m_lastWasLineEnd && m_line > 1) ? m_line - 1 : m_line;
        throw QuizError(Failure::InputPastEndOfFile, m_displayName, line, std::string(reading));
    }
    while (isBlank(m_buffer[m_pos])) {
        ++m_pos;
        if (!fill())
            break;
    }
    m_fieldLine = m_line;
    m_fieldQuoted = m_pos < m_end && m_buffer[m_pos] == '"';
    int stop;
    std::string_view field;
    if (m_fieldQuoted) {
        ++m_pos;
        field = readQuoted(stop);
    } else {
        field = readUnquoted(stop);
    }
    if (stop == kTooLong)
        failTooLong(reading);
    if (stop == ',') {
        ++m_pos;
        m_lastWasLineEnd = false;
    } else if (stop == kEndOfFile) {
        // A quote never closed may have taken the file's last line end.
        m_lastWasLineEnd = m_quoteUnclosed && !field.empty() && field.back() == '\n';
    } else {
        takeLineEnd();
        m_lastWasLineEnd = true;
    }
    return field;
}

} // namespace kinsight
