#include "document/SavedMark.hpp"

#include <algorithm>
#include <functional>
#include <string_view>

std::uint64_t hashOf(const Paragraph& paragraph)
{
    const sf::String& text = paragraph.text;
    std::uint64_t hash = std::hash<std::u32string_view>()(
        std::u32string_view(reinterpret_cast<const char32_t*>(text.getData()), text.getSize()));
    auto mix = [&hash](std::uint64_t value) { hash = (hash ^ value) * 0x100000001b3ull + (hash >> 29); };
    mix(static_cast<std::uint64_t>(paragraph.kind) << 1 | (paragraph.dual ? 1 : 0));
    for (std::size_t i = 0; i < paragraph.styles.size() && i < text.getSize(); ++i)
        if (paragraph.styles[i] != Plain)
            mix(i << 8 | paragraph.styles[i]);
    return hash;
}

void SavedMark::mark(const Script& script)
{
    m_known = true;
    m_hashes.clear();
    m_hashes.reserve(script.paragraphs.size());
    for (const Paragraph& paragraph : script.paragraphs)
        m_hashes.push_back(hashOf(paragraph));
    m_title = script.titlePage();
    m_size = m_hashes.size();
    m_from = m_size;
    m_tail = 0;
}

void SavedMark::forget()
{
    m_known = false;
    m_hashes.clear();
}

void SavedMark::note(const std::vector<ScriptEdit>& edits, bool undo)
{
    auto one = [this, undo](const ScriptEdit& edit) {
        const std::size_t removed = (undo ? edit.after : edit.before).size();
        const std::size_t inserted = (undo ? edit.before : edit.after).size();
        const std::size_t end = std::min(m_size, edit.at + removed);
        m_from = std::min<std::size_t>(m_from, edit.at);
        m_tail = std::min(m_tail, m_size - end);
        // as applyEdit, which never leaves a script without a paragraph
        m_size = std::max<std::size_t>(1, m_size - (end - std::min<std::size_t>(edit.at, m_size)) + inserted);
        m_from = std::min(m_from, m_size);
    };
    if (undo)
        std::for_each(edits.rbegin(), edits.rend(), one);
    else
        std::for_each(edits.begin(), edits.end(), one);
}

// Narrows the stretch from both ends to where the script and the saved one differ, so
// that paragraphs found equal once are not hashed again.
bool SavedMark::matches(const Script& script)
{
    if (!m_known)
        return false;
    const std::vector<Paragraph>& paragraphs = script.paragraphs;
    const std::size_t now = paragraphs.size(), saved = m_hashes.size(), both = std::min(now, saved);
    while (m_from + m_tail < both && hashOf(paragraphs[m_from]) == m_hashes[m_from])
        ++m_from;
    while (m_from + m_tail < both && hashOf(paragraphs[now - 1 - m_tail]) == m_hashes[saved - 1 - m_tail])
        ++m_tail;
    return now == saved && m_from + m_tail >= now && script.titlePage() == m_title;
}
