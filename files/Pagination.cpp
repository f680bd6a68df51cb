// The printed pages.
//
//   lines      the wrap into a kind's width, where sentences end
//   elements   headings, actions, transitions, dialogues, pairs and breaks, as rows
//   splits     where an element may end a page, and which place is best
//   pages      placing the elements, page after page
#include "files/Pagination.hpp"

#include <algorithm>
#include <deque>
#include <functional>
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
// a break go. Spans count from `offset`. Given the ascending starts of an earlier wrap of
// the same text, it stops where a line would start as one of those does: from there on the
// lines are the same, and the start it stopped at is returned.
std::optional<std::uint32_t> wrapSpans(const sf::Uint32* text, std::size_t n, std::size_t widest, std::vector<Span>& lines,
                                       std::uint32_t offset = 0, const std::vector<std::uint32_t>& earlier = {})
{
    auto sync = earlier.begin();
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
        const std::uint32_t next = static_cast<std::uint32_t>(word + offset);
        while (open && sync != earlier.end() && *sync < next)
            ++sync;
        if (open && sync != earlier.end() && *sync == next)
            return next;
        for (; i - word > widest; word += widest)
            add(word, word + widest);
        lineBegin = word;
        lineEnd = i;
        open = true;
    }
    if (open)
        add(lineBegin, lineEnd);
    return std::nullopt;
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
    bool sentenceEnd;        // it ends a sentence
    const sf::String* text;  // as printed: a cue spoken again with its " (CONT'D)"
};

enum class Type { Heading, Action, Transition, Dialogue, Pair, Break };

constexpr std::uint32_t none = std::numeric_limits<std::uint32_t>::max();

// What the pages are made of. A dialogue's rows are its cue's, then its parts'; a pair's
// the left half's, then from `right` on the right half's.
struct Element {
    Type type;
    std::uint32_t first, end;   // its paragraphs
    std::vector<Row> rows;
    std::u32string speaker;     // who spoke last in the scene before it, for "(CONT'D)"
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
    // From a checkpoint (the script's start by default), until `converges` says the pages
    // from a clean page start on are known already.
    Pager(const std::vector<Paragraph>& paragraphs, bool withLines, const Layout& layout, const PageCheckpoint& start = {},
          std::function<bool(const PageCheckpoint&)> converges = {})
        : paragraphs(paragraphs), withLines(withLines), layout(layout), converges(std::move(converges)),
          next(start.paragraph), speaker(start.speaker), firstPage(start.page), base(start.paragraph)
    {
        previousHeading = start.afterHeading;
    }

    // The pages from the checkpoint on; when it stopped early, those before where it
    // stopped, and each paragraph's page up to there.
    Pagination run()
    {
        out.pages.emplace_back();
        for (std::size_t i = 0; ensure(i) && !stopped; ++i)
            place(i);
        if (out.pages.size() > 1 && used == 0) // a page break at the end begins no page, nor the page it stopped at
            out.pages.pop_back();
        // A paragraph that prints nothing belongs to the page of what follows it.
        const std::uint32_t end = stopped ? stopAt : static_cast<std::uint32_t>(paragraphs.size());
        pageOf.resize(end - base, unset);
        std::uint32_t following = static_cast<std::uint32_t>(firstPage + out.pages.size() - (stopped ? 0 : 1));
        for (std::size_t p = pageOf.size(); p-- > 0;) {
            if (pageOf[p] == unset)
                pageOf[p] = following;
            else
                following = pageOf[p];
        }
        out.pageOf = std::move(pageOf);
        return std::move(out);
    }

    // Whether it stopped where the earlier pages go on, and at which paragraph.
    bool stoppedEarly() const { return stopped; }
    std::uint32_t stopParagraph() const { return stopAt; }
    // Where the page it stopped at begins: its first line's paragraph and index.
    std::pair<std::uint32_t, std::uint32_t> stopStart() const { return stopRow; }

private:
    static constexpr std::uint32_t unset = none;

