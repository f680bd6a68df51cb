#pragma once

#include <SFML/Graphics/Font.hpp>

#include <string>

// The program's one typeface, in its four faces (regular, bold, italic, bold italic, each
// with the same advance): set before any widget makes a text and valid while the program
// runs; every text of every widget uses it. Null when no font is loaded.
extern const sf::Font* appFont;
// The face for bold and italic letters; the regular one where a face is missing.
const sf::Font* appFace(bool bold, bool italic);

// Loads the faces and publishes them for as long as it lives: `file` is the regular face,
// the others are beside it with "-bold", "-italic" and "-bolditalic" before the extension.
// A missing or unreadable file leaves an empty font: the program still starts.
class LoadedFont {
public:
    explicit LoadedFont(const std::string& file);
    LoadedFont(const LoadedFont&) = delete;
    LoadedFont& operator=(const LoadedFont&) = delete;
    ~LoadedFont();

    const sf::Font& font() const { return faces[0]; }

private:
    sf::Font faces[4]; // regular, bold, italic, bold italic
    bool loaded[4] = {};
};
