#include "ui/EditBox.hpp"

#include "ui/Font.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace {
const sf::Color boxFill(10, 10, 15, 255);
const sf::Color boxOutline(60, 60, 90, 255);
const sf::Color textColour(255, 255, 255, 255);
const sf::Color caretColour(255, 255, 255, 255);
const sf::Color highlightColour(100, 80, 100, 255);
constexpr float cell = 12;       // pixels per character
constexpr float textInset = 10;  // pixels from the box's corner to the text
} // namespace

EditBox::EditBox()
{
    shape.setFillColor(boxFill);
    shape.setOutlineThickness(2);
    shape.setOutlineColor(boxOutline);
    display.setFillColor(textColour);
    display.setCharacterSize(20);
    caret.setPosition(display.getPosition());
    caret.setSize({1, 20});
    caret.setFillColor(caretColour);
    highlight.setSize({0, 20});
    highlight.setFillColor(highlightColour);
}

void EditBox::setRect(float x, float y, float width, float height)
{
    rect = {x, y, width, height};
    shape.setPosition(x, y);
    shape.setSize({width, height});
    display.setPosition(std::floor(x + textInset), std::floor(y + textInset));
    if (appFont)
        display.setFont(*appFont);
    highlight.setPosition(x, y);
}

void EditBox::setText(const sf::String& string)
{
    text = string;
    display.setString(text);
    setCursor(text.getSize());
}

sf::Vector2f EditBox::origin() const
{
    return display.getPosition();
}

void EditBox::follow(std::size_t index)
{
    const float room = rect.width - 2 * textInset;
    const std::size_t cells = room > cell ? static_cast<std::size_t>(room / cell) : 1;
    if (index < m_scrolled)
        m_scrolled = index;
    else if (index > m_scrolled + cells)
        m_scrolled = index - cells;
    m_scrolled = std::min(m_scrolled, text.getSize());
    display.setPosition(std::floor(rect.left + textInset) - cell * static_cast<float>(m_scrolled), display.getPosition().y);
}

void EditBox::setCursor(std::size_t index)
{
    index = text.isEmpty() ? 0 : std::min(index, text.getSize());
    follow(index);
    cursor = selStart = selEnd = static_cast<std::uint32_t>(index);
    caret.setPosition(origin().x + cell * index, origin().y + 3);
    highlight.setSize({0, 20});
}

void EditBox::placeCursorAt(int x)
{
    const float left = std::trunc(origin().x);
    const float dx = x - left;
    const std::size_t length = text.getSize();
    long column;
    if (dx > cell * length)
        column = static_cast<long>(length);
    else
        column = std::max(0L, static_cast<long>(dx / cell + 0.5f));
    caret.setPosition(left + cell * column - 1, origin().y + 4);
    cursor = static_cast<std::uint32_t>(std::min<std::size_t>(length, column));
}

void EditBox::setHighlight(std::size_t a, std::size_t b)
{
    if (a == b) {
        highlight.setSize({0, 20});
        return;
    }
    const std::size_t lo = std::min(a, b), hi = std::max(a, b);
    highlight.setPosition(origin().x + cell * lo, origin().y + 3);
    highlight.setSize({cell * (hi - lo), 20});
}

void EditBox::updateSelection()
{
    if (selStart == selEnd) {
        highlight.setSize({0, 20});
        return;
    }
    if (selEnd < selStart)
        std::swap(selStart, selEnd);
    setHighlight(selStart, selEnd);
}

void EditBox::unfocus()
{
    focused = false;
    selStart = selEnd = 0;
    highlight.setSize({0, 20});
}

void EditBox::onTextEntered(sf::Uint32 code)
{
    if (!focused || dragging || (code != 8 && !isText(code)))
        return;
    if (hasSelection()) {
        eraseSelectedText();
        updateSelection();
        setCursor(cursor);
        if (code == 8) {
            display.setString(text);
            return;
        }
    } else if (code == 8) {
        if (text.isEmpty() || cursor == 0)
            return;
        --cursor;
        text.erase(cursor);
        display.setString(text);
        setCursor(cursor);
        return;
    }
    text.insert(cursor, sf::String(code));
    ++cursor;
    display.setString(text);
    setCursor(cursor);
}

