#include "app/App.hpp"

// Handles every event that is waiting, then draws one frame. Drawing once per batch
// keeps a fast typist or key repeat from piling events up behind the 60-frame limit,
// where a queued letter would meet a Control key pressed after it.
int main(int, char**)
{
    App app;
    sf::Event event;
    while (app.window.isOpen()) {
        if (!app.window.waitEvent(event))
            continue;
        do
            app.handleEvent(event);
        while (app.window.isOpen() && app.window.pollEvent(event));
        app.render();
        app.window.display();
    }
    return 0;
}
