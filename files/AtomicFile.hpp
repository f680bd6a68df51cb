#pragma once

#include <filesystem>
#include <string>

// Writes the bytes to a hidden temporary file beside the target, flushes it to disk and
// renames it over the target. On any failure the target is left as it was and the
// temporary file is removed.
bool writeFileAtomically(const std::filesystem::path& target, const std::string& bytes);
