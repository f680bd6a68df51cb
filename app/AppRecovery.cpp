// Recovery copies of unsaved work. While the script has unsaved changes a copy of it is
// written to the recovery folder, at most recoveryDelay after a change and at once when
// the window loses the focus; saving, quitting without saving and opening another script
// remove it.
#include "app/App.hpp"

#include "files/Recovery.hpp"
#include "files/TextCodec.hpp"

#include <ctime>

// After every event: a change makes a copy due, no sooner than recoveryDelay after the
// last one was written; losing the focus writes it at once; a saved script has none.
void App::keepRecovery(const sf::Event& event, Clock::time_point now)
{
    if (saved) {
        if (!recoveryId.empty() || recoveryDue)
            discardRecovery();
        return;
    }
    if (scriptChanged)
        recoveryStale = true;
    if (!recoveryStale)
        return;
    if (event.type == sf::Event::LostFocus || event.type == sf::Event::Closed) {
        writeRecoveryNow(now);
        return;
    }
    if (!recoveryDue)
        recoveryDue = std::max(now, lastRecoveryWrite + recoveryDelay);
    tick(now);
}

void App::tick(Clock::time_point now)
{
    if (recoveryDue && now >= *recoveryDue)
        writeRecoveryNow(now);
}

void App::writeRecoveryNow(Clock::time_point now)
{
    if (recoveryId.empty())
        recoveryId = untitled ? untitledRecoveryId(std::time(nullptr)) : toUtf8(fileName);
    recoveryDue.reset();
    lastRecoveryWrite = now;
    if (writeRecovery(script(), recoveryId))
        recoveryStale = false;
}

void App::discardRecovery()
{
    if (!recoveryId.empty())
        removeRecovery(recoveryId);
    recoveryId.clear();
    recoveryDue.reset();
    recoveryStale = false;
}
