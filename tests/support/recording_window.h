// A QuizWindow and TieBreakWindows in one that writes down every operation
// asked of it, one string per call, e.g. setAnswer(3,"Blue") or
// openTieBreak("Ann","Bo"), so a test can compare the whole sequence with what it
// expects. It stands in for the main window in
// the engine's tests and in the tie-break windows' tests alike.
#pragma once

#include "quiz_window.h"
#include "tie_break_windows.h"

#include <functional>
#include <string>
#include <vector>

namespace kinsight::test {

inline std::string controlName(Control control) {
    switch (control) {
    case Control::Ans1:
        return "Ans1";
    case Control::Ans2:
        return "Ans2";
    case Control::Ans3:
        return "Ans3";
    case Control::Ans4:
        return "Ans4";
    case Control::Ans5:
        return "Ans5";
    case Control::Ans6:
        return "Ans6";
    case Control::SkipQuestion:
        return "SkipQuestion";
    case Control::cmd_restart:
        return "cmd_restart";
    }
    return "Control(" + std::to_string(static_cast<int>(control)) + ")";
}

class RecordingWindow : public QuizWindow, public TieBreakWindows {
public:
    std::vector<std::string> ops;
    // Runs inside greet(), where the real main window's modal box would be.
    std::function<void(const std::string&)> onGreet;
    // Runs inside hideWindow(), while a restart has the window hidden.
    std::function<void()> onHide;

    // Lets a test put its own steps (say, hiding a tie-break window) in line.
    void record(std::string op) { ops.push_back(std::move(op)); }
    // The operations so far, leaving the log empty.
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(ops);
        return out;
    }

    void setTitle(const std::string& text) override { record("setTitle(" + q(text) + ")"); }
    void setQuestion(const std::string& text) override { record("setQuestion(" + q(text) + ")"); }
    void setAnswer(int k, const std::string& text) override {
        record("setAnswer(" + std::to_string(k) + "," + q(text) + ")");
    }
    void clearSelection(Control control) override {
        record("clearSelection(" + controlName(control) + ")");
    }
    void setScoreText(int i, const std::string& text) override {
        record("setScoreText(" + std::to_string(i) + "," + q(text) + ")");
    }
    void setResultName(const std::string& text) override {
        record("setResultName(" + q(text) + ")");
    }
    void showPicture(const std::string& name) override { record("showPicture(" + q(name) + ")"); }
    void greet(const std::string& name) override {
        record("greet(" + q(name) + ")");
        if (onGreet)
            onGreet(name);
    }
    void setControlEnabled(Control control, bool enabled) override {
        record("setControlEnabled(" + controlName(control) + "," + (enabled ? "true" : "false") +
               ")");
    }
    void hideWindow() override {
        record("hideWindow()");
        if (onHide)
            onHide();
    }
    void showWindow() override { record("showWindow()"); }
    void message(const std::string& text, const std::string& title) override {
        record("message(" + q(text) + "," + q(title) + ")");
    }
    void openTieBreak(const std::vector<std::string>& names) override {
        std::string op = "openTieBreak(";
        // Appended rather than added: GCC 12 warns -Wrestrict, wrongly, about
        // "literal" + std::string in optimised builds.
        for (const std::string& name : names)
            op.append(&name == &names.front() ? "" : ",").append(q(name));
        record(op + ")");
    }
    void hideTieBreaks() override { record("hideTieBreaks()"); }
    void resetDualTimers() override { record("resetDualTimers()"); }

private:
    static std::string q(const std::string& text) { return "\"" + text + "\""; }
};

} // namespace kinsight::test
