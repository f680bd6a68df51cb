#include "document/Script.hpp"

#include <algorithm>

const TitleField titleFields[titleFieldCount] = {
    {&TitleLines::title, "Title", "Title", "Title", true, false, TitlePlace::Centre, 0},
    {&TitleLines::author, "Subtitle", "Author line", "Author", true, false, TitlePlace::Centre, 2},
    {&TitleLines::credit, "Credit", "Credit", "Credit", false, false, TitlePlace::Centre, 1},
    {&TitleLines::source, "Source", "Source", "Source", false, false, TitlePlace::Centre, 3},
    {&TitleLines::draftDate, "DraftDate", "Draft date", "Draft date", false, false, TitlePlace::Right, 1},
    {&TitleLines::contact, "Contact", "Contact", "Contact", false, true, TitlePlace::Left, 0},
    {&TitleLines::notes, "Notes", "Notes", "Notes", false, true, TitlePlace::Right, 0},
};

std::vector<const TitleField*> titleFieldsAt(TitlePlace place)
{
    std::vector<const TitleField*> fields;
    for (const TitleField& field : titleFields)
        if (field.place == place)
            fields.push_back(&field);
    std::sort(fields.begin(), fields.end(), [](const TitleField* a, const TitleField* b) { return a->printOrder < b->printOrder; });
    return fields;
}

bool TitleLines::operator==(const TitleLines& other) const
{
    for (const TitleField& field : titleFields)
        if (this->*field.member != other.*field.member)
            return false;
    return true;
}

bool TitleLines::empty() const
{
    for (const TitleField& field : titleFields)
        if (!(this->*field.member).isEmpty())
            return false;
    return true;
}

namespace {
// Styles with nothing set hold no memory: the plain paragraph equals itself.
void tidy(Paragraph& paragraph)
{
    if (std::all_of(paragraph.styles.begin(), paragraph.styles.end(), [](std::uint8_t style) { return style == Plain; }))
        paragraph.styles.clear();
}

// Styles one to a letter, so that they can be changed in step with the text.
void spell(Paragraph& paragraph)
{
    paragraph.styles.resize(paragraph.text.getSize(), Plain);
}
} // namespace

bool Paragraph::operator==(const Paragraph& other) const
{
    if (kind != other.kind || dual != other.dual || text != other.text)
        return false;
    for (std::size_t i = 0, n = std::max(styles.size(), other.styles.size()); i < n; ++i)
        if (styleAt(i) != other.styleAt(i))
            return false;
    return true;
}

Paragraph slice(const Paragraph& paragraph, std::size_t from, std::size_t to)
{
    const std::size_t size = paragraph.text.getSize();
    to = std::min(to, size);
    from = std::min(from, to);
    Paragraph piece{paragraph.kind, paragraph.text.substring(from, to - from), {}, paragraph.dual};
    if (paragraph.styled()) {
        for (std::size_t i = from; i < to; ++i)
            piece.styles.push_back(paragraph.styleAt(i));
        tidy(piece);
    }
    return piece;
}

void append(Paragraph& paragraph, const Paragraph& piece)
{
    if (piece.styled() || paragraph.styled()) {
        spell(paragraph);
        for (std::size_t i = 0; i < piece.text.getSize(); ++i)
            paragraph.styles.push_back(piece.styleAt(i));
    }
    paragraph.text += piece.text;
    tidy(paragraph);
}

void insertText(Paragraph& paragraph, std::size_t at, const sf::String& text, std::uint8_t style)
{
    at = std::min<std::size_t>(at, paragraph.text.getSize());
    if (style != Plain || paragraph.styled()) {
        spell(paragraph);
        paragraph.styles.insert(paragraph.styles.begin() + static_cast<std::ptrdiff_t>(at), text.getSize(), style);
    }
    paragraph.text.insert(at, text);
}

