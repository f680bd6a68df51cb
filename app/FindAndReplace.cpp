#include "app/FindAndReplace.hpp"

#include <algorithm>

namespace {
// Where a match stands in the order of the searched texts.
bool before(const Match& match, std::uint32_t text, std::uint32_t index)
{
    return match.text < text || (match.text == text && match.begin < index);
}
} // namespace

FindAndReplace::FindAndReplace(const sf::RenderTarget& window, const Script& script) : bar(window), m_script(script)
{
}

void FindAndReplace::open(const sf::String& sought, Caret from)
{
    m_from = from;
    bar.start(sought);
    search(true);
}

void FindAndReplace::close()
{
    bar.setOpen(false);
    bar.unfocus();
    m_found.clear();
    m_sheetMatches.clear();
}

void FindAndReplace::search(bool move)
{
    std::vector<SearchedText> texts;
    texts.reserve(fieldCount + m_script.paragraphs.size());
    for (const TitleField& field : titleFields)
        texts.push_back({Directorial, &(m_script.*field.member)});
    for (const Paragraph& paragraph : m_script.paragraphs)
        texts.push_back({paragraph.kind, &paragraph.text});
    m_found = findMatches(texts, bar.findBox.text, bar.options());
    m_sheetMatches.clear();
    for (const Match& match : m_found)
        if (match.text >= fieldCount)
            m_sheetMatches.push_back({match.text - fieldCount, match.begin, match.end});
    if (move) {
        const auto at = std::find_if(m_found.begin(), m_found.end(), [this](const Match& match) {
            return !before(match, m_from.paragraph + fieldCount, m_from.index);
        });
        m_at = at == m_found.end() ? 0 : static_cast<std::size_t>(at - m_found.begin());
    } else if (m_at >= m_found.size()) {
        m_at = 0;
    }
    showStatus();
}

std::optional<Match> FindAndReplace::step(bool forward)
{
    if (m_found.empty())
        return std::nullopt;
    m_at = forward ? (m_at + 1) % m_found.size() : (m_at + m_found.size() - 1) % m_found.size();
    showStatus();
    return m_found[m_at];
}

std::optional<Match> FindAndReplace::current() const
{
    if (m_found.empty())
        return std::nullopt;
    return m_found[m_at];
}

void FindAndReplace::showStatus()
{
    if (bar.findBox.text.isEmpty())
        bar.setStatus("");
    else if (m_found.empty())
        bar.setStatus("No match");
    else
        bar.setStatus(std::to_string(m_at + 1) + " of " + std::to_string(m_found.size()));
}

FindAndReplace::Replacement FindAndReplace::replacement(bool all, Caret caret) const
{
    Replacement out;
    if (m_found.empty())
        return out;
    const sf::String& with = bar.replaceBox.text;
    const std::vector<Match> chosen = all ? m_found : std::vector<Match>{m_found[m_at]};
    TitleLines lines = m_script.titlePage();
    for (auto from = chosen.begin(); from != chosen.end();) {
        const auto to = std::find_if(from, chosen.end(), [&](const Match& match) { return match.text != from->text; });
        const std::vector<Match> ofText(from, to);
        if (from->text < fieldCount) {
            sf::String& field = lines.*titleFields[from->text].member;
            field = replaceMatches(field, ofText, with);
        } else {
            const std::uint32_t at = from->text - fieldCount;
            Paragraph changed = m_script.paragraphs[at];
            replaceMatches(changed, ofText, with);
            out.edits.push_back({at, {m_script.paragraphs[at]}, {std::move(changed)}, caret, caret});
        }
        from = to;
    }
    if (lines != m_script.titlePage())
        out.titlePage = lines;
    out.count = chosen.size();
    const Match& last = chosen.back();
    if (last.text >= fieldCount) {
        // The end of the last replacement, after the earlier ones of its paragraph changed its length.
        std::int64_t lastEnd = last.end;
        for (const Match& match : chosen)
            if (match.text == last.text)
                lastEnd += static_cast<std::int64_t>(with.getSize()) - (match.end - match.begin);
        out.after = Caret{last.text - fieldCount, static_cast<std::uint32_t>(lastEnd)};
        out.edits.back().caretAfter = *out.after;
    }
    return out;
}
