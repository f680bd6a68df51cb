#include "platform/Keyboard.hpp"

void Modifiers::follow(const sf::Event& event)
{
    const bool pressed = event.type == sf::Event::KeyPressed;
    if (pressed || event.type == sf::Event::KeyReleased) {
        if (event.key.code == sf::Keyboard::LControl)
            controlDown = pressed;
        else if (event.key.code == sf::Keyboard::LShift)
            leftShiftDown = pressed;
        else if (event.key.code == sf::Keyboard::RShift)
            rightShiftDown = pressed;
    } else if (event.type == sf::Event::LostFocus) {
        // their releases go to whichever window has the focus
        controlDown = leftShiftDown = rightShiftDown = false;
    }
}
