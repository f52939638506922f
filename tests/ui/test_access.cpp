// What a screen reader and a keyboard-only user get: every control's
// accessible name, role and value through a played quiz, the events that make
// a screen reader speak, and the bundled quiz played with keys alone.
#include "credits.h"
#include "modal_closer.h"
#include "only.h"
#include "quiz.h"
#include "quiz_folder.h"
#include "row_name.h"
#include "started_window.h"
#include "window_helpers.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using kinsight::Only;
using namespace kinsight::test;

namespace {

struct Access {
    QString name, value;
    QAccessible::Role role = QAccessible::NoRole;
    bool disabled = false;
};

Access accessOf(QObject* object) {
    Access a;
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object)) {
        a.name = iface->text(QAccessible::Name);
        a.value = iface->text(QAccessible::Value);
        a.role = iface->role();
        a.disabled = iface->state().disabled;
    }
    return a;
}

// Answer 1 twice: Ann Lee wins; answer 2 on the second question: a two-way
// draw of Ann Lee and Bo; answer 3 there: three-way with Cy too.
QuizBuilder quiz() {
    return namedQuiz("Access")
        .question({"\"Red, or blue?\"",
                   {{"Apples", {"C01=3"}},
                    {"Pears", {}},
                    {"Plums", {}},
                    {"Figs", {}},
                    {"Dates", {}},
                    {"Salt & pepper", {}}}})
        .question({"Second question",
                   {{"Sun", {"C01=2"}},
                    {"Moon", {"C02=3"}},
                    {"Stars", {"C02=3", "C03=3"}},
                    {"Rain", {}},
                    {"Snow", {}},
                    {"Wind", {}}}});
}

QString bundledQuiz() {
    return QStringLiteral(KINSIGHT_SOURCE_DIR "/quiz/way.txt");
}

enum class Outcome { Winner, TwoWay, ThreeWay, Other };

// Plays answer sequences through the engine alone until one ends the wanted
// way, so the keyboard test needs no knowledge of the bundled quiz's points.
std::vector<int> answersFor(Outcome wanted) {
    std::mt19937 random(7);
    for (int attempt = 0; attempt < 5000; ++attempt) {
        kinsight::NullQuizWindow window;
        kinsight::Quiz engine(window, QFile::encodeName(bundledQuiz()).toStdString());
        engine.load();
        std::vector<int> answers;
        while (!engine.finished()) {
            answers.push_back(int(random() % 6) + 1);
            engine.answerChosen(answers.back());
        }
        const auto& score = engine.tables().ScoreTable;
        const int top = *std::max_element(score.begin() + 1, score.end());
        const auto tied = std::count(score.begin() + 1, score.end(), top);
        const Outcome outcome = tied == 1   ? Outcome::Winner
                                : tied == 2 ? Outcome::TwoWay
                                : tied == 3 ? Outcome::ThreeWay
                                            : Outcome::Other;
        if (outcome == wanted)
            return answers;
    }
    return {};
}

class AccessTest : public testing::Test {
protected:
    std::unique_ptr<QuizFolder> m_folder;
    std::unique_ptr<kinsight::QuizPlay> m_play;
    Only* m_window = nullptr;
    QString m_startDir;
    QList<int> m_exits;

    void SetUp() override { m_startDir = QDir::currentPath(); }
    void TearDown() override {
        m_play.reset();
        m_folder.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window was left over";
        EXPECT_TRUE(m_exits.isEmpty());
        QDir::setCurrent(m_startDir);
    }

    Only& open(const QString& quizPath) {
        m_play = startWindow(QFile::encodeName(quizPath).toStdString(), m_exits);
        m_window = &m_play->window();
        m_window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window));
        return *m_window;
    }
    Only& openTestQuiz() {
        m_folder = std::make_unique<QuizFolder>();
        m_folder->writeQuiz(quizText(quiz()));
        m_folder->writePicture("Ann Lee.jpg", Qt::red);
        m_folder->writePicture("Bo.jpg", Qt::green);
        m_folder->writePicture("Cy.jpg", Qt::blue);
        return open(m_folder->quizPath());
    }
    template <typename T = QWidget> T* child(const QString& name) const {
        T* found = m_window->findChild<T*>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found;
    }
    QRadioButton* option(int k) const {
        return child<QRadioButton>(k == 7 ? QStringLiteral("SkipQuestion")
                                          : QStringLiteral("Ans%1").arg(k));
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    // Keys go where the focus is, as they would from a keyboard.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = focused();
        ASSERT_TRUE(target);
        QTest::keyClick(target, k, modifiers);
    }
    int focusedOption() const {
        for (int k = 1; k <= 7; ++k)
            if (focused() == option(k))
                return k;
        return 0;
    }
    // Arrows to answer k within the group (they choose nothing while nothing
    // is selected), then Space chooses it.
    void chooseByKeys(int k) {
        for (int guard = 0; guard < 8 && focusedOption() != k; ++guard)
            key(focusedOption() < k ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(focusedOption(), k);
        key(Qt::Key_Space);
    }
    void tabTo(QWidget* target) {
        for (int guard = 0; guard < 40 && focused() != target; ++guard)
            key(Qt::Key_Tab);
        ASSERT_EQ(focused(), target);
    }
    // Stop pressed by key; the greeting is closed by the test's closer.
    void playTieBreakByKeys(const char* windowName) {
        QWidget* tieBreak = nullptr;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                tieBreak = QApplication::activeWindow();
                return tieBreak && tieBreak->objectName() == windowName;
            },
            5000))
            << windowName << " never became the active window";
        EXPECT_EQ(focused(), tieBreak->findChild<QWidget*>("Command1"));
        key(Qt::Key_Space);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tieBreak->isVisible(); }, 10000));
        backToTheMainWindow();
    }
    // The offscreen platform has no window manager to hand the focus back
    // to the main window when another one hides; the window-manager test
    // checks that a real one does.
    void backToTheMainWindow() {
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    }
};

