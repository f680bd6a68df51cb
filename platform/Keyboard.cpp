#include "platform/Keyboard.hpp"

#include <SFML/Window/Keyboard.hpp>

namespace {
bool (*controlSource)() = nullptr;
}

bool leftControlHeld()
{
    if (controlSource)
        return controlSource();
    return sf::Keyboard::isKeyPressed(sf::Keyboard::LControl);
}

void setLeftControlSource(bool (*source)())
{
    controlSource = source;
}
