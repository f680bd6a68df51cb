#pragma once
// The edits a writer's text commands make, computed on the paragraphs alone: replacing
// the stretch between two carets (typing over a selection, cut, paste, a completion)
// and reading it (what a copy takes).

#include "document/ScriptEdit.hpp"

#include <vector>

// The stretch of each paragraph from `from` to `to` (in order), with its kind, in the
// letters the paragraph shows: a copied heading holds capitals.
std::vector<Paragraph> piecesBetween(const std::vector<Paragraph>& paragraphs, Caret from, Caret to);

// Replaces the text from `from` to `to` with pieces, as across paragraph breaks in a text
// editor: the first piece joins the text before, the last the text after, the ones
// between stand as paragraphs. A joined paragraph takes the kind of its first part with
// text; a piece of kind None takes the kind of where it goes. The caret goes after what
// was inserted.
ScriptEdit replacement(const std::vector<Paragraph>& paragraphs, Caret from, Caret to,
                       const std::vector<Paragraph>& pieces, Caret caretBefore);
