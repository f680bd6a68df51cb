#pragma once
// Fountain, the plain-text screenplay format most screenwriting tools read and write
// (fountain.io), to and from a Script.
//
// Reading maps scene headings (INT., EXT., EST., I/E and forced ".") to Scene; action,
// transitions ("CUT TO:", forced ">") and centred text to Directorial; character cues
// (with extensions, forced "@") to Name; parentheticals to Parenthetical; dialogue and
// lyrics to Speech. The title page gives the title, and "By " and the author (or the
// credit line alone). Notes, boneyard, sections, synopses, page breaks and emphasis
// markers are dropped; the lines of one action block or one speech are joined by spaces.
//
// Writing gives text that this reader, and other tools, read back to the same kinds and
// texts: it forces a scene heading with "." and a character with "@" where the plain
// rules would misread them, escapes with "\", and marks the rare paragraph that Fountain
// cannot otherwise express (a speech outside any dialogue, say) with a leading note
// "[[Quillmere: KIND]]", which other tools skip. Scene headings and characters are written
// in capitals, as they are shown.

#include "document/Script.hpp"

#include <optional>
#include <string>

// What reading found that the writer should know: a boneyard "/*" never closed, which
// hides the rest of the text.
struct FountainReport {
    std::size_t unclosedLine = 0; // the line of the unclosed "/*", from 1; 0 for none
    std::size_t hiddenLines = 0;  // the lines it hides, from that one to the end
};

// Nothing when the bytes are not text: NUL bytes, or invalid UTF-8 beyond repair (a few
// stray bytes read as Latin-1).
std::optional<Script> parseFountain(const std::string& bytes, FountainReport* report = nullptr);
std::string fountainText(const Script& script);
// Paragraphs without a title page, as the clipboard carries them; the text written
// begins with a blank line.
std::optional<std::vector<Paragraph>> parseFountainBody(const std::string& bytes);
std::string fountainBody(const std::vector<Paragraph>& paragraphs);
