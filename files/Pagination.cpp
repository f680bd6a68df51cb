#include "files/Pagination.hpp"

#include <algorithm>
#include <limits>

namespace PrintLayout {
Column columnOf(DivType kind)
{
    switch (kind) {
    case Name: return name;
    case Parenthetical: return parenthetical;
    case Speech: return dialogue;
    default: return action;
    }
}
} // namespace PrintLayout

namespace {
using namespace PrintLayout;

// A printed line as a stretch of its paragraph's text.
struct Span {
    std::uint32_t begin, end;
};

// Whole words into lines of at most `widest` characters, a longer word cut; the spaces at
// a break go.
void wrapSpans(const sf::Uint32* text, std::size_t n, std::size_t widest, std::vector<Span>& lines)
{
    std::size_t i = 0, lineBegin = 0, lineEnd = 0;
    bool open = false;
    while (i < n) {
        while (i < n && text[i] == ' ')
            ++i;
        if (i == n)
            break;
        std::size_t word = i;
        while (i < n && text[i] != ' ')
            ++i;
        if (open && i - lineBegin <= widest) {
            lineEnd = i;
            continue;
        }
        if (open)
            lines.push_back({static_cast<std::uint32_t>(lineBegin), static_cast<std::uint32_t>(lineEnd)});
        for (; i - word > widest; word += widest)
            lines.push_back({static_cast<std::uint32_t>(word), static_cast<std::uint32_t>(word + widest)});
        lineBegin = word;
        lineEnd = i;
        open = true;
    }
    if (open)
        lines.push_back({static_cast<std::uint32_t>(lineBegin), static_cast<std::uint32_t>(lineEnd)});
}

bool endsSentence(const sf::Uint32* text, Span line)
{
    std::uint32_t end = line.end;
    while (end > line.begin && (text[end - 1] == '"' || text[end - 1] == '\'' || text[end - 1] == ')' ||
                                text[end - 1] == ']' || text[end - 1] == 0x201D || text[end - 1] == 0x2019))
        --end;
    if (end == line.begin)
        return false;
    const sf::Uint32 last = text[end - 1];
    return last == '.' || last == '?' || last == '!' || last == 0x2026;
}

// A printed line, with what the page breaking needs to know of it.
struct Row {
    std::uint32_t paragraph;
    Span span;
    bool speech;      // a line of dialogue, after which a dialogue may break
    bool sentenceEnd; // ends a sentence, or its paragraph
};

enum class Type { Heading, Action, Dialogue };

// Rows first to last of the list; in a dialogue, the rows from firstBody on are its text.
struct Element {
    Type type;
    std::uint32_t first, last, firstBody;
    std::uint32_t name; // a dialogue's name paragraph, or noName
};
constexpr std::uint32_t noName = std::numeric_limits<std::uint32_t>::max();

class Pager {
public:
    Pager(const std::vector<ParagraphView>& paragraphs, bool withLines) : paragraphs(paragraphs), withLines(withLines)
    {
        out.pageOf.assign(paragraphs.size(), unset);
        measure();
    }

    Pagination run()
    {
        out.pages.emplace_back();
        for (std::size_t i = 0; i < elements.size(); ++i)
            place(i);
        // An empty paragraph belongs to the page of what follows it.
        std::uint32_t next = static_cast<std::uint32_t>(out.pages.size() - 1);
        for (std::size_t p = out.pageOf.size(); p-- > 0;) {
            if (out.pageOf[p] == unset)
                out.pageOf[p] = next;
            else
                next = out.pageOf[p];
        }
        return std::move(out);
    }

private:
    static constexpr std::uint32_t unset = std::numeric_limits<std::uint32_t>::max();

    const sf::Uint32* textOf(std::uint32_t paragraph) const { return paragraphs[paragraph].text->getData(); }
    DivType kindOf(std::uint32_t paragraph) const { return paragraphs[paragraph].kind; }

