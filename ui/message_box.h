// The program's modal message boxes: OK only, and plain text, because what
// they say comes from the quiz file and must not be read as markup.
#pragma once

#include <QMessageBox>

namespace kinsight {

// Shows the box and waits until it is closed.
void showMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                    const char* objectName, QWidget* parent);

// The same box, not shown; the caller owns it unless parent does.
QMessageBox* makeMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                            const char* objectName, QWidget* parent);
// Gives a box made by makeMessageBox a new text.
void setMessageBoxText(QMessageBox& box, const QString& text);

} // namespace kinsight
