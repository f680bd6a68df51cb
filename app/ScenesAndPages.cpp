#include "app/ScenesAndPages.hpp"

#include <algorithm>

namespace {
std::size_t headingsIn(const std::vector<Paragraph>& paragraphs)
{
    return static_cast<std::size_t>(std::count_if(paragraphs.begin(), paragraphs.end(), [](const Paragraph& p) { return p.kind == Scene; }));
}
} // namespace

ScenesAndPages::ScenesAndPages(const sf::RenderTarget& window) : list(window)
{
}

void ScenesAndPages::noteEdits(const std::vector<ScriptEdit>& edits, bool undo)
{
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const ScriptEdit& edit = edits[undo ? edits.size() - 1 - i : i];
        const std::vector<Paragraph>& before = undo ? edit.after : edit.before;
        const std::vector<Paragraph>& after = undo ? edit.before : edit.after;
        // The changed range, in the paragraphs' places after this edit.
        const auto removed = static_cast<std::uint32_t>(before.size()), added = static_cast<std::uint32_t>(after.size());
        if (!m_changed)
            m_changedFrom = m_changedTo = edit.at;
        if (m_changedTo >= edit.at + removed)
            m_changedTo = m_changedTo - removed + added;
        m_changedFrom = std::min(m_changedFrom, edit.at);
        m_changedTo = std::max(m_changedTo, edit.at + added);
        m_changed = true;
        noteRows(edit.at, before, after);
    }
}

void ScenesAndPages::noteRows(std::uint32_t at, const std::vector<Paragraph>& before, const std::vector<Paragraph>& after)
{
    if (m_rowsStale)
        return;
    const std::size_t headingsBefore = headingsIn(before), headingsAfter = headingsIn(after);
    const auto from = std::lower_bound(m_headings.begin(), m_headings.end(), at);
    if (headingsBefore == 0 && headingsAfter == 0 && before.size() == after.size())
        return; // no heading changed or moved
    if (headingsBefore == 0 && headingsAfter == 0) { // the headings after it move along
        const auto by = static_cast<std::int64_t>(after.size()) - static_cast<std::int64_t>(before.size());
        for (auto it = from; it != m_headings.end(); ++it)
            *it = static_cast<std::uint32_t>(*it + by);
    } else if (before.size() == 1 && after.size() == 1 && headingsBefore == 1 && headingsAfter == 1) {
        list.setHeading(static_cast<std::size_t>(from - m_headings.begin()), shownText(Scene, after[0].text));
    } else {
        m_rowsStale = true;
    }
}

void ScenesAndPages::noteReplaced()
{
    m_pagesStale = m_rowsStale = true;
}

std::uint32_t ScenesAndPages::pageOf(std::uint32_t paragraph) const
{
    return paragraph < m_pages.pageOf.size() ? m_pages.pageOf[paragraph] + 1 : 1;
}

bool ScenesAndPages::follow(const Script& script, std::uint32_t caretParagraph, float top, float bottom)
{
    const bool paginated = m_pagesStale || m_changed;
    if (m_pagesStale) {
        m_pages = paginate(script.paragraphs, false);
    } else if (m_changed) {
        // A script keeps one paragraph when all are taken away, so the shift is counted
        // from the sizes, and the range holds at least the first paragraph.
        const std::vector<Paragraph>& paragraphs = script.paragraphs;
        const auto size = static_cast<std::uint32_t>(paragraphs.size());
        const std::int64_t shift = static_cast<std::int64_t>(size) - static_cast<std::int64_t>(m_pages.pageOf.size());
        const std::uint32_t from = std::min(m_changedFrom, size - 1);
        m_pages = repaginate(paragraphs, std::move(m_pages), from, std::min(std::max(m_changedTo, from + 1), size), shift);
    }
    m_pagesStale = m_changed = false;
    if (m_rowsStale) {
        m_headings.clear();
        std::vector<SceneList::Scene> scenes;
        for (std::uint32_t i = 0; i < script.paragraphs.size(); ++i)
            if (script.paragraphs[i].kind == Scene) {
                m_headings.push_back(i);
                scenes.push_back({shownText(Scene, script.paragraphs[i].text), pageOf(i)});
            }
        list.setScenes(std::move(scenes));
        m_rowsStale = false;
    } else if (paginated) {
        std::vector<std::uint32_t> pages;
        pages.reserve(m_headings.size());
        for (const std::uint32_t i : m_headings)
            pages.push_back(pageOf(i));
        list.setPages(pages);
    }
    const auto after = std::upper_bound(m_headings.begin(), m_headings.end(), caretParagraph);
    const int scene = static_cast<int>(after - m_headings.begin()) - 1;
    if (scene != list.current())
        list.setCurrent(scene);
    list.place(top, bottom);
    return paginated;
}

std::string ScenesAndPages::pageCount(std::uint32_t paragraph) const
{
    const std::size_t count = std::max<std::size_t>(m_pages.pages.size(), 1);
    return "Page " + std::to_string(pageOf(paragraph)) + " of " + std::to_string(count);
}

std::optional<std::uint32_t> ScenesAndPages::headingOf(std::size_t scene) const
{
    if (scene >= m_headings.size())
        return std::nullopt;
    return m_headings[scene];
}
