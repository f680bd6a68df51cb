#pragma once

#include "document/Script.hpp"

#include <filesystem>
#include <optional>
#include <string>

// Reads a script file back: the title page and the paragraphs with their kinds and texts.
// Nothing when the bytes are not a script. A script without paragraphs comes back with
// one empty Scene paragraph.
std::optional<Script> parseScript(std::string bytes);
// `why` (when given) says why nothing came: the file's reason, or "not a script".
std::optional<Script> loadScript(const std::filesystem::path& file, std::string* why = nullptr);
