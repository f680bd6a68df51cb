#pragma once
// Recovery copies: while a script has unsaved changes the program keeps a copy of it, in
// the script file format, in user/.recovery, so that a crash or a kill loses at most a few
// seconds of work.
//
// Each running program owns its copies: a copy's id is unique to the process and the
// moment (".PID-START-N~NAME", NAME empty for an untitled script; the leading dot keeps it
// apart from every script name), and the program holds a lock on it (ID.lock, by flock)
// for as long as it runs. A copy whose lock nobody holds was left by a program that ended
// without saving: that is what the file list offers. Copies of earlier versions, named
// NAME.html or .untitled-DATE.html, hold no lock and are offered too.

#include "document/Script.hpp"

#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

inline const std::filesystem::path recoveryFolder = "user/.recovery";

// A copy found in the recovery folder.
struct RecoveredCopy {
    std::string id;          // its file's stem
    std::string name;        // the script's name; empty for an untitled script
    bool untitled = false;
    bool held = false;       // a running program owns it
    std::time_t written = 0; // when the copy was last written
    bool older = false;      // its script was saved after it was written: it must not replace that
    // "Recovered: NAME (YYYY-MM-DD HH:MM:SS)", or "Recovered (older than the saved script): …"
    std::string label() const;
};

// The id of a new copy of the named (or, for "", untitled) script, unique to this process
// and the moment; a name too long for a file name is kept beside the copy.
std::string newRecoveryId(const std::string& name);
std::filesystem::path recoveryFile(const std::string& id);
// The journal of the edits since the copy was written (see Journal.hpp).
std::filesystem::path journalFile(const std::string& id);
// What a copy's id says of its script: its name, or empty when untitled.
std::string scriptNameOfCopy(const std::string& id, bool* untitled = nullptr);

// The lock by which this program holds a copy as its own; released when it goes.
class CopyLock {
public:
    CopyLock() = default;
    CopyLock(const CopyLock&) = delete;
    CopyLock& operator=(const CopyLock&) = delete;
    ~CopyLock() { release(); }
    // False when another running program holds it.
    bool take(const std::string& id);
    void release();
    bool holds(const std::string& id) const { return fd >= 0 && heldId == id; }

private:
    int fd = -1;
    std::string heldId;
};

// Writes the copy whole (or leaves the previous one); false, with `error` saying why,
// when it could not. `written` gets the copy's bytes.
bool writeRecovery(const Script& script, const std::string& id, std::error_code* error = nullptr,
                   std::string* written = nullptr);
// Removes a copy, its journal and its lock file.
void removeRecovery(const std::string& id);
// Whether the script a copy is of was saved after the copy was last written.
bool copyOlderThanScript(const std::string& id);
// Every copy, newest first, held or not.
std::vector<RecoveredCopy> listRecoveries();
