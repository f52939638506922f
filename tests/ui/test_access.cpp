// What a screen reader and a keyboard-only user get: every control's
// accessible name, role and value through a played quiz, the events that make
// a screen reader speak, and the bundled quiz played with keys alone.
#include "credits.h"
#include "failure.h"
#include "modal_closer.h"
#include "only.h"
#include "quiz.h"
#include "quiz_folder.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>
#include <random>
#include <vector>

using kinsight::Only;

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
QList<QuizQuestion> quiz() {
    QuizQuestion first;
    first.text = "\"Red, or blue?\"";
    first.answers = {"Apples", "Pears", "Plums", "Figs", "Dates", "Salt & pepper"};
    first.weights = {QStringList{"C01=3"}, {}, {}, {}, {}, {}};
    QuizQuestion second;
    second.text = "Second question";
    second.answers = {"Sun", "Moon", "Stars", "Rain", "Snow", "Wind"};
    second.weights = {QStringList{"C01=2"}, {"C02=3"}, {"C02=3", "C03=3"}, {}, {}, {}};
    return {first, second};
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

} // namespace

class TestAccess : public QObject {
    Q_OBJECT

    std::unique_ptr<QuizFolder> m_folder;
    std::unique_ptr<Only> m_window;
    QString m_startDir;
    QList<int> m_exits;

