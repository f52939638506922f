// The needle's and the pendulum's arithmetic, tick by tick, with no window.
#include "pendulum.h"
#include "row_name.h"
#include "spinner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace kinsight {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// Slows a freshly reset spinner until it stops; returns the number of ticks.
int ticksToStop(Spinner& spinner) {
    for (int n = 1; n <= 1000; ++n) {
        if (spinner.tickSlower().stopped)
            return n;
    }
    return -1;
}

TEST(Spinner, StopsOnThe68thSlowerTickAndDecidesOnlyThen) {
    Spinner spinner;
    spinner.reset();
    spinner.pressStop();
    spinner.Angle = 1.0;
    for (int n = 1; n <= 67; ++n) {
        const SlowerTick tick = spinner.tickSlower();
        ASSERT_FALSE(tick.stopped) << "tick " << n;
        ASSERT_EQ(tick.choice, SpinnerChoice::None) << "tick " << n;
        ASSERT_TRUE(spinner.timer1On() && spinner.slowerOn()) << "tick " << n;
    }
    EXPECT_NEAR(spinner.Speed, 0.000506, 0.000001);
    const SlowerTick last = spinner.tickSlower();
    EXPECT_TRUE(last.stopped);
    EXPECT_EQ(last.choice, SpinnerChoice::Position1);
    EXPECT_NEAR(spinner.Speed, 0.00046, 0.000001);
    EXPECT_FALSE(spinner.timer1On() || spinner.slowerOn()) << "both timers off at the stop";
}

// Which of the two timers run, from each thing the window hands on.
TEST(Spinner, SwitchesItsTimersAsTheWindowIsUsed) {
    struct Row {
        const char* step;
        void (*apply)(Spinner&);
        bool timer1, slower;
    };
    const Row rows[] = {
        {"shown", [](Spinner& s) { s.reset(); }, true, false},
        {"Stop", [](Spinner& s) { s.pressStop(); }, true, true},
        {"Stop again", [](Spinner& s) { s.pressStop(); }, true, true},
        {"the user comes back", [](Spinner& s) { s.reset(); }, true, false},
        {"Stop", [](Spinner& s) { s.pressStop(); }, true, true},
        {"the restart's reset", [](Spinner& s) { s.resetTimers(); }, true, false},
        {"hidden by the program", [](Spinner& s) { s.halt(); }, false, false},
        {"the restart's reset when hidden", [](Spinner& s) { s.resetTimers(); }, true, false},
    };
    Spinner spinner;
    EXPECT_FALSE(spinner.timer1On() || spinner.slowerOn()) << "before the window exists";
    spinner.Angle = 2.0;
    for (const Row& row : rows) {
        row.apply(spinner);
        EXPECT_EQ(spinner.timer1On(), row.timer1) << row.step;
        EXPECT_EQ(spinner.slowerOn(), row.slower) << row.step;
    }
    EXPECT_EQ(spinner.Angle, 0.0) << "only a show or a return turns the needle back";
}

TEST(Spinner, ResetRestoresFullSpeedStraightDown) {
    Spinner spinner;
    spinner.Speed = 0.001;
    spinner.Angle = 2.5;
    spinner.reset();
    EXPECT_EQ(spinner.Speed, 0.3);
    EXPECT_EQ(spinner.Angle, 0.0);
    EXPECT_EQ(ticksToStop(spinner), 68);
}

TEST(Spinner, DegreeFactorUsesTheShortPi) {
    EXPECT_NEAR(Spinner::kDegreeFactor, 57.2962382632237, 1e-12);
    EXPECT_NEAR(Spinner::degrees(3.14158), 180.0007, 0.0001);
    EXPECT_EQ(Spinner::degrees(3.1415675), 180.0);
}

struct StopCase {
    std::string name;
    double angle;
    SpinnerChoice expected;
};

void PrintTo(const StopCase& row, std::ostream* out) {
    *out << row.name;
}

class SpinnerStop : public testing::TestWithParam<StopCase> {};

