#pragma once

#include "document/Script.hpp"

#include <functional>
#include <string>
#include <vector>

// The system clipboard for a selection of paragraphs. A piece of one paragraph goes as
// its plain text; pieces of several paragraphs go as Fountain text, which other programs
// read with its kinds. While the clipboard still holds what was put there, taking gives
// back the very pieces, kinds and all.
class Clipboard {
public:
    static constexpr std::size_t largestPaste = 2u << 20; // bytes of UTF-8, ten feature scripts

    void put(const std::vector<Paragraph>& pieces);
    // What a paste inserts: nothing for an empty clipboard; one piece of kind None (it
    // takes the kind of where it goes) for a single line of text; for text with line
    // breaks the paragraphs Fountain reads in it, or one piece when it reads only one.
    // A text larger than largestPaste gives nothing, and `refusal` says why.
    std::vector<Paragraph> take(std::string* refusal = nullptr) const;

    // Reads the desktop's clipboard (UTF-8) when the window's own reading finds nothing.
    std::function<std::string()> fromDesktop;

private:
    sf::String placed;             // the text put on the system clipboard
    std::vector<Paragraph> pieces; // what it stands for
};
