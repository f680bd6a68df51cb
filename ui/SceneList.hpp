#pragma once

#include "ui/Group.hpp"

#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The script's scenes in the left column: a row for each scene heading with its number,
// the heading (cut to fit with "…") and its printed page, the caret's scene marked. A
// press on a row picks that scene; the wheel scrolls the list.
class SceneList : public Group {
public:
    struct Scene {
        sf::String heading; // as shown
        std::uint32_t page; // printed page, from 1
    };
    static constexpr float left = 15, width = 425;
    static constexpr float rowHeight = 24; // pixels
    static constexpr unsigned characterSize = 16;
    static constexpr std::size_t rowChars = 42; // cells of 10 pixels in the width

    explicit SceneList(const sf::RenderTarget& window);
    void handleEvent(const sf::Event& event) override;
    // A press on a row or a turn of the wheel over the open list: the list's, not the sheet's.
    bool holds(const sf::Event& event) const;
    std::optional<std::size_t> rowAt(int x, int y) const; // the scene under a window pixel

    // Where the list begins, down to the column's foot at `bottom`.
    void place(float top, float bottom);
    void setScenes(std::vector<Scene> scenes);
    // The pages only, when no heading changed.
    void setPages(const std::vector<std::uint32_t>& pages);
    // One heading's text (as shown), when it alone changed.
    void setHeading(std::size_t scene, const sf::String& heading);
    // The caret's scene (-1 for none), scrolled into the list's view.
    void setCurrent(int scene);
    const std::vector<Scene>& scenes() const { return m_scenes; }
    int current() const { return m_current; }
    // A row as it reads: "12  EXT. CAMPFIRE - NIGHT   p. 4", its page at the row's end.
    std::string rowText(std::size_t scene) const;

    std::function<void(std::size_t scene)> onPick;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    std::size_t visibleRows() const;
    void scrollBy(long rows);

    std::vector<Scene> m_scenes;
    unsigned m_version = 0; // counts the changes of the rows
    mutable sf::Text m_rows, m_currentRow;
    mutable std::size_t m_madeFirst = 0, m_madeEnd = 0; // what the texts were made of
    mutable int m_madeCurrent = -2;
    mutable unsigned m_madeVersion = ~0u;
    int m_current = -1;
    std::size_t m_first = 0; // the first row shown
    float m_top = 0, m_bottom = 0;
};
