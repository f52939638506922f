// The yardstick for the program's start-up time: a bare Qt window with the
// controls of the main quiz window at the same places (seven option buttons,
// the labels, sixteen text boxes, a button and a picture area) and nothing
// else: no quiz, no icon, no other window.
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setGeometry(89, 108, 458, 261);
    window.setFixedSize(458, 261);

    auto* question = new QLabel(QStringLiteral("Questions Appear Here"), &window);
    question->setGeometry(8, 8, 273, 33);
    question->setWordWrap(true);

    auto* group = new QButtonGroup(&window);
    for (int k = 0; k < 7; ++k) {
        auto* option = new QRadioButton(QStringLiteral("Option%1").arg(k + 1), &window);
        option->setGeometry(8, k < 6 ? 48 + 32 * k : 232, 249, 25);
        group->addButton(option, k + 1);
    }

    auto* picture = new QLabel(&window);
    picture->setGeometry(288, 8, 161, 193);
    auto* resultName = new QLineEdit(&window);
    resultName->setGeometry(288, 208, 161, 19);
    auto* restart = new QPushButton(QStringLiteral("Restart"), &window);
    restart->setGeometry(288, 232, 161, 25);
    restart->setEnabled(false);

    for (int i = 0; i < 15; ++i) {
        auto* box = new QLineEdit(&window);
        box->setGeometry(i < 10 ? 472 : 560, 8 + 24 * (i < 10 ? i : i - 10), i < 10 ? 65 : 57, 19);
    }
    (new QLabel(QStringLiteral("1"), &window))->setGeometry(464, 8, 17, 17);
    (new QLabel(QStringLiteral("15"), &window))->setGeometry(544, 104, 17, 17);

    window.show();
    return QApplication::exec();
}
