#pragma once
// Spelling checked as the writer writes. Each paragraph's misspelled words are found once
// per text (kept by its hash, so that edits elsewhere, undo and paste cost nothing) and
// only when asked for: the page asks for those in view, F7 for those it passes.
//
// A word is fine when the dictionary knows it, when it is the writer's own (kept in
// user/.dictionary for every script), ignored for this script, or a word of any
// character's cue in the script.

#include "document/ScriptEdit.hpp"
#include "document/Spelling.hpp"
#include "platform/Speller.hpp"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class SpellCheck {
public:
    // Opens the dictionary of `language` in `folder`, or en_US when that one is not there,
    // and the writer's words; what the writer must know is left in `problem`.
    void start(const std::string& folder, const std::string& language, std::filesystem::path wordsFile);
    bool checking() const { return m_speller != nullptr; }
    std::string problem; // said once in the band, then cleared by the App

    // The cues follow the script: all of it anew, or an event's edits (or their undoing).
    void recount(const Script& script);
    void count(const std::vector<ScriptEdit>& edits, bool undo);
    // The script now edited, for what "Ignore" keeps.
    void setScript(const std::string& name);

    // The misspelled words of a paragraph, in order; none in a kind that is not checked.
    const std::vector<WordSpan>& misspelled(const Paragraph& paragraph);
    // The misspelled word under an index of a paragraph (its ends included).
    std::optional<WordSpan> misspelledAt(const Paragraph& paragraph, std::uint32_t index);
    // The first misspelled word that begins at or after a caret, on to the script's end and
    // round from its start; none when the script has none.
    std::optional<std::pair<std::uint32_t, WordSpan>> next(const Script& script, Caret from);
    // Up to eight words offered instead, in the capitals of the word.
    std::vector<sf::String> suggestions(const sf::String& word);
    // The word is the writer's from now on, in every script; false (with `problem` set) when
    // it could not be kept in the file, though it is kept until the program ends.
    bool addWord(const sf::String& word);
    // The word is fine in this script until the program ends.
    void ignore(const sf::String& word);

    // The word the menu is open for: where it stands, what it says and what is offered.
    struct Offer {
        std::uint32_t paragraph = 0;
        WordSpan word;
        sf::String typed;
        std::vector<sf::String> suggestions;
    };
    std::optional<Offer> offer;
    // Where a letter was just typed: the word ending there is not marked until the caret
    // leaves it.
    std::optional<Caret> typingAt;

private:
    bool fine(const sf::String& text, WordSpan word);
    void keep(const std::string& word);
    void forgetMarks() { m_marks.clear(); }

    std::unique_ptr<Speller> m_speller;
    std::filesystem::path m_wordsFile;
    std::vector<std::string> m_words; // the writer's, UTF-8
    std::set<std::u32string> m_wordKeys; // theirs as compared: in any case, with or without 's
    bool m_wordsDamaged = false;      // the file is not rewritten, so that none of it is lost
    std::map<std::u32string, int> m_cues;                          // word keys of the cues, counted
    std::map<std::string, std::set<std::u32string>> m_ignored;     // word keys, by script
    std::string m_script;
    std::unordered_map<std::uint64_t, std::vector<WordSpan>> m_marks; // by the hash of a text
};
