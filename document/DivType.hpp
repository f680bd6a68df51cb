#pragma once

#include <SFML/Config.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>

// The kind of a paragraph. The values are stored nowhere but the kind names are:
// a script file gives each paragraph's kind as its name string.
enum DivType : std::int32_t {
    None = 0,
    Scene = 1,
    Directorial = 2,
    Name = 3,
    Parenthetical = 4,
    Speech = 5,
};

// How a paragraph cases its letters: Upper turns typed a to z into A to Z.
enum class CaseMode : std::int32_t { Mixed, Upper };

// Lookups with checked access (at); built before main and never changed.
extern const std::unordered_map<std::string, DivType> kindByName;
extern const std::unordered_map<std::int32_t, std::string> kindNames;
extern const std::unordered_map<std::int32_t, DivType> nextKindOnEnter;

// The kinds in the order of the kind bar, round: Scene, Directorial, Name,
// Parenthetical, Speech, Scene. None is followed by Scene and preceded by Speech.
DivType kindAfter(std::int32_t kind);
DivType kindBefore(std::int32_t kind);

// Layout of one kind; margins are page-view pixels from the paragraph's rectangle.
struct KindLayout {
    float marginLeft;
    float marginTop;
    float marginRight;
    float marginBottom;
    sf::Uint32 style;    // sf::Text::Regular or sf::Text::Bold
    float letterSpacing; // factor of the font's own spacing
    CaseMode caseMode;
};

extern const std::unordered_map<std::int32_t, KindLayout> kindLayout;

class DivEditor;

// Gives a paragraph the margins, style and letter case of kind K (nothing for None or
// values outside Scene to Speech). The caller stores the kind itself.
void applyKind(DivEditor& paragraph, std::int32_t kind);
