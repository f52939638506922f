#include "text_fit.h"

#include "only_layout.h"
#include "quiz_tables.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
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
    QLabel question;
    setUpQuestionBox(question);
    m_questionFont = question.font();
    m_questionBox = question.contentsRect();
    m_questionAlignment = question.alignment();

    QRadioButton answer;
    answer.setGeometry(answerGeometry(1));
    QStyleOptionButton answerOption;
    answerOption.initFrom(&answer);
    m_answerFont = answer.font();
    m_answerRoom = answer.style()
                       ->subElementRect(QStyle::SE_RadioButtonContents, &answerOption, &answer)
                       .width();

    QLineEdit name;
    name.setGeometry(kResultNameGeometry);
    QStyleOptionFrame nameOption;
    nameOption.initFrom(&name);
    nameOption.lineWidth =
        name.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &nameOption, &name);
    m_nameFont = name.font();
    // Inside its frame a line edit keeps a margin of 2 pixels each side.
    m_nameRoom =
        name.style()->subElementRect(QStyle::SE_LineEditContents, &nameOption, &name).width() - 4;
}

std::optional<std::size_t> WindowTextMeasurer::questionShown(std::string_view text) const {
    // The lines as a word-wrapped label lays them out: whole pixels apart,
    // one leading between them, from the top of the box.
    const QString original = fromUtf8(text);
    QString shown = original;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QRect box = m_questionBox;
    QTextLayout layout(shown, m_questionFont);
    QTextOption option(m_questionAlignment);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal leading = QFontMetrics(m_questionFont).leading();

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
    if (QFontMetrics(m_answerFont).horizontalAdvance(shown) <= m_answerRoom)
        return std::nullopt;
    return utf8Bytes(shown, characterAt(shown, m_answerFont, m_answerRoom));
}

std::optional<std::size_t> WindowTextMeasurer::nameShownFrom(std::string_view name) const {
    const QString shown = fromUtf8(name);
    const int width = QFontMetrics(m_nameFont).horizontalAdvance(shown);
    if (width <= m_nameRoom)
        return std::nullopt;
    // The text is written with the caret at its end, so its end shows.
    return utf8Bytes(shown, characterAt(shown, m_nameFont, width - m_nameRoom) + 1);
}

} // namespace kinsight
