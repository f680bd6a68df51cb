#pragma once

#include "ui/Button.hpp"
#include "ui/EditBox.hpp"
#include "ui/Group.hpp"

class App;

// The dialog that asks for the name under which a script is saved for the first time.
// It opens with a focused name box, empty or holding the name the App suggests; a name that cannot be saved keeps it open
// with a line that says why. Return confirms as the button does.
class SaveAs : public Group {
public:
    SaveAs();
    void setOpen(bool open) override;
    void handleEvent(const sf::Event& event) override;

    EditBox nameBox;
    Button saveButton;
    sf::Text message; // why the last name could not be saved; empty otherwise
    App* app = nullptr;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void confirm();
};
