// The page: the script's paragraphs on the sheet, the caret and the selection across
// them, the keys, the mouse, the clipboard and scrolling.
//
//   layout     line counts, tops and shown lines that follow the script's edits
//   editing    the edits typing, kinds, Enter, Backspace, Delete and the clipboard make
//   caret      placing it, moving it with keys and the mouse, the selection
//   view       scrolling and following the caret
//   drawing    what is in view: bands, text, marks, caret, page ends
#include "editor/Page.hpp"

#include "document/Editing.hpp"
#include "files/Pagination.hpp"
#include "ui/Font.hpp"
#include "ui/TextField.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>

namespace {
const sf::Color sheetColour(255, 255, 255, 255);
const sf::Color caretColour(0, 0, 0, 255);
const sf::Color ghostColour(150, 150, 150, 255);
const sf::Color continuedColour(150, 150, 150, 255); // " (CONT'D)", shown where it prints
const sf::Color bandColour(255, 200, 255, 255);
const sf::Color matchColour(255, 220, 0, 110); // translucent: the letters show through
const sf::Color pageEndColour(170, 170, 170, 255);
const sf::Color waveColour(220, 30, 30, 255);
constexpr float waveStep = 3, waveHeight = 2; // pixels: half a wave across, and its height
constexpr float pageEndDash = 6, pageEndGap = 5; // pixels
constexpr unsigned pageNumberSize = 14;
constexpr std::size_t keptAround = 64;  // paragraphs beyond the view whose shown lines stay
constexpr std::size_t mostLaidOut = 512; // shown lines held before the far ones are dropped

bool movesCaret(sf::Keyboard::Key key)
{
    return key == sf::Keyboard::Left || key == sf::Keyboard::Right || key == sf::Keyboard::Up ||
           key == sf::Keyboard::Down || key == sf::Keyboard::Home || key == sf::Keyboard::End;
}
} // namespace

Page::Page(const sf::RenderTarget& window, Script& script) : Group(window), m_script(&script)
{
    background.setFillColor(sheetColour);
    background.setSize({sheetWidth, 980});
    background.setPosition(sheetLeft, 0);
    reload();
}

// ---- layout ----

void Page::reload()
{
    if (m_script->paragraphs.empty())
        m_script->paragraphs.push_back({Scene, sf::String()});
    m_typingStyle.reset();
    layOutAgain();
    const auto last = static_cast<std::uint32_t>(size() - 1);
    m_caret = m_anchor = {last, static_cast<std::uint32_t>(paragraph(last).text.getSize())};
    m_focused = true;
    m_ghost.clear();
    edits.clear();
}

void Page::layOutAgain()
{
    m_slots.clear();
    m_laidOut = 0;
    m_tops.clear();
    m_bottoms.clear();
    m_reach.clear();
    relayout(0, 0, m_script->paragraphs.size());
}

namespace {
bool isDialogue(DivType kind)
{
    return kind == Name || kind == Parenthetical || kind == Speech;
}
} // namespace

