// Recovery copies of unsaved work. While the script has unsaved changes a copy of it is
// written to the recovery folder, at most recoveryDelay after a change and at once when
// the window loses the focus; saving, quitting without saving and opening another script
// remove it.
#include "app/App.hpp"

#include "files/Recovery.hpp"
#include "files/TextCodec.hpp"
#include "files/WholeFile.hpp"

#include <ctime>

// After every event: a change makes a copy due, no sooner than recoveryDelay after the
// last one was written; losing the focus writes it at once; a saved script has none.
void App::keepRecovery(const sf::Event& event, Clock::time_point now)
{
    if (m_session.saved()) {
        if (!m_session.recoveryId.empty() || m_session.recoveryDue)
            discardRecovery();
        return;
    }
    if (m_event.scriptChanged)
        m_session.recoveryStale = true;
    if (!m_session.recoveryStale)
        return;
    if (event.type == sf::Event::LostFocus || event.type == sf::Event::Closed) {
        writeRecoveryNow(now);
        return;
    }
    if (!m_session.recoveryDue)
        m_session.recoveryDue = std::max(now, m_session.lastRecoveryWrite + recoveryDelay);
    tick(now);
}

void App::tick(Clock::time_point now)
{
    if (m_session.recoveryDue && now >= *m_session.recoveryDue)
        writeRecoveryNow(now);
    pollExport(now);
}

// A copy that cannot be written is said at the window's foot until one is.
void App::writeRecoveryNow(Clock::time_point now)
{
    if (m_session.recoveryId.empty())
        m_session.recoveryId = newRecoveryId(m_session.untitled ? std::string() : m_session.fileName);
    m_session.copyLock.take(m_session.recoveryId);
    m_session.recoveryDue.reset();
    m_session.lastRecoveryWrite = now;
    std::error_code error;
    const bool written = writeRecovery(m_session.script, m_session.recoveryId, &error);
    const std::string problem = written ? std::string() : "Recovery copies cannot be written: " + failureReason(error);
    m_status.changed = m_status.changed || problem != m_status.recoveryProblem;
    m_status.recoveryProblem = problem;
    if (written)
        m_session.recoveryStale = false;
}

void App::discardRecovery()
{
    if (!m_session.recoveryId.empty())
        removeRecovery(m_session.recoveryId);
    m_session.copyLock.release();
    m_session.recoveryId.clear();
    m_session.recoveryDue.reset();
    m_session.recoveryStale = false;
}
