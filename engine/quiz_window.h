// What the engine asks of the main window (the tie-break windows have
// TieBreakWindows). The main window implements it; tests implement it with a
// recorder. Nothing here runs an event handler.
#pragma once

#include <string>

namespace kinsight {

// The main window's controls that the engine enables, disables or clears.
enum class Control {
    Ans1 = 1,
    Ans2,
    Ans3,
    Ans4,
    Ans5,
    Ans6,
    SkipQuestion,
    cmd_restart,
};

// Ans1..Ans6 for k = 1..6.
constexpr Control answerControl(int k) {
    return static_cast<Control>(k);
}

class QuizWindow {
public:
    virtual ~QuizWindow() = default;

    virtual void setTitle(const std::string& text) = 0;
    virtual void setQuestion(const std::string& text) = 0;
    // k = 1..6
    virtual void setAnswer(int k, const std::string& text) = 0;
    // Shows the option unselected without raising its selection event.
    virtual void clearSelection(Control control) = 0;
    // i = 0..14: the box of character i + 1
    virtual void setScoreText(int i, const std::string& text) = 0;
    virtual void setResultName(const std::string& text) = 0;
    // Shows the character's picture from the Pictures folder in Image1; for
    // an empty name (nobody chosen), none.
    virtual void showPicture(const std::string& characterName) = 0;
    // The modal "You are..." greeting; returns once it is closed.
    virtual void greet(const std::string& characterName) = 0;
    virtual void setControlEnabled(Control control, bool enabled) = 0;
    virtual void hideWindow() = 0;
    virtual void showWindow() = 0;
    // A modal message box with an OK button; returns once it is closed.
    virtual void message(const std::string& text, const std::string& title) = 0;
};

// A window that shows nothing: for reading a quiz with no screen, and a base
// for stand-ins that care about a few operations only.
class NullQuizWindow : public QuizWindow {
public:
    void setTitle(const std::string&) override {}
    void setQuestion(const std::string&) override {}
    void setAnswer(int, const std::string&) override {}
    void clearSelection(Control) override {}
    void setScoreText(int, const std::string&) override {}
    void setResultName(const std::string&) override {}
    void showPicture(const std::string&) override {}
    void greet(const std::string&) override {}
    void setControlEnabled(Control, bool) override {}
    void hideWindow() override {}
    void showWindow() override {}
    void message(const std::string&, const std::string&) override {}
};

} // namespace kinsight
