#include "document/Script.hpp"

sf::String singleLine(const sf::String& text)
{
    std::basic_string<sf::Uint32> out;
    out.reserve(text.getSize());
    for (std::size_t i = 0; i < text.getSize(); ++i) {
        sf::Uint32 c = text[i];
        if (c == '\r' && i + 1 < text.getSize() && text[i + 1] == '\n')
            continue; // the LF that follows stands for the pair
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
        else if (c < 32 || c == 127)
            continue;
        out.push_back(c);
    }
    return sf::String(out);
}
