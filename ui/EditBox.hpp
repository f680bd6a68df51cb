#pragma once

#include "ui/Widget.hpp"

#include <SFML/Graphics/Text.hpp>

#include <cstdint>

// A single-line text field: typing, Backspace, Left and Right, caret placement and drag
// selection with the mouse. Characters are 12-pixel cells; indexes count code points.
class EditBox : public Widget {
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
    void handleEvent(const sf::Event& event) override;

    sf::String text;
    sf::Text display;
    sf::RectangleShape caret;
    std::uint32_t cursor = 0;
    sf::RectangleShape highlight;
    std::uint32_t selStart = 0, selEnd = 0;
    bool focused = false;
    bool dragging = false;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    void onTextEntered(sf::Uint32 code);
    void onKeyPressed(sf::Keyboard::Key key);
    void onMousePressed(const sf::Event::MouseButtonEvent& press);
    void onMouseMoved(const sf::Event::MouseMoveEvent& move);
    void onMouseReleased(const sf::Event::MouseButtonEvent& release);
    sf::Vector2f origin() const; // the display's position, truncated
};
