#include "document/DivType.hpp"

#include "document/DivEditor.hpp"

const std::unordered_map<std::string, DivType> kindByName = {
    {"None", None}, {"Scene", Scene}, {"Directorial", Directorial},
    {"Name", Name}, {"Parenthetical", Parenthetical}, {"Speech", Speech},
};

const std::unordered_map<std::int32_t, std::string> kindNames = {
    {None, "None"}, {Scene, "Scene"}, {Directorial, "Directorial"},
    {Name, "Name"}, {Parenthetical, "Parenthetical"}, {Speech, "Speech"},
};

const std::unordered_map<std::int32_t, DivType> nextKindOnEnter = {
    {None, Scene}, {Scene, Directorial}, {Directorial, Name},
    {Name, Speech}, {Parenthetical, Speech}, {Speech, Name},
};

const std::unordered_map<std::int32_t, KindLayout> kindLayout = {
    {Scene, {180, 0, 120, 24, sf::Text::Bold, 0.78f, CaseMode::Upper}},
    {Directorial, {180, 0, 120, 24, sf::Text::Regular, 1, CaseMode::Mixed}},
    {Name, {444, 0, 300, 0, sf::Text::Regular, 1, CaseMode::Upper}},
    {Parenthetical, {372, 0, 300, 0, sf::Text::Regular, 1, CaseMode::Mixed}},
    {Speech, {300, 0, 300, 24, sf::Text::Regular, 1, CaseMode::Mixed}},
    {None, {0, 0, 0, 0, sf::Text::Regular, 1, CaseMode::Mixed}},
};

DivType kindAfter(std::int32_t kind)
{
    return kind >= Scene && kind < Speech ? static_cast<DivType>(kind + 1) : Scene;
}

DivType kindBefore(std::int32_t kind)
{
    return kind > Scene && kind <= Speech ? static_cast<DivType>(kind - 1) : Speech;
}

void applyKind(DivEditor& paragraph, std::int32_t kind)
{
    if (kind < Scene || kind > Speech)
        return;
    const KindLayout& layout = kindLayout.at(kind);
    paragraph.setMargins(layout.marginLeft, layout.marginTop, layout.marginRight, layout.marginBottom);
    paragraph.display.setStyle(layout.style);
    paragraph.display.setLetterSpacing(layout.letterSpacing);

    sf::String& text = paragraph.text;
    if (layout.caseMode == CaseMode::Upper) {
        for (std::size_t i = 0; i < text.getSize(); ++i)
            if (text[i] >= 'a' && text[i] <= 'z')
                text[i] -= 32;
    } else if (paragraph.caseMode != CaseMode::Mixed) {
        for (std::size_t i = 0; i < text.getSize(); ++i)
            if (text[i] >= 'A' && text[i] <= 'Z')
                text[i] += 32;
    }
    paragraph.caseMode = layout.caseMode;
    paragraph.rewrap();
}
