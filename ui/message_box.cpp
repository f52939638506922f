#include "message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QList>
#include <QScreen>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <QVariant>

#include <memory>

namespace kinsight {

namespace {

// Far beyond any message a quiz makes (fifteen draw names of 40 characters
// come to about 700): only a field at its size limit, 64 KiB, is cut.
constexpr qsizetype kMostLines = 12;
constexpr qsizetype kMostLineCharacters = 4000;
// No line is shortened below this many characters to make a text fit.
constexpr qsizetype kLongestUnbrokenRun = 30;
// What a box needs around its text: margins, an icon, the OK button's row
// and the window frame, generously.
constexpr int kAroundTextWidth = 120;
constexpr int kAroundTextHeight = 160;
// Shown, never read: a zero-width space lets a line break where Qt's word
// wrap would not, inside a long word or after the comma between two names.
const QChar kBreak(0x200B);
// Where the label's break points stand, for a copy without them.
const char* const kBreaksProperty = "kinsightBreaks";

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

// A run wider than a line breaks after its commas, where names are joined
// without a blank, and a piece still too wide after any character (never
// inside one made of several code points). Runs that fit are left alone, so
// a text that needs no break points gets none.
void appendBreakable(QString& shown, QStringView run, const QFontMetrics& metrics, int line,
                     bool atCommas, QList<int>& breaks) {
    if (metrics.horizontalAdvance(run.toString()) <= line) {
        shown += run;
        return;
    }
    if (atCommas && run.contains(QLatin1Char(','))) {
        qsizetype from = 0;
        for (qsizetype comma = run.indexOf(QLatin1Char(',')); comma >= 0;
             comma = run.indexOf(QLatin1Char(','), from)) {
            appendBreakable(shown, run.mid(from, comma + 1 - from), metrics, line, false, breaks);
            from = comma + 1;
            if (from < run.size()) {
                breaks.append(static_cast<int>(shown.size()));
                shown += kBreak;
            }
        }
        appendBreakable(shown, run.mid(from), metrics, line, false, breaks);
        return;
    }
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, run.data(), run.size());
    qsizetype from = 0;
    for (qsizetype to = characters.toNextBoundary(); to > 0 && to < run.size();
         to = characters.toNextBoundary()) {
        shown += run.mid(from, to - from);
        breaks.append(static_cast<int>(shown.size()));
        shown += kBreak;
        from = to;
    }
    shown += run.mid(from);
}

// The text with break points where a line of `line` pixels must break and
// Qt's word wrap would not: runs end at blanks.
// `breaks` gets where the break points stand in what it returns.
QString breakable(const QString& text, const QFontMetrics& metrics, int line, QList<int>& breaks) {
    breaks.clear();
    QString shown;
    shown.reserve(text.size() * 2);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text[i].isSpace())
            continue;
        appendBreakable(shown, QStringView(text).mid(runStart, i - runStart), metrics, line, true,
                        breaks);
        shown += text[i];
        runStart = i + 1;
    }
    appendBreakable(shown, QStringView(text).mid(runStart), metrics, line, true, breaks);
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

// The label's text can be selected and copied (by Ctrl+C, its menu, or the
// X11 selection): a copy gets the text exactly as the program made it, since
// the break points are for the eye only, and a path pasted with them would
// name no file.
class ExactCopy : public QObject {
public:
    explicit ExactCopy(QMessageBox* box) : QObject(box), m_box(box) {
        connect(QGuiApplication::clipboard(), &QClipboard::changed, this, &ExactCopy::copied);
    }

private:
    void copied(QClipboard::Mode mode) {
        const QLabel* label = textLabel(*m_box);
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!label || !label->hasSelectedText() || clipboard->text(mode) != label->selectedText())
            return;
        const qsizetype start = label->selectionStart();
        const qsizetype end = start + label->selectedText().size();
        QString exact = label->selectedText();
        const QList<int> breaks = label->property(kBreaksProperty).value<QList<int>>();
        // From the last, so the earlier places stay where they are.
        for (auto at = breaks.rbegin(); at != breaks.rend(); ++at)
            if (*at >= start && *at < end)
                exact.remove(*at - start, 1);
        if (exact != clipboard->text(mode))
            clipboard->setText(exact, mode);
    }

    QMessageBox* m_box;
};

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
    // The narrowest the text's lines are: a run that fits there fits.
    const int line = usual - kAroundTextWidth;
    QList<int> breaks;
    QString exact = fitted(text, kMostLineCharacters);
    QString shown = breakable(exact, metrics, line, breaks);
    for (qsizetype most = kMostLineCharacters;
         most > kLongestUnbrokenRun && wrappedHeight(metrics, shown, widest) > highest;) {
        most = most * 3 / 4;
        exact = fitted(text, most);
        shown = breakable(exact, metrics, line, breaks);
    }
    if (wrappedHeight(metrics, shown, usual - kAroundTextWidth) > highest) {
        int width = usual;
        while (width < widest && wrappedHeight(metrics, shown, width) > highest)
            width = std::min(widest, width + 20);
        label->setMinimumWidth(width);
    }
    label->setText(shown);
    label->setAccessibleName(exact);
    label->setProperty(kBreaksProperty, QVariant::fromValue(breaks));
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
    new ExactCopy(box);
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
