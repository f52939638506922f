// The main window driven the way a user drives it: real clicks and key
// presses on its controls, on quiz folders built for each test.
#include "checker.h"
#include "credits.h"
#include "dry_run.h"
#include "dual.h"
#include "failure.h"
#include "messages_in.h"
#include "modal_closer.h"
#include "only.h"
#include "picture_area.h"
#include "quiz_file.h"
#include "quiz_folder.h"
#include "quiz_watch.h"
#include "result.h"
#include "row_name.h"
#include "started_window.h"
#include "temp_dir.h"
#include "text_fit.h"
#include "tri.h"
#include "watch_session.h"
#include "window_helpers.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using kinsight::Control;
using kinsight::Only;
using namespace kinsight::test;

namespace {

const QString kTitle = "Who in the test land are you?";

// Two questions. Answer 1 twice makes Ann Lee the winner (3 + 2), answer 2
// twice makes Bo the winner (2 + 5).
QuizBuilder twoQuestions() {
    return namedQuiz(kTitle)
        .question({"\"Red, or blue?\"",
                   {{"Apples", {"C01=3", "C02=1"}},
                    {"Pears", {"C02=2"}},
                    {"Plums", {"C03=1"}},
                    {"Figs", {"C04=1"}},
                    {"", {}},
                    {"Salt & pepper", {"C15=9"}}}})
        .question({"Second question",
                   {{"Sun", {"C01=2"}},
                    {"Moon", {"C02=5"}},
                    {"Stars", {"C01=1", "C02=1"}},
                    {"Rain", {}},
                    {"Snow", {"C03=9"}},
                    {"Wind", {"C15=9"}}}});
}

// One question whose answers end in every kind of draw.
QuizBuilder drawQuestion() {
    return namedQuiz(kTitle).question({"Who draws?",
                                       {{"two", {"C01=1", "C02=1"}},
                                        {"three", {"C01=1", "C02=1", "C03=1"}},
                                        {"four", {"C01=1", "C02=1", "C03=1", "C04=1"}},
                                        {"one", {"C05=1"}},
                                        {"none", {}},
                                        {"five", {"C01=1", "C02=1", "C03=1", "C04=1", "C05=1"}}}});
}

const QColor kRed(220, 20, 20);
const QColor kGreen(20, 180, 20);

bool near(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 &&
           qAbs(a.blue() - b.blue()) < 40;
}

// Everything the window shows, to compare screens.
struct Screen {
    QString title, question, result;
    QStringList captions, scores;
    QList<bool> enabled, checked;
    bool restartEnabled = false;
    qint64 picture = 0;

    bool operator==(const Screen&) const = default;
};

class OnlyTest : public testing::Test {
protected:
    std::unique_ptr<kinsight::QuizPlay> m_play;
    Only* m_window = nullptr;
    QuizFolder* m_folder = nullptr;
    std::unique_ptr<QuizFolder> m_ownFolder;
    QList<int> m_exits;
    std::ostringstream m_log;
    QString m_startDir;

    void SetUp() override { m_startDir = QDir::currentPath(); }

    void TearDown() override {
        m_play.reset();
        m_ownFolder.reset();
        m_folder = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window was left over";
        QDir::setCurrent(m_startDir);
    }

    Only& open(const QString& quiz, bool show = true) {
        newFolder();
        m_folder->writeQuiz(quiz);
        EXPECT_TRUE(openFolder(show)) << "the quiz did not start";
        return *m_window;
    }
    void newFolder() {
        m_ownFolder = std::make_unique<QuizFolder>();
        m_folder = m_ownFolder.get();
    }
    // None when the quiz failed to start.
    Only* openFolder(bool show = true) {
        m_play = startWindow(m_folder->quizFile(), m_exits, &m_log);
        m_window = m_play ? &m_play->window() : nullptr;
        if (show && m_window) {
            m_window->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window));
        }
        return m_window;
    }

    template <typename T> T* child(const char* name) const {
        T* found = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    QRadioButton* option(int k) const {
        return k == 7 ? child<QRadioButton>("SkipQuestion")
                      : child<QRadioButton>(QStringLiteral("Ans%1").arg(k).toLatin1().constData());
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(10, 12)); }
    // A click at that point of the window, on whichever control is on top there.
    void clickAt(QPoint inWindow) {
        QWidget* target = m_window->childAt(inWindow);
        ASSERT_TRUE(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(m_window, inWindow));
    }

    Screen screen() const {
        Screen s;
        s.title = m_window->windowTitle();
        s.question = child<QLabel>("Question_Box")->text();
        s.result = child<QLineEdit>("Text1")->text();
        for (int k = 1; k <= 7; ++k) {
            s.captions << option(k)->text();
            s.enabled << option(k)->isEnabled();
            s.checked << option(k)->isChecked();
        }
        for (int i = 0; i < 15; ++i)
            s.scores << m_window->scoreBox(i)->text();
        s.restartEnabled = child<QPushButton>("cmd_restart")->isEnabled();
        s.picture = child<kinsight::PictureArea>("Image1")->picture().cacheKey();
        return s;
    }
    QStringList scores() const { return screen().scores; }
    QColor pictureColour() const {
        auto* image = child<kinsight::PictureArea>("Image1");
        return image->grab().toImage().pixelColor(image->width() / 2, image->height() / 2);
    }
    template <typename W> QList<W*> topLevels() const {
        QList<W*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* typed = qobject_cast<W*>(w))
                found << typed;
        return found;
    }
    static QString accessibleName(QWidget* widget) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        return iface ? iface->text(QAccessible::Name) : QString();
    }
    static QStringList blanks() { return QStringList(15, QString()); }
};