TEST_P(SpinnerStop, AnnouncesTheHalfByDegrees) {
    Spinner spinner;
    spinner.reset();
    spinner.Angle = GetParam().angle;
    for (int n = 1; n < 68; ++n)
        spinner.tickSlower();
    const SlowerTick tick = spinner.tickSlower();
    ASSERT_TRUE(tick.stopped);
    EXPECT_EQ(tick.choice, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, SpinnerStop,
    testing::Values(StopCase{"StraightDown", 0.0, SpinnerChoice::Position1},
                    StopCase{"Angle1_0RightHalf", 1.0, SpinnerChoice::Position1},
                    StopCase{"Angle4_0LeftHalf", 4.0, SpinnerChoice::Position0},
                    StopCase{"JustBelow180Degrees", 3.1415, SpinnerChoice::Position1},
                    StopCase{"Exactly180DegreesGoesRight", 3.1415675, SpinnerChoice::Position1},
                    StopCase{"Angle3_14158CountsLeft", 3.14158, SpinnerChoice::Position0},
                    StopCase{"PiCountsLeft", 3.14159265358979, SpinnerChoice::Position0},
                    StopCase{"JustPastAFullTurnCountsLeft", 6.2832, SpinnerChoice::Position0}),
    test::rowName);

struct NeedleCase {
    std::string name;
    double angleBefore;
    double speed;
    double angleAfter;
    float endX;
    float endY;
};

void PrintTo(const NeedleCase& row, std::ostream* out) {
    *out << row.name;
}

class SpinnerNeedle : public testing::TestWithParam<NeedleCase> {};

TEST_P(SpinnerNeedle, TurnsThenPlacesTheEndThenWraps) {
    const NeedleCase& c = GetParam();
    Spinner spinner;
    spinner.Angle = c.angleBefore;
    spinner.Speed = c.speed;
    spinner.tickNeedle();
    EXPECT_DOUBLE_EQ(spinner.Angle, c.angleAfter);
    EXPECT_NEAR(spinner.endX(), c.endX, 0.01);
    EXPECT_NEAR(spinner.endY(), c.endY, 0.01);
    EXPECT_EQ(spinner.Speed, c.speed);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, SpinnerNeedle,
    testing::Values(NeedleCase{"FirstTickFromRest", 0.0, 0.3, 0.3, 160.46f, 239.64f},
                    NeedleCase{"Angle1_0", 0.0, 1.0, 1.0, 225.98f, 189.84f},
                    NeedleCase{"Angle4_0", 3.0, 1.0, 4.0, 34.18f, 46.56f},
                    NeedleCase{"Angle3_14158PointsAHairRight", 3.0, 0.14158, 3.14158, 125.0015f,
                               5.0f},
                    // Drawn at 6.4, a little past a full turn, and only then wrapped.
                    NeedleCase{"WrapsAfterDrawing", 6.1, 0.3, 0.0, 138.99f, 244.19f},
                    NeedleCase{"WrapLimitItselfDoesNotWrap", 6.2832, 0.0, 6.2832, 125.0f, 245.0f}),
    test::rowName);

TEST(Spinner, RestsAsLaidOutBeforeTheFirstTick) {
    const Spinner spinner;
    EXPECT_EQ(spinner.endX(), 125.0f);
    EXPECT_EQ(spinner.endY(), 240.0f);
}

TEST(Pendulum, FirstTickPutsTheFreeEndAtTheCentreThenSwings) {
    Pendulum pendulum;
    EXPECT_EQ(pendulum.y(), 151.7f);
    pendulum.tick();
    EXPECT_EQ(pendulum.y(), 150.0f);
    EXPECT_DOUBLE_EQ(pendulum.Phase, 0.3);
    pendulum.tick();
    EXPECT_NEAR(pendulum.y(), 179.552f, 0.001);
    for (int n = 0; n < 3; ++n)
        pendulum.tick();
    EXPECT_NEAR(pendulum.y(), 150.0f + 100.0f * std::sin(1.2f), 0.001);
}

TEST(Pendulum, PhaseRunsOnAcrossSwingsAndStaysWithinTheBands) {
    Pendulum pendulum;
    float lowest = kInf;
    float highest = -kInf;
    for (int n = 0; n < 100; ++n) {
        pendulum.tick();
        lowest = std::min(lowest, pendulum.y());
        highest = std::max(highest, pendulum.y());
    }
    EXPECT_NEAR(pendulum.Phase, 30.0, 1e-9);
    EXPECT_GE(lowest, 50.0f);
    EXPECT_LE(highest, 250.0f);
    EXPECT_LT(lowest, 51.0f);
    EXPECT_GT(highest, 249.0f);
}

struct RegionCase {
    std::string name;
    float y;
    int region;
};

void PrintTo(const RegionCase& row, std::ostream* out) {
    *out << row.name;
}

class PendulumRegion : public testing::TestWithParam<RegionCase> {};

TEST_P(PendulumRegion, PicksTheBandOnThe32BitValue) {
    EXPECT_EQ(Pendulum::region(GetParam().y), GetParam().region);
}

INSTANTIATE_TEST_SUITE_P(
    Borders, PendulumRegion,
    testing::Values(RegionCase{"TopOfSwing", 50.0f, 0},
                    RegionCase{"Below105", std::nextafter(105.0f, -kInf), 0},
                    RegionCase{"Exactly105", 105.0f, 0},
                    RegionCase{"NextAbove105", std::nextafter(105.0f, kInf), 1},
                    RegionCase{"Centre", 150.0f, 1},
                    RegionCase{"LastBelow188", std::nextafter(188.0f, -kInf), 1},
                    RegionCase{"Exactly188", 188.0f, 2},
                    RegionCase{"NextAbove188", std::nextafter(188.0f, kInf), 2},
                    RegionCase{"BottomOfSwing", 250.0f, 2}),
    test::rowName);

struct RoundingCase {
    std::string name;
    double exactY;
    int region;
};

void PrintTo(const RoundingCase& row, std::ostream* out) {
    *out << row.name;
}

class PendulumRounding : public testing::TestWithParam<RoundingCase> {};

// A y a hair past a border in 64 bits rounds onto the border in 32 bits;
// the choice follows the stored value.
TEST_P(PendulumRounding, ChoosesOnTheStoredValueNotTheExactOne) {
    const RoundingCase& c = GetParam();
    Pendulum pendulum;
    pendulum.Phase = std::asin((c.exactY - Pendulum::kCentreY) / Pendulum::kAmplitude);
    const double computed = 150.0 + 100.0 * std::sin(pendulum.Phase);
    ASSERT_NE(computed, std::round(computed)) << "the case needs a y off the border";
    pendulum.tick();
    EXPECT_EQ(pendulum.y(), static_cast<float>(std::round(computed)));
    EXPECT_EQ(pendulum.choose(), c.region);
}

INSTANTIATE_TEST_SUITE_P(Borders, PendulumRounding,
                         testing::Values(RoundingCase{"JustAbove105RoundsTo105", 105.000001, 0},
                                         RoundingCase{"JustBelow188RoundsTo188", 187.999999, 2}),
                         test::rowName);

TEST(Pendulum, StopFreezesTheTimerAndChoosesTheBandOfTheLastTick) {
    struct Row {
        int ticks;
        int region;
    };
    // Phases 0, 1.2 and 4.5 put the free end at 150, 243.2 and 52.2.
    for (const Row row : {Row{1, 1}, Row{5, 2}, Row{16, 0}}) {
        Pendulum pendulum;
        pendulum.start();
        for (int n = 0; n < row.ticks; ++n)
            pendulum.tick();
        ASSERT_TRUE(pendulum.timerOn());
        EXPECT_EQ(pendulum.stop(), row.region) << row.ticks << " ticks";
        EXPECT_FALSE(pendulum.timerOn()) << row.ticks << " ticks";
    }
}

} // namespace
} // namespace kinsight
