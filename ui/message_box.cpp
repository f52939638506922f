#include "message_box.h"

#include <QStringList>

#include <memory>

namespace kinsight {

namespace {

// A text from the quiz may be 64 KiB long; the box shows the start and the
// end of one that long, so that it stays within the screen.
constexpr qsizetype kMostLines = 12;
constexpr qsizetype kMostLineCharacters = 160;

QString shortened(const QString& text, qsizetype keep) {
    if (text.size() <= keep)
        return text;
    QString start = text.left(keep / 2);
    QString end = text.right(keep / 2);
    // Never half a character outside the Basic Multilingual Plane.
    if (start.back().isHighSurrogate())
        start.chop(1);
    if (end.front().isLowSurrogate())
        end.remove(0, 1);
    return start + QChar(0x2026) + end;
}

QString fitted(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > kMostLines)
        lines = lines.mid(0, kMostLines / 2) + QStringList{QString(QChar(0x2026))} +
                lines.mid(lines.size() - kMostLines / 2);
    for (QString& line : lines)
        line = shortened(line, kMostLineCharacters);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void showMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                    const char* objectName, QWidget* parent) {
    const std::unique_ptr<QMessageBox> box(makeMessageBox(icon, title, text, objectName, parent));
    box->exec();
}

QMessageBox* makeMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                            const char* objectName, QWidget* parent) {
    auto* box = new QMessageBox(icon, title, QString(), QMessageBox::Ok, parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setTextFormat(Qt::PlainText);
    setMessageBoxText(*box, text);
    return box;
}

void setMessageBoxText(QMessageBox& box, const QString& text) {
    box.setText(fitted(text));
}

} // namespace kinsight
