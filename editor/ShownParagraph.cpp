#include "editor/ShownParagraph.hpp"

#include "ui/Font.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace {
const sf::Color textColour(0, 0, 0, 255);
const sf::Color ruleColour(150, 150, 150, 255);
constexpr unsigned ruleLabelSize = 14;
} // namespace

ShownParagraph::ShownParagraph(const Paragraph& paragraph, Column where)
    : kind(paragraph.kind), column(where), length(paragraph.text.getSize()),
      wrap(wrapText(paragraph.text, lineCharsOf(paragraph.kind, where)))
{
    const sf::String& text = paragraph.text;
    std::basic_string<sf::Uint32> shown;
    shown.reserve(text.getSize() + wrap.insertedBreaks.size());
    std::size_t at = 0;
    std::uint32_t longest = 0;
    for (std::size_t row = 0; row < wrap.lines(); ++row) {
        const std::uint32_t count = wrap.lineLengths[row];
        for (std::uint32_t k = 0; k < count; ++k) {
            shown.push_back(shownLetter(kind, text[at + k]));
            if (paragraph.styled())
                m_styles.push_back(paragraph.styleAt(at + k));
        }
        at += count;
        if (row + 1 < wrap.lines()) {
            if (wrap.endsInCut(row)) {
                shown.push_back('\n');
                if (paragraph.styled())
                    m_styles.push_back(Plain);
            } else if (count > 0) {
                shown.back() = '\n';
            }
        }
        longest = std::max(longest, wrap.shownCells(row));
    }
    m_shown = sf::String(shown);
    const KindLayout& layout = layoutOf(kind, column);
    const std::size_t widest = wrap.lineChars > 1 ? wrap.lineChars - 1 : 1;
    const float room = (static_cast<float>(widest) - static_cast<float>(longest)) * Sheet::cellWidth;
    const float shift = layout.align == Align::Right    ? room
                        : layout.align == Align::Centre ? std::floor(room / Sheet::cellWidth / 2) * Sheet::cellWidth
                                                        : 0;
    m_origin = {std::floor(Sheet::left + layout.marginLeft + shift), std::floor(layout.marginTop)};
}

sf::Text ShownParagraph::faceText(bool bold, bool italic, const sf::String& letters) const
{
    sf::Text text;
    text.setFillColor(textColour);
    text.setCharacterSize(Sheet::characterSize);
    if (const sf::Font* face = appFace(bold, italic))
        text.setFont(*face);
    text.setString(letters);
    text.setPosition(m_origin);
    return text;
}

const sf::Text& ShownParagraph::display() const
{
    if (!m_text)
        m_text = std::make_unique<sf::Text>(faceText(layoutOf(kind, column).bold, false, m_shown));
    return *m_text;
}

std::vector<sf::FloatRect> ShownParagraph::underlines() const
{
    std::vector<sf::FloatRect> lines;
    float x = m_origin.x, y = m_origin.y;
    std::size_t runStart = 0, runEnd = 0; // cells of the underlined run on this line, its spaces at the ends left out
    bool inRun = false;
    auto endRun = [&] {
        if (inRun && runEnd > runStart)
            lines.push_back({x + runStart * Sheet::cellWidth, y + Sheet::characterSize + 2,
                             (runEnd - runStart) * Sheet::cellWidth, 1});
        inRun = false;
    };
    std::size_t cell = 0;
    for (std::size_t i = 0; i < m_styles.size(); ++i, ++cell) {
        const sf::Uint32 c = m_shown[i];
        if (c == '\n') {
            endRun();
            y += Sheet::lineHeight;
            cell = static_cast<std::size_t>(-1);
            continue;
        }
        if (!(m_styles[i] & Underline)) {
            endRun();
            continue;
        }
        if (c != ' ') {
            if (!inRun)
                runStart = cell;
            inRun = true;
            runEnd = cell + 1;
        }
    }
    endRun();
    return lines;
}

sf::Vector2f ShownParagraph::caretPoint(std::size_t index) const
{
    index = std::min(index, length);
    const std::size_t row = wrap.rowOf(index);
    const std::size_t column = index - wrap.lineStart(row);
    return {m_origin.x + static_cast<float>(column) * Sheet::cellWidth, m_origin.y + static_cast<float>(row) * Sheet::lineHeight};
}

