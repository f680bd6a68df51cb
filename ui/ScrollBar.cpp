#include "ui/ScrollBar.hpp"

#include <algorithm>
#include <cmath>

namespace {
const sf::Color trackColour(30, 30, 52, 255);
const sf::Color thumbColour(80, 80, 110, 255);
const sf::Color thumbHeld(110, 110, 150, 255);
constexpr float shortestThumb = 24;
} // namespace

ScrollBar::ScrollBar(const sf::RenderTarget& window) : Group(window)
{
    background.setFillColor(trackColour);
    thumb.setFillColor(thumbColour);
}

void ScrollBar::show(float top, float height, float content)
{
    viewTop = top;
    viewHeight = height;
    contentHeight = std::max({content, top + height, 1.f});
    const float track = trackHeight();
    const float x = view.getSize().x - width;
    background.setPosition(x, trackTop);
    background.setSize({width, track});
    const float length = std::max(shortestThumb, std::floor(track * viewHeight / contentHeight));
    const float room = std::max(0.f, track - length);
    const float hidden = contentHeight - viewHeight;
    const float at = hidden > 0 ? room * viewTop / hidden : 0;
    thumb.setPosition(x + 2, trackTop + std::floor(at));
    thumb.setSize({width - 4, std::min(length, track)});
}

bool ScrollBar::contains(int x, int y) const
{
    return background.getGlobalBounds().contains(static_cast<float>(x), static_cast<float>(y));
}

void ScrollBar::handleEvent(const sf::Event& event)
{
    wantedTop.reset();
    if (ignores(event))
        return;
    switch (event.type) {
    case sf::Event::Resized:
        reanchor(event.size.width, event.size.height);
        break;
    case sf::Event::MouseButtonPressed:
        if (event.mouseButton.button != sf::Mouse::Left || !contains(event.mouseButton.x, event.mouseButton.y))
            break;
        dragging = true;
        grab = thumb.getGlobalBounds().contains(thumb.getPosition().x, static_cast<float>(event.mouseButton.y))
                   ? event.mouseButton.y - thumb.getPosition().y
                   : thumb.getSize().y / 2; // a press on the track brings the thumb's middle there
        dragTo(static_cast<float>(event.mouseButton.y));
        break;
    case sf::Event::MouseMoved:
        if (dragging)
            dragTo(static_cast<float>(event.mouseMove.y));
        break;
    case sf::Event::MouseButtonReleased:
        dragging = false;
        break;
    default:
        break;
    }
    thumb.setFillColor(dragging ? thumbHeld : thumbColour);
}

void ScrollBar::dragTo(float y)
{
    const float room = trackHeight() - thumb.getSize().y;
    const float hidden = contentHeight - viewHeight;
    if (room <= 0 || hidden <= 0) {
        wantedTop = 0;
        return;
    }
    const float at = std::clamp(y - grab - trackTop, 0.f, room);
    wantedTop = std::floor(at / room * hidden);
}

void ScrollBar::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(thumb);
}
