#pragma once

#include "ui/Button.hpp"
#include "ui/EditBox.hpp"
#include "ui/Group.hpp"

#include <functional>
#include <string>

// The dialog that asks for the name under which a script is saved for the first time.
// It opens with a focused name box, empty or holding a name offered to it; a name that
// cannot be saved keeps it open with a line that says why. Return confirms as the button
// does.
class SaveAs : public Group {
public:
    explicit SaveAs(const sf::RenderTarget& window);
    void setOpen(bool open) override;
    // Opens with a name in the box.
    void openWith(const sf::String& name);
    void handleEvent(const sf::Event& event) override;

    EditBox nameBox;
    Button saveButton;
    sf::Text message; // why the last name could not be saved; empty otherwise
    // Saves under a name (UTF-8); says why it could not, or "" once it did.
    std::function<std::string(const std::string& name)> onSave;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void confirm();
};
