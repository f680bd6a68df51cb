#include "document/Find.hpp"

#include <string>
#include <string_view>

#include <unicode/uchar.h>

namespace {
sf::Uint32 folded(sf::Uint32 c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + 32 : c;
    return static_cast<sf::Uint32>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

bool isWordCharacter(sf::Uint32 c)
{
    if (c < 0x80)
        return (c >= '0' && c <= '9') || ((c | 32) >= 'a' && (c | 32) <= 'z');
    return u_isalnum(static_cast<UChar32>(c));
}

// The text as searched: as shown, and folded when case does not matter.
void prepare(std::u32string& out, const sf::String& text, DivType kind, bool matchCase)
{
    out.resize(text.getSize());
    for (std::size_t i = 0; i < out.size(); ++i) {
        const sf::Uint32 shown = shownLetter(kind, text[i]);
        out[i] = matchCase ? shown : folded(shown);
    }
}
} // namespace

std::vector<Match> findMatches(const std::vector<SearchedText>& texts, const sf::String& needle, FindOptions options)
{
    std::vector<Match> matches;
    if (needle.isEmpty())
        return matches;
    std::u32string sought(needle.begin(), needle.end());
    if (!options.matchCase)
        for (char32_t& c : sought)
            c = folded(c);
    std::u32string haystack;
    for (std::uint32_t t = 0; t < texts.size(); ++t) {
        if (texts[t].text->getSize() < sought.size())
            continue;
        prepare(haystack, *texts[t].text, texts[t].kind, options.matchCase);
        const std::u32string_view in(haystack);
        for (std::size_t at = in.find(sought); at != std::u32string_view::npos; at = in.find(sought, at)) {
            const std::size_t end = at + sought.size();
            if (options.wholeWords && ((at > 0 && isWordCharacter(in[at - 1])) || (end < in.size() && isWordCharacter(in[end])))) {
                ++at;
                continue;
            }
            matches.push_back({t, static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(end)});
            at = end;
        }
    }
    return matches;
}

sf::String replaceMatches(const sf::String& text, const std::vector<Match>& matches, const sf::String& replacement)
{
    std::basic_string<sf::Uint32> out;
    std::uint32_t from = 0;
    for (const Match& match : matches) {
        out.append(text.getData() + from, text.getData() + match.begin);
        out.append(replacement.getData(), replacement.getData() + replacement.getSize());
        from = match.end;
    }
    out.append(text.getData() + from, text.getData() + text.getSize());
    return sf::String(out);
}

void replaceMatches(Paragraph& paragraph, const std::vector<Match>& matches, const sf::String& replacement)
{
    for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
        const std::uint8_t style = paragraph.styleAt(match->begin);
        eraseText(paragraph, match->begin, match->end);
        insertText(paragraph, match->begin, replacement, style);
    }
}
