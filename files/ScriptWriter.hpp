#pragma once

#include "document/Page.hpp"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

// Asked before a stand-alone page replaces an existing file; true only on an explicit yes.
using OverwriteQuestion = std::function<bool()>;

// Writes the page with its title page as basePath + ".html". A file in the user folder
// links ../res/standalone.css; a stand-alone page gets its own copy of that stylesheet as
// basePath + ".css". Texts are UTF-8 with &, < and > escaped. The file is replaced only
// once it has been written whole; false when nothing was written.
bool writeScript(const Page& page, const sf::String& title, const sf::String& author,
                 const std::filesystem::path& basePath, bool standalone, const OverwriteQuestion& ask = {});

// The head of the file, up to the stylesheet link.
void writeHead(std::ostream& out, bool standalone, const std::filesystem::path& basePath);
