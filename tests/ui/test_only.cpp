// The main window driven the way a user drives it: real clicks and key
// presses on its controls, on quiz folders built for each test.
#include "credits.h"
#include "dry_run.h"
#include "dual.h"
#include "failure.h"
#include "modal_closer.h"
#include "only.h"
#include "picture_area.h"
#include "quiz_folder.h"
#include "tri.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>
#include <sstream>

using kinsight::Control;
using kinsight::Only;

namespace {

const QString kTitle = "Who in the test land are you?";

// Two questions. Answer 1 twice makes Ann Lee the winner (3 + 2), answer 2
// twice makes Bo the winner (2 + 5).
QList<QuizQuestion> twoQuestions() {
    QuizQuestion first;
    first.text = "\"Red, or blue?\"";
    first.answers = {"Apples", "Pears", "Plums", "Figs", "", "Salt & pepper"};
    first.weights = {QStringList{"C01=3", "C02=1"}, {"C02=2"}, {"C03=1"}, {"C04=1"}, {}, {"C15=9"}};
    QuizQuestion second;
    second.text = "Second question";
    second.answers = {"Sun", "Moon", "Stars", "Rain", "Snow", "Wind"};
    second.weights = {
        QStringList{"C01=2"}, {"C02=5"}, {"C01=1", "C02=1"}, {}, {"C03=9"}, {"C15=9"}};
    return {first, second};
}

// One question whose answers end in every kind of draw.
QList<QuizQuestion> drawQuestion() {
    QuizQuestion q;
    q.text = "Who draws?";
    q.answers = {"two", "three", "four", "one", "none", "five"};
    q.weights = {QStringList{"C01=1", "C02=1"},
                 {"C01=1", "C02=1", "C03=1"},
                 {"C01=1", "C02=1", "C03=1", "C04=1"},
                 {"C05=1"},
                 {},
                 {"C01=1", "C02=1", "C03=1", "C04=1", "C05=1"}};
    return {q};
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

} // namespace

class TestOnly : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Only> m_window;
    QuizFolder* m_folder = nullptr;
    std::unique_ptr<QuizFolder> m_ownFolder;
    QList<int> m_exits;
    std::ostringstream m_log;
    QString m_startDir;

    Only& open(const QString& quiz, bool show = true) {
        m_ownFolder = std::make_unique<QuizFolder>();
        m_folder = m_ownFolder.get();
        m_folder->writeQuiz(quiz);
        return openFolder(show);
    }
    Only& openFolder(bool show = true) {
        m_window = std::make_unique<Only>(m_folder->quizFile());
        if (show) {
            m_window->show();
            [&] { QVERIFY(QTest::qWaitForWindowExposed(m_window.get())); }();
        }
        return *m_window;
    }

    template <typename T> T* child(const char* name) const {
        T* found = m_window->findChild<T*>(QString::fromLatin1(name));
        [&] { QVERIFY2(found, name); }();
        return found;
    }
    QRadioButton* option(int k) const {
        return k == 7 ? child<QRadioButton>("SkipQuestion")
                      : child<QRadioButton>(QStringLiteral("Ans%1").arg(k).toLatin1().constData());
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(10, 12)); }

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

