// The quiz engine: loads a quiz file question by question, adds up the points
// of the chosen answers, ranks the characters at the end and starts over.
// It reaches the screen only through QuizWindow and TieBreakWindows.
#pragma once

#include "quiz_file.h"
#include "quiz_observer.h"
#include "quiz_tables.h"
#include "quiz_window.h"
#include "tie_break_windows.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kinsight {

inline constexpr const char* kQuizFileName = "way.txt";

class Quiz {
public:
    // quizFile is the path of the quiz (QuizLocation::file); the current
    // folder is never changed.
    Quiz(QuizWindow& window, TieBreakWindows& tieBreaks, std::filesystem::path quizFile);
    // With no tie-break windows, as when reading a quiz with no screen.
    Quiz(QuizWindow& window, std::filesystem::path quizFile);

    // Reads the quiz and shows the title, the names and the first question.
    // The pass plays the quiz as it was read now, whatever becomes of the
    // file meanwhile.
    void load();
    // The same, for a quiz already read.
    void load(std::shared_ptr<const QuizText> text);
    // Reads fields up to and including the first one equal to marker.
    void ForwardToo(std::string_view marker);
    // Shows the next question or, at the end of the quiz, the result.
    void Next_Question();
    // The user chose answer k (1..6).
    void answerChosen(int k);
    void skipChosen();
    // The open tie-break window chose the character at this position of the
    // tie list: greets it, closes the window and shows its name and
    // picture. Nothing happens with no draw open or a position not offered.
    void tieBreakChosen(int position);
    // Reads the quiz file again and checks all of it as the start-up does;
    // a broken quiz throws its QuizError before the window changes.
    // Otherwise empties the tables and plays it from its start.
    void restart();

    const QuizTables& tables() const { return m_tables; }
    // True once the end of the questions has been read.
    bool finished() const { return m_finished; }
    // Number of the question shown, from 1.
    int questionNumber() const { return m_question; }
    // Whether the open quiz is read as Windows-1252 rather than UTF-8.
    bool isWindows1252() const { return m_file.isWindows1252(); }
    // Reads one field after the end of the questions and shows it to the
    // observer; false when the file holds no more. Only a checker wants them.
    bool readTrailingField();

    void setObserver(QuizObserver* observer) { m_observer = observer; }
    // How the quiz file is read; only tests want anything but the default.
    void setFileLimits(QuizFileLimits limits) { m_limits = limits; }

private:
    std::shared_ptr<const QuizText> readQuizFile();
    std::string_view read(std::string_view reading);
    void forwardTo(std::string_view marker, std::string_view seeking);
    void notify(FieldRole role, std::string_view text, int answer = 0, int slot = 0, int points = 0,
                std::string_view marker = {});
    void readQuestionText();
    void readAnswerBlock(int k);
    void finalRanking();
    void announceWinner(int slot);
    void closeForAnswers(const std::string& resultName);

    QuizWindow& m_window;
    TieBreakWindows& m_tieBreaks;
    std::filesystem::path m_path;
    QuizFileLimits m_limits;
    QuizFile m_file;
    QuizTables m_tables;
    QuizObserver* m_observer = nullptr;
    bool m_finished = false;
    int m_question = 0;
    // How many tied characters the open tie-break window offers; 0 for none.
    int m_offered = 0;
    std::string m_shown; // a field on its way to the window, reused so it is no allocation
};

} // namespace kinsight
