#pragma once
// Earlier versions of saved scripts: before a save replaces user/NAME.html, the file as
// it was is kept as user/.backup/NAME/YYYY-MM-DD_HH-MM-SS-mmm.html (the time it was
// written, to the millisecond; a later one when that name is taken, so that every save
// keeps its own), the newest twenty per script.

#include <filesystem>
#include <string>

inline const std::filesystem::path backupFolder = "user/.backup";
constexpr std::size_t backupsKept = 20;

// Keeps the saved script NAME before it is replaced: by a second name of its file (which
// takes no room, since a save puts a new file in its place), or by a copy where the system
// cannot link; true when there was none to keep or it was kept, else false with `error`.
bool keepBackup(const std::string& name, std::error_code* error = nullptr);
