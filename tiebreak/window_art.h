// What the two tie-break windows share: the look of their controls, the
// timers' switching, and the colours of their pictures.
#pragma once

#include <QColor>
#include <QLineF>
#include <QRect>

class QLabel;
class QTimer;
class QWidget;

namespace kinsight {

inline const QColor kBlue(51, 51, 255);
inline const QColor kDarkRed(153, 0, 0);
inline const QColor kPurple(102, 0, 102);
inline const QColor kDarkBlue(51, 51, 153);
inline constexpr double kLineWidth = 3.0;

inline constexpr const char* kStopCaption = "Stop";
inline const QRect kStopRect(192, 232, 57, 17);

// A transparent label over the picture.
QLabel* makeLabel(QWidget* window, const char* objectName, const QRect& rect,
                  Qt::Alignment alignment, const char* caption);
QTimer* makeTimer(QWidget* window, const char* objectName, int intervalMs);
// Runs the timer or stops it, as the motion says. Enabling a running timer
// leaves its phase alone, as switching a timer on twice should.
void runTimer(QTimer* timer, bool on);
// The pixels a line of kLineWidth may touch, antialiasing included.
QRect lineBounds(const QLineF& line);

} // namespace kinsight
