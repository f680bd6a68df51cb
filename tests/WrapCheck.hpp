#pragma once
// What every shown paragraph keeps: its display is its text (as the kind shows it) with
// each line break either in place of a space or inserted inside a cut word, no line shows
// more than lineChars - 1 characters, and the line lengths add up to the text.

#include "editor/ShownParagraph.hpp"

#include <algorithm>
#include <string>

// An empty string when the paragraph is consistent, otherwise what is wrong.
inline std::string wrapProblem(const ShownParagraph& p, const Paragraph& paragraph)
{
    const sf::String shown = p.display().getString();
    const sf::String& text = paragraph.text;
    const Wrap& wrap = p.wrap;
    if (shown.getSize() != text.getSize() + wrap.insertedBreaks.size())
        return "display and text differ in length";
    std::size_t d = 0, lineLength = 0, lines = 1;
    const std::size_t widest = wrap.lineChars > 1 ? wrap.lineChars - 1 : 1;
    for (std::size_t i = 0; i < text.getSize(); ++i, ++d) {
        if (std::binary_search(wrap.insertedBreaks.begin(), wrap.insertedBreaks.end(), i)) {
            if (shown[d] != '\n')
                return "no line break where a word is cut";
            ++d, ++lines, lineLength = 0;
        }
        if (shown[d] == '\n') {
            if (text[i] != ' ')
                return "a line break hides character " + std::to_string(i);
            ++lines, lineLength = 0;
        } else if (shown[d] != shownLetter(paragraph.kind, text[i])) {
            return "display shows another character at " + std::to_string(i);
        } else if (++lineLength > widest) {
            return "a line shows more than lineChars - 1 characters";
        }
    }
    std::size_t sum = 0;
    for (const auto length : wrap.lineLengths)
        sum += length;
    if (sum != text.getSize() || wrap.lineLengths.size() != lines)
        return "line lengths do not match the lines";
    if (countLines(text, wrap.lineChars) != lines)
        return "the line count for the height differs from the lines shown";
    return {};
}
