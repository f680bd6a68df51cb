#include "app/CompletionOffer.hpp"

void CompletionOffer::recount(const Script& script)
{
    m_counts.clear();
    for (const Paragraph& paragraph : script.paragraphs)
        m_counts.count(paragraph, +1);
    dismiss();
}

void CompletionOffer::count(const std::vector<ScriptEdit>& edits, bool undo)
{
    for (const ScriptEdit& edit : edits) {
        for (const Paragraph& paragraph : undo ? edit.after : edit.before)
            m_counts.count(paragraph, -1);
        for (const Paragraph& paragraph : undo ? edit.before : edit.after)
            m_counts.count(paragraph, +1);
    }
}

void CompletionOffer::offer(const Paragraph& paragraph, bool caretAtEnd)
{
    m_offers = caretAtEnd ? m_counts.offers(paragraph.kind, paragraph.text) : std::vector<sf::String>();
    m_at = 0;
}

void CompletionOffer::dismiss()
{
    m_offers.clear();
    m_at = 0;
}

CompletionOffer::KeyUse CompletionOffer::onKey(sf::Keyboard::Key key)
{
    if (m_offers.empty())
        return KeyUse::None;
    switch (key) {
    case sf::Keyboard::Up:
    case sf::Keyboard::Down:
        m_at = (m_at + (key == sf::Keyboard::Down ? 1 : m_offers.size() - 1)) % m_offers.size();
        return KeyUse::Done;
    case sf::Keyboard::Right:
    case sf::Keyboard::End:
        return KeyUse::Take;
    case sf::Keyboard::Enter:
        return KeyUse::TakeOn;
    case sf::Keyboard::Escape:
        dismiss();
        return KeyUse::Done;
    default:
        dismiss();
        return KeyUse::Dismissed;
    }
}

sf::String CompletionOffer::take()
{
    const sf::String taken = m_offers.empty() ? sf::String() : m_offers[m_at];
    dismiss();
    return taken;
}

sf::String CompletionOffer::shown() const
{
    return m_offers.empty() ? sf::String() : m_offers[m_at];
}
