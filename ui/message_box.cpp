#include "message_box.h"

namespace kinsight {

void showMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                    const char* objectName, QWidget* parent) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QString::fromLatin1(objectName));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace kinsight
