#include "tiebreak_window.h"

#include "window_art.h"

#include <QEvent>
#include <QPointer>
#include <QShowEvent>

namespace kinsight {

TieBreakWindow::TieBreakWindow(const QuizTables& tables, QuizWindow& mainWindow, QWidget* parent,
                               const char* objectName, const char* caption, QSize size)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_tables(tables), m_mainWindow(mainWindow) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    setFixedSize(size);
    // Closed by the user before a result, the window is made anew next time.
    setAttribute(Qt::WA_DeleteOnClose);
    // The background is painted opaque in full, so Qt need not clear it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TieBreakWindow::open() {
    show();
    raise();
    activateWindow();
}

void TieBreakWindow::announce(int position, ResultOrder order) {
    const std::string name = tiedName(m_tables, position);
    QPointer<TieBreakWindow> self(this);
    m_announcing = true;
    announceChoice(m_mainWindow, name, order, [self] {
        if (self)
            self->hide();
    });
    if (self)
        m_announcing = false;
}

void TieBreakWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() &&
        !m_announcing)
        activated();
    QWidget::changeEvent(event);
}

void TieBreakWindow::showEvent(QShowEvent* event) {
    // Every show counts as the user arriving, even when the window system
    // leaves the focus where it was and sends no activation.
    if (!event->spontaneous())
        activated();
    QWidget::showEvent(event);
}

} // namespace kinsight
