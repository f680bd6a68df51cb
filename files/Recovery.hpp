#pragma once
// Recovery copies: while a script has unsaved changes the App keeps a copy of it, in the
// script file format, in user/.recovery, so that a crash or a kill loses at most a few
// seconds of work. A named script's copy is NAME.html; an untitled script's copy has a
// generated name that begins with a dot, which no script name can.

#include "document/Script.hpp"

#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

inline const std::filesystem::path recoveryFolder = "user/.recovery";

// A copy found in the recovery folder.
struct RecoveredCopy {
    std::string id;       // its file's stem: the script's name, or the generated one
    bool untitled = false;
    std::time_t written = 0; // when the copy was last written
    std::string label() const; // "Recovered: NAME (YYYY-MM-DD HH:MM)"
};

// The id under which an untitled script started at `now` keeps its copy.
std::string untitledRecoveryId(std::time_t now);
std::filesystem::path recoveryFile(const std::string& id);
// Writes the copy whole (or leaves the previous one); false when it could not.
bool writeRecovery(const Script& script, const std::string& id);
void removeRecovery(const std::string& id);
// Every copy, newest first.
std::vector<RecoveredCopy> listRecoveries();
