// The tests' one builder of quiz texts: "a quiz with these questions and
// weights", laid out as an author would and written with CR LF line ends the
// way quiz authors save them.
#pragma once

#include <string>
#include <utility>
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
            if (n > 0)
                out.emplace_back("NewQuestion:");
            out.push_back(numbered("Question ", n + 1));
            const std::vector<std::string> body = questionLines(n);
            out.insert(out.end(), body.begin(), body.end());
        }
        out.insert(out.end(), {"NewQuestion:", "ENDQUESTIONS"});
        out.insert(out.end(), m_trailer.begin(), m_trailer.end());
        return out;
    }
    // Question n (from 0): its text and its six answer blocks, each closed
    // by an empty line.
    std::vector<std::string> questionLines(std::size_t n) const {
        const Question& q = m_questions.at(n);
        std::vector<std::string> out{q.text};
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
