// Quizzes for the checker's tests: a small clean quiz whose parts a test
// bends one at a time, written to a temporary folder with CR LF line ends and
// a Pictures folder. A line that ends in " <--" is one a diagnostic should
// point at; the marker is stripped and its line number kept.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace kinsight::test {

inline const std::vector<std::string> kNames = {"Ann", "Bob", "Cid", "Dee", "Eve",
                                                "Fay", "Gus", "Hal", "Ivy", "Jon",
                                                "Kim", "Lou", "Max", "Ned", "Oda"};

inline std::string answerBlock(int k, const std::string& text, const std::string& weights) {
    return "A" + std::to_string(k) + ")\n" + text + "\nPoints:\n" + weights + "\n";
}

// Three questions; every character has an answer of its own, so each can win
// alone and no two always tie.
struct QuizParts {
    std::string head = "Test quiz\nMade for the checker's tests\n";
    std::vector<std::string> names = kNames;
    std::string afterNames = "\nStart:\nQuestion 1\n";
    std::vector<std::string> questions = {
        "\"Tea, or coffee?\"\n" + answerBlock(1, "Tea", "C01=5\n") +
            answerBlock(2, "\"Coffee, black\"", "C02=5\n") + answerBlock(3, "Water", "C03=5\n") +
            answerBlock(4, "Juice", "C04=5\n") + answerBlock(5, "Milk", "C05=5\n") +
            answerBlock(6, "Nothing", "C06=5\n"),
        "Which season?\n" + answerBlock(1, "Spring", "C07=5\n") +
            answerBlock(2, "Summer", "C08=5\n") + answerBlock(3, "Autumn", "C09=5\n") +
            answerBlock(4, "Winter", "C10=5\n") + answerBlock(5, "All of them", "C11=5\n") +
            answerBlock(6, "None", "C12=5\n"),
        "Which colour?\n" + answerBlock(1, "Red", "C13=5\n") + answerBlock(2, "Green", "C14=5\n") +
            answerBlock(3, "Blue", "C15=5\n") + answerBlock(4, "Grey", "C01=3\nC02=1\n") +
            answerBlock(5, "White", "C03=2\n") + answerBlock(6, "Black", "C07=3\n"),
    };
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

class TempDir {
public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kinsight-check-XXXXXX").string();
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

    std::filesystem::path write(const std::filesystem::path& name, const std::string& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
        return file;
    }

    // Empty files do as pictures: the checker only looks for them.
    void pictures(const std::vector<std::string>& names) const {
        std::filesystem::create_directories(m_path / "Pictures");
        for (const std::string& name : names)
            write(std::filesystem::path("Pictures") / (name + ".jpg"), "");
    }

private:
    std::filesystem::path m_path;
};

} // namespace kinsight::test