void EditBox::selectAll()
{
    setCursor(text.getSize());
    selStart = 0;
    selEnd = cursor;
    updateSelection();
}

void EditBox::deleteForward()
{
    if (hasSelection())
        eraseSelectedText();
    else if (cursor < text.getSize())
        text.erase(cursor);
    display.setString(text);
    setCursor(cursor);
}

// With Shift the selection stretches from where it was begun to the caret's new place.
void EditBox::onKeyPressed(const sf::Event::KeyEvent& key)
{
    if (!focused)
        return;
    const std::size_t length = text.getSize();
    std::size_t to = cursor;
    switch (key.code) {
    case sf::Keyboard::A:
        if (key.control)
            selectAll();
        return;
    case sf::Keyboard::Delete:
        deleteForward();
        return;
    case sf::Keyboard::Left:
        to = hasSelection() && !key.shift ? selectionBegin() : cursor > 0 ? cursor - 1 : 0;
        break;
    case sf::Keyboard::Right:
        to = hasSelection() && !key.shift ? selectionEnd() : std::min(length, std::size_t(cursor) + 1);
        break;
    case sf::Keyboard::Home:
        to = 0;
        break;
    case sf::Keyboard::End:
        to = length;
        break;
    default:
        return;
    }
    const std::uint32_t anchor = !hasSelection() ? cursor : selStart == cursor ? selEnd : selStart;
    setCursor(to);
    if (key.shift) {
        selStart = anchor;
        selEnd = cursor;
        setHighlight(selStart, selEnd);
    }
}

void EditBox::onMousePressed(const sf::Event::MouseButtonEvent& press)
{
    if (press.button != sf::Mouse::Left)
        return;
    const sf::Vector2f p = toView(press.x, press.y);
    dragging = true;
    if (rect.contains(p)) {
        focused = true;
        placeCursorAt(static_cast<int>(p.x));
        selStart = selEnd = cursor;
        highlight.setSize({0, 20});
    } else {
        unfocus();
    }
}

void EditBox::onMouseMoved(const sf::Event::MouseMoveEvent& move)
{
    if (!dragging || !focused)
        return;
    const sf::Vector2f p = toView(move.x, move.y);
    if (!rect.contains(p))
        return;
    placeCursorAt(static_cast<int>(p.x));
    selEnd = cursor;
    setHighlight(cursor, selStart);
}

void EditBox::onMouseReleased(const sf::Event::MouseButtonEvent& release)
{
    if (release.button != sf::Mouse::Left)
        return;
    const sf::Vector2f p = toView(release.x, release.y);
    dragging = false;
    if (!focused || !rect.contains(p))
        return;
    placeCursorAt(static_cast<int>(p.x));
    selEnd = cursor;
    if (selStart > cursor)
        std::swap(selStart, selEnd);
    updateSelection();
}

// The text is clipped to the box, so that a long line does not run over what is beside it.
void EditBox::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    target.draw(shape);
    const sf::View old = target.getView();
    const sf::FloatRect box = shape.getGlobalBounds();
    const sf::Vector2i from = target.mapCoordsToPixel({box.left, box.top}, old);
    const sf::Vector2i to = target.mapCoordsToPixel({box.left + box.width, box.top + box.height}, old);
    const sf::Vector2f size(target.getSize());
    sf::View clip(box);
    clip.setViewport({from.x / size.x, from.y / size.y, (to.x - from.x) / size.x, (to.y - from.y) / size.y});
    target.setView(clip);
    target.draw(highlight);
    target.draw(display);
    if (focused)
        target.draw(caret);
    target.setView(old);
}
