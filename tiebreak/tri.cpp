// Tri: the three-way tie-break window. The pointer's arithmetic and timing
// live in Pendulum, in the window's own units; this window forwards the
// ticks, paints in pixels, and reports the band chosen.
#include "tri.h"

#include "pendulum.h"
#include "translated.h"
#include "window_art.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace kinsight {

namespace {

constexpr const char* kCaption = "Kinsight?";
constexpr int kWidth = 252;
constexpr int kHeight = 249;
// Pixels per window unit across and down.
constexpr double kUnitX = 1.008;
constexpr double kUnitY = 0.844;
const QRect kChar1Rect(32, 32, 97, 25);
const QRect kChar2Rect(32, 104, 97, 25);
const QRect kChar3Rect(32, 168, 97, 25);

QLineF pointerAt(float y) {
    return QLineF(Pendulum::kFreeEndX, y, Pendulum::kPivotX, Pendulum::kPivotY);
}

} // namespace

Tri::Tri(Pendulum& pendulum)
    : TieBreakWindow("Tri", kCaption, QSize(kWidth, kHeight), pointerAt(Pendulum::kRestY)),
      m_pendulum(pendulum) {
    m_pendulum.resetPointer();
    m_char1 = makeLabel(this, "Qel_Char1", kChar1Rect, Qt::AlignLeft, "Label1");
    m_char2 = makeLabel(this, "Qel_Char2", kChar2Rect, Qt::AlignLeft, "Label2");
    m_char3 = makeLabel(this, "QEL_Char3", kChar3Rect, Qt::AlignLeft, "Label3");
    m_timer1 = makeTimer(this, "Timer1", Pendulum::kTimer1Ms);
    setAccessibleDescription(
        translated(i18n("A pointer swings over three bands, one for each name. Stop freezes it; "
                        "the band it points at is chosen.")));

    connect(m_timer1, &QTimer::timeout, this, &Tri::pointerTick);

    // The load handler: the same as every activation.
    activated();
}

Tri::~Tri() = default;

QLineF Tri::toPixels(const QLineF& units) const {
    return QLineF(units.x1() * kUnitX, units.y1() * kUnitY, units.x2() * kUnitX,
                  units.y2() * kUnitY);
}

void Tri::activated() {
    writeNames({m_char1, m_char2, m_char3});
    m_pendulum.start();
    runTimer(m_timer1, m_pendulum.timerOn());
}

void Tri::stopTimers() {
    // The pointer rests, so a later show swings on from this phase.
    m_pendulum.halt();
    runTimer(m_timer1, m_pendulum.timerOn());
}

void Tri::pointerTick() {
    m_pendulum.tick();
    moveLine(pointerAt(m_pendulum.y()));
}

void Tri::stopClicked() {
    const int band = m_pendulum.stop();
    runTimer(m_timer1, m_pendulum.timerOn());
    choose(band);
}

void Tri::drawBackground(QPainter& painter) const {
    // The picture's grey ground is its transparent colour: the window's own
    // background shows around the square and in the strip on the right.
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // Pixel rows and columns, inclusive, as the picture was laid out.
    painter.fillRect(QRect(QPoint(25, 25), QPoint(224, 90)), kBlue);
    painter.fillRect(QRect(QPoint(25, 91), QPoint(224, 157)), kPurple);
    painter.fillRect(QRect(QPoint(25, 158), QPoint(224, 223)), kDarkRed);
    painter.setPen(QPen(kDarkBlue, 1));
    painter.drawRect(QRect(QPoint(24, 24), QPoint(224, 223)));
}

} // namespace kinsight
