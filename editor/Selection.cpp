// The paragraph's selection and its highlight bands; text inserted at the caret.
#include "editor/DivEditor.hpp"

#include <algorithm>
#include <cmath>

namespace {
const sf::Color bandColour(255, 200, 255, 255);
} // namespace

void DivEditor::select(std::size_t a, std::size_t b)
{
    selStart = static_cast<std::uint32_t>(std::min({a, b, static_cast<std::size_t>(text.getSize())}));
    selEnd = static_cast<std::uint32_t>(std::min(std::max(a, b), static_cast<std::size_t>(text.getSize())));
    updateSelection();
}

void DivEditor::updateSelection()
{
    if (selStart == selEnd) {
        selectedText.clear();
        highlights.clear();
        return;
    }
    if (selStart > selEnd)
        std::swap(selStart, selEnd);
    selectedText = text.substring(selStart, selEnd - selStart);
    setHighlight(selStart, selEnd);
}

std::vector<sf::FloatRect> DivEditor::bandRects(std::size_t a, std::size_t b) const
{
    std::vector<sf::FloatRect> bands;
    if (a == b)
        return bands;
    const sf::Vector2f p = display.findCharacterPos(shownIndex(std::min(a, b)));
    const sf::Vector2f q = display.findCharacterPos(shownIndex(std::max(a, b)));
    const float top = p.y + 3;
    const int count = static_cast<int>(std::floor((q.y + 3 - top) / lineHeight)) + 1;
    const int first = static_cast<int>(std::floor((top - display.getPosition().y) / lineHeight));
    if (count < 1 || first < 0)
        return bands;
    for (int i = 0; i < count; ++i) {
        const std::size_t line = static_cast<std::size_t>(first + i);
        const int cells = line < lineLengths.size() ? static_cast<int>(shownCells(line)) : 0;
        bands.push_back({display.getPosition().x, top + lineHeight * i, cellWidth * std::max(cells, 0), 20});
    }
    const float right = bands.front().left + bands.front().width;
    bands.front().left = p.x;
    bands.front().width = right - p.x;
    bands.back().width = q.x - bands.back().left;
    return bands;
}

void DivEditor::setHighlight(std::size_t a, std::size_t b)
{
    const std::vector<sf::FloatRect> bands = bandRects(a, b);
    highlights.resize(bands.size());
    for (std::size_t i = 0; i < bands.size(); ++i) {
        highlights[i].setPosition(bands[i].left, bands[i].top);
        highlights[i].setSize({bands[i].width, bands[i].height});
        highlights[i].setFillColor(bandColour);
    }
}

void DivEditor::eraseSelection()
{
    eraseSelectedText();
    updateSelection();
    setCursor(cursor);
}

void DivEditor::insertText(const sf::String& inserted)
{
    if (inserted.isEmpty())
        return;
    text.insert(cursor, inserted);
    cursor += static_cast<std::uint32_t>(inserted.getSize());
    rewrap();
    setCursor(cursor);
}

void DivEditor::setGhost(const sf::String& offered)
{
    if (ghost.getString() == offered)
        return;
    ghost.setString(offered);
    ghost.setStyle(display.getStyle());
    ghost.setLetterSpacing(display.getLetterSpacing());
}
