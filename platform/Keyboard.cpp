#include "platform/Keyboard.hpp"

void ControlKey::follow(const sf::Event& event)
{
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::LControl)
        down = true;
    else if (event.type == sf::Event::KeyReleased && event.key.code == sf::Keyboard::LControl)
        down = false;
    else if (event.type == sf::Event::LostFocus)
        down = false; // its release goes to whichever window has the focus
}
