#pragma once
// How each paragraph kind is laid out on the sheet.

#include "document/DivType.hpp"

#include <SFML/Config.hpp>

#include <unordered_map>

// Layout of one kind; margins are page-view pixels from the paragraph's rectangle.
struct KindLayout {
    float marginLeft;
    float marginTop;
    float marginRight;
    float marginBottom;
    sf::Uint32 style;    // sf::Text::Regular or sf::Text::Bold
    float letterSpacing; // factor of the font's own spacing
};

extern const std::unordered_map<std::int32_t, KindLayout> kindLayout;

class DivEditor;

// Gives a paragraph the margins, style and letter case of kind K (nothing for None or
// values outside Scene to Speech); its text stays as typed. The caller stores the kind.
void applyKind(DivEditor& paragraph, std::int32_t kind);
