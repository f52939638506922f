// Polls for the active modal widget, as Qt's own tests of QMessageBox do.
#include "modal_closer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>

namespace kinsight::test {

ModalCloser::ModalCloser(Way way) : m_way(way) {
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalCloser::poll);
    m_timer.start();
}

void ModalCloser::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (m_way == ByKeys) {
        // A key reaches the box's button only once the box has handed it the
        // focus; pressed again on the next poll if the box is still up.
        if (!modal->focusWidget())
            return;
        if (modal != m_last)
            record(modal);
        QTest::keyClick(modal->focusWidget(), m_boxes.size() % 2 ? Qt::Key_Return : Qt::Key_Space);
        return;
    }
    if (modal == m_last)
        return;
    record(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal); box && !box->buttons().isEmpty())
        box->buttons().first()->click();
    else
        modal->close();
}

SeenBox readBox(QWidget* modal) {
    SeenBox seen;
    seen.objectName = modal->objectName();
    seen.title = modal->windowTitle();
    seen.frame = modal->frameGeometry();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        for (QLabel* label : box->findChildren<QLabel*>()) {
            QAccessibleInterface* read = QAccessible::queryAccessibleInterface(label);
            if (!read || read->text(QAccessible::Name).isEmpty())
                continue;
            seen.text = read->text(QAccessible::Name);
            // Zero-width spaces only mark where a line may wrap.
            seen.shown = label->text().remove(QChar(0x200B));
            seen.shownWhole = label->minimumSizeHint().width() <= label->width() &&
                              label->heightForWidth(label->width()) <= label->height();
            seen.breakPoints = static_cast<int>(label->text().count(QChar(0x200B)) -
                                                seen.text.count(QChar(0x200B)));
        }
        // Selected whole and copied, as a user would with the mouse and Ctrl+C.
        if (QLabel* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            QGuiApplication::clipboard()->clear();
            label->setSelection(0, static_cast<int>(label->text().size()));
            QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
            seen.copied = QGuiApplication::clipboard()->text();
            label->setSelection(0, 0);
        }
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.format = box->textFormat();
    }
    return seen;
}

void ModalCloser::record(QWidget* modal) {
    m_last = modal;
    m_boxes.append(readBox(modal));
    if (m_whileOpen)
        m_whileOpen();
}

} // namespace kinsight::test
