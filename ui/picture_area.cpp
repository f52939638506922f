#include "picture_area.h"

#include <QPainter>

namespace kinsight {

PictureArea::PictureArea(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void PictureArea::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void PictureArea::clearPicture() {
    m_picture = QPixmap();
    update();
}

void PictureArea::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

} // namespace kinsight
