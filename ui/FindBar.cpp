#include "ui/FindBar.hpp"

#include "ui/Font.hpp"

namespace {
const sf::Color barColour(40, 40, 60, 240);
const sf::Color labelColour(200, 200, 220, 255);
constexpr float left = 470;    // the sheet's left edge, and a little
constexpr float rowHeight = 40; // of a box or a button
constexpr float firstRow = FindBar::top + 8, secondRow = firstRow + rowHeight + 6;
constexpr float boxLeft = left + 100, boxWidth = 330;
constexpr unsigned labelSize = 18;

void setLabel(sf::Text& text, const sf::String& string, float x, float y)
{
    if (appFont)
        text.setFont(*appFont);
    text.setString(string);
    text.setCharacterSize(labelSize);
    text.setFillColor(labelColour);
    text.setPosition(x, y);
}
} // namespace

FindBar::FindBar(const sf::RenderTarget& window) : Group(window)
{
    background.setPosition(left - 5, top);
    background.setSize({1000, height});
    background.setFillColor(barColour);
    for (Widget* widget : std::initializer_list<Widget*>{&findBox, &replaceBox, &matchCase, &wholeWords, &previous, &next,
                                                         &replace, &replaceAll})
        widget->bind(window, view);
    setLabel(findLabel, "Find", left + 5, firstRow + 9);
    setLabel(replaceLabel, "Replace", left + 5, secondRow + 9);
    findBox.setRect(boxLeft, firstRow, boxWidth, rowHeight);
    replaceBox.setRect(boxLeft, secondRow, boxWidth, rowHeight);
    const sf::String matchText = "Match case", wholeText = "Whole words";
    float x = boxLeft + boxWidth + 12;
    matchCase.layout(x, firstRow, 150, rowHeight, &matchText);
    wholeWords.layout(x + 160, firstRow, 160, rowHeight, &wholeText);
    previous.setup("Previous", x, secondRow, 120, rowHeight);
    next.setup("Next", x + 130, secondRow, 80, rowHeight);
    replace.setup("Replace", x + 220, secondRow, 110, rowHeight);
    replaceAll.setup("Replace all", x + 340, secondRow, 150, rowHeight);
    setLabel(status, "", x + 330, firstRow + 9);
    setOpen(false);
}

void FindBar::start(const sf::String& sought)
{
    setOpen(true);
    replaceBox.unfocus();
    if (!sought.isEmpty())
        findBox.setText(sought);
    findBox.focused = true;
    findBox.selStart = 0;
    findBox.selEnd = findBox.cursor = static_cast<std::uint32_t>(findBox.text.getSize());
    findBox.updateSelection();
}

void FindBar::unfocus()
{
    findBox.unfocus();
    replaceBox.unfocus();
}

void FindBar::setStatus(const sf::String& text)
{
    if (status.getString() != text)
        status.setString(text);
}

bool FindBar::takes(const sf::Event& event) const
{
    if (!isOpen())
        return false;
    if (event.type == sf::Event::KeyPressed || event.type == sf::Event::TextEntered)
        return focused();
    if (event.type == sf::Event::MouseButtonPressed)
        return background.getGlobalBounds().contains(toView(event.mouseButton.x, event.mouseButton.y));
    return false;
}

void FindBar::handleEvent(const sf::Event& event)
{
    if (ignores(event) || !isOpen())
        return;
    switch (event.type) {
    case sf::Event::KeyPressed:
        if (focused())
            onKeyPressed(event.key);
        break;
    case sf::Event::TextEntered: {
        const sf::String before = findBox.text;
        if (event.text.unicode == '\t' || event.text.unicode == '\r' || event.text.unicode == '\n')
            break;
        findBox.handleEvent(event);
        replaceBox.handleEvent(event);
        if (findBox.text != before)
            command(Command::Changed);
        break;
    }
    case sf::Event::MouseButtonPressed:
        onMousePressed(event);
        break;
    default:
        findBox.handleEvent(event);
        replaceBox.handleEvent(event);
        for (Button* button : {&previous, &next, &replace, &replaceAll})
            button->handleEvent(event);
        break;
    }
}

void FindBar::onKeyPressed(const sf::Event::KeyEvent& key)
{
    const bool inFind = findBox.focused;
    switch (key.code) {
    case sf::Keyboard::Tab: {
        EditBox& to = inFind ? replaceBox : findBox;
        unfocus();
        to.focused = true;
        to.setCursor(to.text.getSize());
        break;
    }
    case sf::Keyboard::Enter:
        command(key.control ? Command::ReplaceAll : !inFind ? Command::Replace : key.shift ? Command::Previous : Command::Next);
        break;
    case sf::Keyboard::Escape:
        command(Command::Close);
        break;
    default: {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = key;
        (inFind ? findBox : replaceBox).handleEvent(event);
        break;
    }
    }
}

void FindBar::onMousePressed(const sf::Event& event)
{
    findBox.handleEvent(event);
    replaceBox.handleEvent(event);
    const int x = event.mouseButton.x, y = event.mouseButton.y;
    for (ToggleButton* toggle : {&matchCase, &wholeWords})
        if (toggle->hits(x, y)) {
            toggle->setOn(!toggle->on);
            command(Command::Changed);
        }
    const std::pair<Button*, Command> buttons[] = {
        {&previous, Command::Previous}, {&next, Command::Next}, {&replace, Command::Replace}, {&replaceAll, Command::ReplaceAll}};
    for (const auto& [button, what] : buttons) {
        button->handleEvent(event);
        if (button->clicked)
            command(what);
    }
}

void FindBar::command(Command what)
{
    if (onCommand)
        onCommand(what);
}

void FindBar::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(findLabel);
    target.draw(replaceLabel);
    for (const sf::Drawable* widget : std::initializer_list<const sf::Drawable*>{&findBox, &replaceBox, &matchCase, &wholeWords,
                                                                              &previous, &next, &replace, &replaceAll})
        target.draw(*widget);
    target.draw(status);
}