void Page::relayout(std::size_t at, std::size_t removed, std::size_t inserted)
{
    at = std::min(at, m_slots.size());
    removed = std::min(removed, m_slots.size() - at);
    auto forget = [this](Slot& slot) {
        if (slot.shown) {
            slot.shown.reset();
            --m_laidOut;
        }
    };
    if (removed == inserted && m_slots.size() == size()) { // changed in place: restacked only when a place changed
        bool moved = false;
        for (std::size_t i = at; i < at + inserted; ++i) {
            Slot& slot = m_slots[i];
            forget(slot);
            slot.lines = countLines(paragraph(i).text, lineCharsOf(paragraph(i).kind, slot.column));
            moved = moved || m_tops[i] + heightOf(paragraph(i).kind, slot.lines) != m_bottoms[i] ||
                    slot.column != Column::Whole || slot.dual != paragraph(i).dual;
        }
        if (moved)
            restack(at);
        return;
    }
    for (std::size_t i = at; i < at + removed; ++i)
        forget(m_slots[i]);
    m_slots.erase(m_slots.begin() + static_cast<std::ptrdiff_t>(at), m_slots.begin() + static_cast<std::ptrdiff_t>(at + removed));
    std::vector<Slot> fresh(inserted);
    m_slots.insert(m_slots.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
    if (m_slots.size() != size()) { // the script gained its one empty paragraph back
        m_slots.resize(size());
        inserted = size() - at;
    }
    for (std::size_t i = at; i < at + inserted; ++i)
        m_slots[i].lines = countLines(paragraph(i).text, lineCharsOf(paragraph(i).kind));
    for (std::vector<double>* positions : {&m_tops, &m_bottoms, &m_reach}) {
        const std::size_t from = std::min(at, positions->size());
        positions->erase(positions->begin() + static_cast<std::ptrdiff_t>(from),
                         positions->begin() + static_cast<std::ptrdiff_t>(std::min(at + removed, positions->size())));
        positions->insert(positions->begin() + static_cast<std::ptrdiff_t>(from), inserted, 0.0);
        positions->resize(size());
    }
    restack(at);
}

double Page::place(std::size_t i, Column column, double top)
{
    Slot& slot = m_slots[i];
    if (slot.column != column) { // a half of a pair wraps in its own width
        slot.column = column;
        slot.lines = countLines(paragraph(i).text, lineCharsOf(paragraph(i).kind, column));
        if (slot.shown) {
            slot.shown.reset();
            --m_laidOut;
        }
    }
    slot.dual = paragraph(i).dual;
    m_tops[i] = top;
    m_bottoms[i] = top + heightOf(paragraph(i).kind, slot.lines);
    m_reach[i] = std::max(i > 0 ? m_reach[i - 1] : static_cast<double>(firstTop), m_bottoms[i]);
    return m_bottoms[i];
}

// A speech block (a cue, or a part without one, and the parentheticals and speeches
// after it) pairs with the block after it when that one's cue is dual: the first stands
// on the left, the second on the right, both from the same top; what follows goes on
// below the longer.
void Page::restack(std::size_t from)
{
    const std::size_t n = size();
    from = std::min(from, n - 1);
    while (from > 0 && isDialogue(paragraph(from - 1).kind))
        --from;
    double y = from == 0 ? firstTop : m_reach[from - 1];
    const std::vector<Paragraph>& all = m_script->paragraphs;
    for (std::size_t i = from; i < n;) {
        if (!isDialogue(paragraph(i).kind)) {
            y = place(i++, Column::Whole, y);
            continue;
        }
        const std::size_t end = speechBlockEnd(all, i);
        if (pairsWithNext(all, end)) {
            const std::size_t second = speechBlockEnd(all, end);
            double left = y, right = y;
            for (; i < end; ++i)
                left = place(i, Column::Left, left);
            for (; i < second; ++i)
                right = place(i, Column::Right, right);
            y = std::max(left, right);
        } else {
            for (; i < end; ++i)
                y = place(i, Column::Whole, y);
        }
    }
}

const ShownParagraph& Page::shown(std::size_t i) const
{
    const Slot& slot = m_slots[i];
    if (!slot.shown) {
        slot.shown = std::make_unique<ShownParagraph>(paragraph(i), slot.column);
        ++m_laidOut;
    }
    return *slot.shown;
}

void Page::dropFarLayouts(std::size_t first, std::size_t last) const
{
    if (m_laidOut <= mostLaidOut)
        return;
    const std::size_t from = first > keptAround ? first - keptAround : 0, to = last + keptAround;
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].shown && (i < from || i >= to) && i != m_caret.paragraph && i != m_anchor.paragraph) {
            m_slots[i].shown.reset();
            --m_laidOut;
        }
}

// ---- editing ----

void Page::make(ScriptEdit change)
{
    applyEdit(m_script->paragraphs, change);
    relayout(change.at, change.before.size(), change.after.size());
    edits.push_back(std::move(change));
}

void Page::edit(const ScriptEdit& change)
{
    make(change);
    m_caret = m_anchor = change.caretAfter;
    m_caret.paragraph = m_anchor.paragraph = std::min<std::uint32_t>(m_caret.paragraph, static_cast<std::uint32_t>(size() - 1));
}

