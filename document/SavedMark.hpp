#pragma once
// Whether the script still equals the one last opened or saved, so that "Unsaved" shows
// exactly when the work differs from its file: a letter typed and rubbed out again leaves
// the script saved. It keeps a hash of each saved paragraph, not the paragraphs, and the
// stretch the edits since may have changed, so that a check costs what was edited.

#include "document/ScriptEdit.hpp"

#include <cstdint>
#include <optional>
#include <vector>

class SavedMark {
public:
    // The script as it now stands is what its file holds.
    void mark(const Script& script);
    // No file holds it (an import, a recovered copy): it differs until saved.
    void forget();
    // Edits made to the script, or taken back when `undo`.
    void note(const std::vector<ScriptEdit>& edits, bool undo);
    bool matches(const Script& script);

private:
    bool m_known = false;
    std::vector<std::uint64_t> m_hashes; // the saved paragraphs'
    TitleLines m_title;
    std::size_t m_size = 0;  // paragraphs in the script now
    std::size_t m_from = 0;  // the paragraphs before it are the saved ones,
    std::size_t m_tail = 0;  // and so are the last m_tail ones; the two never overlap
};

std::uint64_t hashOf(const Paragraph& paragraph);