TEST_F(OnlyTest, LoadShowsTitleQuestionAndAnswers) {
    Only& w = open(quizText(twoQuestions()), false);
    EXPECT_EQ(w.windowTitle(), kTitle);
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Red, or blue?");
    EXPECT_EQ(option(1)->text(), "Apples");
    EXPECT_EQ(option(5)->text(), QString());
    // An ampersand shows as itself, not as a shortcut mark.
    EXPECT_EQ(option(6)->text(), "Salt && pepper");
    EXPECT_EQ(accessibleName(option(6)), "Salt & pepper");
    EXPECT_EQ(option(7)->text(), QString::fromUtf8("Ничего из этого  "));
    for (int k = 1; k <= 7; ++k) {
        EXPECT_TRUE(option(k)->isEnabled()) << "answer " << k;
        EXPECT_FALSE(option(k)->isChecked()) << "answer " << k;
    }
    EXPECT_FALSE(child<QPushButton>("cmd_restart")->isEnabled());
    EXPECT_EQ(child<QPushButton>("cmd_restart")->text(), QString::fromUtf8("Сначала"));
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QString());
    EXPECT_EQ(scores(), blanks());
    EXPECT_TRUE(child<kinsight::PictureArea>("Image1")->picture().isNull());
    EXPECT_EQ(child<QLabel>("Label1")->text(), "1");
    EXPECT_EQ(child<QLabel>("Label2")->text(), "15");
    EXPECT_EQ(accessibleName(w.scoreBox(0)), "Score of Ann Lee");
    EXPECT_EQ(accessibleName(w.scoreBox(14)), "Score of Oz");
    EXPECT_TRUE(m_exits.isEmpty());

    // As written, although Qt takes "[*]" for a mark of its own.
    const QString marked = "Which [*] are you? [*][*]";
    w.setTitle(marked.toStdString());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.windowHandle()->title(), marked);
    EXPECT_EQ(accessibleName(&w), marked);
}

struct GeometryCase {
    std::string name;
    QString widget;
    int index; // of a score box; -1 for a widget of its own name
    QRect rect;
};

// The design's rectangles, one row per control.
const GeometryCase kGeometryCases[] = {
    {"Question", "Question_Box", -1, QRect(8, 8, 273, 33)},
    {"Answer1", "Ans1", -1, QRect(8, 48, 249, 25)},
    {"Answer2", "Ans2", -1, QRect(8, 80, 249, 25)},
    {"Answer3", "Ans3", -1, QRect(8, 112, 249, 25)},
    {"Answer4", "Ans4", -1, QRect(8, 144, 249, 25)},
    {"Answer5", "Ans5", -1, QRect(8, 176, 249, 25)},
    {"Answer6", "Ans6", -1, QRect(8, 208, 249, 25)},
    {"Skip", "SkipQuestion", -1, QRect(8, 232, 249, 25)},
    {"Picture", "Image1", -1, QRect(288, 8, 161, 193)},
    {"ResultName", "Text1", -1, QRect(288, 208, 161, 19)},
    {"Restart", "cmd_restart", -1, QRect(288, 232, 161, 25)},
    {"LabelOfTheFirstScore", "Label1", -1, QRect(464, 8, 17, 17)},
    {"LabelOfTheLastScore", "Label2", -1, QRect(544, 104, 17, 17)},
    {"Score1", "score", 0, QRect(472, 8, 65, 19)},
    {"Score2", "score", 1, QRect(472, 32, 65, 19)},
    {"Score3", "score", 2, QRect(472, 56, 65, 19)},
    {"Score4", "score", 3, QRect(472, 80, 65, 19)},
    {"Score5", "score", 4, QRect(472, 104, 65, 19)},
    {"Score6", "score", 5, QRect(472, 128, 65, 19)},
    {"Score7", "score", 6, QRect(472, 152, 65, 19)},
    {"Score8", "score", 7, QRect(472, 176, 65, 19)},
    {"Score9", "score", 8, QRect(472, 200, 65, 19)},
    {"Score10", "score", 9, QRect(472, 224, 65, 19)},
    {"Score11", "score", 10, QRect(560, 8, 57, 19)},
    {"Score12", "score", 11, QRect(560, 32, 57, 19)},
    {"Score13", "score", 12, QRect(560, 56, 57, 19)},
    {"Score14", "score", 13, QRect(560, 80, 57, 19)},
    {"Score15", "score", 14, QRect(560, 104, 57, 19)},
};

// One window checks every row (a window a row was a process a row).
TEST_F(OnlyTest, PlacesEveryControlAsDrawn) {
    Only& w = open(quizText(twoQuestions()));
    for (const GeometryCase& row : kGeometryCases) {
        SCOPED_TRACE(row.name);
        const int i = row.index;
        QWidget* widget = i < 0 ? w.findChild<QWidget*>(row.widget) : w.scoreBox(i);
        ASSERT_TRUE(widget);
        EXPECT_EQ(widget->geometry(), row.rect);
        EXPECT_EQ(widget->objectName(), row.widget);
        if (i >= 0) {
            EXPECT_EQ(widget->property("index").toInt(), i);
            // Outside the client area: never seen.
            EXPECT_FALSE(w.rect().intersects(widget->geometry()));
        }
    }
}

TEST_F(OnlyTest, WindowIsFixedAtItsPlace) {
    Only& w = open(quizText(twoQuestions()));
    EXPECT_EQ(w.geometry(), QRect(89, 108, 458, 261));
    EXPECT_EQ(w.minimumSize(), QSize(458, 261));
    EXPECT_EQ(w.maximumSize(), QSize(458, 261));
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(OnlyTest, QuestionBoxLooksAsDesigned) {
    open(quizText(twoQuestions()));
    auto* box = child<QLabel>("Question_Box");
    EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 9.75);
    EXPECT_EQ(box->font().weight(), QFont::Normal);
    EXPECT_TRUE(!box->font().italic() && !box->font().underline() && !box->font().strikeOut());
    EXPECT_TRUE(box->wordWrap());
    EXPECT_TRUE(box->autoFillBackground());
    EXPECT_EQ(box->palette().color(QPalette::Window), box->palette().color(QPalette::Base));
    EXPECT_EQ(box->palette().color(QPalette::WindowText), box->palette().color(QPalette::Text));
    // Long text is cut off, the label does not grow.
    m_window->setQuestion(std::string(40, 'x') + " " + std::string(400, 'y'));
    EXPECT_EQ(box->geometry(), QRect(8, 8, 273, 33));
}