void Page::apply(const ScriptEdit& change, bool undo)
{
    applyEdit(m_script->paragraphs, change, undo);
    relayout(change.at, undo ? change.after.size() : change.before.size(), undo ? change.before.size() : change.after.size());
    m_caret.paragraph = std::min<std::uint32_t>(m_caret.paragraph, static_cast<std::uint32_t>(size() - 1));
    m_caret.index = std::min<std::uint32_t>(m_caret.index, static_cast<std::uint32_t>(currentParagraph().text.getSize()));
    m_anchor = m_caret;
}

void Page::changeText(Paragraph changed, std::uint32_t index)
{
    const Caret before = m_caret;
    m_caret.index = index;
    m_anchor = m_caret;
    make({before.paragraph, {currentParagraph()}, {std::move(changed)}, before, m_caret});
}

void Page::addParagraph(DivType kind)
{
    const Caret before = m_caret;
    const std::uint32_t at = m_caret.paragraph + 1;
    m_caret = m_anchor = {at, 0};
    make({at, {}, {{kind, sf::String()}}, before, m_caret});
}

void Page::setKind(std::int32_t kind, bool around)
{
    m_focused = true;
    const Paragraph& was = currentParagraph();
    Paragraph now = was;
    now.kind = static_cast<DivType>(kind);
    now.dual = was.dual && kind == Name;
    std::uint32_t index = m_caret.index;
    const bool wrapped = was.text.getSize() >= 2 && was.text[0] == '(' && was.text[was.text.getSize() - 1] == ')';
    if (kind == Parenthetical && was.text.isEmpty()) {
        insertText(now, 0, "()", typingStyle());
        index = 1;
    } else if (kind == Parenthetical && around && !wrapped) {
        insertText(now, now.text.getSize(), ")", was.styleAt(was.text.getSize() - 1));
        insertText(now, 0, "(", was.styleAt(0));
        index += 1;
    } else if (kind != Parenthetical && was.kind == Parenthetical && was.text == "()") {
        eraseText(now, 0, 2);
        index = 0;
    }
    if (now == was)
        return;
    const Caret before = m_caret;
    if (now.text != was.text)
        m_anchor = m_caret = {m_caret.paragraph, index};
    make({before.paragraph, {was}, {std::move(now)}, before, m_caret});
}

void Page::deleteCurrentIfEmpty()
{
    if (m_caret.paragraph == 0 || !currentParagraph().text.isEmpty() || hasSelection())
        return;
    const Caret before = m_caret;
    const Paragraph gone = currentParagraph();
    const std::uint32_t above = m_caret.paragraph - 1;
    m_caret = m_anchor = {above, static_cast<std::uint32_t>(paragraph(above).text.getSize())};
    make({before.paragraph, {gone}, {}, before, m_caret});
}

void Page::replaceSelection(const std::vector<Paragraph>& pieces)
{
    const auto [from, to] = selection();
    ScriptEdit change = replacement(m_script->paragraphs, from, to, pieces, m_caret);
    m_caret = m_anchor = change.caretAfter;
    make(std::move(change));
}

// With nothing selected the clipboard keeps what the writer put there.
void Page::copy()
{
    if (hasSelection())
        clipboard.put(selectedPieces());
}

void Page::cut()
{
    if (!hasSelection())
        return;
    clipboard.put(selectedPieces());
    replaceSelection({});
}

void Page::paste()
{
    const std::vector<Paragraph> pieces = clipboard.take(&refusedPaste);
    if (!pieces.empty())
        replaceSelection(pieces);
}

std::uint8_t Page::typingStyle() const
{
    if (m_typingStyle && m_typingAt == m_caret)
        return *m_typingStyle;
    const Paragraph& here = currentParagraph();
    return here.styleAt(m_caret.index > 0 ? m_caret.index - 1 : 0); // the letter before, or at the start the first
}

