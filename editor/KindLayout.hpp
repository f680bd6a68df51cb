#pragma once
// How each paragraph kind is laid out on the sheet.

#include "document/DivType.hpp"

#include <SFML/Config.hpp>

#include <unordered_map>

// How a paragraph's lines stand between its margins.
enum class Align { Left, Right, Centre };

// Layout of one kind; margins are page-view pixels from the paragraph's rectangle.
struct KindLayout {
    float marginLeft;
    float marginTop;
    float marginRight;
    float marginBottom;
    sf::Uint32 style;    // sf::Text::Regular or sf::Text::Bold
    float letterSpacing; // factor of the font's own spacing
    Align align;
};

extern const std::unordered_map<std::int32_t, KindLayout> kindLayout;

class DivEditor;

// Gives a paragraph the margins, style, alignment and letter case of kind K (nothing for
// None or values beyond the kinds); its text stays as typed. The caller stores the kind.
void applyKind(DivEditor& paragraph, std::int32_t kind);
