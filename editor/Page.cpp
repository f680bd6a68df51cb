// The page: its paragraphs, the caret and the selection across them, the mouse on the
// sheet, the clipboard and scrolling.
#include "editor/Page.hpp"

#include "editor/KindLayout.hpp"
#include "editor/SheetMarks.hpp"
#include "ui/Font.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace {
const sf::Color sheetColour(255, 255, 255, 255);

bool before(const Caret& a, const Caret& b)
{
    return a.paragraph < b.paragraph || (a.paragraph == b.paragraph && a.index < b.index);
}

bool movesCaret(sf::Keyboard::Key key)
{
    return key == sf::Keyboard::Left || key == sf::Keyboard::Right || key == sf::Keyboard::Up ||
           key == sf::Keyboard::Down || key == sf::Keyboard::Home || key == sf::Keyboard::End;
}
} // namespace

Page::Page(const sf::RenderTarget& window) : Group(window)
{
    background.setFillColor(sheetColour);
    background.setSize({sheetWidth, 980});
    placeSheet();
}

void Page::addParagraph(DivType kind)
{
    const Caret before = paragraphs.empty() ? Caret() : caret();
    if (!paragraphs.empty())
        ++current;
    paragraphs.insert(paragraphs.begin() + current, makeParagraph({kind, sf::String()}));
    relayout();
    focusCurrent();
    collapseSelection();
    record(current, {}, {paragraphAt(current)}, before);
}

// A paragraph editor laid out for its kind, holding the text as it is, its caret at the end.
DivEditor Page::makeParagraph(const Paragraph& content)
{
    DivEditor paragraph;
    paragraph.bind(*window, view);
    paragraph.rect.left = sheetLeft;
    paragraph.rect.top = firstTop;
    paragraph.display.setPosition(sheetLeft, firstTop);
    paragraph.setCursor(0);
    paragraph.setSize(sheetWidth, 0);
    paragraph.kind = content.kind;
    applyKind(paragraph, content.kind);
    if (!content.text.isEmpty())
        paragraph.setText(content.text);
    return paragraph;
}

std::vector<Paragraph> Page::contents() const
{
    std::vector<Paragraph> out;
    out.reserve(paragraphs.size());
    for (const DivEditor& paragraph : paragraphs)
        out.push_back({paragraph.kind, paragraph.text});
    return out;
}

void Page::load(const std::vector<Paragraph>& contents)
{
    paragraphs.clear();
    paragraphs.reserve(std::max<std::size_t>(contents.size(), 1));
    for (const Paragraph& content : contents)
        paragraphs.push_back(makeParagraph(content));
    if (paragraphs.empty())
        paragraphs.push_back(makeParagraph({Scene, sf::String()}));
    current = static_cast<std::uint32_t>(paragraphs.size() - 1);
    bandsFrom = bandsTo = 0;
    relayout();
    focusCurrent();
    anchor = caret();
    edits.clear();
}

void Page::apply(const ScriptEdit& edit, bool undo)
{
    const std::vector<Paragraph>& removed = undo ? edit.after : edit.before;
    const std::vector<Paragraph>& inserted = undo ? edit.before : edit.after;
    const auto at = paragraphs.begin() + std::min<std::size_t>(edit.at, paragraphs.size());
    const auto end = at + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(removed.size()), paragraphs.end() - at);
    const auto place = paragraphs.erase(at, end) - paragraphs.begin();
    std::vector<DivEditor> fresh;
    fresh.reserve(inserted.size());
    for (const Paragraph& content : inserted)
        fresh.push_back(makeParagraph(content));
    paragraphs.insert(paragraphs.begin() + place, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    if (paragraphs.empty())
        paragraphs.push_back(makeParagraph({Scene, sf::String()}));
    current = std::min<std::uint32_t>(current, static_cast<std::uint32_t>(paragraphs.size() - 1));
    bandsFrom = bandsTo = 0; // the paragraphs that showed bands are new ones now
}

void Page::placeCaret(Caret at, bool extend)
{
    const Caret from = anchor;
    current = std::min<std::uint32_t>(at.paragraph, static_cast<std::uint32_t>(paragraphs.size() - 1));
    relayout();
    currentParagraph().setCursor(at.index);
    focusCurrent();
    anchor = extend ? from : caret();
    showSelection();
}

