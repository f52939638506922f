// The engine's draws reaching the real tie-break windows: a quiz played to a
// two-, three- or four-way draw opens Dual or Tri with the tied names, Stop
// announces one of them, and a restart hides the window and starts afresh.
#include "dual.h"
#include "modal_closer.h"
#include "quiz.h"
#include "quiz_text.h"
#include "recording_window.h"
#include "row_name.h"
#include "temp_dir.h"
#include "tie_breaks.h"
#include "tri.h"
#include "window_helpers.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kinsight::test {
namespace {

using Calls = std::vector<std::string>;

// Opens, hides and resets the tie-break windows through their owner, as the
// main window does; the draw messages are written down and closed at once.
class PlayWindow : public RecordingWindow {
public:
    std::unique_ptr<TieBreaks> tieBreaks;
    std::vector<std::string> messages;

    Dual* dual() const { return tieBreaks->dual(); }
    Tri* tri() const { return tieBreaks->tri(); }

    void setTitle(const std::string&) override {}
    void setQuestion(const std::string&) override {}
    void setAnswer(int, const std::string&) override {}
    void clearSelection(Control) override {}
    void setScoreText(int, const std::string&) override {}
    void setControlEnabled(Control, bool) override {}
    void hideWindow() override {}
    void showWindow() override {}
    void message(const std::string& text, const std::string&) override { messages.push_back(text); }
    void openTieBreak(const std::vector<std::string>& names) override {
        tieBreaks->openTieBreak(names);
        holdTimers();
    }
    void hideTieBreaks() override { tieBreaks->hideTieBreaks(); }
    void resetDualTimers() override {
        tieBreaks->resetDualTimers();
        holdTimers();
    }

    QTimer* dualTimer(const char* name) const {
        return dual()->findChild<QTimer*>(QString::fromLatin1(name));
    }

private:
    // Only the test's ticks move the windows on.
    void holdTimers() const {
        for (QWidget* window : {static_cast<QWidget*>(dual()), static_cast<QWidget*>(tri())})
            if (window)
                for (QTimer* timer : window->findChildren<QTimer*>())
                    holdOff(timer);
    }
};

class DrawTest : public testing::Test {
protected:
    void TearDown() override {
        quiz.reset();
        window.reset();
        expectNoWindowsLeft();
    }

