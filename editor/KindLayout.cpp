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
} // namespace

const KindLayout& layoutOf(std::int32_t kind)
{
    return kind >= Scene && kind <= PageBreak ? layouts[kind] : layouts[None];
}

std::uint32_t lineCharsOf(std::int32_t kind)
{
    const KindLayout& layout = layoutOf(kind);
    const float cells = (Sheet::width - layout.marginLeft - layout.marginRight) / (0.6f * Sheet::characterSize);
    return cells < 1 ? 1 : static_cast<std::uint32_t>(cells);
}

float heightOf(std::int32_t kind, std::size_t lines)
{
    const KindLayout& layout = layoutOf(kind);
    return static_cast<float>(lines) * Sheet::lineHeight + layout.marginTop + layout.marginBottom;
}