// Every piece an assistive client may ask of a text field answers, whatever
// the offset (Qt 6.4 spun for ever at the end, or from a leading blank), and
// is a piece of the text where it says.
void expectEveryPieceAnswers(QAccessibleTextInterface& text) {
    const QString whole = text.text(0, text.characterCount());
    for (const auto type :
         {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
          QAccessible::LineBoundary, QAccessible::NoBoundary})
        for (const int offset : {-5, -1, 0, 1, text.characterCount(), text.characterCount() + 1,
                                 std::numeric_limits<int>::max()}) {
            int start = -1, end = -1;
            for (const QString& piece : {text.textBeforeOffset(offset, type, &start, &end),
                                         text.textAtOffset(offset, type, &start, &end),
                                         text.textAfterOffset(offset, type, &start, &end)})
                EXPECT_TRUE(piece.isEmpty() || whole.contains(piece))
                    << "boundary " << type << " at " << offset;
            EXPECT_TRUE(start >= 0 && start <= end && end <= whole.size());
        }
}

TEST_F(AccessTest, EveryControlReadsWhatItShowsThroughAQuiz) {
    Only& w = openTestQuiz();
    auto* question = child<QLabel>("Question_Box");
    auto check = [&](const char* step, const QString& questionText, const QString& result,
                     const QString& picture, const QString& firstScore, bool finished) {
        SCOPED_TRACE(step);
        EXPECT_EQ(accessOf(question).name, questionText);
        EXPECT_EQ(accessOf(question).role, QAccessible::StaticText);
        for (int k = 1; k <= 7; ++k) {
            const Access a = accessOf(option(k));
            EXPECT_TRUE(!a.name.isEmpty() && a.name == option(k)->text().replace("&&", "&"))
                << "answer " << k;
            EXPECT_EQ(a.role, QAccessible::RadioButton);
            EXPECT_EQ(a.disabled, finished);
        }
        const Access text1 = accessOf(child("Text1"));
        EXPECT_EQ(text1.name, "Result");
        EXPECT_EQ(text1.value, result);
        EXPECT_EQ(accessOf(child("Image1")).name, picture);
        EXPECT_EQ(accessOf(child("cmd_restart")).name, QString::fromUtf8("Сначала"));
        EXPECT_EQ(accessOf(child("cmd_restart")).role, QAccessible::Button);
        const Access score = accessOf(w.scoreBox(0));
        EXPECT_EQ(score.name, "Score of Ann Lee");
        EXPECT_EQ(score.value, firstScore);
        EXPECT_EQ(accessOf(w.scoreBox(14)).name, "Score of Oz");
        // Whole, as one run of attributes (Orca dropped the last character of
        // Qt's empty runs), and nothing past the end (where Qt's spun).
        for (QWidget* field : {child("Text1"), static_cast<QWidget*>(w.scoreBox(0))}) {
            QAccessibleTextInterface* text =
                QAccessible::queryAccessibleInterface(field)->textInterface();
            int start = -1, end = -1;
            text->attributes(0, &start, &end);
            EXPECT_EQ(end - start, text->characterCount()) << field->objectName().toStdString();
            EXPECT_EQ(
                text->textAtOffset(text->characterCount(), QAccessible::WordBoundary, &start, &end),
                QString());
            expectEveryPieceAnswers(*text);
        }
    };
    check("start", "Red, or blue?", "", "Result picture", "", false);
    EXPECT_EQ(accessOf(option(6)).name, "Salt & pepper");
    EXPECT_EQ(accessOf(option(7)).name, QString::fromUtf8("Ничего из этого  "));

    option(1)->click();
    check("answered", "Second question", "", "Result picture", "3", false);

    option(1)->click();
    check("won", "Second question", "Ann Lee", "Result picture: Ann Lee", "5", true);

    // A name that starts with a blank, as a quoted name may.
    w.setResultName(" Ann Lee");
    expectEveryPieceAnswers(
        *QAccessible::queryAccessibleInterface(child("Text1"))->textInterface());

    child<QPushButton>("cmd_restart")->click();
    // The picture stays until the next result, and says whose it is.
    check("restarted", "Red, or blue?", "", "Result picture: Ann Lee", "", false);
}

