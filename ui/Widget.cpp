#include "ui/Widget.hpp"

#include <cmath>

// Views keep one unit per pixel, so a mapped pixel lies on whole units; rounding away
// the inverse transform's float error keeps presses on an edge on the right side of it.
sf::Vector2f mapToView(const sf::RenderTarget& target, int x, int y, const sf::View& view)
{
    const sf::Vector2f p = target.mapPixelToCoords({x, y}, view);
    return {std::round(p.x * 64) / 64, std::round(p.y * 64) / 64};
}

bool Widget::hits(int x, int y) const
{
    return rect.contains(toView(x, y));
}