TEST_F(OnlyTest, TabOrderFollowsTheDesign) {
    Only& w = open(quizText(twoQuestions()));
    child<QPushButton>("cmd_restart")->setEnabled(true);
    QList<QWidget*> expected;
    for (int k = 1; k <= 6; ++k)
        expected << option(k);
    for (int i = 0; i < 15; ++i)
        expected << w.scoreBox(i);
    expected << option(7) << child<QPushButton>("cmd_restart") << child<QLineEdit>("Text1");

    // Qt lets Tab enter an exclusive option group once, at its focused
    // button, and moves within it by arrows; the order itself is the design's.
    QList<QWidget*> chain;
    QWidget* widget = option(1);
    do {
        if (widget->focusPolicy() != Qt::NoFocus)
            chain << widget;
        widget = widget->nextInFocusChain();
    } while (widget != option(1));
    EXPECT_EQ(chain, expected);
    for (const char* name : {"Question_Box", "Image1", "Label1", "Label2"})
        EXPECT_EQ(child<QWidget>(name)->focusPolicy(), Qt::NoFocus) << name;
}

TEST_F(OnlyTest, WholeQuizByMouse) {
    open(quizText(twoQuestions()));
    m_folder->writePicture("Ann Lee.jpg", kRed);

    // Far right of the short caption "Apples": the whole row is the answer.
    clickAt({200, 60});
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Second question");
    EXPECT_EQ(option(1)->text(), "Sun");
    QStringList expected = QStringList(15, "0");
    expected[0] = "3";
    expected[1] = "1";
    EXPECT_EQ(scores(), expected);
    // Cleared for the next question, so the same answer can be chosen again.
    EXPECT_FALSE(option(1)->isChecked());

    click(option(1));
    expected[0] = "5";
    EXPECT_EQ(scores(), expected);
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), "Ann Lee");
    EXPECT_FALSE(child<kinsight::PictureArea>("Image1")->picture().isNull());
    EXPECT_TRUE(near(pictureColour(), kRed)) << pictureColour().name().toStdString();
    EXPECT_EQ(accessibleName(child<QWidget>("Image1")), "Result picture: Ann Lee");
    for (int k = 1; k <= 7; ++k) {
        EXPECT_FALSE(option(k)->isEnabled()) << "answer " << k;
        EXPECT_FALSE(option(k)->isChecked()) << "answer " << k;
    }
    EXPECT_TRUE(child<QPushButton>("cmd_restart")->isEnabled());

    // Finished: the answers and the skip choice take no clicks.
    const Screen finished = screen();
    click(option(2));
    click(option(7));
    EXPECT_EQ(screen(), finished);
    EXPECT_TRUE(m_exits.isEmpty());
}

TEST_F(OnlyTest, SkippingScoresNothing) {
    open(quizText(twoQuestions()));
    // The row it shares with answer 6 ("Salt & pepper", points) is the skip's.
    clickAt({150, 232});
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Second question");
    EXPECT_EQ(scores(), blanks());
    EXPECT_FALSE(option(7)->isChecked());
}

TEST_F(OnlyTest, AnswerWithoutPointsShowsUnchangedScores) {
    open(quizText(twoQuestions()));
    clickAt({100, 188}); // no caption, no points: still an answer
    EXPECT_EQ(scores(), QStringList(15, "0"));
}

TEST_F(OnlyTest, KeyboardSelectionScoresOnce) {
    Only& w = open(quizText(twoQuestions()));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    option(2)->setFocus();
    // The arrow moves the focus only, as nothing is selected yet.
    QTest::keyClick(option(2), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), option(3));
    EXPECT_EQ(scores(), blanks());
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Red, or blue?");

    QTest::keyClick(option(3), Qt::Key_Space);
    QStringList expected(15, "0");
    expected[2] = "1";
    EXPECT_EQ(scores(), expected);
    // One question further, not two.
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Second question");
}

// A double-click is one answer, not the next question's too.
TEST_F(OnlyTest, DoubleClickAnswersOnce) {
    open(quizText(twoQuestions()));
    ModalCloser closer; // the result's, were both questions answered
    // As the platform reports one: press, release, then the second press as
    // a double-click, and its release.
    const QPoint at(10, 12);
    QTest::mouseClick(option(1), Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, option(1)->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, {});
    QApplication::sendEvent(option(1), &second);
    QTest::mouseRelease(option(1), Qt::LeftButton, {}, at);
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Second question");
    EXPECT_EQ(scores().mid(0, 3), QStringList({"3", "1", "0"}));
    EXPECT_TRUE(closer.boxes().isEmpty());
}

TEST_F(OnlyTest, ClearingASelectionRaisesNothing) {
    Only& w = open(quizText(twoQuestions()));
    auto* group = option(1)->group();
    ASSERT_TRUE(group && group->exclusive());
    QSignalSpy clicks(group, &QButtonGroup::idClicked);
    QSignalSpy toggles(group, &QButtonGroup::idToggled);
    for (int k = 1; k <= 7; ++k) {
        {
            // Shown selected without the user's selection event.
            const QSignalBlocker quiet(group);
            option(k)->setChecked(true);
        }
        w.clearSelection(k == 7 ? Control::SkipQuestion : kinsight::answerControl(k));
        EXPECT_FALSE(option(k)->isChecked()) << "answer " << k;
        EXPECT_TRUE(group->exclusive());
    }
    EXPECT_EQ(clicks.count(), 0);
    for (const QList<QVariant>& toggle : toggles)
        EXPECT_FALSE(toggle.at(1).toBool());
    EXPECT_EQ(scores(), blanks());
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Red, or blue?");
}

TEST_F(OnlyTest, RestartBringsTheFirstQuestionBack) {
    open(quizText(twoQuestions()));
    m_folder->writePicture("Ann Lee.jpg", kRed);
    m_folder->writePicture("Bo.jpg", kGreen);
    const Screen started = screen();
    click(option(1));
    click(option(1));
    const qint64 winnerPicture = screen().picture;

    click(child<QPushButton>("cmd_restart"));
    Screen once = screen();
    EXPECT_EQ(once.scores, blanks());
    EXPECT_EQ(once.result, QString());
    EXPECT_EQ(once.question, "Red, or blue?");
    EXPECT_EQ(once.captions, started.captions);
    EXPECT_EQ(once.enabled, QList<bool>(7, true));
    EXPECT_EQ(once.checked, QList<bool>(7, false));
    EXPECT_TRUE(once.restartEnabled);
    EXPECT_EQ(once.picture, winnerPicture); // the old picture stays up
    EXPECT_TRUE(m_window->isVisible());

    click(child<QPushButton>("cmd_restart"));
    EXPECT_EQ(screen(), once);

    // A second pass announces someone else: name and picture replaced.
    click(option(2));
    click(option(2));
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), "Bo");
    EXPECT_TRUE(near(pictureColour(), kGreen));

    // Nobody chosen (every question skipped, fifteen tied): no picture.
    click(child<QPushButton>("cmd_restart"));
    ModalCloser closer;
    click(option(7));
    click(option(7));
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_TRUE(child<kinsight::PictureArea>("Image1")->picture().isNull());
}

