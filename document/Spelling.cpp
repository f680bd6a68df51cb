#include "document/Spelling.hpp"

#include "document/DivType.hpp"

#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>

namespace {
// One word-break iterator for the program's one thread: making one costs more than a
// paragraph's check.
icu::BreakIterator* wordBreaks()
{
    static std::unique_ptr<icu::BreakIterator> breaks = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return breaks.get();
}

bool isSpace(sf::Uint32 c)
{
    return u_isUWhiteSpace(static_cast<UChar32>(c));
}

// Whether the run of letters without spaces from `begin` to `end` is a web or mail address.
bool isAddress(const sf::String& text, std::size_t begin, std::size_t end)
{
    const std::u32string token(reinterpret_cast<const char32_t*>(text.getData()) + begin, end - begin);
    if (token.find(U'@') != std::u32string::npos || token.find(U"://") != std::u32string::npos)
        return true;
    return token.size() > 4 && (token[0] | 32) == 'w' && (token[1] | 32) == 'w' && (token[2] | 32) == 'w' && token[3] == '.';
}
} // namespace

bool spellingChecked(std::int32_t kind)
{
    return kind != Scene && kind != Name && kind != PageBreak;
}

std::vector<WordSpan> checkedWords(const sf::String& text)
{
    std::vector<WordSpan> words;
    icu::BreakIterator* breaks = wordBreaks();
    if (!breaks || text.isEmpty())
        return words;
    const icu::UnicodeString units =
        icu::UnicodeString::fromUTF32(reinterpret_cast<const UChar32*>(text.getData()), static_cast<std::int32_t>(text.getSize()));
    breaks->setText(units);
    // Addresses are found first, as the stretches without spaces that hold one.
    std::vector<WordSpan> addresses;
    for (std::size_t at = 0; at < text.getSize();) {
        std::size_t end = at;
        while (end < text.getSize() && !isSpace(text[end]))
            ++end;
        if (end > at && isAddress(text, at, end))
            addresses.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(end)});
        at = end + 1;
    }
    std::int32_t unit = breaks->first();
    std::uint32_t point = 0; // the code point at `unit`
    for (std::int32_t next = breaks->next(); next != icu::BreakIterator::DONE; unit = next, next = breaks->next()) {
        const std::uint32_t begin = point;
        point += static_cast<std::uint32_t>(units.countChar32(unit, next - unit));
        const std::int32_t status = breaks->getRuleStatus();
        if (status < UBRK_WORD_NUMBER || status >= UBRK_WORD_LETTER_LIMIT || point - begin < 2)
            continue;
        bool plain = true;
        for (std::uint32_t i = begin; i < point && plain; ++i)
            plain = text[i] != '.' && !u_isdigit(static_cast<UChar32>(text[i]));
        for (const WordSpan& address : addresses)
            plain = plain && (point <= address.begin || begin >= address.end);
        if (plain)
            words.push_back({begin, point});
    }
    return words;
}

std::u32string wordKey(std::u32string_view word)
{
    std::u32string key;
    key.reserve(word.size());
    for (const char32_t c : word)
        key.push_back(c == U'\u2019' ? U'\'' : static_cast<char32_t>(u_toupper(static_cast<UChar32>(c))));
    if (key.size() > 2 && key.compare(key.size() - 2, 2, U"'S") == 0)
        key.resize(key.size() - 2);
    return key;
}

std::vector<std::u32string> cueWords(const sf::String& cue)
{
    std::vector<std::u32string> keys;
    for (const WordSpan& word : checkedWords(cue))
        keys.push_back(wordKey(std::u32string_view(reinterpret_cast<const char32_t*>(cue.getData()) + word.begin, word.end - word.begin)));
    return keys;
}

bool inCapitals(const sf::String& word)
{
    std::size_t letters = 0, capitals = 0;
    for (const sf::Uint32 c : word) {
        letters += u_isalpha(static_cast<UChar32>(c)) ? 1 : 0;
        capitals += u_isupper(static_cast<UChar32>(c)) ? 1 : 0;
    }
    return letters >= 2 && capitals == letters;
}

sf::String inSmallLetters(const sf::String& word)
{
    sf::String out = word;
    for (sf::Uint32& c : out)
        c = static_cast<sf::Uint32>(u_tolower(static_cast<UChar32>(c)));
    return out;
}

sf::String inPatternOf(const sf::String& word, const sf::String& suggestion)
{
    sf::String out = suggestion;
    const bool allCapitals = inCapitals(word);
    const bool firstCapital = !word.isEmpty() && u_isupper(static_cast<UChar32>(word[0]));
    for (std::size_t i = 0; i < out.getSize(); ++i)
        if (allCapitals || (firstCapital && i == 0))
            out[i] = static_cast<sf::Uint32>(u_toupper(static_cast<UChar32>(out[i])));
    return out;
}

Paragraph respelled(const Paragraph& paragraph, WordSpan word, const sf::String& suggestion)
{
    const sf::String typed = paragraph.text.substring(word.begin, word.end - word.begin);
    const sf::String replacement = inPatternOf(typed, suggestion);
    Paragraph out = paragraph;
    eraseText(out, word.begin, word.end);
    for (std::size_t i = replacement.getSize(); i-- > 0;) {
        const std::size_t from = word.begin + std::min<std::size_t>(i, word.end - word.begin - 1);
        insertText(out, word.begin, replacement.substring(i, 1), paragraph.styleAt(from));
    }
    return out;
}
