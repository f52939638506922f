// The main window's layout table: where each control stands, in the client
// area's coordinates, and how the question box is set up. The measure of
// quiz texts for the authors' checker uses the same widgets' rectangles.
#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>

namespace kinsight {

// Where the window opens (its client area, on the screen); a fixed size.
inline constexpr QRect kClientGeometry{89, 108, 458, 261};

// Two lines of the question's font.
inline constexpr QRect kQuestionBoxGeometry{8, 8, 273, 33};

// Where option button k (1..6) stands.
constexpr QRect answerGeometry(int k) {
    return {8, 48 + 32 * (k - 1), 249, 25};
}

inline constexpr QRect kSkipGeometry{8, 232, 249, 25};
inline constexpr QRect kPictureGeometry{288, 8, 161, 193};
inline constexpr QRect kResultNameGeometry{288, 208, 161, 19};
inline constexpr QRect kRestartGeometry{288, 232, 161, 25};

// The score panel, right of the client area: never seen, still there. Box
// i (0..14) in two columns, ten and five, each under its number label.
constexpr QRect scoreBoxGeometry(int i) {
    return i < 10 ? QRect{472, 8 + 24 * i, 65, 19} : QRect{560, 8 + 24 * (i - 10), 57, 19};
}
inline constexpr QRect kFirstScoreLabelGeometry{464, 8, 17, 17};
inline constexpr QRect kLastScoreLabelGeometry{544, 104, 17, 17};

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
