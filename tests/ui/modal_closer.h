// Closes the modal boxes that the code under test opens, recording what each
// said, so a test never hangs on one.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

struct SeenBox {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
};

class ModalCloser : public QObject {
public:
    // ByKeys closes each box as a keyboard user would, Return and Space by turns.
    enum Way { ByClick, ByKeys };

    explicit ModalCloser(Way way = ByClick) : m_way(way) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalCloser::poll);
        m_timer.start();
    }

    const QList<SeenBox>& boxes() const { return m_boxes; }
    // Something to run while a box is up, before it is closed.
    void whileOpen(std::function<void()> action) { m_whileOpen = std::move(action); }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal != m_last) {
            m_last = modal;
            record(modal);
        } else if (m_way == ByClick) {
            return;
        }
        if (m_way == ByKeys) {
            // Pressed again on the next poll if the box is still up: a key
            // may come before the box has put the focus on its button.
            QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
            QTest::keyClick(target, m_boxes.size() % 2 ? Qt::Key_Return : Qt::Key_Space);
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && !box->buttons().isEmpty())
            box->buttons().first()->click();
        else
            modal->close();
    }

    void record(QWidget* modal) {
        SeenBox seen;
        seen.objectName = modal->objectName();
        seen.title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->standardButtons();
            seen.format = box->textFormat();
        }
        m_boxes.append(seen);
        if (m_whileOpen)
            m_whileOpen();
    }

    Way m_way;
    QTimer m_timer;
    QPointer<QWidget> m_last;
    QList<SeenBox> m_boxes;
    std::function<void()> m_whileOpen;
};
