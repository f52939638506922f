#include "tiebreak_window.h"

#include "fixed_window.h"
#include "line_shape.h"
#include "window_art.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>

#include <utility>

namespace kinsight {

TieBreakWindow::TieBreakWindow(const char* objectName, const char* caption, QSize size,
                               const QLineF& line)
    : QWidget(nullptr, kFixedWindowFlags) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    setFixedSize(size);
    // The background is painted opaque in full, so Qt need not clear it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_programFocused = QGuiApplication::focusWindow() != nullptr;
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &TieBreakWindow::focusWindowChanged);

    m_line = new LineShape(line, this);
    m_line->setObjectName(QStringLiteral("Line1"));
    m_stop = new QPushButton(QString::fromLatin1(kStopCaption), this);
    m_stop->setObjectName(QStringLiteral("Command1"));
    m_stop->setGeometry(kStopRect);
    connect(m_stop, &QPushButton::clicked, this, &TieBreakWindow::stopPressed);
}

void TieBreakWindow::open(const std::vector<std::string>& names) {
    m_names = names;
    showActive(*this);
}

void TieBreakWindow::arrived() {
    armStop();
    activated();
}

void TieBreakWindow::stopPressed() {
    if (std::exchange(m_stopPressed, true))
        return;
    stopClicked();
}

void TieBreakWindow::choose(int position) {
    // The receiver greets with a modal box and hides this window; it may
    // even end it.
    QPointer<TieBreakWindow> self(this);
    m_announcing = true;
    Q_EMIT chosen(position);
    if (self)
        m_announcing = false;
}

void TieBreakWindow::focusWindowChanged(QWindow* now) {
    const bool fromProgram = m_programFocused;
    m_programFocused = now != nullptr;
    const bool showing = std::exchange(m_showPending, false);
    if (!now || now != windowHandle() || !isVisible() || m_announcing || showing)
        return;
    // With no window of the program focused before, the user comes from
    // another program, which is no return to this window.
    if (fromProgram)
        arrived();
}

void TieBreakWindow::showEvent(QShowEvent* event) {
    // Every show counts as the user arriving, even when the window system
    // leaves the focus where it was; the focus the show brings is the same
    // arrival, not a second one.
    if (!event->spontaneous()) {
        arrived();
        m_showPending = true;
    }
    QWidget::showEvent(event);
}

void TieBreakWindow::hideEvent(QHideEvent* event) {
    // A hide of the program's own (the announcement, a restart) ends the
    // motion, so nothing can announce from a tie list emptied since. A
    // minimise or a desktop switch is the window system's: the draw goes on
    // unseen and the needle or pointer is still moving when it comes back.
    if (!event->spontaneous())
        stopTimers();
    QWidget::hideEvent(event);
}

void TieBreakWindow::writeNames(std::initializer_list<QLabel*> labels) const {
    QStringList names;
    for (QLabel* label : labels) {
        const auto position = static_cast<std::size_t>(names.size());
        names << (position < m_names.size() ? QString::fromStdString(m_names[position])
                                            : QString());
        label->setText(names.back());
    }
    // Orca reads the focused Stop button, not the labels: it names the tied.
    m_stop->setAccessibleDescription(names.join(QStringLiteral(", ")));
}

const QLineF& TieBreakWindow::line() const {
    return m_line->line();
}

void TieBreakWindow::moveLine(const QLineF& units) {
    const QRect before = lineBounds(toPixels(m_line->line()));
    m_line->setLine(units);
    update(before);
    update(lineBounds(toPixels(units)));
}

void TieBreakWindow::changeEvent(QEvent* event) {
    // The picture may show the window's own colours.
    if (event->type() == QEvent::PaletteChange)
        m_background = QPixmap();
    QWidget::changeEvent(event);
}

void TieBreakWindow::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (m_background.isNull() || m_background.devicePixelRatio() != ratio) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        QPainter painter(&m_background);
        drawBackground(painter);
    }
    QPainter painter(this);
    // The update region clips this to what the line left and entered.
    painter.drawPixmap(0, 0, m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kLineWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(toPixels(m_line->line()));
}

} // namespace kinsight
