#include "document/ScriptEdit.hpp"

#include <algorithm>

void applyEdit(std::vector<Paragraph>& paragraphs, const ScriptEdit& edit, bool undo)
{
    const std::vector<Paragraph>& removed = undo ? edit.after : edit.before;
    const std::vector<Paragraph>& inserted = undo ? edit.before : edit.after;
    const std::size_t at = std::min<std::size_t>(edit.at, paragraphs.size());
    const std::size_t gone = std::min(removed.size(), paragraphs.size() - at);
    const std::size_t kept = std::min(gone, inserted.size()); // replaced in place, no move of the rest
    std::copy(inserted.begin(), inserted.begin() + kept, paragraphs.begin() + at);
    if (gone > kept)
        paragraphs.erase(paragraphs.begin() + at + kept, paragraphs.begin() + at + gone);
    else
        paragraphs.insert(paragraphs.begin() + at + kept, inserted.begin() + kept, inserted.end());
    if (paragraphs.empty())
        paragraphs.push_back({Scene, sf::String()});
}
