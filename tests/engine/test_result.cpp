// How a result is told: the draw messages and the order of greeting, name
// and picture for each kind of announcement.
#include "recording_window.h"
#include "result.h"
#include "row_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kinsight::ResultOrder;
using kinsight::test::RecordingWindow;
using Ops = std::vector<std::string>;

namespace {

struct DrawCase {
    const char* name;
    std::vector<std::string> names;
    std::string message;
};

class DrawMessage : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawMessage, ReadsExactly) {
    EXPECT_EQ(kinsight::drawMessage(GetParam().names), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, DrawMessage,
    ::testing::Values(
        DrawCase{"TwoWay", {"Ann Lee", "Bo"}, "Two way draw between Ann Lee and Bo"},
        DrawCase{"ThreeWayNoBlankAfterCommaTwoAfterAnd",
                 {"A", "B", "C"},
                 "Three way draw between A,B and  C"},
        DrawCase{"FourWayApologyFollowsLastName",
                 {"A", "B", "C", "D"},
                 "Four way draw between A,B,C and D..sorry..this game does not yet fully support 4 "
                 "way tie-brakes"},
        DrawCase{"FiveWay", {"A", "B", "C", "D", "E"}, "5 way draw between A,B,C,D and E"},
        DrawCase{"FifteenWay",
                 {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O"},
                 "15 way draw between A,B,C,D,E,F,G,H,I,J,K,L,M,N and O"}),
    kinsight::test::rowName);

struct PresentCase {
    const char* name;
    std::string character;
    ResultOrder order;
    Ops present;  // presentResult
    Ops announce; // announceChoice, with the tie-break window hidden in between
};

class Presentation : public ::testing::TestWithParam<PresentCase> {};

TEST_P(Presentation, PresentResultKeepsItsOrder) {
    RecordingWindow window;
    kinsight::presentResult(window, GetParam().character, GetParam().order);
    EXPECT_EQ(window.ops, GetParam().present);
}

TEST_P(Presentation, AnnounceChoiceGreetsAndHidesFirst) {
    RecordingWindow window;
    kinsight::announceChoice(window, window, GetParam().character, GetParam().order);
    EXPECT_EQ(window.ops, GetParam().announce);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, Presentation,
    ::testing::Values(PresentCase{"PictureThenName",
                                  "Ann Lee",
                                  ResultOrder::PictureThenName,
                                  {"showPicture(\"Ann Lee\")", "setResultName(\"Ann Lee\")"},
                                  {"greet(\"Ann Lee\")", "hideTieBreaks()",
                                   "showPicture(\"Ann Lee\")", "setResultName(\"Ann Lee\")"}},
                      PresentCase{"NameThenPicture",
                                  "Bo",
                                  ResultOrder::NameThenPicture,
                                  {"setResultName(\"Bo\")", "showPicture(\"Bo\")"},
                                  {"greet(\"Bo\")", "hideTieBreaks()", "setResultName(\"Bo\")",
                                   "showPicture(\"Bo\")"}},
                      // Nobody's picture: the last winner's goes.
                      PresentCase{"EmptyNameClearsThePicture",
                                  "",
                                  ResultOrder::PictureThenName,
                                  {"showPicture(\"\")", "setResultName(\"\")"},
                                  {"greet(\"\")", "hideTieBreaks()", "showPicture(\"\")",
                                   "setResultName(\"\")"}},
                      PresentCase{"EmptyNameClearsThePictureEitherOrder",
                                  "",
                                  ResultOrder::NameThenPicture,
                                  {"setResultName(\"\")", "showPicture(\"\")"},
                                  {"greet(\"\")", "hideTieBreaks()", "setResultName(\"\")",
                                   "showPicture(\"\")"}}),
    kinsight::test::rowName);

} // namespace
