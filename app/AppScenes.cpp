// The scene list beside the sheet, and the printed pages' ends drawn on it: both follow
// the pagination that "Page P of N" reads.
#include "app/App.hpp"

#include <algorithm>

namespace {
constexpr float columnTop = 70;      // the left column below the kind bar
constexpr float belowTitlePage = 20; // pixels between the title page's boxes and the list
constexpr float footRoom = 40;       // the line at the window's foot
} // namespace

// Whether edits change what the scene list shows: a heading's text, or which paragraphs
// are headings.
bool App::touchesScenes(const std::vector<ScriptEdit>& edits)
{
    for (const ScriptEdit& edit : edits) {
        if (edit.before.size() != edit.after.size())
            return true;
        for (const std::vector<Paragraph>* side : {&edit.before, &edit.after})
            for (const Paragraph& paragraph : *side)
                if (paragraph.kind == Scene)
                    return true;
    }
    return false;
}

// Brings the list up to date once a frame: its rows when headings changed, its pages
// when the pagination did, the caret's row always; and the page ends on the sheet.
void App::followScenes()
{
    paginateIfStale();
    const bool paginated = m_pagesSeen != m_pagesMade;
    if (m_scenesStale) {
        m_sceneParagraphs.clear();
        std::vector<SceneList::Scene> scenes;
        for (std::uint32_t i = 0; i < m_page.paragraphs.size(); ++i)
            if (m_page.paragraphs[i].kind == Scene) {
                m_sceneParagraphs.push_back(i);
                const std::uint32_t page = i < m_pages.pageOf.size() ? m_pages.pageOf[i] + 1 : 1;
                scenes.push_back({shownText(Scene, m_page.paragraphs[i].text), page});
            }
        m_sceneList.setScenes(std::move(scenes));
        m_scenesStale = false;
    } else if (paginated) {
        std::vector<std::uint32_t> pages;
        pages.reserve(m_sceneParagraphs.size());
        for (const std::uint32_t i : m_sceneParagraphs)
            pages.push_back(i < m_pages.pageOf.size() ? m_pages.pageOf[i] + 1 : 1);
        m_sceneList.setPages(pages);
    }
    if (paginated) {
        m_page.printedStarts = m_pages.pageStarts;
        m_pagesSeen = m_pagesMade;
    }
    const auto after = std::upper_bound(m_sceneParagraphs.begin(), m_sceneParagraphs.end(), m_page.current);
    const int scene = static_cast<int>(after - m_sceneParagraphs.begin()) - 1;
    if (scene != m_sceneList.current())
        m_sceneList.setCurrent(scene);
    const float top = m_titlePage.isOpen() ? TitlePage::fieldsBottom + belowTitlePage : columnTop;
    m_sceneList.place(top, static_cast<float>(m_window.getSize().y) - footRoom);
}

// The caret at the start of the scene's heading, the sheet scrolled to show it near the top.
void App::pickScene(std::size_t scene)
{
    if (scene >= m_sceneParagraphs.size())
        return;
    const std::uint32_t paragraph = m_sceneParagraphs[scene];
    m_titlePage.unfocus();
    m_page.placeCaret({paragraph, 0});
    m_page.scrollTo(m_page.paragraphs[paragraph].rect.top - topInset() - 2 * DivEditor::lineHeight);
    followCurrentKind();
}
