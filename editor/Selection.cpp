// The paragraph's mouse selection, its highlight bands and the clipboard keys.
#include "editor/DivEditor.hpp"

#include <SFML/Window/Clipboard.hpp>

#include <algorithm>
#include <cmath>

namespace {
const sf::Color bandColour(255, 200, 255, 255);

// Clipboard text as it may enter a paragraph: one line, A to Z or a to z following
// the case mode.
sf::String cleanPaste(const sf::String& pasted, CaseMode mode)
{
    sf::String out = singleLine(pasted);
    for (std::size_t i = 0; i < out.getSize(); ++i) {
        if (mode == CaseMode::Mixed && out[i] >= 'A' && out[i] <= 'Z')
            out[i] += 32;
        else if (mode == CaseMode::Upper && out[i] >= 'a' && out[i] <= 'z')
            out[i] -= 32;
    }
    return out;
}
} // namespace

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

void DivEditor::setHighlight(std::size_t a, std::size_t b)
{
    if (a == b) {
        highlights.clear();
        return;
    }
    const sf::Vector2f p = display.findCharacterPos(shownIndex(std::min(a, b)));
    const sf::Vector2f q = display.findCharacterPos(shownIndex(std::max(a, b)));
    const float top = p.y + 3;
    const int count = static_cast<int>(std::floor((q.y + 3 - top) / lineHeight)) + 1;
    const int first = static_cast<int>(std::floor((top - display.getPosition().y) / lineHeight));
    if (count < 1 || first < 0) {
        highlights.clear();
        return;
    }
    highlights.resize(count);
    for (int i = 0; i < count; ++i) {
        const std::size_t line = static_cast<std::size_t>(first + i);
        const int cells = line < lineLengths.size() ? static_cast<int>(shownCells(line)) : 0;
        sf::RectangleShape& band = highlights[i];
        band.setPosition(rect.left + marginLeft, top + lineHeight * i);
        band.setSize({cellWidth * std::max(cells, 0), 20});
        band.setFillColor(bandColour);
    }
    sf::RectangleShape& firstBand = highlights.front();
    const float right = firstBand.getPosition().x + firstBand.getSize().x;
    firstBand.setPosition(p.x, firstBand.getPosition().y);
    firstBand.setSize({right - p.x, 20});
    sf::RectangleShape& lastBand = highlights.back();
    lastBand.setSize({q.x - lastBand.getPosition().x, 20});
}

void DivEditor::eraseSelection()
{
    eraseSelectedText();
    updateSelection();
    setCursor(cursor);
}

// With nothing selected the clipboard keeps what the writer put there.
void DivEditor::copy()
{
    if (selStart != selEnd)
        sf::Clipboard::setString(selectedText);
}

void DivEditor::cut()
{
    if (selStart == selEnd)
        return;
    sf::Clipboard::setString(selectedText);
    eraseSelection();
    rewrap();
}

void DivEditor::paste()
{
    const sf::String pasted = cleanPaste(sf::Clipboard::getString(), caseMode);
    if (pasted.isEmpty())
        return;
    text.insert(cursor, pasted);
    cursor += static_cast<std::uint32_t>(pasted.getSize());
    rewrap();
    setCursor(cursor);
}
