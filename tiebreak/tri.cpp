// Tri: the three-way tie-break window. The pointer's arithmetic lives in
// Pendulum, in the window's own units; this window forwards the ticks,
// paints in pixels, and announces.
#include "tri.h"

#include "line_shape.h"
#include "quiz_tables.h"
#include "window_art.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace kinsight {

namespace {

constexpr const char* kCaption = "Kinsight?";
constexpr int kWidth = 252;
constexpr int kHeight = 249;
// Pixels per window unit across and down.
constexpr double kUnitX = 1.008;
constexpr double kUnitY = 0.844;
constexpr int kTimer1Ms = 20;
const QRect kChar1Rect(32, 32, 97, 25);
const QRect kChar2Rect(32, 104, 97, 25);
const QRect kChar3Rect(32, 168, 97, 25);

QLineF toPixels(const QLineF& units) {
    return QLineF(units.x1() * kUnitX, units.y1() * kUnitY, units.x2() * kUnitX,
                  units.y2() * kUnitY);
}

QLineF pointerAt(float y) {
    return QLineF(Pendulum::kFreeEndX, y, Pendulum::kPivotX, Pendulum::kPivotY);
}

} // namespace

Tri::Tri(const QuizTables& tables, QuizWindow& mainWindow, Pendulum& pendulum, QWidget* parent)
    : TieBreakWindow(tables, mainWindow, parent, "Tri", kCaption, QSize(kWidth, kHeight)),
      m_pendulum(pendulum) {
    m_pendulum.resetPointer();
    m_line = new LineShape(pointerAt(Pendulum::kRestY), this);
    m_line->setObjectName(QStringLiteral("Line1"));
    m_char1 = makeLabel(this, "Qel_Char1", kChar1Rect, Qt::AlignLeft, "Label1");
    m_char2 = makeLabel(this, "Qel_Char2", kChar2Rect, Qt::AlignLeft, "Label2");
    m_char3 = makeLabel(this, "QEL_Char3", kChar3Rect, Qt::AlignLeft, "Label3");
    m_stop = makeStopButton(this);
    m_timer1 = makeTimer(this, "Timer1", kTimer1Ms);

    setAccessibleDescription(QStringLiteral(
        "A pointer swings over three bands, one for each name. Stop freezes it; the band "
        "it points at is chosen."));

    connect(m_stop, &QPushButton::clicked, this, &Tri::stopClicked);
    connect(m_timer1, &QTimer::timeout, this, &Tri::pointerTick);

    writeLabels();
    m_timer1->start();
}

Tri::~Tri() = default;

void Tri::writeLabels() {
    m_char1->setText(QString::fromStdString(tiedName(m_tables, 0)));
    m_char2->setText(QString::fromStdString(tiedName(m_tables, 1)));
    m_char3->setText(QString::fromStdString(tiedName(m_tables, 2)));
}

void Tri::activated() {
    writeLabels();
    enableTimer(m_timer1);
}

void Tri::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        m_background = QPixmap();
    QWidget::changeEvent(event);
}

void Tri::stopTimers() {
    // The pointer rests, so a later show swings on from this phase.
    m_timer1->stop();
}

void Tri::pointerTick() {
    const QRect before = lineBounds(toPixels(m_line->line()));
    m_pendulum.tick();
    m_line->setLine(pointerAt(m_pendulum.y()));
    update(before);
    update(lineBounds(toPixels(m_line->line())));
}

void Tri::stopClicked() {
    m_timer1->stop();
    announce(m_pendulum.choose(), ResultOrder::NameThenPicture);
}

void Tri::paintBackground() {
    const qreal ratio = devicePixelRatioF();
    m_background = QPixmap(QSize(kWidth, kHeight) * ratio);
    m_background.setDevicePixelRatio(ratio);
    // The picture's grey ground is its transparent colour: the window's own
    // background shows around the square and in the strip on the right.
    m_background.fill(palette().color(QPalette::Window));

    // Pixel rows and columns, inclusive, as the picture was laid out.
    QPainter painter(&m_background);
    painter.fillRect(QRect(QPoint(25, 25), QPoint(224, 90)), kBlue);
    painter.fillRect(QRect(QPoint(25, 91), QPoint(224, 157)), kPurple);
    painter.fillRect(QRect(QPoint(25, 158), QPoint(224, 223)), kDarkRed);
    painter.setPen(QPen(kDarkBlue, 1));
    painter.drawRect(QRect(QPoint(24, 24), QPoint(224, 223)));
}

void Tri::paintEvent(QPaintEvent*) {
    if (m_background.isNull() || m_background.devicePixelRatio() != devicePixelRatioF())
        paintBackground();
    QPainter painter(this);
    // The update region clips this to what the pointer left and entered.
    painter.drawPixmap(0, 0, m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kLineWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(toPixels(m_line->line()));
}

} // namespace kinsight
