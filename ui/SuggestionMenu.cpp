#include "ui/SuggestionMenu.hpp"

#include "ui/Font.hpp"

#include <algorithm>
#include <cmath>

namespace {
const sf::Color menuFill(250, 250, 250, 255);
const sf::Color menuOutline(90, 90, 110, 255);
const sf::Color chosenFill(190, 215, 250, 255);
const sf::Color rowText(20, 20, 20, 255);
constexpr unsigned rowTextSize = 17;
constexpr float padding = 4; // pixels above the first row and below the last
} // namespace

SuggestionMenu::SuggestionMenu(const sf::RenderTarget& window) : Group(window)
{
    background.setFillColor(menuFill);
    background.setOutlineColor(menuOutline);
    background.setOutlineThickness(1);
    setOpen(false);
}

void SuggestionMenu::open(std::vector<sf::String> rows, sf::Vector2f at)
{
    m_rows = std::move(rows);
    m_chosen = 0;
    const float height = rowHeight * static_cast<float>(m_rows.size()) + 2 * padding;
    const float bottom = view.getCenter().y + view.getSize().y / 2;
    if (at.y + height > bottom)
        at.y = std::max(view.getCenter().y - view.getSize().y / 2, at.y - height - rowHeight);
    background.setPosition(std::floor(at.x), std::floor(at.y));
    background.setSize({width, height});
    setOpen(true);
}

sf::FloatRect SuggestionMenu::rowBounds(std::size_t row) const
{
    const sf::Vector2f corner = background.getPosition();
    return {corner.x, corner.y + padding + rowHeight * static_cast<float>(row), width, rowHeight};
}

std::size_t SuggestionMenu::rowAt(int x, int y) const
{
    const sf::Vector2f p = toView(x, y);
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (rowBounds(row).contains(p))
            return row;
    return m_rows.size();
}

void SuggestionMenu::take(std::size_t row)
{
    setOpen(false);
    if (onTake)
        onTake(row);
}

void SuggestionMenu::handleEvent(const sf::Event& event)
{
    if (event.type == sf::Event::Resized) {
        recentre(event.size.width, event.size.height);
        return;
    }
    if (ignores(event))
        return;
    if (event.type == sf::Event::KeyPressed) {
        const sf::Keyboard::Key key = event.key.code;
        if (key == sf::Keyboard::Up && m_chosen > 0)
            --m_chosen;
        else if (key == sf::Keyboard::Down && m_chosen + 1 < m_rows.size())
            ++m_chosen;
        else if (key == sf::Keyboard::Enter && !m_rows.empty())
            take(m_chosen);
        else if (key == sf::Keyboard::Escape)
            setOpen(false);
    } else if (event.type == sf::Event::MouseMoved) {
        const std::size_t row = rowAt(event.mouseMove.x, event.mouseMove.y);
        if (row < m_rows.size())
            m_chosen = row;
    } else if (event.type == sf::Event::MouseButtonPressed) {
        const std::size_t row = rowAt(event.mouseButton.x, event.mouseButton.y);
        if (row < m_rows.size())
            take(row);
        else
            setOpen(false);
    }
}

void SuggestionMenu::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target) || !appFont)
        return;
    sf::RectangleShape band({width, rowHeight});
    band.setFillColor(chosenFill);
    band.setPosition(rowBounds(m_chosen).left, rowBounds(m_chosen).top);
    target.draw(band);
    sf::Text line("", *appFont, rowTextSize);
    line.setFillColor(rowText);
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        line.setString(m_rows[row]);
        line.setPosition(rowBounds(row).left + 10, rowBounds(row).top + 2);
        target.draw(line);
    }
}
