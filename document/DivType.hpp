#pragma once

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

// Scene and Name are written in capitals; the other kinds as typed.
CaseMode caseModeOf(std::int32_t kind);
