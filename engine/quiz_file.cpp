#include "quiz_file.h"

#include "quiz_error.h"
#include "text.h"

#include <limits>

namespace kinsight {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}

// Whether the whole file is UTF-8; decided before the first field, since a
// single stray byte anywhere means the file was saved in the old code page.
bool fileIsUtf8(std::FILE* file, std::vector<char>& buffer) {
    Utf8Validator validator;
    std::size_t got;
    while (!validator.failed() && (got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
        validator.feed(buffer.data(), got);
    return validator.valid();
}

} // namespace

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
    m_buffer.resize(kChunk);
    m_windows1252 = !fileIsUtf8(m_file, m_buffer);
    std::rewind(m_file);
    m_pos = m_end = 0;
    m_consumed = 0;
    m_line = 1;
    m_lastWasLineEnd = true;
    m_fieldLine = 0;
    m_fieldQuoted = false;
    // A byte-order mark is not part of the title.
    static constexpr unsigned char bom[3] = {0xEF, 0xBB, 0xBF};
    if (refill() && m_end >= 3 && static_cast<unsigned char>(m_buffer[0]) == bom[0] &&
        static_cast<unsigned char>(m_buffer[1]) == bom[1] &&
        static_cast<unsigned char>(m_buffer[2]) == bom[2])
        m_pos = 3;
}

void QuizFile::close() {
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_pos = m_end = 0;
}

bool QuizFile::refill() {
    if (!m_file)
        return false;
    m_consumed += m_end;
    m_pos = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    return m_end > 0;
}

void QuizFile::appendBytes(const char* data, std::size_t size) {
    if (!m_windows1252) {
        m_field.append(data, size);
        return;
    }
    for (std::size_t i = 0; i < size; ++i)
        appendWindows1252(m_field, static_cast<unsigned char>(data[i]));
}

int QuizFile::appendUntil(char stop1, char stop2, char stop3) {
    for (;;) {
        if (m_field.size() > kMaxFieldBytes)
            return kTooLong;
        if (m_pos == m_end && !refill())
            return kEndOfFile;
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const char* p = begin;
        while (p != end && *p != stop1 && *p != stop2 && *p != stop3)
            ++p;
        appendBytes(begin, static_cast<std::size_t>(p - begin));
        m_pos += static_cast<std::size_t>(p - begin);
        if (m_field.size() > kMaxFieldBytes)
            return kTooLong;
        if (p != end)
            return static_cast<unsigned char>(*p);
    }
}

bool QuizFile::takeLineEnd() {
    const int c = peek();
    if (c == '\r') {
        advance();
        if (peek() == '\n')
            advance();
    } else if (c == '\n') {
        advance();
    } else {
        return false;
    }
    // A file of billions of line ends still counts without overflowing.
    if (m_line < std::numeric_limits<int>::max())
        ++m_line;
    return true;
}

void QuizFile::failTooLong(std::string_view reading) const {
    std::string detail(reading);
    if (!detail.empty())
        detail += "; ";
    detail += "over " + std::to_string(kMaxFieldBytes >> 20) + " MiB";
    throw QuizError(Failure::FieldTooLong, m_displayName, m_fieldLine, std::move(detail));
}

bool QuizFile::atEnd() {
    return peek() < 0;
}

const std::string& QuizFile::readField(std::string_view reading) {
    if (atEnd()) {
        // Point at the line of the last field, not the one after the final
        // line end.
        const int line = (m_lastWasLineEnd && m_line > 1) ? m_line - 1 : m_line;
        throw QuizError(Failure::InputPastEndOfFile, m_displayName, line, std::string(reading));
    }
    m_field.clear();
    m_fieldQuoted = false;
    int c;
    while (isBlank(c = peek()))
        advance();
    m_fieldLine = m_line;

    if (c == '"') {
        m_fieldQuoted = true;
        advance();
        // A quoted text may run over line ends; each becomes one newline.
        while ((c = appendUntil('"', '\r', '\n')) == '\r' || c == '\n') {
            takeLineEnd();
            m_field += '\n';
        }
        if (c == kTooLong)
            failTooLong(reading);
        if (c == '"')
            advance();
        while ((c = peek()) >= 0 && c != ',' && c != '\r' && c != '\n')
            advance();
    } else {
        c = appendUntil(',', '\r', '\n');
        while (!m_field.empty() && isBlank(m_field.back()))
            m_field.pop_back();
    }
    if (c == kTooLong)
        failTooLong(reading);

    if (c == ',') {
        advance();
        m_lastWasLineEnd = false;
    } else {
        m_lastWasLineEnd = takeLineEnd();
    }
    return m_field;
}

} // namespace kinsight
