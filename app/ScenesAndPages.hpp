#pragma once
// The scene list beside the sheet and the printed pages as the screen shows them: "Page P
// of N", each heading's page in the list, and where each printed page ends on the sheet,
// all from one pagination of the script, made again once a frame at most when the script
// changed.

#include "document/ScriptEdit.hpp"
#include "files/Pagination.hpp"
#include "ui/SceneList.hpp"

#include <optional>
#include <string>
#include <vector>

class ScenesAndPages {
public:
    explicit ScenesAndPages(const sf::RenderTarget& window);

    // An event's edits, or a step's taken back when `undo`: the pages follow them from the
    // first page they can reach, and the rows: a heading's text at once, the headings'
    // places as paragraphs come and go, and all of them when headings come or go.
    void noteEdits(const std::vector<ScriptEdit>& edits, bool undo = false);
    // The script was opened, or changed as a whole.
    void noteReplaced();
    // Brings the pages and the rows up to date and marks the caret's scene; the list
    // stands from `top` down to the column's foot at `bottom`. True when the pages were
    // made again.
    bool follow(const Script& script, std::uint32_t caretParagraph, float top, float bottom);
    // "Page P of N" for the paragraph, as of the last follow.
    std::string pageCount(std::uint32_t paragraph) const;
    // Where each printed page after the first begins: the paragraph and the index in its text.
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pageStarts() const { return m_pages.pageStarts; }
    // The heading's paragraph of a scene of the list.
    std::optional<std::uint32_t> headingOf(std::size_t scene) const;

    SceneList list;

private:
    std::uint32_t pageOf(std::uint32_t paragraph) const;
    void noteRows(std::uint32_t at, const std::vector<Paragraph>& before, const std::vector<Paragraph>& after);

    Pagination m_pages;
    bool m_pagesStale = true;  // all of them to be made again
    bool m_changed = false;    // the paragraphs in [m_changedFrom, m_changedTo) changed since
    std::uint32_t m_changedFrom = 0, m_changedTo = 0;
    bool m_rowsStale = true;
    std::vector<std::uint32_t> m_headings; // the headings' paragraphs, in order
};
