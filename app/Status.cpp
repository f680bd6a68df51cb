#include "app/Status.hpp"

#include "files/TextCodec.hpp"

#include <SFML/Graphics/RectangleShape.hpp>

#include <cmath>

namespace {
const sf::Color pageCountColour(200, 200, 220, 255);
const sf::Color problemBand(90, 20, 30, 255);
const sf::Color noticeBand(30, 40, 70, 255);
const sf::Color footText(255, 220, 220, 255);
constexpr float unsavedLeft = 1650, unsavedTop = 100;       // window pixels
constexpr float pageCountFromRight = 270, pageCountTop = 130; // window pixels
constexpr float footHeight = 32; // pixels of the band at the window's foot
constexpr unsigned footSize = 18;
} // namespace

Status::Status(const sf::Font& font) : m_font(font)
{
    m_unsaved.setCharacterSize(20);
    m_unsaved.setFont(font);
    m_unsaved.setString("Unsaved");
    m_unsaved.setStyle(sf::Text::Italic);
    m_unsaved.setPosition(unsavedLeft, unsavedTop);
    m_pageCount.setFont(font);
    m_pageCount.setCharacterSize(18);
    m_pageCount.setFillColor(pageCountColour);
}

std::string Status::footLine(const std::string& underWay) const
{
    std::string line;
    for (const std::string* part : {&underWay, &saveProblem, &recoveryProblem, &backupProblem, &notice})
        if (!part->empty())
            line += (line.empty() ? "" : "   \xC2\xB7   ") + *part; // a middle dot between
    return line;
}

void Status::draw(sf::RenderWindow& window, bool unsaved, const std::string& pageCount, const std::string& underWay)
{
    const sf::Vector2f size(window.getSize());
    window.setView(sf::View(size * 0.5f, size));
    if (unsaved)
        window.draw(m_unsaved);
    if (m_pageCount.getString() != pageCount) // laid out again only when it reads otherwise
        m_pageCount.setString(pageCount);
    m_pageCount.setPosition(size.x - pageCountFromRight, pageCountTop);
    window.draw(m_pageCount);

    const std::string shown = footLine(underWay);
    if (shown.empty())
        return;
    const bool problem = !saveProblem.empty() || !recoveryProblem.empty() || !backupProblem.empty();
    sf::RectangleShape band({size.x, footHeight});
    band.setPosition(0, size.y - footHeight);
    band.setFillColor(problem ? problemBand : noticeBand);
    window.draw(band);
    sf::Text line(nameForDisplay(shown), m_font, footSize);
    line.setFillColor(footText);
    line.setPosition(std::floor(size.x / 2 - line.getLocalBounds().width / 2), size.y - footHeight + 5);
    window.draw(line);
}
