#include "ui/Group.hpp"

void Group::recentre(unsigned width, unsigned height)
{
    view.setCenter(960, height * 0.5f);
    view.setSize(static_cast<float>(width), static_cast<float>(height));
}

void Group::reanchor(unsigned width, unsigned height)
{
    view.reset({0, 0, static_cast<float>(width), static_cast<float>(height)});
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
    background.setFillColor(sf::Color(40, 40, 60, 255));
    background.setOutlineThickness(3);
    background.setOutlineColor(outline);
}
