#include "ui/SaveAs.hpp"

#include "files/TextCodec.hpp"

namespace {
const sf::Color dialogOutline(10, 10, 15, 255);
constexpr float messageTop = 452;
} // namespace

SaveAs::SaveAs(const sf::RenderTarget& window) : Group(window)
{
    applyDialogLook(200, dialogOutline);
    nameBox.bind(window, view);
    nameBox.setRect(720, 320, 480, 50);
    nameBox.focused = true;
    saveButton.bind(window, view);
    saveButton.setup("Save As", 800, 400, 320, 40);
}

void SaveAs::setOpen(bool open)
{
    Group::setOpen(open);
    message.setString("");
    if (!open)
        return;
    nameBox.setText(sf::String());
    nameBox.focused = true;
}

// An offered name is selected: typing replaces it, Return takes it.
void SaveAs::openWith(const sf::String& name)
{
    setOpen(true);
    nameBox.setText(name);
    nameBox.selectAll();
}

void SaveAs::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    nameBox.handleEvent(event);
    saveButton.handleEvent(event);

    if (event.type == sf::Event::Resized) {
        recentre(event.size.width, event.size.height);
    } else if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape) {
        setOpen(false);
    } else if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Enter) {
        confirm();
    } else if (event.type == sf::Event::MouseButtonPressed && saveButton.clicked) {
        confirm();
    }
}

void SaveAs::confirm()
{
    if (nameBox.text.isEmpty() || !onSave)
        return;
    const std::basic_string<sf::Uint8> bytes = nameBox.text.toUtf8();
    const std::string problem = onSave(std::string(bytes.begin(), bytes.end()));
    if (problem.empty())
        setOpen(false);
    else
        setDialogMessage(message, nameForDisplay(problem), messageTop);
}

void SaveAs::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(nameBox);
    target.draw(saveButton);
    target.draw(message);
}