void Page::toggleStyle(std::uint8_t bits)
{
    if (!hasSelection()) {
        m_typingStyle = static_cast<std::uint8_t>(typingStyle() ^ bits);
        m_typingAt = m_caret;
        return;
    }
    const Caret from = selection().first, to = selection().second; // named, so that the lambda may take them
    auto stretch = [&](std::uint32_t i) {
        return std::pair<std::size_t, std::size_t>(i == from.paragraph ? from.index : 0,
                                                   i == to.paragraph ? to.index : paragraph(i).text.getSize());
    };
    bool all = true;
    for (std::uint32_t i = from.paragraph; i <= to.paragraph; ++i) {
        const auto [a, b] = stretch(i);
        all = all && (a >= b || hasStyle(paragraph(i), a, b, bits));
    }
    ScriptEdit change{from.paragraph, {}, {}, m_caret, m_caret};
    for (std::uint32_t i = from.paragraph; i <= to.paragraph; ++i) {
        const auto [a, b] = stretch(i);
        Paragraph styled = paragraph(i);
        setStyle(styled, a, b, bits, !all);
        change.before.push_back(paragraph(i));
        change.after.push_back(std::move(styled));
    }
    if (change.before != change.after)
        make(std::move(change));
}

void Page::toggleDual()
{
    auto inBlock = [this](std::size_t i) { return paragraph(i).kind == Parenthetical || paragraph(i).kind == Speech; };
    std::size_t cue = m_caret.paragraph;
    while (cue > 0 && inBlock(cue))
        --cue;
    if (paragraph(cue).kind != Name)
        return; // not in a speech block
    Paragraph changed = paragraph(cue);
    if (!changed.dual) {
        // It pairs with the block just before, which must be a speech block of its own and
        // not the second half of a pair already.
        if (cue == 0 || !inBlock(cue - 1))
            return;
        std::size_t before = cue - 1;
        while (before > 0 && inBlock(before))
            --before;
        if (paragraph(before).kind == Name && paragraph(before).dual)
            return;
    }
    changed.dual = !changed.dual;
    make({static_cast<std::uint32_t>(cue), {paragraph(cue)}, {std::move(changed)}, m_caret, m_caret});
}

void Page::onTextEntered(sf::Uint32 code)
{
    if (!m_focused || dragging)
        return;
    if (code != 8 && (!TextField::isText(code) || currentParagraph().kind == PageBreak))
        return; // a page break holds no text
    if (hasSelection() && m_anchor.paragraph != m_caret.paragraph) {
        replaceSelection(code == 8 ? std::vector<Paragraph>{} : std::vector<Paragraph>{{None, sf::String(code)}});
        return;
    }
    const std::uint8_t style = typingStyle();
    Paragraph changed = currentParagraph();
    std::uint32_t index = m_caret.index;
    if (hasSelection()) {
        const auto [from, to] = selection();
        eraseText(changed, from.index, to.index);
        index = from.index;
    } else if (code == 8) {
        if (index == 0)
            return;
        --index;
        eraseText(changed, index, index + 1);
    }
    if (code != 8) {
        // A ")" typed just before the closing ")" of a parenthetical steps over it.
        if (code == ')' && changed.kind == Parenthetical && index < changed.text.getSize() && changed.text[index] == ')')
            ++index;
        else
            insertText(changed, index++, sf::String(code), style);
    }
    if (changed == currentParagraph()) {
        m_caret.index = m_anchor.index = index;
        m_anchor.paragraph = m_caret.paragraph;
        return;
    }
    changeText(std::move(changed), index);
}

// Delete takes a selection across paragraphs as Backspace would, an empty paragraph (the
// caret going to the next one when it was the first), or the character after the caret.
void Page::onDelete()
{
    if (hasSelection() && m_anchor.paragraph != m_caret.paragraph) {
        replaceSelection({});
        return;
    }
    const Paragraph& here = currentParagraph();
    if (!hasSelection() && here.text.isEmpty() && size() > 1) {
        if (m_caret.paragraph > 0) {
            deleteCurrentIfEmpty();
            return;
        }
        const Caret before = m_caret;
        m_caret = m_anchor = {0, 0};
        make({0, {here}, {}, before, m_caret});
        return;
    }
    Paragraph changed = here;
    std::uint32_t index = m_caret.index;
    if (hasSelection()) {
        const auto [from, to] = selection();
        eraseText(changed, from.index, to.index);
        index = from.index;
    } else if (index < changed.text.getSize()) {
        eraseText(changed, index, index + 1);
    } else {
        return;
    }
    changeText(std::move(changed), index);
}

// ---- caret ----

