#include "document/DivType.hpp"

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

DivType kindOnTab(std::int32_t kind)
{
    switch (kind) {
    case Scene: return Directorial;
    case Directorial: return Name;
    case Name: return Parenthetical;
    case Parenthetical: return Speech;
    case Speech: return Parenthetical;
    default: return Scene;
    }
}

DivType kindOnShiftTab(std::int32_t kind)
{
    switch (kind) {
    case Directorial: return Scene;
    case Name: return Directorial;
    case Parenthetical:
    case Speech: return Name;
    default: return Scene;
    }
}

CaseMode caseModeOf(std::int32_t kind)
{
    return kind == Scene || kind == Name ? CaseMode::Upper : CaseMode::Mixed;
}

sf::Uint32 shownLetter(std::int32_t kind, sf::Uint32 c)
{
    return caseModeOf(kind) == CaseMode::Upper && c >= 'a' && c <= 'z' ? c - 32 : c;
}

sf::String shownText(std::int32_t kind, const sf::String& text)
{
    if (caseModeOf(kind) != CaseMode::Upper)
        return text;
    sf::String shown = text;
    for (sf::Uint32& c : shown)
        c = shownLetter(kind, c);
    return shown;
}
