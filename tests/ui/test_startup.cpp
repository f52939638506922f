// The program's start and its one way of ending on a failure.
#include "failure.h"
#include "modal_closer.h"
#include "only.h"
#include "picture_area.h"
#include "platform_start.h"
#include "quiz_error.h"
#include "quiz_folder.h"
#include "quiz_location.h"
#include "row_name.h"
#include "started_window.h"
#include "startup.h"
#include "temp_dir.h"
#include "window_helpers.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <sstream>
#include <string>

using kinsight::Failure;
using kinsight::QuizError;
using namespace kinsight::test;

namespace {

// One question: answer 1 makes Ann Lee the winner, answer 2 Bo.
QuizBuilder oneQuestion(const QString& title) {
    return namedQuiz(title).question({"Tea or coffee?",
                                      {{"Tea", {"C01=3"}},
                                       {"Coffee", {"C02=3"}},
                                       {"Water", {}},
                                       {"Milk", {}},
                                       {"Juice", {}},
                                       {"Nothing", {}}}});
}

struct DisplayCase {
    const char* name;
    std::string qpa, x11, wayland;
    std::string failure; // what is missing when no window opens, then the advice
};

class DisplayFromTheEnvironment : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayFromTheEnvironment, SaysWhatIsMissingAndWhatToDo) {
    const std::map<std::string, std::string> environment{{"QT_QPA_PLATFORM", GetParam().qpa},
                                                         {"DISPLAY", GetParam().x11},
                                                         {"WAYLAND_DISPLAY", GetParam().wayland},
                                                         {"HOME", "/root"}};
    const auto lookup = [&environment](const char* name) {
        const auto it = environment.find(name);
        return it == environment.end() ? std::string() : it->second;
    };
    EXPECT_EQ(kinsight::displayFailure(lookup),
              "kinsight: " + GetParam().failure +
                  " without a desktop, run it under xvfb-run (packages xvfb and xauth)");
}

INSTANTIATE_TEST_SUITE_P(
    Startup, DisplayFromTheEnvironment,
    testing::Values(
        DisplayCase{"NothingSet", "", "", "",
                    "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set);"},
        DisplayCase{"X11", "", ":0", "", "cannot open the display :0;"},
        DisplayCase{"Wayland", "", "", "wayland-0",
                    "cannot connect to the Wayland display wayland-0;"},
        DisplayCase{"PlatformChosen", "offscreen", "", "",
                    "the platform \"offscreen\" that QT_QPA_PLATFORM names cannot start; unset "
                    "it in a desktop, and"},
        DisplayCase{"All", "xcb", ":1", "wayland-1", "cannot open the display :1;"},
        DisplayCase{"ControlBytes", "", ":1\x1b[2J", "", "cannot open the display :1\\x1B[2J;"}),
    rowName);

struct ReportCase {
    const char* name;
    Failure failure;
    std::string file;
    int line;
    std::string detail;
    QString text;
    QString log = text; // the error stream's line
    bool breaks = false; // needs break points to wrap within the box
};

class FailureReport : public testing::TestWithParam<ReportCase> {};

