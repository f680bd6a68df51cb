#pragma once
// The script as printed pages, as Final Draft prints them: Courier-metric type at ten
// characters and six lines to the inch, 54 lines of text on a page; each kind at its own
// indent and width (a transition right-aligned, centred text centred, a parenthetical's
// "(" hanging a cell left of its text); blank lines between elements, the larger of what
// the two ask for (two before a scene heading, one before action, dialogue and a
// transition), none at a page's top.
//
// Where a page may end: never after a scene heading (it goes over with the start of what
// follows, with all of an action shorter than five lines); action only at a sentence's
// end, two lines or more on either page; dialogue between its parts or at a sentence's
// end inside a speech of three lines or more, two spoken lines or more on either page,
// with "(MORE)" below and the cue again with " (CONT'D)" on the next page (neither takes
// room from the page); a transition never begins a page alone; a forced page break ends
// the page. Of the places a page may end, the end of a sentence comes first, then the
// fullest page. Two speeches spoken at once stand side by side, the taller deciding the
// height, and are not split when they fit on a page.
//
// The wrap of the printed page is its own: whole words into the kind's width in
// characters. Indents are inches from the paper's left edge.

#include "document/Script.hpp"

#include <cstdint>
#include <string>
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
    // The halves of two speeches spoken at once: a cue centred in its column.
    Column leftName, leftParenthetical, leftDialogue, rightName, rightParenthetical, rightDialogue;
    int linesPerPage;
    int linesBeforeHeading; // blank lines before a scene heading (none at a page's top)
    bool hangingParenthesis; // a parenthetical's "(" one cell left of its text, its text in the width
    bool continuedInScene;   // "NAME (CONT'D)" when the same cue speaks again after only action
    int shortAction;         // an action of fewer lines goes over with its heading whole
};

// Final Draft's defaults, the layout the program prints.
constexpr Layout finalDraft{{1.5f, 61},  {3.5f, 37},  {3.1f, 29},  {2.5f, 35},  {5.5f, 16},  {1.5f, 30},  {1.85f, 22},
                            {1.5f, 29},  {4.5f, 30},  {4.975f, 22}, {4.625f, 29}, 54, 2, true, true, 5};
// The older standard, which some readers still ask for.
constexpr Layout classic{{1.5f, 60},  {3.7f, 38},  {3.1f, 30},  {2.5f, 35},  {5.5f, 16},  {1.5f, 30},  {1.85f, 22},
                         {1.5f, 29},  {4.5f, 30},  {4.975f, 22}, {4.625f, 29}, 54, 1, false, false, 0};

Column columnOf(DivType kind, const Layout& layout = finalDraft);
} // namespace PrintLayout

struct PrintLine {
    static constexpr std::int32_t header = -1; // the row of the page number, above the page's 54

    sf::String text; // empty for a blank line
    float indent = 0;
    bool bold = false;
    std::uint32_t paragraph = 0;     // whose text (or "(MORE)", or cue again) it prints
    std::int32_t row = 0;            // its line on the page, from 0; two halves of a pair share one
    std::vector<std::uint8_t> styles; // a style for each letter, empty when all are plain
};

struct PrintPage {
    std::vector<PrintLine> lines; // in the order of their rows
};

// A page that begins with an element's first line, where pagination may begin again
// with the same result: the page, the paragraph, who spoke last in the scene before it
// (for "(CONT'D)"), and whether a scene heading stands just before it.
struct PageCheckpoint {
    std::uint32_t page = 0;
    std::uint32_t paragraph = 0;
    std::u32string speaker;
    bool afterHeading = false;

    bool operator==(const PageCheckpoint& other) const
    {
        return page == other.page && paragraph == other.paragraph && speaker == other.speaker && afterHeading == other.afterHeading;
    }
};

struct Pagination {
    std::vector<PrintPage> pages;       // the script's pages; the title page is not among them
    std::vector<std::uint32_t> pageOf;  // for each paragraph, the page it begins on
    // For each page after the first, the paragraph and the index in its text where the
    // page begins (0 when it begins with the paragraph).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pageStarts;
    std::vector<PageCheckpoint> checkpoints; // in page order
};

// Whether the cue at `i` prints "NAME (CONT'D)" in Final Draft's layout: the cue before it
// in the scene, with only action between, names the same character and is no voice-over,
// and this one has no extension and is not spoken at once with another.
bool printsContinued(const std::vector<Paragraph>& paragraphs, std::size_t i);

Pagination paginate(const Script& script, const PrintLayout::Layout& layout = PrintLayout::finalDraft);
// Without `withLines` only the page count, each paragraph's page and where each page
// starts are made, as the screen needs, and no printed line.
Pagination paginate(const std::vector<Paragraph>& paragraphs, bool withLines,
                    const PrintLayout::Layout& layout = PrintLayout::finalDraft);

// The screen's pagination after edits: `earlier` was made of the paragraphs before they
// changed, which differ now only in [changedFrom, changedTo) and by `shift` paragraphs
// after it. Paginates again from a checkpoint before the change until a page begins as an
// earlier one began, and keeps the earlier pages after that: the same result as
// paginating the whole script, in time that follows the change.
Pagination repaginate(const std::vector<Paragraph>& paragraphs, Pagination earlier, std::uint32_t changedFrom,
                      std::uint32_t changedTo, std::int64_t shift, const PrintLayout::Layout& layout = PrintLayout::finalDraft);

// Whole words into lines of at most `width` characters; a longer word is cut. The spaces
// at a break go; an empty text gives no line.
std::vector<sf::String> wrapForPrint(const sf::String& text, int width);
