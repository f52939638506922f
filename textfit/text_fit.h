// Measures quiz texts on widgets set up as the main window sets up its own,
// with the font and style Qt picks, to tell how much of a text the player
// sees. Needs a QApplication.
#pragma once

#include "checker.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kinsight {

class WindowTextMeasurer : public TextMeasurer {
public:
    WindowTextMeasurer();

    std::optional<std::size_t> questionShown(std::string_view text) const override;
    std::optional<std::size_t> answerShown(std::string_view text) const override;
    std::optional<std::size_t> nameShownFrom(std::string_view name) const override;

private:
    QLabel m_question;
    QRadioButton m_answer;
    QLineEdit m_name;
};

} // namespace kinsight
