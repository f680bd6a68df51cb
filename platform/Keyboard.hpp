#pragma once

#include <SFML/Window/Event.hpp>

// The left Control key and the Shift keys as the window's event stream reports them.
// Each event is judged by the state at the time it was made, not by the live keyboard,
// which has often moved on by the time a queued event is handled. The right Control key
// does not count.
class Modifiers {
public:
    // Shown every event before anything else sees it.
    void follow(const sf::Event& event);
    bool control() const { return controlDown; }
    bool shift() const { return leftShiftDown || rightShiftDown; }

private:
    bool controlDown = false;
    bool leftShiftDown = false, rightShiftDown = false;
};
