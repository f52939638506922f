// Quiz files for tests: a temporary folder that cleans up after itself, and
// a small builder for "a quiz with these questions and weights", written with
// CR LF line ends the way quiz authors save them.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace kinsight::test {

// prefix, n and suffix, as in "A3)". Built by appending: GCC 12 warns
// -Wrestrict, wrongly, about "literal" + std::string in optimised builds.
inline std::string numbered(const std::string& prefix, std::size_t n,
                            const std::string& suffix = "") {
    std::string text = prefix;
    text += std::to_string(n);
    text += suffix;
    return text;
}

// Every line followed by CR LF.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kinsight-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Writes bytes exactly as given and returns the file's full path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
        return file;
    }

private:
    std::filesystem::path m_path;
};

struct Answer {
    std::string text;
    std::vector<std::string> weights; // weight fields, without the closing empty line
};

struct Question {
    std::string text;
    std::vector<Answer> answers; // up to six; missing ones get a caption and no weights
};

// Lays a quiz out as an author would: title, a free line, the names, a free
// paragraph, "Start:", then each question with its six answer blocks, and the
// closing "NewQuestion:" / "ENDQUESTIONS".
class QuizBuilder {
public:
    QuizBuilder() {
        for (char c = 'A'; c <= 'O'; ++c)
            m_names.emplace_back(1, c);
    }

    QuizBuilder& title(std::string text) {
        m_title = std::move(text);
        return *this;
    }
    QuizBuilder& names(std::vector<std::string> names) {
        m_names = std::move(names);
        return *this;
    }
    QuizBuilder& question(Question question) {
        m_questions.push_back(std::move(question));
        return *this;
    }
    // A question whose answer k gives the weight fields weights[k - 1].
    QuizBuilder& question(std::string text, std::vector<std::vector<std::string>> weights = {}) {
        Question q{std::move(text), {}};
        for (auto& list : weights)
            q.answers.push_back({"", std::move(list)});
        for (std::size_t k = 0; k < q.answers.size(); ++k)
            q.answers[k].text = numbered("Answer ", k + 1);
        return question(std::move(q));
    }
    // Lines after "ENDQUESTIONS".
    QuizBuilder& trailer(std::vector<std::string> lines) {
        m_trailer = std::move(lines);
        return *this;
    }

    std::vector<std::string> lines() const {
        std::vector<std::string> out{m_title, "A quiz made for a test"};
        out.insert(out.end(), m_names.begin(), m_names.end());
        out.insert(out.end(), {"", "Start:"});
        for (std::size_t n = 0; n < m_questions.size(); ++n) {
            const Question& q = m_questions[n];
            if (n > 0)
                out.emplace_back("NewQuestion:");
            out.push_back(numbered("Question ", n + 1));
            out.push_back(q.text);
            for (std::size_t k = 0; k < 6; ++k) {
                out.push_back(numbered("A", k + 1, ")"));
                if (k < q.answers.size()) {
                    out.push_back(q.answers[k].text);
                    out.emplace_back("Points:");
                    out.insert(out.end(), q.answers[k].weights.begin(), q.answers[k].weights.end());
                } else {
                    out.push_back(numbered("Answer ", k + 1));
                    out.emplace_back("Points:");
                }
                out.emplace_back("");
            }
        }
        out.insert(out.end(), {"NewQuestion:", "ENDQUESTIONS"});
        out.insert(out.end(), m_trailer.begin(), m_trailer.end());
        return out;
    }
    std::string text() const { return crlf(lines()); }

private:
    std::string m_title = "Test quiz";
    std::vector<std::string> m_names;
    std::vector<Question> m_questions;
    std::vector<std::string> m_trailer;
};

} // namespace kinsight::test