void Page::placeCaret(Caret at, bool extend)
{
    at.paragraph = std::min<std::uint32_t>(at.paragraph, static_cast<std::uint32_t>(size() - 1));
    at.index = std::min<std::uint32_t>(at.index, static_cast<std::uint32_t>(paragraph(at.paragraph).text.getSize()));
    m_caret = at;
    if (!extend)
        m_anchor = at;
    m_focused = true;
}

std::pair<Caret, Caret> Page::selection() const
{
    return m_anchor < m_caret ? std::pair{m_anchor, m_caret} : std::pair{m_caret, m_anchor};
}

void Page::selectAll()
{
    m_anchor = {0, 0};
    const auto last = static_cast<std::uint32_t>(size() - 1);
    m_caret = {last, static_cast<std::uint32_t>(paragraph(last).text.getSize())};
    m_focused = true;
}

std::vector<Paragraph> Page::selectedPieces() const
{
    const auto [from, to] = selection();
    return piecesBetween(m_script->paragraphs, from, to);
}

void Page::unfocus()
{
    m_focused = false;
    collapseSelection();
}

void Page::blur()
{
    m_focused = false;
}

Page::Point Page::caretPoint() const
{
    const sf::Vector2f at = shown(m_caret.paragraph).caretPoint(m_caret.index);
    return {at.x, paragraphTop(m_caret.paragraph) + at.y};
}

// Up and Down move by a line's capacity of characters; Home and End go to the ends of
// the caret's line.
Caret Page::moved(sf::Keyboard::Key key) const
{
    const std::uint32_t length = static_cast<std::uint32_t>(currentParagraph().text.getSize());
    const std::uint32_t lineChars = lineCharsOf(currentParagraph().kind);
    const std::uint32_t last = static_cast<std::uint32_t>(size() - 1);
    Caret at = m_caret;
    auto previousEnd = [&] {
        if (at.paragraph > 0)
            at = {at.paragraph - 1, static_cast<std::uint32_t>(paragraph(at.paragraph - 1).text.getSize())};
    };
    auto nextStart = [&] {
        if (at.paragraph < last)
            at = {at.paragraph + 1, 0};
    };
    switch (key) {
    case sf::Keyboard::Left:
        if (at.index == 0)
            previousEnd();
        else
            --at.index;
        break;
    case sf::Keyboard::Right:
        if (at.index == length)
            nextStart();
        else
            ++at.index;
        break;
    case sf::Keyboard::Up:
        if (at.index < lineChars)
            previousEnd();
        else
            at.index -= lineChars;
        break;
    case sf::Keyboard::Down:
        if (at.index + lineChars >= length)
            nextStart();
        else
            at.index += lineChars;
        break;
    case sf::Keyboard::Home:
    case sf::Keyboard::End: {
        const Wrap& wrap = shown(at.paragraph).wrap;
        const std::size_t row = wrap.rowOf(at.index);
        at.index = wrap.lineStart(row) + (key == sf::Keyboard::End ? wrap.shownCells(row) : 0);
        break;
    }
    default:
        break;
    }
    return at;
}

void Page::onMovingKey(const sf::Event::KeyEvent& key)
{
    if (!key.shift && hasSelection())
        collapseSelection();
    m_caret = moved(key.code);
    if (!key.shift)
        m_anchor = m_caret;
}

std::uint32_t Page::paragraphNear(float x, double y) const
{
    // The first paragraph reaching below y, or the last.
    const auto below = std::upper_bound(m_reach.begin(), m_reach.end(), y);
    const std::size_t i = std::min(static_cast<std::size_t>(below - m_reach.begin()), size() - 1);
    if (columnOf(i) == Column::Whole)
        return static_cast<std::uint32_t>(i);
    // In a pair: on the point's side, the paragraph at y or the nearest of that side.
    std::size_t first = i, end = i;
    while (first > 0 && columnOf(first - 1) != Column::Whole)
        --first;
    while (end < size() && columnOf(end) != Column::Whole)
        ++end;
    const Column side = x < Sheet::left + Sheet::width / 2 ? Column::Left : Column::Right;
    std::size_t found = size();
    for (std::size_t k = first; k < end; ++k)
        if (columnOf(k) == side && (found == size() || m_tops[k] <= y))
            found = k;
    return static_cast<std::uint32_t>(found == size() ? i : found);
}

