// Find and replace: the matches of the find bar's text in the title page's fields and the
// paragraphs, the current one selected; replacing one or all of them.
#include "app/App.hpp"

#include <algorithm>
#include <array>

namespace {
constexpr std::uint32_t fieldCount = 7; // the searched texts begin with the title page's fields

std::array<sf::String*, fieldCount> fieldsOf(TitleLines& lines)
{
    return {&lines.title, &lines.author, &lines.credit, &lines.source, &lines.draftDate, &lines.contact, &lines.notes};
}

// Where a match stands in the order of the searched texts.
bool before(const Match& match, std::uint32_t text, std::uint32_t index)
{
    return match.text < text || (match.text == text && match.begin < index);
}

// An index of a field's text in its box, where each line feed shows as " | ".
std::uint32_t inBox(const sf::String& field, std::uint32_t index)
{
    return index + 2 * static_cast<std::uint32_t>(std::count(field.begin(), field.begin() + index, '\n'));
}
} // namespace

void App::openFind()
{
    sf::String sought;
    if (m_page.hasSelection()) {
        const std::vector<Paragraph> pieces = m_page.selectedPieces();
        if (pieces.size() == 1)
            sought = pieces.front().text;
    }
    const Caret a = m_page.anchor, b = m_page.caret();
    m_findFrom = a.paragraph < b.paragraph || (a.paragraph == b.paragraph && a.index < b.index) ? a : b;
    m_page.unfocus();
    m_titlePage.unfocus();
    m_findBar.start(sought);
    m_page.topRoom = FindBar::height;
    search(true);
}

void App::closeFind()
{
    m_findBar.setOpen(false);
    m_findBar.unfocus();
    m_found.clear();
    m_page.matches.clear();
    m_page.topRoom = 0;
    m_page.scrollTo(m_page.viewTop()); // back within the script
    m_page.focusCurrent();
}

// Finds again; with `move`, the current match becomes the first at or after m_findFrom
// (the first of all after the last) and is shown.
void App::search(bool move)
{
    std::vector<SearchedText> texts;
    texts.reserve(fieldCount + m_page.paragraphs.size());
    for (sf::String* field : fieldsOf(m_session.titlePage))
        texts.push_back({Directorial, field});
    for (const DivEditor& paragraph : m_page.paragraphs)
        texts.push_back({paragraph.kind, &paragraph.text});
    m_found = findMatches(texts, m_findBar.findBox.text, m_findBar.options());
    m_page.matches.clear();
    for (const Match& match : m_found)
        if (match.text >= fieldCount)
            m_page.matches.push_back({match.text - fieldCount, match.begin, match.end});
    if (move) {
        const auto at = std::find_if(m_found.begin(), m_found.end(), [this](const Match& match) {
            return !before(match, m_findFrom.paragraph + fieldCount, m_findFrom.index);
        });
        m_foundAt = at == m_found.end() ? 0 : static_cast<std::size_t>(at - m_found.begin());
        showFound();
    } else if (m_foundAt >= m_found.size()) {
        m_foundAt = 0;
    }
    showFindStatus();
}

void App::showFindStatus()
{
    if (m_findBar.findBox.text.isEmpty())
        m_findBar.setStatus("");
    else if (m_found.empty())
        m_findBar.setStatus("No match");
    else
        m_findBar.setStatus(std::to_string(m_foundAt + 1) + " of " + std::to_string(m_found.size()));
}

// Selects the current match: in the sheet, scrolled to as the caret is, or in its box
// on the title page.
void App::showFound()
{
    if (m_found.empty())
        return;
    const Match& match = m_found[m_foundAt];
    if (match.text >= fieldCount) {
        const std::uint32_t paragraph = match.text - fieldCount;
        m_page.placeCaret({paragraph, match.begin});
        m_page.placeCaret({paragraph, match.end}, true);
        m_page.paragraphs[paragraph].focused = false; // the keys stay in the find bar
        m_page.showCaret(topInset());
        followCurrentKind();
        return;
    }
    m_titlePage.setOpen(true);
    const sf::String& field = *fieldsOf(m_session.titlePage)[match.text];
    EditBox& box = *m_titlePage.boxes()[match.text];
    box.selStart = inBox(field, match.begin);
    box.selEnd = inBox(field, match.end);
    box.updateSelection();
}

void App::onFindCommand(FindBar::Command command)
{
    switch (command) {
    case FindBar::Command::Changed:
        search(true);
        break;
    case FindBar::Command::Next:
    case FindBar::Command::Previous:
        if (m_found.empty())
            break;
        m_foundAt = command == FindBar::Command::Next ? (m_foundAt + 1) % m_found.size()
                                                       : (m_foundAt + m_found.size() - 1) % m_found.size();
        showFound();
        showFindStatus();
        break;
    case FindBar::Command::Replace:
        replaceFound(false);
        break;
    case FindBar::Command::ReplaceAll:
        replaceFound(true);
        break;
    case FindBar::Command::Close:
        closeFind();
        break;
    }
}

// Replaces the current match and goes to the next, or every match in one step.
void App::replaceFound(bool all)
{
    if (m_found.empty())
        return;
    m_action = Action::Replace;
    const sf::String& replacement = m_findBar.replaceBox.text;
    const std::vector<Match> chosen = all ? m_found : std::vector<Match>{m_found[m_foundAt]};
    std::vector<std::pair<std::uint32_t, sf::String>> texts;
    TitleLines lines = m_session.titlePage;
    for (auto from = chosen.begin(); from != chosen.end();) {
        const auto to = std::find_if(from, chosen.end(), [&](const Match& match) { return match.text != from->text; });
        const std::vector<Match> ofText(from, to);
        if (from->text < fieldCount) {
            sf::String& field = *fieldsOf(lines)[from->text];
            field = replaceMatches(field, ofText, replacement);
        } else {
            const std::uint32_t paragraph = from->text - fieldCount;
            texts.emplace_back(paragraph, replaceMatches(m_page.paragraphs[paragraph].text, ofText, replacement));
        }
        from = to;
    }
    if (lines != m_session.titlePage) {
        m_titleWas = m_session.titlePage;
        m_session.titlePage = lines;
        showTitleLines();
    }
    m_page.replaceTexts(texts);
    const Match& last = chosen.back();
    if (last.text >= fieldCount) {
        const std::uint32_t paragraph = last.text - fieldCount;
        m_page.placeCaret({paragraph, last.begin + static_cast<std::uint32_t>(replacement.getSize())});
        m_page.paragraphs[paragraph].focused = false;
        m_findFrom = m_page.caret();
    }
    search(!all);
    if (all)
        m_findBar.setStatus("Replaced " + std::to_string(chosen.size()));
}
