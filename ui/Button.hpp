#pragma once

#include "ui/Widget.hpp"

#include <SFML/Graphics/Text.hpp>

// Centres a label on a rectangle: horizontally, and vertically raised by 5 pixels.
void centreLabel(sf::Text& label, const sf::FloatRect& rect);

// A push button; `clicked` holds from a press inside it until the next event it sees.
class Button : public Widget {
public:
    Button();
    void setup(const sf::String& text, float x, float y, float width, float height);
    void handleEvent(const sf::Event& event) override;

    sf::Text label;
    bool clicked = false;
    bool hovered = false;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};

// A selectable button of the kind selector; `on` reflects the last press.
class ToggleButton : public Widget {
public:
    ToggleButton();
    // Places the button and its label; the label text changes only when one is given.
    void layout(float x, float y, float width, float height, const sf::String* text = nullptr);
    void setOn(bool state);
    void handleEvent(const sf::Event& event) override;

    sf::Text label;
    bool on = false;

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};
