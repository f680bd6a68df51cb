#pragma once

#include "document/Script.hpp"

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include <vector>

// Asked before an export replaces existing files, with a line naming them ("act1.html and
// act1.css exist."); true only on an explicit yes.
using OverwriteQuestion = std::function<bool(const std::string& existing)>;

// True when none of the files exists or the question was answered yes; otherwise false,
// with `error` (when given) file_exists.
bool mayReplace(const std::vector<std::filesystem::path>& files, const OverwriteQuestion& ask,
                std::error_code* error = nullptr);

// The bytes of a script file: HTML with the title page and the paragraphs as shown (scene
// headings and names in capitals), texts in UTF-8 with &, < and > escaped, scene headings
// numbered. A file in the user folder links ../res/standalone.css; a stand-alone page
// links basePath's name + ".css".
std::string scriptHtml(const Script& script, bool standalone, const std::filesystem::path& basePath);

// Writes the script as basePath + ".html"; a stand-alone page also gets its own copy of
// res/standalone.css as basePath + ".css" and asks once before replacing either.
// Each file is replaced only once it has been written whole; false (with `error` saying
// why, where given) when the script was not written.
bool writeScript(const Script& script, const std::filesystem::path& basePath, bool standalone,
                 const OverwriteQuestion& ask = {}, std::error_code* error = nullptr);