    std::uint32_t page() const { return static_cast<std::uint32_t>(firstPage + out.pages.size() - 1); }
    bool afterHeading(std::size_t i) const { return i > 0 ? elements[i - 1].type == Type::Heading : previousHeading; }

    DivType kindOf(std::uint32_t paragraph) const { return paragraphs[paragraph].kind; }
    std::size_t pageLines() const { return static_cast<std::size_t>(layout.linesPerPage); }

    // A character who speaks again after only action in the scene, under a cue without an
    // extension, prints "(CONT'D)" after it: not after a voice-over, which is heard, not
    // seen speaking, and not when the cue says so already. Followed paragraph by paragraph
    // as they are measured; the text a paragraph prints.
    const sf::String* printedText(std::uint32_t i)
    {
        const Paragraph& paragraph = paragraphs[i];
        if (paragraph.kind == Scene || paragraph.kind == Transition) {
            speaker.clear();
            return &paragraph.text;
        }
        if (paragraph.kind != Name || !layout.continuedInScene)
            return &paragraph.text;
        std::u32string& cue = scratchCue;
        cue.resize(paragraph.text.getSize());
        for (std::size_t k = 0; k < cue.size(); ++k)
            cue[k] = shownLetter(Name, paragraph.text[k]);
        const std::size_t open = cue.find(U'(');
        std::size_t end = std::min(open, cue.size());
        while (end > 0 && cue[end - 1] == ' ')
            --end;
        const std::u32string_view name(cue.data(), end);
        const sf::String* text = &paragraph.text;
        if (!name.empty() && name == speaker && open == std::u32string::npos && !paragraph.dual) {
            continued.push_back(sf::String(std::basic_string<sf::Uint32>(cue.begin(), cue.end())) + " (CONT'D)");
            text = &continued.back();
        }
        if (cue.find(U"V.O.") == std::u32string::npos)
            speaker.assign(name);
        else
            speaker.clear();
        return text;
    }

