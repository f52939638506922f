// Only: the main quiz window. It shows the question, its six answers and the
// skip choice, tells of the user's choice and shows the result; the engine
// drives it through QuizWindow.
//
// The fifteen score boxes all carry the object name "score", as one indexed
// group, with their index 0..14 in the property "index"; scoreBox(i) finds
// box i.
#pragma once

#include "credits.h"
#include "quiz_tables.h"
#include "quiz_window.h"
#include "secondary_window.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <string>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kinsight {

class PictureArea;
class SpokenQuestion;
class WindowManagerWorkarounds;

class Only : public QWidget, public QuizWindow {
    Q_OBJECT
public:
    // Result pictures come from picturesDir.
    explicit Only(std::filesystem::path picturesDir, QWidget* parent = nullptr);
    ~Only() override;

    // Box i = 0..14.
    QLineEdit* scoreBox(int i) const;
    // Score box i reads as the score of character i + 1.
    void nameScoreBoxes(const std::array<std::string, kCharacterSlots>& names);
    // After a choice: the keyboard to the new question's first answer, a
    // screen reader to the question, while answers are open.
    void presentNextQuestion();
    void focusFirstAnswer();

    // Shows the about window, creating it if none is open.
    void openCredits();

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

Q_SIGNALS:
    // An answer or the skip choice, turned selected by the user.
    void chosen(Control choice);
    void restartChosen();
    // The window is closing, and the program ends with it.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void arrangeTabOrder();
    void optionToggled(int id, bool selected);
    QAbstractButton* button(Control control) const;
    void warn(const QString& text);

    std::filesystem::path m_picturesDir;

    QLabel* m_question = nullptr;
    // Indexed by Control: 1..6 the answers, 7 the skip choice.
    std::array<QRadioButton*, 8> m_options{};
    QButtonGroup* m_optionGroup = nullptr;
    SpokenQuestion* m_spokenQuestion = nullptr;
    // A choice was made: the question that comes next is announced.
    bool m_announceQuestion = false;
    PictureArea* m_picture = nullptr;
    QLineEdit* m_resultName = nullptr;
    QPushButton* m_restart = nullptr;
    std::array<QLineEdit*, 15> m_scores{};
    WindowManagerWorkarounds* m_windowManager = nullptr;
    SecondaryWindow<Credits> m_credits;
};

} // namespace kinsight
