#pragma once

#include "ui/Button.hpp"
#include "ui/Group.hpp"

#include <cstdint>
#include <string>
#include <vector>

class App;

// The dialog that lists the scripts of the user folder under a first entry "Empty" and
// opens the chosen one. Choosing takes a press on an entry, then one on "Open". An entry
// that cannot be opened keeps the list open with a line that says so.
class FileList : public Group {
public:
    FileList();
    void refresh();
    void buildButtons();
    void setOpen(bool open) override;
    void handleEvent(const sf::Event& event) override;

    std::vector<std::string> names; // names[0] is the template "empty"; UTF-8
    std::vector<Button> entries;
    Button openButton;
    Button deleteButton;
    sf::Text message; // why the last entry could not be opened; empty otherwise
    std::int32_t selected = 0;
    App* app = nullptr;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void onMouseButtonPressed();
    // Scrolls a list taller than the window, keeping its top and bottom reachable.
    void onWheel(float delta);
};
