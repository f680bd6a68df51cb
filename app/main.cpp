#include "app/App.hpp"

int main(int, char**)
{
    App app;
    while (app.window.isOpen()) {
        sf::Event event;
        while (app.window.waitEvent(event)) {
            app.handleEvent(event);
            app.render();
            app.window.display();
        }
    }
    return 0;
}
