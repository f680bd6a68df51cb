#include "editor/KindLayout.hpp"

namespace {
// A cell is a tenth of an inch of the printed page: action from 1.5 in, a transition
// ending at 7.1 in.
const KindLayout layouts[] = {
    {0, 0, 0, 0, false, Align::Left},        // None
    {180, 0, 120, 24, true, Align::Left},    // Scene
    {180, 0, 120, 24, false, Align::Left},   // Directorial
    {444, 0, 300, 0, false, Align::Left},    // Name
    {372, 0, 300, 0, false, Align::Left},    // Parenthetical
    {300, 0, 300, 24, false, Align::Left},   // Speech
    {660, 0, 126, 24, false, Align::Right},  // Transition
    {180, 0, 120, 24, false, Align::Centre}, // Centered
    {180, 0, 120, 24, false, Align::Left},   // PageBreak
};
// The printed page's widths, a cell more for the caret after a full line: headings and
// action 61 characters, a cue 37 from 3.5 in, a parenthetical 29 from 3.1 in, speech 35
// from 2.5 in; a blank line (23 pixels) after a heading, action, speech and a transition,
// and one more before a heading.
const KindLayout printedLayouts[] = {
    {0, 0, 0, 0, false, Align::Left},        // None
    {180, 23, 66, 23, true, Align::Left},    // Scene
    {180, 0, 66, 23, false, Align::Left},    // Directorial
    {420, 0, 114, 0, false, Align::Left},    // Name
    {372, 0, 258, 0, false, Align::Left},    // Parenthetical
    {300, 0, 258, 23, false, Align::Left},   // Speech
    {660, 0, 126, 23, false, Align::Right},  // Transition
    {180, 0, 66, 23, false, Align::Centre},  // Centered
    {180, 0, 66, 23, false, Align::Left},    // PageBreak
};
bool asPrinted = false;

// The halves of a pair (a cell a tenth of an inch): the left speech from 1.5 to 4.375 in,
// its parenthetical from 1.75 to 4.125 in and its cue centred on 3 in; the right speech
// from 4.625 to 7.5 in, its parenthetical from 4.875 to 7.25 in and its cue on 6 in.
const KindLayout leftHalf[] = {
    {180, 0, 450, 0, false, Align::Centre}, // Name
    {210, 0, 495, 0, false, Align::Left},   // Parenthetical
    {180, 0, 465, 24, false, Align::Left},  // Speech
};
const KindLayout rightHalf[] = {
    {555, 0, 105, 0, false, Align::Centre}, // Name
    {585, 0, 120, 0, false, Align::Left},   // Parenthetical
    {555, 0, 90, 24, false, Align::Left},   // Speech
};
} // namespace

const KindLayout& layoutOf(std::int32_t kind, Column column)
{
    if (column != Column::Whole && kind >= Name && kind <= Speech)
        return (column == Column::Left ? leftHalf : rightHalf)[kind - Name];
    const KindLayout* table = asPrinted ? printedLayouts : layouts;
    return kind >= Scene && kind <= PageBreak ? table[kind] : table[None];
}

void showLinesAsPrinted(bool printed)
{
    asPrinted = printed;
}

bool linesAsPrinted()
{
    return asPrinted;
}

std::uint32_t lineCharsOf(std::int32_t kind, Column column)
{
    const KindLayout& layout = layoutOf(kind, column);
    const float cells = (Sheet::width - layout.marginLeft - layout.marginRight) / (0.6f * Sheet::characterSize);
    return cells < 1 ? 1 : static_cast<std::uint32_t>(cells);
}

float heightOf(std::int32_t kind, std::size_t lines)
{
    const KindLayout& layout = layoutOf(kind);
    return static_cast<float>(lines) * Sheet::lineHeight + layout.marginTop + layout.marginBottom;
}
