#include "editor/SheetMarks.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>

namespace {
const sf::Color endColour(170, 170, 170, 255);
const sf::Color matchColour(255, 220, 0, 110); // translucent: the letters show through
constexpr float dash = 6, dashGap = 5; // pixels
constexpr unsigned numberSize = 14;
} // namespace

std::vector<PageEnd> pageEnds(const std::vector<DivEditor>& paragraphs,
                              const std::vector<std::pair<std::uint32_t, std::uint32_t>>& starts, float top, float bottom)
{
    std::vector<PageEnd> ends;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const auto [paragraph, index] = starts[k];
        if (paragraph >= paragraphs.size())
            break;
        const DivEditor& p = paragraphs[paragraph];
        if (p.rect.top + p.rect.height < top)
            continue;
        if (p.rect.top > bottom)
            break;
        // Between paragraphs: in the middle of the blank between their texts; inside one:
        // just above the line the next page begins with.
        float y = std::floor(p.lineTopAt(index) + 1);
        if (index == 0) {
            const DivEditor* above = paragraph > 0 ? &paragraphs[paragraph - 1] : nullptr;
            const float gapTop = above ? above->rect.top + above->rect.height - above->marginBottom : p.rect.top;
            y = std::floor((gapTop + p.rect.top + p.marginTop) / 2);
        }
        ends.push_back({y, static_cast<std::uint32_t>(k + 2)});
    }
    return ends;
}

void drawPageEnds(sf::RenderTarget& target, const std::vector<PageEnd>& ends, float left, float right, const sf::Font& font)
{
    if (ends.empty())
        return;
    sf::VertexArray dashes(sf::Quads); // every dash of every line in one draw
    sf::Text number("", font, numberSize);
    number.setFillColor(endColour);
    for (const PageEnd& end : ends) {
        for (float x = left + 10; x + dash <= right - 10; x += dash + dashGap)
            for (const sf::Vector2f corner : {sf::Vector2f(x, end.y), sf::Vector2f(x + dash, end.y), sf::Vector2f(x + dash, end.y + 1),
                                              sf::Vector2f(x, end.y + 1)})
                dashes.append(sf::Vertex(corner, endColour));
        number.setString(std::to_string(end.page) + ".");
        number.setPosition(std::floor(right - 14 - number.getLocalBounds().width), end.y - numberSize - 3);
        target.draw(number);
    }
    target.draw(dashes);
}

void drawMatches(sf::RenderTarget& target, const std::vector<DivEditor>& paragraphs, const std::vector<Match>& matches,
                 std::uint32_t first, std::uint32_t last)
{
    sf::RectangleShape mark;
    mark.setFillColor(matchColour);
    auto it = std::lower_bound(matches.begin(), matches.end(), first,
                               [](const Match& match, std::uint32_t paragraph) { return match.text < paragraph; });
    for (; it != matches.end() && it->text < last && it->text < paragraphs.size(); ++it)
        for (const sf::FloatRect& band : paragraphs[it->text].bandRects(it->begin, it->end)) {
            mark.setPosition(band.left, band.top);
            mark.setSize({band.width, band.height});
            target.draw(mark);
        }
}
