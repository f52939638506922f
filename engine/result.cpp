#include "result.h"

#include "translation.h"

namespace kinsight {

std::string drawMessage(const std::vector<std::string>& names) {
    const std::size_t n = names.size();
    if (n < 2)
        return names.empty() ? std::string() : names.front();
    if (n == 2)
        return "Two way draw between " + names[0] + " and " + names[1];
    if (n == 3)
        return "Three way draw between " + names[0] + "," + names[1] + " and  " + names[2];
    if (n == 4)
        return "Four way draw between " + names[0] + "," + names[1] + "," + names[2] + " and " +
               names[3] + "..sorry..this game does not yet fully support 4 way tie-brakes";
    // Five or more: the program's own words, in the user's language.
    std::string all = names[0];
    for (std::size_t i = 1; i + 1 < n; ++i)
        all += "," + names[i];
    return fillIn(i18np("{1} way draw between {2} and {3}", "{1} way draw between {2} and {3}", n),
                  {n, all, names[n - 1]});
}

void presentResult(QuizWindow& window, const std::string& name, ResultOrder order) {
    if (order == ResultOrder::NameThenPicture)
        window.setResultName(name);
    // Nobody's picture, for an empty name, replaces the last one all the same.
    window.showPicture(name);
    if (order == ResultOrder::PictureThenName)
        window.setResultName(name);
}

void announceChoice(QuizWindow& window, TieBreakWindows& tieBreaks, const std::string& name,
                    ResultOrder order) {
    window.greet(name);
    tieBreaks.hideTieBreaks();
    presentResult(window, name, order);
}

} // namespace kinsight
