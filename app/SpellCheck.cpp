#include "app/SpellCheck.hpp"

#include "files/TextCodec.hpp"
#include "files/WholeFile.hpp"
#include "files/WriterWords.hpp"

#include <algorithm>
#include <functional>

namespace {
constexpr std::size_t maxSuggestions = 8;
constexpr std::size_t keptTexts = 200000; // texts whose marks are kept before the cache starts again
const char* const fallbackLanguage = "en_US";

std::u32string_view viewOf(const sf::String& text, WordSpan word)
{
    return std::u32string_view(reinterpret_cast<const char32_t*>(text.getData()) + word.begin, word.end - word.begin);
}

// The word as the dictionary reads it: a curly apostrophe as a straight one.
std::string forDictionary(const sf::String& word)
{
    sf::String text = word;
    for (sf::Uint32& c : text)
        c = c == U'\u2019' ? U'\'' : c;
    return toUtf8(text);
}

// A word of the writer's in capitals is theirs in every case: Hunspell takes it so in small letters.
std::string asAdded(const std::string& word)
{
    const sf::String text = fromUtf8(word);
    return inCapitals(text) ? forDictionary(inSmallLetters(text)) : forDictionary(text);
}
} // namespace

void SpellCheck::start(const std::string& folder, const std::string& language, std::filesystem::path wordsFile)
{
    m_speller = Speller::open(folder, language);
    if (!m_speller && language != fallbackLanguage)
        m_speller = Speller::open(folder, fallbackLanguage);
    if (!m_speller) {
        problem = "Spelling is not checked: no dictionary for " + std::string(fallbackLanguage);
        return;
    }
    m_wordsFile = std::move(wordsFile);
    WriterWords read = readWriterWords(m_wordsFile);
    m_words = std::move(read.words);
    m_wordsDamaged = !read.damage.empty();
    if (m_wordsDamaged)
        problem = "Could not read " + m_wordsFile.generic_string() + " whole (" + read.damage +
                  "): words added now are kept until the program ends";
    for (const std::string& word : m_words)
        keep(word);
    forgetMarks();
}

void SpellCheck::recount(const Script& script)
{
    m_cues.clear();
    for (const Paragraph& paragraph : script.paragraphs)
        if (paragraph.kind == Name)
            for (const std::u32string& key : cueWords(paragraph.text))
                ++m_cues[key];
    forgetMarks();
}

void SpellCheck::count(const std::vector<ScriptEdit>& edits, bool undo)
{
    bool changed = false;
    auto add = [&](const std::vector<Paragraph>& paragraphs, int by) {
        for (const Paragraph& paragraph : paragraphs) {
            if (paragraph.kind != Name)
                continue;
            for (const std::u32string& key : cueWords(paragraph.text)) {
                int& count = m_cues[key];
                count += by;
                changed = changed || count == 0 || count == by;
                if (count <= 0)
                    m_cues.erase(key);
            }
        }
    };
    for (const ScriptEdit& edit : edits) {
        add(undo ? edit.after : edit.before, -1);
        add(undo ? edit.before : edit.after, 1);
    }
    if (changed)
        forgetMarks(); // a word of a cue came or went: any paragraph may show it
}

void SpellCheck::setScript(const std::string& name)
{
    if (name != m_script)
        forgetMarks();
    m_script = name;
}

// The dictionary offers the writer's words too; they are fine in any case and with 's.
void SpellCheck::keep(const std::string& word)
{
    m_speller->add(asAdded(word));
    const sf::String text = fromUtf8(word);
    m_wordKeys.insert(wordKey(viewOf(text, {0, static_cast<std::uint32_t>(text.getSize())})));
}

bool SpellCheck::fine(const sf::String& text, WordSpan word)
{
    const std::u32string key = wordKey(viewOf(text, word));
    if (m_cues.count(key) > 0 || m_wordKeys.count(key) > 0)
        return true;
    const auto ignored = m_ignored.find(m_script);
    if (ignored != m_ignored.end() && ignored->second.count(key) > 0)
        return true;
    return m_speller->correct(forDictionary(text.substring(word.begin, word.end - word.begin)));
}

const std::vector<WordSpan>& SpellCheck::misspelled(const Paragraph& paragraph)
{
    static const std::vector<WordSpan> none;
    if (!m_speller || !spellingChecked(paragraph.kind) || paragraph.text.isEmpty())
        return none;
    const std::uint64_t hash = std::hash<std::u32string_view>()(viewOf(paragraph.text, {0, static_cast<std::uint32_t>(paragraph.text.getSize())}));
    const auto known = m_marks.find(hash);
    if (known != m_marks.end())
        return known->second;
    if (m_marks.size() >= keptTexts)
        forgetMarks();
    std::vector<WordSpan> marks;
    for (const WordSpan& word : checkedWords(paragraph.text))
        if (!fine(paragraph.text, word))
            marks.push_back(word);
    return m_marks.emplace(hash, std::move(marks)).first->second;
}

std::optional<WordSpan> SpellCheck::misspelledAt(const Paragraph& paragraph, std::uint32_t index)
{
    for (const WordSpan& word : misspelled(paragraph))
        if (word.begin <= index && index <= word.end)
            return word;
    return std::nullopt;
}

std::optional<std::pair<std::uint32_t, WordSpan>> SpellCheck::next(const Script& script, Caret from)
{
    const std::size_t count = script.paragraphs.size();
    for (std::size_t step = 0; step <= count; ++step) {
        const std::uint32_t at = static_cast<std::uint32_t>((from.paragraph + step) % count);
        for (const WordSpan& word : misspelled(script.paragraphs[at])) {
            const bool after = step > 0 || word.begin >= from.index;
            const bool before = step < count || word.begin < from.index; // round again to the caret
            if (after && before)
                return std::make_pair(at, word);
        }
    }
    return std::nullopt;
}

std::vector<sf::String> SpellCheck::suggestions(const sf::String& word)
{
    std::vector<sf::String> offered;
    if (!m_speller)
        return offered;
    // Asked in small letters, Hunspell offers the likeliest words first ("teh": "the"); the
    // word's capitals go back on after.
    for (const std::string& suggestion : m_speller->suggestions(forDictionary(inSmallLetters(word)))) {
        const sf::String shown = inPatternOf(word, fromUtf8(suggestion));
        if (shown != word && std::find(offered.begin(), offered.end(), shown) == offered.end())
            offered.push_back(shown);
        if (offered.size() == maxSuggestions)
            break;
    }
    return offered;
}

bool SpellCheck::addWord(const sf::String& word)
{
    if (!m_speller || word.isEmpty())
        return false;
    const std::string utf8 = toUtf8(word);
    keep(utf8);
    m_words.push_back(utf8);
    forgetMarks();
    if (m_wordsDamaged) {
        problem = "Could not add \"" + utf8 + "\" to " + m_wordsFile.generic_string() +
                  ": it could not be read whole; the word is kept until the program ends";
        return false;
    }
    std::error_code error;
    if (writeWriterWords(m_wordsFile, m_words, error))
        return true;
    problem = "Could not add \"" + utf8 + "\" to " + m_wordsFile.generic_string() + ": " + failureReason(error) +
              "; the word is kept until the program ends";
    return false;
}

void SpellCheck::ignore(const sf::String& word)
{
    m_ignored[m_script].insert(wordKey(viewOf(word, {0, static_cast<std::uint32_t>(word.getSize())})));
    forgetMarks();
}
