#pragma once
// The file the PDF is rendered from: the paginated script as HTML boxes of a fixed size,
// one per page, every line at its exact place; the title page first and unnumbered (none
// when it is empty); the first page of the script unnumbered and the others numbered
// from "2." on, ending 7.25 in from the paper's left edge, half an inch from its top, a
// speech's cue again beside the number and its "(MORE)" below the page's 54 lines.
//
// Debian's wkhtmltopdf (0.12.6 on unpatched Qt) draws a CSS pixel as 34/59 of a point
// and sets type at whole pixels only: 21 pixels, 12.1 points, is the size nearest to 12;
// a letter spacing of -0.1 pixel brings its advance to ten characters to the inch. The
// converter is given a top margin of half an inch, where the page numbers stand, so the
// text block begins one inch from the paper's top and ends nine inches lower.

#include "document/Script.hpp"
#include "files/Pagination.hpp"

#include <string>

struct Paper {
    const char* name; // the converter's name for it
    float width;      // inches
    float height;     // inches
};
constexpr Paper usLetter{"Letter", 8.5f, 11.0f};
constexpr Paper a4{"A4", 8.27f, 11.69f};

// Where a scene heading's number prints: beside it at the left (starting 0.75 in from the
// paper's left edge), at the right (ending 7.375 in), at both or nowhere.
enum class SceneNumbers { None, Left, Right, Both };

namespace PrintFile {
constexpr float pointsPerPixel = 34.0f / 59.0f; // measured on the converter
constexpr float pixelsPerInch = 72 / pointsPerPixel;
constexpr int fontPixels = 21;
constexpr float letterSpacing = -0.1f; // pixels
constexpr float topMargin = 0.5f;      // inches, the converter's, above the page number
constexpr float bottomMargin = 0.5f;   // inches, the converter's; the text ends well above it
constexpr float numberToText = 0.5f;   // inches from the page number's line to the first line
} // namespace PrintFile

std::string printHtml(const Script& script, const Pagination& pagination, const Paper& paper,
                      const PrintLayout::Layout& layout = PrintLayout::finalDraft,
                      SceneNumbers numbers = SceneNumbers::None);
