// Measures quiz texts as widgets set up as the main window sets up its own
// show them, with the font and style Qt picks, to tell how much of a text
// the player sees. Made where a QApplication runs, on its thread; it keeps
// fonts and rooms only, so it measures on any thread where the platform
// renders fonts outside the window's thread.
#pragma once

#include "checker.h"

#include <QFont>
#include <QRect>

namespace kinsight {

class WindowTextMeasurer : public TextMeasurer {
public:
    WindowTextMeasurer();

    std::optional<std::size_t> questionShown(std::string_view text) const override;
    std::optional<std::size_t> answerShown(std::string_view text) const override;
    std::optional<std::size_t> nameShownFrom(std::string_view name) const override;

private:
    QFont m_questionFont, m_answerFont, m_nameFont;
    QRect m_questionBox;
    Qt::Alignment m_questionAlignment;
    int m_answerRoom = 0;
    int m_nameRoom = 0;
};

} // namespace kinsight
