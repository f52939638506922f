// Dual: the two-way tie-break window. The needle's arithmetic and timing live
// in Spinner; this window forwards its timers' ticks, paints, and reports the
// half chosen.
#include "dual.h"

#include "translated.h"
#include "window_art.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace kinsight {

namespace {

constexpr const char* kCaption = "Kinsight? ";
constexpr int kSide = 250;
constexpr double kDiscRadius = 118.0;
const QColor kGround(192, 192, 192);
const QRect kChar1Rect(16, 96, 97, 33);
const QRect kChar2Rect(144, 96, 89, 25);

QLineF needleAt(double endX, double endY) {
    return QLineF(Spinner::kCentre, Spinner::kCentre, endX, endY);
}

} // namespace

Dual::Dual()
    : TieBreakWindow("Dual", kCaption, QSize(kSide, kSide),
                     needleAt(Spinner::kRestEndX, Spinner::kRestEndY)) {
    m_char1 = makeLabel(this, "Qel_Char1", kChar1Rect, Qt::AlignLeft, "Label1");
    m_char2 = makeLabel(this, "Qel_Char2", kChar2Rect, Qt::AlignRight, "Label2");
    m_timer1 = makeTimer(this, "Timer1", Spinner::kTimer1Ms);
    m_slower = makeTimer(this, "Slower", Spinner::kSlowerMs);
    setAccessibleDescription(
        translated(i18n("A needle spins over two halves, one for each name. Stop slows it down; "
                        "the half it stops on is chosen.")));

    connect(m_timer1, &QTimer::timeout, this, &Dual::needleTick);
    connect(m_slower, &QTimer::timeout, this, &Dual::slowerTick);

    activated();
}

Dual::~Dual() = default;

void Dual::resetTimers() {
    armStop();
    m_timer1->setInterval(Spinner::kTimer1Ms);
    m_spinner.resetTimers();
    syncTimers();
}

void Dual::activated() {
    writeNames({m_char1, m_char2});
    m_spinner.reset();
    syncTimers();
}

void Dual::stopTimers() {
    // A restart may switch the needle back on afterwards.
    m_spinner.halt();
    syncTimers();
}

void Dual::stopClicked() {
    m_spinner.pressStop();
    syncTimers();
}

void Dual::syncTimers() {
    runTimer(m_timer1, m_spinner.timer1On());
    runTimer(m_slower, m_spinner.slowerOn());
}

void Dual::needleTick() {
    m_spinner.tickNeedle();
    moveLine(needleAt(m_spinner.endX(), m_spinner.endY()));
}

void Dual::slowerTick() {
    const SlowerTick tick = m_spinner.tickSlower();
    syncTimers();
    if (tick.choice != SpinnerChoice::None)
        choose(tick.choice == SpinnerChoice::Position0 ? 0 : 1);
}

void Dual::drawBackground(QPainter& painter) const {
    painter.fillRect(rect(), kGround);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(Spinner::kCentre, Spinner::kCentre);
    const QRectF disc(centre.x() - kDiscRadius, centre.y() - kDiscRadius, 2 * kDiscRadius,
                      2 * kDiscRadius);
    painter.setPen(Qt::NoPen);
    // Qt counts angles anticlockwise from three o'clock, in 1/16 degree.
    painter.setBrush(kBlue);
    painter.drawPie(disc, 90 * 16, 180 * 16);
    painter.setBrush(kDarkRed);
    painter.drawPie(disc, 270 * 16, 180 * 16);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kDarkBlue, 2));
    painter.drawEllipse(disc);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kPurple, 1));
    painter.drawLine(QPoint(125, int(centre.y() - kDiscRadius)),
                     QPoint(125, int(centre.y() + kDiscRadius)));
}

} // namespace kinsight
