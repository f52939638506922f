#include "quiz_file.h"

#include "quiz_error.h"
#include "translation.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kinsight {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first of the three bytes in [p, end), or end. Most fields are a few
// dozen bytes, so they are searched sixteen bytes at a time.
const char* findAny(const char* p, const char* end, char a, char b, char c) {
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, va), _mm_cmpeq_epi8(bytes, vb)),
                         _mm_cmpeq_epi8(bytes, vc));
        if (const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)))
            return p + __builtin_ctz(mask);
    }
#endif
    while (p != end && *p != a && *p != b && *p != c)
        ++p;
    return p;
}

} // namespace

void QuizFile::open(std::shared_ptr<const QuizText> text) {
    m_text = std::move(text);
    m_all = m_text ? m_text->text : std::string_view();
    m_pos = 0;
    m_line = 1;
    m_lastWasLineEnd = true;
    m_fieldLine = 0;
    m_fieldQuoted = false;
}

void QuizFile::close() {
    open(nullptr);
}

const std::string& QuizFile::displayName() const {
    static const std::string none;
    return m_text ? m_text->displayName : none;
}

const char* QuizFile::takeLineEnd(const char* p) {
    const char* end = m_all.data() + m_all.size();
    if (*p++ == '\r' && p != end && *p == '\n')
        ++p;
    ++m_line;
    return p;
}

void QuizFile::failTooLong(std::string_view reading) const {
    std::string detail(reading);
    if (!detail.empty())
        detail += "; ";
    detail += fillIn(i18n("over {1}"), {sizeText(kMaxFieldBytes)});
    throw QuizError(Failure::FieldTooLong, displayName(), m_fieldLine, std::move(detail));
}

std::string_view QuizFile::readField(std::string_view reading) {
    const char* const end = m_all.data() + m_all.size();
    const char* p = m_all.data() + m_pos;
    if (p == end) {
        // Point at the line of the last field, not the one after the final
        // line end.
        const int line = (m_lastWasLineEnd && m_line > 1) ? m_line - 1 : m_line;
        throw QuizError(Failure::InputPastEndOfFile, displayName(), line, std::string(reading));
    }
    while (p != end && isBlank(*p))
        ++p;
    m_fieldLine = m_line;
    m_fieldQuoted = p != end && *p == '"';
    m_dropped = {};
    m_quoteUnclosed = false;
    std::string_view field;
    if (m_fieldQuoted) {
        const char* text = ++p;
        p = findAny(p, end, '"', '\r', '\n');
        field = std::string_view(text, static_cast<std::size_t>(p - text));
        if (p != end && *p != '"') {
            // Over several lines: each line end becomes one LF.
            if (field.size() > kMaxFieldBytes)
                failTooLong(reading);
            m_field.assign(field);
            while (p != end && *p != '"') {
                p = takeLineEnd(p);
                text = p;
                p = findAny(p, end, '"', '\r', '\n');
                // A stray quote may swallow the rest of the file: it is
                // stopped here rather than copied.
                if (m_field.size() + 1 + static_cast<std::size_t>(p - text) > kMaxFieldBytes)
                    failTooLong(reading);
                (m_field += '\n').append(text, p);
            }
            field = m_field;
        }
        if (p != end && *p == '"') {
            const char* after = p + 1;
            p = findAny(after, end, ',', '\r', '\n');
            m_dropped = std::string_view(
                after, std::min(static_cast<std::size_t>(p - after), kMaxDroppedBytes));
        } else {
            m_quoteUnclosed = true;
        }
    } else {
        const char* text = p;
        p = findAny(p, end, ',', '\r', '\n');
        field = std::string_view(text, static_cast<std::size_t>(p - text));
        while (!field.empty() && isBlank(field.back()))
            field.remove_suffix(1);
    }
    if (field.size() > kMaxFieldBytes)
        failTooLong(reading);
    // A quote never closed may have taken the file's last line end.
    m_lastWasLineEnd =
        p != end ? *p != ',' : m_quoteUnclosed && !field.empty() && field.back() == '\n';
    if (p != end)
        p = *p == ',' ? p + 1 : takeLineEnd(p);
    m_pos = static_cast<std::size_t>(p - m_all.data());
    return field;
}

} // namespace kinsight
