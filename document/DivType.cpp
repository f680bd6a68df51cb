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

DivType kindAfter(std::int32_t kind)
{
    return kind >= Scene && kind < Speech ? static_cast<DivType>(kind + 1) : Scene;
}

DivType kindBefore(std::int32_t kind)
{
    return kind > Scene && kind <= Speech ? static_cast<DivType>(kind - 1) : Speech;
}

CaseMode caseModeOf(std::int32_t kind)
{
    return kind == Scene || kind == Name ? CaseMode::Upper : CaseMode::Mixed;
}
