// Completion of character names and scene headings while the writer types: the offer is
// drawn in grey after the caret; Up and Down step through the others, Enter takes it and
// goes on as Enter does, Right or End take it and stay, Escape or any other key dismiss
// it. A taken completion is one undo step with the typing it completes.
#include "app/App.hpp"

void App::countEdits(const std::vector<ScriptEdit>& edits, bool undo)
{
    for (const ScriptEdit& edit : edits) {
        for (const Paragraph& paragraph : undo ? edit.after : edit.before)
            m_completion.count(paragraph, -1);
        for (const Paragraph& paragraph : undo ? edit.before : edit.after)
            m_completion.count(paragraph, +1);
    }
}

void App::recount()
{
    m_completion.clear();
    for (const DivEditor& paragraph : m_page.paragraphs)
        m_completion.count({paragraph.kind, paragraph.text}, +1);
}

// True when the key was the offer's and has done all it does.
bool App::onCompletionKey(const sf::Event::KeyEvent& key)
{
    if (m_offers.empty())
        return false;
    switch (key.code) {
    case sf::Keyboard::Up:
    case sf::Keyboard::Down:
        m_offer = (m_offer + (key.code == sf::Keyboard::Down ? 1 : m_offers.size() - 1)) % m_offers.size();
        showOffer();
        return true;
    case sf::Keyboard::Right:
    case sf::Keyboard::End:
        acceptCompletion();
        return true;
    case sf::Keyboard::Enter:
        acceptCompletion();
        return false; // and Enter goes on
    case sf::Keyboard::Escape:
        dismissCompletion();
        return true;
    default:
        dismissCompletion();
        return false;
    }
}

void App::offerCompletion()
{
    const DivEditor& paragraph = m_page.currentParagraph();
    if (!paragraph.focused || m_page.hasSelection() || paragraph.cursor != paragraph.text.getSize()) {
        dismissCompletion();
        return;
    }
    m_offers = m_completion.offers(paragraph.kind, paragraph.text);
    m_offer = 0;
    showOffer();
}

void App::showOffer()
{
    if (m_ghostAt < m_page.paragraphs.size())
        m_page.paragraphs[m_ghostAt].setGhost(sf::String());
    m_ghostAt = m_page.current;
    m_page.currentParagraph().setGhost(m_offers.empty() ? sf::String() : m_offers[m_offer]);
}

void App::dismissCompletion()
{
    m_offers.clear();
    showOffer();
}

void App::acceptCompletion()
{
    const sf::String taken = m_offers[m_offer];
    dismissCompletion();
    m_page.replaceSelection({{None, taken}});
    const Action was = m_action;
    const sf::Uint32 typed = m_typed;
    m_action = Action::Complete;
    m_typed = taken[taken.getSize() - 1];
    noteChanges();
    m_action = was;
    m_typed = typed;
}
