#include "files/PrintFile.hpp"

#include "files/TextCodec.hpp"

#include <cstdio>
#include <sstream>

namespace {
using namespace PrintFile;

std::string pixels(float inches)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2fpx", inches * pixelsPerInch);
    return text;
}

// A line at a row of the page box (row -3 is the page number's, 0 the first of the text).
void line(std::ostream& out, const sf::String& text, float indent, int row, bool bold)
{
    if (text.isEmpty())
        return;
    out << "<div class=\"l" << (bold ? " b" : "") << "\" style=\"left:" << pixels(indent)
        << ";top:" << pixels(numberToText + row / PrintLayout::linesPerInch) << "\">" << escapeMarkup(toUtf8(text))
        << "</div>\n";
}

// Each line centred on the paper, wrapped to the action's width.
int centred(std::ostream& out, const sf::String& text, const Paper& paper, int row)
{
    for (const sf::String& piece : wrapForPrint(text, PrintLayout::action.width)) {
        const float width = piece.getSize() / PrintLayout::charsPerInch;
        line(out, piece, (paper.width - width) / 2, row++, false);
    }
    return row;
}
} // namespace

std::string printHtml(const Script& script, const Pagination& pagination, const Paper& paper)
{
    const float boxHeight = numberToText + PrintLayout::linesPerPage / PrintLayout::linesPerInch;
    std::ostringstream out;
    out << "<html>\n<head>\n<meta charset=\"utf-8\">\n<style>\n"
        << "body { margin: 0; padding: 0; }\n"
        << ".p { position: relative; overflow: hidden; width: " << pixels(paper.width) << "; height: " << pixels(boxHeight)
        << "; }\n"
        << ".p + .p { page-break-before: always; }\n"
        << ".l { position: absolute; white-space: pre; font-family: \"Liberation Mono\", \"Courier New\", monospace; "
        << "font-size: " << fontPixels << "px; letter-spacing: " << letterSpacing << "px; line-height: normal; color: #000; }\n"
        << ".b { font-weight: bold; }\n"
        << "</style>\n</head>\n<body>\n";

    out << "<div class=\"p\">\n"; // the title page
    const int afterTitle = centred(out, script.title, paper, 15);
    centred(out, script.author, paper, afterTitle + 1);
    out << "</div>\n";

    for (std::size_t p = 0; p < pagination.pages.size(); ++p) {
        out << "<div class=\"p\">\n";
        if (p > 0) {
            const sf::String number = std::to_string(p + 1) + ".";
            line(out, number, paper.width - 1 - number.getSize() / PrintLayout::charsPerInch, -3, false);
        }
        const std::vector<PrintLine>& lines = pagination.pages[p].lines;
        for (std::size_t r = 0; r < lines.size(); ++r)
            line(out, lines[r].text, lines[r].indent, static_cast<int>(r), lines[r].bold);
        out << "</div>\n";
    }
    out << "</body>\n</html>\n";
    return out.str();
}