void Page::moveCaretTo(float x, double y)
{
    const std::uint32_t near = paragraphNear(x, y);
    const double top = paragraphTop(near);
    m_caret = {near, shown(near).indexAt(x, static_cast<float>(std::max(y, top) - top))};
    m_focused = true;
}

Page::Point Page::toScript(int x, int y) const
{
    const sf::Vector2f p = toView(x, y);
    return {p.x, p.y + m_viewTop};
}

// A press of the left button in a paragraph puts the caret there; one on the sheet that
// misses every paragraph goes to the nearest end of the script. With Shift held the
// selection stretches to the press. A press off the sheet takes the keys from it.
std::optional<Caret> Page::textAt(int windowX, int windowY) const
{
    const sf::Vector2f p = toView(windowX, windowY);
    const double at = p.y + m_viewTop;
    const std::uint32_t near = paragraphNear(p.x, at);
    if (!background.getGlobalBounds().contains(p) || at < paragraphTop(near) || at >= paragraphBottom(near))
        return std::nullopt;
    return Caret{near, shown(near).indexAt(p.x, static_cast<float>(at - paragraphTop(near)))};
}

sf::Vector2f Page::pointInView(Caret at) const
{
    const sf::Vector2f point = shown(at.paragraph).caretPoint(at.index);
    return {point.x, static_cast<float>(paragraphTop(at.paragraph) - m_viewTop) + point.y};
}

void Page::onMousePressed(const sf::Event::MouseButtonEvent& press)
{
    if (press.button != sf::Mouse::Left)
        return;
    const sf::Vector2f p = toView(press.x, press.y);
    const sf::FloatRect sheet = background.getGlobalBounds();
    const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
    if (x < sheet.left || x >= sheet.left + sheet.width || y < sheet.top || y >= sheet.top + sheet.height) {
        unfocus();
        return;
    }
    const bool extend = shiftHeld && m_focused;
    const double at = y + m_viewTop;
    const std::uint32_t near = paragraphNear(p.x, at);
    if (at >= paragraphTop(near) && at < paragraphBottom(near))
        m_caret = {near, shown(near).indexAt(static_cast<float>(x), static_cast<float>(at - paragraphTop(near)))};
    else if (at < paragraphTop(0))
        m_caret = {0, 0};
    else
        m_caret = {near, static_cast<std::uint32_t>(paragraph(near).text.getSize())};
    m_focused = true;
    if (!extend)
        m_anchor = m_caret;
    dragging = true;
}

// A drag carries the caret to the place under the pointer, in whichever paragraph.
void Page::onMouseMoved(const sf::Event::MouseMoveEvent& move)
{
    if (!dragging)
        return;
    const Point p = toScript(move.x, move.y);
    moveCaretTo(static_cast<float>(p.x), p.y);
}

// The release ends the drag where the last move left it.
void Page::onMouseReleased(const sf::Event::MouseButtonEvent& release)
{
    if (release.button == sf::Mouse::Left)
        dragging = false;
}

void Page::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    switch (event.type) {
    case sf::Event::Resized:
        recentre(event.size.width, event.size.height);
        background.setSize({sheetWidth, static_cast<float>(event.size.height)});
        m_viewTop = 0;
        break;
    case sf::Event::MouseWheelScrolled:
        scrollTo(m_viewTop + std::floor(-wheelStep * event.mouseWheelScroll.delta));
        break;
    case sf::Event::MouseButtonPressed:
        onMousePressed(event.mouseButton);
        break;
    case sf::Event::MouseMoved:
        onMouseMoved(event.mouseMove);
        break;
    case sf::Event::MouseButtonReleased:
        onMouseReleased(event.mouseButton);
        break;
    case sf::Event::KeyPressed:
        onKeyPressed(event.key);
        break;
    case sf::Event::TextEntered:
        onTextEntered(event.text.unicode);
        break;
    default:
        break;
    }
}

