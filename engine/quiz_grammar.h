// QuizGrammar: the order of a quiz file's fields, read front to back: the
// title, the character names, "Start:", then question after question with
// their answer blocks up to "ENDQUESTIONS". It keeps and shows nothing; it
// tells its observer every field and what it is, and the game, the dry run
// and the authors' checker are all built on that.
#pragma once

#include "quiz_file.h"
#include "quiz_observer.h"
#include "quiz_tables.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace kinsight {

class QuizGrammar {
public:
    explicit QuizGrammar(QuizObserver& observer);

    // Starts on text: reads the title, the names and the first question.
    void load(std::shared_ptr<const QuizText> text);
    // Reads fields up to and including the first one equal to marker.
    void ForwardToo(std::string_view marker);
    // Reads up to the next question and all of it; false at the end of the
    // questions, past which nothing more is read.
    bool readNextQuestion();
    // Reads one field after the end of the questions; false when the file
    // holds no more. Only a checker wants them.
    bool readTrailingField();
    void close();

    // True once the end of the questions has been read.
    bool finished() const { return m_finished; }
    // Number of the question read last, from 1.
    int questionNumber() const { return m_question; }
    // Whether the quiz is read as Windows-1252 rather than UTF-8.
    bool isWindows1252() const { return m_file.isWindows1252(); }

private:
    std::string_view read(std::string_view reading);
    void skipToMarker(std::string_view marker, std::string_view seeking);
    void notify(FieldRole role, std::string_view text, int answer = 0, int slot = 0, int points = 0,
                std::string_view marker = {});
    void readQuestion();
    void readAnswerBlock(int k);

    // The words for what is being read, made once a grammar, in the language
    // of the moment: they are needed only if the file ends there, and making
    // them for every field would cost more than reading the field.
    struct AnswerWords {
        std::string marker, seeking, text, after, points;
    };
    std::array<AnswerWords, kAnswerSlots> m_answerWords;
    std::string m_seekingNewQuestion, m_readingAfterNewQuestion;

    QuizObserver& m_observer;
    QuizFile m_file;
    bool m_finished = false;
    int m_question = 0;
};

} // namespace kinsight
