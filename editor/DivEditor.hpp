#pragma once
// One paragraph of the script: its text and kind, the wrap of the text into lines of
// fixed character cells, the caret, typing and keys within it, and the bands of a
// selection. The page gives it mouse presses and drags, and the clipboard.
//
// Coordinates are page-view pixels; indexes count code points of `text`. A character
// cell is 12 pixels wide and a line 23 pixels high (character size 20).
//
// `text` holds the letters as typed; `display` is the text as drawn: in capitals for an
// upper-case kind, a space at a line break turned into the line feed, and a word too long
// for any line cut with an inserted line feed, so every character stays visible.
// shownIndex maps an index of `text` to one of `display`.

#include "document/DivType.hpp"
#include "document/Script.hpp"
#include "editor/KindLayout.hpp"
#include "ui/TextField.hpp"

#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <exception>
#include <vector>

// Thrown when the caret is moved past either end of a paragraph: the page moves it on.
class OutOfRange : public std::exception {
public:
    explicit OutOfRange(std::int32_t dir) : direction(dir) {}
    const char* what() const noexcept override { return "Index out of range"; }

    std::int32_t direction; // +1 past the end, -1 past the start
};

class DivEditor : public TextField {
public:
    static constexpr unsigned characterSize = 20;
    static constexpr float cellWidth = 12;  // pixels, 0.6 of the character size
    static constexpr float lineHeight = 23; // pixels

    DivEditor();

    void setMargins(float left, float top, float right, float bottom);
    void setSize(float width, float height);
    void setText(const sf::String& string);
    // Moves the caret to an index, collapsing any selection.
    void setCursor(std::size_t index);
    void placeCursorAt(int x, int y);
    void rewrap();
    std::size_t shownIndex(std::size_t index) const;
    // Moves the paragraph's top to y, carrying its text, caret and bands with it.
    void placeAt(float y);

    // Selects from index a to index b (in either order): bands and selected text.
    void select(std::size_t a, std::size_t b);
    void updateSelection();
    void setHighlight(std::size_t a, std::size_t b);
    // The bands over the characters from index a to index b, a line each.
    std::vector<sf::FloatRect> bandRects(std::size_t a, std::size_t b) const;
    // The top of the line on which the character at an index shows.
    float lineTopAt(std::size_t index) const;
    // Takes focus and selection away.
    void clearFocus();
    // Inserts text at the caret, which goes after it.
    void insertText(const sf::String& inserted);
    // A completion offered after the caret, drawn in grey; empty for none.
    void setGhost(const sf::String& offered);

    void handleEvent(const sf::Event& event) override;

    CaseMode caseMode = CaseMode::Mixed;
    Align align = Align::Left;
    sf::Text display;
    float marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
    std::vector<std::uint32_t> lineLengths;    // per line, characters of text incl. a break space
    std::vector<std::uint32_t> insertedBreaks; // text indexes before which a cut word breaks
    std::uint32_t lineChars = 1;               // line capacity in cells
    sf::RectangleShape caret;
    std::vector<sf::RectangleShape> highlights;
    sf::String selectedText; // the text between selStart and selEnd
    sf::Text ghost;          // the completion offered, after the caret
    bool rewrapped = false;
    DivType kind = None;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void drawPageBreak(sf::RenderTarget& target) const;

    void onTextEntered(sf::Uint32 code) override;
    void onKeyPressed(const sf::Event::KeyEvent& key) override;

    // Draws the caret where a character typed at `cursor` appears.
    void placeCaret();
    // Drops the selection: indexes, bands and selected text.
    void collapseSelection();
    std::uint32_t lineStart(std::size_t row) const;
    // Characters a line shows, without the space that became its break.
    std::uint32_t shownCells(std::size_t row) const;
    bool endsInCut(std::size_t row) const;
    std::size_t caretRow() const;

    void insertCharacter(sf::Uint32 code);
    void deleteBeforeCaret();
    void deleteAfterCaret();
    // Erases the selected characters and puts the caret where they began.
    void eraseSelection();

    sf::Vector2f caretOffset; // caret position relative to display's position
    float alignShift = 0;     // pixels the lines stand right of the left margin, to align them
};
