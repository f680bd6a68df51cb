#include "ui/Group.hpp"

#include "ui/Font.hpp"
#include "ui/Widget.hpp"

#include <cmath>

namespace {
const sf::Color dialogFill(40, 40, 60, 255);
const sf::Color messageColour(255, 170, 170, 255);
constexpr unsigned messageSize = 18;
constexpr std::size_t messageChars = 46; // what fits the dialog's width at that size
} // namespace

// The centre moves by half a pixel at odd sizes so that the view's edges stay on whole
// pixels: text drawn off the pixel grid comes out blurred.
void Group::recentre(unsigned width, unsigned height)
{
    view.setCenter(960 + (width % 2) * 0.5f, height * 0.5f);
    view.setSize(static_cast<float>(width), static_cast<float>(height));
}

void Group::reanchor(unsigned width, unsigned height)
{
    view.reset({0, 0, static_cast<float>(width), static_cast<float>(height)});
}

sf::Vector2f Group::toView(int x, int y) const
{
    return mapToView(*window, x, y, view);
}

bool Group::drawBackground(sf::RenderTarget& target) const
{
    if (!visible)
        return false;
    target.setView(view);
    target.draw(background);
    return true;
}

void Group::applyDialogLook(float height, const sf::Color& outline)
{
    background.setPosition(700, 300);
    background.setSize({520, height});
    background.setFillColor(dialogFill);
    background.setOutlineThickness(3);
    background.setOutlineColor(outline);
}

// A message longer than a line puts its reason, after the last ": ", on a second line;
// one without a reason goes on at its last space that fits.
void Group::setDialogMessage(sf::Text& line, const sf::String& text, float top)
{
    auto fitted = [](const sf::String& part) {
        if (part.getSize() <= messageChars)
            return part;
        const std::size_t half = (messageChars - 1) / 2;
        return part.substring(0, half) + sf::String(sf::Uint32(0x2026)) + part.substring(part.getSize() - half);
    };
    sf::String shown = fitted(text);
    const std::size_t colon = text.getSize() > messageChars ? text.find(": ") : sf::String::InvalidPos;
    if (colon != sf::String::InvalidPos) {
        std::size_t last = colon;
        for (std::size_t at = colon; (at = text.find(": ", at + 1)) != sf::String::InvalidPos;)
            last = at;
        shown = fitted(text.substring(0, last + 1)) + "\n" + fitted(text.substring(last + 2));
    } else if (text.getSize() > messageChars) { // else at the last space that fits
        std::size_t space = messageChars;
        while (space > 0 && text[space] != ' ')
            --space;
        if (space > 0)
            shown = text.substring(0, space) + "\n" + fitted(text.substring(space + 1));
    }
    if (appFont)
        line.setFont(*appFont);
    line.setCharacterSize(messageSize);
    line.setFillColor(messageColour);
    line.setString(shown);
    line.setPosition(std::floor(960 - line.getLocalBounds().width / 2), top);
}
