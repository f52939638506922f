#include "tie_breaks.h"

#include "pendulum.h"

namespace kinsight {

TieBreaks::TieBreaks(std::function<void(int position)> chosen)
    : m_chosen(std::move(chosen)), m_pendulum(std::make_unique<Pendulum>()) {}

TieBreaks::~TieBreaks() = default;

Dual* TieBreaks::dual() const {
    return m_dual.get();
}

Tri* TieBreaks::tri() const {
    return m_tri.get();
}

void TieBreaks::report(TieBreakWindow* window) {
    QObject::connect(window, &TieBreakWindow::chosen, window, [this](int position) {
        if (m_chosen)
            m_chosen(position);
    });
}

Dual& TieBreaks::dualWindow() {
    return m_dual.getOrMake([this] {
        auto* window = new Dual();
        report(window);
        return window;
    });
}

void TieBreaks::openTieBreak(const std::vector<std::string>& names) {
    if (names.size() == 2) {
        dualWindow().open(names);
    } else if (names.size() == 3) {
        m_tri
            .getOrMake([this] {
                auto* window = new Tri(*m_pendulum);
                report(window);
                return window;
            })
            .open(names);
    }
}

void TieBreaks::hideTieBreaks() {
    m_dual.hide();
    m_tri.hide();
}

void TieBreaks::resetDualTimers() {
    dualWindow().resetTimers();
}

void TieBreaks::closeAll() {
    m_dual.close();
    m_tri.close();
}

} // namespace kinsight
