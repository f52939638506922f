// How the main window lays out the question and the answers: shared with the
// authors' checker, which measures quiz texts on the same widgets.
#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>

namespace kinsight {

// Two lines of the question's font.
inline constexpr QRect kQuestionBoxGeometry{8, 8, 273, 33};

// Where option button k (1..6) stands.
constexpr QRect answerGeometry(int k) {
    return {8, 48 + 32 * (k - 1), 249, 25};
}

// Question_Box as designed, in "MS Sans Serif"; where that is missing, in
// DejaVu Sans.
inline void setUpQuestionBox(QLabel& box) {
    box.setGeometry(kQuestionBoxGeometry);
    box.setWordWrap(true);
    box.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box.setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    box.setFont(font);
}

} // namespace kinsight
