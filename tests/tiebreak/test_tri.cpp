// The three-way window: its layout, its labels, the pointer's ticks, Stop
// and the announcement, re-opening on the same phase, and closing early.
#include "modal_closer.h"
#include "pendulum.h"
#include "quiz_tables.h"
#include "recording_window.h"
#include "row_name.h"
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

using Calls = std::vector<std::string>;

float pointerY(double phase) {
    return static_cast<float>(150.0 + 100.0 * std::sin(phase));
}

class TriTest : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 1; i <= kCharacterCount; ++i)
            tables.CharacterTable[i] = "Name " + std::to_string(i);
        tables.CharacterTable[2] = "Ann Lee";
        tables.CharacterTable[7] = "Bo";
        tables.CharacterTable[11] = "Cy";
        tables.TieList[0] = 2;
        tables.TieList[1] = 7;
        tables.TieList[2] = 11;
        recorder.onGreet = [this](const std::string&) {
            greetedVisible = tri && tri->isVisible();
            greetedTicking = tri && timer1()->isActive();
        };
    }

    void TearDown() override {
        delete tri.data();
        delete other;
        expectNoWindowsLeft();
    }

    Tri* make() {
        tri = new Tri(tables, recorder, pendulum);
        return tri;
    }
    Tri* makeShown() {
        make();
        holdOff(timer1());
        tri->open();
        EXPECT_TRUE(QTest::qWaitForWindowActive(tri));
        return tri;
    }

    QTimer* timer1() const { return tri->findChild<QTimer*>(QStringLiteral("Timer1")); }
    QObject* line() const { return tri->findChild<QObject*>(QStringLiteral("Line1")); }
    double freeEndY() const { return line()->property("y1").toDouble(); }
    void pressStop() {
        QTest::mouseClick(tri->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    }

    QuizTables tables;
    RecordingWindow recorder;
    Pendulum pendulum;
    bool greetedVisible = false;
    bool greetedTicking = true;
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

struct LabelCase {
    std::string name;
    std::array<int, 4> ties;
    std::array<QString, 3> texts;
};

void PrintTo(const LabelCase& row, std::ostream* out) {
    *out << row.name;
}

class TriLabels : public TriTest, public testing::WithParamInterface<LabelCase> {};

TEST_P(TriLabels, LoadWritesTheFirstThreeTiedNamesTopToBottom) {
    for (int p = 0; p < 4; ++p)
        tables.TieList[p] = GetParam().ties[p];
    make();
    EXPECT_EQ(labelText(tri, "Qel_Char1"), GetParam().texts[0]);
    EXPECT_EQ(labelText(tri, "Qel_Char2"), GetParam().texts[1]);
    EXPECT_EQ(labelText(tri, "QEL_Char3"), GetParam().texts[2]);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, TriLabels,
    testing::Values(
        LabelCase{"Slots2_7_11", {2, 7, 11, 0}, {"Ann Lee", "Bo", "Cy"}},
        LabelCase{"FourWayOffersTheFirstThree", {1, 3, 5, 6}, {"Name 1", "Name 3", "Name 5"}}),
    rowName);

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
    EXPECT_TRUE(recorder.ops.empty());
}

struct StopCase {
    std::string name;
    int ticks;
    Calls expected;
};

void PrintTo(const StopCase& row, std::ostream* out) {
    *out << row.name;
}

class TriStop : public TriTest, public testing::WithParamInterface<StopCase> {};

TEST_P(TriStop, FreezesAtOnceGreetsHidesAndAnnouncesNameFirst) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), GetParam().ticks));
    const double frozenAt = freeEndY();
    pressStop();
    EXPECT_EQ(recorder.ops, GetParam().expected);
    EXPECT_TRUE(greetedVisible) << "the greeting comes while the window is up";
    EXPECT_FALSE(greetedTicking) << "no tick may arrive during the greeting";
    EXPECT_FALSE(tri->isVisible());
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_EQ(freeEndY(), frozenAt);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, TriStop,
    testing::Values(
        // Phases 0, 1.2 and 4.5 put the free end at 150, 243.2 and 52.2.
        StopCase{"CentreGoesToTheMiddle",
                 1,
                 {R"(greet("Bo"))", R"(setResultName("Bo"))", R"(showPicture("Bo"))"}},
        StopCase{"LowSwingGoesToTheBottom",
                 5,
                 {R"(greet("Cy"))", R"(setResultName("Cy"))", R"(showPicture("Cy"))"}},
        StopCase{
            "HighSwingGoesToTheTop",
            16,
            {R"(greet("Ann Lee"))", R"(setResultName("Ann Lee"))", R"(showPicture("Ann Lee"))"}}),
    rowName);

