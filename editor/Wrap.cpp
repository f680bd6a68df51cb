#include "editor/Wrap.hpp"

#include <algorithm>

namespace {
// The wrap, told each line's end and each cut as it finds them; returns the line count.
template <typename OnLine, typename OnCut>
std::uint32_t breakLines(const sf::String& text, std::uint32_t lineChars, OnLine onLine, OnCut onCut)
{
    const std::size_t widest = lineChars > 1 ? lineChars - 1 : 1;
    std::size_t line = 0, word = 0; // cells of the line so far (its words and spaces) and of the word being read
    std::uint32_t lines = 1;
    auto endLine = [&] {
        onLine(line);
        line = 0;
        ++lines;
    };
    const sf::Uint32* c = text.getData();
    for (std::size_t i = 0, n = text.getSize(); i < n; ++i) {
        if (c[i] != ' ') {
            if (++word > widest) { // fits no line: cut it
                if (line > 0)
                    endLine();
                onCut(i);
                line = widest;
                endLine();
                word -= widest;
            }
            continue;
        }
        if (line + word >= lineChars)
            endLine();
        line += word + 1;
        word = 0;
        if (line >= lineChars) // a space in the last cell is the break: what follows starts below
            endLine();
    }
    if (word > 0) {
        if (line > 0 && line + word >= lineChars)
            endLine();
        line += word;
    }
    onLine(line);
    return lines;
}
} // namespace

Wrap wrapText(const sf::String& text, std::uint32_t lineChars)
{
    Wrap wrap;
    wrap.lineChars = std::max<std::uint32_t>(lineChars, 1);
    breakLines(
        text, wrap.lineChars,
        [&](std::size_t length) {
            wrap.lineStarts.push_back(wrap.lineStarts.empty() ? 0 : wrap.lineStarts.back() + wrap.lineLengths.back());
            wrap.lineLengths.push_back(static_cast<std::uint32_t>(length));
        },
        [&](std::size_t at) { wrap.insertedBreaks.push_back(static_cast<std::uint32_t>(at)); });
    return wrap;
}

std::uint32_t countLines(const sf::String& text, std::uint32_t lineChars)
{
    return breakLines(text, std::max<std::uint32_t>(lineChars, 1), [](std::size_t) {}, [](std::size_t) {});
}

std::uint32_t Wrap::lineStart(std::size_t row) const
{
    if (row < lineStarts.size())
        return lineStarts[row];
    return lineStarts.empty() ? 0 : lineStarts.back() + lineLengths.back(); // past the last line: the text's end
}

bool Wrap::endsInCut(std::size_t row) const
{
    return std::binary_search(insertedBreaks.begin(), insertedBreaks.end(), lineStart(row) + lineLengths[row]);
}

std::uint32_t Wrap::shownCells(std::size_t row) const
{
    const bool last = row + 1 >= lineLengths.size();
    return last || endsInCut(row) ? lineLengths[row] : lineLengths[row] - 1;
}

std::size_t Wrap::rowOf(std::size_t index) const
{
    const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), index); // the first line starting beyond it
    return after == lineStarts.begin() ? 0 : static_cast<std::size_t>(after - lineStarts.begin()) - 1;
}

std::size_t Wrap::shownIndex(std::size_t index) const
{
    const auto cuts = std::upper_bound(insertedBreaks.begin(), insertedBreaks.end(), index) - insertedBreaks.begin();
    return index + static_cast<std::size_t>(cuts);
}
