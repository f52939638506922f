// The quiz engine's game: shows what QuizGrammar reads question by question,
// adds up the points of the chosen answers, ranks the characters at the end
// and starts over. It reaches the screen only through QuizWindow and
// TieBreakWindows.
#pragma once

#include "quiz_grammar.h"
#include "quiz_observer.h"
#include "quiz_tables.h"
#include "quiz_window.h"
#include "tie_break_windows.h"

#include <filesystem>
#include <memory>
#include <string>

namespace kinsight {

inline constexpr const char* kQuizFileName = "way.txt";

class Quiz : private QuizObserver {
public:
    // quizFile is the path of the quiz (QuizLocation::file), which reports
    // name as fileName (QuizLocation::name; by default, its own name); the
    // current folder is never changed.
    Quiz(QuizWindow& window, TieBreakWindows& tieBreaks, std::filesystem::path quizFile,
         std::string fileName = {});
    // With no tie-break windows: a draw is reported, and nobody chosen.
    Quiz(QuizWindow& window, std::filesystem::path quizFile);
    // The grammar reports to this very object.
    Quiz(const Quiz&) = delete;
    Quiz& operator=(const Quiz&) = delete;

    // Reads the quiz and shows the title, the names and the first question.
    // The pass plays the quiz as it was read now, whatever becomes of the
    // file meanwhile.
    void load();
    // The same, for a quiz already read.
    void load(std::shared_ptr<const QuizText> text);
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
    // Otherwise empties the tables, hides and shows the window, and plays
    // the quiz from its start.
    void restart();
    // The same with a text read and checked already.
    void restart(std::shared_ptr<const QuizText> checked);
    // A new pass of a text read and checked already, with the window neither
    // hidden nor shown again, so the keyboard stays wherever the user has it.
    void playInPlace(std::shared_ptr<const QuizText> checked);

    const QuizTables& tables() const { return m_tables; }
    // True once the end of the questions has been read.
    bool finished() const { return m_grammar.finished(); }
    // Number of the question shown, from 1.
    int questionNumber() const { return m_grammar.questionNumber(); }

    // How the quiz file is read; only tests want anything but the default.
    void setFileLimits(QuizFileLimits limits) { m_limits = limits; }

private:
    // What the grammar reads: the texts go to the window, names and points
    // to the tables.
    void onField(const FieldEvent& event) override;
    std::shared_ptr<const QuizText> readQuizFile();
    void startPass(std::shared_ptr<const QuizText> checked, bool showAgain);
    void finalRanking();
    void announceWinner(int slot);
    void closeForAnswers(const std::string& resultName);

    QuizWindow& m_window;
    TieBreakWindows& m_tieBreaks;
    std::filesystem::path m_path;
    std::string m_fileName;
    QuizFileLimits m_limits;
    QuizGrammar m_grammar{*this};
    QuizTables m_tables;
    // How many tied characters the open tie-break window offers; 0 for none.
    int m_offered = 0;
    std::string m_shown; // a field on its way to the window, reused so it is no allocation
};

} // namespace kinsight
