#include "ui/Preferences.hpp"

#include "ui/Font.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace {
const sf::Color panelFill(40, 40, 60, 255);
const sf::Color panelOutline(10, 10, 15, 255);
const sf::Color labelColour(255, 255, 255, 255);
const sf::Color markerColour(255, 200, 255, 255);
constexpr float panelLeft = 620, panelTop = 250, panelWidth = 680, panelHeight = 420; // pixels
constexpr float rowTop = 330, rowStep = 110, buttonsBelowLabel = 34, buttonHeight = 40;
constexpr float buttonsLeft = 660, buttonsWidth = 600, buttonGap = 10;
constexpr unsigned titleSize = 24, labelSize = 20;

const std::array<const char*, Preferences::rows> labels = {"Enter and Tab", "Lines on screen", "Scene numbers in print"};
const std::array<std::vector<sf::String>, Preferences::rows> names = {{
    {"This program's", "Final Draft's"},
    {"As the editor", "As printed"},
    {"None", "Left", "Right", "Both"},
}};

std::size_t chosen(const Settings& settings, std::size_t row)
{
    switch (row) {
    case 0: return static_cast<std::size_t>(settings.keys);
    case 1: return static_cast<std::size_t>(settings.lines);
    default: return static_cast<std::size_t>(settings.sceneNumbers);
    }
}

void setText(sf::Text& text, const sf::String& letters, unsigned size, float x, float y)
{
    if (appFont)
        text.setFont(*appFont);
    text.setCharacterSize(size);
    text.setFillColor(labelColour);
    text.setString(letters);
    text.setPosition(x, y);
}
} // namespace

Preferences::Preferences(const sf::RenderTarget& window) : Group(window)
{
    background.setPosition(panelLeft, panelTop);
    background.setSize({panelWidth, panelHeight});
    background.setFillColor(panelFill);
    background.setOutlineThickness(3);
    background.setOutlineColor(panelOutline);
    setText(m_title, "Preferences", titleSize, buttonsLeft, panelTop + 20);
    m_marker.setSize({6, buttonHeight});
    m_marker.setFillColor(markerColour);
    for (std::size_t r = 0; r < rows; ++r) {
        const float top = rowTop + r * rowStep;
        setText(m_labels[r], labels[r], labelSize, buttonsLeft, top);
        const std::size_t n = names[r].size();
        const float width = (buttonsWidth - buttonGap * (n - 1)) / n;
        choices[r].resize(n);
        for (std::size_t c = 0; c < n; ++c) {
            choices[r][c].layout(buttonsLeft + c * (width + buttonGap), top + buttonsBelowLabel, width, buttonHeight, &names[r][c]);
            choices[r][c].bind(window, view);
        }
    }
    setOpen(false);
}

void Preferences::openWith(const Settings& shown)
{
    settings = shown;
    row = 0;
    light();
    setOpen(true);
}

void Preferences::light()
{
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < choices[r].size(); ++c)
            choices[r][c].setOn(c == chosen(settings, r));
    m_marker.setPosition(buttonsLeft - 20, rowTop + row * rowStep + buttonsBelowLabel);
}

void Preferences::choose(std::size_t inRow, std::size_t choice)
{
    const int value = static_cast<int>(choice);
    if (inRow == 0)
        settings.keys = static_cast<KeyChain>(value);
    else if (inRow == 1)
        settings.lines = static_cast<ScreenLines>(value);
    else
        settings.sceneNumbers = static_cast<SceneNumbers>(value);
    row = inRow;
    light();
    if (onChange)
        onChange(settings);
}

void Preferences::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    if (event.type == sf::Event::Resized) {
        recentre(event.size.width, event.size.height);
    } else if (event.type == sf::Event::MouseButtonPressed) {
        for (const std::vector<ToggleButton>& row : choices)
            for (const ToggleButton& choice : row) {
                const auto r = static_cast<std::size_t>(&row - choices.data());
                const auto c = static_cast<std::size_t>(&choice - row.data());
                if (choice.hits(event.mouseButton.x, event.mouseButton.y) && c != chosen(settings, r))
                    return choose(r, c);
            }
    } else if (event.type == sf::Event::KeyPressed) {
        const sf::Keyboard::Key key = event.key.code;
        const std::size_t now = chosen(settings, row), count = choices[row].size();
        if (key == sf::Keyboard::Escape || key == sf::Keyboard::Enter || (key == sf::Keyboard::Comma && event.key.control))
            setOpen(false);
        else if (key == sf::Keyboard::Up || key == sf::Keyboard::Down)
            row = (row + (key == sf::Keyboard::Up ? rows - 1 : 1)) % rows, light();
        else if (key == sf::Keyboard::Left && now > 0)
            choose(row, now - 1);
        else if (key == sf::Keyboard::Right && now + 1 < count)
            choose(row, now + 1);
    }
}

void Preferences::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(m_title);
    for (std::size_t r = 0; r < rows; ++r) {
        target.draw(m_labels[r]);
        for (const ToggleButton& choice : choices[r])
            target.draw(choice);
    }
    target.draw(m_marker);
}
