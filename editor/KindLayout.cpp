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

    const CaseMode mode = caseModeOf(kind);
    sf::String& text = paragraph.text;
    if (mode == CaseMode::Upper) {
        for (std::size_t i = 0; i < text.getSize(); ++i)
            if (text[i] >= 'a' && text[i] <= 'z')
                text[i] -= 32;
    } else if (paragraph.caseMode != CaseMode::Mixed) {
        for (std::size_t i = 0; i < text.getSize(); ++i)
            if (text[i] >= 'A' && text[i] <= 'Z')
                text[i] += 32;
    }
    paragraph.caseMode = mode;
    paragraph.rewrap();
}