    // A one-question quiz whose first answer gives these points. The engine's
    // own writes of the result box are left out of the log.
    void play(const std::vector<std::string>& weights) {
        const auto path = folder.write("way.txt", QuizBuilder().question("Q", {weights}).text());
        window = std::make_unique<PlayWindow>();
        quiz = std::make_unique<Quiz>(*window, *window, path);
        window->tieBreaks =
            std::make_unique<TieBreaks>([this](int position) { quiz->tieBreakChosen(position); });
        quiz->load();
        quiz->answerChosen(1);
        ASSERT_TRUE(quiz->finished());
        window->ops.clear();
    }
    void restart() {
        quiz->restart();
        window->ops.clear();
    }
    void playAgain() {
        restart();
        quiz->answerChosen(1);
        ASSERT_TRUE(quiz->finished());
        window->ops.clear();
    }
    static void pressStop(QWidget* tieBreak) {
        QTest::mouseClick(tieBreak->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
    }
    float freeEndY() const {
        return float(
            window->tri()->findChild<QObject*>(QStringLiteral("Line1"))->property("y1").toDouble());
    }
    QTimer* triTimer() const { return window->tri()->findChild<QTimer*>(QStringLiteral("Timer1")); }
    static bool moving(const QWidget* tieBreak) {
        const auto timers = tieBreak->findChildren<QTimer*>();
        return std::any_of(timers.begin(), timers.end(), [](QTimer* t) { return t->isActive(); });
    }
    static QLineF line(const QWidget* tieBreak) {
        const QObject* shape = tieBreak->findChild<QObject*>(QStringLiteral("Line1"));
        auto at = [shape](const char* end) { return shape->property(end).toDouble(); };
        return QLineF(at("x1"), at("y1"), at("x2"), at("y2"));
    }

    TempDir folder;
    std::unique_ptr<PlayWindow> window;
    std::unique_ptr<Quiz> quiz;
};

TEST_F(DrawTest, TwoWayDrawSpinsThePairInSlotOrderAndAnnouncesOne) {
    play({"C09=4", "C04=4"});
    ASSERT_TRUE(window->dual());
    EXPECT_EQ(window->messages, (Calls{"Two way draw between D and I"}));
    EXPECT_TRUE(window->dual()->isVisible());
    EXPECT_EQ(labelText(window->dual(), "Qel_Char1"), "D");
    EXPECT_EQ(labelText(window->dual(), "Qel_Char2"), "I");
    EXPECT_FALSE(window->tri());

    pressStop(window->dual());
    ASSERT_TRUE(tick(window->dualTimer("Slower"), 68));
    EXPECT_EQ(window->ops,
              (Calls{R"(greet("I"))", R"(showPicture("I"))", R"(setResultName("I"))"}));
    EXPECT_FALSE(window->dual()->isVisible());
}

struct DrawCase {
    std::string name;
    std::vector<std::string> weights;
    std::array<QString, 3> labels;
    int ticks;
    Calls expected;
};

void PrintTo(const DrawCase& row, std::ostream* out) {
    *out << row.name;
}

class TriDraws : public DrawTest, public testing::WithParamInterface<DrawCase> {};

TEST_P(TriDraws, OpenTheSwingWithTheFirstThreeAndAnnounceTheBandPointedAt) {
    play(GetParam().weights);
    ASSERT_TRUE(window->tri());
    EXPECT_FALSE(window->dual());
    EXPECT_TRUE(window->tri()->isVisible());
    EXPECT_EQ(labelText(window->tri(), "Qel_Char1"), GetParam().labels[0]);
    EXPECT_EQ(labelText(window->tri(), "Qel_Char2"), GetParam().labels[1]);
    EXPECT_EQ(labelText(window->tri(), "QEL_Char3"), GetParam().labels[2]);

    ASSERT_TRUE(tick(triTimer(), GetParam().ticks));
    pressStop(window->tri());
    EXPECT_EQ(window->ops, GetParam().expected);
    EXPECT_FALSE(window->tri()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Draws, TriDraws,
    testing::Values(
        // 5 ticks leave the free end low, over the bottom band.
        DrawCase{"ThreeWaySlots2_7_11",
                 {"C11=2", "C02=2", "C07=2"},
                 {"B", "G", "K"},
                 5,
                 {R"(greet("K"))", R"(setResultName("K"))", R"(showPicture("K"))"}},
        // 16 ticks leave it high: the top band, never the fourth name.
        DrawCase{"FourWayOffersTheFirstThree",
                 {"C01=1", "C02=1", "C03=1", "C04=1"},
                 {"A", "B", "C"},
                 16,
                 {R"(greet("A"))", R"(setResultName("A"))", R"(showPicture("A"))"}}),
    rowName);

class RealGreeting : public DrawTest, public testing::WithParamInterface<DrawCase> {};

// Under the real modal box the window is up and still; the focus coming back
// from the box is no return of the user; afterwards the window is hidden.
TEST_P(RealGreeting, LeavesTheWindowHiddenAndStill) {
    ModalCloser closer;
    play(GetParam().weights);
    QWidget* tieBreak = window->dual() ? static_cast<QWidget*>(window->dual()) : window->tri();
    // Stop pressed again by a screen reader while the greeting is up.
    auto* stop = tieBreak->findChild<QPushButton*>(QStringLiteral("Command1"));
    QSignalSpy presses(stop, &QPushButton::clicked);
    closer.whileOpen([stop, first = true]() mutable {
        if (std::exchange(first, false))
            pressAsScreenReader(stop);
    });
    bool upAndStill = false, focusBack = false, stillAfter = false;
    window->onGreet = [&](const std::string& name) {
        upAndStill = tieBreak->isVisible() && !moving(tieBreak);
        QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString("You are..." + name),
                        QMessageBox::Ok);
        box.exec();
        // A window manager may hand the focus back before the box returns.
        focusBack = activate(tieBreak);
        stillAfter = !moving(tieBreak);
    };
    pressStop(tieBreak);
    if (window->dual()) {
        ASSERT_TRUE(tick(window->dualTimer("Slower"), 68));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return presses.count() == 2; }));
    ASSERT_EQ(closer.boxes().size(), 1) << "one greeting";
    EXPECT_EQ(closer.boxes().first().text, "You are..." + GetParam().labels[1]);
    EXPECT_TRUE(upAndStill);
    ASSERT_TRUE(focusBack);
    EXPECT_TRUE(stillAfter) << "the focus coming back restarted the motion";
    const QLineF stoppedAt = line(tieBreak);
    QTest::qWait(100);
    EXPECT_FALSE(tieBreak->isVisible());
    EXPECT_FALSE(moving(tieBreak));
    EXPECT_EQ(line(tieBreak), stoppedAt);
    EXPECT_EQ(window->ops, GetParam().expected);
}

