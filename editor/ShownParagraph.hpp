#pragma once
// One paragraph as the sheet shows it: its text wrapped into the cells of its kind's
// width, in capitals for an upper-case kind, each line break either in place of a space
// or inserted inside a cut word. It is made when the paragraph comes into view (or the
// caret or a mark needs it) and made anew when the paragraph changes; its drawn text is
// made only when it is first drawn.
//
// Positions are pixels: across, those of the sheet's view; down, from the paragraph's top.
// Every face of the font has the same advance, a cell, so a place is found by counting.

#include "document/Script.hpp"
#include "editor/KindLayout.hpp"
#include "editor/Wrap.hpp"

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <vector>

class ShownParagraph : public sf::Drawable {
public:
    explicit ShownParagraph(const Paragraph& paragraph, Column column = Column::Whole);

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
    // The text as drawn (in the kind's face, whatever the letters' styles): the letters as
    // shown with a line feed at each break.
    const sf::Text& display() const;
    // The lines under underlined letters, none under the spaces at a run's ends.
    std::vector<sf::FloatRect> underlines() const;
    // Where the first line begins.
    sf::Vector2f origin() const { return m_origin; }

    DivType kind;
    Column column;
    std::size_t length; // code points of the text
    Wrap wrap;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void drawPageBreak(sf::RenderTarget& target, sf::RenderStates states) const;

    // A text of one face: the letters of that face, the others left blank.
    sf::Text faceText(bool bold, bool italic, const sf::String& letters) const;

    sf::String m_shown;                // the letters as shown, a line feed at each break
    std::vector<std::uint8_t> m_styles; // the style of each of them; empty when all are plain
    sf::Vector2f m_origin;
    mutable std::unique_ptr<sf::Text> m_text; // made when first drawn
    mutable std::vector<sf::Text> m_faces;    // of a styled paragraph, a text a face, when first drawn
};