// Keys act only while the sheet has them and no drag is under way. The App reports the
// left Control key in `key.control`; Control with Home and End is the App's.
void Page::onKeyPressed(const sf::Event::KeyEvent& key)
{
    if (!m_focused || dragging)
        return;
    if (key.control) {
        if (key.code == sf::Keyboard::C)
            copy();
        else if (key.code == sf::Keyboard::X)
            cut();
        else if (key.code == sf::Keyboard::V)
            paste();
        else if (key.code == sf::Keyboard::A)
            selectAll();
        else if (movesCaret(key.code) && key.code != sf::Keyboard::Home && key.code != sf::Keyboard::End)
            onMovingKey(key);
        return;
    }
    if (key.code == sf::Keyboard::PageDown || key.code == sf::Keyboard::PageUp) {
        const double step = viewHeight() - 2 * Sheet::lineHeight;
        const double by = key.code == sf::Keyboard::PageDown ? step : -step;
        const Point at = caretPoint();
        scrollTo(m_viewTop + by);
        moveCaretTo(static_cast<float>(at.x), at.y + by + Sheet::lineHeight / 2);
        if (!key.shift)
            m_anchor = m_caret;
    } else if (key.code == sf::Keyboard::Delete) {
        onDelete();
    } else if (movesCaret(key.code)) {
        onMovingKey(key);
    }
}

// ---- view ----

void Page::scrollTo(double top)
{
    m_viewTop = std::max<double>(-topRoom, std::floor(top));
}

void Page::showCaret(float insetTop)
{
    const double lineTop = std::floor(caretPoint().y);
    const double top = scrollToShow(m_viewTop, viewHeight(), lineTop, lineTop + Sheet::lineHeight, insetTop,
                                    2 * Sheet::lineHeight, -topRoom);
    if (top != m_viewTop)
        scrollTo(top);
}

void Page::resetView()
{
    m_viewTop = 0;
}

double scrollToShow(double viewTop, double viewHeight, double lineTop, double lineBottom, double insetTop, double margin,
                    double highest)
{
    double top = viewTop;
    if (lineBottom + margin > viewTop + viewHeight)
        top = lineBottom + margin - viewHeight;
    if (lineTop - margin < top + insetTop) // a window too short for both shows the line's top
        top = lineTop - margin - insetTop;
    return std::max(highest, top);
}

// ---- drawing ----

// Draws only the paragraphs that reach into the view; they are stacked in order.
void Page::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!visible)
        return;
    target.setView(view);
    target.draw(background);
    const double bottom = m_viewTop + viewHeight();
    // The first paragraph reaching the view's top, then on until one of the whole width
    // begins below it: a half of a pair may stand in view beside one that does not.
    const std::size_t first = static_cast<std::size_t>(std::lower_bound(m_reach.begin(), m_reach.end(), m_viewTop) - m_reach.begin());
    std::size_t last = first;
    for (; last < size() && (m_tops[last] <= bottom || columnOf(last) != Column::Whole); ++last)
        if (m_tops[last] <= bottom && m_bottoms[last] >= m_viewTop)
            drawParagraph(target, last, static_cast<float>(m_tops[last] - m_viewTop));
    sf::RectangleShape mark;
    mark.setFillColor(matchColour);
    auto match = std::lower_bound(matches.begin(), matches.end(), first,
                                  [](const Match& m, std::size_t paragraph) { return m.text < paragraph; });
    for (; match != matches.end() && match->text < last; ++match)
        for (const sf::FloatRect& band : shown(match->text).bands(match->begin, match->end)) {
            mark.setPosition(band.left, band.top + static_cast<float>(m_tops[match->text] - m_viewTop));
            mark.setSize({band.width, band.height});
            target.draw(mark);
        }
    drawPageEnds(target, first, last);
    dropFarLayouts(first, last);
}

