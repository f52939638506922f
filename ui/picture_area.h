// PictureArea: a picture stretched to fill the whole area, whatever its own
// size and aspect ratio, that takes clicks even when it shows nothing.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace kinsight {

// A button underneath, so that accessibility clients can press it too; it
// never takes the keyboard focus and draws nothing but the picture.
class PictureArea : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    void clearPicture();
    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace kinsight
