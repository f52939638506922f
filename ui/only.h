// Only: the main quiz window. It shows the question, its six answers and the
// skip choice, hands the user's choice to the quiz engine and shows the
// result; the engine drives it through QuizWindow.
//
// The fifteen score boxes all carry the object name "score", as one indexed
// group, with their index 0..14 in the property "index"; scoreBox(i) finds
// box i.
#pragma once

#include "quiz.h"
#include "quiz_location.h"
#include "quiz_window.h"
#include "tie_breaks.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kinsight {

class Credits;
class PictureArea;
class ScreenReader;
class WindowManagerWorkarounds;
class QuizError;

// Where the window sends a failure of the quiz, with itself to place the
// report over: the one route by which the program learns of it and ends.
using FailureRoute = std::function<void(const QuizError& error, QWidget* window)>;

class Only : public QWidget, public QuizWindow {
    Q_OBJECT
public:
    // Loads checked, the quiz's text already read and checked, at once, so
    // the quiz's title is in place before the first show; a failure then, as
    // later, goes to failed. Pictures come from quiz.pictures.
    Only(const QuizLocation& quiz, FailureRoute failed, std::shared_ptr<const QuizText> checked,
         QWidget* parent = nullptr);
    ~Only() override;

    // Box i = 0..14.
    QLineEdit* scoreBox(int i) const;
    // True once a failure has been reported; the window then ignores input.
    bool failed() const { return m_failed; }

    // Shows the about window, creating it if none is open.
    void openCredits();
    // A new pass of checked, a quiz read and checked already, from its first
    // question as the restart button starts one, but with the window left
    // where it is and not activated. From then on the restart button plays
    // checked too, rather than reading the file again.
    void playAgain(std::shared_ptr<const QuizText> checked);
    // The restart button plays checked rather than the file read again.
    void restartWith(std::shared_ptr<const QuizText> checked) {
        m_restartText = std::move(checked);
    }

    void setTitle(const std::string& text) override;
    void setQuestion(const std::string& text) override;
    void setAnswer(int k, const std::string& text) override;
    void clearSelection(Control control) override;
    void setScoreText(int i, const std::string& text) override;
    void setResultName(const std::string& text) override;
    void showPicture(const std::string& characterName) override;
    void greet(const std::string& characterName) override;
    void setControlEnabled(Control control, bool enabled) override;
    void hideWindow() override;
    void showWindow() override;
    void message(const std::string& text, const std::string& title) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void arrangeTabOrder();
    // Every call into the engine from a handler goes through here, so a
    // failure is reported in one place and ends the program.
    template <typename Action> void guarded(Action&& action);
    void optionToggled(int id, bool selected);
    // Gives the keyboard the new question's first answer, a screen reader the question.
    void presentQuestion();
    void restartClicked();
    template <typename Action> void startOver(Action&& action);
    QAbstractButton* button(Control control) const;
    void nameScoreBoxes();
    void warn(const QString& text);

    FailureRoute m_failureRoute;
    Quiz m_quiz;
    std::filesystem::path m_picturesDir;
    bool m_failed = false;
    std::shared_ptr<const QuizText> m_restartText;

    QLabel* m_question = nullptr;
    // Indexed by Control: 1..6 the answers, 7 the skip choice.
    std::array<QRadioButton*, 8> m_options{};
    QButtonGroup* m_optionGroup = nullptr;
    ScreenReader* m_screenReader = nullptr;
    PictureArea* m_picture = nullptr;
    QLineEdit* m_resultName = nullptr;
    QPushButton* m_restart = nullptr;
    std::array<QLineEdit*, 15> m_scores{};
    WindowManagerWorkarounds* m_windowManager = nullptr;
    QPointer<Credits> m_credits;
    TieBreaks m_tieBreaks;
};

} // namespace kinsight
