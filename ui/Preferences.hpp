#pragma once

#include "files/Settings.hpp"
#include "ui/Button.hpp"
#include "ui/Group.hpp"

#include <array>
#include <functional>
#include <vector>

// The preferences panel (Left Control + comma): a row of choices for each setting, the
// chosen one lit. A press on a choice, or Left and Right on the row that Up and Down
// pick, changes the setting at once and reports it; Escape or Return closes the panel.
class Preferences : public Group {
public:
    static constexpr std::size_t rows = 3; // Enter and Tab, lines on screen, scene numbers

    explicit Preferences(const sf::RenderTarget& window);
    // Opens showing these settings.
    void openWith(const Settings& shown);
    void handleEvent(const sf::Event& event) override;

    Settings settings;
    std::size_t row = 0; // the row the arrow keys change
    std::array<std::vector<ToggleButton>, rows> choices;
    std::function<void(const Settings&)> onChange;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void choose(std::size_t inRow, std::size_t choice);
    void light();

    sf::Text m_title;
    std::array<sf::Text, rows> m_labels;
    sf::RectangleShape m_marker; // beside the row the arrow keys change
};
