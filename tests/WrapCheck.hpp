#pragma once
// What every wrapped paragraph keeps: its display is its text (in capitals for an
// upper-case kind) with each line break either in place of a space or inserted inside a
// cut word, no line shows more than
// lineChars - 1 characters, and the line lengths add up to the text.

#include "editor/DivEditor.hpp"

#include <algorithm>
#include <string>

// An empty string when the paragraph is consistent, otherwise what is wrong.
inline std::string wrapProblem(const DivEditor& p)
{
    const sf::String shown = p.display.getString();
    if (shown.getSize() != p.text.getSize() + p.insertedBreaks.size())
        return "display and text differ in length";
    std::size_t d = 0, lineLength = 0, lines = 1;
    const std::size_t widest = p.lineChars > 1 ? p.lineChars - 1 : 1;
    for (std::size_t i = 0; i < p.text.getSize(); ++i, ++d) {
        if (std::binary_search(p.insertedBreaks.begin(), p.insertedBreaks.end(), i)) {
            if (shown[d] != '\n')
                return "no line break where a word is cut";
            ++d, ++lines, lineLength = 0;
        }
        if (shown[d] == '\n') {
            if (p.text[i] != ' ')
                return "a line break hides character " + std::to_string(i);
            ++lines, lineLength = 0;
        } else if (shown[d] != (p.caseMode == CaseMode::Upper ? shownLetter(Scene, p.text[i]) : p.text[i])) {
            return "display shows another character at " + std::to_string(i);
        } else if (++lineLength > widest) {
            return "a line shows more than lineChars - 1 characters";
        }
    }
    std::size_t sum = 0;
    for (const auto length : p.lineLengths)
        sum += length;
    if (sum != p.text.getSize() || p.lineLengths.size() != lines)
        return "line lengths do not match the lines";
    if (p.cursor > p.text.getSize())
        return "cursor beyond the text";
    return {};
}
