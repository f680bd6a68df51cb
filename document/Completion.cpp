#include "document/Completion.hpp"

#include <algorithm>

namespace {
const std::vector<std::u32string> standardPrefixes = {U"INT. ", U"EXT. ", U"INT./EXT. ", U"EST. "};
const std::vector<std::u32string> standardExtensions = {U"V.O.", U"O.S.", U"O.C.", U"CONT'D"};
const std::vector<std::u32string> standardTimes = {U"DAY", U"NIGHT", U"CONTINUOUS", U"LATER", U"MOMENTS LATER"};
const std::vector<std::u32string> standardTransitions = {U"CUT TO:",      U"DISSOLVE TO:",   U"SMASH CUT TO:",
                                                         U"MATCH CUT TO:", U"FADE OUT.",      U"FADE TO BLACK.",
                                                         U"INTERCUT WITH:"};

// The text as shown, into a buffer that keeps its memory from call to call.
std::u32string_view shown(DivType kind, const sf::String& text, std::u32string& into)
{
    into.resize(text.getSize());
    for (std::size_t i = 0; i < into.size(); ++i)
        into[i] = shownLetter(kind, text[i]);
    return into;
}

std::u32string_view trimmed(std::u32string_view text)
{
    const std::size_t first = text.find_first_not_of(U' ');
    if (first == std::u32string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(U' ') - first + 1);
}

// The prefix a heading begins with, or "".
std::u32string_view prefixOf(std::u32string_view heading)
{
    static constexpr std::u32string_view prefixes[] = {U"INT./EXT. ", U"INT. ", U"EXT. ", U"EST. ", U"I/E. "};
    for (const std::u32string_view prefix : prefixes)
        if (heading.substr(0, prefix.size()) == prefix)
            return prefix;
    return {};
}
} // namespace

void Completion::add(Counts& counts, std::u32string_view key, int by)
{
    if (key.empty())
        return;
    auto known = counts.find(key);
    if (known == counts.end())
        known = counts.emplace(std::u32string(key), 0).first;
    if ((known->second += by) <= 0)
        counts.erase(known);
}

void Completion::count(const Paragraph& paragraph, int by)
{
    if (paragraph.kind != Name && paragraph.kind != Scene && paragraph.kind != Transition)
        return;
    const std::u32string_view text = shown(paragraph.kind, paragraph.text, scratch);
    if (paragraph.kind == Transition) {
        add(transitions, trimmed(text), by);
    } else if (paragraph.kind == Name) {
        const std::size_t open = text.find(U'(');
        add(names, trimmed(text.substr(0, open)), by);
        for (std::size_t at = open; at != std::u32string_view::npos; at = text.find(U'(', at + 1)) {
            const std::size_t close = text.find(U')', at);
            if (close == std::u32string_view::npos)
                break;
            add(extensions, trimmed(text.substr(at + 1, close - at - 1)), by);
        }
    } else {
        const std::u32string_view prefix = prefixOf(text);
        if (prefix.empty())
            return;
        add(prefixes, prefix, by);
        const std::u32string_view rest = text.substr(prefix.size());
        const std::size_t dash = rest.rfind(U" - ");
        add(places, trimmed(rest.substr(0, dash)), by);
        if (dash != std::u32string_view::npos)
            add(times, trimmed(rest.substr(dash + 3)), by);
    }
}

void Completion::clear()
{
    for (Counts* counts : {&names, &extensions, &prefixes, &places, &times, &transitions})
        counts->clear();
}

std::vector<sf::String> Completion::endings(const Counts& counts, const std::vector<std::u32string>& standard,
                                            std::u32string_view start, std::u32string_view after)
{
    struct Candidate {
        std::u32string text;
        int uses;
        std::size_t order; // among the standard ones; after them all for the others
    };
    std::vector<Candidate> found;
    for (auto it = counts.lower_bound(start); it != counts.end() && it->first.compare(0, start.size(), start) == 0; ++it) {
        const auto known = std::find(standard.begin(), standard.end(), it->first);
        found.push_back({it->first, it->second, static_cast<std::size_t>(known - standard.begin())});
    }
    for (std::size_t i = 0; i < standard.size(); ++i)
        if (standard[i].compare(0, start.size(), start) == 0 && !counts.count(standard[i]))
            found.push_back({standard[i], 0, i});
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return a.uses != b.uses ? a.uses > b.uses : a.order != b.order ? a.order < b.order : a.text < b.text;
    });
    std::vector<sf::String> out;
    for (const Candidate& candidate : found) {
        if (candidate.text.size() <= start.size() && after.empty())
            continue; // typed in full already
        std::u32string rest = candidate.text.substr(start.size());
        rest.append(after);
        out.push_back(sf::String(std::basic_string<sf::Uint32>(rest.begin(), rest.end())));
    }
    return out;
}

std::vector<sf::String> Completion::offers(DivType kind, const sf::String& typed) const
{
    const std::u32string_view text = shown(kind, typed, scratch);
    if (kind == Transition) // offered from the empty paragraph on
        return endings(transitions, standardTransitions, text, U"");
    if (text.empty())
        return {};
    if (kind == Name) {
        const std::size_t open = text.rfind(U'(');
        if (open == std::u32string_view::npos)
            return text[0] == U' ' ? std::vector<sf::String>() : endings(names, {}, text, U"");
        if (text.find(U')', open) != std::u32string_view::npos || open == 0 || text[open - 1] != U' ')
            return {};
        return endings(extensions, standardExtensions, text.substr(open + 1), U")");
    }
    if (kind != Scene)
        return {};
    const std::u32string_view prefix = prefixOf(text);
    if (prefix.empty())
        return endings(prefixes, standardPrefixes, text, U"");
    const std::u32string_view rest = text.substr(prefix.size());
    const std::size_t dash = rest.rfind(U" - ");
    const std::u32string_view part = dash == std::u32string_view::npos ? rest : rest.substr(dash + 3);
    if (part.empty() || part[0] == U' ')
        return {};
    return dash == std::u32string_view::npos ? endings(places, {}, part, U"") : endings(times, standardTimes, part, U"");
}
