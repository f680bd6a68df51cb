#include "ui/SceneList.hpp"

#include "files/TextCodec.hpp"
#include "ui/Font.hpp"

#include <algorithm>
#include <cmath>

namespace {
const sf::Color rowColour(210, 210, 225, 255);
const sf::Color currentFill(255, 200, 255, 255);
const sf::Color currentText(0, 0, 0, 255);
const sf::Color headerColour(170, 170, 200, 255);
constexpr float headerHeight = 26; // "Scenes" above the rows
} // namespace

SceneList::SceneList(const sf::RenderTarget& window) : Group(window)
{
    place(600, 980);
}

void SceneList::place(float top, float bottom)
{
    if (top == m_top && bottom == m_bottom)
        return;
    m_top = top;
    m_bottom = bottom;
    background.setPosition(left - 5, top);
    background.setSize({width + 10, std::max(0.f, bottom - top)});
    setCurrent(m_current);
}

void SceneList::setScenes(std::vector<Scene> scenes)
{
    m_scenes = std::move(scenes);
    ++m_version;
    m_first = std::min(m_first, m_scenes.size());
    if (m_current >= static_cast<int>(m_scenes.size()))
        m_current = -1;
}

void SceneList::setPages(const std::vector<std::uint32_t>& pages)
{
    for (std::size_t i = 0; i < m_scenes.size() && i < pages.size(); ++i)
        if (m_scenes[i].page != pages[i]) {
            m_scenes[i].page = pages[i];
            ++m_version;
        }
}

void SceneList::setHeading(std::size_t scene, const sf::String& heading)
{
    if (scene < m_scenes.size() && m_scenes[scene].heading != heading) {
        m_scenes[scene].heading = heading;
        ++m_version;
    }
}

std::size_t SceneList::visibleRows() const
{
    const float room = m_bottom - m_top - headerHeight;
    return room > 0 ? static_cast<std::size_t>(room / rowHeight) : 0;
}

void SceneList::setCurrent(int scene)
{
    m_current = scene;
    if (scene < 0)
        return;
    const std::size_t row = static_cast<std::size_t>(scene), rows = std::max<std::size_t>(visibleRows(), 1);
    if (row < m_first)
        m_first = row;
    else if (row >= m_first + rows)
        m_first = row + 1 - rows;
}

void SceneList::scrollBy(long rows)
{
    const long most = std::max(0L, static_cast<long>(m_scenes.size()) - static_cast<long>(visibleRows()));
    m_first = static_cast<std::size_t>(std::clamp(static_cast<long>(m_first) + rows, 0L, most));
}

std::string SceneList::rowText(std::size_t scene) const
{
    const std::string number = std::to_string(scene + 1) + "  ";
    const std::string page = "p. " + std::to_string(m_scenes[scene].page);
    const std::size_t room = rowChars - number.size() - page.size() - 2; // two spaces before the page at least
    sf::String heading = m_scenes[scene].heading;
    if (heading.getSize() > room) {
        heading = heading.substring(0, room - 1);
        while (!heading.isEmpty() && heading[heading.getSize() - 1] == ' ')
            heading.erase(heading.getSize() - 1);
        heading += sf::String(static_cast<sf::Uint32>(0x2026));
    }
    const std::string text = number + toUtf8(heading);
    return text + std::string(rowChars - number.size() - heading.getSize() - page.size(), ' ') + page;
}

void SceneList::handleEvent(const sf::Event& event)
{
    if (ignores(event) || !isOpen())
        return;
    if (event.type == sf::Event::MouseWheelScrolled) {
        const sf::Vector2f p = toView(event.mouseWheelScroll.x, event.mouseWheelScroll.y);
        if (background.getGlobalBounds().contains(p))
            scrollBy(event.mouseWheelScroll.delta > 0 ? -3 : 3);
    } else if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
        const std::optional<std::size_t> row = rowAt(event.mouseButton.x, event.mouseButton.y);
        if (row && onPick)
            onPick(*row);
    }
}

std::optional<std::size_t> SceneList::rowAt(int x, int y) const
{
    const sf::Vector2f p = toView(x, y);
    if (!isOpen() || !background.getGlobalBounds().contains(p) || p.y < m_top + headerHeight)
        return std::nullopt;
    const std::size_t row = m_first + static_cast<std::size_t>((p.y - m_top - headerHeight) / rowHeight);
    if (row < m_scenes.size() && row < m_first + visibleRows())
        return row;
    return std::nullopt;
}

bool SceneList::holds(const sf::Event& event) const
{
    if (ignores(event))
        return false;
    if (event.type == sf::Event::MouseWheelScrolled)
        return isOpen() && background.getGlobalBounds().contains(toView(event.mouseWheelScroll.x, event.mouseWheelScroll.y));
    return event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left &&
           rowAt(event.mouseButton.x, event.mouseButton.y);
}

void SceneList::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    // No fill of its own: the list stands on the window's dark ground, which costs no drawing.
    if (!appFont || !visible || m_bottom - m_top < headerHeight)
        return;
    target.setView(view);
    sf::Text header("Scenes", *appFont, 14);
    header.setFillColor(headerColour);
    header.setPosition(left, m_top + 4);
    target.draw(header);
    const std::size_t end = std::min(m_scenes.size(), m_first + visibleRows());
    // The rows in view as one text (the caret's row apart, on its mark), made again only
    // when what they show changed.
    if (m_madeFirst != m_first || m_madeEnd != end || m_madeCurrent != m_current || m_madeVersion != m_version) {
        sf::String rows, current;
        for (std::size_t i = m_first; i < end; ++i) {
            const sf::String row = fromUtf8(rowText(i));
            if (static_cast<int>(i) == m_current)
                current = row;
            else
                rows += row;
            rows += "\n";
        }
        for (sf::Text* text : {&m_rows, &m_currentRow}) {
            text->setFont(*appFont);
            text->setCharacterSize(characterSize);
            text->setLineSpacing(rowHeight / appFont->getLineSpacing(characterSize));
        }
        m_rows.setString(rows);
        m_rows.setFillColor(rowColour);
        m_currentRow.setString(current);
        m_currentRow.setFillColor(currentText);
        m_madeFirst = m_first;
        m_madeEnd = end;
        m_madeCurrent = m_current;
        m_madeVersion = m_version;
    }
    const float top = m_top + headerHeight;
    if (m_current >= static_cast<int>(m_first) && m_current < static_cast<int>(end)) {
        const float y = top + rowHeight * static_cast<float>(m_current - static_cast<int>(m_first));
        sf::RectangleShape mark({width, rowHeight});
        mark.setFillColor(currentFill);
        mark.setPosition(left, y);
        target.draw(mark);
        m_currentRow.setPosition(left + 4, y + 2);
        target.draw(m_currentRow);
    }
    m_rows.setPosition(left + 4, top + 2);
    target.draw(m_rows);
}
