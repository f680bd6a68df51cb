#pragma once

#include "ui/Button.hpp"
#include "ui/Group.hpp"

class App;

// Asked when the window is closed with unsaved changes: save and quit, quit without
// saving, or cancel. The App polls `quit` after every event.
class ClosingCheck : public Group {
public:
    ClosingCheck();
    void setup(App* owner);
    void handleEvent(const sf::Event& event) override;

    Button saveQuitButton;
    Button quitButton;
    Button cancelButton;
    bool quit = false;
    // "Save and quit" on an untitled script: quit once the save-as panel has saved it.
    bool awaitingSave = false;
    App* app = nullptr;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void onMouseButtonPressed();
};
