// The three-way window: its layout, its labels, the pointer's ticks, Stop
// and the choice it reports, re-opening on the same phase, and closing early.
#include "pendulum.h"
#include "row_name.h"
#include "secondary_window.h"
#include "tri.h"
#include "window_helpers.h"

#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kinsight::test {
namespace {

float pointerY(double phase) {
    return static_cast<float>(150.0 + 100.0 * std::sin(phase));
}

class TriTest : public testing::Test {
protected:
    void TearDown() override {
        delete tri.data();
        delete other;
        expectNoWindowsLeft();
    }

    // The receiver notes the band and whether the window was up and still,
    // then hides the window, as the engine does.
    Tri* make() {
        tri = &held.getOrMake([this] { return new Tri(pendulum); });
        QObject::connect(tri, &TieBreakWindow::chosen, tri, [this](int position) {
            chosen.push_back(position);
            upAndStill = tri->isVisible() && !timer1()->isActive();
            tri->hide();
        });
        return tri;
    }
    Tri* makeShown() {
        make();
        holdOff(timer1());
        tri->open(names);
        EXPECT_TRUE(QTest::qWaitForWindowActive(tri));
        return tri;
    }

    QTimer* timer1() const { return tri->findChild<QTimer*>(QStringLiteral("Timer1")); }
    QObject* line() const { return tri->findChild<QObject*>(QStringLiteral("Line1")); }
    double freeEndY() const { return line()->property("y1").toDouble(); }
    void pressStop() {
        QTest::mouseClick(tri->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    std::vector<std::string> names{"Ann Lee", "Bo", "Cy"};
    Pendulum pendulum;
    std::vector<int> chosen;
    bool upAndStill = false;
    kinsight::SecondaryWindow<Tri> held; // as the program holds it
    QPointer<Tri> tri;
    QPointer<QWidget> other;
};

TEST_F(TriTest, LaysOutTheWindowAsDrawn) {
    make();
    EXPECT_EQ(tri->objectName(), "Tri");
    EXPECT_EQ(tri->windowTitle(), "Kinsight?");
    EXPECT_EQ(tri->minimumSize(), QSize(252, 249));
    EXPECT_EQ(tri->maximumSize(), QSize(252, 249));
    EXPECT_FALSE(tri->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(tri->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(tri->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(tri->isVisible());

    const struct {
        const char* name;
        QRect rect;
    } labels[] = {{"Qel_Char1", QRect(32, 32, 97, 25)},
                  {"Qel_Char2", QRect(32, 104, 97, 25)},
                  {"QEL_Char3", QRect(32, 168, 97, 25)}};
    for (const auto& expected : labels) {
        auto* label = tri->findChild<QLabel*>(QString::fromLatin1(expected.name));
        ASSERT_TRUE(label) << expected.name;
        EXPECT_EQ(label->geometry(), expected.rect) << expected.name;
        EXPECT_FALSE(label->autoFillBackground()) << expected.name;
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << expected.name;
    }
    auto* stop = tri->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->text(), "Stop");
    EXPECT_EQ(stop->geometry(), QRect(192, 232, 57, 17));

    ASSERT_TRUE(timer1());
    EXPECT_EQ(timer1()->interval(), 20);
    EXPECT_EQ(timer1()->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(timer1()->isActive()) << "the pointer swings from creation";

    ASSERT_TRUE(line());
    EXPECT_NEAR(line()->property("x1").toDouble(), 87.3, 1e-9);
    EXPECT_NEAR(freeEndY(), 151.7, 1e-5);
    EXPECT_NEAR(line()->property("x2").toDouble(), 222.2, 1e-9);
    EXPECT_NEAR(line()->property("y2").toDouble(), 151.7, 1e-9);
}

TEST_F(TriTest, PaintsTheBandsOnTheWindowsOwnGround) {
    makeShown();
    const QImage shot = tri->grab().toImage();
    const QColor ground = tri->palette().color(QPalette::Window);
    EXPECT_EQ(shot.pixelColor(5, 5), ground) << "the grey ground is the transparent colour";
    EXPECT_EQ(shot.pixelColor(251, 100), ground) << "the strip right of the picture";
    EXPECT_EQ(shot.pixelColor(24, 60), QColor(51, 51, 153));
    EXPECT_EQ(shot.pixelColor(180, 60), QColor(51, 51, 255));
    EXPECT_EQ(shot.pixelColor(180, 100), QColor(102, 0, 102));
    EXPECT_EQ(shot.pixelColor(180, 200), QColor(153, 0, 0));
    EXPECT_EQ(shot.pixelColor(150, 128), QColor(Qt::black)) << "the pointer at rest";
}

TEST_F(TriTest, OpenWritesTheNamesTopToBottom) {
    make();
    EXPECT_EQ(labelText(tri, "Qel_Char1"), "") << "no names before it is opened";
    tri->open(names);
    EXPECT_EQ(labelText(tri, "Qel_Char1"), "Ann Lee");
    EXPECT_EQ(labelText(tri, "Qel_Char2"), "Bo");
    EXPECT_EQ(labelText(tri, "QEL_Char3"), "Cy");
}

TEST_F(TriTest, FirstTickPutsTheFreeEndAtTheCentreAndOnlyItsHeightMoves) {
    makeShown();
    ASSERT_TRUE(tick(timer1()));
    EXPECT_EQ(freeEndY(), 150.0);
    for (int n = 1; n <= 30; ++n) {
        ASSERT_TRUE(tick(timer1()));
        ASSERT_EQ(freeEndY(), pointerY(0.3 * n)) << "tick " << n + 1;
    }
    EXPECT_NEAR(line()->property("x1").toDouble(), 87.3, 1e-9);
    EXPECT_NEAR(line()->property("x2").toDouble(), 222.2, 1e-9);
    EXPECT_NEAR(line()->property("y2").toDouble(), 151.7, 1e-9);
    EXPECT_TRUE(chosen.empty());
}

struct StopCase {
    std::string name;
    int ticks;
    int position;
};

void PrintTo(const StopCase& row, std::ostream* out) {
    *out << row.name;
}

class TriStop : public TriTest, public testing::WithParamInterface<StopCase> {};

TEST_P(TriStop, FreezesAtOnceAndReportsTheBandStillAndUp) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), GetParam().ticks));
    const double frozenAt = freeEndY();
    pressStop();
    EXPECT_EQ(chosen, std::vector<int>{GetParam().position});
    EXPECT_TRUE(upAndStill) << "no tick may arrive during the greeting";
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_EQ(freeEndY(), frozenAt);
}

INSTANTIATE_TEST_SUITE_P(Bands, TriStop,
                         testing::Values(
                             // Phases 0, 1.2 and 4.5 put the free end at 150, 243.2 and 52.2.
                             StopCase{"CentreGoesToTheMiddle", 1, 1},
                             StopCase{"LowSwingGoesToTheBottom", 5, 2},
                             StopCase{"HighSwingGoesToTheTop", 16, 0}),
                         rowName);

TEST_F(TriTest, ReopenedWindowSwingsOnFromItsPhase) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 3));
    pressStop();
    ASSERT_FALSE(tri->isVisible());

    tri->open({"Di", "Ed", "Flo"});
    ASSERT_TRUE(QTest::qWaitForWindowActive(tri));
    EXPECT_EQ(labelText(tri, "Qel_Char1"), "Di");
    EXPECT_EQ(labelText(tri, "Qel_Char2"), "Ed");
    EXPECT_EQ(labelText(tri, "QEL_Char3"), "Flo");
    EXPECT_TRUE(timer1()->isActive());
    ASSERT_TRUE(tick(timer1()));
    EXPECT_EQ(freeEndY(), pointerY(0.9)) << "not back at 150";
}

