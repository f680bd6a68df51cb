#include "ui/TitlePage.hpp"

namespace {
const sf::Color panelColour(70, 70, 100, 70); // translucent over the window
}

TitlePage::TitlePage(const sf::RenderTarget& window) : Group(window)
{
    background.setPosition(0, 0);
    background.setSize({panelWidth, 980});
    background.setFillColor(panelColour);
    titleBox.bind(window, view);
    authorBox.bind(window, view);
}

void TitlePage::unfocus()
{
    titleBox.unfocus();
    authorBox.unfocus();
}

void TitlePage::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    titleBox.handleEvent(event);
    authorBox.handleEvent(event);
    if (event.type == sf::Event::Resized) {
        reanchor(event.size.width, event.size.height);
        background.setSize({panelWidth, static_cast<float>(event.size.height)});
    }
}

void TitlePage::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(titleBox);
    target.draw(authorBox);
}
