#include "app/App.hpp"

#include <algorithm>
#include <thread>

namespace {
// The next event. The loop sleeps in the window's wait until one comes, except while the
// App has work due at a moment: then it looks for events and for that moment in turn,
// napping in between, so that the work is done on time without a busy loop, and draws a
// frame when that work changed what the window shows.
bool nextEvent(App& app, sf::Event& event)
{
    using namespace std::chrono_literals;
    sf::RenderWindow& window = app.window();
    while (window.isOpen() && app.nextWakeUp()) {
        if (window.pollEvent(event))
            return true;
        const App::Clock::time_point now = App::Clock::now();
        app.tick(now);
        if (app.takeFrameWanted()) {
            app.render();
            window.display();
        }
        if (const auto due = app.nextWakeUp())
            std::this_thread::sleep_for(std::clamp<App::Clock::duration>(*due - now, 5ms, 20ms));
    }
    return window.isOpen() && window.waitEvent(event);
}
} // namespace

// Handles every event that is waiting, then draws one frame. Drawing once per batch
// keeps a fast typist or key repeat from piling events up behind the 60-frame limit.
int main(int, char**)
{
    App app;
    sf::RenderWindow& window = app.window();
    sf::Event event;
    while (window.isOpen()) {
        if (!nextEvent(app, event))
            continue;
        do
            app.handleEvent(event);
        while (window.isOpen() && window.pollEvent(event));
        app.render();
        window.display();
        app.takeFrameWanted();
    }
    return 0;
}
