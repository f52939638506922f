#include "tie_breaks.h"

#include "dual.h"
#include "pendulum.h"
#include "tri.h"

namespace kinsight {

TieBreaks::TieBreaks(std::function<void(int position)> chosen)
    : m_chosen(std::move(chosen)), m_pendulum(std::make_unique<Pendulum>()) {}

TieBreaks::~TieBreaks() {
    // The windows have no parent, so that hiding the main window on restart
    // leaves them alone; they end with their owner.
    delete m_dual.data();
    delete m_tri.data();
}

Dual* TieBreaks::dual() const {
    return m_dual.data();
}

Tri* TieBreaks::tri() const {
    return m_tri.data();
}

void TieBreaks::report(TieBreakWindow* window) {
    QObject::connect(window, &TieBreakWindow::chosen, window, [this](int position) {
        if (m_chosen)
            m_chosen(position);
    });
}

Dual& TieBreaks::dualWindow() {
    if (!m_dual) {
        m_dual = new Dual();
        report(m_dual);
    }
    return *m_dual;
}

void TieBreaks::openTieBreak(const std::vector<std::string>& names) {
    if (names.size() == 2) {
        dualWindow().open(names);
    } else if (names.size() == 3) {
        if (!m_tri) {
            m_tri = new Tri(*m_pendulum);
            report(m_tri);
        }
        m_tri->open(names);
    }
}

void TieBreaks::closeTieBreaks() {
    if (m_dual)
        m_dual->hide();
    if (m_tri)
        m_tri->hide();
}

void TieBreaks::resetDualTimers() {
    dualWindow().resetTimers();
}

void TieBreaks::closeAll() {
    if (m_dual)
        m_dual->close();
    if (m_tri)
        m_tri->close();
}

} // namespace kinsight