void eraseText(Paragraph& paragraph, std::size_t from, std::size_t to)
{
    to = std::min<std::size_t>(to, paragraph.text.getSize());
    if (from >= to)
        return;
    if (paragraph.styled()) {
        spell(paragraph);
        paragraph.styles.erase(paragraph.styles.begin() + static_cast<std::ptrdiff_t>(from),
                               paragraph.styles.begin() + static_cast<std::ptrdiff_t>(to));
    }
    paragraph.text.erase(from, to - from);
    tidy(paragraph);
}

void setStyle(Paragraph& paragraph, std::size_t from, std::size_t to, std::uint8_t bits, bool on)
{
    to = std::min<std::size_t>(to, paragraph.text.getSize());
    if (from >= to || (!on && !paragraph.styled()))
        return;
    spell(paragraph);
    for (std::size_t i = from; i < to; ++i)
        paragraph.styles[i] = static_cast<std::uint8_t>(on ? paragraph.styles[i] | bits : paragraph.styles[i] & ~bits);
    tidy(paragraph);
}

std::size_t speechBlockEnd(const std::vector<Paragraph>& paragraphs, std::size_t begin)
{
    std::size_t end = begin + 1;
    while (end < paragraphs.size() && (paragraphs[end].kind == Parenthetical || paragraphs[end].kind == Speech))
        ++end;
    return end;
}

bool pairsWithNext(const std::vector<Paragraph>& paragraphs, std::size_t blockEnd)
{
    return blockEnd < paragraphs.size() && paragraphs[blockEnd].kind == Name && paragraphs[blockEnd].dual;
}

void unpairLoneCues(std::vector<Paragraph>& paragraphs)
{
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (paragraphs[i].kind != Name || !paragraphs[i].dual)
            continue;
        std::size_t begin = i; // of the block before
        while (begin > 0 && (paragraphs[begin - 1].kind == Parenthetical || paragraphs[begin - 1].kind == Speech))
            --begin;
        const bool cued = begin > 0 && paragraphs[begin - 1].kind == Name;
        if ((begin == i && !cued) || (cued && paragraphs[begin - 1].dual))
            paragraphs[i].dual = false;
    }
}

bool hasStyle(const Paragraph& paragraph, std::size_t from, std::size_t to, std::uint8_t bits)
{
    to = std::min<std::size_t>(to, paragraph.text.getSize());
    if (from >= to)
        return false;
    for (std::size_t i = from; i < to; ++i)
        if ((paragraph.styleAt(i) & bits) != bits)
            return false;
    return true;
}

namespace {
// What singleLine makes of the character at i: itself, a space, or nothing (-1).
long singleLineCharacter(const sf::String& text, std::size_t i)
{
    const sf::Uint32 c = text[i];
    if (c == '\r' && i + 1 < text.getSize() && text[i + 1] == '\n')
        return -1; // the LF that follows stands for the pair
    if (c == '\r' || c == '\n' || c == '\t')
        return ' ';
    if (c < 32 || c == 127)
        return -1;
    return static_cast<long>(c);
}
} // namespace

sf::String singleLine(const sf::String& text)
{
    std::basic_string<sf::Uint32> out;
    out.reserve(text.getSize());
    for (std::size_t i = 0; i < text.getSize(); ++i)
        if (const long c = singleLineCharacter(text, i); c >= 0)
            out.push_back(static_cast<sf::Uint32>(c));
    return sf::String(out);
}

void makeSingleLine(Paragraph& paragraph)
{
    std::basic_string<sf::Uint32> out;
    std::vector<std::uint8_t> styles;
    for (std::size_t i = 0; i < paragraph.text.getSize(); ++i)
        if (const long c = singleLineCharacter(paragraph.text, i); c >= 0) {
            out.push_back(static_cast<sf::Uint32>(c));
            if (paragraph.styled())
                styles.push_back(paragraph.styleAt(i));
        }
    paragraph.text = sf::String(out);
    paragraph.styles = std::move(styles);
    tidy(paragraph);
}
