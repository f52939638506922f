// The two-way window: its layout, its labels, the needle's ticks, Stop and
// the choice it reports, activation, the restart's reset and closing early.
#include "dual.h"
#include "row_name.h"
#include "secondary_window.h"
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

// A reported choice, and the window as the receiver found it.
struct Choice {
    int position = -1;
    bool visible = false;
    bool timer1 = false;
    bool slower = false;
    bool operator==(const Choice&) const = default;
};

class DualTest : public testing::Test {
protected:
    void TearDown() override {
        delete dual.data();
        delete other;
        expectNoWindowsLeft();
    }

    // The receiver hides the window once it has the choice, as the engine does.
    Dual* make() {
        dual = &held.getOrMake([] { return new Dual(); });
        QObject::connect(dual, &TieBreakWindow::chosen, dual, [this](int position) {
            choices.push_back(
                {position, dual->isVisible(), timer1()->isActive(), slower()->isActive()});
            dual->hide();
        });
        return dual;
    }
    // Created and shown, with only the test's ticks moving it.
    Dual* makeShown() {
        make();
        holdOff(timer1());
        holdOff(slower());
        dual->open(names);
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
    // Spun a little, stopped and slowing when the user turns to another
    // window of the program.
    void slowingThenElsewhere() {
        makeShown();
        ASSERT_TRUE(tick(timer1(), 5));
        pressStop();
        ASSERT_TRUE(tick(slower(), 10));
        other = new QWidget;
        other->setObjectName(QStringLiteral("other"));
        other->show();
        ASSERT_TRUE(activate(other));
    }

    std::vector<std::string> names{"Ann Lee", "Bo"};
    std::vector<Choice> choices;
    kinsight::SecondaryWindow<Dual> held; // as the program holds it
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
    bool opened;
    std::vector<std::string> names;
    QString leftText;
    QString rightText;
    QString stopDescription; // what a screen reader says of Stop
};

void PrintTo(const LabelCase& row, std::ostream* out) {
    *out << row.name;
}

class DualLabels : public DualTest, public testing::WithParamInterface<LabelCase> {};

TEST_P(DualLabels, ShowTheNamesItWasOpenedWithLeftToRight) {
    names = GetParam().names;
    GetParam().opened ? makeShown() : make();
    EXPECT_EQ(labelText(dual, "Qel_Char1"), GetParam().leftText);
    EXPECT_EQ(labelText(dual, "Qel_Char2"), GetParam().rightText);
    EXPECT_EQ(stopButton()->accessibleDescription(), GetParam().stopDescription);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, DualLabels,
    testing::Values(LabelCase{"Pair", true, {"Ann Lee", "Bo"}, "Ann Lee", "Bo", "Ann Lee, Bo"},
                    LabelCase{"MarkupIsShownAsWritten",
                              true,
                              {"<b>A</b>", "&amp;"},
                              "<b>A</b>",
                              "&amp;",
                              "<b>A</b>, &amp;"},
                    // A restart before any draw creates the window this way.
                    LabelCase{"CreatedHiddenByARestart", false, {}, "", "", ", "}),
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

struct StopCase {
    std::string name;
    int needleTicks;
    int position;
};

void PrintTo(const StopCase& row, std::ostream* out) {
    *out << row.name;
}

class DualStop : public DualTest, public testing::WithParamInterface<StopCase> {};

TEST_P(DualStop, SlowsForSixtyEightTicksThenReportsTheHalfStillAndUp) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), GetParam().needleTicks));
    pressStop();
    EXPECT_TRUE(slower()->isActive());
    EXPECT_TRUE(timer1()->isActive()) << "the needle turns on while it slows";

    ASSERT_TRUE(tick(slower(), 67));
    EXPECT_TRUE(choices.empty());
    EXPECT_TRUE(slower()->isActive());
    ASSERT_TRUE(tick(slower()));

    // Up while the choice is greeted, with no tick to come during the greeting.
    EXPECT_EQ(choices, (std::vector<Choice>{{GetParam().position, true, false, false}}));
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive());
}

INSTANTIATE_TEST_SUITE_P(Stops, DualStop,
                         testing::Values(StopCase{"StraightDownGoesRight", 0, 1},
                                         // 12 ticks of 0.3 leave the needle at 206 degrees.
                                         StopCase{"LeftHalfGoesLeft", 12, 0},
                                         // Drawn at 6.3, then wrapped to straight down.
                                         StopCase{"PastAFullTurnGoesRight", 21, 1}),
                         rowName);

