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

void ScenesAndPages::noteEdits(const std::vector<ScriptEdit>& edits)
{
    if (edits.empty())
        return;
    m_pagesStale = true;
    for (const ScriptEdit& edit : edits) {
        if (m_rowsStale)
            return;
        const std::size_t before = headingsIn(edit.before), after = headingsIn(edit.after);
        const auto from = std::lower_bound(m_headings.begin(), m_headings.end(), edit.at);
        if (before == 0 && after == 0 && edit.before.size() == edit.after.size()) {
            continue; // no heading changed or moved
        } else if (before == 0 && after == 0) { // the headings after it move along
            const auto by = static_cast<std::int64_t>(edit.after.size()) - static_cast<std::int64_t>(edit.before.size());
            for (auto it = from; it != m_headings.end(); ++it)
                *it = static_cast<std::uint32_t>(*it + by);
        } else if (edit.before.size() == 1 && edit.after.size() == 1 && before == 1 && after == 1) {
            list.setHeading(static_cast<std::size_t>(from - m_headings.begin()), shownText(Scene, edit.after[0].text));
        } else {
            m_rowsStale = true;
        }
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
    const bool paginated = m_pagesStale;
    if (m_pagesStale) {
        m_pages = paginate(script.paragraphs, false);
        m_pagesStale = false;
    }
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
