#include "editor/Clipboard.hpp"

#include "files/Fountain.hpp"
#include "files/TextCodec.hpp"

#include <SFML/Window/Clipboard.hpp>

#include <cstdio>

namespace {
bool hasLineBreak(const sf::String& text)
{
    return text.find("\n") != sf::String::InvalidPos || text.find("\r") != sf::String::InvalidPos;
}
} // namespace

void Clipboard::put(const std::vector<Paragraph>& selected)
{
    if (selected.empty())
        return;
    pieces = selected;
    // Other programs get no empty piece at either end: a selection from a paragraph's
    // start or to its end is the paragraphs themselves.
    auto first = selected.begin(), last = selected.end();
    if (last - first > 1 && first->text.isEmpty())
        ++first;
    if (last - first > 1 && (last - 1)->text.isEmpty())
        --last;
    if (last - first == 1) {
        placed = shownText(first->kind, first->text); // as the sheet shows it: a heading in capitals
    } else {
        std::string text = fountainBody(std::vector<Paragraph>(first, last));
        if (!text.empty() && text[0] == '\n')
            text.erase(0, 1); // the blank line before the first element
        placed = fromUtf8(text);
    }
    sf::Clipboard::setString(placed);
}

std::vector<Paragraph> Clipboard::take(std::string* refusal) const
{
    sf::String text = sf::Clipboard::getString();
    if (text.isEmpty() && fromDesktop) // a large text comes in pieces that the window cannot take
        text = fromUtf8(fromDesktop());
    if (text.isEmpty())
        return {};
    if (text == placed && !pieces.empty())
        return pieces;
    const std::size_t bytes = toUtf8(text).size();
    if (bytes > largestPaste) {
        if (refusal) {
            char said[120];
            std::snprintf(said, sizeof said, "The clipboard holds %.1f MB; a paste takes at most %zu MB",
                          bytes / 1048576.0, largestPaste >> 20);
            *refusal = said;
        }
        return {};
    }
    if (hasLineBreak(text)) {
        if (std::optional<std::vector<Paragraph>> read = parseFountainBody(toUtf8(text))) {
            if (read->size() == 1)
                return {{None, (*read)[0].text}};
            return *read;
        }
    }
    const sf::String line = singleLine(text);
    if (line.isEmpty())
        return {};
    return {{None, line}};
}