void Page::setKind(std::int32_t kind)
{
    const Caret caretBefore = caret();
    const Paragraph before = paragraphAt(current);
    DivEditor& paragraph = currentParagraph();
    if (kind == Parenthetical && paragraph.text.isEmpty()) {
        paragraph.text = "()";
        paragraph.cursor = 1;
    } else if (kind != Parenthetical && paragraph.kind == Parenthetical && paragraph.text == "()") {
        paragraph.text.clear();
        paragraph.cursor = 0;
    }
    applyKind(paragraph, kind);
    paragraph.kind = static_cast<DivType>(kind);
    paragraph.focused = true;
    relayout();
    if (paragraph.text != before.text)
        anchor = caret();
    showSelection();
    if (paragraphAt(current) != before)
        record(current, {before}, {paragraphAt(current)}, caretBefore);
}

void Page::deleteCurrentIfEmpty()
{
    if (current == 0 || !paragraphs[current].text.isEmpty() || hasSelection())
        return;
    const Caret caretBefore = caret();
    const Paragraph removed = paragraphAt(current);
    --current;
    focusCurrent();
    paragraphs.erase(paragraphs.begin() + current + 1);
    DivEditor& above = currentParagraph();
    above.setCursor(above.text.getSize());
    relayout();
    collapseSelection();
    record(current + 1, {removed}, {}, caretBefore);
}

void Page::record(std::uint32_t at, std::vector<Paragraph> before, std::vector<Paragraph> after, Caret caretBefore)
{
    edits.push_back({at, std::move(before), std::move(after), caretBefore, caret()});
}

void Page::clearParagraphs()
{
    paragraphs.clear();
    current = 0;
    anchor = {};
    bandsFrom = bandsTo = 0;
}

void Page::focusCurrent()
{
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i == current)
            paragraphs[i].focused = true;
        else if (paragraphs[i].focused || paragraphs[i].hasSelection())
            paragraphs[i].clearFocus();
    }
}

void Page::unfocus()
{
    for (DivEditor& paragraph : paragraphs)
        paragraph.clearFocus();
    anchor = caret();
    bandsFrom = bandsTo = 0;
}

void Page::relayout()
{
    float y = firstTop;
    for (DivEditor& paragraph : paragraphs) {
        paragraph.placeAt(y);
        y += paragraph.rect.height;
    }
}

void Page::collapseSelection()
{
    anchor = caret();
    showSelection();
}

void Page::showSelection()
{
    for (std::uint32_t i = bandsFrom; i < bandsTo && i < paragraphs.size(); ++i)
        paragraphs[i].select(paragraphs[i].cursor, paragraphs[i].cursor);
    bandsFrom = bandsTo = 0;
    currentParagraph().select(currentParagraph().cursor, currentParagraph().cursor);
    if (anchor == caret() || anchor.paragraph >= paragraphs.size())
        return;
    Caret from = anchor, to = caret();
    if (before(to, from))
        std::swap(from, to);
    for (std::uint32_t i = from.paragraph; i <= to.paragraph && i < paragraphs.size(); ++i) {
        DivEditor& paragraph = paragraphs[i];
        paragraph.select(i == from.paragraph ? from.index : 0, i == to.paragraph ? to.index : paragraph.text.getSize());
    }
    bandsFrom = from.paragraph;
    bandsTo = to.paragraph + 1;
}

bool Page::hasSelection() const
{
    return anchor.paragraph != current ? anchor.paragraph < paragraphs.size() : currentParagraph().hasSelection();
}

std::pair<Caret, Caret> Page::selectionRange() const
{
    if (anchor.paragraph == current || anchor.paragraph >= paragraphs.size())
        return {{current, currentParagraph().selectionBegin()}, {current, currentParagraph().selectionEnd()}};
    return before(anchor, caret()) ? std::pair{anchor, caret()} : std::pair{caret(), anchor};
}

void Page::selectAll()
{
    anchor = {0, 0};
    current = static_cast<std::uint32_t>(paragraphs.size() - 1);
    currentParagraph().setCursor(currentParagraph().text.getSize());
    focusCurrent();
    showSelection();
}

