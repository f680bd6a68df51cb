#pragma once

#include "ui/Button.hpp"
#include "ui/Group.hpp"

class App;

// Asked when the window is closed with unsaved changes: save and quit, quit without
// saving, or cancel. The App polls `quit` after every event.
//
// The same dialog, with "Save", "Discard changes" and "Cancel", asks before another
// script is opened over unsaved changes; then the App takes the answer.
class ClosingCheck : public Group {
public:
    enum class Purpose { Quit, Open };

    ClosingCheck();
    void setup(App* owner, Purpose purpose = Purpose::Quit);
    void handleEvent(const sf::Event& event) override;

    Button saveQuitButton;
    Button quitButton;
    Button cancelButton;
    bool quit = false;
    // "Save and quit" on an untitled script: quit once the save-as panel has saved it.
    bool awaitingSave = false;
    App* app = nullptr;
    Purpose purpose = Purpose::Quit;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void onMouseButtonPressed();
};
