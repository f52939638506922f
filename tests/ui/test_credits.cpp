// The about window.
#include "credits.h"
#include "messages_in.h"
#include "row_name.h"
#include "secondary_window.h"
#include "window_helpers.h"

#include <QLabel>

using kinsight::Credits;
using kinsight::test::expectNoWindowsLeft;

namespace {

class CreditsTest : public testing::Test {
protected:
    void TearDown() override { expectNoWindowsLeft(); }
};

TEST_F(CreditsTest, WindowAndControls) {
    kinsight::SecondaryWindow<Credits> held;
    Credits* credits = &held.getOrMake([] { return new Credits(); });
    credits->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(credits));
    EXPECT_EQ(credits->windowTitle(), "About box Thingy");
    EXPECT_EQ(credits->size(), QSize(320, 245));
    EXPECT_EQ(credits->minimumSize(), credits->maximumSize());
    EXPECT_FALSE(credits->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_TRUE(credits->windowFlags() & Qt::WindowCloseButtonHint);

    auto* picture = credits->findChild<QLabel*>("Image1");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->geometry(), QRect(8, 8, 304, 189));
    EXPECT_TRUE(picture->hasScaledContents());
    const QPixmap about = picture->pixmap();
    EXPECT_FALSE(about.isNull());
    // Our own picture, about 272 x 173, stretched to fill the area.
    EXPECT_TRUE(qAbs(about.width() - 272) <= 20 && qAbs(about.height() - 173) <= 20);

    auto* label = credits->findChild<QLabel*>("Label1");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->geometry(), QRect(8, 208, 297, 33));
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(picture->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);

    credits->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

struct SentenceCase {
    const char* name;
    const char* locale;
    QString sentence;
};

class CreditsSentence : public testing::TestWithParam<SentenceCase> {};

// The sentence as the label shows it, whole within it, in every language.
TEST_P(CreditsSentence, FitsItsLabel) {
    const kinsight::test::MessagesIn messages(GetParam().locale);
    if (!messages.active())
        GTEST_SKIP() << "no locale " << GetParam().locale;
    Credits credits;
    auto* label = credits.findChild<QLabel*>("Label1");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), GetParam().sentence);
    EXPECT_LE(label->heightForWidth(297), 33);
    EXPECT_EQ(credits.windowTitle(), "About box Thingy");
}

INSTANTIATE_TEST_SUITE_P(
    Credits, CreditsSentence,
    testing::Values(SentenceCase{"English", "C",
                                 "Kinsight " KINSIGHT_VERSION " is by the Kinsight developers and "
                                 "is dedicated to all the fans of Qel, far and wide."},
                    SentenceCase{"Russian", "ru_RU.UTF-8",
                                 "Kinsight " KINSIGHT_VERSION " создан разработчиками Kinsight и "
                                 "посвящён всем поклонникам Qel."}),
    kinsight::test::rowName);

} // namespace
