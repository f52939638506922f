// The program's start and its one way of ending on a failure.
#include "command_line.h"
#include "failure.h"
#include "modal_closer.h"
#include "only.h"
#include "picture_area.h"
#include "quiz_error.h"
#include "quiz_folder.h"
#include "startup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <map>
#include <sstream>

using kinsight::Failure;
using kinsight::QuizError;

namespace {

// One question: answer 1 makes Ann Lee the winner, answer 2 Bo.
QList<QuizQuestion> oneQuestion() {
    QuizQuestion q;
    q.text = "Tea or coffee?";
    q.answers = {"Tea", "Coffee", "Water", "Milk", "Juice", "Nothing"};
    q.weights = {QStringList{"C01=3"}, {"C02=3"}, {}, {}, {}, {}};
    return {q};
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void displayFromTheEnvironment_data() {
        QTest::addColumn<QString>("qpa");
        QTest::addColumn<QString>("x11");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<bool>("available");
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << "" << false;
        QTest::newRow("X11") << ""
                             << ":0"
                             << "" << true;
        QTest::newRow("Wayland") << ""
                                 << ""
                                 << "wayland-0" << true;
        QTest::newRow("platform chosen") << "offscreen"
                                         << ""
                                         << "" << true;
        QTest::newRow("all") << "xcb"
                             << ":1"
                             << "wayland-1" << true;
    }
    void displayFromTheEnvironment() {
        QFETCH(QString, qpa);
        QFETCH(QString, x11);
        QFETCH(QString, wayland);
        QFETCH(bool, available);
        const std::map<std::string, std::string> environment{
            {"QT_QPA_PLATFORM", qpa.toStdString()},
            {"DISPLAY", x11.toStdString()},
            {"WAYLAND_DISPLAY", wayland.toStdString()},
            {"HOME", "/root"}};
        const auto lookup = [&environment](const char* name) {
            const auto it = environment.find(name);
            return it == environment.end() ? std::string() : it->second;
        };
        QCOMPARE(kinsight::displayAvailable(lookup), available);
    }

    void failureReport_data() {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("text");
        QTest::newRow("past the end")
            << int(Failure::InputPastEndOfFile) << "way.txt" << 37 << "looking for \"A3)\""
            << "way.txt:37: Input past end of file (looking for \"A3)\")";
        QTest::newRow("missing file")
            << int(Failure::FileNotFound) << "/opt/quiz/way.txt" << 0 << ""
            << "/opt/quiz/way.txt: File not found";
        QTest::newRow("out of range")
            << int(Failure::SubscriptOutOfRange) << "way.txt" << 5 << "C99"
            << "way.txt:5: Subscript out of range (C99)";
    }
    void failureReport() {
        QFETCH(int, failure);
        QFETCH(QString, file);
        QFETCH(int, line);
        QFETCH(QString, detail);
        QFETCH(QString, text);
        QList<int> exits;
        std::ostringstream log;
        kinsight::setExitHandler([&exits](int status) { exits << status; });
        kinsight::setFailureLog(&log);

        ModalCloser closer;
        bool exitedWhileOpen = true;
        closer.whileOpen([&] { exitedWhileOpen = !exits.isEmpty(); });
        kinsight::reportFailureAndExit(QuizError(static_cast<Failure>(failure), file.toStdString(),
                                                 line, detail.toStdString()));

        QCOMPARE(closer.boxes().size(), 1);
        QCOMPARE(closer.boxes().first().title, QString("Kinsight"));
        QCOMPARE(closer.boxes().first().text, text);
        QCOMPARE(closer.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(closer.boxes().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(!exitedWhileOpen, "the program ended before the report was read");
        QCOMPARE(exits, QList<int>{1});
        QCOMPARE(QString::fromStdString(log.str()), text + "\n");

        kinsight::setExitHandler({});
        kinsight::setFailureLog(nullptr);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // A quiz in a folder of the author's own, named on the command line
    // from another current folder, played to its result picture and
    // started over from the same file.
    void quizFromAFolderElsewhere_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("nameTheFolder");
        QTest::newRow("folder holding way.txt") << "way.txt" << true;
        QTest::newRow("quiz file of any name") << "pets.txt" << false;
    }
    void quizFromAFolderElsewhere() {
        QFETCH(QString, fileName);
        QFETCH(bool, nameTheFolder);
        const QString startDir = QDir::currentPath();
        QList<int> exits;
        kinsight::setExitHandler([&exits](int status) { exits << status; });

        QuizFolder folder;
        const QString title = "Pets of " + fileName;
        QuizFolder::writeFile(folder.path() + "/" + fileName,
                              quizText(title, oneQuestion()).toUtf8());
        QImage red(40, 50, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(folder.picturePath("Ann Lee.jpg"), "JPEG", 95));
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        const QString argument =
            QDir(elsewhere.path())
                .relativeFilePath(nameTheFolder ? folder.path() : folder.path() + "/" + fileName);

        {
            kinsight::Only window(kinsight::quizFileFor(argument, QDir::currentPath()));
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.windowTitle(), title);
            auto* image = window.findChild<kinsight::PictureArea*>("Image1");
            QVERIFY(image->picture().isNull());

            QTest::mouseClick(window.findChild<QRadioButton*>("Ans1"), Qt::LeftButton, {},
                              QPoint(10, 12));
            QCOMPARE(window.findChild<QLineEdit*>("Text1")->text(), QString("Ann Lee"));
            const QColor shown =
                image->grab().toImage().pixelColor(image->width() / 2, image->height() / 2);
            QVERIFY2(shown.red() > 180 && shown.green() < 60, qPrintable(shown.name()));

            // The author edits the quiz; the restart reads the same file again.
            QuizFolder::writeFile(folder.path() + "/" + fileName,
                                  quizText(title + " (edited)", oneQuestion()).toUtf8());
            QTest::mouseClick(window.findChild<QPushButton*>("cmd_restart"), Qt::LeftButton);
            QCOMPARE(window.windowTitle(), title + " (edited)");
            QCOMPARE(window.findChild<QLabel*>("Question_Box")->text(), QString("Tea or coffee?"));
        }
        QVERIFY(exits.isEmpty());
        kinsight::setExitHandler({});
        QDir::setCurrent(startDir);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
