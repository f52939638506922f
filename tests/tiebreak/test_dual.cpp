// The two-way window: its layout, its labels, the needle's ticks, Stop and
// the announcement, activation, the restart's reset and closing early.
#include "dual.h"
#include "modal_closer.h"
#include "quiz_tables.h"
#include "recording_window.h"
#include "row_name.h"
#include "window_helpers.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace kinsight::test {
namespace {

using Calls = std::vector<std::string>;

struct GreetingView {
    bool seen = false;
    bool visible = false;
    bool timer1 = false;
    bool slower = false;
};

class DualTest : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 1; i <= kCharacterCount; ++i)
            tables.CharacterTable[i] = "Name " + std::to_string(i);
        tables.CharacterTable[4] = "Ann Lee";
        tables.CharacterTable[9] = "Bo";
        tables.TieList[0] = 4;
        tables.TieList[1] = 9;
        recorder.onGreet = [this](const std::string&) {
            greeting.seen = true;
            greeting.visible = dual && dual->isVisible();
            greeting.timer1 = dual && timer1()->isActive();
            greeting.slower = dual && slower()->isActive();
        };
    }

    void TearDown() override {
        delete dual.data();
        delete other;
        expectNoWindowsLeft();
    }

    Dual* make() {
        dual = new Dual(tables, recorder);
        return dual;
    }
    // Created and shown, with only the test's ticks moving it.
    Dual* makeShown() {
        make();
        holdOff(timer1());
        holdOff(slower());
        dual->open();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dual));
        return dual;
    }

    QTimer* timer1() const { return dual->findChild<QTimer*>(QStringLiteral("Timer1")); }
    QTimer* slower() const { return dual->findChild<QTimer*>(QStringLiteral("Slower")); }
    QPushButton* stopButton() const {
        return dual->findChild<QPushButton*>(QStringLiteral("Command1"));
    }
    QObject* line() const { return dual->findChild<QObject*>(QStringLiteral("Line1")); }
    QPointF needleEnd() const {
        return {line()->property("x2").toDouble(), line()->property("y2").toDouble()};
    }
    void pressStop() { QTest::mouseClick(stopButton(), Qt::LeftButton); }

    QuizTables tables;
    RecordingWindow recorder;
    GreetingView greeting;
    QPointer<Dual> dual;
    QPointer<QWidget> other;
};

TEST_F(DualTest, LaysOutTheWindowAsDrawn) {
    make();
    EXPECT_EQ(dual->objectName(), "Dual");
    EXPECT_EQ(dual->windowTitle(), "Kinsight? ");
    EXPECT_EQ(dual->minimumSize(), QSize(250, 250));
    EXPECT_EQ(dual->maximumSize(), QSize(250, 250));
    const Qt::WindowFlags flags = dual->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dual->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(dual->isVisible());

    auto* left = dual->findChild<QLabel*>(QStringLiteral("Qel_Char1"));
    auto* right = dual->findChild<QLabel*>(QStringLiteral("Qel_Char2"));
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->geometry(), QRect(16, 96, 97, 33));
    EXPECT_EQ(right->geometry(), QRect(144, 96, 89, 25));
    EXPECT_TRUE(left->alignment() & Qt::AlignLeft);
    EXPECT_TRUE(right->alignment() & Qt::AlignRight);
    EXPECT_FALSE(left->autoFillBackground());
    EXPECT_FALSE(right->autoFillBackground());
    // A name is shown as written, never read as markup.
    EXPECT_EQ(left->textFormat(), Qt::PlainText);
    EXPECT_EQ(right->textFormat(), Qt::PlainText);

    ASSERT_TRUE(stopButton());
    EXPECT_EQ(stopButton()->text(), "Stop");
    EXPECT_EQ(stopButton()->geometry(), QRect(192, 232, 57, 17));

    ASSERT_TRUE(timer1() && slower());
    EXPECT_EQ(timer1()->interval(), 19);
    EXPECT_EQ(slower()->interval(), 30);
    EXPECT_EQ(timer1()->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(slower()->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive());

    ASSERT_TRUE(line());
    EXPECT_EQ(line()->property("x1").toDouble(), 125.0);
    EXPECT_EQ(line()->property("y1").toDouble(), 125.0);
    EXPECT_EQ(needleEnd(), QPointF(125.0, 240.0));
}

struct LabelCase {
    std::string name;
    int left;
    int right;
    QString leftText;
    QString rightText;
};

