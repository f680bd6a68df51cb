#pragma once
// What a writer is offered to finish a character's name or a scene heading: the names,
// extensions, places and times the script already uses, and the standard ones. The
// counts follow every change of the script, a paragraph in or out at a time, so that an
// offer never takes a pass over the whole script.
//
// A character cue is NAME with extensions in parentheses, "BOB (V.O.)"; a heading is a
// prefix, a place and a time, "INT. KITCHEN - NIGHT"; a transition is offered whole, from
// an empty paragraph on ("CUT TO:"). Everything is counted and offered
// in capitals, as those kinds show it.

#include "document/Script.hpp"

#include <map>
#include <string>
#include <string_view>
#include <vector>

class Completion {
public:
    // Counts a paragraph in (by 1) or out (by -1); only names and headings count.
    void count(const Paragraph& paragraph, int by);
    void clear();
    // The endings offered for a paragraph of the kind whose text is `typed`, the caret at
    // its end: each the characters to add, the most used first, then the standard ones.
    // A name or a place is offered from its first letter on, a time from the first
    // letter after " - ", an extension from the "(" on.
    std::vector<sf::String> offers(DivType kind, const sf::String& typed) const;

private:
    using Counts = std::map<std::u32string, int, std::less<>>;
    static void add(Counts& counts, std::u32string_view key, int by);
    // Keys of `counts` and the standard ones that begin with `start` and go on, most used
    // first, each as what follows `start` with `after` added.
    static std::vector<sf::String> endings(const Counts& counts, const std::vector<std::u32string>& standard,
                                           std::u32string_view start, std::u32string_view after);

    Counts names, extensions, prefixes, places, times, transitions;
    mutable std::u32string scratch; // a text as shown, while it is read
};
