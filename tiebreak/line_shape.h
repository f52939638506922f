// LineShape: the end points of a window's line (the Line1 of a tie-break
// window), readable by name like any other control. The window paints it.
#pragma once

#include <QLineF>
#include <QObject>

namespace kinsight {

class LineShape : public QObject {
    Q_OBJECT
    Q_PROPERTY(double x1 READ x1)
    Q_PROPERTY(double y1 READ y1)
    Q_PROPERTY(double x2 READ x2)
    Q_PROPERTY(double y2 READ y2)
public:
    LineShape(const QLineF& line, QObject* parent) : QObject(parent), m_line(line) {}

    const QLineF& line() const { return m_line; }
    void setLine(const QLineF& line) { m_line = line; }

    double x1() const { return m_line.x1(); }
    double y1() const { return m_line.y1(); }
    double x2() const { return m_line.x2(); }
    double y2() const { return m_line.y2(); }

private:
    QLineF m_line;
};

} // namespace kinsight
