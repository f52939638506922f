// A stand-in main window for the tie-break tests: it writes down the result
// calls, one string each, and lets a test look around while the greeting is up.
#pragma once

#include "quiz_window.h"

#include <functional>
#include <string>
#include <vector>

namespace kinsight::test {

class Recorder : public QuizWindow {
public:
    std::vector<std::string> calls;
    // Runs inside greet(), where the real main window's modal box would be.
    std::function<void(const std::string&)> onGreet;

    void greet(const std::string& name) override {
        calls.push_back("greet(" + name + ")");
        if (onGreet)
            onGreet(name);
    }
    void showPicture(const std::string& name) override {
        calls.push_back("showPicture(" + name + ")");
    }
    void setResultName(const std::string& text) override {
        calls.push_back("setResultName(" + text + ")");
    }

    // Nothing a tie-break window may use.
    void setTitle(const std::string&) override { unexpected("setTitle"); }
    void setQuestion(const std::string&) override { unexpected("setQuestion"); }
    void setAnswer(int, const std::string&) override { unexpected("setAnswer"); }
    void clearSelection(Control) override { unexpected("clearSelection"); }
    void setScoreText(int, const std::string&) override { unexpected("setScoreText"); }
    void setControlEnabled(Control, bool) override { unexpected("setControlEnabled"); }
    void hideWindow() override { unexpected("hideWindow"); }
    void showWindow() override { unexpected("showWindow"); }
    void message(const std::string&, const std::string&) override { unexpected("message"); }
    void openTieBreak(int) override { unexpected("openTieBreak"); }
    void closeTieBreaks() override { unexpected("closeTieBreaks"); }
    void resetDualTimers() override { unexpected("resetDualTimers"); }

private:
    void unexpected(const std::string& what) { calls.push_back("unexpected " + what); }
};

} // namespace kinsight::test
