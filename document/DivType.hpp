#pragma once

#include <SFML/System/String.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>

// The kind of a paragraph. The values are stored nowhere but the kind names are:
// a script file gives each paragraph's kind as its name string. The kind bar offers the
// first five; a transition ("CUT TO:"), centred text and a forced page break (a
// paragraph without text) complete what a printed script holds.
enum DivType : std::int32_t {
    None = 0,
    Scene = 1,
    Directorial = 2,
    Name = 3,
    Parenthetical = 4,
    Speech = 5,
    Transition = 6,
    Centered = 7,  // centred direction, "> THE END <" in Fountain
    PageBreak = 8, // the next paragraph begins a new printed page
};

// How a paragraph shows its letters: Upper shows every small letter as its capital. The case is the kind's
// style, never an edit: a paragraph keeps its letters as they were typed, and Scene and
// Name show, save, print and export them in capitals.
enum class CaseMode : std::int32_t { Mixed, Upper };

// Lookups with checked access (at); built before main and never changed.
extern const std::unordered_map<std::string, DivType> kindByName;
extern const std::unordered_map<std::int32_t, std::string> kindNames;
extern const std::unordered_map<std::int32_t, DivType> nextKindOnEnter;

// Which kind Enter gives: this program's chain (Scene, Directorial, Name, Speech, Name …)
// or Final Draft's, where action and speech are followed by action.
enum class KeyChain { Quillmere, FinalDraft };
DivType kindOnEnter(std::int32_t kind, KeyChain chain);

// Tab and Shift+Tab as screenwriters know them: Tab goes Scene, Directorial, Name,
// Parenthetical, Speech, and from Speech back to Parenthetical; Shift+Tab goes back along
// the chain (Speech and Parenthetical to Name, Name to Directorial, Directorial to Scene).
// An empty Name tabs to a Transition, a Transition on to Scene and back to Directorial,
// centred text to Directorial. Scene stays under Shift+Tab, a page break under both; None
// goes to Scene either way.
DivType kindOnTab(std::int32_t kind, bool empty = false);
DivType kindOnShiftTab(std::int32_t kind);

// Scene, Name and Transition are shown in capitals; the other kinds as typed.
CaseMode caseModeOf(std::int32_t kind);
// A character or a text as a paragraph of the kind shows it.
sf::Uint32 shownLetter(std::int32_t kind, sf::Uint32 c);
sf::String shownText(std::int32_t kind, const sf::String& text);
