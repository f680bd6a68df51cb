#pragma once

#include "files/WholeFile.hpp"

#include <filesystem>
#include <string>
#include <vector>

// Scripts live in the user folder as name + ".html"; "empty" names the template.
inline const std::filesystem::path userFolder = "user";

// The base path of a script: the user folder joined with its name, no extension.
std::string scriptBase(const std::string& name);

// A name stays inside the user folder and stays listed: no "/", no zero byte, no dot at
// its start (the file list hides such files).
bool validScriptName(const std::string& name);
// Bytes a name given in the save-as panel may have: its recovery copy and backups need
// room beside it in a file name.
constexpr std::size_t longestScriptName = 200;
// A title as a script's name, offered for a new script: on one line, "/" as "-", no dot at
// its start, cut at longestScriptName on a character's edge; "" for the template's title.
std::string nameFromTitle(const std::string& title);

// The stems of the user folder's entries (but Fountain and Final Draft files), of its
// Fountain files, or of its Final Draft files, sorted case-insensitively and then by
// byte; names starting with a dot and the stem "empty" are left out. Empty when unreadable.
std::vector<std::string> listScriptNames(const std::filesystem::path& folder = userFolder);
// The stems of the Fountain files (NAME.fountain) in the user folder, sorted alike.
std::vector<std::string> listFountainNames(const std::filesystem::path& folder = userFolder);
std::vector<std::string> listFdxNames(const std::filesystem::path& folder = userFolder);

// Creates the user folder and writes the template again when either is missing; clears
// away what writes cut short by a crash left behind.
void ensureUserFolder();
void removeStaleTemporaries(const std::filesystem::path& folder);
