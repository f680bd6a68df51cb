#pragma once
// The script as printed pages, by the screenplay rules: Courier-metric type at ten
// characters and six lines to the inch, 54 lines of text on a page; each kind at its own
// indent and width; one blank line before each scene heading, action paragraph and
// dialogue; no page ending with a scene heading, a character's name or a parenthetical;
// action split only at a sentence's end with two lines or more on either page; dialogue
// split only at a sentence's end, with "(MORE)" below it and the name again with
// " (CONT'D)" on the next page.
//
// The wrap of the printed page is its own: whole words into the kind's width in
// characters. Indents are inches from the paper's left edge.

#include "document/Script.hpp"

#include <cstdint>
#include <vector>

namespace PrintLayout {
constexpr int linesPerPage = 54;
constexpr float charsPerInch = 10;
constexpr float linesPerInch = 6;

struct Column {
    float indent; // inches from the paper's left edge
    int width;    // characters
};
constexpr Column action{1.5f, 60};
constexpr Column name{3.7f, 38};
constexpr Column parenthetical{3.1f, 30};
constexpr Column dialogue{2.5f, 35};

Column columnOf(DivType kind);
} // namespace PrintLayout

struct PrintLine {
    sf::String text; // empty for a blank line
    float indent = 0;
    bool bold = false;
    std::uint32_t paragraph = 0; // whose text (or "(MORE)", or name again) it prints
};

struct PrintPage {
    std::vector<PrintLine> lines; // from the top, at most linesPerPage
};

struct Pagination {
    std::vector<PrintPage> pages;       // the script's pages; the title page is not among them
    std::vector<std::uint32_t> pageOf;  // for each paragraph, the page it begins on
};

Pagination paginate(const Script& script);

// A paragraph as the pagination reads it, without copying its text.
struct ParagraphView {
    DivType kind;
    const sf::String* text;
};
// The same; without `withLines` only the page count and each paragraph's page are made,
// as the page count on screen needs, and no printed line.
Pagination paginate(const std::vector<ParagraphView>& paragraphs, bool withLines);

// Whole words into lines of at most `width` characters; a longer word is cut. The spaces
// at a break go; an empty text gives no line.
std::vector<sf::String> wrapForPrint(const sf::String& text, int width);
