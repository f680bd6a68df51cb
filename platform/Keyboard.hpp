#pragma once

#include <SFML/Window/Event.hpp>

// The left Control key as the window's event stream reports it. Each event is judged by
// the Control state at the time it was made, not by the live keyboard, which has often
// moved on by the time a queued event is handled. The right Control key does not count.
class ControlKey {
public:
    // Shown every event before anything else sees it.
    void follow(const sf::Event& event);
    bool held() const { return down; }

private:
    bool down = false;
};
