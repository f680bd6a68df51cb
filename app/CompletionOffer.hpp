#pragma once
// Completion of character names and scene headings while the writer types: what the
// script already uses is counted as it changes, and after a letter typed at the end of a
// name or a heading the most used ending is offered, drawn in grey after the caret. Up
// and Down step through the others, Enter takes it and goes on as Enter does, Right or
// End take it and stay, Escape or any other key dismiss it.

#include "document/Completion.hpp"
#include "document/ScriptEdit.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <vector>

class CompletionOffer {
public:
    // What a key did to the offer.
    enum class KeyUse {
        None,     // nothing was offered: the key goes on
        Done,     // it stepped or dismissed: the key has done all it does
        Take,     // take the offer; the key has done all it does
        TakeOn,   // take the offer, and the key goes on (Enter)
        Dismissed // the offer went and the key goes on
    };

    void recount(const Script& script);
    // The counts follow an event's edits (or their undoing).
    void count(const std::vector<ScriptEdit>& edits, bool undo);
    // Offers the endings for a paragraph typed into with the caret at its end; none
    // where the caret stands elsewhere.
    void offer(const Paragraph& paragraph, bool caretAtEnd);
    void dismiss();
    KeyUse onKey(sf::Keyboard::Key key);
    // The ending taken; the offer goes.
    sf::String take();
    // The ending shown, empty when none is offered.
    sf::String shown() const;
    bool offering() const { return !m_offers.empty(); }

private:
    Completion m_counts;
    std::vector<sf::String> m_offers; // none when dismissed
    std::size_t m_at = 0;             // the one shown
};
