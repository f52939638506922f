// Shared pieces of the two tie-break windows.
#include "window_art.h"

#include <QLabel>
#include <QTimer>

namespace kinsight {

QLabel* makeLabel(QWidget* window, const char* objectName, const QRect& rect,
                  Qt::Alignment alignment, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), window);
    label->setObjectName(QString::fromLatin1(objectName));
    // Names are shown as written, even when they look like markup.
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(rect);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    // The bands are dark; white names stay readable on all of them.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

QTimer* makeTimer(QWidget* window, const char* objectName, int intervalMs) {
    auto* timer = new QTimer(window);
    timer->setObjectName(QString::fromLatin1(objectName));
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervalMs);
    return timer;
}

void runTimer(QTimer* timer, bool on) {
    if (!on)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}

QRect lineBounds(const QLineF& line) {
    const double margin = kLineWidth / 2 + 2;
    return QRectF(line.p1(), line.p2())
        .normalized()
        .adjusted(-margin, -margin, margin, margin)
        .toAlignedRect();
}

} // namespace kinsight