TEST_F(AccessTest, DrawsReadTheTiedNamesAndStop) {
    openTestQuiz();
    for (const auto& [answer, window, names] :
         {std::tuple{2, "Dual", QStringList{"Ann Lee", "Bo"}},
          std::tuple{3, "Tri", QStringList{"Ann Lee", "Bo", "Cy"}}}) {
        SCOPED_TRACE(window);
        ModalCloser closer;
        QStringList boxTexts;
        closer.whileOpen([&] {
            const Access box = accessOf(QApplication::activeModalWidget());
            EXPECT_EQ(box.role, QAccessible::AlertMessage);
            boxTexts << box.value;
            // A screen reader's toggle on a finished answer selects nothing.
            QAccessibleInterface* fourth = QAccessible::queryAccessibleInterface(option(4));
            fourth->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        });
        option(1)->click();
        option(answer)->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return boxTexts.size() == 1; }))
            << boxTexts.size() << " draw messages";
        EXPECT_FALSE(option(4)->isChecked());
        EXPECT_TRUE(boxTexts.first().contains("way draw between Ann Lee"))
            << boxTexts.first().toStdString();
        QWidget* tieBreak = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == window && top->isVisible())
                tieBreak = top;
        ASSERT_TRUE(tieBreak);
        QStringList read;
        for (const char* label : {"Qel_Char1", "Qel_Char2", "QEL_Char3"})
            if (auto* l = tieBreak->findChild<QLabel*>(label))
                read << accessOf(l).name;
        EXPECT_EQ(read, names);
        const Access stop = accessOf(tieBreak->findChild<QPushButton*>("Command1"));
        EXPECT_EQ(stop.name, "Stop");
        EXPECT_EQ(stop.role, QAccessible::Button);
        EXPECT_TRUE(!accessOf(tieBreak).value.isEmpty() ||
                    !QAccessible::queryAccessibleInterface(tieBreak)
                         ->text(QAccessible::Description)
                         .isEmpty());
        tieBreak->close();
        child<QPushButton>("cmd_restart")->click();
    }
}

TEST_F(AccessTest, AboutWindowIsDescribedAndOpensFromTheKeyboard) {
    openTestQuiz();
    key(Qt::Key_F1);
    kinsight::Credits* credits = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<kinsight::Credits*>(top))
            credits = c;
    ASSERT_TRUE(credits && credits->isVisible());
    QAccessibleInterface* picture =
        QAccessible::queryAccessibleInterface(credits->findChild<QLabel*>("Image1"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->role(), QAccessible::Graphic);
    EXPECT_TRUE(picture->text(QAccessible::Name).startsWith("Kinsight"));
    EXPECT_FALSE(picture->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(accessOf(credits->findChild<QLabel*>("Label1")).name,
              kinsight::Credits::creditsText());
    credits->close();
}

struct KeyboardCase {
    const char* name;
    Outcome outcome;
};

class BundledQuizByKeys : public AccessTest, public testing::WithParamInterface<KeyboardCase> {};

TEST_P(BundledQuizByKeys, PlaysWithKeysAlone) {
    const Outcome outcome = GetParam().outcome;
    const std::vector<int> answers = answersFor(outcome);
    ASSERT_FALSE(answers.empty());
    open(bundledQuiz());
    const QString firstQuestion = child<QLabel>("Question_Box")->text();
    EXPECT_EQ(focusedOption(), 1);

    // Every box, the draw message and the greeting, is closed by a key.
    ModalCloser closer(ModalCloser::ByKeys);
    for (int answer : answers)
        ASSERT_NO_FATAL_FAILURE(chooseByKeys(answer));
    if (outcome == Outcome::TwoWay) {
        ASSERT_NO_FATAL_FAILURE(playTieBreakByKeys("Dual"));
    } else if (outcome == Outcome::ThreeWay) {
        ASSERT_NO_FATAL_FAILURE(playTieBreakByKeys("Tri"));
    }
    const QString result = child<QLineEdit>("Text1")->text();
    EXPECT_FALSE(result.isEmpty());
    EXPECT_EQ(accessOf(child("Image1")).name, "Result picture: " + result);

    ASSERT_NO_FATAL_FAILURE(tabTo(child("cmd_restart")));
    key(Qt::Key_Space);
    ASSERT_NO_FATAL_FAILURE(backToTheMainWindow());
    EXPECT_EQ(child<QLabel>("Question_Box")->text(), firstQuestion);
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QString());
    EXPECT_TRUE(option(1)->isEnabled());
    // The keyboard starts over at the first answer; Shift+Tab walks the
    // design's order backwards, round to the restart button.
    EXPECT_EQ(focusedOption(), 1);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), child("Text1"));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), child("cmd_restart"));
}

INSTANTIATE_TEST_SUITE_P(Access, BundledQuizByKeys,
                         testing::Values(KeyboardCase{"SingleWinner", Outcome::Winner},
                                         KeyboardCase{"TwoWayDraw", Outcome::TwoWay},
                                         KeyboardCase{"ThreeWayDraw", Outcome::ThreeWay}),
                         rowName);

} // namespace
