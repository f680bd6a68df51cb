#include "ui/SaveAs.hpp"

#include "app/App.hpp"

namespace {
const sf::Color dialogOutline(10, 10, 15, 255);
constexpr float messageTop = 452;
} // namespace

SaveAs::SaveAs()
{
    applyDialogLook(200, dialogOutline);
    nameBox.view = &view;
    saveButton.view = &view;
}

void SaveAs::setOpen(bool open)
{
    Group::setOpen(open);
    message.setString("");
    if (!open)
        return;
    nameBox.setText(app ? sf::String::fromUtf8(app->suggestedName.begin(), app->suggestedName.end()) : sf::String());
    nameBox.focused = true;
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
    if (nameBox.text.isEmpty())
        return;
    const std::basic_string<sf::Uint8> bytes = nameBox.text.toUtf8();
    if (app->saveScriptAs(std::string(bytes.begin(), bytes.end())))
        setOpen(false);
    else
        setDialogMessage(message, sf::String::fromUtf8(app->problem.begin(), app->problem.end()), messageTop);
}

void SaveAs::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(nameBox);
    target.draw(saveButton);
    target.draw(message);
}
