#pragma once
// One paragraph as the sheet shows it: its text wrapped into the cells of its kind's
// width, in capitals for an upper-case kind, each line break either in place of a space
// or inserted inside a cut word. It is made when the paragraph comes into view (or the
// caret or a mark needs it) and made anew when the paragraph changes; it holds no text of
// its own beyond what it draws.
//
// Positions are pixels: across, those of the sheet's view; down, from the paragraph's top.

#include "document/Script.hpp"
#include "editor/KindLayout.hpp"
#include "editor/Wrap.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Text.hpp>

#include <vector>

class ShownParagraph : public sf::Drawable {
public:
    ShownParagraph(const Paragraph& paragraph, const sf::Font* font);

    // Where the caret stands before the character at an index (or after the last).
    sf::Vector2f caretPoint(std::size_t index) const;
    // The index nearest to a point: on its line, at the nearest cell boundary; right of a
    // line's end before its break, or where a cut word goes on.
    std::uint32_t indexAt(float x, float y) const;
    // The bands over the characters from index a to index b, a line each.
    std::vector<sf::FloatRect> bands(std::size_t a, std::size_t b) const;
    // The top of the line on which the character at an index shows.
    float lineTop(std::size_t index) const;
    float height() const { return heightOf(kind, wrap.lines()); }

    DivType kind;
    std::size_t length; // code points of the text
    Wrap wrap;
    sf::Text display;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void drawPageBreak(sf::RenderTarget& target, sf::RenderStates states) const;
};
