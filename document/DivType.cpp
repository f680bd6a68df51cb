#include "document/DivType.hpp"

#include <unicode/uchar.h>

const std::unordered_map<std::string, DivType> kindByName = {
    {"None", None}, {"Scene", Scene}, {"Directorial", Directorial}, {"Name", Name},
    {"Parenthetical", Parenthetical}, {"Speech", Speech}, {"Transition", Transition},
    {"Directorial Centered", Centered}, {"PageBreak", PageBreak},
};

const std::unordered_map<std::int32_t, std::string> kindNames = {
    {None, "None"}, {Scene, "Scene"}, {Directorial, "Directorial"}, {Name, "Name"},
    {Parenthetical, "Parenthetical"}, {Speech, "Speech"}, {Transition, "Transition"},
    {Centered, "Directorial Centered"}, {PageBreak, "PageBreak"},
};

const std::unordered_map<std::int32_t, DivType> nextKindOnEnter = {
    {None, Scene}, {Scene, Directorial}, {Directorial, Name}, {Name, Speech}, {Parenthetical, Speech},
    {Speech, Name}, {Transition, Scene}, {Centered, Directorial}, {PageBreak, Scene},
};

DivType kindOnEnter(std::int32_t kind, KeyChain chain)
{
    if (chain == KeyChain::FinalDraft && (kind == Directorial || kind == Speech))
        return Directorial;
    const auto next = nextKindOnEnter.find(kind);
    return next == nextKindOnEnter.end() ? Scene : next->second;
}

DivType kindOnTab(std::int32_t kind, bool empty)
{
    switch (kind) {
    case Scene: return Directorial;
    case Directorial: return Name;
    case Name: return empty ? Transition : Parenthetical;
    case Parenthetical: return Speech;
    case Speech: return Parenthetical;
    case Centered: return Directorial;
    case PageBreak: return PageBreak;
    default: return Scene;
    }
}

DivType kindOnShiftTab(std::int32_t kind)
{
    switch (kind) {
    case Directorial:
    case Scene: return Scene;
    case Name:
    case Centered: return Directorial;
    case Transition: // back to the empty name that Tab made it from
    case Parenthetical:
    case Speech: return Name;
    case PageBreak: return PageBreak;
    default: return Scene;
    }
}

CaseMode caseModeOf(std::int32_t kind)
{
    return kind == Scene || kind == Name || kind == Transition ? CaseMode::Upper : CaseMode::Mixed;
}

// ICU's simple mapping, one letter for one, so that an index into a text is one into what
// it shows: é shows as É, and ß, which has no capital of its own, stays.
sf::Uint32 shownLetter(std::int32_t kind, sf::Uint32 c)
{
    if (caseModeOf(kind) != CaseMode::Upper || c < 'a')
        return c;
    return c <= 'z' ? c - 32 : static_cast<sf::Uint32>(u_toupper(static_cast<UChar32>(c)));
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
