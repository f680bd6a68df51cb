#pragma once
// The script as data: a title page and the paragraphs, each a kind and a text. It holds
// no layout and no drawing; files, history and export work on it.

#include "document/DivType.hpp"

#include <SFML/System/String.hpp>

#include <vector>

struct Paragraph {
    DivType kind = Scene;
    sf::String text;

    bool operator==(const Paragraph& other) const { return kind == other.kind && text == other.text; }
    bool operator!=(const Paragraph& other) const { return !(*this == other); }
};

// Text as a paragraph or a title line can hold it: each CR LF pair, lone CR, LF and tab
// becomes one space; other control characters and DEL (127) are dropped.
sf::String singleLine(const sf::String& text);

struct Script {
    sf::String title = "[Title here]";
    sf::String author = "By [Author here]";
    std::vector<Paragraph> paragraphs;

    bool operator==(const Script& other) const
    {
        return title == other.title && author == other.author && paragraphs == other.paragraphs;
    }
};
