#include "editor/DivEditor.hpp"

#include "ui/Font.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace {
const sf::Color textColour(0, 0, 0, 255);
const sf::Color caretColour(0, 0, 0, 255);
const sf::Color ghostColour(150, 150, 150, 255);
const sf::Color ruleColour(150, 150, 150, 255);
} // namespace

DivEditor::DivEditor()
{
    display.setFillColor(textColour);
    display.setCharacterSize(characterSize);
    ghost.setFillColor(ghostColour);
    ghost.setCharacterSize(characterSize);
    if (appFont) {
        display.setFont(*appFont);
        ghost.setFont(*appFont);
    }
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
    rewrap(); // which places the caret again, and the lines for their alignment
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
    cursor = static_cast<std::uint32_t>(std::min(index, text.getSize()));
    collapseSelection();
    placeCaret();
}

void DivEditor::placeCaret()
{
    const sf::Vector2f position = display.findCharacterPos(shownIndex(cursor));
    caret.setPosition(position);
    caretOffset = position - display.getPosition();
    ghost.setPosition(position);
}

void DivEditor::collapseSelection()
{
    selStart = selEnd = cursor;
    selectedText.clear();
    highlights.clear();
}

std::size_t DivEditor::shownIndex(std::size_t index) const
{
    const auto cuts = std::upper_bound(insertedBreaks.begin(), insertedBreaks.end(), index) - insertedBreaks.begin();
    return index + static_cast<std::size_t>(cuts);
}

std::uint32_t DivEditor::lineStart(std::size_t row) const
{
    std::uint32_t start = 0;
    for (std::size_t i = 0; i < row && i < lineLengths.size(); ++i)
        start += lineLengths[i];
    return start;
}

bool DivEditor::endsInCut(std::size_t row) const
{
    return std::binary_search(insertedBreaks.begin(), insertedBreaks.end(), lineStart(row) + lineLengths[row]);
}

std::uint32_t DivEditor::shownCells(std::size_t row) const
{
    const bool last = row + 1 >= lineLengths.size();
    return last || endsInCut(row) ? lineLengths[row] : lineLengths[row] - 1;
}

// A press right of a line's end puts the caret after the line's last shown character;
// one on a line cut inside a word puts it where the word goes on, at the next line.
void DivEditor::placeCursorAt(int x, int y)
{
    const sf::Vector2f origin = display.getPosition();
    const float lines = static_cast<float>(lineLengths.size());
    float line = std::floor((y - std::floor(origin.y) - 2) / lineHeight);
    line = std::max(0.f, std::min(line, lines - 1));
    const std::size_t row = static_cast<std::size_t>(line);

    const float dx = x - std::floor(origin.x);
    const std::uint32_t widest = row + 1 < lineLengths.size() && !endsInCut(row) ? lineLengths[row] - 1 : lineLengths[row];
    std::uint32_t column;
    if (dx < 0)
        column = 0;
    else
        column = std::min(widest, static_cast<std::uint32_t>(std::floor(dx / cellWidth + 0.5f)));
    cursor = static_cast<std::uint32_t>(std::min<std::size_t>(text.getSize(), lineStart(row) + column));
    placeCaret();
}

