#pragma once
// What is drawn over the sheet besides the paragraphs: the matches of a search, and where
// the printed pages end (a thin grey dashed line between the paragraphs, or inside one at
// the line where the print splits it, with the next page's number at the sheet's right).
// Neither moves a paragraph.

#include "document/Find.hpp"
#include "editor/DivEditor.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cstdint>
#include <utility>
#include <vector>

struct PageEnd {
    float y;            // page-view pixels
    std::uint32_t page; // the number of the page that begins there
};

// The ends of the pages that begin at `starts` (paragraph, index in its text; the first
// for page 2) and lie between the view's top and bottom.
std::vector<PageEnd> pageEnds(const std::vector<DivEditor>& paragraphs,
                              const std::vector<std::pair<std::uint32_t, std::uint32_t>>& starts, float top, float bottom);

// Draws them across the sheet, from x `left` to `right`.
void drawPageEnds(sf::RenderTarget& target, const std::vector<PageEnd>& ends, float left, float right, const sf::Font& font);

// Marks over the matches (`text` is the paragraph) of the paragraphs from `first` to `last`.
void drawMatches(sf::RenderTarget& target, const std::vector<DivEditor>& paragraphs, const std::vector<Match>& matches,
                 std::uint32_t first, std::uint32_t last);
