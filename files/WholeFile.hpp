#pragma once
// Files read and written whole.

#include <cstdint>
#include <filesystem>
#include <optional>
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

// A file as this program last read or wrote it, to tell whether another program has
// written it since.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // nanoseconds since the epoch
    std::size_t hash = 0;      // of its bytes
};
// The stamp of a file as it is now; none when it cannot be read.
std::optional<FileStamp> stampOf(const std::filesystem::path& path);
// Whether the file's bytes differ from those it had at the stamp (a file gone counts as
// unchanged: nothing of it can be overwritten). Only a changed size or time reads it.
bool changedSince(const std::filesystem::path& path, const std::optional<FileStamp>& stamp);

// Why a file operation failed, in a few words: "disk full", "permission denied", ...
std::string failureReason(const std::error_code& error);