void Page::drawParagraph(sf::RenderTarget& target, std::size_t i, float y) const
{
    const ShownParagraph& lines = shown(i);
    sf::RenderStates at;
    at.transform.translate(0, y);
    const auto [from, to] = selection();
    if (hasSelection() && i >= from.paragraph && i <= to.paragraph) {
        sf::RectangleShape band;
        band.setFillColor(bandColour);
        const std::size_t a = i == from.paragraph ? from.index : 0, b = i == to.paragraph ? to.index : lines.length;
        for (const sf::FloatRect& rect : lines.bands(a, b)) {
            band.setPosition(rect.left, rect.top);
            band.setSize({rect.width, rect.height});
            target.draw(band, at);
        }
    }
    target.draw(lines, at);
    if (misspelled)
        drawWaves(target, lines, misspelled(i), at);
    if (lines.kind == Name && appFace(layoutOf(Name).bold, false) && printsContinued(m_script->paragraphs, i)) {
        sf::Text continued(" (CONT'D)", *appFace(layoutOf(Name).bold, false), Sheet::characterSize);
        continued.setFillColor(continuedColour);
        continued.setPosition(lines.caretPoint(lines.length));
        target.draw(continued, at);
    }
    if (i != m_caret.paragraph || !m_focused)
        return;
    const sf::Vector2f caret = lines.caretPoint(m_caret.index);
    if (!m_ghost.isEmpty() && appFace(layoutOf(lines.kind).bold, false)) {
        sf::Text ghost(m_ghost, *appFace(layoutOf(lines.kind).bold, false), Sheet::characterSize);
        ghost.setFillColor(ghostColour);
        ghost.setPosition(caret);
        target.draw(ghost, at);
    }
    sf::RectangleShape bar({1, 20});
    bar.setFillColor(caretColour);
    bar.setPosition(caret);
    target.draw(bar, at);
}

// A red wave under each word, a line of it for each line the word shows on.
void Page::drawWaves(sf::RenderTarget& target, const ShownParagraph& lines, const std::vector<WordSpan>& words,
                     const sf::RenderStates& at) const
{
    if (words.empty())
        return;
    sf::VertexArray wave(sf::Lines);
    for (const WordSpan& word : words)
        for (const sf::FloatRect& band : lines.bands(word.begin, word.end)) {
            const float y = band.top + band.height - 1;
            for (float x = band.left; x + waveStep <= band.left + band.width; x += waveStep) {
                const bool up = static_cast<int>((x - band.left) / waveStep) % 2 == 0;
                wave.append(sf::Vertex({x, up ? y : y - waveHeight}, waveColour));
                wave.append(sf::Vertex({x + waveStep, up ? y - waveHeight : y}, waveColour));
            }
        }
    target.draw(wave, at);
}

std::vector<Page::PageEnd> Page::pageEnds(std::size_t first, std::size_t last) const
{
    std::vector<PageEnd> ends;
    const auto start = std::lower_bound(printedStarts.begin(), printedStarts.end(), std::pair<std::uint32_t, std::uint32_t>(first, 0));
    for (auto it = start; it != printedStarts.end() && it->first < last && it->first < size(); ++it) {
        const auto [at, index] = *it;
        double y = paragraphTop(at) + std::floor(shown(at).lineTop(index) + 1);
        if (index == 0) {
            const double gapTop = at > 0 ? paragraphBottom(at - 1) - layoutOf(paragraph(at - 1).kind).marginBottom : paragraphTop(at);
            y = std::floor((gapTop + paragraphTop(at) + layoutOf(paragraph(at).kind).marginTop) / 2);
        }
        ends.push_back({y, static_cast<std::uint32_t>(it - printedStarts.begin() + 2)});
    }
    return ends;
}

void Page::drawPageEnds(sf::RenderTarget& target, std::size_t first, std::size_t last) const
{
    const std::vector<PageEnd> ends = pageEnds(first, last);
    if (!appFont || ends.empty())
        return;
    sf::VertexArray dashes(sf::Quads); // every dash of every line in one draw
    sf::Text number("", *appFont, pageNumberSize);
    number.setFillColor(pageEndColour);
    const float left = sheetLeft + 10, right = sheetLeft + sheetWidth - 10;
    for (const PageEnd& end : ends) {
        const float y = static_cast<float>(end.y - m_viewTop);
        for (float x = left; x + pageEndDash <= right; x += pageEndDash + pageEndGap)
            for (const sf::Vector2f corner : {sf::Vector2f(x, y), sf::Vector2f(x + pageEndDash, y),
                                              sf::Vector2f(x + pageEndDash, y + 1), sf::Vector2f(x, y + 1)})
                dashes.append(sf::Vertex(corner, pageEndColour));
        number.setString(std::to_string(end.page) + ".");
        number.setPosition(std::floor(right - 4 - number.getLocalBounds().width), y - pageNumberSize - 3);
        target.draw(number);
    }
    target.draw(dashes);
}
