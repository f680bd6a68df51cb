#pragma once

#include "ui/TextField.hpp"

#include <SFML/Graphics/Text.hpp>

#include <cstdint>

// A single-line text field: typing, Backspace and Delete, Left, Right, Home and End (with
// Shift they select), Control+A, caret placement and drag selection with the mouse; a
// text longer than the box scrolls sideways to show the caret. Characters are 12-pixel
// cells; indexes count code points.
class EditBox : public TextField {
public:
    EditBox();

    void setRect(float x, float y, float width, float height);
    void setText(const sf::String& string);
    void setCursor(std::size_t index);
    void placeCursorAt(int x);
    void setHighlight(std::size_t a, std::size_t b);
    void updateSelection();
    // Drops focus and selection; the caret keeps its index.
    void unfocus();
    // Selects the whole text, the caret at its end.
    void selectAll();

    sf::Text display;
    sf::RectangleShape caret;
    sf::RectangleShape highlight;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    void onTextEntered(sf::Uint32 code) override;
    void onKeyPressed(const sf::Event::KeyEvent& key) override;
    void onMousePressed(const sf::Event::MouseButtonEvent& press) override;
    void onMouseMoved(const sf::Event::MouseMoveEvent& move) override;
    void onMouseReleased(const sf::Event::MouseButtonEvent& release) override;
    sf::Vector2f origin() const; // the display's position, truncated
    // Scrolls as little as shows the caret at an index.
    void follow(std::size_t index);
    void deleteForward();

    std::size_t m_scrolled = 0; // cells of the text left of the box
};