TEST_F(TriTest, ComingBackToTheWindowKeepsTheNamesAndTheSwing) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 2));
    other = new QWidget;
    other->setObjectName(QStringLiteral("other"));
    other->show();
    ASSERT_TRUE(activate(other));
    ASSERT_TRUE(activate(tri));
    EXPECT_EQ(labelText(tri, "Qel_Char2"), "Bo");
    EXPECT_TRUE(timer1()->isActive());
    ASSERT_TRUE(tick(timer1()));
    EXPECT_EQ(freeEndY(), pointerY(0.6));
}

TEST_F(TriTest, HiddenWindowRests) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 4));
    tri->hide();
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_TRUE(chosen.empty());
}

TEST_F(TriTest, MinimisedWindowSwingsOnUnseen) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 4));
    tri->showMinimized();
    EXPECT_TRUE(timer1()->isActive());
    ASSERT_TRUE(tick(timer1(), 3));
    tri->showNormal();
    EXPECT_TRUE(timer1()->isActive());
    ASSERT_TRUE(tick(timer1()));
    EXPECT_EQ(freeEndY(), pointerY(0.3 * 7));
    EXPECT_TRUE(chosen.empty());
}

TEST_F(TriTest, ClosedBeforeTheResultAnnouncesNothingAndComesBackAnew) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 7));
    EXPECT_TRUE(tri->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tri.isNull());
    EXPECT_TRUE(chosen.empty());

    // The new window is laid out afresh, but the phase runs on.
    makeShown();
    EXPECT_EQ(freeEndY(), Pendulum::kRestY);
    pressStop();
    EXPECT_EQ(chosen, std::vector<int>{1}) << "the pointer as laid out points at the middle band";
    tri->open(names);
    ASSERT_TRUE(QTest::qWaitForWindowActive(tri));
    ASSERT_TRUE(tick(timer1()));
    double phase = 0.0;
    for (int i = 0; i < 7; ++i)
        phase += Pendulum::kPhaseStep;
    EXPECT_EQ(freeEndY(), pointerY(phase));
}

} // namespace
} // namespace kinsight::test
