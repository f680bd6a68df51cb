#include "editor/Page.hpp"

#include "editor/KindLayout.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace {
const sf::Color sheetColour(255, 255, 255, 255);
}

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
    record(current, {}, {paragraphAt(current)}, before);
}

// A paragraph editor laid out for its kind, holding the text as it is (stored texts
// keep their letters' case), its caret at the end.
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
    relayout();
    focusCurrent();
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
}

void Page::placeCaret(Caret at)
{
    current = std::min<std::uint32_t>(at.paragraph, static_cast<std::uint32_t>(paragraphs.size() - 1));
    relayout();
    currentParagraph().setCursor(at.index);
    focusCurrent();
}

void Page::setKind(std::int32_t kind)
{
    const Caret caretBefore = caret();
    const Paragraph before = paragraphAt(current);
    DivEditor& paragraph = currentParagraph();
    applyKind(paragraph, kind);
    paragraph.kind = static_cast<DivType>(kind);
    paragraph.focused = true;
    relayout();
    if (paragraphAt(current) != before)
        record(current, {before}, {paragraphAt(current)}, caretBefore);
}

void Page::deleteCurrentIfEmpty()
{
    if (current == 0 || !paragraphs[current].text.isEmpty())
        return;
    const Caret caretBefore = caret();
    const Paragraph removed = paragraphAt(current);
    --current;
    focusCurrent();
    paragraphs.erase(paragraphs.begin() + current + 1);
    DivEditor& above = currentParagraph();
    above.setCursor(above.text.getSize());
    relayout();
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
}

void Page::focusCurrent()
{
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i == current)
            paragraphs[i].focused = true;
        else
            paragraphs[i].clearFocus();
    }
}

void Page::unfocus()
{
    for (DivEditor& paragraph : paragraphs)
        paragraph.clearFocus();
}

void Page::relayout()
{
    float y = firstTop;
    for (DivEditor& paragraph : paragraphs) {
        paragraph.placeAt(y);
        y += paragraph.rect.height;
    }
}

// Only keys and typed text change a paragraph's text, and only the current one's; the
// paragraphs are re-stacked only when the current one changed its height.
void Page::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    if (event.type == sf::Event::KeyPressed && onPageKey(event.key))
        return;
    const bool typing = event.type == sf::Event::TextEntered || event.type == sf::Event::KeyPressed;
    const std::uint32_t edited = current;
    const Caret caretBefore = caret();
    const float heightBefore = currentParagraph().rect.height;
    sf::String textBefore;
    if (typing)
        textBefore = currentParagraph().text;
    try {
        deliver(event);
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
    if (typing && changed.text != textBefore)
        record(edited, {{changed.kind, textBefore}}, {paragraphAt(edited)}, caretBefore);

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
        onMouseButtonPressed(event.mouseButton);
        break;
    default:
        break;
    }
}

// Keys the page takes itself, before the paragraph: Page Up and Page Down, and Delete in
// an empty paragraph, which goes as Backspace would take it. True when the key was taken.
bool Page::onPageKey(const sf::Event::KeyEvent& pressed)
{
    if (!currentParagraph().focused || currentParagraph().dragging || pressed.control)
        return false;
    const sf::Keyboard::Key key = pressed.code;
    if (key == sf::Keyboard::PageDown || key == sf::Keyboard::PageUp) {
        const float step = view.getSize().y - 2 * DivEditor::lineHeight;
        const float by = key == sf::Keyboard::PageDown ? step : -step;
        const sf::Vector2f caretAt = currentParagraph().caret.getPosition();
        scrollTo(viewTop() + by);
        moveCaretTo(caretAt.x, caretAt.y + by + DivEditor::lineHeight / 2);
        return true;
    }
    if (key == sf::Keyboard::Delete && currentParagraph().text.isEmpty() && paragraphs.size() > 1) {
        if (current > 0) {
            deleteCurrentIfEmpty();
        } else {
            const Caret caretBefore = caret();
            const Paragraph removed = paragraphAt(0);
            paragraphs.erase(paragraphs.begin());
            currentParagraph().setCursor(0);
            relayout();
            focusCurrent();
            record(0, {removed}, {}, caretBefore);
        }
        return true;
    }
    return false;
}

// Puts the caret on the line at a page point, in the paragraph there or the nearest one,
// at the column nearest to x.
void Page::moveCaretTo(float x, float y)
{
    auto below = std::partition_point(paragraphs.begin(), paragraphs.end(), [y](const DivEditor& paragraph) {
        return paragraph.rect.top + paragraph.rect.height <= y;
    });
    if (below == paragraphs.end())
        --below;
    current = static_cast<std::uint32_t>(below - paragraphs.begin());
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
    view.setCenter(view.getCenter().x, std::max(0.f, std::floor(top)) + view.getSize().y / 2);
    placeSheet();
}

void Page::showCaret(float insetTop)
{
    const float lineTop = std::floor(currentParagraph().caret.getPosition().y);
    const float top = scrollToShow(viewTop(), view.getSize().y, lineTop, lineTop + DivEditor::lineHeight, insetTop,
                                   2 * DivEditor::lineHeight);
    if (top != viewTop())
        scrollTo(top);
}

float Page::scriptHeight() const
{
    const DivEditor& last = paragraphs.back();
    return last.rect.top + last.rect.height;
}

float scrollToShow(float viewTop, float viewHeight, float lineTop, float lineBottom, float insetTop, float margin)
{
    float top = viewTop;
    if (lineBottom + margin > viewTop + viewHeight)
        top = lineBottom + margin - viewHeight;
    if (lineTop - margin < top + insetTop) // a window too short for both shows the line's top
        top = lineTop - margin - insetTop;
    return std::max(0.f, top);
}

// Typed text and keys act only in a focused paragraph, and only the current one can be
// focused, so they go to it alone; mouse events reach every paragraph.
void Page::deliver(const sf::Event& event)
{
    if (event.type == sf::Event::TextEntered || event.type == sf::Event::KeyPressed) {
        currentParagraph().handleEvent(event);
        return;
    }
    for (DivEditor& paragraph : paragraphs)
        paragraph.handleEvent(event);
}

// Scrolling up stops at the top of the script, where the view's upper edge is 0,
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

// A press that landed in a paragraph makes it current; a press on the sheet that missed
// every paragraph focuses the nearest end of the script. The sheet is where it is drawn,
// scrolled or not.
void Page::onMouseButtonPressed(const sf::Event::MouseButtonEvent& press)
{
    if (currentParagraph().focused)
        return;
    const auto focusedOne = std::find_if(paragraphs.begin(), paragraphs.end(),
                                         [](const DivEditor& paragraph) { return paragraph.focused; });
    if (focusedOne != paragraphs.end()) {
        current = static_cast<std::uint32_t>(focusedOne - paragraphs.begin());
        return;
    }
    const sf::Vector2f p = toView(press.x, press.y);
    const int x = static_cast<int>(p.x);
    const int y = static_cast<int>(p.y);
    const sf::FloatRect sheet = background.getGlobalBounds();
    if (x < sheet.left || x >= sheet.left + sheet.width || y < sheet.top || y >= sheet.top + sheet.height)
        return;
    current = paragraphs.front().rect.top > y ? 0 : static_cast<std::uint32_t>(paragraphs.size() - 1);
    currentParagraph().focused = true;
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
    for (auto it = first; it != paragraphs.end() && it->rect.top <= bottom; ++it)
        target.draw(*it);
}
