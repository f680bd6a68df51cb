#pragma once
// The script as printed pages, by the screenplay rules: Courier-metric type at ten
// characters and six lines to the inch, 54 lines of text on a page; each kind at its own
// indent and width (a transition right-aligned, centred text centred); blank lines before
// scene headings (two in Final Draft's layout), action, transitions and dialogue; no page
// ending with a scene heading, a character's name or a parenthetical; action split only
// at a sentence's end with two lines or more on either page; dialogue split only at a
// sentence's end, with "(MORE)" below it and the name again with " (CONT'D)" on the next
// page; a page break paragraph begins a new page.
//
// The wrap of the printed page is its own: whole words into the kind's width in
// characters. Indents are inches from the paper's left edge.

#include "document/Script.hpp"

#include <cstdint>
#include <vector>

namespace PrintLayout {
constexpr float charsPerInch = 10;
constexpr float linesPerInch = 6;

struct Column {
    float indent; // inches from the paper's left edge
    int width;    // characters
};

// Every number of a printed layout, in one place.
struct Layout {
    Column action, name, parenthetical, dialogue, transition; // a transition ends at indent + width
    int linesPerPage;
    int linesBeforeHeading;   // blank lines before a scene heading (none at a page's top)
    bool continuedInScene;    // "NAME (CONT'D)" when the same character speaks again after only action
};

// Final Draft's defaults, the layout the program prints.
constexpr Layout finalDraft{{1.5f, 61}, {3.5f, 38}, {3.0f, 30}, {2.5f, 35}, {5.5f, 16}, 54, 2, true};
// The older standard, which some readers still ask for.
constexpr Layout classic{{1.5f, 60}, {3.7f, 38}, {3.1f, 30}, {2.5f, 35}, {5.5f, 16}, 54, 1, false};

Column columnOf(DivType kind, const Layout& layout = finalDraft);
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
    // For each page after the first, the paragraph and the index in its text where the
    // page begins (0 when it begins with the paragraph).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pageStarts;
};

Pagination paginate(const Script& script, const PrintLayout::Layout& layout = PrintLayout::finalDraft);

// A paragraph as the pagination reads it, without copying its text.
struct ParagraphView {
    DivType kind;
    const sf::String* text;
};
// The same; without `withLines` only the page count, each paragraph's page and where
// each page starts are made, as the screen needs, and no printed line.
Pagination paginate(const std::vector<ParagraphView>& paragraphs, bool withLines,
                    const PrintLayout::Layout& layout = PrintLayout::finalDraft);

// Whole words into lines of at most `width` characters; a longer word is cut. The spaces
// at a break go; an empty text gives no line.
std::vector<sf::String> wrapForPrint(const sf::String& text, int width);
