#pragma once

#include "ui/Button.hpp"
#include "ui/EditBox.hpp"
#include "ui/Group.hpp"

class App;

// The dialog that asks for the name under which a script is saved for the first time.
class SaveAs : public Group {
public:
    SaveAs();
    void setOpen(bool open) override;
    void handleEvent(const sf::Event& event) override;

    EditBox nameBox;
    Button saveButton;
    App* app = nullptr;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};
