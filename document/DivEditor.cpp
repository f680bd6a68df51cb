#include "document/DivEditor.hpp"

#include "app/Globals.hpp"
#include "platform/Keyboard.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace {
const sf::Color textColour(0, 0, 0, 255);
const sf::Color caretColour(0, 0, 0, 255);
} // namespace

DivEditor::DivEditor()
{
    display.setFillColor(textColour);
    display.setCharacterSize(characterSize);
    if (appFont)
        display.setFont(*appFont);
    caret.setSize({1, 20});
    caret.setFillColor(caretColour);
}

void DivEditor::setMargins(float left, float top, float right, float bottom)
{
    marginLeft = left;
    marginTop = top;
    marginRight = right;
    marginBottom = bottom;
    display.setPosition(std::floor(rect.left + left), std::floor(rect.top + top));
    rewrap(); // which places the caret again
}

void DivEditor::setSize(float width, float height)
{
    rect.width = width;
    rect.height = height;
    rewrap(); // which sets the height anew and places the caret again
}

void DivEditor::setText(const sf::String& string)
{
    text = string;
    rewrap();
    setCursor(text.getSize());
}

void DivEditor::setCursor(std::size_t index)
{
    const std::size_t length = text.getSize();
    index = length == 0 ? 0 : std::min(index, length);
    cursor = selStart = selEnd = static_cast<std::uint32_t>(index);

    // At the very end of a text whose length fills whole lines the caret is drawn on
    // the last character's cell rather than past the line's capacity.
    std::size_t j = index;
    if (length > 0 && index == length && index % lineChars == 0)
        j = index - 1;
    const sf::Vector2f position = display.findCharacterPos(j);
    caret.setPosition(position);
    caretOffset = position - display.getPosition();
}

void DivEditor::placeCursorAt(int x, int y)
{
    const sf::Vector2f origin = display.getPosition();
    const float lines = static_cast<float>(lineLengths.size());
    float line = std::floor((y - std::floor(origin.y) - 2) / lineHeight);
    line = std::max(0.f, std::min(line, lines - 1));
    const std::size_t row = static_cast<std::size_t>(line);

    const float dx = x - std::floor(origin.x);
    const std::uint32_t length = lineLengths[row];
    std::uint32_t column;
    if (dx > cellWidth * length)
        column = length;
    else if (dx < 0)
        column = 0;
    else
        column = static_cast<std::uint32_t>(std::floor(dx / cellWidth + 0.5f));

    caret.setPosition(origin.x + cellWidth * column - 1, origin.y + lineHeight * row + 4);
    caretOffset = caret.getPosition() - origin;

    std::size_t before = 0;
    for (std::size_t i = 0; i < row; ++i)
        before += lineLengths[i];
    cursor = static_cast<std::uint32_t>(std::min<std::size_t>(text.getSize(), before + column));
}

// Breaks text into lines of lineChars cells. A line breaks after the last space that
// keeps it below capacity, the space turning into the line break; a word that fills a
// whole line is cut, its last cell becoming the break. display keeps one character per
// character of text throughout.
void DivEditor::rewrap()
{
    const float cells = (rect.width - marginLeft - marginRight) / (0.6f * display.getCharacterSize());
    lineChars = cells < 1 ? 1 : static_cast<std::uint32_t>(cells);

    std::basic_string<sf::Uint32> out, line, word;
    out.reserve(text.getSize());
    lineLengths.assign(1, 0);

    auto endLine = [&] {
        if (!line.empty() && line.back() == ' ')
            line.back() = '\n';
        out += line;
        line.clear();
        lineLengths.push_back(0);
    };

    for (const sf::Uint32 b : text) {
        if (word.size() == lineChars) {
            if (!line.empty())
                endLine();
            word.back() = '\n';
            out += word;
            lineLengths.back() = lineChars;
            word.clear();
            lineLengths.push_back(0);
            if (b == ' ') {
                line.assign(1, ' '); // the space after a full-line word starts the next line
                lineLengths.back() = 1;
            } else {
                word.push_back(b);
            }
            continue;
        }
        const std::size_t c = line.size();
        if (b != ' ') {
            word.push_back(b);
        } else {
            if (c + word.size() >= lineChars)
                endLine();
            line += word;
            line.push_back(' ');
            lineLengths.back() = static_cast<std::uint32_t>(line.size());
            word.clear();
        }
    }
    if (!word.empty()) {
        if (!line.empty() && line.size() + word.size() >= lineChars)
            endLine();
        line += word;
        lineLengths.back() = static_cast<std::uint32_t>(line.size());
    }
    out += line;

    display.setString(sf::String(out));
    rewrapped = true;
    rect.height = lineLengths.size() * lineHeight + marginTop + marginBottom;
    setCursor(cursor);
}

void DivEditor::placeAt(float y)
{
    const sf::Vector2f before = display.getPosition();
    rect.left = 465;
    rect.top = y;
    const sf::Vector2f after(std::floor(rect.left + marginLeft), std::floor(y + marginTop));
    display.setPosition(after);
    caret.setPosition(after + caretOffset);
    for (sf::RectangleShape& band : highlights)
        band.move(after - before);
    selStart = selEnd = cursor;
}