std::vector<Paragraph> Page::selectedPieces() const
{
    const auto [from, to] = selectionRange();
    std::vector<Paragraph> pieces;
    for (std::uint32_t i = from.paragraph; i <= to.paragraph && i < paragraphs.size(); ++i) {
        const DivEditor& paragraph = paragraphs[i];
        const std::size_t a = i == from.paragraph ? from.index : 0;
        const std::size_t b = i == to.paragraph ? to.index : paragraph.text.getSize();
        pieces.push_back({paragraph.kind, shownText(paragraph.kind, paragraph.text.substring(a, b - a))});
    }
    return pieces;
}

void Page::replaceSelection(const std::vector<Paragraph>& pieces)
{
    const auto [from, to] = selectionRange();
    const Caret caretBefore = caret();
    const DivEditor& first = paragraphs[from.paragraph];
    const DivEditor& last = paragraphs[to.paragraph];
    const Paragraph head{first.kind, first.text.substring(0, from.index)};
    const Paragraph tail{last.kind, last.text.substring(to.index)};
    std::vector<Paragraph> given = pieces.empty() ? std::vector<Paragraph>{{None, sf::String()}} : pieces;
    // A joined paragraph takes the kind of its first part with text, else the place's kind.
    auto join = [](const Paragraph& a, const Paragraph& b, DivType otherwise) {
        const DivType kind = !a.text.isEmpty() && a.kind != None ? a.kind
                             : !b.text.isEmpty() && b.kind != None ? b.kind
                                                                  : otherwise;
        return Paragraph{kind, a.text + b.text};
    };
    std::vector<Paragraph> result;
    if (given.size() == 1) {
        result.push_back(join(join(head, given[0], head.kind), tail, head.kind));
        if (head.text.isEmpty() && given[0].text.isEmpty() && !tail.text.isEmpty())
            result[0].kind = tail.kind;
    } else {
        result.push_back(join(head, given.front(), given.front().kind == None ? head.kind : given.front().kind));
        if (head.text.isEmpty() && given.front().text.isEmpty())
            result.back().kind = head.kind;
        result.insert(result.end(), given.begin() + 1, given.end() - 1);
        const Paragraph& end = given.back();
        result.push_back(join(end, tail, end.kind == None ? tail.kind : end.kind));
    }
    for (Paragraph& paragraph : result)
        if (paragraph.kind == None)
            paragraph.kind = head.kind;
    const std::uint32_t caretIndex = static_cast<std::uint32_t>(result.back().text.getSize() - tail.text.getSize());

    std::vector<Paragraph> removed;
    for (std::uint32_t i = from.paragraph; i <= to.paragraph; ++i)
        removed.push_back(paragraphAt(i));
    std::vector<DivEditor> fresh;
    fresh.reserve(result.size());
    for (const Paragraph& content : result)
        fresh.push_back(makeParagraph(content));
    paragraphs.erase(paragraphs.begin() + from.paragraph, paragraphs.begin() + to.paragraph + 1);
    paragraphs.insert(paragraphs.begin() + from.paragraph, std::make_move_iterator(fresh.begin()),
                      std::make_move_iterator(fresh.end()));
    bandsFrom = bandsTo = 0;
    placeCaret({from.paragraph + static_cast<std::uint32_t>(result.size() - 1), caretIndex});
    record(from.paragraph, std::move(removed), std::move(result), caretBefore);
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

void Page::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    switch (event.type) {
    case sf::Event::Resized:
        recentre(event.size.width, event.size.height);
        background.setSize({sheetWidth, static_cast<float>(event.size.height)});
        placeSheet();
        break;
    case sf::Event::MouseWheelScrolled:
        onWheel(event.mouseWheelScroll.delta);
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

// Keys act only in a focused paragraph that is not being dragged in. The App reports the
// left Control key in `key.control`.
void Page::onKeyPressed(const sf::Event::KeyEvent& key)
{
    if (!currentParagraph().focused || dragging)
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
            onPageKey(key);
        return;
    }
    onPageKey(key);
}

// Page Up and Page Down; Delete of a selection across paragraphs, or in an empty
// paragraph, which goes as Backspace would take it; the moving keys, with Shift
// stretching the selection; the rest goes to the current paragraph.
void Page::onPageKey(const sf::Event::KeyEvent& key)
{
    const Caret from = caret();
    const Caret selectionAnchor = anchor;
    if (key.code == sf::Keyboard::PageDown || key.code == sf::Keyboard::PageUp) {
        const float step = view.getSize().y - 2 * DivEditor::lineHeight;
        const float by = key.code == sf::Keyboard::PageDown ? step : -step;
        const sf::Vector2f caretAt = currentParagraph().caret.getPosition();
        scrollTo(viewTop() + by);
        moveCaretTo(caretAt.x, caretAt.y + by + DivEditor::lineHeight / 2);
    } else if (key.code == sf::Keyboard::Delete && hasSelection() && anchor.paragraph != current) {
        replaceSelection({});
        return;
    } else if (key.code == sf::Keyboard::Delete && !hasSelection() && currentParagraph().text.isEmpty() &&
               paragraphs.size() > 1) {
        if (current > 0) {
            deleteCurrentIfEmpty();
        } else {
            const Paragraph removed = paragraphAt(0);
            paragraphs.erase(paragraphs.begin());
            currentParagraph().setCursor(0);
            relayout();
            focusCurrent();
            collapseSelection();
            record(0, {removed}, {}, from);
        }
        return;
    } else {
        if (movesCaret(key.code) && !key.shift && hasSelection())
            collapseSelection();
        const std::size_t editsBefore = edits.size();
        sf::Event event{};
        event.type = sf::Event::KeyPressed;
        event.key = key;
        deliverToCurrent(event);
        if (!movesCaret(key.code)) { // Delete, or a key that does nothing here (Shift itself)
            if (edits.size() != editsBefore || !(caret() == from))
                collapseSelection();
            return;
        }
    }
    anchor = key.shift ? selectionAnchor : caret();
    showSelection();
}

void Page::onTextEntered(sf::Uint32 code)
{
    if (!currentParagraph().focused || dragging)
        return;
    if (code != 8 && (!TextField::isText(code) || currentParagraph().kind == PageBreak))
        return; // a page break holds no text
    if (hasSelection() && anchor.paragraph != current) {
        replaceSelection(code == 8 ? std::vector<Paragraph>{} : std::vector<Paragraph>{{None, sf::String(code)}});
        return;
    }
    sf::Event event{};
    event.type = sf::Event::TextEntered;
    event.text.unicode = code;
    deliverToCurrent(event);
    collapseSelection();
}

void Page::deliverToCurrent(const sf::Event& event)
{
    const std::uint32_t edited = current;
    const Caret caretBefore = caret();
    const float heightBefore = currentParagraph().rect.height;
    const sf::String textBefore = currentParagraph().text;
    try {
        currentParagraph().handleEvent(event);
    } catch (const OutOfRange& leave) {
        if (leave.direction > 0 && current + 1 < paragraphs.size()) {
            ++current;
            currentParagraph().setCursor(0);
        } else if (leave.direction < 0 && current > 0) {
            --current;
            currentParagraph().setCursor(currentParagraph().text.getSize());
        }
        focusCurrent();
    }
    const DivEditor& changed = paragraphs[edited];
    if (changed.rewrapped && changed.rect.height != heightBefore)
        relayout();
    if (changed.text != textBefore)
        record(edited, {{changed.kind, textBefore}}, {paragraphAt(edited)}, caretBefore);
}

std::uint32_t Page::paragraphNear(float y) const
{
    auto below = std::partition_point(paragraphs.begin(), paragraphs.end(), [y](const DivEditor& paragraph) {
        return paragraph.rect.top + paragraph.rect.height <= y;
    });
    if (below == paragraphs.end())
        --below;
    return static_cast<std::uint32_t>(below - paragraphs.begin());
}

void Page::moveCaretTo(float x, float y)
{
    current = paragraphNear(y);
    DivEditor& paragraph = currentParagraph();
    paragraph.placeCursorAt(static_cast<int>(x), static_cast<int>(std::max(y, paragraph.rect.top)));
    paragraph.setCursor(paragraph.cursor);
    focusCurrent();
}

float Page::viewTop() const
{
    return view.getCenter().y - view.getSize().y / 2;
}

void Page::scrollTo(float top)
{
    view.setCenter(view.getCenter().x, std::max(-topRoom, std::floor(top)) + view.getSize().y / 2);
    placeSheet();
}

void Page::showCaret(float insetTop)
{
    const float lineTop = std::floor(currentParagraph().caret.getPosition().y);
    const float top = scrollToShow(viewTop(), view.getSize().y, lineTop, lineTop + DivEditor::lineHeight, insetTop,
                                   2 * DivEditor::lineHeight, -topRoom);
    if (top != viewTop())
        scrollTo(top);
}

float Page::scriptHeight() const
{
    const DivEditor& last = paragraphs.back();
    return last.rect.top + last.rect.height;
}

float scrollToShow(float viewTop, float viewHeight, float lineTop, float lineBottom, float insetTop, float margin,
                   float highest)
{
    float top = viewTop;
    if (lineBottom + margin > viewTop + viewHeight)
        top = lineBottom + margin - viewHeight;
    if (lineTop - margin < top + insetTop) // a window too short for both shows the line's top
        top = lineTop - margin - insetTop;
    return std::max(highest, top);
}

// Scrolling up stops at the top of the script, where the view's upper edge is 0 (or topRoom above it),
// whatever the window's height; scrolling down has no limit.
void Page::onWheel(float delta)
{
    scrollTo(viewTop() + std::floor(-wheelStep * delta));
}

void Page::placeSheet()
{
    background.setPosition(sheetLeft, view.getCenter().y - view.getSize().y / 2);
}

void Page::resetView()
{
    view.setCenter(view.getCenter().x, view.getSize().y / 2);
    placeSheet();
}

// A press of the left button in a paragraph puts the caret there and makes it current;
// one on the sheet that misses every paragraph focuses the nearest end of the script.
// With Shift held the selection stretches to the press. A press off the sheet takes the
// focus from every paragraph. The sheet is where it is drawn, scrolled or not.
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
    const Caret from = anchor;
    const bool extend = shiftHeld && currentParagraph().focused;
    const std::uint32_t near = paragraphNear(p.y);
    if (paragraphs[near].rect.contains(p)) {
        current = near;
        currentParagraph().placeCursorAt(x, y);
    } else {
        current = paragraphs.front().rect.top > p.y ? 0 : static_cast<std::uint32_t>(paragraphs.size() - 1);
    }
    focusCurrent();
    anchor = extend ? from : caret();
    dragging = true;
    currentParagraph().dragging = true;
    showSelection();
}

