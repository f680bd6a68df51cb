#pragma once
// Find and replace: the find bar, the matches of its text in the title page's fields and
// the paragraphs (the title page's first, then the paragraphs in order), and which one is
// current. It reads the script and proposes its replacements as edits; the App shows the
// current match and makes the edits.

#include "document/Find.hpp"
#include "document/ScriptEdit.hpp"
#include "ui/FindBar.hpp"

#include <optional>
#include <vector>

class FindAndReplace {
public:
    // The searched texts begin with the title page's fields; a match's `text` counts them.
    static constexpr std::uint32_t fieldCount = static_cast<std::uint32_t>(titleFieldCount);

    FindAndReplace(const sf::RenderTarget& window, const Script& script);

    // Opens the bar with the text sought (none keeps the last), searching on from `from`.
    void open(const sf::String& sought, Caret from);
    void close();
    bool isOpen() const { return bar.isOpen(); }

    // Searches again. With `move` the current match becomes the first at or after where
    // the search goes on from (the first of all after the last); otherwise it stays.
    void search(bool move);
    // The next or the previous match, wrapping; none when there is no match.
    std::optional<Match> step(bool forward);
    std::optional<Match> current() const;
    // The search goes on from there after a replacement or a move of the caret.
    void goOnFrom(Caret from) { m_from = from; }

    // What replacing the current match, or every match, makes: the paragraphs' edits and
    // the title page as it becomes; none when there is nothing to replace.
    struct Replacement {
        std::vector<ScriptEdit> edits;
        std::optional<TitleLines> titlePage;
        std::size_t count = 0;
        std::optional<Caret> after; // just after the last replacement in a paragraph
    };
    Replacement replacement(bool all, Caret caret) const;
    // "3 of 768", "No match", or nothing while the box is empty.
    void showStatus();

    // The paragraphs' matches, for the marks on the sheet (`text` is the paragraph).
    const std::vector<Match>& sheetMatches() const { return m_sheetMatches; }

    FindBar bar;

private:
    const Script& m_script;
    std::vector<Match> m_found; // in the title page's fields and then the paragraphs
    std::vector<Match> m_sheetMatches;
    std::size_t m_at = 0;       // the current one
    Caret m_from;               // where the search for the current match begins
};
