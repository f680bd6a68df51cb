#include "ui/Widget.hpp"

#include "app/App.hpp"

sf::Vector2f mapToView(int x, int y, const sf::View& view)
{
    return appInstance->window.mapPixelToCoords({x, y}, view);
}

bool Widget::hits(int x, int y) const
{
    return rect.contains(mapToView(x, y, *view));
}