// A drag carries the caret to the place under the pointer, in whichever paragraph.
void Page::onMouseMoved(const sf::Event::MouseMoveEvent& move)
{
    if (!dragging)
        return;
    const sf::Vector2f p = toView(move.x, move.y);
    currentParagraph().dragging = false;
    current = paragraphNear(p.y);
    DivEditor& paragraph = currentParagraph();
    paragraph.placeCursorAt(static_cast<int>(p.x), static_cast<int>(std::max(p.y, paragraph.rect.top)));
    paragraph.dragging = true;
    focusCurrent();
    showSelection();
}

// The release ends the drag where the last move left it.
void Page::onMouseReleased(const sf::Event::MouseButtonEvent& release)
{
    if (release.button != sf::Mouse::Left || !dragging)
        return;
    dragging = false;
    currentParagraph().dragging = false;
}

// Draws only the paragraphs that reach into the view; they are stacked in order.
void Page::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!visible)
        return;
    target.setView(view);
    target.draw(background);
    const float top = view.getCenter().y - view.getSize().y / 2;
    const float bottom = top + view.getSize().y;
    auto first = std::partition_point(paragraphs.begin(), paragraphs.end(), [top](const DivEditor& paragraph) {
        return paragraph.rect.top + paragraph.rect.height < top;
    });
    auto last = first;
    for (; last != paragraphs.end() && last->rect.top <= bottom; ++last)
        target.draw(*last);
    drawMatches(target, paragraphs, matches, static_cast<std::uint32_t>(first - paragraphs.begin()),
                static_cast<std::uint32_t>(last - paragraphs.begin()));
    if (appFont)
        drawPageEnds(target, pageEnds(paragraphs, printedStarts, top, bottom), sheetLeft, sheetLeft + sheetWidth, *appFont);
}

void Page::replaceTexts(const std::vector<std::pair<std::uint32_t, sf::String>>& texts)
{
    const Caret before = caret();
    for (const auto& [i, text] : texts) {
        const Paragraph was = paragraphAt(i);
        paragraphs[i].setText(text);
        record(i, {was}, {paragraphAt(i)}, before);
    }
    relayout();
}
