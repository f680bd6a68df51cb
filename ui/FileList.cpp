#include "ui/FileList.hpp"

#include "app/App.hpp"
#include "files/UserFolder.hpp"

#include <algorithm>
#include <cmath>

namespace {
const sf::Color dialogOutline(65, 65, 90, 255);
constexpr float left = 700, top = 300, width = 520;
constexpr float entryLeft = 720, entryWidth = 480, rowHeight = 40;
constexpr float scrollStep = 32;  // pixels per wheel notch
constexpr float scrollMargin = 20; // room kept below the panel when scrolled to its end

sf::FloatRect entryRect(std::size_t i)
{
    const float y = i == 0 ? 320 : 340 + rowHeight * i;
    return {entryLeft, y, entryWidth, rowHeight};
}
} // namespace

FileList::FileList() : Group({0, 0, 1920, 1000})
{
    applyDialogLook(200, dialogOutline);
    refresh();
}

void FileList::refresh()
{
    names.assign(1, "empty");
    for (std::string& name : listScriptNames())
        names.push_back(std::move(name));
    background.setPosition(left, top);
    background.setSize({width, rowHeight * names.size() + 200});
}

void FileList::buildButtons()
{
    entries.clear();
    entries.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const sf::FloatRect r = entryRect(i);
        const sf::String label = i == 0 ? sf::String("Empty") : sf::String::fromUtf8(names[i].begin(), names[i].end());
        entries[i].setup(label, r.left, r.top, r.width, r.height);
        entries[i].view = &view;
    }
    const float buttonsTop = 450 + rowHeight * names.size();
    openButton.setup("Open", 720, buttonsTop, 200, 40);
    deleteButton.setup("Delete", 1000, buttonsTop, 200, 40);
    openButton.view = &view;
    deleteButton.view = &view;
}

void FileList::setOpen(bool open)
{
    Group::setOpen(open);
    message.setString("");
    if (!open)
        return;
    refresh();
    buildButtons();
    view.setCenter(view.getCenter().x, view.getSize().y * 0.5f); // back at the top of the list
}

void FileList::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    for (Button& entry : entries)
        entry.handleEvent(event);
    openButton.handleEvent(event);
    deleteButton.handleEvent(event);

    switch (event.type) {
    case sf::Event::Resized:
        recentre(event.size.width, event.size.height);
        break;
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::Escape)
            setOpen(false);
        break;
    case sf::Event::MouseButtonPressed:
        onMouseButtonPressed();
        break;
    case sf::Event::MouseWheelScrolled:
        onWheel(event.mouseWheelScroll.delta);
        break;
    default:
        break;
    }
}

void FileList::onMouseButtonPressed()
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].clicked)
            selected = static_cast<std::int32_t>(i);
    if (!openButton.clicked)
        return;
    if (selected < 0 || selected >= static_cast<std::int32_t>(names.size())) {
        selected = 0; // the list changed under a kept choice: open nothing
    } else {
        const std::string name = selected == 0 ? std::string() : names[selected];
        if (!app->openScript(name)) {
            setDialogMessage(message, sf::String::fromUtf8(app->problem.begin(), app->problem.end()),
                             395 + rowHeight * names.size());
            return;
        }
    }
    setOpen(false);
}

void FileList::onWheel(float delta)
{
    const float height = view.getSize().y;
    const float panelBottom = top + background.getSize().y + background.getOutlineThickness() + scrollMargin;
    const float lowest = height * 0.5f + std::max(0.f, panelBottom - height);
    const float y = view.getCenter().y + std::floor(-scrollStep * delta);
    view.setCenter(view.getCenter().x, std::max(height * 0.5f, std::min(y, lowest)));
}

void FileList::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    for (const Button& entry : entries)
        target.draw(entry);
    target.draw(openButton);
    target.draw(deleteButton);
    target.draw(message);
}
