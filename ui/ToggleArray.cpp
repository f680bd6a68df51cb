#include "ui/ToggleArray.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>

namespace {
const sf::Color barColour(20, 20, 40, 255);
constexpr unsigned spacing = 50; // pixels spread as gaps around the buttons
constexpr float buttonTop = 10, buttonHeight = 40;
} // namespace

ToggleArray::ToggleArray(const sf::RenderTarget& window) : Group(window)
{
    background.setPosition(0, 0);
    background.setFillColor(barColour);
}

void ToggleArray::setup(float width, const std::vector<sf::String>& labels)
{
    buttons.resize(labels.size());
    background.setSize({width, barHeight});
    const float buttonWidth = std::floor((width - spacing) / static_cast<float>(labels.size())); // whole pixels, sharp labels
    layout(buttonWidth, &labels);
    for (ToggleButton& button : buttons)
        button.bind(*window, view);
    if (valid(selected))
        buttons[selected].setOn(false);
    selected = 0;
    buttons[0].setOn(true);
}

void ToggleArray::layout(float buttonWidth, const std::vector<sf::String>* labels)
{
    const unsigned n = static_cast<unsigned>(buttons.size());
    for (unsigned i = 0; i < n; ++i) {
        const float x = static_cast<float>(spacing * (i + 1) / (n + 1)) + i * buttonWidth;
        buttons[i].layout(x, buttonTop, buttonWidth, buttonHeight, labels ? &(*labels)[i] : nullptr);
    }
}

void ToggleArray::select(std::int32_t index)
{
    if (valid(selected))
        buttons[selected].setOn(false);
    selected = valid(index) ? index : -1;
    if (valid(selected))
        buttons[selected].setOn(true);
}

void ToggleArray::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    for (ToggleButton& button : buttons)
        button.handleEvent(event);

    if (event.type == sf::Event::Resized) {
        reanchor(event.size.width, event.size.height);
        const float width = static_cast<float>(event.size.width);
        background.setSize({width, barHeight});
        const unsigned n = static_cast<unsigned>(buttons.size());
        const unsigned room = event.size.width > spacing ? event.size.width - spacing : 0;
        const float buttonWidth = n ? static_cast<float>(room / n) : 0;
        layout(buttonWidth, nullptr);
    } else if (event.type == sf::Event::MouseButtonPressed) {
        // A press on a button selects it; a press anywhere else keeps the selection.
        bool found = false;
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(buttons.size()); ++i) {
            if (buttons[i].on) {
                select(i);
                found = true;
            } else if (!found && valid(selected)) {
                buttons[selected].setOn(true);
            }
        }
    }
}

void ToggleArray::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    for (const ToggleButton& button : buttons)
        target.draw(button);
}
