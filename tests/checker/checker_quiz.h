// Quizzes for the checker's tests: a small clean quiz, cut into the parts a
// test bends one at a time, written with CR LF line ends. A line that ends in
// " <--" is one a diagnostic should point at; the marker is stripped and its
// line number kept.
#pragma once

#include "quiz_text.h"
#include "temp_dir.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace kinsight::test {

inline const std::vector<std::string> kNames = {"Ann", "Bob", "Cid", "Dee", "Eve",
                                                "Fay", "Gus", "Hal", "Ivy", "Jon",
                                                "Kim", "Lou", "Max", "Ned", "Oda"};

// Three questions; every character has an answer of its own, so each can win
// alone and no two always tie.
inline QuizBuilder cleanQuiz() {
    QuizBuilder quiz;
    quiz.names(kNames)
        .question({"\"Tea, or coffee?\"",
                   {{"Tea", {"C01=5"}},
                    {"\"Coffee, black\"", {"C02=5"}},
                    {"Water", {"C03=5"}},
                    {"Juice", {"C04=5"}},
                    {"Milk", {"C05=5"}},
                    {"Nothing", {"C06=5"}}}})
        .question({"Which season?",
                   {{"Spring", {"C07=5"}},
                    {"Summer", {"C08=5"}},
                    {"Autumn", {"C09=5"}},
                    {"Winter", {"C10=5"}},
                    {"All of them", {"C11=5"}},
                    {"None", {"C12=5"}}}})
        .question({"Which colour?",
                   {{"Red", {"C13=5"}},
                    {"Green", {"C14=5"}},
                    {"Blue", {"C15=5"}},
                    {"Grey", {"C01=3", "C02=1"}},
                    {"White", {"C03=2"}},
                    {"Black", {"C07=3"}}}});
    return quiz;
}

// Lines each followed by a bare LF, the form the parts are bent in.
inline std::string lf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        (text += line) += '\n';
    return text;
}

// The clean quiz in parts; text() puts them together again.
struct QuizParts {
    std::string head = "Test quiz\nMade for the checker's tests\n";
    std::vector<std::string> names = kNames;
    std::string afterNames = "\nStart:\nQuestion 1\n";
    std::vector<std::string> questions = {lf(cleanQuiz().questionLines(0)),
                                          lf(cleanQuiz().questionLines(1)),
                                          lf(cleanQuiz().questionLines(2))};
    std::string end = "NewQuestion:\nENDQUESTIONS\n";
    // The marker before questions 2 and 3.
    std::string newQuestion = "NewQuestion:";

    std::string text() const {
        std::string out = head;
        for (const std::string& name : names)
            out += name + "\n";
        out += afterNames;
        for (std::size_t q = 0; q < questions.size(); ++q) {
            if (q > 0)
                out += newQuestion + "\nQuestion " + std::to_string(q + 1) + "\n";
            out += questions[q];
        }
        return out + end;
    }
};

// Replaces the first `from` at or after the n-th (0-based) occurrence of `after`.
inline void replaceOnce(std::string& text, const std::string& from, const std::string& to,
                        const std::string& after = "", int n = 0) {
    std::size_t start = 0;
    for (int i = 0; !after.empty() && i <= n; ++i) {
        start = text.find(after, i == 0 ? 0 : start + 1);
        if (start == std::string::npos)
            throw std::logic_error("no \"" + after + "\" in the quiz");
    }
    const std::size_t at = text.find(from, start);
    if (at == std::string::npos)
        throw std::logic_error("no \"" + from + "\" in the quiz");
    text.replace(at, from.size(), to);
}

struct MarkedText {
    std::string bytes;       // CR LF line ends, markers gone
    std::vector<int> marked; // 1-based lines that carried " <--", in order
};

inline MarkedText withCrLf(const std::string& text) {
    static const std::string kMark = " <--";
    MarkedText out;
    int line = 1;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        const bool lastWithoutEnd = end == std::string::npos;
        if (lastWithoutEnd)
            end = text.size();
        std::string content = text.substr(begin, end - begin);
        if (content.size() >= kMark.size() &&
            content.compare(content.size() - kMark.size(), kMark.size(), kMark) == 0) {
            content.resize(content.size() - kMark.size());
            out.marked.push_back(line);
        }
        out.bytes += content;
        if (!lastWithoutEnd)
            out.bytes += "\r\n";
        ++line;
        begin = end + 1;
    }
    return out;
}

} // namespace kinsight::test
