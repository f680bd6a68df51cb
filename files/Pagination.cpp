#include "files/Pagination.hpp"

#include <algorithm>
#include <deque>
#include <limits>

namespace PrintLayout {
Column columnOf(DivType kind, const Layout& layout)
{
    switch (kind) {
    case Name: return layout.name;
    case Parenthetical: return layout.parenthetical;
    case Speech: return layout.dialogue;
    case Transition: return layout.transition;
    default: return layout.action;
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

enum class Type { Heading, Action, Dialogue, Break };

// Rows first to last of the list; in a dialogue, the rows from firstBody on are its text.
struct Element {
    Type type;
    std::uint32_t first, last, firstBody;
    std::uint32_t name; // a dialogue's name paragraph, or noName
};
constexpr std::uint32_t noName = std::numeric_limits<std::uint32_t>::max();

class Pager {
public:
    Pager(const std::vector<ParagraphView>& paragraphs, bool withLines, const Layout& layout)
        : paragraphs(paragraphs), withLines(withLines), layout(layout)
    {
        out.pageOf.assign(paragraphs.size(), unset);
        printed.reserve(paragraphs.size());
        for (const ParagraphView& paragraph : paragraphs)
            printed.push_back(paragraph.text);
        if (layout.continuedInScene)
            markContinued();
        measure();
    }

    Pagination run()
    {
        out.pages.emplace_back();
        for (std::size_t i = 0; i < elements.size(); ++i)
            place(i);
        if (out.pages.size() > 1 && used == 0) // a page break at the end begins no page
            out.pages.pop_back();
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

    const sf::Uint32* textOf(std::uint32_t paragraph) const { return printed[paragraph]->getData(); }
    DivType kindOf(std::uint32_t paragraph) const { return paragraphs[paragraph].kind; }

    // A character who speaks again in the same scene with only action between is printed
    // "NAME (CONT'D)", unless the cue says so already.
    void markContinued()
    {
        sf::String speaker; // who spoke last in this scene, without extensions; empty after other elements
        for (std::uint32_t i = 0; i < paragraphs.size(); ++i) {
            const DivType kind = paragraphs[i].kind;
            if (kind == Scene || kind == Transition) {
                speaker.clear();
            } else if (kind == Name) {
                const sf::String cue = shownText(Name, *paragraphs[i].text);
                const std::size_t open = cue.find("(");
                sf::String name = open == sf::String::InvalidPos ? cue : cue.substring(0, open);
                while (!name.isEmpty() && name[name.getSize() - 1] == ' ')
                    name.erase(name.getSize() - 1);
                if (!name.isEmpty() && name == speaker && open == sf::String::InvalidPos) {
                    continued.push_back(cue + " (CONT'D)");
                    printed[i] = &continued.back();
                }
                speaker = name;
            }
        }
    }

    // The rows of every paragraph, gathered into headings, actions and dialogues.
    void measure()
    {
        std::vector<Span> lines;
        for (std::uint32_t i = 0; i < paragraphs.size(); ++i) {
            const DivType kind = paragraphs[i].kind;
            const sf::String& text = *printed[i];
            const auto here = static_cast<std::uint32_t>(rows.size());
            if (kind == PageBreak) {
                elements.push_back({Type::Break, here, here, here, noName});
                continue;
            }
            lines.clear();
            wrapSpans(text.getData(), text.getSize(), static_cast<std::size_t>(columnOf(kind, layout).width), lines);
            if (lines.empty())
                continue;
            const bool part = kind == Parenthetical || kind == Speech;
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

    // Where within row r a sentence ends: after . ? ! or an ellipsis (closing quotes and
    // brackets with it) before a space, or at the row's end when the row ends one.
    std::vector<std::uint32_t> sentenceEnds(const Row& row) const
    {
        std::vector<std::uint32_t> ends;
        const sf::Uint32* text = textOf(row.paragraph);
        for (std::uint32_t i = row.span.begin + 1; i < row.span.end; ++i)
            if (text[i] == ' ' && text[i - 1] != ' ' && endsSentence(text, {row.span.begin, i}))
                ends.push_back(i);
        if (row.sentenceEnd)
            ends.push_back(row.span.end);
        return ends;
    }

    // The rows of the paragraph of row r from r on within element e: [r, the end).
    std::uint32_t paragraphEnd(const Element& e, std::uint32_t r) const
    {
        std::uint32_t q = r;
        while (q < e.last && rows[q].paragraph == rows[r].paragraph)
            ++q;
        return q;
    }

    // The paragraph's text after a break at position p, wrapped, as rows.
    std::vector<Row> rowsAfter(const Row& row, std::uint32_t p) const
    {
        const sf::String& text = *printed[row.paragraph];
        std::uint32_t from = p;
        while (from < text.getSize() && text[from] == ' ')
            ++from;
        std::vector<Span> spans;
        wrapSpans(text.getData() + from, text.getSize() - from,
                  static_cast<std::size_t>(columnOf(kindOf(row.paragraph), layout).width), spans);
        std::vector<Row> out;
        for (std::size_t k = 0; k < spans.size(); ++k) {
            const Span span{spans[k].begin + from, spans[k].end + from};
            out.push_back({row.paragraph, span, row.speech,
                           endsSentence(text.getData(), span) || (row.speech && k + 1 == spans.size())});
        }
        return out;
    }

    // Whether a page may end at position p of row r, with the run on this page begun at
    // `begin`: in a dialogue only in a speech; two lines of text or more on either side.
    bool mayEndAt(const Element& e, std::uint32_t begin, std::uint32_t r, std::uint32_t p) const
    {
        if (e.type == Type::Dialogue && !rows[r].speech)
            return false;
        if (r + 1 < std::max(begin, e.firstBody) + 2)
            return false;
        if (p == rows[r].span.end)
            return r + 1 < e.last && e.last - r - 1 >= 2;
        const std::uint32_t end = paragraphEnd(e, r);
        return rowsAfter(rows[r], p).size() + (e.last - end) >= 2;
    }

    // Ends row r at position p within it, the rest of its paragraph wrapped anew after it;
    // the rows of what follows move along.
    void splitRow(Element& e, std::size_t i, std::uint32_t r, std::uint32_t p)
    {
        Row head = rows[r];
        head.span.end = p;
        head.sentenceEnd = true;
        std::vector<Row> fresh = rowsAfter(rows[r], p);
        fresh.insert(fresh.begin(), head);
        const std::uint32_t end = paragraphEnd(e, r);
        const std::ptrdiff_t delta = static_cast<std::ptrdiff_t>(fresh.size()) - static_cast<std::ptrdiff_t>(end - r);
        rows.erase(rows.begin() + r, rows.begin() + end);
        rows.insert(rows.begin() + r, fresh.begin(), fresh.end());
        e.last = static_cast<std::uint32_t>(e.last + delta);
        for (std::size_t k = i + 1; k < elements.size(); ++k) {
            elements[k].first = static_cast<std::uint32_t>(elements[k].first + delta);
            elements[k].last = static_cast<std::uint32_t>(elements[k].last + delta);
            elements[k].firstBody = static_cast<std::uint32_t>(elements[k].firstBody + delta);
        }
    }

    // A heading, a name without its speech or a closing parenthetical may not end a
    // page: it goes with the start of what follows.
    bool keepsWithNext(std::size_t i) const
    {
        const Element& e = elements[i];
        if (e.type == Type::Heading || (e.type == Type::Dialogue && !rows[e.last - 1].speech))
            return true;
        const Element* next = i + 1 < elements.size() ? &elements[i + 1] : nullptr;
        return next && next->last > next->first && kindOf(rows[next->first].paragraph) == Transition;
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
        return e.last - e.first + (keepsWithNext(i) && i + 1 < elements.size() ? blankBefore(elements[i + 1]) + leastStart(i + 1) : 0);
    }

    std::size_t blankBefore(const Element& e) const
    {
        return e.type == Type::Heading ? static_cast<std::size_t>(layout.linesBeforeHeading) : e.type == Type::Break ? 0 : 1;
    }

    void place(std::size_t i)
    {
        Element& e = elements[i];
        if (e.type == Type::Break) {
            newPage();
            return;
        }
        const std::size_t extra = more(e);
        const std::size_t linesPerPage = static_cast<std::size_t>(layout.linesPerPage);
        std::uint32_t begin = e.first;
        std::size_t again = 0; // the name's lines again, with " (CONT'D)", at the top of a run
        while (true) {
            const std::size_t blank = used > 0 ? blankBefore(e) : 0;
            if (used + blank >= linesPerPage) {
                newPage();
                continue;
            }
            const std::size_t room = linesPerPage - used - blank;
            const std::size_t left = again + (e.last - begin);
            std::size_t need = left;
            if (keepsWithNext(i) && i + 1 < elements.size())
                need += blankBefore(elements[i + 1]) + leastStart(i + 1);
            if (need <= room) {
                put(e, begin, e.last, again, blank);
                bound = keepsWithNext(i);
                return;
            }
            std::uint32_t cut = 0; // the row after which the page ends; 0 for none
            std::uint32_t at = 0;  // and where in that row
            if (e.type != Type::Heading)
                for (std::uint32_t r = begin; r < e.last && again + (r - begin) + 1 + extra <= room; ++r)
                    for (const std::uint32_t p : sentenceEnds(rows[r]))
                        if (mayEndAt(e, begin, r, p)) {
                            cut = r + 1;
                            at = p;
                        }
            if (cut > 0 && at < rows[cut - 1].span.end)
                splitRow(e, i, cut - 1, at);
            if (cut == 0 && used > 0 && !bound) {
                newPage();
                continue;
            }
            if (cut == 0) { // no page keeps the rules for it here: break where it must
                bound = false;
                if (e.type == Type::Heading || left <= room) {
                    put(e, begin, e.last, again, blank);
                    bound = keepsWithNext(i);
                    return;
                }
                for (std::uint32_t r = begin; r + 1 < e.last && again + (r - begin) + 1 + extra <= room; ++r)
                    if (e.type != Type::Dialogue || rows[r].speech)
                        cut = r + 1;
                if (cut == 0) {
                    // Not even a line with its "(MORE)", or a name with none of its words: the
                    // next page, unless this one is empty already.
                    const std::size_t fits = room > extra + again ? room - extra - again : 0;
                    if (used > 0 && (fits == 0 || (extra && begin + fits <= e.firstBody))) {
                        newPage();
                        continue;
                    }
                    cut = begin + static_cast<std::uint32_t>(std::max<std::size_t>(1, std::min<std::size_t>(fits, e.last - begin - 1)));
                }
                if (cut >= e.last) {
                    put(e, begin, e.last, again, blank);
                    return;
                }
            }
            put(e, begin, cut, again, blank);
            if (extra)
                line("(MORE)", layout.name.indent, false, rows[cut].paragraph);
            newPage();
            begin = cut;
            again = extra ? continuation(e).size() : 0;
        }
    }

    std::vector<sf::String> continuation(const Element& e) const
    {
        const sf::String cue = shownText(Name, *paragraphs[e.name].text);
        const bool said = cue.find("CONT'D") != sf::String::InvalidPos;
        return wrapForPrint(said ? cue : cue + " (CONT'D)", layout.name.width);
    }

    // Rows [from, to) of an element on the current page, after a blank line and the
    // name again when asked.
    void put(const Element& e, std::uint32_t from, std::uint32_t to, std::size_t again, std::size_t blank)
    {
        for (std::size_t b = 0; b < blank; ++b)
            line({}, 0, false, rows[from].paragraph);
        if (used == 0 && out.pages.size() > 1) // where this page begins, for the screen
            out.pageStarts.emplace_back(rows[from].paragraph, rows[from].span.begin);
        if (again) {
            for (const sf::String& text : continuation(e))
                line(text, layout.name.indent, false, rows[from].paragraph);
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
            const sf::String printedLine =
                shownText(kind, sf::String(std::basic_string<sf::Uint32>(text + row.span.begin, text + row.span.end)));
            line(printedLine, indentOf(kind, printedLine.getSize()), kind == Scene, row.paragraph);
        }
    }

    // A transition ends where its column ends; centred text stands in the middle of the action.
    float indentOf(DivType kind, std::size_t length) const
    {
        const Column column = columnOf(kind, layout);
        const float room = (column.width - static_cast<float>(length)) / charsPerInch;
        return kind == Transition ? column.indent + room : kind == Centered ? column.indent + room / 2 : column.indent;
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
    const Layout& layout;
    std::vector<const sf::String*> printed; // each paragraph's text as printed
    std::deque<sf::String> continued;       // the cues printed with " (CONT'D)"
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

Pagination paginate(const std::vector<ParagraphView>& paragraphs, bool withLines, const Layout& layout)
{
    return Pager(paragraphs, withLines, layout).run();
}

Pagination paginate(const Script& script, const Layout& layout)
{
    std::vector<ParagraphView> views;
    views.reserve(script.paragraphs.size());
    for (const Paragraph& paragraph : script.paragraphs)
        views.push_back({paragraph.kind, &paragraph.text});
    return paginate(views, true, layout);
}
