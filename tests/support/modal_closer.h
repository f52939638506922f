// Closes the modal boxes that the code under test opens, writing down what
// each said, so a test never hangs on one.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>

namespace kinsight::test {

struct SeenBox {
    QString objectName;
    QString title;
    QString text;            // as a screen reader reads it
    QString shown;           // as the box shows it, wrapping points left out
    bool shownWhole = false; // no line cut off or wider than the box
    int breakPoints = 0;     // added to the text for wrapping
    QString copied;          // what Ctrl+C puts on the clipboard
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
    QRect frame; // where it stood on the screen
};

// What a box shows and reads, modal or not.
SeenBox readBox(QWidget* box);

class ModalCloser : public QObject {
public:
    // ByKeys closes each box as a keyboard user would, Return and Space by turns.
    enum Way { ByClick, ByKeys };

    explicit ModalCloser(Way way = ByClick);

    const QList<SeenBox>& boxes() const { return m_boxes; }
    // Something to run while a box is up, before it is closed.
    void whileOpen(std::function<void()> action) { m_whileOpen = std::move(action); }

private:
    void poll();
    void record(QWidget* modal);

    Way m_way;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    QList<SeenBox> m_boxes;
    std::function<void()> m_whileOpen;
};

} // namespace kinsight::test