std::uint32_t ShownParagraph::indexAt(float x, float y) const
{
    const sf::Vector2f origin = m_origin;
    const float lines = static_cast<float>(wrap.lines());
    const float line = std::max(0.f, std::min(std::floor((std::floor(y) - std::floor(origin.y) - 2) / Sheet::lineHeight), lines - 1));
    const std::size_t row = static_cast<std::size_t>(line);
    const float dx = std::floor(x) - std::floor(origin.x);
    const std::uint32_t widest =
        row + 1 < wrap.lines() && !wrap.endsInCut(row) ? wrap.lineLengths[row] - 1 : wrap.lineLengths[row];
    const std::uint32_t column = dx < 0 ? 0 : std::min(widest, static_cast<std::uint32_t>(std::floor(dx / Sheet::cellWidth + 0.5f)));
    return static_cast<std::uint32_t>(std::min<std::size_t>(length, wrap.lineStart(row) + column));
}

std::vector<sf::FloatRect> ShownParagraph::bands(std::size_t a, std::size_t b) const
{
    std::vector<sf::FloatRect> out;
    if (a == b)
        return out;
    const sf::Vector2f p = caretPoint(std::min(a, b));
    const sf::Vector2f q = caretPoint(std::max(a, b));
    const float top = p.y + 3;
    const int count = static_cast<int>(std::floor((q.y + 3 - top) / Sheet::lineHeight)) + 1;
    const int first = static_cast<int>(std::floor((top - m_origin.y) / Sheet::lineHeight));
    if (count < 1 || first < 0)
        return out;
    for (int i = 0; i < count; ++i) {
        const std::size_t line = static_cast<std::size_t>(first + i);
        const int cells = line < wrap.lines() ? static_cast<int>(wrap.shownCells(line)) : 0;
        out.push_back({m_origin.x, top + Sheet::lineHeight * i, Sheet::cellWidth * std::max(cells, 0), 20});
    }
    const float right = out.front().left + out.front().width;
    out.front().left = p.x;
    out.front().width = right - p.x;
    out.back().width = q.x - out.back().left;
    return out;
}

float ShownParagraph::lineTop(std::size_t index) const
{
    return caretPoint(index).y + 3;
}

// A page break has no text: it shows as a dashed rule across the sheet with its name.
void ShownParagraph::drawPageBreak(sf::RenderTarget& target, sf::RenderStates states) const
{
    const KindLayout& layout = layoutOf(kind, column);
    const float y = std::floor(layout.marginTop + Sheet::lineHeight / 2);
    sf::Text label("Page break", *appFont, ruleLabelSize);
    label.setFillColor(ruleColour);
    const float labelWidth = std::floor(label.getLocalBounds().width) + 16;
    const float middle = std::floor(Sheet::left + Sheet::width / 2);
    label.setPosition(std::floor(middle - labelWidth / 2 + 8), y - 9);
    sf::RectangleShape dash({8, 1});
    dash.setFillColor(ruleColour);
    for (float x = Sheet::left + layout.marginLeft; x + 8 <= Sheet::left + Sheet::width - layout.marginRight; x += 14) {
        if (x + 8 > middle - labelWidth / 2 && x < middle + labelWidth / 2)
            continue;
        dash.setPosition(x, y);
        target.draw(dash, states);
    }
    target.draw(label, states);
}

// A styled paragraph is drawn a face at a time; every face has the same advance, so the
// letters stand where the plain text would put them.
void ShownParagraph::draw(sf::RenderTarget& target, sf::RenderStates states) const
{
    if (kind == PageBreak && appFont)
        drawPageBreak(target, states);
    if (m_styles.empty()) {
        target.draw(display(), states);
        return;
    }
    if (m_faces.empty()) {
        const bool boldKind = layoutOf(kind, column).bold;
        for (std::uint8_t face = 0; face < 4; ++face) { // bold and italic as bits
            sf::String letters = m_shown;
            bool any = false;
            for (std::size_t i = 0; i < letters.getSize(); ++i) {
                const std::uint8_t style = m_styles[i];
                const std::uint8_t of = static_cast<std::uint8_t>(((style & Bold) || boldKind ? 1 : 0) | (style & Italic ? 2 : 0));
                if (letters[i] == '\n')
                    continue;
                if (of != face)
                    letters[i] = ' ';
                else
                    any = any || letters[i] != ' ';
            }
            if (any)
                m_faces.push_back(faceText(face & 1, face & 2, letters));
        }
    }
    for (const sf::Text& face : m_faces)
        target.draw(face, states);
    sf::RectangleShape rule;
    rule.setFillColor(textColour);
    for (const sf::FloatRect& line : underlines()) {
        rule.setPosition(line.left, line.top);
        rule.setSize({line.width, line.height});
        target.draw(rule, states);
    }
}
