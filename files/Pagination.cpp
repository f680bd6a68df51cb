// The printed pages.
//
//   lines      the wrap into a kind's width, where sentences end
//   elements   headings, actions, transitions, dialogues, pairs and breaks, as rows
//   splits     where an element may end a page, and which place is best
//   pages      placing the elements, page after page
#include "files/Pagination.hpp"

#include <algorithm>
#include <deque>
#include <limits>
#include <optional>

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

// ---- lines ----

// A printed line as a stretch of its paragraph's text.
struct Span {
    std::uint32_t begin, end;
};

// Whole words into lines of at most `widest` characters, a longer word cut; the spaces at
// a break go. Spans count from `offset`.
void wrapSpans(const sf::Uint32* text, std::size_t n, std::size_t widest, std::vector<Span>& lines, std::uint32_t offset = 0)
{
    std::size_t i = 0, lineBegin = 0, lineEnd = 0;
    bool open = false;
    auto add = [&](std::size_t b, std::size_t e) {
        lines.push_back({static_cast<std::uint32_t>(b + offset), static_cast<std::uint32_t>(e + offset)});
    };
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
            add(lineBegin, lineEnd);
        for (; i - word > widest; word += widest)
            add(word, word + widest);
        lineBegin = word;
        lineEnd = i;
        open = true;
    }
    if (open)
        add(lineBegin, lineEnd);
}

bool closesSentence(sf::Uint32 c)
{
    return c == '"' || c == '\'' || c == ')' || c == ']' || c == 0x201D || c == 0x2019;
}

// Whether the text up to `end` ends a sentence: . ? ! or an ellipsis, with closing quotes
// and brackets after it.
bool endsSentence(const sf::Uint32* text, std::uint32_t begin, std::uint32_t end)
{
    while (end > begin && closesSentence(text[end - 1]))
        --end;
    if (end == begin)
        return false;
    const sf::Uint32 last = text[end - 1];
    return last == '.' || last == '?' || last == '!' || last == 0x2026;
}

// ---- elements ----

enum class Part : std::uint8_t { Other, Cue, Parenthetical, Speech };

// A printed line of a paragraph.
struct Row {
    std::uint32_t paragraph;
    Span span;
    float indent;
    Part part;
    bool sentenceEnd; // it ends a sentence
};

enum class Type { Heading, Action, Transition, Dialogue, Pair, Break };

constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

// What the pages are made of. A dialogue's rows are its cue's, then its parts'; a pair's
// the left half's, then from `right` on the right half's.
struct Element {
    Type type;
    std::uint32_t first, end;   // its paragraphs
    std::vector<Row> rows;
    std::uint32_t cue = none;   // a dialogue's cue paragraph
    std::uint32_t cueRows = 0;  // the rows of the cue
    std::size_t right = 0;      // a pair: where the right half's rows begin

    std::size_t height() const
    {
        return type == Type::Pair ? std::max(right, rows.size() - right) : rows.size();
    }
};

// The blank lines before an element that follows another on the page.
std::size_t blankBefore(Type type, const Layout& layout)
{
    return type == Type::Heading ? static_cast<std::size_t>(layout.linesBeforeHeading) : type == Type::Break ? 0 : 1;
}

// Where a page may end within an element: after `rows` rows of it, the last of them cut
// at `cut` in its text when that is before its end.
struct Split {
    std::size_t rows;
    std::uint32_t cut;
    bool sentence; // at a sentence's end
};

