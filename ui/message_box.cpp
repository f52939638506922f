#include "message_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStringList>
#include <QTextBoundaryFinder>

#include <memory>

namespace kinsight {

namespace {

// Far beyond any message a quiz makes (fifteen draw names of 40 characters
// come to about 700): only a field at its size limit, 64 KiB, is cut.
constexpr qsizetype kMostLines = 12;
constexpr qsizetype kMostLineCharacters = 4000;
// A run of characters without a blank longer than this may wrap anywhere.
constexpr qsizetype kLongestUnbrokenRun = 30;
// What a box needs around its text: margins, an icon, the OK button's row
// and the window frame, generously.
constexpr int kAroundTextWidth = 120;
constexpr int kAroundTextHeight = 160;
// Shown, never read: a zero-width space lets a line break where Qt's word
// wrap would not, inside a long word or after the comma between two names.
const QChar kBreak(0x200B);

// At most keep characters, the "…" among them.
QString shortened(const QString& text, qsizetype keep) {
    if (text.size() <= keep)
        return text;
    QString start = text.left((keep - 1) / 2);
    QString end = text.right(keep - 1 - (keep - 1) / 2);
    // Never half a character outside the Basic Multilingual Plane.
    if (start.back().isHighSurrogate())
        start.chop(1);
    if (end.front().isLowSurrogate())
        end.remove(0, 1);
    return start + QChar(0x2026) + end;
}

QString fitted(const QString& text, qsizetype mostLineCharacters) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > kMostLines)
        lines = lines.mid(0, kMostLines / 2) + QStringList{QString(QChar(0x2026))} +
                lines.mid(lines.size() - kMostLines / 2);
    for (QString& line : lines)
        line = shortened(line, mostLineCharacters);
    return lines.join(QLatin1Char('\n'));
}

// A run too long for a line may break after any character (never inside one
// made of several code points).
void appendBreakable(QString& shown, QStringView run) {
    if (run.size() <= kLongestUnbrokenRun) {
        shown += run;
        return;
    }
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, run.data(), run.size());
    qsizetype from = 0;
    for (qsizetype to = characters.toNextBoundary(); to > 0 && to < run.size();
         to = characters.toNextBoundary()) {
        shown += run.mid(from, to - from);
        shown += kBreak;
        from = to;
    }
    shown += run.mid(from);
}

// Runs end at a blank and after a comma, where names are joined without one.
QString breakable(const QString& text) {
    QString shown;
    shown.reserve(text.size() * 2);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool blank = text[i].isSpace();
        if (!blank && text[i] != QLatin1Char(','))
            continue;
        appendBreakable(shown, QStringView(text).mid(runStart, i + (blank ? 0 : 1) - runStart));
        shown += blank ? text[i] : kBreak;
        runStart = i + 1;
    }
    appendBreakable(shown, QStringView(text).mid(runStart));
    return shown;
}

int wrappedHeight(const QFontMetrics& metrics, const QString& shown, int width) {
    return metrics.boundingRect(QRect(0, 0, width, 1 << 24), Qt::TextWordWrap, shown).height();
}

// The box's text label, whose text the box shows and a screen reader reads:
// QMessageBox names it so from Qt 5 to Qt 6.4 at least, and gives no other
// way to it.
QLabel* textLabel(const QMessageBox& box) {
    return box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"), Qt::FindDirectChildrenOnly);
}

// Shows the text breakable, while a screen reader and box->text() keep it
// exact, in a box as wide as it needs to stay within the screen's height
// (QMessageBox by itself keeps to half the screen's width and grows down).
// A text that would not fit even across the screen is cut further.
void showWithin(QMessageBox& box, const QString& text, const QRect& screen) {
    QLabel* label = textLabel(box);
    if (!label)
        return;
    const QFontMetrics metrics(label->font());
    // What a longer text of the box's made it wide no longer holds.
    label->setMinimumWidth(0);
    // QMessageBox's own widths in Qt 6.4 (QMessageBoxPrivate::updateSize):
    // what it starts from, and how far it may go.
    const int usual = std::min(screen.width() / 2, 500);
    const int widest =
        (screen.width() <= 1024 ? screen.width() : std::min(screen.width() - 480, 1000)) -
        kAroundTextWidth;
    const int highest = std::max(screen.height() - kAroundTextHeight, metrics.lineSpacing());
    QString exact = fitted(text, kMostLineCharacters);
    QString shown = breakable(exact);
    for (qsizetype most = kMostLineCharacters;
         most > kLongestUnbrokenRun && wrappedHeight(metrics, shown, widest) > highest;) {
        most = most * 3 / 4;
        exact = fitted(text, most);
        shown = breakable(exact);
    }
    if (wrappedHeight(metrics, shown, usual - kAroundTextWidth) > highest) {
        int width = usual;
        while (width < widest && wrappedHeight(metrics, shown, width) > highest)
            width = std::min(widest, width + 20);
        label->setMinimumWidth(width);
    }
    label->setText(shown);
    label->setAccessibleName(exact);
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
    box.setText(fitted(text, kMostLineCharacters));
    const QWidget* parent = box.parentWidget();
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        showWithin(box, text, screen->availableGeometry());
}

} // namespace kinsight
