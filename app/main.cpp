#include "app/App.hpp"

#include <algorithm>
#include <thread>

namespace {
// The next event. The loop sleeps in the window's wait until one comes, except while a
// recovery copy is due: then it looks for events and for the due time in turn, napping
// in between, so that the copy is written on time without a busy loop.
bool nextEvent(App& app, sf::Event& event)
{
    using namespace std::chrono_literals;
    while (app.window.isOpen() && app.recoveryDue) {
        if (app.window.pollEvent(event))
            return true;
        const App::Clock::time_point now = App::Clock::now();
        app.tick(now);
        if (app.recoveryDue)
            std::this_thread::sleep_for(std::min<App::Clock::duration>(20ms, *app.recoveryDue - now));
    }
    return app.window.isOpen() && app.window.waitEvent(event);
}
} // namespace

// Handles every event that is waiting, then draws one frame. Drawing once per batch
// keeps a fast typist or key repeat from piling events up behind the 60-frame limit.
int main(int, char**)
{
    App app;
    sf::Event event;
    while (app.window.isOpen()) {
        if (!nextEvent(app, event))
            continue;
        do
            app.handleEvent(event);
        while (app.window.isOpen() && app.window.pollEvent(event));
        app.render();
        app.window.display();
    }
    return 0;
}
