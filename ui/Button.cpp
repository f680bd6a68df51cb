#include "ui/Button.hpp"

#include "ui/Font.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>

namespace {
const sf::Color buttonFill(65, 65, 90, 255);
const sf::Color buttonHover(80, 80, 110, 255);
const sf::Color buttonPressed(90, 90, 120, 255);
const sf::Color buttonText(255, 255, 255, 255);
const sf::Color toggleOff(255, 255, 255, 255);
const sf::Color toggleOn(255, 200, 255, 255);
const sf::Color toggleText(0, 0, 0, 255);
constexpr unsigned labelSize = 20;

void placeWidget(Widget& widget, sf::Text& label, float x, float y, float width, float height)
{
    widget.rect = {x, y, width, height};
    widget.shape.setPosition(x, y);
    widget.shape.setSize({width, height});
    if (appFont)
        label.setFont(*appFont);
    centreLabel(label, widget.rect);
}
} // namespace

void centreLabel(sf::Text& label, const sf::FloatRect& rect)
{
    const sf::FloatRect bounds = label.getGlobalBounds();
    label.setPosition(std::floor(rect.left + rect.width * 0.5f - bounds.width * 0.5f),
                      std::floor(rect.top + rect.height * 0.5f - bounds.height * 0.5f - 5));
}

Button::Button()
{
    shape.setFillColor(buttonFill);
    label.setCharacterSize(labelSize);
    label.setFillColor(buttonText);
}

void Button::setup(const sf::String& text, float x, float y, float width, float height)
{
    label.setString(text);
    placeWidget(*this, label, x, y, width, height);
}

void Button::handleEvent(const sf::Event& event)
{
    clicked = false;
    shape.setFillColor(hovered ? buttonHover : buttonFill);
    if (event.type == sf::Event::MouseButtonPressed) {
        if (hits(event.mouseButton.x, event.mouseButton.y)) {
            shape.setFillColor(buttonPressed);
            clicked = true;
        }
    } else if (event.type == sf::Event::MouseMoved) {
        hovered = hits(event.mouseMove.x, event.mouseMove.y);
    }
}

void Button::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    target.draw(shape);
    target.draw(label);
}

ToggleButton::ToggleButton()
{
    shape.setFillColor(toggleOff);
    label.setCharacterSize(labelSize);
    label.setFillColor(toggleText);
}

void ToggleButton::layout(float x, float y, float width, float height, const sf::String* text)
{
    if (text)
        label.setString(*text);
    placeWidget(*this, label, x, y, width, height);
}

void ToggleButton::setOn(bool state)
{
    on = state;
    shape.setFillColor(state ? toggleOn : toggleOff);
}

void ToggleButton::handleEvent(const sf::Event& event)
{
    if (event.type == sf::Event::MouseButtonPressed)
        setOn(hits(event.mouseButton.x, event.mouseButton.y));
}

void ToggleButton::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    target.draw(shape);
    target.draw(label);
}
