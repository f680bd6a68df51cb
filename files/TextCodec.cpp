#include "files/TextCodec.hpp"

std::string toUtf8(const sf::String& text)
{
    const std::basic_string<sf::Uint8> bytes = text.toUtf8();
    return std::string(bytes.begin(), bytes.end());
}

namespace {
// A stray byte becomes `stray`, or the Latin-1 character of its value when that is 0.
sf::String decode(const char* bytes, std::size_t size, sf::Uint32 stray)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    std::basic_string<sf::Uint32> out;
    out.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = in[i];
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        sf::Uint32 code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + length <= size;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (in[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (in[i + k] & 0x3F);
        }
        static const sf::Uint32 least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out.push_back(stray ? stray : lead);
            ++i;
        } else {
            out.push_back(code);
            i += length;
        }
    }
    return sf::String(out);
}
} // namespace

sf::String fromUtf8(const char* bytes, std::size_t size)
{
    return decode(bytes, size, 0);
}

sf::String nameForDisplay(const std::string& bytes)
{
    return decode(bytes.data(), bytes.size(), 0xFFFD);
}

sf::String fromUtf8(const std::string& bytes)
{
    return fromUtf8(bytes.data(), bytes.size());
}

std::string escapeMarkup(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\0': break; // would end the file for any reader
        default: out += c;
        }
    }
    return out;
}

std::vector<sf::String> splitLines(const sf::String& text)
{
    std::vector<sf::String> lines;
    if (text.isEmpty())
        return lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\n", from)) != sf::String::InvalidPos; from = at + 1)
        lines.push_back(text.substring(from, at - from));
    lines.push_back(text.substring(from));
    return lines;
}

std::size_t utf8Size(const sf::String& text)
{
    std::size_t bytes = 0;
    for (const sf::Uint32 c : text)
        bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    return bytes;
}
