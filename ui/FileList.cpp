#include "ui/FileList.hpp"

#include "files/TextCodec.hpp"
#include "files/UserFolder.hpp"

#include <algorithm>
#include <cmath>

namespace {
const sf::Color dialogOutline(65, 65, 90, 255);
constexpr float left = 700, top = 300, width = 520;
constexpr float entryLeft = 720, entryWidth = 480, rowHeight = 40;
constexpr std::size_t rowChars = 38; // characters of a row's label, which fit its width
constexpr float scrollStep = 32;  // pixels per wheel notch
constexpr float scrollMargin = 20; // room kept below the panel when scrolled to its end
} // namespace

// Recovered copies take a row each above "Empty", which stands 20 pixels apart from the
// saved scripts below it.
sf::FloatRect FileList::entryRect(std::size_t entry) const
{
    const std::size_t above = recovered.size();
    float y = 320 + rowHeight * entry;
    if (entry > above)
        y += 20;
    return {entryLeft, y, entryWidth, rowHeight};
}

OpenChoice FileList::choice(std::size_t entry) const
{
    if (entry < recovered.size())
        return {OpenChoice::Kind::Recovered, recovered[entry].id};
    const std::size_t i = entry - recovered.size();
    if (i >= names.size() + fountains.size())
        return {OpenChoice::Kind::FinalDraft, fdxs[i - names.size() - fountains.size()]};
    if (i >= names.size())
        return {OpenChoice::Kind::Fountain, fountains[i - names.size()]};
    return i == 0 ? OpenChoice{} : OpenChoice{OpenChoice::Kind::Script, names[i]};
}

namespace {
// A label as one line that fits its row: a line break shown as a symbol (and any other
// control character as a space), a long one shortened in its middle, its end kept.
sf::String rowLabel(sf::String text)
{
    for (std::size_t i = 0; i < text.getSize(); ++i)
        if (text[i] == '\n')
            text[i] = 0x00B6; // the pilcrow, which the typeface has
        else if (text[i] < ' ' || text[i] == 127)
            text[i] = ' ';
    if (text.getSize() <= rowChars)
        return text;
    const std::size_t half = (rowChars - 1) / 2;
    return text.substring(0, half) + sf::String(sf::Uint32(0x2026)) + text.substring(text.getSize() - (rowChars - 1 - half));
}
} // namespace

FileList::FileList(const sf::RenderTarget& window) : Group(window, {0, 0, 1920, 1000})
{
    applyDialogLook(200, dialogOutline);
    refresh();
    buildButtons();
}

void FileList::refresh()
{
    recovered.clear();
    for (RecoveredCopy& copy : listRecoveries())
        if (!copy.held) // another running program's own copy is not for the taking
            recovered.push_back(std::move(copy));
    names.assign(1, "empty");
    for (std::string& name : listScriptNames())
        names.push_back(std::move(name));
    fountains = listFountainNames();
    fdxs = listFdxNames();
    background.setPosition(left, top);
    background.setSize({width, rowHeight * (recovered.size() + names.size() + fountains.size() + fdxs.size()) + 200});
}

void FileList::buildButtons()
{
    entries.clear();
    entries.resize(recovered.size() + names.size() + fountains.size() + fdxs.size());
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const sf::FloatRect r = entryRect(e);
        const OpenChoice opens = choice(e);
        std::string label = opens.name;
        if (opens.kind == OpenChoice::Kind::Recovered)
            label = recovered[e].label();
        else if (opens.kind == OpenChoice::Kind::Template)
            label = "Empty";
        else if (opens.kind == OpenChoice::Kind::Fountain)
            label += " (Fountain)";
        else if (opens.kind == OpenChoice::Kind::FinalDraft)
            label += " (Final Draft)";
        entries[e].setup(rowLabel(nameForDisplay(label)), r.left, r.top, r.width, r.height);
        entries[e].bind(*window, view);
    }
    const float buttonsTop = 450 + rowHeight * entries.size();
    openButton.setup("Open", 720, buttonsTop, 200, 40);
    deleteButton.setup("Delete", 1000, buttonsTop, 200, 40);
    openButton.bind(*window, view);
    deleteButton.bind(*window, view);
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
    if (selected < 0 || selected >= static_cast<std::int32_t>(entries.size())) {
        selected = 0; // the list changed under a kept choice: open nothing
        setOpen(false);
        return;
    }
    message.setString("");
    // On a failure the list stays with the reason; after a question it closes once the
    // script is open.
    if (onOpen && onOpen(choice(static_cast<std::size_t>(selected))) == Opening::Opened)
        setOpen(false);
}

void FileList::showProblem(const std::string& problem)
{
    setDialogMessage(message, nameForDisplay(problem), 395 + rowHeight * entries.size());
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
