#include "tie_breaks.h"

#include "dual.h"
#include "pendulum.h"
#include "tri.h"

namespace kinsight {

TieBreaks::TieBreaks(const QuizTables& tables, QuizWindow& mainWindow)
    : m_tables(tables), m_mainWindow(mainWindow), m_pendulum(std::make_unique<Pendulum>()) {}

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

Dual& TieBreaks::dualWindow() {
    if (!m_dual)
        m_dual = new Dual(m_tables, m_mainWindow);
    return *m_dual;
}

void TieBreaks::openTieBreak(int ways) {
    if (ways == 2) {
        dualWindow().open();
    } else if (ways == 3) {
        if (!m_tri)
            m_tri = new Tri(m_tables, m_mainWindow, *m_pendulum);
        m_tri->open();
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