    // The rows of every paragraph, gathered into headings, actions and dialogues.
    void measure()
    {
        std::vector<Span> lines;
        for (std::uint32_t i = 0; i < paragraphs.size(); ++i) {
            const DivType kind = paragraphs[i].kind;
            const sf::String& text = *paragraphs[i].text;
            lines.clear();
            wrapSpans(text.getData(), text.getSize(), static_cast<std::size_t>(columnOf(kind).width), lines);
            if (lines.empty())
                continue;
            const bool part = kind == Parenthetical || kind == Speech;
            const auto here = static_cast<std::uint32_t>(rows.size());
            if (kind == Scene)
                elements.push_back({Type::Heading, here, here, here + 1, noName});
            else if (kind == Name)
                elements.push_back({Type::Dialogue, here, here, here + static_cast<std::uint32_t>(lines.size()), i});
            else if (part && (elements.empty() || elements.back().type != Type::Dialogue))
                elements.push_back({Type::Dialogue, here, here, here, noName});
            else if (!part)
                elements.push_back({Type::Action, here, here, here, noName});
            for (std::size_t k = 0; k < lines.size(); ++k) {
                const bool speech = kind == Speech;
                rows.push_back({i, lines[k], speech, endsSentence(text.getData(), lines[k]) || (speech && k + 1 == lines.size())});
            }
            elements.back().last = static_cast<std::uint32_t>(rows.size());
        }
    }

    // Whether a page may end after row r of a run [begin, last) of an element: something
    // follows, the row ends a sentence (a line of speech, in a dialogue), and two lines
    // of text or more stand on either side.
    bool breaksAfter(const Element& e, std::uint32_t begin, std::uint32_t r) const
    {
        if (r + 1 >= e.last || !rows[r].sentenceEnd || (e.type == Type::Dialogue && !rows[r].speech))
            return false;
        const std::uint32_t body = std::max(begin, e.firstBody);
        return r + 1 >= body + 2 && e.last - r - 1 >= 2;
    }

    // A heading, a name without its speech or a closing parenthetical may not end a
    // page: it goes with the start of what follows.
    bool keepsWithNext(const Element& e) const
    {
        return e.type == Type::Heading || (e.type == Type::Dialogue && !rows[e.last - 1].speech);
    }

    std::size_t more(const Element& e) const { return e.type == Type::Dialogue && e.name != noName ? 1 : 0; }

    // Lines an element needs at the top of the page it starts on: up to its first break,
    // or all of it with the start of what it keeps with.
    std::size_t leastStart(std::size_t i) const
    {
        const Element& e = elements[i];
        if (e.type != Type::Heading)
            for (std::uint32_t r = e.first; r < e.last; ++r)
                if (breaksAfter(e, e.first, r))
                    return r - e.first + 1 + more(e);
        return e.last - e.first + (keepsWithNext(e) && i + 1 < elements.size() ? 1 + leastStart(i + 1) : 0);
    }

