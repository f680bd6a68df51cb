#include "editor/KindLayout.hpp"

#include "editor/DivEditor.hpp"

const std::unordered_map<std::int32_t, KindLayout> kindLayout = {
    {Scene, {180, 0, 120, 24, sf::Text::Bold, 0.78f}},
    {Directorial, {180, 0, 120, 24, sf::Text::Regular, 1}},
    {Name, {444, 0, 300, 0, sf::Text::Regular, 1}},
    {Parenthetical, {372, 0, 300, 0, sf::Text::Regular, 1}},
    {Speech, {300, 0, 300, 24, sf::Text::Regular, 1}},
    {None, {0, 0, 0, 0, sf::Text::Regular, 1}},
};

void applyKind(DivEditor& paragraph, std::int32_t kind)
{
    if (kind < Scene || kind > Speech)
        return;
    const KindLayout& layout = kindLayout.at(kind);
    paragraph.setMargins(layout.marginLeft, layout.marginTop, layout.marginRight, layout.marginBottom);
    paragraph.display.setStyle(layout.style);
    paragraph.display.setLetterSpacing(layout.letterSpacing);

    paragraph.caseMode = caseModeOf(kind);
    paragraph.rewrap();
}
