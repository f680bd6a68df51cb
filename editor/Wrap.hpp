#pragma once
// A paragraph's text broken into lines of a fixed number of character cells, as the
// sheet shows it. A line shows at most lineChars - 1 characters, so that the caret after
// them still lies inside the line; it breaks after the last space that keeps it below
// that, the space turning into the line break. A word longer than a line is cut into
// chunks of lineChars - 1 characters, each followed by an inserted line break, so that
// every character shows. Indexes count code points of the text.

#include <SFML/System/String.hpp>

#include <cstdint>
#include <vector>

struct Wrap {
    std::uint32_t lineChars = 1;               // line capacity in cells
    std::vector<std::uint32_t> lineLengths;    // per line, characters of text incl. a break space
    std::vector<std::uint32_t> lineStarts;     // per line, the text index it starts at
    std::vector<std::uint32_t> insertedBreaks; // text indexes before which a cut word breaks

    std::size_t lines() const { return lineLengths.size(); }
    std::uint32_t lineStart(std::size_t row) const;
    // Whether a line ends inside a cut word.
    bool endsInCut(std::size_t row) const;
    // Characters a line shows, without the space that became its break.
    std::uint32_t shownCells(std::size_t row) const;
    // The line on which the character at an index shows, or is typed.
    std::size_t rowOf(std::size_t index) const;
    // The index of the display (the text with the inserted breaks) for one of the text.
    std::size_t shownIndex(std::size_t index) const;
};

Wrap wrapText(const sf::String& text, std::uint32_t lineChars);
// The number of lines alone, with no memory taken: what a paragraph's height needs.
std::uint32_t countLines(const sf::String& text, std::uint32_t lineChars);