private Q_SLOTS:
    void initTestCase() { m_startDir = QDir::currentPath(); }

    void init() {
        m_exits.clear();
        m_log.str({});
        kinsight::setExitHandler([this](int status) { m_exits << status; });
        kinsight::setFailureLog(&m_log);
    }

    void cleanup() {
        m_window.reset();
        m_ownFolder.reset();
        m_folder = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(QApplication::topLevelWidgets().isEmpty(), "a window was left over");
        kinsight::setExitHandler({});
        kinsight::setFailureLog(nullptr);
        QDir::setCurrent(m_startDir);
    }

    void loadShowsTitleQuestionAndAnswers() {
        Only& w = open(quizText(kTitle, twoQuestions()), false);
        QCOMPARE(w.windowTitle(), kTitle);
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Red, or blue?"));
        QCOMPARE(option(1)->text(), QString("Apples"));
        QCOMPARE(option(5)->text(), QString());
        // An ampersand shows as itself, not as a shortcut mark.
        QCOMPARE(option(6)->text(), QString("Salt && pepper"));
        QCOMPARE(accessibleName(option(6)), QString("Salt & pepper"));
        QCOMPARE(option(7)->text(), QString::fromUtf8("Ничего из этого  "));
        for (int k = 1; k <= 7; ++k) {
            QVERIFY(option(k)->isEnabled());
            QVERIFY(!option(k)->isChecked());
        }
        QVERIFY(!child<QPushButton>("cmd_restart")->isEnabled());
        QCOMPARE(child<QPushButton>("cmd_restart")->text(), QString::fromUtf8("Сначала"));
        QCOMPARE(child<QLineEdit>("Text1")->text(), QString());
        QCOMPARE(scores(), blanks());
        QVERIFY(child<kinsight::PictureArea>("Image1")->picture().isNull());
        QCOMPARE(child<QLabel>("Label1")->text(), QString("1"));
        QCOMPARE(child<QLabel>("Label2")->text(), QString("15"));
        QCOMPARE(accessibleName(w.scoreBox(0)), QString("Score of Ann Lee"));
        QCOMPARE(accessibleName(w.scoreBox(14)), QString("Score of Oz"));
        QVERIFY(m_exits.isEmpty());
    }

    void initialCaptionsBeforeAnyQuizText() {
        // A quiz that cannot be opened leaves the window's own captions.
        m_ownFolder = std::make_unique<QuizFolder>();
        m_folder = m_ownFolder.get();
        ModalCloser closer;
        Only& w = openFolder(false);
        QCOMPARE(w.windowTitle(), QString("What Qel Charecter Are You?"));
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Questions Appear Here"));
        for (int k = 1; k <= 6; ++k)
            QCOMPARE(option(k)->text(), QStringLiteral("Option%1").arg(k));
        QCOMPARE(option(7)->text(), QString::fromUtf8("Ничего из этого  "));
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("question") << "Question_Box" << QRect(8, 8, 273, 33);
        for (int k = 1; k <= 6; ++k)
            QTest::addRow("answer %d", k)
                << QStringLiteral("Ans%1").arg(k) << QRect(8, 48 + 32 * (k - 1), 249, 25);
        QTest::newRow("skip") << "SkipQuestion" << QRect(8, 232, 249, 25);
        QTest::newRow("picture") << "Image1" << QRect(288, 8, 161, 193);
        QTest::newRow("result name") << "Text1" << QRect(288, 208, 161, 19);
        QTest::newRow("restart") << "cmd_restart" << QRect(288, 232, 161, 25);
        QTest::newRow("label of the first score") << "Label1" << QRect(464, 8, 17, 17);
        QTest::newRow("label of the last score") << "Label2" << QRect(544, 104, 17, 17);
    }
    void geometry() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        open(quizText(kTitle, twoQuestions()));
        auto* widget = m_window->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), rect);
    }

    void scorePanelGeometry() {
        Only& w = open(quizText(kTitle, twoQuestions()));
        for (int i = 0; i < 15; ++i) {
            const QRect expected =
                i < 10 ? QRect(472, 8 + 24 * i, 65, 19) : QRect(560, 8 + 24 * (i - 10), 57, 19);
            QCOMPARE(w.scoreBox(i)->geometry(), expected);
            QCOMPARE(w.scoreBox(i)->objectName(), QString("score"));
            QCOMPARE(w.scoreBox(i)->property("index").toInt(), i);
            // Outside the client area: never seen.
            QVERIFY(!w.rect().intersects(w.scoreBox(i)->geometry()));
        }
    }

    void windowIsFixedAtItsPlace() {
        Only& w = open(quizText(kTitle, twoQuestions()));
        QCOMPARE(w.geometry(), QRect(89, 108, 458, 261));
        QCOMPARE(w.minimumSize(), QSize(458, 261));
        QCOMPARE(w.maximumSize(), QSize(458, 261));
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    }

    void questionBoxLooksAsDesigned() {
        open(quizText(kTitle, twoQuestions()));
        auto* box = child<QLabel>("Question_Box");
        QCOMPARE(box->font().pointSizeF(), 9.75);
        QCOMPARE(box->font().weight(), QFont::Normal);
        QVERIFY(!box->font().italic() && !box->font().underline() && !box->font().strikeOut());
        QVERIFY(box->wordWrap());
        QVERIFY(box->autoFillBackground());
        QCOMPARE(box->palette().color(QPalette::Window), box->palette().color(QPalette::Base));
        QCOMPARE(box->palette().color(QPalette::WindowText), box->palette().color(QPalette::Text));
        // Long text is cut off, the label does not grow.
        m_window->setQuestion(std::string(40, 'x') + " " + std::string(400, 'y'));
        QCOMPARE(box->geometry(), QRect(8, 8, 273, 33));
    }

    void tabOrderFollowsTheDesign() {
        Only& w = open(quizText(kTitle, twoQuestions()));
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
        QCOMPARE(chain, expected);
        for (const char* name : {"Question_Box", "Image1", "Label1", "Label2"})
            QCOMPARE(child<QWidget>(name)->focusPolicy(), Qt::NoFocus);
    }

    void wholeQuizByMouse() {
        open(quizText(kTitle, twoQuestions()));
        m_folder->writePicture("Ann Lee.jpg", kRed);

        click(option(1));
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Second question"));
        QCOMPARE(option(1)->text(), QString("Sun"));
        QStringList expected = QStringList(15, "0");
        expected[0] = "3";
        expected[1] = "1";
        QCOMPARE(scores(), expected);
        // Cleared for the next question, so the same answer can be chosen again.
        QVERIFY(!option(1)->isChecked());

        click(option(1));
        expected[0] = "5";
        QCOMPARE(scores(), expected);
        QCOMPARE(child<QLineEdit>("Text1")->text(), QString("Ann Lee"));
        QVERIFY(!child<kinsight::PictureArea>("Image1")->picture().isNull());
        QVERIFY2(near(pictureColour(), kRed), qPrintable(pictureColour().name()));
        QCOMPARE(accessibleName(child<QWidget>("Image1")), QString("Result picture: Ann Lee"));
        for (int k = 1; k <= 7; ++k) {
            QVERIFY(!option(k)->isEnabled());
            QVERIFY(!option(k)->isChecked());
        }
        QVERIFY(child<QPushButton>("cmd_restart")->isEnabled());

        // Finished: the answers and the skip choice take no clicks.
        const Screen finished = screen();
        click(option(2));
        click(option(7));
        QCOMPARE(screen(), finished);
        QVERIFY(m_exits.isEmpty());
    }

    void skippingScoresNothing() {
        open(quizText(kTitle, twoQuestions()));
        click(option(7));
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Second question"));
        QCOMPARE(scores(), blanks());
        QVERIFY(!option(7)->isChecked());
    }

    void answerWithoutPointsShowsUnchangedScores() {
        open(quizText(kTitle, twoQuestions()));
        click(option(5)); // no caption, no points: still an answer
        QCOMPARE(scores(), QStringList(15, "0"));
    }

    void keyboardSelectionScoresOnce() {
        Only& w = open(quizText(kTitle, twoQuestions()));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        option(2)->setFocus();
        // The arrow moves the focus only, as nothing is selected yet.
        QTest::keyClick(option(2), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), option(3));
        QCOMPARE(scores(), blanks());
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Red, or blue?"));

        QTest::keyClick(option(3), Qt::Key_Space);
        QStringList expected(15, "0");
        expected[2] = "1";
        QCOMPARE(scores(), expected);
        // One question further, not two.
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Second question"));
    }

    void clearingASelectionRaisesNothing() {
        Only& w = open(quizText(kTitle, twoQuestions()));
        auto* group = option(1)->group();
        QVERIFY(group && group->exclusive());
        QSignalSpy clicks(group, &QButtonGroup::idClicked);
        QSignalSpy toggles(group, &QButtonGroup::idToggled);
        for (int k = 1; k <= 7; ++k) {
            {
                // Shown selected without the user's selection event.
                const QSignalBlocker quiet(group);
                option(k)->setChecked(true);
            }
            w.clearSelection(k == 7 ? Control::SkipQuestion : kinsight::answerControl(k));
            QVERIFY(!option(k)->isChecked());
            QVERIFY(group->exclusive());
        }
        QCOMPARE(clicks.count(), 0);
        for (const QList<QVariant>& toggle : toggles)
            QCOMPARE(toggle.at(1).toBool(), false);
        QCOMPARE(scores(), blanks());
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Red, or blue?"));
    }

    void restartBringsTheFirstQuestionBack() {
        open(quizText(kTitle, twoQuestions()));
        m_folder->writePicture("Ann Lee.jpg", kRed);
        m_folder->writePicture("Bo.jpg", kGreen);
        const Screen started = screen();
        click(option(1));
        click(option(1));
        const qint64 winnerPicture = screen().picture;

        click(child<QPushButton>("cmd_restart"));
        Screen once = screen();
        QCOMPARE(once.scores, blanks());
        QCOMPARE(once.result, QString());
        QCOMPARE(once.question, QString("Red, or blue?"));
        QCOMPARE(once.captions, started.captions);
        QCOMPARE(once.enabled, QList<bool>(7, true));
        QCOMPARE(once.checked, QList<bool>(7, false));
        QVERIFY(once.restartEnabled);
        QCOMPARE(once.picture, winnerPicture); // the old picture stays up
        QVERIFY(m_window->isVisible());

        click(child<QPushButton>("cmd_restart"));
        QCOMPARE(screen(), once);

        // A second pass announces someone else: name and picture replaced.
        click(option(2));
        click(option(2));
        QCOMPARE(child<QLineEdit>("Text1")->text(), QString("Bo"));
        QVERIFY(near(pictureColour(), kGreen));
    }

    void restartCreatesTheTwoWayWindowHidden() {
        open(quizText(kTitle, twoQuestions()));
        m_folder->writePicture("Ann Lee.jpg", kRed);
        QVERIFY(topLevels<kinsight::Dual>().isEmpty());
        click(option(1));
        click(option(1));
        click(child<QPushButton>("cmd_restart"));
        const auto duals = topLevels<kinsight::Dual>();
        QCOMPARE(duals.size(), 1);
        QVERIFY(!duals.first()->isVisible());
    }

    void draws_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dual");
        QTest::addColumn<bool>("tri");
        QTest::newRow("two way") << 1 << "Two way draw between Ann Lee and Bo" << true << false;
        QTest::newRow("three way")
            << 2 << "Three way draw between Ann Lee,Bo and  Cy" << false << true;
        QTest::newRow("four way")
            << 3
            << "Four way draw between Ann Lee,Bo,Cy and Di..sorry..this game does not yet fully "
               "support 4 way tie-brakes"
            << false << true;
        QTest::newRow("five way: reported, nobody chosen")
            << 6 << "5 way draw between Ann Lee,Bo,Cy,Di and Ed" << false << false;
    }
    void draws() {
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(bool, dual);
        QFETCH(bool, tri);
        open(quizText(kTitle, drawQuestion()));
        ModalCloser closer;
        click(option(answer));
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().text, text);
        QCOMPARE(closer.boxes().first().title, QString("Draw"));
        QCOMPARE(closer.boxes().first().format, Qt::PlainText);
        QCOMPARE(closer.boxes().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(topLevels<kinsight::Dual>().size(), dual ? 1 : 0);
        QCOMPARE(topLevels<kinsight::Tri>().size(), tri ? 1 : 0);
        QCOMPARE(child<QLineEdit>("Text1")->text(), QString());
        QVERIFY(!option(1)->isEnabled());
        QVERIFY(child<QPushButton>("cmd_restart")->isEnabled());
    }

    void greetingNamesTheCharacter() {
        Only& w = open(quizText(kTitle, twoQuestions()));
        ModalCloser closer;
        // Names are the quiz author's text, shown as written even if they
        // look like markup.
        w.greet("<b>Bo</b> & Co");
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().text, QString("You are...<b>Bo</b> & Co"));
        QCOMPARE(closer.boxes().first().format, Qt::PlainText);
        QCOMPARE(closer.boxes().first().title, QString("Kinsight"));
        QCOMPARE(closer.boxes().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void aboutWindowOpensOnceAndLeavesTheQuizAlone() {
        open(quizText(kTitle, twoQuestions()));
        click(option(1));
        const Screen before = screen();

        click(child<QWidget>("Image1")); // still empty: it takes clicks anyway
        QCOMPARE(topLevels<kinsight::Credits>().size(), 1);
        QVERIFY(topLevels<kinsight::Credits>().first()->isVisible());
        click(child<QWidget>("Image1"));
        QCOMPARE(topLevels<kinsight::Credits>().size(), 1);
        QCOMPARE(screen(), before);

        topLevels<kinsight::Credits>().first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(topLevels<kinsight::Credits>().isEmpty());
        QCOMPARE(screen(), before);

        // An accessibility client can press the picture too.
        QAccessibleInterface* picture =
            QAccessible::queryAccessibleInterface(child<QWidget>("Image1"));
        QVERIFY(picture && picture->actionInterface());
        picture->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The press is animated, so the click comes a moment later.
        QTRY_COMPARE(topLevels<kinsight::Credits>().size(), 1);
    }

    void closingTheMainWindowClosesTheOthers() {
        Only& w = open(quizText(kTitle, twoQuestions()));
        w.openCredits();
        QVERIFY(topLevels<kinsight::Credits>().first()->isVisible());
        w.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(topLevels<kinsight::Credits>().isEmpty());
    }

    void missingQuizFileIsReported() {
        m_ownFolder = std::make_unique<QuizFolder>();
        m_folder = m_ownFolder.get();
        ModalCloser closer;
        Only& w = openFolder(false);
        const QString expected = m_folder->quizPath() + ": File not found";
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().text, expected);
        QCOMPARE(closer.boxes().first().title, QString("Kinsight"));
        QCOMPARE(closer.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(closer.boxes().first().format, Qt::PlainText);
        QCOMPARE(QString::fromStdString(m_log.str()), expected + "\n");
        QCOMPARE(m_exits, QList<int>{1});
        QVERIFY(w.failed());
    }

    void brokenQuizFileIsReported_data() {
        QTest::addColumn<QString>("quiz");
        QTest::addColumn<QString>("failure");
        const QString whole = quizText(kTitle, twoQuestions());
        QTest::newRow("ends before the third answer")
            << whole.left(whole.indexOf("A3)")) << "Input past end of file (looking for \"A3)\")";
        QTest::newRow("character out of range")
            << QString(whole).replace("C03=1", "C99=1") << "Subscript out of range";
        QTest::newRow("weight list without its end")
            << whole.left(whole.indexOf("C02=1") + 5) << "Input past end of file";
    }
    void brokenQuizFileIsReported() {
        QFETCH(QString, quiz);
        QFETCH(QString, failure);
        m_ownFolder = std::make_unique<QuizFolder>();
        m_folder = m_ownFolder.get();
        m_folder->writeQuiz(quiz);
        const auto check = kinsight::dryRun(m_folder->quizFile());
        QVERIFY(check.error);
        const QString expected = QString::fromStdString(check.error->what());
        QVERIFY2(expected.startsWith("way.txt:") && expected.contains(failure),
                 qPrintable(expected));

        ModalCloser closer;
        Only& w = openFolder(false);
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().text, expected);
        QCOMPARE(closer.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(QString::fromStdString(m_log.str()), expected + "\n");
        QCOMPARE(m_exits, QList<int>{1});
        QVERIFY(w.failed());
    }

    void failureWhileAnsweringIsReportedOnce() {
        // The second question's weight list never ends.
        const QString whole = quizText(kTitle, twoQuestions());
        Only& w = open(whole.left(whole.indexOf("C02=5") + 5));
        ModalCloser closer;
        click(option(1));
        QCOMPARE(closer.boxes().size(), 1);
        QVERIFY(closer.boxes().first().text.contains("Input past end of file"));
        QCOMPARE(m_exits, QList<int>{1});
        QVERIFY(w.failed());
        // Whatever is clicked while the program ends reads nothing more.
        click(option(2));
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(m_exits, QList<int>{1});
    }

    void restartWithoutTheQuizFileIsReported() {
        open(quizText(kTitle, twoQuestions()));
        m_folder->writePicture("Ann Lee.jpg", kRed);
        click(option(1));
        click(option(1));
        QVERIFY(QFile::remove(m_folder->quizPath()));
        ModalCloser closer;
        click(child<QPushButton>("cmd_restart"));
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().text, m_folder->quizPath() + ": File not found");
        QCOMPARE(m_exits, QList<int>{1});
    }

    void pictureProblemsWarnAndGoOn_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QString() << QByteArray();
        QTest::newRow("not a picture") << "Bo.jpg" << QByteArray("this is no JPEG");
        QTest::newRow("empty file") << "Bo.jpg" << QByteArray();
    }
    void pictureProblemsWarnAndGoOn() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        open(quizText(kTitle, twoQuestions()));
        m_folder->writePicture("Ann Lee.jpg", kRed);
        if (!fileName.isEmpty())
            QuizFolder::writeFile(m_folder->picturePath(fileName), content);
        click(option(1));
        click(option(1));
        QVERIFY(near(pictureColour(), kRed));
        click(child<QPushButton>("cmd_restart"));

        ModalCloser closer;
        click(option(2));
        click(option(2));
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().icon, QMessageBox::Warning);
        QCOMPARE(closer.boxes().first().format, Qt::PlainText);
        QCOMPARE(closer.boxes().first().title, QString("Kinsight"));
        QVERIFY2(closer.boxes().first().text.contains(
                     QDir::toNativeSeparators(m_folder->picturePath("Bo.jpg"))),
                 qPrintable(closer.boxes().first().text));
        QVERIFY(m_exits.isEmpty());
        QVERIFY(!m_window->failed());
        QCOMPARE(child<QLineEdit>("Text1")->text(), QString("Bo"));
        QVERIFY(child<kinsight::PictureArea>("Image1")->picture().isNull());
        QCOMPARE(accessibleName(child<QWidget>("Image1")), QString("Result picture"));

        // Restart and the about window still work.
        click(child<QPushButton>("cmd_restart"));
        QCOMPARE(child<QLabel>("Question_Box")->text(), QString("Red, or blue?"));
        click(child<QWidget>("Image1"));
        QCOMPARE(topLevels<kinsight::Credits>().size(), 1);
    }

    void pictureFoundWhateverItsCase() {
        open(quizText(kTitle, twoQuestions()));
        m_folder->writePicture("ANN LEE.JPG", kRed);
        ModalCloser closer;
        click(option(1));
        click(option(1));
        QVERIFY(closer.boxes().isEmpty());
        QVERIFY(near(pictureColour(), kRed));
    }

    void nameReachingOutOfThePicturesGetsNone() {
        QStringList names = quizNames();
        names[0] = "../Ann";
        open(quizText(kTitle, twoQuestions(), names));
        m_folder->writePicture("../Ann.jpg", kRed); // beside the quiz, outside Pictures
        QVERIFY(QFile::exists(m_folder->path() + "/Ann.jpg"));
        ModalCloser closer;
        click(option(1));
        click(option(1));
        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().icon, QMessageBox::Warning);
        QVERIFY(child<kinsight::PictureArea>("Image1")->picture().isNull());
        QCOMPARE(child<QLineEdit>("Text1")->text(), QString("../Ann"));
    }
};

QTEST_MAIN(TestOnly)
#include "test_only.moc"
