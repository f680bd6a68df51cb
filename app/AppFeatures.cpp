// What ties the features on the sheet to it: find and replace (the current match selected
// on the sheet or in its box on the title page, replacements made as edits), completion
// (a taken offer is one undo step with the typing it completes) and the scene list (a
// pick puts the caret on the heading).
#include "app/App.hpp"

#include <algorithm>

namespace {
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
    const Caret from = m_page.selection().first;
    m_page.unfocus();
    m_titlePage.unfocus();
    m_page.topRoom = FindBar::height;
    m_find.open(sought, from);
    m_page.matches = m_find.sheetMatches();
    if (const std::optional<Match> match = m_find.current())
        showMatch(*match);
}

void App::closeFind()
{
    m_find.close();
    m_page.matches.clear();
    m_page.topRoom = 0;
    m_page.scrollTo(m_page.viewTop()); // back within the script
    m_page.focus();
}

// Selects a match: on the sheet, scrolled to as the caret is, the keys staying in the
// find bar; or in its box on the title page.
void App::showMatch(const Match& match)
{
    if (match.text >= FindAndReplace::fieldCount) {
        const std::uint32_t paragraph = match.text - FindAndReplace::fieldCount;
        m_page.placeCaret({paragraph, match.begin});
        m_page.placeCaret({paragraph, match.end}, true);
        m_page.blur();
        m_page.showCaret(topInset());
        followCurrentKind();
        return;
    }
    m_titlePage.setOpen(true);
    const sf::String& field = m_session.script.*titleFields[match.text].member;
    EditBox& box = *m_titlePage.boxes()[match.text];
    box.selStart = inBox(field, match.begin);
    box.selEnd = inBox(field, match.end);
    box.updateSelection();
}

void App::onFindCommand(FindBar::Command command)
{
    std::optional<Match> match;
    switch (command) {
    case FindBar::Command::Changed:
        m_find.search(true);
        match = m_find.current();
        break;
    case FindBar::Command::Next:
    case FindBar::Command::Previous:
        match = m_find.step(command == FindBar::Command::Next);
        break;
    case FindBar::Command::Replace:
    case FindBar::Command::ReplaceAll:
        replaceFound(command == FindBar::Command::ReplaceAll);
        break;
    case FindBar::Command::Close:
        closeFind();
        break;
    }
    if (match)
        showMatch(*match);
    m_page.matches = m_find.sheetMatches();
}

// Replaces the current match and goes to the next, or every match in one step.
void App::replaceFound(bool all)
{
    const FindAndReplace::Replacement made = m_find.replacement(all, m_page.caret());
    if (made.count == 0)
        return;
    m_event.action = Action::Replace;
    if (made.titlePage) {
        m_event.titleWas = m_session.script.titlePage();
        m_session.script.setTitlePage(*made.titlePage);
        showTitleLines();
    }
    for (const ScriptEdit& edit : made.edits)
        m_page.edit(edit);
    if (made.after) {
        m_page.placeCaret(*made.after);
        m_page.blur();
        m_page.showCaret(topInset()); // the view goes where the page count and the scene list do
        followCurrentKind();
        m_find.goOnFrom(*made.after);
    }
    m_find.search(!all);
    if (!all)
        if (const std::optional<Match> match = m_find.current())
            showMatch(*match);
    if (all)
        m_find.bar.setStatus("Replaced " + std::to_string(made.count));
}

// True when the key was the offer's and has done all it does.
bool App::onCompletionKey(const sf::Event::KeyEvent& key)
{
    switch (m_completion.onKey(key.code)) {
    case CompletionOffer::KeyUse::Take:
        acceptCompletion();
        return true;
    case CompletionOffer::KeyUse::TakeOn:
        acceptCompletion();
        return false; // and Enter goes on
    case CompletionOffer::KeyUse::Done:
        m_page.setGhost(m_completion.shown());
        return true;
    default:
        return false;
    }
}

void App::acceptCompletion()
{
    const sf::String taken = m_completion.take();
    m_page.setGhost(sf::String());
    if (taken.isEmpty())
        return;
    m_page.replaceSelection({{None, taken}});
    const EventEffects was = m_event;
    m_event.action = Action::Complete;
    m_event.typed = taken[taken.getSize() - 1];
    noteChanges();
    m_event.action = was.action;
    m_event.typed = was.typed;
}

// The caret at the start of the scene's heading, the sheet scrolled to show it near the top.
void App::pickScene(std::size_t scene)
{
    const std::optional<std::uint32_t> heading = m_scenes.headingOf(scene);
    if (!heading)
        return;
    m_titlePage.unfocus();
    m_page.placeCaret({*heading, 0});
    m_page.scrollTo(m_page.paragraphTop(*heading) - topInset() - 2 * Sheet::lineHeight);
    followCurrentKind();
}
