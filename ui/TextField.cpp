#include "ui/TextField.hpp"

void TextField::handleEvent(const sf::Event& event)
{
    switch (event.type) {
    case sf::Event::TextEntered:
        onTextEntered(event.text.unicode);
        break;
    case sf::Event::KeyPressed:
        onKeyPressed(event.key);
        break;
    case sf::Event::MouseButtonPressed:
        onMousePressed(event.mouseButton);
        break;
    case sf::Event::MouseMoved:
        onMouseMoved(event.mouseMove);
        break;
    case sf::Event::MouseButtonReleased:
        onMouseReleased(event.mouseButton);
        break;
    default:
        break;
    }
}

void TextField::eraseSelectedText()
{
    const std::uint32_t from = selectionBegin();
    text.erase(from, selectionEnd() - from);
    cursor = selStart = selEnd = from;
}
