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
constexpr float footLineHeight = 24; // pixels of each line more
constexpr float footMargin = 20;     // pixels kept free at either end of a line
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

std::vector<sf::String> Status::footLines(const std::string& underWay, std::size_t width) const
{
    const sf::String whole = nameForDisplay(footLine(underWay));
    if (whole.getSize() <= width)
        return whole.isEmpty() ? std::vector<sf::String>() : std::vector<sf::String>{whole};
    std::vector<sf::String> lines;
    for (const std::string* part : {&underWay, &saveProblem, &recoveryProblem, &backupProblem, &notice}) {
        const sf::String line = nameForDisplay(*part);
        const std::size_t half = width > 1 ? (width - 1) / 2 : 0;
        if (line.getSize() > width)
            lines.push_back(line.substring(0, half) + sf::String(sf::Uint32(0x2026)) + line.substring(line.getSize() - half));
        else if (!line.isEmpty())
            lines.push_back(line);
    }
    return lines;
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

    const float advance = m_font.getGlyph('M', footSize, false).advance;
    const auto width = static_cast<std::size_t>(std::max(0.f, size.x - 2 * footMargin) / std::max(advance, 1.f));
    const std::vector<sf::String> shown = footLines(underWay, width);
    if (shown.empty())
        return;
    const bool problem = !saveProblem.empty() || !recoveryProblem.empty() || !backupProblem.empty();
    const float height = footHeight + (shown.size() - 1) * footLineHeight;
    sf::RectangleShape band({size.x, height});
    band.setPosition(0, size.y - height);
    band.setFillColor(problem ? problemBand : noticeBand);
    window.draw(band);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        sf::Text line(shown[i], m_font, footSize);
        line.setFillColor(footText);
        line.setPosition(std::floor(size.x / 2 - line.getLocalBounds().width / 2), size.y - height + 5 + i * footLineHeight);
        window.draw(line);
    }
}
