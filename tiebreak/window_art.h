// What the two tie-break windows share: the look of their controls, the
// timers' switching, and the colours of their pictures.
#pragma once

#include <QColor>
#include <QLineF>
#include <QRect>

#include <string>

class QLabel;
class QTimer;
class QWidget;

namespace kinsight {

struct QuizTables;

inline const QColor kBlue(51, 51, 255);
inline const QColor kDarkRed(153, 0, 0);
inline const QColor kPurple(102, 0, 102);
inline const QColor kDarkBlue(51, 51, 153);
inline constexpr double kLineWidth = 3.0;

inline constexpr const char* kStopCaption = "Stop";
inline const QRect kStopRect(192, 232, 57, 17);

// The name of the character at a TieList position; a slot the tables
// cannot hold reads as the nameless slot 0.
const std::string& tiedName(const QuizTables& tables, int position);

// A transparent label over the picture.
QLabel* makeLabel(QWidget* window, const char* objectName, const QRect& rect,
                  Qt::Alignment alignment, const char* caption);
QTimer* makeTimer(QWidget* window, const char* objectName, int intervalMs);
// Enabling a running timer leaves its phase alone, as switching a timer on
// twice should.
void enableTimer(QTimer* timer);
// The pixels a line of kLineWidth may touch, antialiasing included.
QRect lineBounds(const QLineF& line);

} // namespace kinsight
