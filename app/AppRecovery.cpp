// Recovery copies of unsaved work. While the script has unsaved changes a copy of it is
// kept in the recovery folder, with a journal of the edits made since it was written:
// the first change writes a copy, and each edit goes into the journal, durable within a
// second. A new copy (and journal) follows once the journal holds journalLength entries
// and recoveryDelay has passed, at once when the window loses the focus, and within
// recoveryDelay of a change while the journal cannot be written. Saving, quitting without
// saving and opening another script remove them.
#include "app/App.hpp"

#include "files/Recovery.hpp"
#include "files/TextCodec.hpp"
#include "files/WholeFile.hpp"

#include <ctime>

namespace {
constexpr std::size_t journalLength = 1000; // entries before a new copy is due
}

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
    const bool journaled = m_session.journal.keeping() && m_session.journal.entries() < journalLength;
    if (!m_session.recoveryDue && !journaled)
        m_session.recoveryDue = std::max(now, m_session.lastRecoveryWrite + recoveryDelay);
    tick(now);
}

// Each edit of the script goes into the journal as it is made or taken back.
void App::journal(const std::vector<ScriptEdit>& edits, bool undo, const std::optional<TitleLines>& title)
{
    if (!m_session.journal.keeping())
        return;
    if (undo) {
        for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit)
            m_session.journal.append(journalEntry(*edit, true));
    } else {
        for (const ScriptEdit& edit : edits)
            m_session.journal.append(journalEntry(edit, false));
    }
    if (title)
        m_session.journal.append(journalEntry(*title));
}

void App::tick(Clock::time_point now)
{
    const std::string failed = m_session.journal.takeProblem();
    if (!failed.empty()) { // said until a copy holds the work again
        m_status.recoveryProblem = failed;
        m_status.changed = true;
        if (m_session.recoveryStale && !m_session.recoveryDue)
            m_session.recoveryDue = std::max(now, m_session.lastRecoveryWrite + recoveryDelay);
    }
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
    std::string bytes;
    const bool written = writeRecovery(m_session.script, m_session.recoveryId, &error, &bytes);
    if (written)
        m_session.journal.begin(journalFile(m_session.recoveryId), journalHeader(bytes));
    const std::string problem = written ? std::string() : "Recovery copies cannot be written: " + failureReason(error);
    m_status.changed = m_status.changed || problem != m_status.recoveryProblem;
    m_status.recoveryProblem = problem;
    if (written)
        m_session.recoveryStale = false;
}

void App::discardRecovery()
{
    m_session.journal.end(true);
    if (!m_session.recoveryId.empty())
        removeRecovery(m_session.recoveryId);
    m_session.copyLock.release();
    m_session.recoveryId.clear();
    m_session.recoveryDue.reset();
    m_session.recoveryStale = false;
}
