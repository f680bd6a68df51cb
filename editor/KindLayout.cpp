#include "editor/KindLayout.hpp"

#include "editor/DivEditor.hpp"

// A cell is a tenth of an inch of the printed page: action from 1.5 in, a transition
// ending at 7.1 in.
const std::unordered_map<std::int32_t, KindLayout> kindLayout = {
    {Scene, {180, 0, 120, 24, sf::Text::Bold, 0.78f, Align::Left}},
    {Directorial, {180, 0, 120, 24, sf::Text::Regular, 1, Align::Left}},
    {Name, {444, 0, 300, 0, sf::Text::Regular, 1, Align::Left}},
    {Parenthetical, {372, 0, 300, 0, sf::Text::Regular, 1, Align::Left}},
    {Speech, {300, 0, 300, 24, sf::Text::Regular, 1, Align::Left}},
    {Transition, {660, 0, 126, 24, sf::Text::Regular, 1, Align::Right}},
    {Centered, {180, 0, 120, 24, sf::Text::Regular, 1, Align::Centre}},
    {PageBreak, {180, 0, 120, 24, sf::Text::Regular, 1, Align::Left}},
    {None, {0, 0, 0, 0, sf::Text::Regular, 1, Align::Left}},
};

void applyKind(DivEditor& paragraph, std::int32_t kind)
{
    if (kind < Scene || kind > PageBreak)
        return;
    const KindLayout& layout = kindLayout.at(kind);
    paragraph.align = layout.align;
    paragraph.setMargins(layout.marginLeft, layout.marginTop, layout.marginRight, layout.marginBottom);
    paragraph.display.setStyle(layout.style);
    paragraph.display.setLetterSpacing(layout.letterSpacing);

    paragraph.caseMode = caseModeOf(kind);
    paragraph.rewrap();
}
