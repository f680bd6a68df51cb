#pragma once

#include <SFML/System/String.hpp>

#include <string>
#include <vector>

// Script files hold UTF-8. Decoding is forgiving: a byte that does not start a valid
// UTF-8 sequence is taken as the Latin-1 character of the same value.
std::string toUtf8(const sf::String& text);
std::size_t utf8Size(const sf::String& text); // bytes
sf::String fromUtf8(const char* bytes, std::size_t size);
sf::String fromUtf8(const std::string& bytes);
// A file name (or a message holding one) as shown: bytes that are not UTF-8 become U+FFFD.
// The name itself is kept as bytes for opening and saving.
sf::String nameForDisplay(const std::string& bytes);

// A text's lines, parted at line feeds; none for an empty text.
std::vector<sf::String> splitLines(const sf::String& text);

// Escapes &, < and > for an HTML text; zero bytes are dropped.
std::string escapeMarkup(const std::string& text);

