// The measure of quiz texts against the main window's question box and option
// buttons: what it calls too long must be what the window's own label sizes
// as too tall, what it says shows must fit, and the bundled quiz fits whole.
#include "checker.h"
#include "only_layout.h"
#include "row_name.h"
#include "text_fit.h"

#include <QLabel>

#include <gtest/gtest.h>

using namespace kinsight;

namespace {

enum class Kind { Question, Answer, Name };

struct FitCase {
    std::string name;
    Kind kind;
    std::string text;
    bool fits;
};

void PrintTo(const FitCase& c, std::ostream* out) {
    *out << c.name;
}

std::optional<std::size_t> shown(const WindowTextMeasurer& measurer, Kind kind,
                                 std::string_view text) {
    return kind == Kind::Question ? measurer.questionShown(text)
           : kind == Kind::Answer ? measurer.answerShown(text)
                                  : measurer.nameShownFrom(text);
}

// Whether Question_Box's label, by its own measure, has room for the whole text.
bool labelFits(std::string_view text) {
    QLabel label;
    setUpQuestionBox(label);
    const QRect box = label.contentsRect();
    const QRect needs = label.fontMetrics().boundingRect(
        QRect(0, 0, box.width(), 10 * box.height()),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return needs.width() <= box.width() && needs.height() <= box.height();
}

class TextFit : public testing::TestWithParam<FitCase> {};

TEST_P(TextFit, CutsWhereTheWindowDoes) {
    const FitCase& c = GetParam();
    const WindowTextMeasurer measurer;
    const std::optional<std::size_t> cut = shown(measurer, c.kind, c.text);
    ASSERT_EQ(!cut.has_value(), c.fits);
    if (c.kind == Kind::Question) {
        EXPECT_EQ(labelFits(c.text), c.fits);
    }
    if (!cut)
        return;
    ASSERT_LT(*cut, c.text.size());
    if (c.kind == Kind::Name) {
        // The box shows a name's end: that end fits, and one character more would not.
        ASSERT_GT(*cut, 0u);
        EXPECT_FALSE(shown(measurer, c.kind, c.text.substr(*cut))) << c.text.substr(*cut);
        EXPECT_TRUE(shown(measurer, c.kind, c.text.substr(*cut - 1))) << c.text.substr(*cut);
        return;
    }
    // What is said to show fits, and one character more would not.
    const std::string visible = c.text.substr(0, *cut);
    EXPECT_FALSE(shown(measurer, c.kind, visible)) << visible;
    if (c.kind == Kind::Question)
        EXPECT_TRUE(labelFits(visible)) << visible;
    else
        EXPECT_TRUE(shown(measurer, c.kind, c.text.substr(0, *cut + 1))) << visible;
}

const std::string kLongestBundledQuestion =
    "You wake up in the valley of Qel at dawn. What is the first thing you do?";

INSTANTIATE_TEST_SUITE_P(
    Texts, TextFit,
    testing::Values(
        FitCase{"ShortQuestion", Kind::Question, "Which season?", true},
        FitCase{"LongestBundledQuestion", Kind::Question, kLongestBundledQuestion, true},
        FitCase{"QuestionOfThreeLines", Kind::Question,
                kLongestBundledQuestion + " And what do you eat for breakfast?", false},
        FitCase{"WordWiderThanTheBox", Kind::Question, std::string(60, 'W'), false},
        FitCase{"QuotedLineBreaks", Kind::Question, "One\nTwo\nThree", false},
        FitCase{"ShortAnswer", Kind::Answer, "Tea", true},
        FitCase{"LongestBundledAnswer", Kind::Answer, "In a cottage above a warm bakery", true},
        FitCase{"AmpersandShowsAsItself", Kind::Answer, "Salt & pepper & bread", true},
        FitCase{"AnswerWiderThanItsButton", Kind::Answer,
                "Polish my armour, check the rota, then inspect the guard", false},
        FitCase{"NonAsciiAnswer", Kind::Answer,
                "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                "e, cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                "e, and more cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                "e",
                false},
        FitCase{"LongestBundledName", Kind::Name, "Old Quill", true},
        FitCase{"NameWiderThanTheResultBox", Kind::Name,
                "Cidonia the Far-Seeing of the Northern Marches", false}),
    test::rowName);

TEST(TextFitOnTheBundledQuiz, EveryTextShowsWhole) {
    const WindowTextMeasurer measurer;
    const CheckReport report =
        checkQuiz(std::filesystem::path(KINSIGHT_SOURCE_DIR) / "quiz" / "way.txt", &measurer);
    std::string found;
    for (const Diagnostic& d : report.diagnostics)
        found += formatDiagnostic("way.txt", d) + "\n";
    EXPECT_EQ(found, "");
}

} // namespace
