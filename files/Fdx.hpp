#pragma once
// Final Draft's FDX files, the XML that writers exchange.
//
// Reading: paragraph types map to kinds (Scene Heading; Action, General and Shot;
// Character; Parenthetical; Dialogue and Lyric; Transition; unknown types as action), a
// centred paragraph is centred action, StartsNewPage="Yes" puts a page break before it,
// and an empty General paragraph that starts a new page is a page break alone. A
// paragraph's text is its <Text> runs joined, tabs and line breaks as spaces; the two
// dialogues of a <DualDialogue> follow one another; scene numbers, revisions, notes and
// tags are dropped. The title page's paragraphs fill the title page's fields in order:
// centred ones the title, the credit ("… by"), the author and the source; left-aligned
// ones the contact; right-aligned ones the notes and, the last of them, the draft date.
//
// Refused: what is not well-formed XML, has no <FinalDraft> root, declares a document
// type, or uses an entity besides XML's five and character references.

#include "document/Script.hpp"

#include <optional>
#include <string>

constexpr std::size_t largestFdx = 50u << 20; // bytes; larger files, Fountain's too, are refused unread
constexpr std::size_t longestImportedParagraph = 1u << 20; // bytes of UTF-8; a longer one refuses the file

std::optional<Script> parseFdx(std::string bytes, std::string* why = nullptr);

// The script as an FDX document in UTF-8; the characters XML cannot hold are left out.
std::string fdxText(const Script& script);
