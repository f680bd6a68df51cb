#include "platform/Keyboard.hpp"

namespace {
bool controlDown = false;
}

void followKeyboard(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::LControl)
        controlDown = true;
    else if (event.type == sf::Event::KeyReleased && event.key.code == sf::Keyboard::LControl)
        controlDown = false;
    else if (event.type == sf::Event::LostFocus)
        controlDown = false; // its release goes to whichever window has the focus
}

bool leftControlHeld()
{
    return controlDown;
}