TEST_F(TriTest, ReopenedWindowSwingsOnFromItsPhase) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 3));
    pressStop();
    ASSERT_FALSE(tri->isVisible());
    recorder.ops.clear();

    tables.TieList[0] = 1;
    tables.TieList[1] = 3;
    tables.TieList[2] = 5;
    tri->open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tri));
    EXPECT_EQ(labelText(tri, "Qel_Char1"), "Name 1");
    EXPECT_EQ(labelText(tri, "Qel_Char2"), "Name 3");
    EXPECT_EQ(labelText(tri, "QEL_Char3"), "Name 5");
    EXPECT_TRUE(timer1()->isActive());
    ASSERT_TRUE(tick(timer1()));
    EXPECT_EQ(freeEndY(), pointerY(0.9)) << "not back at 150";
}

TEST_F(TriTest, ComingBackToTheWindowRewritesTheLabels) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 2));
    tables.CharacterTable[7] = "Di";
    other = new QWidget;
    other->setObjectName(QStringLiteral("other"));
    other->show();
    ASSERT_TRUE(activate(other));
    ASSERT_TRUE(activate(tri));
    EXPECT_EQ(labelText(tri, "Qel_Char2"), "Di");
    EXPECT_TRUE(timer1()->isActive());
    ASSERT_TRUE(tick(timer1()));
    EXPECT_EQ(freeEndY(), pointerY(0.6));
}

TEST_F(TriTest, HiddenWindowRests) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 4));
    tri->hide();
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_TRUE(recorder.ops.empty());
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
    EXPECT_TRUE(recorder.ops.empty());
}

TEST_F(TriTest, ClosedBeforeTheResultAnnouncesNothingAndComesBackAnew) {
    makeShown();
    ASSERT_TRUE(tick(timer1(), 7));
    EXPECT_TRUE(tri->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tri.isNull());
    EXPECT_TRUE(recorder.ops.empty());

    // The new window is laid out afresh, but the phase runs on.
    makeShown();
    EXPECT_EQ(freeEndY(), Pendulum::kRestY);
    pressStop();
    EXPECT_EQ(recorder.ops,
              (Calls{R"(greet("Bo"))", R"(setResultName("Bo"))", R"(showPicture("Bo"))"}))
        << "the pointer as laid out points at the middle band";
    tri->open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tri));
    ASSERT_TRUE(tick(timer1()));
    double phase = 0.0;
    for (int i = 0; i < 7; ++i)
        phase += Pendulum::kPhaseStep;
    EXPECT_EQ(freeEndY(), pointerY(phase));
}

TEST_F(TriTest, RealGreetingBoxLeavesTheWindowHiddenAndStill) {
    ModalCloser closer;
    bool focusBack = false;
    recorder.onGreet = [this, &focusBack](const std::string& name) {
        greetedVisible = tri->isVisible();
        QMessageBox box(QMessageBox::NoIcon, QString(), QString::fromStdString("You are..." + name),
                        QMessageBox::Ok);
        box.exec();
        // A window manager may hand the focus back before the box returns;
        // that is no return of the user.
        focusBack = activate(tri);
        greetedTicking = timer1()->isActive();
    };
    makeShown();
    // Stop pressed again by a screen reader while the greeting is up.
    auto* stop = tri->findChild<QPushButton*>(QStringLiteral("Command1"));
    QSignalSpy presses(stop, &QPushButton::clicked);
    closer.whileOpen([stop, first = true]() mutable {
        if (std::exchange(first, false))
            pressAsScreenReader(stop);
    });
    ASSERT_TRUE(tick(timer1()));
    pressStop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return presses.count() == 2; }));
    ASSERT_EQ(closer.boxes().size(), 1) << "one greeting";
    EXPECT_EQ(closer.boxes().first().text, "You are...Bo");
    EXPECT_TRUE(greetedVisible);
    ASSERT_TRUE(focusBack);
    EXPECT_FALSE(greetedTicking) << "the focus coming back restarted the pointer";
    QTest::qWait(100);
    EXPECT_FALSE(tri->isVisible());
    EXPECT_FALSE(timer1()->isActive());
    EXPECT_EQ(recorder.ops,
              (Calls{R"(greet("Bo"))", R"(setResultName("Bo"))", R"(showPicture("Bo"))"}));
}

} // namespace
} // namespace kinsight::test