    void place(std::size_t i)
    {
        const Element& e = elements[i];
        const std::size_t extra = more(e);
        std::uint32_t begin = e.first;
        std::size_t again = 0; // the name's lines again, with " (CONT'D)", at the top of a run
        while (true) {
            const std::size_t blank = used > 0 ? 1 : 0;
            if (used + blank >= static_cast<std::size_t>(linesPerPage)) {
                newPage();
                continue;
            }
            const std::size_t room = linesPerPage - used - blank;
            const std::size_t left = again + (e.last - begin);
            std::size_t need = left;
            if (keepsWithNext(e) && i + 1 < elements.size())
                need += 1 + leastStart(i + 1);
            if (need <= room) {
                put(e, begin, e.last, again, blank);
                bound = keepsWithNext(e);
                return;
            }
            std::uint32_t cut = 0; // the row after which the page ends; 0 for none
            if (e.type != Type::Heading)
                for (std::uint32_t r = begin; r < e.last && again + (r - begin) + 1 + extra <= room; ++r)
                    if (breaksAfter(e, begin, r))
                        cut = r + 1;
            if (cut == 0 && used > 0 && !bound) {
                newPage();
                continue;
            }
            if (cut == 0) { // no page keeps the rules for it here: break where it must
                bound = false;
                if (e.type == Type::Heading || left <= room) {
                    put(e, begin, e.last, again, blank);
                    bound = keepsWithNext(e);
                    return;
                }
                for (std::uint32_t r = begin; r + 1 < e.last && again + (r - begin) + 1 + extra <= room; ++r)
                    if (e.type != Type::Dialogue || rows[r].speech)
                        cut = r + 1;
                if (cut == 0) {
                    const std::size_t fits = room > extra + again ? room - extra - again : 1;
                    cut = begin + static_cast<std::uint32_t>(std::max<std::size_t>(1, std::min<std::size_t>(fits, e.last - begin - 1)));
                }
                if (cut >= e.last) {
                    put(e, begin, e.last, again, blank);
                    return;
                }
            }
            put(e, begin, cut, again, blank);
            if (extra)
                line("(MORE)", name.indent, false, rows[cut].paragraph);
            newPage();
            begin = cut;
            again = extra ? continuation(e).size() : 0;
        }
    }

    std::vector<sf::String> continuation(const Element& e) const
    {
        return wrapForPrint(shownText(Name, *paragraphs[e.name].text) + " (CONT'D)", name.width);
    }

    // Rows [from, to) of an element on the current page, after a blank line and the
    // name again when asked.
    void put(const Element& e, std::uint32_t from, std::uint32_t to, std::size_t again, std::size_t blank)
    {
        if (blank)
            line({}, 0, false, rows[from].paragraph);
        if (again) {
            for (const sf::String& text : continuation(e))
                line(text, name.indent, false, rows[from].paragraph);
        }
        for (std::uint32_t r = from; r < to; ++r) {
            const Row& row = rows[r];
            std::uint32_t& of = out.pageOf[row.paragraph];
            if (of == unset)
                of = static_cast<std::uint32_t>(out.pages.size() - 1);
            if (!withLines) {
                ++used;
                continue;
            }
            const DivType kind = kindOf(row.paragraph);
            const sf::Uint32* text = textOf(row.paragraph);
            line(shownText(kind, sf::String(std::basic_string<sf::Uint32>(text + row.span.begin, text + row.span.end))),
                 columnOf(kind).indent, kind == Scene, row.paragraph);
        }
    }

    void line(const sf::String& text, float indent, bool bold, std::uint32_t paragraph)
    {
        if (withLines)
            out.pages.back().lines.push_back({text, indent, bold, paragraph});
        ++used;
    }

    void newPage()
    {
        if (used > 0)
            out.pages.emplace_back();
        used = 0;
        bound = false;
    }

    const std::vector<ParagraphView>& paragraphs;
    const bool withLines;
    std::vector<Row> rows;
    std::vector<Element> elements;
    Pagination out;
    std::size_t used = 0; // lines on the current page
    bool bound = false;   // what was placed last must not end the page: what comes goes with it
};
} // namespace

std::vector<sf::String> wrapForPrint(const sf::String& text, int width)
{
    std::vector<Span> spans;
    wrapSpans(text.getData(), text.getSize(), static_cast<std::size_t>(std::max(width, 1)), spans);
    std::vector<sf::String> lines;
    for (const Span& span : spans)
        lines.emplace_back(std::basic_string<sf::Uint32>(text.getData() + span.begin, text.getData() + span.end));
    return lines;
}

Pagination paginate(const std::vector<ParagraphView>& paragraphs, bool withLines)
{
    return Pager(paragraphs, withLines).run();
}

Pagination paginate(const Script& script)
{
    std::vector<ParagraphView> views;
    views.reserve(script.paragraphs.size());
    for (const Paragraph& paragraph : script.paragraphs)
        views.push_back({paragraph.kind, &paragraph.text});
    return paginate(views, true);
}
