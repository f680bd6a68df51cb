#pragma once

#include <SFML/Graphics/Font.hpp>

#include <string>

// The program's one font: set before any widget makes a text and valid while the program
// runs; every text of every widget uses it. Null when no font is loaded.
extern const sf::Font* appFont;

// Loads the font and publishes it as appFont for as long as it lives. A missing or
// unreadable file leaves an empty font: the program still starts.
class LoadedFont {
public:
    explicit LoadedFont(const std::string& file);
    LoadedFont(const LoadedFont&) = delete;
    LoadedFont& operator=(const LoadedFont&) = delete;
    ~LoadedFont();

    const sf::Font& font() const { return loaded; }

private:
    sf::Font loaded;
};
