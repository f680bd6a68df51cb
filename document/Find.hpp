#pragma once
// Finding a text in the script as it shows: scene headings and names in capitals.
// Without matching case, letters match whatever their case, in every alphabet; with whole
// words, a match has no letter or digit just before or after.

#include "document/DivType.hpp"
#include "document/Script.hpp"

#include <SFML/System/String.hpp>

#include <cstdint>
#include <vector>

struct FindOptions {
    bool matchCase = false;
    bool wholeWords = false;
};

// A text to search, not copied.
struct SearchedText {
    DivType kind;
    const sf::String* text;
};

struct Match {
    std::uint32_t text;       // which of the searched texts
    std::uint32_t begin, end; // code points of it, [begin, end)
    bool operator==(const Match& other) const
    {
        return text == other.text && begin == other.begin && end == other.end;
    }
};

// Every match of `needle` in the texts, in order, none overlapping; none for an empty needle.
std::vector<Match> findMatches(const std::vector<SearchedText>& texts, const sf::String& needle, FindOptions options);

// The text with each of the matches (all of it, in order) replaced.
sf::String replaceMatches(const sf::String& text, const std::vector<Match>& matches, const sf::String& replacement);
// The same in a paragraph: each replacement takes the style of the first letter it replaces.
void replaceMatches(Paragraph& paragraph, const std::vector<Match>& matches, const sf::String& replacement);
