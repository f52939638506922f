#include "text_fit.h"

#include "only_layout.h"
#include "quiz_tables.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include <cmath>

namespace kinsight {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::size_t utf8Bytes(const QString& text, qsizetype characters) {
    return static_cast<std::size_t>(text.left(characters).toUtf8().size());
}

// The character at x pixels of text written on one line.
int characterAt(const QString& text, const QFont& font, int x) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setNumColumns(static_cast<int>(text.size()));
    layout.endLayout();
    return line.xToCursor(x, QTextLine::CursorOnCharacter);
}

} // namespace

WindowTextMeasurer::WindowTextMeasurer() {
    setUpQuestionBox(m_question);
    m_answer.setGeometry(answerGeometry(1));
    m_name.setGeometry(kResultNameGeometry);
}

std::optional<std::size_t> WindowTextMeasurer::questionShown(std::string_view text) const {
    // The lines as a word-wrapped label lays them out: whole pixels apart,
    // one leading between them, from the top of the box.
    const QString original = fromUtf8(text);
    QString shown = original;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QRect box = m_question.contentsRect();
    QTextLayout layout(shown, m_question.font());
    QTextOption option(m_question.alignment());
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal leading = m_question.fontMetrics().leading();

    std::optional<std::size_t> cut;
    layout.beginLayout();
    qreal top = -leading;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        top = std::ceil(top + leading);
        line.setPosition(QPointF(0, top));
        top += line.height();
        if (top > box.height()) {
            // The last line shown ends at the blank or line break before this one.
            qsizetype end = line.textStart();
            while (end > 0 && (shown[end - 1].isSpace() || shown[end - 1] == QChar::LineSeparator))
                --end;
            cut = utf8Bytes(original, end);
            break;
        }
        // A word longer than the box is not broken, only cut at its edge.
        if (line.naturalTextWidth() > box.width()) {
            cut = utf8Bytes(original, line.xToCursor(box.width(), QTextLine::CursorOnCharacter));
            break;
        }
    }
    layout.endLayout();
    return cut;
}

std::optional<std::size_t> WindowTextMeasurer::answerShown(std::string_view text) const {
    const QString shown = fromUtf8(text);
    QStyleOptionButton option;
    option.initFrom(&m_answer);
    option.text = shown;
    const QRect room =
        m_answer.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &m_answer);
    if (m_answer.fontMetrics().horizontalAdvance(shown) <= room.width())
        return std::nullopt;
    return utf8Bytes(shown, characterAt(shown, m_answer.font(), room.width()));
}

std::optional<std::size_t> WindowTextMeasurer::nameShownFrom(std::string_view name) const {
    const QString shown = fromUtf8(name);
    QStyleOptionFrame option;
    option.initFrom(&m_name);
    option.lineWidth = m_name.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &m_name);
    // Inside its frame a line edit keeps a margin of 2 pixels each side.
    const int room =
        m_name.style()->subElementRect(QStyle::SE_LineEditContents, &option, &m_name).width() - 4;
    const int width = m_name.fontMetrics().horizontalAdvance(shown);
    if (width <= room)
        return std::nullopt;
    // The text is written with the caret at its end, so its end shows.
    return utf8Bytes(shown, characterAt(shown, m_name.font(), width - room) + 1);
}

} // namespace kinsight