    Only& open(const QString& quizPath) {
        m_window = std::make_unique<Only>(QFile::encodeName(quizPath).toStdString());
        m_window->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(m_window.get())); }();
        return *m_window;
    }
    Only& openTestQuiz() {
        m_folder = std::make_unique<QuizFolder>();
        m_folder->writeQuiz(quizText("Access", quiz()));
        m_folder->writePicture("Ann Lee.jpg", Qt::red);
        m_folder->writePicture("Bo.jpg", Qt::green);
        m_folder->writePicture("Cy.jpg", Qt::blue);
        return open(m_folder->quizPath());
    }
    template <typename T = QWidget> T* child(const QString& name) const {
        T* found = m_window->findChild<T*>(name);
        [&] { QVERIFY2(found, qPrintable(name)); }();
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
        [&] { QVERIFY(target); }();
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
        [&] { QCOMPARE(focusedOption(), k); }();
        key(Qt::Key_Space);
    }
    void tabTo(QWidget* target) {
        for (int guard = 0; guard < 40 && focused() != target; ++guard)
            key(Qt::Key_Tab);
        [&] { QCOMPARE(focused(), target); }();
    }
    // Stop pressed by key; the greeting is closed by the test's closer.
    void playTieBreakByKeys(const char* windowName) {
        QWidget* tieBreak = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((tieBreak = QApplication::activeWindow()) &&
                                     tieBreak->objectName() == windowName,
                                 5000);
        QCOMPARE(focused(), tieBreak->findChild<QWidget*>("Command1"));
        key(Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(!tieBreak->isVisible(), 10000);
        backToTheMainWindow();
    }
    // The offscreen platform has no window manager to hand the focus back
    // to the main window when another one hides; the window-manager test
    // checks that a real one does.
    void backToTheMainWindow() {
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

private Q_SLOTS:
    void initTestCase() { m_startDir = QDir::currentPath(); }
    void init() {
        m_exits.clear();
        kinsight::setExitHandler([this](int status) { m_exits << status; });
    }
    void cleanup() {
        m_window.reset();
        m_folder.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "a window was left over");
        QVERIFY(m_exits.isEmpty());
        kinsight::setExitHandler({});
        QDir::setCurrent(m_startDir);
    }

    void everyControlReadsWhatItShowsThroughAQuiz() {
        Only& w = openTestQuiz();
        auto* question = child<QLabel>("Question_Box");
        auto check = [&](const QString& step, const QString& questionText, const QString& result,
                         const QString& picture, const QString& firstScore, bool finished) {
            const QByteArray where = step.toUtf8();
            QCOMPARE(accessOf(question).name, questionText);
            QCOMPARE(accessOf(question).role, QAccessible::StaticText);
            for (int k = 1; k <= 7; ++k) {
                const Access a = accessOf(option(k));
                QVERIFY2(!a.name.isEmpty() && a.name == option(k)->text().replace("&&", "&"),
                         where.constData());
                QCOMPARE(a.role, QAccessible::RadioButton);
                QCOMPARE(a.disabled, finished);
            }
            const Access text1 = accessOf(child("Text1"));
            QCOMPARE(text1.name, QString("Result"));
            QCOMPARE(text1.value, result);
            QCOMPARE(accessOf(child("Image1")).name, picture);
            QCOMPARE(accessOf(child("cmd_restart")).name, QString::fromUtf8("Сначала"));
            QCOMPARE(accessOf(child("cmd_restart")).role, QAccessible::Button);
            const Access score = accessOf(w.scoreBox(0));
            QCOMPARE(score.name, QString("Score of Ann Lee"));
            QCOMPARE(score.value, firstScore);
            QCOMPARE(accessOf(w.scoreBox(14)).name, QString("Score of Oz"));
        };
        check("start", "Red, or blue?", "", "Result picture", "", false);
        QCOMPARE(accessOf(option(6)).name, QString("Salt & pepper"));
        QCOMPARE(accessOf(option(7)).name, QString::fromUtf8("Ничего из этого  "));

        option(1)->click();
        check("answered", "Second question", "", "Result picture", "3", false);

        option(1)->click();
        check("won", "Second question", "Ann Lee", "Result picture: Ann Lee", "5", true);

        child<QPushButton>("cmd_restart")->click();
        // The picture stays until the next result, and says whose it is.
        check("restarted", "Red, or blue?", "", "Result picture: Ann Lee", "", false);
    }

    void drawsReadTheTiedNamesAndStop() {
        openTestQuiz();
        for (const auto& [answer, window, names] :
             {std::tuple{2, "Dual", QStringList{"Ann Lee", "Bo"}},
              std::tuple{3, "Tri", QStringList{"Ann Lee", "Bo", "Cy"}}}) {
            ModalCloser closer;
            QStringList boxTexts;
            closer.whileOpen([&] {
                const Access box = accessOf(QApplication::activeModalWidget());
                QCOMPARE(box.role, QAccessible::AlertMessage);
                boxTexts << box.value;
            });
            option(1)->click();
            option(answer)->click();
            QTRY_COMPARE(boxTexts.size(), 1);
            QVERIFY2(boxTexts.first().contains("way draw between Ann Lee"),
                     qPrintable(boxTexts.first()));
            QWidget* tieBreak = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == window && top->isVisible())
                    tieBreak = top;
            QVERIFY(tieBreak);
            QStringList read;
            for (const char* label : {"Qel_Char1", "Qel_Char2", "QEL_Char3"})
                if (auto* l = tieBreak->findChild<QLabel*>(label))
                    read << accessOf(l).name;
            QCOMPARE(read, names);
            const Access stop = accessOf(tieBreak->findChild<QPushButton*>("Command1"));
            QCOMPARE(stop.name, QString("Stop"));
            QCOMPARE(stop.role, QAccessible::Button);
            QVERIFY(!accessOf(tieBreak).value.isEmpty() ||
                    !QAccessible::queryAccessibleInterface(tieBreak)
                         ->text(QAccessible::Description)
                         .isEmpty());
            tieBreak->close();
            child<QPushButton>("cmd_restart")->click();
        }
    }

    void aboutWindowIsDescribedAndOpensFromTheKeyboard() {
        openTestQuiz();
        key(Qt::Key_F1);
        kinsight::Credits* credits = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<kinsight::Credits*>(top))
                credits = c;
        QVERIFY(credits && credits->isVisible());
        QAccessibleInterface* picture =
            QAccessible::queryAccessibleInterface(credits->findChild<QLabel*>("Image1"));
        QCOMPARE(picture->role(), QAccessible::Graphic);
        QVERIFY(picture->text(QAccessible::Name).startsWith("Kinsight"));
        QVERIFY(!picture->text(QAccessible::Description).isEmpty());
        QCOMPARE(accessOf(credits->findChild<QLabel*>("Label1")).name,
                 kinsight::Credits::creditsText());
        credits->close();
    }

    void bundledQuizPlaysWithKeysAlone_data() {
        QTest::addColumn<int>("outcome");
        QTest::newRow("single winner") << int(Outcome::Winner);
        QTest::newRow("two-way draw") << int(Outcome::TwoWay);
        QTest::newRow("three-way draw") << int(Outcome::ThreeWay);
    }
    void bundledQuizPlaysWithKeysAlone() {
        QFETCH(int, outcome);
        const std::vector<int> answers = answersFor(Outcome(outcome));
        QVERIFY(!answers.empty());
        open(bundledQuiz());
        const QString firstQuestion = child<QLabel>("Question_Box")->text();
        QCOMPARE(focusedOption(), 1);

        // Every box, the draw message and the greeting, is closed by a key.
        ModalCloser closer(ModalCloser::ByKeys);
        for (int answer : answers)
            chooseByKeys(answer);
        if (Outcome(outcome) == Outcome::TwoWay)
            playTieBreakByKeys("Dual");
        else if (Outcome(outcome) == Outcome::ThreeWay)
            playTieBreakByKeys("Tri");
        const QString result = child<QLineEdit>("Text1")->text();
        QVERIFY(!result.isEmpty());
        QCOMPARE(accessOf(child("Image1")).name, "Result picture: " + result);

        tabTo(child("cmd_restart"));
        key(Qt::Key_Space);
        backToTheMainWindow();
        QCOMPARE(child<QLabel>("Question_Box")->text(), firstQuestion);
        QCOMPARE(child<QLineEdit>("Text1")->text(), QString());
        QVERIFY(option(1)->isEnabled());
        // The keyboard starts over at the first answer; Shift+Tab walks the
        // design's order backwards, round to the restart button.
        QCOMPARE(focusedOption(), 1);
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), child("Text1"));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), child("cmd_restart"));
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