TEST_F(DualTest, StopAgainWhileSlowingDoesNotStartTheSlowingOver) {
    makeShown();
    pressStop();
    ASSERT_TRUE(tick(slower(), 30));
    pressStop();
    ASSERT_TRUE(tick(slower(), 37));
    EXPECT_TRUE(choices.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_EQ(choices.size(), 1u);
}

TEST_F(DualTest, ComingBackToTheWindowRestartsTheNeedle) {
    ASSERT_NO_FATAL_FAILURE(slowingThenElsewhere());
    ASSERT_TRUE(activate(dual));

    EXPECT_EQ(labelText(dual, "Qel_Char1"), "Ann Lee");
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive()) << "Stop must be pressed again";
    ASSERT_TRUE(tick(timer1()));
    EXPECT_NEAR(needleEnd().x(), 125.0 + 120.0 * std::sin(0.3), 1e-4) << "from straight down";
    EXPECT_NEAR(needleEnd().y(), 125.0 + 120.0 * std::cos(0.3), 1e-4);

    // Full speed again: the whole 68 ticks of slowing are needed.
    pressStop();
    ASSERT_TRUE(tick(slower(), 67));
    EXPECT_TRUE(choices.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_FALSE(choices.empty());
}

TEST_F(DualTest, TheFocusAShowBringsIsNoSecondArrival) {
    make();
    holdOff(timer1());
    holdOff(slower());
    dual->open(names);
    // Ticks may come before the window system hands the focus over.
    ASSERT_TRUE(tick(timer1(), 4));
    ASSERT_TRUE(QTest::qWaitForWindowActive(dual));
    ASSERT_TRUE(tick(timer1()));
    EXPECT_NEAR(needleEnd().x(), 125.0 + 120.0 * std::sin(1.5), 1e-4)
        << "the needle went back to straight down";
}

TEST_F(DualTest, ComingFromAnotherProgramLeavesTheNeedleAlone) {
    ASSERT_NO_FATAL_FAILURE(slowingThenElsewhere());
    // The user turns to another program, which the window system reports
    // as no window of this one having the focus, and comes back straight to
    // this window.
    Q_EMIT qGuiApp->focusWindowChanged(nullptr);
    ASSERT_TRUE(activate(dual));

    EXPECT_TRUE(slower()->isActive()) << "the slowing was given up";
    ASSERT_TRUE(tick(slower(), 57));
    EXPECT_TRUE(choices.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_EQ(choices.size(), 1u) << "stops on the 68th slower tick as before";
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
    EXPECT_EQ(choices.size(), 1u);
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
    EXPECT_TRUE(choices.empty());
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
    EXPECT_TRUE(choices.empty());
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
    EXPECT_TRUE(choices.empty());
    ASSERT_TRUE(tick(slower()));
    EXPECT_EQ(choices.size(), 1u);
    EXPECT_FALSE(dual->isVisible());
}

// The program hid a minimised window; its next show must not come back minimised.
TEST_F(DualTest, ReopenedAfterAHideWhileMinimisedShowsNormally) {
    makeShown();
    dual->showMinimized();
    dual->hide();
    EXPECT_FALSE(timer1()->isActive());
    dual->open(names);
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
    EXPECT_TRUE(choices.empty());
}

TEST_F(DualTest, ReopeningAfterAnAnnouncementSpinsTheNewPairAfresh) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 12));
    pressStop();
    ASSERT_TRUE(tick(slower(), 68));
    ASSERT_FALSE(dual->isVisible());

    dual->open({"Cy", "Di"});
    ASSERT_TRUE(QTest::qWaitForWindowActive(dual));
    EXPECT_EQ(labelText(dual, "Qel_Char1"), "Cy");
    EXPECT_EQ(labelText(dual, "Qel_Char2"), "Di");
    EXPECT_TRUE(timer1()->isActive());
    EXPECT_FALSE(slower()->isActive());
    pressStop();
    ASSERT_TRUE(tick(slower(), 68));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].position, 0);
    EXPECT_EQ(choices[1].position, 1) << "from straight down again";
}

} // namespace
} // namespace kinsight::test
