#pragma once
// The rules of spelling that need no dictionary: which paragraphs and which of their
// words are checked, the words a character's cue makes fine everywhere, and the capitals
// a suggestion takes from the word it replaces.
//
// Words are found by ICU's word breaks, so that apostrophes (' and ’) hold a word together
// and hyphens split it, as a reader expects. Indices are code points of the text.

#include "document/Script.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct WordSpan {
    std::uint32_t begin = 0, end = 0; // [begin, end)
};

// Scene headings and names are places and people: they, and page breaks, are not checked.
bool spellingChecked(std::int32_t kind);

// The words of a text that are checked, in order: runs of letters, leaving out a word of
// one letter, one with a digit or a full stop in it ("V.O."), and every word of a web or
// mail address.
std::vector<WordSpan> checkedWords(const sf::String& text);

// How words are compared whatever their case: in capitals, ’ as ', a final 's dropped.
std::u32string wordKey(std::u32string_view word);

// The keys of the words of a cue: "Mary Ann (V.O.)" gives MARY and ANN.
std::vector<std::u32string> cueWords(const sf::String& cue);

// Whether a word is in capitals: two letters or more, none of them small.
bool inCapitals(const sf::String& word);
// The word in small letters, a letter for a letter.
sf::String inSmallLetters(const sf::String& word);

// The suggestion with the capitals of the word as typed: all in capitals (two letters or
// more) gives capitals, a first capital gives a first capital, anything else the
// suggestion as it is.
sf::String inPatternOf(const sf::String& word, const sf::String& suggestion);

// The paragraph with a word replaced by a suggestion in the word's capitals, each new
// letter in the style of the word's letter at its place (the last one's past its end).
Paragraph respelled(const Paragraph& paragraph, WordSpan word, const sf::String& suggestion);
