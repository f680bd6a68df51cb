#pragma once

#include "document/Script.hpp"

#include <cstdint>
#include <vector>

// Where the caret stands: a paragraph and an index into its text.
struct Caret {
    std::uint32_t paragraph = 0;
    std::uint32_t index = 0;

    bool operator==(const Caret& other) const { return paragraph == other.paragraph && index == other.index; }
    bool operator!=(const Caret& other) const { return !(*this == other); }
    bool operator<(const Caret& other) const
    {
        return paragraph < other.paragraph || (paragraph == other.paragraph && index < other.index);
    }
};

// One change of a script's paragraphs: those from `at` on, `before`, became `after`.
// Typing changes one paragraph; Enter inserts one (before is empty); removing a paragraph
// leaves after empty.
struct ScriptEdit {
    std::uint32_t at = 0;
    std::vector<Paragraph> before;
    std::vector<Paragraph> after;
    Caret caretBefore;
    Caret caretAfter;
};

// Makes the edit on the paragraphs, or takes it back. A script keeps at least one
// paragraph: taking the last one away leaves an empty scene heading.
void applyEdit(std::vector<Paragraph>& paragraphs, const ScriptEdit& edit, bool undo = false);