// The program's status 1 once the box is closed: program_test.sh.
TEST_P(FailureReport, IsShownAndLogged) {
    std::ostringstream log;
    ModalCloser closer;
    kinsight::reportFailure(
        QuizError(GetParam().failure, GetParam().file, GetParam().line, GetParam().detail), log);

    ASSERT_EQ(closer.boxes().size(), 1);
    EXPECT_EQ(closer.boxes().first().title, "Kinsight");
    EXPECT_EQ(closer.boxes().first().text, GetParam().text);
    EXPECT_EQ(closer.boxes().first().shown, GetParam().text);
    // Break points only where a line must wrap, and never in a copy.
    EXPECT_EQ(closer.boxes().first().breakPoints > 0, GetParam().breaks);
    EXPECT_TRUE(closer.boxes().first().copied.contains(GetParam().text))
        << closer.boxes().first().copied.toStdString();
    EXPECT_EQ(closer.boxes().first().icon, QMessageBox::Critical);
    EXPECT_EQ(closer.boxes().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(QString::fromStdString(log.str()), GetParam().log + "\n");
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Startup, FailureReport,
    testing::Values(
        ReportCase{"PastTheEnd", Failure::InputPastEndOfFile, "way.txt", 37, "looking for \"A3)\"",
                   "way.txt:37: Input past end of file (looking for \"A3)\")"},
        ReportCase{"MissingFile", Failure::FileNotFound, "/opt/quiz/way.txt", 0, "",
                   "/opt/quiz/way.txt: File not found"},
        ReportCase{"OutOfRange", Failure::SubscriptOutOfRange, "way.txt", 5, "C99",
                   "way.txt:5: C99 (Subscript out of range)"},
        // A line at the box's limit of 4,000 characters is shown whole; one
        // past it is shortened to the limit, "…" included. The terminal
        // gets it whole.
        ReportCase{"LineAtTheLimit", Failure::SubscriptOutOfRange, "way.txt", 5,
                   std::string(3964, 'x'),
                   "way.txt:5: " + QString(3964, 'x') + " (Subscript out of range)",
                   "way.txt:5: " + QString(3964, 'x') + " (Subscript out of range)", true},
        ReportCase{"LineOverTheLimit", Failure::SubscriptOutOfRange, "way.txt", 5,
                   std::string(3965, 'x'),
                   "way.txt:5: " + QString(1988, 'x') + QChar(0x2026) + QString(1975, 'x') +
                       " (Subscript out of range)",
                   "way.txt:5: " + QString(3965, 'x') + " (Subscript out of range)", true},
        // A path too long for a line wraps where it must; copied, it is the path.
        ReportCase{"LongPath", Failure::FileNotFound,
                   "/home/author/quizzes/" + std::string(90, 'q') + "/way.txt", 0, "",
                   "/home/author/quizzes/" + QString(90, 'q') + "/way.txt: File not found",
                   "/home/author/quizzes/" + QString(90, 'q') + "/way.txt: File not found", true},
        // A terminal would clear its screen and take a new title.
        ReportCase{
            "ControlBytes", Failure::SubscriptOutOfRange, "w\tay.txt", 5,
            "C99\x1b[2J\x1b]0;x\x07\x7f\xc2\x9b\xe2\x80\xae",
            "w\tay.txt:5: C99\x1b[2J\x1b]0;x\x07\x7f\xc2\x9b\xe2\x80\xae (Subscript out of range)",
            "w\\x09ay.txt:5: C99\\x1B[2J\\x1B]0;x\\x07\\x7F\\u{9B}\\u{202E} (Subscript out of "
            "range)"}),
    rowName);

// A quiz in a folder of the author's own, named on the command line from
// another current folder, played to its result picture and started over
// from the same file. The folder's name may be in any encoding.
struct ElsewhereCase {
    const char* name;
    std::string folder;
    std::string fileName;
    bool nameTheFolder;
};

class QuizFromAFolderElsewhere : public testing::TestWithParam<ElsewhereCase> {};

TEST_P(QuizFromAFolderElsewhere, PlaysToItsPictureAndRestartsFromTheSameFile) {
    const std::filesystem::path quizFile =
        std::filesystem::path(GetParam().folder) / GetParam().fileName;
    const QString startDir = QDir::currentPath();
    QList<int> exits;

    TempDir root;
    const QString title = "Pets of " + QString::fromStdString(GetParam().fileName);
    root.write(quizFile, quizText(oneQuestion(title)).toStdString());
    root.write(std::filesystem::path(GetParam().folder) / "Pictures" / "Ann Lee.jpg",
               jpegPicture(Qt::red).toStdString());
    std::filesystem::create_directory(root.path() / "elsewhere");
    ASSERT_TRUE(QDir::setCurrent(toQString(root.path() / "elsewhere")));
    const std::filesystem::path argument =
        ".." / (GetParam().nameTheFolder ? std::filesystem::path(GetParam().folder) : quizFile);

    {
        const std::unique_ptr<kinsight::QuizPlay> play = startWindow(argument, exits);
        ASSERT_TRUE(play);
        kinsight::Only& window = play->window();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.windowTitle(), title);
        auto* image = window.findChild<kinsight::PictureArea*>("Image1");
        ASSERT_TRUE(image);
        EXPECT_TRUE(image->picture().isNull());

        QTest::mouseClick(window.findChild<QRadioButton*>("Ans1"), Qt::LeftButton, {},
                          QPoint(10, 12));
        EXPECT_EQ(window.findChild<QLineEdit*>("Text1")->text(), "Ann Lee");
        const QColor shown =
            image->grab().toImage().pixelColor(image->width() / 2, image->height() / 2);
        EXPECT_TRUE(shown.red() > 180 && shown.green() < 60) << shown.name().toStdString();

        // The author edits the quiz; the restart reads the same file again.
        root.write(quizFile, quizText(oneQuestion(title + " (edited)")).toStdString());
        QTest::mouseClick(window.findChild<QPushButton*>("cmd_restart"), Qt::LeftButton);
        EXPECT_EQ(window.windowTitle(), title + " (edited)");
        EXPECT_EQ(window.findChild<QLabel*>("Question_Box")->text(), "Tea or coffee?");
    }
    EXPECT_TRUE(exits.isEmpty());
    QDir::setCurrent(startDir);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Startup, QuizFromAFolderElsewhere,
    testing::Values(ElsewhereCase{"FolderHoldingWayTxt", "mine", "way.txt", true},
                    ElsewhereCase{"QuizFileOfAnyName", "mine", "pets.txt", false},
                    ElsewhereCase{"FolderNamedInLatin1", "caf\xe9", "way.txt", true}),
    rowName);

} // namespace
