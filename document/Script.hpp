#pragma once
// The script as data: a title page and the paragraphs, each a kind and a text. It holds
// no layout and no drawing; files, history and export work on it.

#include "document/DivType.hpp"

#include <SFML/System/String.hpp>

#include <vector>

struct Paragraph {
    DivType kind = Scene;
    sf::String text;

    bool operator==(const Paragraph& other) const { return kind == other.kind && text == other.text; }
    bool operator!=(const Paragraph& other) const { return !(*this == other); }
};

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

    bool operator==(const TitleLines& other) const
    {
        return title == other.title && author == other.author && credit == other.credit && source == other.source &&
               draftDate == other.draftDate && contact == other.contact && notes == other.notes;
    }
    bool operator!=(const TitleLines& other) const { return !(*this == other); }
    // Nothing on it at all: no title page is printed.
    bool empty() const { return *this == TitleLines{"", "", "", "", "", "", ""}; }
};

struct Script {
    Script(sf::String titleLine = "[Title here]", sf::String authorLine = "By [Author here]",
           std::vector<Paragraph> contents = {})
        : title(std::move(titleLine)), author(std::move(authorLine)), paragraphs(std::move(contents))
    {
    }

    sf::String title;
    sf::String author;
    std::vector<Paragraph> paragraphs;
    sf::String credit, source, draftDate, contact, notes; // the rest of the title page, as in TitleLines

    TitleLines titlePage() const { return {title, author, credit, source, draftDate, contact, notes}; }
    void setTitlePage(const TitleLines& lines)
    {
        title = lines.title;
        author = lines.author;
        credit = lines.credit;
        source = lines.source;
        draftDate = lines.draftDate;
        contact = lines.contact;
        notes = lines.notes;
    }
    bool operator==(const Script& other) const
    {
        return titlePage() == other.titlePage() && paragraphs == other.paragraphs;
    }
};
