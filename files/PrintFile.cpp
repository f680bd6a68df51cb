#include "files/PrintFile.hpp"

#include "files/TextCodec.hpp"

#include <cstdio>
#include <cstdint>
#include <sstream>
#include <vector>

namespace {
using namespace PrintFile;

constexpr float numberEnds = 7.25f; // inches from the paper's left edge, where the page number ends
constexpr int numberRow = -3;       // half an inch above the text
constexpr float sceneNumberStarts = 0.75f; // inches from the paper's left edge, the left scene number
constexpr float sceneNumberEnds = 7.375f;  // the right one

std::string pixels(float inches)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2fpx", inches * pixelsPerInch);
    return text;
}

// A line at a row of the page box (row -3 is the page number's, 0 the first of the text),
// its styled letters in <b>, <i> and <u>.
void line(std::ostream& out, const sf::String& text, float indent, int row, bool bold,
          const std::vector<std::uint8_t>& styles = {})
{
    if (text.isEmpty())
        return;
    out << "<div class=\"l" << (bold ? " b" : "") << "\" style=\"left:" << pixels(indent)
        << ";top:" << pixels(numberToText + row / PrintLayout::linesPerInch) << "\">";
    for (std::size_t from = 0; from < text.getSize();) {
        std::size_t to = from + 1;
        const std::uint8_t style = from < styles.size() ? styles[from] : std::uint8_t(Plain);
        while (to < text.getSize() && (to < styles.size() ? styles[to] : std::uint8_t(Plain)) == style)
            ++to;
        const std::string letters = escapeMarkup(toUtf8(text.substring(from, to - from)));
        out << (style & Bold ? "<b>" : "") << (style & Italic ? "<i>" : "") << (style & Underline ? "<u>" : "") << letters
            << (style & Underline ? "</u>" : "") << (style & Italic ? "</i>" : "") << (style & Bold ? "</b>" : "");
        from = to;
    }
    out << "</div>\n";
}

// The lines of a title-page field: each of its lines wrapped to the action's width.
std::vector<sf::String> linesOf(const sf::String& field, const PrintLayout::Layout& layout)
{
    std::vector<sf::String> lines;
    for (const sf::String& line : splitLines(field))
        for (const sf::String& piece : wrapForPrint(line, layout.action.width))
            lines.push_back(piece);
    return lines;
}

float widthOf(const sf::String& text)
{
    return text.getSize() / PrintLayout::charsPerInch;
}

// Lines centred on the paper from a row on; the row after them.
int centred(std::ostream& out, const std::vector<sf::String>& lines, const Paper& paper, int row)
{
    for (const sf::String& piece : lines)
        line(out, piece, (paper.width - widthOf(piece)) / 2, row++, false);
    return row;
}

// The title page as Final Draft prints it: the title a third down, the credit, the author
// and the source below it; the contact at the foot on the left, the notes and the draft
// date at the foot on the right.
void titlePage(std::ostream& out, const Script& script, const Paper& paper, const PrintLayout::Layout& layout)
{
    const int lastRow = layout.linesPerPage - 1;
    int row = 16; // three and two thirds inches down, a third of the paper
    for (const TitleField* field : titleFieldsAt(TitlePlace::Centre)) {
        const std::vector<sf::String> lines = linesOf(script.*field->member, layout);
        if (!lines.empty())
            row = centred(out, lines, paper, row) + 1;
    }
    const std::vector<sf::String> contact = linesOf(script.contact, layout);
    for (std::size_t i = 0; i < contact.size(); ++i)
        line(out, contact[i], layout.action.indent, lastRow - static_cast<int>(contact.size() - 1 - i), false);
    const float rightEdge = layout.action.indent + layout.action.width / PrintLayout::charsPerInch;
    std::vector<sf::String> right = linesOf(script.notes, layout);
    if (!script.draftDate.isEmpty()) {
        if (!right.empty())
            right.emplace_back();
        right.push_back(script.draftDate);
    }
    for (std::size_t i = 0; i < right.size(); ++i)
        line(out, right[i], rightEdge - widthOf(right[i]), lastRow - static_cast<int>(right.size() - 1 - i), false);
}
} // namespace

std::string printHtml(const Script& script, const Pagination& pagination, const Paper& paper,
                      const PrintLayout::Layout& layout, SceneNumbers numbers)
{
    // Each heading's number, as the scene list counts them.
    std::vector<std::uint32_t> sceneNumber(script.paragraphs.size(), 0);
    for (std::uint32_t i = 0, scenes = 0; i < script.paragraphs.size(); ++i)
        if (script.paragraphs[i].kind == Scene)
            sceneNumber[i] = ++scenes;

    // The page's lines and "(MORE)" below them.
    const float boxHeight = numberToText + (layout.linesPerPage + 1) / PrintLayout::linesPerInch;
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

    if (!script.titlePage().empty()) {
        out << "<div class=\"p\">\n";
        titlePage(out, script, paper, layout);
        out << "</div>\n";
    }

    for (std::size_t p = 0; p < pagination.pages.size(); ++p) {
        out << "<div class=\"p\">\n";
        if (p > 0) {
            const sf::String number = std::to_string(p + 1) + ".";
            line(out, number, numberEnds - number.getSize() / PrintLayout::charsPerInch, numberRow, false);
        }
        std::int64_t numbered = -1; // the heading whose number stands on the page already
        for (const PrintLine& printed : pagination.pages[p].lines) { // the cue again stands on the number's line
            line(out, printed.text, printed.indent, printed.row == PrintLine::header ? numberRow : printed.row, printed.bold,
                 printed.styles);
            const std::uint32_t scene = printed.paragraph < sceneNumber.size() ? sceneNumber[printed.paragraph] : 0;
            if (scene == 0 || numbers == SceneNumbers::None || printed.text.isEmpty() || numbered == printed.paragraph)
                continue;
            numbered = printed.paragraph;
            const sf::String number = std::to_string(scene);
            if (numbers != SceneNumbers::Right)
                line(out, number, sceneNumberStarts, printed.row, printed.bold);
            if (numbers != SceneNumbers::Left)
                line(out, number, sceneNumberEnds - widthOf(number), printed.row, printed.bold);
        }
        out << "</div>\n";
    }
    out << "</body>\n</html>\n";
    return out.str();
}