void PrintTo(const LabelCase& row, std::ostream* out) {
    *out << row.name;
}

class DualLabels : public DualTest, public testing::WithParamInterface<LabelCase> {};

TEST_P(DualLabels, LoadWritesTheTiedNamesInSlotOrder) {
    tables.TieList[0] = GetParam().left;
    tables.TieList[1] = GetParam().right;
    make();
    EXPECT_EQ(labelText(dual, "Qel_Char1"), GetParam().leftText);
    EXPECT_EQ(labelText(dual, "Qel_Char2"), GetParam().rightText);
}

INSTANTIATE_TEST_SUITE_P(Ties, DualLabels,
                         testing::Values(LabelCase{"Slots4And9", 4, 9, "Ann Lee", "Bo"},
                                         LabelCase{"Slots1And15", 1, 15, "Name 1", "Name 15"},
                                         // A restart before any draw creates the window this way.
                                         LabelCase{"EmptiedTieList", 0, 0, "", ""},
                                         LabelCase{"SlotOutsideTheTableIsNameless", 99, -1, "",
                                                   ""}),
                         rowName);

TEST_F(DualTest, PaintsTheDiscSplitInTwoOnGrey) {
    makeShown();
    const QImage shot = dual->grab().toImage();
    EXPECT_EQ(shot.pixelColor(3, 3), QColor(192, 192, 192));
    EXPECT_EQ(shot.pixelColor(60, 170), QColor(51, 51, 255)) << "left half";
    EXPECT_EQ(shot.pixelColor(190, 170), QColor(153, 0, 0)) << "right half";
    EXPECT_EQ(shot.pixelColor(125, 40), QColor(102, 0, 102)) << "the split above the centre";
    EXPECT_EQ(shot.pixelColor(125, 200), QColor(Qt::black)) << "the needle at rest";
}

TEST_F(DualTest, NeedleTickTurnsTheMovingEndOnly) {
    makeShown();
    ASSERT_TRUE(tick(timer1()));
    EXPECT_EQ(line()->property("x1").toDouble(), 125.0);
    EXPECT_EQ(line()->property("y1").toDouble(), 125.0);
    EXPECT_NEAR(needleEnd().x(), 125.0 + 120.0 * std::sin(0.3), 1e-4);
    EXPECT_NEAR(needleEnd().y(), 125.0 + 120.0 * std::cos(0.3), 1e-4);
    ASSERT_TRUE(tick(timer1(), 3));
    EXPECT_NEAR(needleEnd().x(), 125.0 + 120.0 * std::sin(1.2), 1e-4);
    EXPECT_NEAR(needleEnd().y(), 125.0 + 120.0 * std::cos(1.2), 1e-4);
    EXPECT_TRUE(recorder.ops.empty());
}

struct StopCase {
    std::string name;
    int needleTicks;
    int nameless;
    Calls expected;
};

void PrintTo(const StopCase& row, std::ostream* out) {
    *out << row.name;
}

class DualStop : public DualTest, public testing::WithParamInterface<StopCase> {};

TEST_P(DualStop, SlowsForSixtyEightTicksThenGreetsHidesAndAnnounces) {
    if (GetParam().nameless)
        tables.CharacterTable[GetParam().nameless].clear();
    makeShown();
    ASSERT_TRUE(tick(timer1(), GetParam().needleTicks));
    pressStop();
    EXPECT_TRUE(slower()->isActive());
    EXPECT_TRUE(timer1()->isActive()) << "the needle turns on while it slows";

    ASSERT_TRUE(tick(slower(), 67));
    EXPECT_TRUE(recorder.ops.empty());
    EXPECT_TRUE(slower()->isActive());
    ASSERT_TRUE(tick(slower()));

    EXPECT_EQ(recorder.ops, GetParam().expected);
    ASSERT_TRUE(greeting.seen);
    EXPECT_TRUE(greeting.visible) << "the greeting comes while the window is up";
    EXPECT_FALSE(greeting.timer1) << "no tick may arrive during the greeting";
    EXPECT_FALSE(greeting.slower);
    EXPECT_FALSE(dual->isVisible());
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Stops, DualStop,
    testing::Values(
        StopCase{"StraightDownGoesRight",
                 0,
                 0,
                 {R"(greet("Bo"))", R"(showPicture("Bo"))", R"(setResultName("Bo"))"}},
        // 12 ticks of 0.3 leave the needle at 206 degrees.
        StopCase{
            "LeftHalfGoesLeft",
            12,
            0,
            {R"(greet("Ann Lee"))", R"(showPicture("Ann Lee"))", R"(setResultName("Ann Lee"))"}},
        StopCase{"NamelessCharacterHasNoPicture", 0, 9, {R"(greet(""))", R"(setResultName(""))"}}),
    rowName);