TEST_F(OnlyTest, RestartCreatesTheTwoWayWindowHidden) {
    open(quizText(twoQuestions()));
    m_folder->writePicture("Ann Lee.jpg", kRed);
    EXPECT_TRUE(topLevels<kinsight::Dual>().isEmpty());
    click(option(1));
    click(option(1));
    click(child<QPushButton>("cmd_restart"));
    const auto duals = topLevels<kinsight::Dual>();
    ASSERT_EQ(duals.size(), 1);
    EXPECT_FALSE(duals.first()->isVisible());
}

struct DrawCase {
    const char* name;
    int answer;
    QString text;
    bool dual;
    bool tri;
    std::vector<std::string> names = kPeople;
    const char* locale = "C"; // of the program's messages; the fixed texts stay
    bool breaks = false;      // needs break points to wrap within the box
};

class Draws : public OnlyTest, public testing::WithParamInterface<DrawCase> {};

// Whole, however long the names, and within the screen.
TEST_P(Draws, AreReportedAndOpenTheirTieBreakWindow) {
    const MessagesIn messages(GetParam().locale);
    if (!messages.active())
        GTEST_SKIP() << "no locale " << GetParam().locale;
    open(quizText(drawQuestion().names(GetParam().names)));
    ModalCloser closer;
    click(option(GetParam().answer));
    ASSERT_EQ(closer.boxes().size(), 1);
    const SeenBox& box = closer.boxes().first();
    EXPECT_EQ(box.text, GetParam().text);
    EXPECT_EQ(box.shown, GetParam().text);
    EXPECT_TRUE(box.shownWhole);
    EXPECT_EQ(box.breakPoints > 0, GetParam().breaks);
    EXPECT_TRUE(box.copied.contains(GetParam().text)) << box.copied.toStdString();
    EXPECT_TRUE(QGuiApplication::primaryScreen()->geometry().contains(box.frame));
    EXPECT_EQ(box.title, "Draw");
    EXPECT_EQ(box.format, Qt::PlainText);
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(topLevels<kinsight::Dual>().size(), GetParam().dual ? 1 : 0);
    EXPECT_EQ(topLevels<kinsight::Tri>().size(), GetParam().tri ? 1 : 0);
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QString());
    EXPECT_FALSE(option(1)->isEnabled());
    EXPECT_TRUE(child<QPushButton>("cmd_restart")->isEnabled());
}

// Fifteen names of 25 letters each, one word with their commas.
std::vector<std::string> oneWordNames() {
    std::vector<std::string> names;
    for (char c = 'A'; c < 'A' + 15; ++c)
        names.push_back("Character" + std::string(16, c));
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    Only, Draws,
    testing::Values(
        DrawCase{"TwoWay", 1, "Two way draw between Ann Lee and Bo", true, false},
        DrawCase{"ThreeWay", 2, "Three way draw between Ann Lee,Bo and  Cy", false, true},
        DrawCase{"FourWay", 3,
                 "Four way draw between Ann Lee,Bo,Cy and Di..sorry..this game does "
                 "not yet fully support 4 way tie-brakes",
                 false, true},
        DrawCase{"FourWayOfLongNames",
                 3,
                 "Four way draw between Brother Bartholomew Quince,Captain Jemima "
                 "Rooksby-Lee,Professor Ignatius Whistle and Dame Henrietta "
                 "Snodgrasses..sorry..this game does not yet fully support 4 way "
                 "tie-brakes",
                 false,
                 true,
                 {"Brother Bartholomew Quince", "Captain Jemima Rooksby-Lee",
                  "Professor Ignatius Whistle", "Dame Henrietta Snodgrasses", "Ed", "Flo", "Gus",
                  "Hal", "Ivy", "Jo", "Kit", "Lu", "Max", "Ned", "Oz"}},
        DrawCase{"FiveWayReportedNobodyChosen", 6, "5 way draw between Ann Lee,Bo,Cy,Di and Ed",
                 false, false},
        // The four fixed messages stay; five or more are the program's own.
        DrawCase{"TwoWayInRussian", 1, "Two way draw between Ann Lee and Bo", true, false, kPeople,
                 "ru_RU.UTF-8"},
        DrawCase{"FiveWayInRussian", 6, "Ничья 5 персонажей между Ann Lee,Bo,Cy,Di и Ed", false,
                 false, kPeople, "ru_RU.UTF-8"},
        DrawCase{"FifteenWayOfOneWordNames", 5,
                 QString::fromStdString(kinsight::drawMessage(oneWordNames())), false, false,
                 oneWordNames(), "C", true}),
    rowName);

