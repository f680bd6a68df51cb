#pragma once
// The script as data: a title page and the paragraphs, each a kind and a text. It holds
// no layout and no drawing; the editor shows it, and files, history and export work on it.

#include "document/DivType.hpp"

#include <SFML/System/String.hpp>

#include <cstdint>
#include <vector>

// Character styles, bits of a byte, in any combination.
enum Style : std::uint8_t { Plain = 0, Bold = 1, Italic = 2, Underline = 4 };

struct Paragraph {
    Paragraph(DivType kindOf = Scene, sf::String letters = {}, std::vector<std::uint8_t> styling = {}, bool pairs = false)
        : kind(kindOf), text(std::move(letters)), styles(std::move(styling)), dual(pairs)
    {
    }

    DivType kind = Scene;
    sf::String text;
    // A style for each code point of the text; empty while every letter is plain.
    std::vector<std::uint8_t> styles;
    // A character's cue spoken at once with the speech before it: the two blocks stand
    // side by side, this one on the right.
    bool dual = false;

    std::uint8_t styleAt(std::size_t i) const { return i < styles.size() ? styles[i] : std::uint8_t(Plain); }
    bool styled() const { return !styles.empty(); }
    bool operator==(const Paragraph& other) const;
    bool operator!=(const Paragraph& other) const { return !(*this == other); }
};

// The letters from `from` to `to` with their styles, a paragraph of the same kind.
Paragraph slice(const Paragraph& paragraph, std::size_t from, std::size_t to);
// The piece's letters and styles after the paragraph's.
void append(Paragraph& paragraph, const Paragraph& piece);
// Letters in one style inserted at an index.
void insertText(Paragraph& paragraph, std::size_t at, const sf::String& text, std::uint8_t style);
void eraseText(Paragraph& paragraph, std::size_t from, std::size_t to);
// Sets (or clears) style bits over the letters from `from` to `to`.
void setStyle(Paragraph& paragraph, std::size_t from, std::size_t to, std::uint8_t bits, bool on);
// The same for a paragraph's text, its letters' styles kept with them.
void makeSingleLine(Paragraph& paragraph);
// A speech block begins at `begin` (a cue, or a parenthetical or speech without one) and
// holds the parentheticals and speeches after it: the index after its last paragraph. It
// stands side by side with the block after it when that block's cue is dual.
std::size_t speechBlockEnd(const std::vector<Paragraph>& paragraphs, std::size_t begin);
bool pairsWithNext(const std::vector<Paragraph>& paragraphs, std::size_t blockEnd);
// Clears the pairing of every cue that follows no dialogue, or follows one that is itself
// the second of a pair: it has none to stand beside.
// Readers of other programs' files call it, so that what they read is written back alike.
void unpairLoneCues(std::vector<Paragraph>& paragraphs);
// Whether every letter from `from` to `to` has the bits (and there is one at least).
bool hasStyle(const Paragraph& paragraph, std::size_t from, std::size_t to, std::uint8_t bits);

// Text as a paragraph or a title line can hold it: each CR LF pair, lone CR, LF and tab
// becomes one space; other control characters and DEL (127) are dropped.
sf::String singleLine(const sf::String& text);

// The title page: the title and the author line, then the fields a script may add, each
// left out of files when empty. Contact and notes may hold several lines, parted by line
// feeds; the others are one line each.
struct TitleLines {
    sf::String title = "[Title here]";
    sf::String author = "By [Author here]";
    sf::String credit;    // "Written by"
    sf::String source;    // "Based on the novel by ..."
    sf::String draftDate;
    sf::String contact;
    sf::String notes;     // notes and copyright

    bool operator==(const TitleLines& other) const;
    bool operator!=(const TitleLines& other) const { return !(*this == other); }
    // Nothing on it at all: no title page is printed.
    bool empty() const;
};

// Where Final Draft sets a title-page field: centred a third down the sheet, or at the
// sheet's foot on the left or the right.
enum class TitlePlace { Centre, Left, Right };

// One field of the title page, as every part of the program names and places it.
struct TitleField {
    sf::String TitleLines::*member;
    const char* className;   // of its div in a script file
    const char* label;       // over its box on the title page panel
    const char* fountainKey; // in a Fountain title page, which reads keys in any case
    bool always;             // in a script file even when empty, found by its place: the title and the author line
    bool lines;              // may hold several lines
    TitlePlace place;
    int printOrder;          // among the fields of its place, from the top
};

// The fields in the order of the panel and of the script file: title, author line,
// credit, source, draft date, contact, notes.
constexpr std::size_t titleFieldCount = 7;
extern const TitleField titleFields[titleFieldCount];
// The fields set at a place, from the top down.
std::vector<const TitleField*> titleFieldsAt(TitlePlace place);

struct Script : TitleLines {
    Script(sf::String titleLine = "[Title here]", sf::String authorLine = "By [Author here]",
           std::vector<Paragraph> contents = {})
        : paragraphs(std::move(contents))
    {
        title = std::move(titleLine);
        author = std::move(authorLine);
    }

    std::vector<Paragraph> paragraphs;

    const TitleLines& titlePage() const { return *this; }
    void setTitlePage(const TitleLines& lines) { static_cast<TitleLines&>(*this) = lines; }
    bool operator==(const Script& other) const
    {
        return titlePage() == other.titlePage() && paragraphs == other.paragraphs;
    }
    bool operator!=(const Script& other) const { return !(*this == other); }
};
