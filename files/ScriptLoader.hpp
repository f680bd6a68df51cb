#pragma once

#include "document/Page.hpp"

#include <string>

// Reads a script file back into the page, the title and the author line. The page and
// the strings are replaced only after the whole file has been read and understood; on
// any failure the result is false and nothing has changed. A script without paragraphs
// opens with one empty Scene paragraph.
bool loadScript(Page& page, sf::String& title, sf::String& author, const std::string& fileName);

// The same, from the bytes of a file.
bool loadScriptFromBytes(Page& page, sf::String& title, sf::String& author, std::string bytes);
