// The yardstick for how soon Orca speaks the next question: a minimal Qt
// window with a question and six answers, answered by Space, whose new
// question reaches Orca as Kinsight's does (a hidden label of its own,
// focused for the reader while the keyboard stays on answer 1), with
// nothing else: no score boxes, no descriptions, no filter of events. After
// fourteen questions it shows a result in a box.
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal quiz"));
    window.setFixedSize(458, 261);
    auto* question = new QLabel(QStringLiteral("Question 1"), &window);
    question->setGeometry(8, 8, 273, 33);
    auto* result = new QLineEdit(&window);
    result->setGeometry(288, 208, 161, 19);
    result->setAccessibleName(QStringLiteral("Result"));
    auto* group = new QButtonGroup(&window);
    for (int k = 1; k <= 6; ++k) {
        auto* option = new QRadioButton(QStringLiteral("Answer %1 of 1").arg(k), &window);
        option->setGeometry(8, 48 + 32 * (k - 1), 249, 25);
        group->addButton(option, k);
    }
    int number = 1;
    QLabel* spoken = nullptr;
    // In Kinsight's order: the question, its announcement, the answers, and
    // last the choice cleared.
    const auto clear = [group] {
        group->setExclusive(false);
        group->checkedButton()->setChecked(false);
        group->setExclusive(true);
    };
    QObject::connect(group, &QButtonGroup::idClicked, &window, [&](int) {
        if (++number > 14) {
            clear();
            result->setText(QStringLiteral("Name 1"));
            QMessageBox::information(&window, QStringLiteral("Result"), result->text());
            return;
        }
        question->setText(QStringLiteral("Question %1").arg(number));
        if (QAccessible::isActive()) {
            auto* next = new QLabel(question->text(), &window);
            next->setGeometry(question->geometry());
            next->hide();
            for (auto type : {QAccessible::ObjectCreated, QAccessible::Focus}) {
                QAccessibleEvent event(next, type);
                QAccessible::updateAccessibility(&event);
            }
            delete spoken;
            spoken = next;
        }
        for (int k = 1; k <= 6; ++k)
            group->button(k)->setText(QStringLiteral("Answer %1 of %2").arg(k).arg(number));
        clear();
    });
    window.show();
    group->button(1)->setFocus();
    return QApplication::exec();
}
