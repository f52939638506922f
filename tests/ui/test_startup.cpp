// The program's start and its one way of ending on a failure.
#include "failure.h"
#include "modal_closer.h"
#include "quiz_error.h"
#include "startup.h"

#include <QtTest>

#include <map>
#include <sstream>

using kinsight::Failure;
using kinsight::QuizError;

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
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
