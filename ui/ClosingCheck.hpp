#pragma once

#include "ui/Button.hpp"
#include "ui/Group.hpp"

#include <functional>
#include <vector>

// Asked when the window is closed with unsaved changes: "Save and quit", "Quit without
// saving" or "Cancel". Worded "Save", "Discard changes" and "Cancel", the same dialog
// asks before another script is opened over unsaved changes; with "Open anyway" and
// "Cancel" under a line saying why, before a script open in another window is opened
// here too; with "Save anyway", "Save as…" and "Cancel" before a save over a file that
// another program changed (the middle button answering Discard). A press on a button closes it and reports the answer; Escape closes it with
// none.
class ClosingCheck : public Group {
public:
    enum class Purpose { Quit, Open, Shared, Changed };
    enum class Answer { Save, Discard, Cancel };

    ClosingCheck(const sf::RenderTarget& window, Purpose purpose);
    void handleEvent(const sf::Event& event) override;
    // Opens with a line over the buttons.
    void ask(const sf::String& question);

    sf::Text message;
    Button saveQuitButton;
    Button quitButton;
    Button cancelButton;
    std::function<void(Answer)> onAnswer;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void onMouseButtonPressed();
    std::vector<Button*> buttons();

    Purpose purpose;
};