TEST_F(DualTest, StopAgainWhileSlowingDoesNotStartTheSlowingOver) {
    makeShown();
    pressStop();
    ASSERT_TRUE(tick(slower(), 30));
    pressStop();
    ASSERT_TRUE(tick(slower(), 37));
    EXPECT_TRUE(recorder.ops.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_EQ(recorder.ops.size(), 3u);
}

TEST_F(DualTest, ComingBackToTheWindowRestartsTheNeedle) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 5));
    pressStop();
    ASSERT_TRUE(tick(slower(), 10));
    tables.CharacterTable[4] = "Cy";

    other = new QWidget;
    other->setObjectName(QStringLiteral("other"));
    other->show();
    ASSERT_TRUE(activate(other));
    ASSERT_TRUE(activate(dual));

    EXPECT_EQ(labelText(dual, "Qel_Char1"), "Cy");
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive()) << "Stop must be pressed again";
    ASSERT_TRUE(tick(timer1()));
    EXPECT_NEAR(needleEnd().x(), 125.0 + 120.0 * std::sin(0.3), 1e-4) << "from straight down";
    EXPECT_NEAR(needleEnd().y(), 125.0 + 120.0 * std::cos(0.3), 1e-4);

    // Full speed again: the whole 68 ticks of slowing are needed.
    pressStop();
    ASSERT_TRUE(tick(slower(), 67));
    EXPECT_TRUE(recorder.ops.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_FALSE(recorder.ops.empty());
}

TEST_F(DualTest, TheFocusAShowBringsIsNoSecondArrival) {
    make();
    holdOff(timer1());
    holdOff(slower());
    dual->open();
    // Ticks may come before the window system hands the focus over.
    ASSERT_TRUE(tick(timer1(), 4));
    ASSERT_TRUE(QTest::qWaitForWindowActive(dual));
    ASSERT_TRUE(tick(timer1()));
    EXPECT_NEAR(needleEnd().x(), 125.0 + 120.0 * std::sin(1.5), 1e-4)
        << "the needle went back to straight down";
}

TEST_F(DualTest, ComingFromAnotherProgramLeavesTheNeedleAlone) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 5));
    pressStop();
    ASSERT_TRUE(tick(slower(), 10));

    // The user turns to another program, which the window system reports
    // as no window of this one having the focus, and comes back straight to
    // this window.
    other = new QWidget;
    other->setObjectName(QStringLiteral("other"));
    other->show();
    ASSERT_TRUE(activate(other));
    Q_EMIT qGuiApp->focusWindowChanged(nullptr);
    ASSERT_TRUE(activate(dual));

    EXPECT_TRUE(slower()->isActive()) << "the slowing was given up";
    ASSERT_TRUE(tick(slower(), 57));
    EXPECT_TRUE(recorder.ops.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_EQ(recorder.ops.size(), 3u) << "stops on the 68th slower tick as before";
}

TEST_F(DualTest, RestartResetSwitchesTheNeedleBackOnUnseen) {
    makeShown();
    pressStop();
    ASSERT_TRUE(tick(slower(), 68));
    ASSERT_FALSE(dual->isVisible());
    ASSERT_FALSE(timer1()->isActive());
    timer1()->setInterval(500);

    dual->resetTimers();
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_EQ(timer1()->interval(), 19);
    EXPECT_FALSE(slower()->isActive());
    EXPECT_FALSE(dual->isVisible());
    EXPECT_EQ(recorder.ops.size(), 3u);
}

TEST_F(DualTest, RestartResetWhileSlowingStopsTheSlowing) {
    makeShown();
    pressStop();
    ASSERT_TRUE(tick(slower(), 20));
    dual->resetTimers();
    EXPECT_TRUE(dual->isVisible());
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive());
    EXPECT_FALSE(tick(slower()));
    EXPECT_TRUE(recorder.ops.empty());
}

TEST_F(DualTest, HiddenWindowNeverAnnounces) {
    makeShown();
    pressStop();
    ASSERT_TRUE(tick(slower(), 60));
    dual->hide();
    EXPECT_FALSE(slower()->isActive());
    EXPECT_FALSE(timer1()->isActive());
    dual->resetTimers();
    ASSERT_TRUE(tick(timer1(), 200));
    EXPECT_FALSE(tick(slower()));
    EXPECT_TRUE(recorder.ops.empty());
}

