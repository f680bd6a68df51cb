#pragma once

#include "ui/Group.hpp"

#include <functional>
#include <vector>

// A small menu at a word of the sheet: rows of text, one of them chosen. Up and Down
// choose, Return or a click takes the chosen row, Escape or a press outside closes it.
// It lays out in the sheet's coordinates (centred around x 960), as the page does.
class SuggestionMenu : public Group {
public:
    static constexpr float rowHeight = 26; // pixels
    static constexpr float width = 300;

    explicit SuggestionMenu(const sf::RenderTarget& window);
    // Opens with the rows, its top-left at a point of the sheet's view (moved up when it
    // would reach below the window), the first row chosen.
    void open(std::vector<sf::String> rows, sf::Vector2f at);
    void handleEvent(const sf::Event& event) override;

    const std::vector<sf::String>& rows() const { return m_rows; }
    std::size_t chosen() const { return m_chosen; }
    // A row's place in the sheet's view.
    sf::FloatRect rowBounds(std::size_t row) const;
    std::function<void(std::size_t row)> onTake; // told after the menu closed

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void take(std::size_t row);
    // The row under a window pixel, or the count of rows for none.
    std::size_t rowAt(int x, int y) const;

    std::vector<sf::String> m_rows;
    std::size_t m_chosen = 0;
};