// Breaks text into lines of lineChars cells; a line shows at most lineChars - 1
// characters, so the caret after them still lies inside the line. A line breaks after the
// last space that keeps it below capacity, the space turning into the line break. A word longer than a line is cut into chunks of
// lineChars - 1 characters, each followed by an inserted line break.
void DivEditor::rewrap()
{
    const float cells = (rect.width - marginLeft - marginRight) / (0.6f * display.getCharacterSize());
    lineChars = cells < 1 ? 1 : static_cast<std::uint32_t>(cells);
    const std::size_t widest = lineChars > 1 ? lineChars - 1 : 1;

    const bool upper = caseMode == CaseMode::Upper;
    auto shown = [upper](sf::Uint32 c) { return upper && c >= 'a' && c <= 'z' ? c - 32 : c; };
    std::basic_string<sf::Uint32> out, line, word;
    out.reserve(text.getSize() + 8);
    lineLengths.assign(1, 0);
    insertedBreaks.clear();

    auto endLine = [&] {
        if (!line.empty() && line.back() == ' ')
            line.back() = '\n';
        out += line;
        line.clear();
        lineLengths.push_back(0);
    };

    for (std::size_t i = 0; i < text.getSize(); ++i) {
        const sf::Uint32 b = shown(text[i]);
        if (b != ' ') {
            word.push_back(b);
            if (word.size() > widest) { // fits no line: cut it
                if (!line.empty())
                    endLine();
                out.append(word, 0, widest);
                out.push_back('\n');
                lineLengths.back() = static_cast<std::uint32_t>(widest);
                lineLengths.push_back(0);
                insertedBreaks.push_back(static_cast<std::uint32_t>(i));
                word.erase(0, widest);
            }
            continue;
        }
        if (line.size() + word.size() >= lineChars)
            endLine();
        line += word;
        line.push_back(' ');
        lineLengths.back() = static_cast<std::uint32_t>(line.size());
        word.clear();
        if (line.size() >= lineChars) // a space in the last cell is the break: what follows starts below
            endLine();
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
    std::uint32_t longest = 0;
    for (std::size_t row = 0; row < lineLengths.size(); ++row)
        longest = std::max(longest, shownCells(row));
    const float room = (static_cast<float>(widest) - longest) * cellWidth;
    alignShift = align == Align::Right ? room : align == Align::Centre ? std::floor(room / cellWidth / 2) * cellWidth : 0;
    display.setPosition(std::floor(rect.left + marginLeft + alignShift), display.getPosition().y);
    rect.height = lineLengths.size() * lineHeight + marginTop + marginBottom;
    setCursor(cursor);
}

float DivEditor::lineTopAt(std::size_t index) const
{
    return display.findCharacterPos(shownIndex(std::min(index, text.getSize()))).y + 3;
}

void DivEditor::placeAt(float y)
{
    rect.left = 465;
    rect.top = y;
    const sf::Vector2f after(std::floor(rect.left + marginLeft + alignShift), std::floor(y + marginTop));
    const sf::Vector2f by = after - display.getPosition();
    display.setPosition(after);
    caret.setPosition(after + caretOffset);
    ghost.setPosition(caret.getPosition());
    for (sf::RectangleShape& band : highlights)
        band.move(by);
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
    TextField::handleEvent(event);
}

void DivEditor::onTextEntered(sf::Uint32 code)
{
    if (!focused || dragging)
        return;
    if (code != 8 && !isText(code))
        return;
    if (hasSelection()) {
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

// A ")" typed just before the closing ")" of a parenthetical steps over it.
void DivEditor::insertCharacter(sf::Uint32 code)
{
    if (code == ')' && kind == Parenthetical && cursor < text.getSize() && text[cursor] == ')') {
        setCursor(cursor + 1);
        return;
    }
    const bool atEnd = cursor == text.getSize();
    text.insert(cursor, sf::String(code));
    ++cursor;
    if (atEnd && lineLengths.back() + 1 < lineChars && align == Align::Left) {
        sf::String shown = display.getString();
        shown += caseMode == CaseMode::Upper && code >= 'a' && code <= 'z' ? code - 32 : code;
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
    // Only a single line can lose its last character without its words moving: on a
    // later line the last word may now fit on the line above.
    const bool atEnd = cursor == text.getSize();
    --cursor;
    text.erase(cursor);
    if (atEnd && lineLengths.size() == 1 && lineLengths.back() >= 2 && align == Align::Left) {
        sf::String shown = display.getString();
        shown.erase(shown.getSize() - 1);
        display.setString(shown);
        --lineLengths.back();
    } else {
        rewrap();
    }
    setCursor(cursor);
}

// The Delete key: the selection, or the character after the caret.
void DivEditor::deleteAfterCaret()
{
    if (hasSelection()) {
        eraseSelection();
        rewrap();
    } else if (cursor < text.getSize()) {
        text.erase(cursor);
        rewrap();
    }
}

// The wrapped line the caret is drawn on.
std::size_t DivEditor::caretRow() const
{
    std::size_t start = 0;
    for (std::size_t row = 0; row < lineLengths.size(); ++row) {
        start += lineLengths[row];
        if (cursor < start)
            return row;
    }
    return lineLengths.size() - 1;
}

// The App reports the left Control key in `key.control`.
void DivEditor::onKeyPressed(const sf::Event::KeyEvent& key)
{
    if (!focused || dragging)
        return;
    const std::size_t length = text.getSize();
    switch (key.code) {
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
    case sf::Keyboard::Home:
        if (!key.control)
            setCursor(lineStart(caretRow()));
        break;
    case sf::Keyboard::End:
        if (!key.control) {
            const std::size_t row = caretRow();
            setCursor(lineStart(row) + shownCells(row));
        }
        break;
    case sf::Keyboard::Delete:
        deleteAfterCaret();
        break;
    default:
        break;
    }
}

// A page break has no text: it shows as a dashed rule across the sheet with its name.
void DivEditor::drawPageBreak(sf::RenderTarget& target) const
{
    const float y = std::floor(rect.top + marginTop + lineHeight / 2);
    sf::Text label("Page break", *display.getFont(), 14);
    label.setFillColor(ruleColour);
    const float labelWidth = std::floor(label.getLocalBounds().width) + 16;
    const float middle = std::floor(rect.left + rect.width / 2);
    label.setPosition(std::floor(middle - labelWidth / 2 + 8), y - 9);
    sf::RectangleShape dash({8, 1});
    dash.setFillColor(ruleColour);
    for (float x = rect.left + marginLeft; x + 8 <= rect.left + rect.width - marginRight; x += 14) {
        if (x + 8 > middle - labelWidth / 2 && x < middle + labelWidth / 2)
            continue;
        dash.setPosition(x, y);
        target.draw(dash);
    }
    target.draw(label);
}

void DivEditor::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    for (const sf::RectangleShape& band : highlights)
        target.draw(band);
    if (kind == PageBreak && display.getFont())
        drawPageBreak(target);
    target.draw(display);
    if (focused && !ghost.getString().isEmpty())
        target.draw(ghost);
    if (focused)
        target.draw(caret);
}
