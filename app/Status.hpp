#pragma once
// What the window says of the script besides the script itself: "Unsaved" while it has
// unsaved changes, "Page P of N" for the caret's page, and the band at the window's foot,
// red while something failed (a save, the recovery copies, the backups), blue for what
// is only said (an import's or an export's notice, an export under way).

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>
#include <vector>

class Status {
public:
    explicit Status(const sf::Font& font);

    // Everything the band says, UTF-8; empty when it is not shown.
    std::string footLine(const std::string& underWay) const;
    // The band's lines in a window so many characters wide: all it says on one line when
    // that fits, else a line for each part, a part too long for one shortened in its middle.
    std::vector<sf::String> footLines(const std::string& underWay, std::size_t width) const;
    void draw(sf::RenderWindow& window, bool unsaved, const std::string& pageCount, const std::string& underWay);

    std::string failure;         // why the last save or open failed, for the panel that asked; empty after a success
    std::string saveProblem;     // shown until the next successful save
    std::string recoveryProblem; // why copies cannot be written, until one is
    std::string backupProblem;   // why backups cannot be kept, until one is
    std::string notice;          // what an import or an export has to say, until the next one
    bool changed = false;        // it changed outside an event: the window wants a frame

private:
    const sf::Font& m_font;
    sf::Text m_unsaved, m_pageCount;
};
