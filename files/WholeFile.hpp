#pragma once
// Files read and written whole.

#include <filesystem>
#include <string>
#include <system_error>

// Reads a regular file whole; false for a folder, a FIFO, a device or a socket (at once,
// never waiting on one) and for a missing or unreadable file, with `why` (when given)
// saying so in a few words: "not a regular file", "no such file or directory", ...
bool readWholeFile(const std::filesystem::path& path, std::string& bytes, std::string* why = nullptr);

// The name every temporary file of a write begins with.
inline constexpr const char* temporaryPrefix = ".quillmere-";

// Writes the bytes to a hidden temporary file beside the target, flushes it to disk and
// renames it over the target (the file a link leads to, the link kept). On any failure the target is left as it was, the temporary
// file is removed and `error` (when given) says why.
bool writeFileAtomically(const std::filesystem::path& target, const std::string& bytes,
                         std::error_code* error = nullptr);

// The file a path leads to through its symbolic links (the path itself when it is none).
std::filesystem::path throughLinks(const std::filesystem::path& path);

// Why a file operation failed, in a few words: "disk full", "permission denied", ...
std::string failureReason(const std::error_code& error);
