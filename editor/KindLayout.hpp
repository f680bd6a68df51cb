#pragma once
// How each paragraph kind is laid out on the sheet.

#include "document/DivType.hpp"

#include <cstdint>

// How a paragraph's lines stand between its margins.
enum class Align { Left, Right, Centre };

// Where a paragraph stands across the sheet: its whole width, or the left or the right
// half of a pair of speeches spoken at once.
enum class Column : std::uint8_t { Whole, Left, Right };

// Layout of one kind; margins are pixels from the paragraph's rectangle, which spans the
// sheet's width and stacks below the paragraph above.
struct KindLayout {
    float marginLeft;
    float marginTop;
    float marginRight;
    float marginBottom;
    bool bold; // in the bold face
    Align align;
};

namespace Sheet {
constexpr float left = 465;        // the sheet's left edge, pixels of the page's view
constexpr float width = 990;
constexpr unsigned characterSize = 20;
constexpr float cellWidth = 12;  // pixels, 0.6 of the character size
constexpr float lineHeight = 23; // pixels
} // namespace Sheet

// Whether the sheet shows the printed page's lines: each kind as wide in characters as it
// prints, and whole blank lines between paragraphs as the paper has them (two before a
// heading), so that printed page ends fall between lines. Otherwise the editor's own
// roomier layout. One setting for the whole program; a page lays itself out again after
// it changes.
void showLinesAsPrinted(bool asPrinted);
bool linesAsPrinted();

// The layout of a kind; values beyond the kinds have None's, which has no margins. In a
// pair a cue is centred over its half, the speech and the parenthetical within it, as
// they print.
const KindLayout& layoutOf(std::int32_t kind, Column column = Column::Whole);
// The line capacity in cells between the kind's margins.
std::uint32_t lineCharsOf(std::int32_t kind, Column column = Column::Whole);
// The height of a paragraph of the kind with that many lines, margins included.
float heightOf(std::int32_t kind, std::size_t lines);
