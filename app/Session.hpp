#pragma once
// The script being edited, apart from the window that shows it: the script itself (the
// one live copy of its title page and paragraphs), its name in the user folder, its
// history and its recovery copy.

#include "document/History.hpp"
#include "document/SavedMark.hpp"
#include "document/Script.hpp"
#include "files/Journal.hpp"
#include "files/Recovery.hpp"
#include "files/ScriptLock.hpp"
#include "files/WholeFile.hpp"

#include <chrono>
#include <optional>
#include <string>

struct Session {
    using Clock = std::chrono::steady_clock;

    // No unsaved changes: the script equals what its file holds.
    bool saved() const { return m_sameAsSaved; }
    // The script now stands as its file holds it (`asSaved`), or as no file does.
    void markSaved(bool asSaved = true)
    {
        if (asSaved)
            savedMark.mark(script);
        else
            savedMark.forget();
        m_sameAsSaved = asSaved;
    }
    // The edits just made to the script, or taken back when `undo`; a changed title page
    // needs none.
    void noteEdits(const std::vector<ScriptEdit>& edits, bool undo = false)
    {
        savedMark.note(edits, undo);
        m_sameAsSaved = savedMark.matches(script);
    }

    Script script;
    std::string fileName = "empty"; // the name in the user folder (bytes), without folder and extension
    bool untitled = true;           // no name in the user folder yet
    std::optional<FileStamp> fileStamp; // its file as this window last read or wrote it
    History history;
    std::string suggestedName; // offered by the save-as panel: an imported file's stem

    SavedMark savedMark;
    ScriptLock openHere; // says to other programs that this one has the named script open

    // The recovery copy of unsaved work, this program's own while it runs.
    std::string recoveryId;                       // the copy's id in the recovery folder, once written
    CopyLock copyLock;
    std::optional<Clock::time_point> recoveryDue; // when the next copy is to be written
    bool recoveryStale = false;                   // changes the copy does not hold yet
    Clock::time_point lastRecoveryWrite;
    JournalWriter journal; // the edits since the copy, durable within a second

private:
    bool m_sameAsSaved = true;
};