TEST_F(OnlyTest, GreetingNamesTheCharacter) {
    Only& w = open(quizText(twoQuestions()));
    ModalCloser closer;
    // Names are the quiz author's text, shown as written even if they
    // look like markup.
    w.greet("<b>Bo</b> & Co");
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(closer.boxes().first().text, "You are...<b>Bo</b> & Co");
    EXPECT_EQ(closer.boxes().first().shown, "You are...<b>Bo</b> & Co");
    EXPECT_EQ(closer.boxes().first().format, Qt::PlainText);
    EXPECT_EQ(closer.boxes().first().title, "Kinsight");
    EXPECT_EQ(closer.boxes().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(OnlyTest, AboutWindowOpensOnceAndLeavesTheQuizAlone) {
    open(quizText(twoQuestions()));
    click(option(1));
    const Screen before = screen();

    click(child<QWidget>("Image1")); // still empty: it takes clicks anyway
    ASSERT_EQ(topLevels<kinsight::Credits>().size(), 1);
    EXPECT_TRUE(topLevels<kinsight::Credits>().first()->isVisible());
    click(child<QWidget>("Image1"));
    ASSERT_EQ(topLevels<kinsight::Credits>().size(), 1);
    EXPECT_EQ(screen(), before);

    topLevels<kinsight::Credits>().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(topLevels<kinsight::Credits>().isEmpty());
    EXPECT_EQ(screen(), before);

    // An accessibility client can press the picture too.
    pressAsScreenReader(child<QWidget>("Image1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return topLevels<kinsight::Credits>().size() == 1; }))
        << "the about window did not open";
}

TEST_F(OnlyTest, ClosingTheMainWindowClosesTheOthers) {
    Only& w = open(quizText(twoQuestions()));
    w.openCredits();
    ASSERT_EQ(topLevels<kinsight::Credits>().size(), 1);
    EXPECT_TRUE(topLevels<kinsight::Credits>().first()->isVisible());
    w.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(topLevels<kinsight::Credits>().isEmpty());
}

// An author at work on a quiz the window plays under --watch: each save
// that reads as a quiz is a new pass at once, any other is reported beside
// the last good one, which plays on. Nothing of the author's folder is
// ever written, and the program never ends on its own.
class Watch : public OnlyTest {
protected:
    std::ostringstream m_watchLog;
    std::unique_ptr<kinsight::WatchSession> m_session;
    std::unique_ptr<QSignalSpy> m_passes;

    void SetUp() override {
        OnlyTest::SetUp();
        newFolder();
        m_folder->writeQuiz(quizText(twoQuestions()));
        ASSERT_TRUE(watch(m_folder->quizFile()));
        EXPECT_NE(m_watchLog.str().find("watching"), std::string::npos) << m_watchLog.str();
    }
    void TearDown() override {
        EXPECT_EQ(QDir(m_folder->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList({"Pictures", "way.txt"}));
        EXPECT_TRUE(m_exits.isEmpty());
        m_passes.reset();
        m_session.reset();
        OnlyTest::TearDown();
    }
    // Watches the quiz named as on the command line; true once it plays.
    bool watch(const std::filesystem::path& quiz) {
        const kinsight::FailureRoute failed = [this](const kinsight::QuizError&, QWidget*) {
            m_exits << kinsight::kFailureExitStatus;
        };
        m_passes.reset();
        m_session.reset();
        m_session = std::make_unique<kinsight::WatchSession>(
            [quiz] { return kinsight::locateQuiz(quiz); },
            kinsight::dryRun(kinsight::locateQuiz(quiz).file), failed, m_watchLog);
        m_passes = std::make_unique<QSignalSpy>(m_session->findChild<kinsight::QuizWatch*>(),
                                                &kinsight::QuizWatch::passed);
        return playing();
    }
    bool playing() {
        m_window = m_session->play() ? &m_session->play()->window() : nullptr;
        return m_window && QTest::qWaitForWindowExposed(m_window);
    }

    static QString quizTitled(const QString& title) {
        return quizText(twoQuestions()).replace(kTitle, title);
    }
    // "Start:" misspelt: the box names the last line, where the search ends.
    static QString brokenQuiz() { return quizTitled("Broken").replace("Start:", "Stort:"); }
    QString question() const { return child<QLabel>("Question_Box")->text(); }
    QMessageBox* failureBox() const {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "watchFailure")
                return qobject_cast<QMessageBox*>(w);
        return nullptr;
    }
    bool titleBecomes(const QString& title) const {
        return QTest::qWaitFor([&] { return m_window->windowTitle() == title; });
    }
    bool boxShown() const {
        return QTest::qWaitFor([&] { return failureBox() && failureBox()->isVisible(); });
    }
    // Saves a quiz titled title in place and waits until it plays.
    void saveAndPlay(const QString& title) {
        m_folder->writeQuiz(quizTitled(title));
        ASSERT_TRUE(titleBecomes(title)) << m_window->windowTitle().toStdString();
    }
    void saveBroken() {
        m_folder->writeQuiz(brokenQuiz());
        ASSERT_TRUE(boxShown());
        EXPECT_FALSE(failureBox()->isModal());
    }
};

TEST_F(Watch, SaveInPlacePlaysFromTheFirstQuestion) {
    click(option(1));
    ASSERT_NO_FATAL_FAILURE(saveAndPlay("Saved in place"));
    EXPECT_EQ(question(), "Red, or blue?");
    EXPECT_EQ(scores(), blanks());
}

TEST_F(Watch, SaveByRenamePlaysFromTheFirstQuestion) {
    click(option(1));
    const std::filesystem::path saved = m_folder->quizFile().string() + ".new";
    QuizFolder::writeFile(toQString(saved), quizTitled("Saved by rename").toUtf8());
    std::filesystem::rename(saved, m_folder->quizFile());
    ASSERT_TRUE(titleBecomes("Saved by rename")) << m_window->windowTitle().toStdString();
    EXPECT_EQ(question(), "Red, or blue?");
    // The watch holds on the new file too.
    ASSERT_NO_FATAL_FAILURE(saveAndPlay("Then in place"));
}

// The last good quiz plays on to its end, showing a picture added
// meanwhile, and starts again without reading the broken save.
TEST_F(Watch, BrokenSaveIsReportedWhileTheLastGoodPlaysOn) {
    ASSERT_NO_FATAL_FAILURE(saveBroken());
    const QString report = QString("FOLDER/way.txt:86: Input past end of file (looking for "
                                   "\"Start:\")\nFOLDER/way.txt:19: \"Stort:\" is not "
                                   "\"Start:\": markers must match exactly, case and blanks "
                                   "included")
                               .replace("FOLDER", m_folder->path());
    EXPECT_EQ(readBox(failureBox()).shown, report);
    EXPECT_NE(m_watchLog.str().find(report.toStdString() + "\n"), std::string::npos);
    ModalCloser closer;
    m_folder->writePicture("Ann Lee.jpg", kRed);
    click(option(1));
    EXPECT_EQ(question(), "Second question");
    click(option(1));
    EXPECT_TRUE(near(pictureColour(), kRed)) << pictureColour().name().toStdString();
    click(child<QPushButton>("cmd_restart"));
    EXPECT_EQ(question(), "Red, or blue?");
    EXPECT_EQ(m_window->windowTitle(), kTitle);
    EXPECT_TRUE(closer.boxes().isEmpty());

    // A forgotten end: the box says what to add, and where.
    m_folder->writeQuiz(quizText(twoQuestions()).replace("ENDQUESTIONS\r\n", ""));
    const QString end = QString("FOLDER/way.txt:85: Input past end of file (reading the line "
                                "after \"NewQuestion:\")\nFOLDER/way.txt:85: the file ends after "
                                "this \"NewQuestion:\": write \"ENDQUESTIONS\" on the line after "
                                "it to end the quiz")
                            .replace("FOLDER", m_folder->path());
    EXPECT_TRUE(QTest::qWaitFor([&] { return readBox(failureBox()).shown == end; }))
        << readBox(failureBox()).shown.toStdString();
}

// Mended, the box goes; broken the same way again, it is told again.
TEST_F(Watch, SameBreakAfterAMendIsReportedAgain) {
    ASSERT_NO_FATAL_FAILURE(saveBroken());
    ASSERT_NO_FATAL_FAILURE(saveAndPlay("Mended"));
    EXPECT_FALSE(failureBox()->isVisible());
    ASSERT_NO_FATAL_FAILURE(saveBroken());
    const std::string log = m_watchLog.str();
    const std::string line = "Input past end of file (looking for \"Start:\")";
    EXPECT_NE(log.find(line), log.rfind(line)) << log;
    EXPECT_EQ(m_window->windowTitle(), "Mended");
}

TEST_F(Watch, DeletedQuizIsReportedAndWaitedFor) {
    std::filesystem::remove(m_folder->quizFile());
    ASSERT_TRUE(boxShown());
    EXPECT_EQ(readBox(failureBox()).shown, m_folder->quizPath() + ": File not found");
    ASSERT_NO_FATAL_FAILURE(saveAndPlay("Written again"));
    // The whole folder too, made again.
    std::filesystem::remove_all(m_folder->quizFile().parent_path());
    ASSERT_TRUE(boxShown());
    std::filesystem::create_directories(m_folder->quizFile().parent_path() / "Pictures");
    ASSERT_NO_FATAL_FAILURE(saveAndPlay("Folder made again"));
}

// Followed as the author named it: a link pointed elsewhere plays its new
// target, and a folder made after the start plays once it holds a quiz.
TEST_F(Watch, PathFollowedAsNamed) {
    const TempDir dir;
    dir.write("v1/way.txt", quizTitled("One").toStdString());
    dir.write("v2/way.txt", quizTitled("Two").toStdString());
    std::filesystem::create_directory_symlink("v1", dir.path() / "cur");
    ASSERT_TRUE(watch(dir.path() / "cur")) << m_watchLog.str();
    EXPECT_EQ(m_window->windowTitle(), "One");
    std::filesystem::create_directory_symlink("v2", dir.path() / "new");
    std::filesystem::rename(dir.path() / "new", dir.path() / "cur");
    ASSERT_TRUE(titleBecomes("Two")) << m_window->windowTitle().toStdString();
    dir.write("v1/way.txt", quizTitled("Old target").toStdString());
    dir.write("v2/way.txt", quizTitled("Two again").toStdString());
    ASSERT_TRUE(titleBecomes("Two again")) << m_window->windowTitle().toStdString();

    EXPECT_FALSE(watch(dir.path() / "later"));
    ASSERT_TRUE(boxShown());
    dir.write("later/way.txt", quizTitled("Made later").toStdString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return playing(); }));
    EXPECT_EQ(m_window->windowTitle(), "Made later");
    EXPECT_FALSE(failureBox()->isVisible());
}

// A save while a box of the pass is up waits for the box: the step of the
// pass behind it would otherwise close the new pass's answers.
TEST_F(Watch, SaveBehindABoxOfThePassWaitsForIt) {
    ModalCloser closer;
    closer.whileOpen([&] {
        const qsizetype seen = m_passes->size();
        m_folder->writeQuiz(quizTitled("Saved behind a box"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_passes->size() > seen; }));
    });
    click(option(2));
    click(option(2)); // Bo, who has no picture
    ASSERT_TRUE(titleBecomes("Saved behind a box")) << m_window->windowTitle().toStdString();
    EXPECT_TRUE(option(1)->isEnabled());
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(closer.boxes().first().objectName, "pictureWarning");
}

TEST_F(Watch, TenQuickWritesAreOneSave) {
    for (int i = 1; i <= 10; ++i) {
        m_folder->writeQuiz(quizTitled(QString("Burst %1").arg(i)));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(titleBecomes("Burst 10")) << m_window->windowTitle().toStdString();
    EXPECT_EQ(m_passes->size(), 1);
}

// Reported before any window opens.
TEST_F(OnlyTest, MissingQuizFileIsReported) {
    newFolder();
    ModalCloser closer;
    EXPECT_FALSE(openFolder(false));
    const QString expected = m_folder->quizPath() + ": File not found";
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(closer.boxes().first().text, expected);
    EXPECT_EQ(closer.boxes().first().title, "Kinsight");
    EXPECT_EQ(closer.boxes().first().icon, QMessageBox::Critical);
    EXPECT_EQ(closer.boxes().first().format, Qt::PlainText);
    EXPECT_EQ(QString::fromStdString(m_log.str()), expected + "\n");
    EXPECT_EQ(m_exits, QList<int>{1});
}

struct BrokenCase {
    const char* name;
    // The whole two-question quiz bent into a broken one.
    QString (*bend)(const QString& whole);
    QString report; // in the box and on the error stream
    const char* locale = "C";
};

class BrokenQuizFile : public OnlyTest, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenQuizFile, IsReportedBeforeAnyWindowOpens) {
    const MessagesIn messages(GetParam().locale);
    if (!messages.active())
        GTEST_SKIP() << "no locale " << GetParam().locale;
    newFolder();
    m_folder->writeQuiz(GetParam().bend(quizText(twoQuestions())));
    ModalCloser closer;
    EXPECT_FALSE(openFolder(false));
    ASSERT_EQ(closer.boxes().size(), 1);
    // Named as on the command line: here the whole path.
    const QString report = QString(GetParam().report).replace("FOLDER", m_folder->path());
    EXPECT_EQ(closer.boxes().first().shown, report);
    EXPECT_EQ(closer.boxes().first().icon, QMessageBox::Critical);
    EXPECT_EQ(QString::fromStdString(m_log.str()), report + "\n");
    EXPECT_EQ(m_exits, QList<int>{1});
}

INSTANTIATE_TEST_SUITE_P(
    Only, BrokenQuizFile,
    testing::Values(
        BrokenCase{"EndsBeforeTheThirdAnswer",
                   [](const QString& whole) { return whole.left(whole.indexOf("A3)")); },
                   "FOLDER/way.txt:32: Input past end of file (looking for \"A3)\")\nFOLDER/"
                   "way.txt:21: question 1 has no \"A3)\": a question needs its six answers, "
                   "\"A1)\" to \"A6)\""},
        BrokenCase{
            "CharacterOutOfRange",
            [](const QString& whole) { return QString(whole).replace("C03=1", "C99=1"); },
            "FOLDER/way.txt:36: points for character 99 in \"C99=1\": characters are numbered 1 "
            "to 15 (Subscript out of range)"},
        BrokenCase{
            "WeightListWithoutItsEnd",
            [](const QString& whole) { return whole.left(whole.indexOf("C02=1") + 5); },
            "FOLDER/way.txt:26: Input past end of file (reading the points of answer 1, which end "
            "at an empty line)"},
        BrokenCase{"StartDeleted",
                   [](const QString& whole) { return QString(whole).replace("Start:\r\n", ""); },
                   "FOLDER/way.txt:85: Input past end of file (looking for \"Start:\")\nFOLDER/"
                   "way.txt:21: \"A1)\" is skipped while looking for \"Start:\": \"Start:\" is "
                   "missing; write it on a line of its own after the fifteen names"},
        BrokenCase{"EndsBeforeTheThirdAnswerInRussian",
                   [](const QString& whole) { return whole.left(whole.indexOf("A3)")); },
                   "FOLDER/way.txt:32: Чтение за концом файла (при поиске \"A3)\")\nFOLDER/"
                   "way.txt:21: у вопроса 1 нет \"A3)\": вопросу нужны все шесть ответов, с "
                   "\"A1)\" по \"A6)\"",
                   "ru_RU.UTF-8"}),
    rowName);

struct RestartFailureCase {
    const char* name;
    void (*edit)(const QuizFolder& folder); // between the passes
    QString report;
};

class RestartFailure : public OnlyTest, public testing::WithParamInterface<RestartFailureCase> {};

// Restart checks the whole quiz as the start-up does: a broken edit is
// reported once, at the click, before the window changes or anything is
// answered.
TEST_P(RestartFailure, IsReportedAtTheClickAsAtStartUp) {
    open(quizText(twoQuestions()));
    m_folder->writePicture("Ann Lee.jpg", kRed);
    click(option(1));
    click(option(1));
    const Screen before = screen();
    GetParam().edit(*m_folder);
    ModalCloser closer;
    click(child<QPushButton>("cmd_restart"));
    ASSERT_EQ(closer.boxes().size(), 1);
    const QString report = QString(GetParam().report).replace("FOLDER", m_folder->path());
    EXPECT_EQ(closer.boxes().first().shown, report);
    EXPECT_EQ(closer.boxes().first().icon, QMessageBox::Critical);
    EXPECT_TRUE(m_play->failed());
    // Whatever is clicked while the program ends reads nothing more.
    click(child<QPushButton>("cmd_restart"));
    EXPECT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(m_exits, QList<int>{1});
    EXPECT_EQ(screen(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Only, RestartFailure,
    testing::Values(
        RestartFailureCase{"FileGone",
                           [](const QuizFolder& folder) { QFile::remove(folder.quizPath()); },
                           "FOLDER/way.txt: File not found"},
        RestartFailureCase{"SecondQuestionBroken",
                           [](const QuizFolder& folder) {
                               folder.writeQuiz(quizText(twoQuestions()).replace("C02=5", "C99=5"));
                           },
                           "FOLDER/way.txt:63: points for character 99 in \"C99=5\": characters "
                           "are numbered 1 to 15 (Subscript out of range)"},
        // The error, then on a line of its own what brought it about.
        RestartFailureCase{
            "TooFewNames",
            [](const QuizFolder& folder) {
                folder.writeQuiz(
                    quizText(twoQuestions()).replace("Bo\r\n", "").replace("Oz\r\n\r\n", "Oz\r\n"));
            },
            "FOLDER/way.txt:84: Input past end of file (looking for "
            "\"Start:\")\nFOLDER/way.txt:17: the "
            "marker \"Start:\" is read as the name of character 15: fewer than fifteen names "
            "stand before \"Start:\""}),
    rowName);

struct HostileCase {
    const char* name;
    std::string field; // title, name, question, answer or weight
    std::size_t bytes;
    std::string warning; // that the checker still gives, if it plays
};

// A field of that many bytes in an otherwise plain quiz; a name is one
// unbroken word, other texts are words.
QuizBuilder hostileQuiz(const HostileCase& row, std::string& text) {
    text = row.field == "weight" ? "C01=3" : "";
    while (text.size() < row.bytes)
        text += row.field == "name" ? "Longname" : "lorem ipsum ";
    text.resize(row.bytes);
    text.back() = 'x';
    auto pick = [&](const char* field, std::string plain) {
        return row.field == field ? text : plain;
    };
    std::vector<std::string> names = kPeople;
    names[0] = pick("name", names[0]);
    return namedQuiz(kTitle)
        .title(pick("title", kTitle.toStdString()))
        .names(names)
        .question(
            {pick("question", "First"), {{pick("answer", "Apples"), {pick("weight", "C01=3")}}}})
        .question("Second", {{"C01=1"}});
}

class HostileSize : public OnlyTest, public testing::WithParamInterface<HostileCase> {};

// A field over the limit is an error on its line, in the program and the
// checker alike; one just under it plays to the end, with every box within
// the screen and the checker's warnings all given.
TEST_P(HostileSize, IsAnErrorOrPlaysCleanly) {
    std::string text;
    const QuizBuilder quiz = hostileQuiz(GetParam(), text);
    const std::vector<std::string> lines = quiz.lines();
    const int line =
        static_cast<int>(std::find(lines.begin(), lines.end(), text) - lines.begin()) + 1;
    newFolder();
    m_folder->writeQuiz(quizText(quiz));
    const kinsight::WindowTextMeasurer measurer;
    const kinsight::CheckReport report = kinsight::checkQuiz(m_folder->quizFile(), &measurer);
    auto said = [&](kinsight::Severity severity, const std::string& part) {
        return std::any_of(
            report.diagnostics.begin(), report.diagnostics.end(), [&](const auto& d) {
                return d.severity == severity && d.message.find(part) != std::string::npos;
            });
    };
    ModalCloser closer;
    openFolder();
    if (GetParam().bytes > kinsight::QuizFile::kMaxFieldBytes) {
        ASSERT_EQ(closer.boxes().size(), 1);
        const QString report1 = closer.boxes().first().text;
        EXPECT_TRUE(
            report1.startsWith(
                QStringLiteral("%1:%2: Field too long (").arg(m_folder->quizPath()).arg(line)) &&
            report1.endsWith("; over 64 KiB)"))
            << report1.toStdString();
        EXPECT_EQ(m_exits, QList<int>{1});
        ASSERT_EQ(report.errorCount(), 1);
        EXPECT_TRUE(said(kinsight::Severity::Error, "Field too long ("));
        return;
    }
    click(option(1));
    click(option(1));
    EXPECT_FALSE(option(1)->isEnabled());
    if (GetParam().field == "name") {
        // The winner's whole name, showing its start.
        EXPECT_TRUE(child<QLineEdit>("Text1")->text().toStdString() == text);
        EXPECT_EQ(child<QLineEdit>("Text1")->cursorPosition(), 0);
    }
    m_window->greet(text);
    m_window->message(kinsight::drawMessage({text, "Bo"}), kinsight::kDrawTitle);
    EXPECT_TRUE(m_exits.isEmpty());
    EXPECT_EQ(report.errorCount(), 0);
    EXPECT_TRUE(said(kinsight::Severity::Warning, GetParam().warning)) << GetParam().warning;
    const QRect screenArea = QGuiApplication::primaryScreen()->geometry();
    ASSERT_GE(closer.boxes().size(), 2);
    for (const SeenBox& box : closer.boxes())
        EXPECT_TRUE(screenArea.contains(box.frame) && box.shownWhole)
            << box.objectName.toStdString() << " at " << box.frame.x() << "," << box.frame.y()
            << " sized " << box.frame.width() << "x" << box.frame.height();
}

std::vector<HostileCase> hostileCases() {
    const std::size_t limit = kinsight::QuizFile::kMaxFieldBytes;
    const std::string noPicture = "no picture \"Pictures/";
    return {{"TitleAtTheLimit", "title", limit, noPicture},
            {"TitleOver", "title", limit + 1, ""},
            {"NameAtTheLimit", "name", limit, noPicture},
            {"NameOver", "name", limit + 1, ""},
            {"QuestionAtTheLimit", "question", limit, "needs more than the two lines"},
            {"QuestionOver", "question", limit + 1, ""},
            {"AnswerAtTheLimit", "answer", limit, "is wider than its button"},
            {"AnswerOver", "answer", limit + 1, ""},
            {"WeightAtTheLimit", "weight", limit, noPicture},
            {"WeightOver", "weight", limit + 1, ""}};
}

INSTANTIATE_TEST_SUITE_P(Only, HostileSize, testing::ValuesIn(hostileCases()), rowName);

struct PictureCase {
    const char* name;
    QString fileName; // written with content instead of a picture; empty: none at all
    QByteArray content;
    QString named = "Bo.jpg"; // the file the warning names: one that is there, if any
};

class PictureProblems : public OnlyTest, public testing::WithParamInterface<PictureCase> {};

TEST_P(PictureProblems, WarnAndGoOn) {
    open(quizText(twoQuestions()));
    m_folder->writePicture("Ann Lee.jpg", kRed);
    if (!GetParam().fileName.isEmpty())
        QuizFolder::writeFile(m_folder->picturePath(GetParam().fileName), GetParam().content);
    click(option(1));
    click(option(1));
    EXPECT_TRUE(near(pictureColour(), kRed));
    click(child<QPushButton>("cmd_restart"));

    ModalCloser closer;
    click(option(2));
    click(option(2));
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(closer.boxes().first().icon, QMessageBox::Warning);
    EXPECT_EQ(closer.boxes().first().format, Qt::PlainText);
    EXPECT_EQ(closer.boxes().first().title, "Kinsight");
    EXPECT_TRUE(closer.boxes().first().text.contains(
        QDir::toNativeSeparators(m_folder->picturePath(GetParam().named))))
        << closer.boxes().first().text.toStdString();
    EXPECT_TRUE(m_exits.isEmpty());
    EXPECT_FALSE(m_play->failed());
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), "Bo");
    EXPECT_TRUE(child<kinsight::PictureArea>("Image1")->picture().isNull());
    EXPECT_EQ(accessibleName(child<QWidget>("Image1")), "Result picture");

    // Restart and the about window still work.
    click(child<QPushButton>("cmd_restart"));
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), "Red, or blue?");
    click(child<QWidget>("Image1"));
    EXPECT_EQ(topLevels<kinsight::Credits>().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Only, PictureProblems,
    testing::Values(PictureCase{"Missing", QString(), QByteArray()},
                    PictureCase{"NotAPicture", "Bo.jpg", QByteArray("this is no JPEG")},
                    PictureCase{"NotAPictureNamedInAnotherCase", "bO.jpg",
                                QByteArray("this is no JPEG"), "bO.jpg"},
                    PictureCase{"EmptyFile", "Bo.jpg", QByteArray()},
                    PictureCase{"ClaimsToBeHuge", "Bo.jpg",
                                QByteArray::fromStdString(kinsight::test::jpeg(60000, 60000))}),
    rowName);

TEST_F(OnlyTest, PictureFoundWhateverItsCaseAndNormalForm) {
    std::vector<std::string> names = kPeople;
    names[0] = "Zo\u00EB Lee";
    open(quizText(twoQuestions().names(names)));
    m_folder->writePicture(QStringLiteral("ZOE\u0308 LEE.JPG"), kRed);
    ModalCloser closer;
    click(option(1));
    click(option(1));
    EXPECT_TRUE(closer.boxes().isEmpty());
    EXPECT_TRUE(near(pictureColour(), kRed));
}

TEST_F(OnlyTest, NameReachingOutOfThePicturesGetsNone) {
    std::vector<std::string> names = kPeople;
    names[0] = "../Ann";
    open(quizText(twoQuestions().names(names)));
    m_folder->writePicture("../Ann.jpg", kRed); // beside the quiz, outside Pictures
    EXPECT_TRUE(QFile::exists(m_folder->path() + "/Ann.jpg"));
    ModalCloser closer;
    click(option(1));
    click(option(1));
    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(closer.boxes().first().icon, QMessageBox::Warning);
    EXPECT_TRUE(child<kinsight::PictureArea>("Image1")->picture().isNull());
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), "../Ann");
}

} // namespace
