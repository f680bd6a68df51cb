#include "app/App.hpp"

#include <unicode/uchar.h>

#include <algorithm>

namespace {
const sf::String addRow = "Add to dictionary";
const sf::String ignoreRow = "Ignore";
constexpr float belowWord = Sheet::lineHeight + 2; // pixels from a word's top to its menu's
} // namespace

// The misspelled words the sheet marks in a paragraph: all but the one being typed.
std::vector<WordSpan> App::marksOf(std::size_t paragraph)
{
    std::vector<WordSpan> marks = m_spelling.misspelled(m_page.paragraph(paragraph));
    const std::optional<Caret>& typing = m_spelling.typingAt;
    if (typing && *typing == m_page.caret() && typing->paragraph == paragraph)
        marks.erase(std::remove_if(marks.begin(), marks.end(),
                                   [&](const WordSpan& word) { return word.begin < typing->index && typing->index <= word.end; }),
                    marks.end());
    return marks;
}

// A letter typed at the caret keeps its word unmarked; anything else that moves the caret
// or changes the text lets the marks show.
void App::followTyping(const sf::Event& event)
{
    const sf::Uint32 c = m_event.typed;
    const bool letter = event.type == sf::Event::TextEntered && m_event.contentChanged &&
                        (u_isalnum(static_cast<UChar32>(c)) || c == '\'' || c == U'\u2019');
    if (letter)
        m_spelling.typingAt = m_page.caret();
    else if (m_event.contentChanged || (m_spelling.typingAt && *m_spelling.typingAt != m_page.caret()))
        m_spelling.typingAt.reset();
}

// Opens the menu of suggestions at a misspelled word under a caret; nothing elsewhere.
void App::offerSpelling(Caret at)
{
    m_spelling.setScript(m_session.untitled ? std::string() : m_session.fileName);
    const Paragraph& paragraph = m_page.paragraph(at.paragraph);
    const std::optional<WordSpan> word = m_spelling.misspelledAt(paragraph, at.index);
    if (!word)
        return;
    SpellCheck::Offer offer{at.paragraph, *word, paragraph.text.substring(word->begin, word->end - word->begin), {}};
    offer.suggestions = m_spelling.suggestions(offer.typed);
    std::vector<sf::String> rows = offer.suggestions;
    rows.push_back(addRow);
    rows.push_back(ignoreRow);
    const sf::Vector2f point = m_page.pointInView({at.paragraph, word->begin});
    m_suggestionMenu.open(std::move(rows), {point.x, point.y + belowWord});
    m_spelling.offer = std::move(offer);
}

// A row of the menu taken: a suggestion replaces the word as one step of the history.
void App::takeSpelling(std::size_t row)
{
    const std::optional<SpellCheck::Offer> offer = std::exchange(m_spelling.offer, std::nullopt);
    if (!offer || offer->paragraph >= m_page.size())
        return;
    const Paragraph& paragraph = m_page.paragraph(offer->paragraph);
    const WordSpan word = offer->word;
    if (word.end > paragraph.text.getSize() || paragraph.text.substring(word.begin, word.end - word.begin) != offer->typed)
        return; // the word changed under the menu
    if (row < offer->suggestions.size()) {
        const Paragraph changed = respelled(paragraph, word, offer->suggestions[row]);
        const auto end = static_cast<std::uint32_t>(word.begin + offer->suggestions[row].getSize());
        m_event.action = Action::Replace;
        m_page.edit({offer->paragraph, {paragraph}, {changed}, m_page.caret(), {offer->paragraph, end}});
        m_page.placeCaret({offer->paragraph, end});
    } else if (row == offer->suggestions.size()) {
        m_spelling.addWord(offer->typed);
    } else {
        m_spelling.ignore(offer->typed);
    }
    sayProblem(m_spelling.problem);
}

// F7: the next misspelled word after the caret, selected, with its menu open.
void App::nextMisspelling()
{
    m_spelling.setScript(m_session.untitled ? std::string() : m_session.fileName);
    m_spelling.typingAt.reset();
    const auto next = m_spelling.next(m_session.script, m_page.caret());
    if (!next) {
        m_status.notice = m_spelling.checking() ? "No misspellings" : "Spelling is not checked";
        return;
    }
    m_page.placeCaret({next->first, next->second.begin});
    m_page.placeCaret({next->first, next->second.end}, true);
    m_page.showCaret(topInset());
    offerSpelling(m_page.caret());
}

// What the spelling has to say goes once into the band.
void App::sayProblem(std::string& problem)
{
    if (!problem.empty())
        m_status.notice = std::exchange(problem, std::string());
}