// Straight down, the needle picks the right half; the pointer as laid out,
// the middle band: the second name either way.
INSTANTIATE_TEST_SUITE_P(
    Windows, RealGreeting,
    testing::Values(DrawCase{"Spinner",
                             {"C09=4", "C04=4"},
                             {"D", "I", ""},
                             0,
                             {R"(greet("I"))", R"(showPicture("I"))", R"(setResultName("I"))"}},
                    DrawCase{"Pendulum",
                             {"C01=2", "C02=2", "C03=2"},
                             {"A", "B", "C"},
                             0,
                             {R"(greet("B"))", R"(setResultName("B"))", R"(showPicture("B"))"}}),
    rowName);

TEST_F(DrawTest, RestartWhileSlowingHidesTheSpinnerAndTheNextDrawStartsAfresh) {
    play({"C09=4", "C04=4"});
    ASSERT_TRUE(tick(window->dualTimer("Timer1"), 12));
    pressStop(window->dual());
    ASSERT_TRUE(tick(window->dualTimer("Slower"), 40));

    window->ops.clear();
    quiz->restart();
    EXPECT_EQ(window->ops, (Calls{R"(setResultName(""))"})) << "nothing announced";
    EXPECT_FALSE(window->dual()->isVisible()) << "it cannot announce an emptied tie list";
    EXPECT_TRUE(window->dualTimer("Timer1")->isActive());
    EXPECT_FALSE(window->dualTimer("Slower")->isActive());

    quiz->answerChosen(1);
    window->ops.clear();
    ASSERT_TRUE(window->dual()->isVisible());
    EXPECT_EQ(labelText(window->dual(), "Qel_Char1"), "D");
    EXPECT_FALSE(window->dualTimer("Slower")->isActive()) << "Stop must be pressed again";
    // Straight down at full speed: all 68 ticks of slowing, then the right half.
    pressStop(window->dual());
    ASSERT_TRUE(tick(window->dualTimer("Slower"), 67));
    EXPECT_TRUE(window->ops.empty());
    ASSERT_TRUE(tick(window->dualTimer("Slower")));
    EXPECT_EQ(window->ops,
              (Calls{R"(greet("I"))", R"(showPicture("I"))", R"(setResultName("I"))"}));
}

TEST_F(DrawTest, RestartBeforeAnyDrawCreatesTheSpinnerHiddenAndNameless) {
    play({"C01=1"});
    ASSERT_FALSE(window->dual());
    restart();
    ASSERT_TRUE(window->dual());
    EXPECT_FALSE(window->dual()->isVisible());
    EXPECT_EQ(labelText(window->dual(), "Qel_Char1"), "");
    EXPECT_EQ(labelText(window->dual(), "Qel_Char2"), "");
    EXPECT_TRUE(window->dualTimer("Timer1")->isActive());
}

TEST_F(DrawTest, SecondThreeWayDrawSwingsOnFromThePhaseLeft) {
    play({"C01=2", "C02=2", "C03=2"});
    ASSERT_TRUE(tick(triTimer(), 3));
    pressStop(window->tri());
    ASSERT_EQ(window->ops.size(), 3u);
    const Tri* first = window->tri();

    playAgain();
    ASSERT_EQ(window->tri(), first) << "hidden, not destroyed";
    EXPECT_TRUE(window->tri()->isVisible());
    ASSERT_TRUE(tick(triTimer()));
    EXPECT_EQ(freeEndY(), static_cast<float>(150.0 + 100.0 * std::sin(0.9)));
}

TEST_F(DrawTest, RestartWhileSwingingHidesThePendulum) {
    play({"C01=2", "C02=2", "C03=2"});
    ASSERT_TRUE(tick(triTimer(), 2));
    restart();
    EXPECT_FALSE(window->tri()->isVisible());
    EXPECT_FALSE(triTimer()->isActive());
    EXPECT_TRUE(window->ops.empty());
}

} // namespace
} // namespace kinsight::test