class Pager {
public:
    Pager(const std::vector<Paragraph>& paragraphs, bool withLines, const Layout& layout)
        : paragraphs(paragraphs), withLines(withLines), layout(layout)
    {
        out.pageOf.assign(paragraphs.size(), unset);
        printed.reserve(paragraphs.size());
        for (const Paragraph& paragraph : paragraphs)
            printed.push_back(&paragraph.text);
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
        // A paragraph that prints nothing belongs to the page of what follows it.
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
    static constexpr std::uint32_t unset = none;

    const sf::Uint32* textOf(std::uint32_t paragraph) const { return printed[paragraph]->getData(); }
    DivType kindOf(std::uint32_t paragraph) const { return paragraphs[paragraph].kind; }
    std::size_t pageLines() const { return static_cast<std::size_t>(layout.linesPerPage); }

    // A character who speaks again after only action in the scene, under a cue without an
    // extension, prints "(CONT'D)" after it: not after a voice-over, which is heard, not
    // seen speaking, and not when the cue says so already.
    void markContinued()
    {
        sf::String speaker; // who spoke last in this scene, without extensions; empty when none can go on
        for (std::uint32_t i = 0; i < paragraphs.size(); ++i) {
            const DivType kind = paragraphs[i].kind;
            if (kind == Scene || kind == Transition) {
                speaker.clear();
            } else if (kind == Name) {
                const sf::String cue = shownText(Name, paragraphs[i].text);
                const std::size_t open = cue.find("(");
                sf::String name = open == sf::String::InvalidPos ? cue : cue.substring(0, open);
                while (!name.isEmpty() && name[name.getSize() - 1] == ' ')
                    name.erase(name.getSize() - 1);
                if (!name.isEmpty() && name == speaker && open == sf::String::InvalidPos && !paragraphs[i].dual) {
                    continued.push_back(cue + " (CONT'D)");
                    printed[i] = &continued.back();
                }
                speaker = cue.find("V.O.") == sf::String::InvalidPos ? name : sf::String();
            }
        }
    }

    // The rows of a paragraph in a column from `from` in its text on: a parenthetical's
    // "(" hanging a cell left of the rest.
    void rowsOf(std::uint32_t paragraph, Column column, Part part, std::uint32_t from, std::vector<Row>& rows,
                bool centred = false) const
    {
        const sf::String& text = *printed[paragraph];
        const sf::Uint32* letters = text.getData();
        const DivType kind = kindOf(paragraph);
        std::vector<Span>& spans = scratch;
        spans.clear();
        const bool hangs = part == Part::Parenthetical && layout.hangingParenthesis && from < text.getSize() && letters[from] == '(';
        while (from < text.getSize() && letters[from] == ' ')
            ++from;
        const std::uint32_t start = hangs ? from + 1 : from;
        wrapSpans(letters + start, text.getSize() - start, static_cast<std::size_t>(std::max(column.width, 1)), spans, start);
        if (hangs) {
            if (spans.empty())
                spans.push_back({start, start});
            spans.front().begin = from;
        }
        if (spans.empty() && (kind == Directorial || kind == None))
            spans.push_back({from, from}); // an empty action takes a line
        for (std::size_t k = 0; k < spans.size(); ++k) {
            const Span span = spans[k];
            const std::size_t length = span.end - span.begin;
            float indent = column.indent;
            if (kind == Transition)
                indent += (column.width - static_cast<float>(length)) / charsPerInch;
            else if (kind == Centered || centred)
                indent += std::max(0.f, column.width - static_cast<float>(length)) / 2 / charsPerInch;
            if (hangs && k == 0)
                indent -= 1 / charsPerInch;
            rows.push_back({paragraph, span, indent, part, endsSentence(letters, span.begin, span.end)});
        }
    }

    static bool spoken(DivType kind) { return kind == Parenthetical || kind == Speech; }

    // A speech block from paragraph i: its rows in the given columns.
    std::uint32_t dialogue(std::uint32_t i, Column name, Column parenthetical, Column speech, Element& e, bool half = false) const
    {
        if (kindOf(i) == Name) {
            e.cue = i;
            rowsOf(i, name, Part::Cue, 0, e.rows, half);
            e.cueRows = static_cast<std::uint32_t>(e.rows.size());
            ++i;
        }
        for (; i < paragraphs.size() && spoken(kindOf(i)); ++i)
            rowsOf(i, kindOf(i) == Speech ? speech : parenthetical, kindOf(i) == Speech ? Part::Speech : Part::Parenthetical, 0, e.rows);
        return i;
    }

    // The paragraphs gathered into elements, each with its rows.
    void measure()
    {
        for (std::uint32_t i = 0; i < paragraphs.size();) {
            const DivType kind = kindOf(i);
            Element e{Type::Action, i, i, {}};
            if (kind == PageBreak) {
                e.type = Type::Break;
                e.end = ++i;
            } else if (kind == Name || spoken(kind)) {
                const std::size_t end = speechBlockEnd(paragraphs, i);
                if (pairsWithNext(paragraphs, end)) {
                    e.type = Type::Pair;
                    i = dialogue(i, layout.leftName, layout.leftParenthetical, layout.leftDialogue, e, true);
                    e.right = e.rows.size();
                    Element second{Type::Dialogue, i, i, {}};
                    i = dialogue(i, layout.rightName, layout.rightParenthetical, layout.rightDialogue, second, true);
                    e.rows.insert(e.rows.end(), second.rows.begin(), second.rows.end());
                    e.cue = none;
                } else {
                    e.type = Type::Dialogue;
                    i = dialogue(i, layout.name, layout.parenthetical, layout.dialogue, e);
                }
                e.end = i;
            } else {
                e.type = kind == Scene ? Type::Heading : kind == Transition ? Type::Transition : Type::Action;
                rowsOf(i, columnOf(kind, layout), Part::Other, 0, e.rows);
                e.end = ++i;
            }
            if (!e.rows.empty() || e.type == Type::Break)
                elements.push_back(std::move(e));
        }
    }

    // ---- splits ----

    // The spoken rows (parentheticals and speeches) among rows [from, to) of a dialogue.
    static std::size_t spokenRows(const Element& e, std::size_t from, std::size_t to)
    {
        std::size_t count = 0;
        for (std::size_t r = from; r < to; ++r)
            count += e.rows[r].part == Part::Parenthetical || e.rows[r].part == Part::Speech;
        return count;
    }

    // The rows of a speech part or an action paragraph after a cut at `cut` in its text,
    // wrapped anew.
    std::vector<Row> rowsAfter(const Row& row, std::uint32_t cut) const
    {
        std::vector<Row> rows;
        rowsOf(row.paragraph, columnOf(kindOf(row.paragraph), layout), row.part, cut, rows);
        return rows;
    }

    // The rows of element e from row `begin` on when the page ends after `split`: the rows
    // that go over, the cut row wrapped anew.
    std::vector<Row> rest(const Element& e, std::size_t begin, const Split& split) const
    {
        std::vector<Row> after;
        const Row& last = e.rows[begin + split.rows - 1];
        if (split.cut < last.span.end) {
            after = rowsAfter(last, split.cut);
            std::size_t r = begin + split.rows;
            while (r < e.rows.size() && e.rows[r].paragraph == last.paragraph)
                ++r; // the old rows of the cut paragraph give way to the new
            after.insert(after.end(), e.rows.begin() + static_cast<std::ptrdiff_t>(r), e.rows.end());
        } else {
            after.assign(e.rows.begin() + static_cast<std::ptrdiff_t>(begin + split.rows), e.rows.end());
        }
        return after;
    }

    // Where rows [begin, end) of an action or a dialogue may end a page, taking at most
    // `room` rows: the best of the legal places, or none.
    std::optional<Split> bestSplit(const Element& e, std::size_t begin, std::size_t room) const
    {
        std::optional<Split> best;
        auto better = [](const Split& a, const Split& b) {
            return a.sentence != b.sentence ? a.sentence : a.rows > b.rows;
        };
        forEachSplit(e, begin, room, [&](const Split& split) {
            if (!best || better(split, *best))
                best = split;
        });
        return best;
    }

    // The fewest rows an element may take at a page's foot and still begin there.
    std::optional<std::size_t> leastSplit(const Element& e, std::size_t begin) const
    {
        std::optional<std::size_t> least;
        forEachSplit(e, begin, e.rows.size(), [&](const Split& split) {
            if (!least || split.rows < *least)
                least = split.rows;
        });
        return least;
    }

    // Calls `take` with every legal place to end a page within rows [begin, ...) of an
    // action or a dialogue, after at most `room` rows.
    template <typename Take>
    void forEachSplit(const Element& e, std::size_t begin, std::size_t room, Take take) const
    {
        if (e.type != Type::Action && e.type != Type::Dialogue)
            return;
        const std::size_t n = e.rows.size();
        const bool dialogue = e.type == Type::Dialogue;
        for (std::size_t r = begin; r < n && r - begin + 1 <= room; ++r) {
            const Row& row = e.rows[r];
            if (dialogue && row.part == Part::Cue)
                continue;
            const std::size_t top = r - begin + 1;
            // At the row's end: between parts, or at a sentence's end within a part.
            if (r + 1 < n) {
                const bool between = e.rows[r + 1].paragraph != row.paragraph;
                const std::size_t partRows = partSize(e, r);
                const bool inside = !between && row.sentenceEnd && (!dialogue || (row.part == Part::Speech && partRows >= 3));
                const bool keeps = dialogue ? spokenRows(e, begin, r + 1) >= 2 && spokenRows(e, r + 1, n) >= 2
                                            : top >= 2 && n - r - 1 >= 2;
                if ((between || inside) && keeps && !(between && !dialogue))
                    take(Split{top, row.span.end, row.sentenceEnd});
            }
            // Within the row, at a sentence's end before a space; the rest wraps anew.
            if (dialogue && (row.part != Part::Speech || partSize(e, r) < 3))
                continue;
            const sf::Uint32* text = textOf(row.paragraph);
            for (std::uint32_t i = row.span.begin + 1; i < row.span.end; ++i) {
                if (text[i] != ' ' || text[i - 1] == ' ' || !endsSentence(text, row.span.begin, i))
                    continue;
                // What goes over is counted in the lines it held before the cut: the lines
                // after the cut one, as Final Draft counts them.
                const bool keeps = dialogue ? spokenRows(e, begin, r + 1) >= 2 && spokenRows(e, r + 1, n) >= 2
                                            : top >= 2 && n - r - 1 >= 2;
                if (keeps)
                    take(Split{top, i, true});
            }
        }
    }

    // The rows of the part (paragraph) that row r belongs to.
    static std::size_t partSize(const Element& e, std::size_t r)
    {
        std::size_t first = r, last = r;
        while (first > 0 && e.rows[first - 1].paragraph == e.rows[r].paragraph)
            --first;
        while (last + 1 < e.rows.size() && e.rows[last + 1].paragraph == e.rows[r].paragraph)
            ++last;
        return last - first + 1;
    }

    // Spoken rows after the paragraph of row r.
    static std::size_t spokenAfter(const Element& e, std::size_t r)
    {
        std::size_t q = r;
        while (q < e.rows.size() && e.rows[q].paragraph == e.rows[r].paragraph)
            ++q;
        return spokenRows(e, q, e.rows.size());
    }

    // ---- pages ----

    // Lines an element needs at the foot of a page to begin there (after a heading: all
    // of a short action), and, when it keeps with what follows, that too.
    std::size_t leastStart(std::size_t i, bool afterHeading) const
    {
        const Element& e = elements[i];
        std::size_t least = e.height();
        const bool shortAction = e.type == Type::Action && afterHeading && e.rows.size() < static_cast<std::size_t>(layout.shortAction);
        if (!shortAction)
            if (const std::optional<std::size_t> split = leastSplit(e, 0))
                return *split;
        if (keepsWithNext(i))
            least += blankBefore(elements[i + 1].type, layout) + leastStart(i + 1, e.type == Type::Heading);
        return least;
    }

    // A heading never ends a page, nor what a transition follows.
    bool keepsWithNext(std::size_t i) const
    {
        if (i + 1 >= elements.size())
            return false;
        return elements[i].type == Type::Heading || (elements[i + 1].type == Type::Transition && elements[i].type != Type::Break);
    }

    void place(std::size_t i)
    {
        Element& e = elements[i];
        if (e.type == Type::Break) {
            newPage();
            return;
        }
        const bool afterHeading = i > 0 && elements[i - 1].type == Type::Heading;
        std::size_t begin = 0;    // rows placed already
        std::vector<Row> carried; // rows of a cut row wrapped anew, in place of the rest
        bool again = false;       // the cue again at the top, with " (CONT'D)"
        while (true) {
            const std::size_t blank = used > 0 ? blankBefore(e.type, layout) : 0;
            if (used + blank >= pageLines()) {
                newPage();
                continue;
            }
            const std::size_t room = pageLines() - used - blank;
            const std::size_t left = e.height() - begin;
            std::size_t need = left;
            if (keepsWithNext(i))
                need += blankBefore(elements[i + 1].type, layout) + leastStart(i + 1, e.type == Type::Heading);
            if (need <= room) {
                put(e, begin, e.rows.size(), again, blank);
                return;
            }
            const bool shortAction = e.type == Type::Action && afterHeading && begin == 0 &&
                                     e.rows.size() < static_cast<std::size_t>(layout.shortAction);
            const std::optional<Split> split = shortAction ? std::nullopt : bestSplit(e, begin, room);
            if (!split && used > 0) {
                newPage();
                continue;
            }
            if (!split && e.type == Type::Pair && left > room) { // taller than a page: both halves go on below
                const std::size_t leftRows = e.right, rightRows = e.rows.size() - e.right;
                Element top = e;
                top.rows.clear();
                const std::size_t leftTop = std::min(room, leftRows), rightTop = std::min(room, rightRows);
                top.rows.insert(top.rows.end(), e.rows.begin(), e.rows.begin() + static_cast<std::ptrdiff_t>(leftTop));
                top.right = leftTop;
                top.rows.insert(top.rows.end(), e.rows.begin() + static_cast<std::ptrdiff_t>(leftRows),
                                e.rows.begin() + static_cast<std::ptrdiff_t>(leftRows + rightTop));
                put(top, 0, top.rows.size(), false, blank);
                newPage();
                std::vector<Row> rows(e.rows.begin() + static_cast<std::ptrdiff_t>(leftTop), e.rows.begin() + static_cast<std::ptrdiff_t>(leftRows));
                rows.insert(rows.end(), e.rows.begin() + static_cast<std::ptrdiff_t>(leftRows + rightTop), e.rows.end());
                e.right = leftRows - leftTop;
                e.rows = std::move(rows);
                continue;
            }
            if (!split) { // nothing fits as the rules ask, on an empty page: break where it must
                if (left <= room || e.type == Type::Pair || e.type == Type::Heading) {
                    put(e, begin, e.rows.size(), again, blank);
                    return;
                }
                const std::size_t take = std::max<std::size_t>(1, room);
                put(e, begin, begin + take, again, blank);
                end(e, begin + take);
                begin += take;
                again = e.type == Type::Dialogue && e.cue != none;
                continue;
            }
            carried = rest(e, begin, *split);
            Row& cutRow = e.rows[begin + split->rows - 1];
            const std::uint32_t cutEnd = cutRow.span.end;
            cutRow.span.end = split->cut;
            put(e, begin, begin + split->rows, again, blank);
            cutRow.span.end = cutEnd;
            end(e, begin + split->rows);
            // What goes over becomes the element's rows from here on.
            e.rows.erase(e.rows.begin() + static_cast<std::ptrdiff_t>(begin + split->rows), e.rows.end());
            e.rows.insert(e.rows.end(), carried.begin(), carried.end());
            begin += split->rows;
            again = e.type == Type::Dialogue && e.cue != none;
        }
    }

    // Ends the page within a dialogue with "(MORE)" below its last line; what follows begins a new one.
    void end(const Element& e, std::size_t at)
    {
        if (e.type == Type::Dialogue && e.cue != none && at < e.rows.size() && withLines)
            out.pages.back().lines.push_back({"(MORE)", layout.name.indent, false, e.rows[at].paragraph, static_cast<std::int32_t>(used), {}});
        newPage();
    }

    std::vector<sf::String> continuation(const Element& e) const
    {
        const sf::String cue = shownText(Name, paragraphs[e.cue].text);
        const bool said = cue.find("CONT'D") != sf::String::InvalidPos;
        return wrapForPrint(said ? cue : cue + " (CONT'D)", layout.name.width);
    }

    // Rows [from, to) of an element on the current page after `blank` blank lines, the cue
    // again first when asked (it takes no room from the page).
    void put(const Element& e, std::size_t from, std::size_t to, bool again, std::size_t blank)
    {
        if (used == 0 && out.pages.size() > 1 && from < e.rows.size()) // where this page begins, for the screen
            out.pageStarts.emplace_back(e.rows[from].paragraph, e.rows[from].span.begin);
        for (std::size_t b = 0; b < blank; ++b, ++used)
            if (withLines)
                out.pages.back().lines.push_back({{}, 0, false, e.first, static_cast<std::int32_t>(used), {}});
        if (again && withLines) // on the page number's line, above the page's own
            for (const sf::String& text : continuation(e))
                out.pages.back().lines.push_back({text, layout.name.indent, false, e.rows[from].paragraph, PrintLine::header, {}});
        const bool pair = e.type == Type::Pair;
        if (pair) {
            from = 0;
            to = e.rows.size();
        }
        for (std::size_t r = from; r < to; ++r) {
            std::uint32_t& page = out.pageOf[e.rows[r].paragraph];
            if (page == unset)
                page = static_cast<std::uint32_t>(out.pages.size() - 1);
            if (withLines)
                line(e.rows[r], static_cast<std::int32_t>(used + (pair ? (r < e.right ? r : r - e.right) : r - from)));
        }
        const std::size_t height = pair ? e.height() : to - from;
        if (pair && withLines)
            std::stable_sort(out.pages.back().lines.begin(), out.pages.back().lines.end(),
                             [](const PrintLine& a, const PrintLine& b) { return a.row < b.row; });
        used += height;
    }

    void line(const Row& row, std::int32_t at)
    {
        const Paragraph& paragraph = paragraphs[row.paragraph];
        const DivType kind = paragraph.kind;
        const sf::Uint32* text = textOf(row.paragraph);
        PrintLine printed{shownText(kind, sf::String(std::basic_string<sf::Uint32>(text + row.span.begin, text + row.span.end))),
                          row.indent, kind == Scene, row.paragraph, at, {}};
        if (paragraph.styled() && printed.text.getSize() > 0 && this->printed[row.paragraph] == &paragraph.text)
            for (std::uint32_t k = row.span.begin; k < row.span.end; ++k)
                printed.styles.push_back(paragraph.styleAt(k));
        out.pages.back().lines.push_back(std::move(printed));
    }

    void newPage()
    {
        if (used > 0)
            out.pages.emplace_back();
        used = 0;
    }

    const std::vector<Paragraph>& paragraphs;
    const bool withLines;
    const Layout& layout;
    std::vector<const sf::String*> printed; // each paragraph's text as printed
    std::deque<sf::String> continued;       // the cues printed with " (CONT'D)"
    std::vector<Element> elements;
    mutable std::vector<Span> scratch;
    Pagination out;
    std::size_t used = 0; // lines on the current page
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

Pagination paginate(const std::vector<Paragraph>& paragraphs, bool withLines, const Layout& layout)
{
    return Pager(paragraphs, withLines, layout).run();
}

Pagination paginate(const Script& script, const Layout& layout)
{
    return paginate(script.paragraphs, true, layout);
}
