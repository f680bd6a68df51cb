#pragma once
// Earlier versions of saved scripts: before a save replaces user/NAME.html, the file as
// it was is kept as user/.backup/NAME/YYYY-MM-DD_HH-MM-SS-mmm.html (the time it was
// written, to the millisecond; a later one when that name is taken, so that every save
// keeps its own), the newest twenty per script.

#include <filesystem>
#include <string>

inline const std::filesystem::path backupFolder = "user/.backup";
constexpr std::size_t backupsKept = 20;

// Keeps a copy of the saved script NAME before it is replaced; true when there was none
// to keep or the copy was made, otherwise false with `error` saying why.
bool keepBackup(const std::string& name, std::error_code* error = nullptr);