// Minimised by the window system while slowing: the needle goes on unseen,
// the restore is no return of the user, and the stopping tick announces.
TEST_F(DualTest, MinimisedWindowGoesOnAndAnnouncesWhenRestored) {
    makeShown();
    pressStop();
    ASSERT_TRUE(tick(slower(), 30));
    const QPointF before = needleEnd();
    dual->showMinimized();
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_TRUE(slower()->isActive());
    ASSERT_TRUE(tick(timer1()));
    EXPECT_NE(needleEnd(), before);
    dual->showNormal();
    // Not restarted from straight down, and the slowing runs on.
    EXPECT_TRUE(slower()->isActive());
    ASSERT_TRUE(tick(slower(), 37));
    EXPECT_TRUE(recorder.ops.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_EQ(recorder.ops.size(), 3u);
    EXPECT_FALSE(dual->isVisible());
}

// The program hid a minimised window; its next show must not come back minimised.
TEST_F(DualTest, ReopenedAfterAHideWhileMinimisedShowsNormally) {
    makeShown();
    dual->showMinimized();
    dual->hide();
    EXPECT_FALSE(timer1()->isActive());
    dual->open();
    EXPECT_FALSE(dual->isMinimized());
    EXPECT_TRUE(dual->isVisible());
    EXPECT_TRUE(timer1()->isActive());
}

TEST_F(DualTest, ClosedBeforeTheResultAnnouncesNothing) {
    makeShown();
    pressStop();
    ASSERT_TRUE(tick(slower(), 40));
    EXPECT_TRUE(dual->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dual.isNull()) << "the next draw creates the window anew";
    QTest::qWait(100);
    EXPECT_TRUE(recorder.ops.empty());
}

TEST_F(DualTest, RealGreetingBoxLeavesTheWindowHiddenAndStill) {
    ModalCloser closer;
    bool focusBack = false;
    recorder.onGreet = [this, &focusBack](const std::string& name) {
        greeting.seen = true;
        greeting.visible = dual->isVisible();
        greeting.timer1 = timer1()->isActive();
        QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString("You are..." + name),
                        QMessageBox::Ok);
        box.exec();
        // A window manager may hand the focus back before the box returns;
        // that is no return of the user.
        focusBack = activate(dual);
        greeting.slower = timer1()->isActive() || slower()->isActive();
    };
    makeShown();
    // Stop pressed again by a screen reader while the greeting is up.
    QSignalSpy presses(stopButton(), &QPushButton::clicked);
    closer.whileOpen([this] { pressAsScreenReader(stopButton()); });
    pressStop();
    ASSERT_TRUE(tick(slower(), 68));
    ASSERT_TRUE(QTest::qWaitFor([&] { return presses.count() == 2; }));
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(closer.boxes().first().text, "You are...Bo");
    EXPECT_TRUE(greeting.visible);
    EXPECT_FALSE(greeting.timer1);
    ASSERT_TRUE(focusBack);
    EXPECT_FALSE(greeting.slower) << "the focus coming back restarted the needle";

    const QPointF stoppedAt = needleEnd();
    // Focus coming back from the box is no return of the user.
    QTest::qWait(100);
    EXPECT_FALSE(dual->isVisible());
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive());
    EXPECT_EQ(needleEnd(), stoppedAt);
    EXPECT_EQ(recorder.ops,
              (Calls{R"(greet("Bo"))", R"(showPicture("Bo"))", R"(setResultName("Bo"))"}));
}

TEST_F(DualTest, ReopeningAfterAnAnnouncementSpinsTheNewPairAfresh) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 12));
    pressStop();
    ASSERT_TRUE(tick(slower(), 68));
    ASSERT_FALSE(dual->isVisible());
    recorder.ops.clear();

    tables.TieList[0] = 2;
    tables.TieList[1] = 3;
    dual->open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dual));
    EXPECT_EQ(labelText(dual, "Qel_Char1"), "Name 2");
    EXPECT_EQ(labelText(dual, "Qel_Char2"), "Name 3");
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive());
    pressStop();
    ASSERT_TRUE(tick(slower(), 68));
    EXPECT_EQ(recorder.ops, (Calls{R"(greet("Name 3"))", R"(showPicture("Name 3"))",
                                   R"(setResultName("Name 3"))"}));
}

} // namespace
} // namespace kinsight::test