void DivEditor::clearFocus()
{
    focused = false;
    selStart = selEnd = 0;
    selectedText.clear();
    highlights.clear();
}

void DivEditor::handleEvent(const sf::Event& event)
{
    rewrapped = false;
    switch (event.type) {
    case sf::Event::TextEntered:
        onTextEntered(event.text.unicode);
        break;
    case sf::Event::KeyPressed:
        onKeyPressed(event.key.code);
        break;
    case sf::Event::MouseButtonPressed:
        onMousePressed(event.mouseButton);
        break;
    case sf::Event::MouseMoved:
        onMouseMoved(event.mouseMove);
        break;
    case sf::Event::MouseButtonReleased:
        onMouseReleased(event.mouseButton);
        break;
    default:
        break;
    }
}

void DivEditor::onTextEntered(sf::Uint32 code)
{
    if (!focused || dragging)
        return;
    if (code < 32 && code != 8)
        return;
    if (selStart != selEnd) {
        eraseSelection();
        rewrap(); // the display must match the text before anything is appended to it
        if (code == 8)
            return;
    } else if (code == 8) {
        deleteBeforeCaret();
        return;
    }
    insertCharacter(code);
}

void DivEditor::insertCharacter(sf::Uint32 code)
{
    if (caseMode == CaseMode::Upper && code >= 'a' && code <= 'z')
        code -= 32;
    const bool atEnd = cursor == text.getSize();
    text.insert(cursor, sf::String(code));
    ++cursor;
    if (atEnd && lineLengths.back() + 1 < lineChars) {
        sf::String shown = display.getString();
        shown += code;
        display.setString(shown);
        ++lineLengths.back();
    } else {
        rewrap();
    }
    setCursor(cursor);
}

void DivEditor::deleteBeforeCaret()
{
    if (text.isEmpty() || cursor == 0)
        return;
    const bool atEnd = cursor == text.getSize();
    --cursor;
    text.erase(cursor);
    if (atEnd && lineLengths.back() >= 2) {
        sf::String shown = display.getString();
        shown.erase(shown.getSize() - 1);
        display.setString(shown);
        --lineLengths.back();
    } else {
        rewrap();
    }
    setCursor(cursor);
}

void DivEditor::onKeyPressed(sf::Keyboard::Key key)
{
    if (!focused || dragging)
        return;
    const std::size_t length = text.getSize();
    switch (key) {
    case sf::Keyboard::C:
        if (leftControlHeld())
            copy();
        break;
    case sf::Keyboard::X:
        if (leftControlHeld())
            cut();
        break;
    case sf::Keyboard::V:
        if (leftControlHeld())
            paste();
        break;
    case sf::Keyboard::Left:
        if (cursor == 0)
            throw OutOfRange(-1);
        setCursor(cursor - 1);
        break;
    case sf::Keyboard::Right:
        if (cursor == length)
            throw OutOfRange(+1);
        setCursor(cursor + 1);
        break;
    case sf::Keyboard::Up:
        if (cursor < lineChars)
            throw OutOfRange(-1);
        setCursor(cursor - lineChars);
        break;
    case sf::Keyboard::Down:
        if (cursor + lineChars >= length)
            throw OutOfRange(+1);
        setCursor(cursor + lineChars);
        break;
    default:
        break;
    }
}

void DivEditor::onMousePressed(const sf::Event::MouseButtonEvent& press)
{
    if (press.button != sf::Mouse::Left)
        return;
    dragging = true;
    const sf::Vector2f p = mapToView(press.x, press.y, *view);
    if (rect.contains(p)) {
        focused = true;
        placeCursorAt(static_cast<int>(p.x), static_cast<int>(p.y));
        selStart = selEnd = cursor;
    } else {
        clearFocus();
    }
}

void DivEditor::onMouseMoved(const sf::Event::MouseMoveEvent& move)
{
    if (!dragging || !focused)
        return;
    const sf::Vector2f p = mapToView(move.x, move.y, *view);
    if (!rect.contains(p))
        return;
    placeCursorAt(static_cast<int>(p.x), static_cast<int>(p.y));
    selEnd = cursor;
    setHighlight(cursor, selStart);
}

void DivEditor::onMouseReleased(const sf::Event::MouseButtonEvent& release)
{
    if (release.button != sf::Mouse::Left)
        return;
    dragging = false;
    if (!focused)
        return;
    const sf::Vector2f p = mapToView(release.x, release.y, *view);
    if (!rect.contains(p))
        return;
    placeCursorAt(static_cast<int>(p.x), static_cast<int>(p.y));
    selEnd = cursor;
    if (selStart > cursor)
        std::swap(selStart, selEnd);
    updateSelection();
}

void DivEditor::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    for (const sf::RectangleShape& band : highlights)
        target.draw(band);
    target.draw(display);
    if (focused)
        target.draw(caret);
}