    // The rows of a paragraph in a column from `from` in its text on: a parenthetical's
    // "(" hanging a cell left of the rest.
    std::optional<std::uint32_t> rowsOf(std::uint32_t paragraph, const sf::String& text, Column column, Part part,
                                        std::uint32_t from, std::vector<Row>& rows, bool centred = false,
                                        const std::vector<std::uint32_t>& earlier = {}) const
    {
        const sf::Uint32* letters = text.getData();
        const DivType kind = kindOf(paragraph);
        std::vector<Span>& spans = scratch;
        spans.clear();
        const bool hangs = part == Part::Parenthetical && layout.hangingParenthesis && from < text.getSize() && letters[from] == '(';
        while (from < text.getSize() && letters[from] == ' ')
            ++from;
        const std::uint32_t start = hangs ? from + 1 : from;
        const std::optional<std::uint32_t> synced =
            wrapSpans(letters + start, text.getSize() - start, static_cast<std::size_t>(std::max(column.width, 1)), spans, start, earlier);
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
            rows.push_back({paragraph, span, indent, part, endsSentence(letters, span.begin, span.end), &text});
        }
        return synced;
    }

    static bool spoken(DivType kind) { return kind == Parenthetical || kind == Speech; }

    // A speech block from paragraph i: its rows in the given columns.
    std::uint32_t dialogue(std::uint32_t i, Column name, Column parenthetical, Column speech, Element& e, bool half = false)
    {
        if (kindOf(i) == Name) {
            e.cue = i;
            rowsOf(i, *printedText(i), name, Part::Cue, 0, e.rows, half);
            e.cueRows = static_cast<std::uint32_t>(e.rows.size());
            ++i;
        }
        for (; i < paragraphs.size() && spoken(kindOf(i)); ++i)
            rowsOf(i, paragraphs[i].text, kindOf(i) == Speech ? speech : parenthetical,
                   kindOf(i) == Speech ? Part::Speech : Part::Parenthetical, 0, e.rows);
        return i;
    }

    // Measures elements until there is one at index i (false when the script ends first).
    bool ensure(std::size_t i)
    {
        while (elements.size() <= i && next < paragraphs.size())
            measureNext();
        return i < elements.size();
    }

    // The next paragraphs gathered into an element with its rows; a paragraph that prints
    // nothing makes none.
    void measureNext()
    {
        std::uint32_t i = next;
        const DivType kind = kindOf(i);
        Element e{Type::Action, i, i, {}, speaker};
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
            rowsOf(i, *printedText(i), columnOf(kind, layout), Part::Other, 0, e.rows);
            e.end = ++i;
        }
        next = i;
        if (!e.rows.empty() || e.type == Type::Break)
            elements.push_back(std::move(e));
    }

    // ---- splits ----

    // Whether rows [from, to) of a dialogue speak two lines or more (parentheticals and
    // speeches); it stops at two.
    static bool twoSpoken(const Element& e, std::size_t from, std::size_t to)
    {
        std::size_t count = 0;
        for (std::size_t r = from; r < to && count < 2; ++r)
            count += e.rows[r].part == Part::Parenthetical || e.rows[r].part == Part::Speech;
        return count >= 2;
    }

    // When the page ends after `split` of element e's rows from `begin`: the rows that take
    // the place of rows [begin + split.rows, the index returned), the cut paragraph wrapped
    // anew from the cut until a line starts where one of its old rows did, so that a
    // paragraph of many pages is not wrapped again whole at every page.
    std::size_t rest(const Element& e, std::size_t begin, const Split& split, std::vector<Row>& after) const
    {
        after.clear();
        const Row& last = e.rows[begin + split.rows - 1];
        if (split.cut < last.span.end) {
            std::size_t r = begin + split.rows;
            std::vector<std::uint32_t> starts; // of the first old rows: a new wrap meets the old within a few lines
            for (; r < e.rows.size() && e.rows[r].paragraph == last.paragraph && starts.size() < 64; ++r)
                starts.push_back(e.rows[r].span.begin);
            const std::optional<std::uint32_t> synced =
                rowsOf(last.paragraph, *last.text, columnOf(kindOf(last.paragraph), layout), last.part, split.cut, after, false, starts);
            if (synced) // the old rows of the cut paragraph give way to the new up to there
                r = begin + split.rows + static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(), *synced) - starts.begin());
            else // all of them
                while (r < e.rows.size() && e.rows[r].paragraph == last.paragraph)
                    ++r;
            return r;
        }
        return begin + split.rows; // cut at a row's end: the rows stay
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
                const bool inside = !between && row.sentenceEnd && (!dialogue || (row.part == Part::Speech && threeRows(e, r)));
                const bool keeps = dialogue ? twoSpoken(e, begin, r + 1) && twoSpoken(e, r + 1, n)
                                            : top >= 2 && n - r - 1 >= 2;
                if ((between || inside) && keeps && !(between && !dialogue))
                    take(Split{top, row.span.end, row.sentenceEnd});
            }
            // Within the row, at a sentence's end before a space; the rest wraps anew.
            if (dialogue && (row.part != Part::Speech || !threeRows(e, r)))
                continue;
            const sf::Uint32* text = row.text->getData();
            for (std::uint32_t i = row.span.begin + 1; i < row.span.end; ++i) {
                if (text[i] != ' ' || text[i - 1] == ' ' || !endsSentence(text, row.span.begin, i))
                    continue;
                // What goes over is counted in the lines it held before the cut: the lines
                // after the cut one, as Final Draft counts them.
                const bool keeps = dialogue ? twoSpoken(e, begin, r + 1) && twoSpoken(e, r + 1, n)
                                            : top >= 2 && n - r - 1 >= 2;
                if (keeps)
                    take(Split{top, i, true});
            }
        }
    }

    // Whether the part (paragraph) that row r belongs to has three rows or more; it looks
    // no further than that, so that a long speech costs no more at each of its rows.
    static bool threeRows(const Element& e, std::size_t r)
    {
        std::size_t rows = 1;
        for (std::size_t q = r; q > 0 && rows < 3 && e.rows[q - 1].paragraph == e.rows[r].paragraph; --q)
            ++rows;
        for (std::size_t q = r + 1; q < e.rows.size() && rows < 3 && e.rows[q].paragraph == e.rows[r].paragraph; ++q)
            ++rows;
        return rows >= 3;
    }

    // ---- pages ----

    // Lines an element needs at the foot of a page to begin there (after a heading: all
    // of a short action), and, when it keeps with what follows, that too.
    std::size_t leastStart(std::size_t i, bool afterHeading)
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
    bool keepsWithNext(std::size_t i)
    {
        if (!ensure(i + 1))
            return false;
        return elements[i].type == Type::Heading || (elements[i + 1].type == Type::Transition && elements[i].type != Type::Break);
    }

    void place(std::size_t i)
    {
        placing = i;
        whole = true;
        Element& e = elements[i];
        if (e.type == Type::Break) {
            newPage();
            return;
        }
        const bool afterHeading = this->afterHeading(i);
        std::size_t begin = 0;    // rows placed already
        std::vector<Row> carried; // the rows of a cut paragraph wrapped anew
        bool again = false;       // the cue again at the top, with " (CONT'D)"
        while (true) {
            if (used == 0 && whole && meets(e))
                return;
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
            const std::size_t replaced = rest(e, begin, *split, carried);
            Row& cutRow = e.rows[begin + split->rows - 1];
            const std::uint32_t cutEnd = cutRow.span.end;
            cutRow.span.end = split->cut;
            put(e, begin, begin + split->rows, again, blank);
            cutRow.span.end = cutEnd;
            end(e, begin + split->rows);
            // What goes over takes the place of the old rows it wraps anew; one move of the
            // rows after them at most.
            const auto first = e.rows.begin() + static_cast<std::ptrdiff_t>(begin + split->rows);
            const std::size_t old = replaced - (begin + split->rows);
            const std::size_t same = std::min(old, carried.size());
            std::copy(carried.begin(), carried.begin() + static_cast<std::ptrdiff_t>(same), first);
            if (carried.size() > old)
                e.rows.insert(first + static_cast<std::ptrdiff_t>(old), carried.begin() + static_cast<std::ptrdiff_t>(old), carried.end());
            else
                e.rows.erase(first + static_cast<std::ptrdiff_t>(same), first + static_cast<std::ptrdiff_t>(old));
            begin += split->rows;
            again = e.type == Type::Dialogue && e.cue != none;
        }
    }

    // Whether the element, about to begin a page, begins it where the earlier pages go on;
    // if so pagination stops there.
    bool meets(const Element& e)
    {
        if (!converges || page() == firstPage || !converges({page(), e.first, e.speaker, afterHeading(placing)}))
            return false;
        stopped = true;
        stopAt = e.first;
        stopRow = e.rows.empty() ? std::pair<std::uint32_t, std::uint32_t>(stopAt, 0) : std::pair(e.rows[0].paragraph, e.rows[0].span.begin);
        return true;
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
        if (used == 0 && from < e.rows.size()) {
            if (page() > firstPage) // where this page begins, for the screen
                out.pageStarts.emplace_back(e.rows[from].paragraph, e.rows[from].span.begin);
            if (from == 0 && !again && whole) // a page that begins with the element: the pager may begin again here
                out.checkpoints.push_back({page(), e.first, e.speaker, afterHeading(placing)});
        }
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
            const std::size_t at = e.rows[r].paragraph - base;
            if (at >= pageOf.size())
                pageOf.resize(at + 1, unset);
            if (pageOf[at] == unset)
                pageOf[at] = page();
            if (withLines)
                line(e.rows[r], static_cast<std::int32_t>(used + (pair ? (r < e.right ? r : r - e.right) : r - from)));
        }
        const std::size_t height = pair ? e.height() : to - from;
        if (pair && withLines)
            std::stable_sort(out.pages.back().lines.begin(), out.pages.back().lines.end(),
                             [](const PrintLine& a, const PrintLine& b) { return a.row < b.row; });
        used += height;
        whole = false; // what is put of the element from now on is its rest
    }

    void line(const Row& row, std::int32_t at)
    {
        const Paragraph& paragraph = paragraphs[row.paragraph];
        const DivType kind = paragraph.kind;
        const sf::Uint32* text = row.text->getData();
        PrintLine printed{shownText(kind, sf::String(std::basic_string<sf::Uint32>(text + row.span.begin, text + row.span.end))),
                          row.indent, kind == Scene, row.paragraph, at, {}};
        if (paragraph.styled() && printed.text.getSize() > 0 && row.text == &paragraph.text)
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
    const std::function<bool(const PageCheckpoint&)> converges;
    std::uint32_t next;          // the first paragraph not measured yet
    std::u32string speaker;      // who spoke last in the scene, as measured so far
    std::u32string scratchCue;
    std::uint32_t firstPage;     // the page it begins on
    std::uint32_t base;          // the paragraph it begins with
    bool previousHeading = false; // what came before the first element is a heading
    std::size_t placing = 0;     // the element being placed
    bool whole = true;           // and none of it is on a page yet
    bool stopped = false;
    std::uint32_t stopAt = 0;
    std::pair<std::uint32_t, std::uint32_t> stopRow;
    std::deque<sf::String> continued; // the cues printed with " (CONT'D)"
    std::deque<Element> elements;
    std::vector<std::uint32_t> pageOf; // from `base` on
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

bool printsContinued(const std::vector<Paragraph>& paragraphs, std::size_t i)
{
    const Paragraph& cue = paragraphs[i];
    if (cue.kind != Name || cue.dual || cue.text.find("(") != sf::String::InvalidPos)
        return false;
    auto nameOf = [](const sf::String& text) {
        std::u32string name;
        for (std::size_t k = 0; k < text.getSize() && text[k] != '('; ++k)
            name.push_back(static_cast<char32_t>(shownLetter(Name, text[k])));
        name.erase(name.find_last_not_of(U' ') + 1);
        return name;
    };
    for (std::size_t j = i; j-- > 0;) {
        const Paragraph& before = paragraphs[j];
        if (before.kind == Scene || before.kind == Transition)
            return false;
        if (before.kind == Name)
            return shownText(Name, before.text).find("V.O.") == sf::String::InvalidPos && !nameOf(cue.text).empty() &&
                   nameOf(before.text) == nameOf(cue.text);
    }
    return false;
}

Pagination paginate(const std::vector<Paragraph>& paragraphs, bool withLines, const Layout& layout)
{
    return Pager(paragraphs, withLines, layout).run();
}

Pagination repaginate(const std::vector<Paragraph>& paragraphs, Pagination earlier, std::uint32_t changedFrom,
                      std::uint32_t changedTo, std::int64_t shift, const Layout& layout)
{
    // Back to where the change can reach: the start of the element before it (which it
    // may join, or part from its pair), and of the headings and what else keeps with it.
    std::uint32_t from = std::min<std::uint32_t>(changedFrom, static_cast<std::uint32_t>(paragraphs.size()));
    if (from > 0)
        --from;
    auto reaches = [&](std::uint32_t at) { // whether paragraph at - 1 goes with paragraph at
        const DivType kind = at < paragraphs.size() ? paragraphs[at].kind : None, before = paragraphs[at - 1].kind;
        return kind == Parenthetical || kind == Speech || (kind == Name && paragraphs[at].dual) || kind == Transition ||
               before == Scene || before == Name || paragraphs[at - 1].text.isEmpty();
    };
    while (from > 0 && reaches(from))
        --from;
    const std::uint32_t lastPage = static_cast<std::uint32_t>(std::max<std::size_t>(earlier.pages.size(), 1) - 1);
    const std::uint32_t changedPage = from < earlier.pageOf.size() ? earlier.pageOf[from] : lastPage;
    // Two pages before that: what a page holds never reaches further back than the page before.
    PageCheckpoint start;
    for (const PageCheckpoint& checkpoint : earlier.checkpoints)
        if (checkpoint.page + 2 <= changedPage && checkpoint.paragraph < from)
            start = checkpoint;
    const std::vector<PageCheckpoint>& old = earlier.checkpoints;
    std::size_t match = 0; // the earlier checkpoint it met
    auto converges = [&](const PageCheckpoint& now) {
        if (now.paragraph < changedTo)
            return false;
        const std::int64_t then = static_cast<std::int64_t>(now.paragraph) - shift;
        const auto found = std::lower_bound(old.begin(), old.end(), then, [](const PageCheckpoint& c, std::int64_t p) {
            return static_cast<std::int64_t>(c.paragraph) < p;
        });
        if (found == old.end() || static_cast<std::int64_t>(found->paragraph) != then || found->speaker != now.speaker ||
            found->afterHeading != now.afterHeading)
            return false;
        match = static_cast<std::size_t>(found - old.begin());
        return true;
    };
    Pager pager(paragraphs, false, layout, start, converges);
    Pagination fresh = pager.run();

    Pagination out;
    const std::uint32_t freshEnd = start.page + static_cast<std::uint32_t>(fresh.pages.size()); // the page it stopped at
    std::size_t pages = freshEnd;
    if (pager.stoppedEarly())
        pages += earlier.pages.size() - old[match].page;
    out.pages.resize(pages);
    out.pageOf.assign(earlier.pageOf.begin(), earlier.pageOf.begin() + std::min<std::size_t>(start.paragraph, earlier.pageOf.size()));
    out.pageOf.insert(out.pageOf.end(), fresh.pageOf.begin(), fresh.pageOf.end());
    const std::size_t keptStarts = std::min<std::size_t>(start.page, earlier.pageStarts.size());
    out.pageStarts.assign(earlier.pageStarts.begin(), earlier.pageStarts.begin() + static_cast<std::ptrdiff_t>(keptStarts));
    out.pageStarts.insert(out.pageStarts.end(), fresh.pageStarts.begin(), fresh.pageStarts.end());
    for (const PageCheckpoint& checkpoint : old)
        if (checkpoint.page < start.page)
            out.checkpoints.push_back(checkpoint);
    out.checkpoints.insert(out.checkpoints.end(), fresh.checkpoints.begin(), fresh.checkpoints.end());
    if (pager.stoppedEarly()) { // the earlier pages from there on, renumbered and their paragraphs moved along
        const PageCheckpoint& met = old[match];
        const std::int64_t pageShift = static_cast<std::int64_t>(freshEnd) - met.page;
        for (std::size_t p = met.paragraph; p < earlier.pageOf.size(); ++p)
            out.pageOf.push_back(static_cast<std::uint32_t>(earlier.pageOf[p] + pageShift));
        out.pageStarts.push_back(pager.stopStart());
        for (std::size_t k = met.page; k < earlier.pageStarts.size(); ++k) // page k + 1 began there
            out.pageStarts.emplace_back(static_cast<std::uint32_t>(earlier.pageStarts[k].first + shift), earlier.pageStarts[k].second);
        for (std::size_t k = match; k < old.size(); ++k) {
            PageCheckpoint moved = old[k];
            moved.page = static_cast<std::uint32_t>(moved.page + pageShift);
            moved.paragraph = static_cast<std::uint32_t>(moved.paragraph + shift);
            out.checkpoints.push_back(std::move(moved));
        }
    }
    return out;
}

Pagination paginate(const Script& script, const Layout& layout)
{
    return paginate(script.paragraphs, true, layout);
}
