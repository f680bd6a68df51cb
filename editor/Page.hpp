#pragma once

#include "document/ScriptEdit.hpp"
#include "editor/Clipboard.hpp"
#include "document/Find.hpp"
#include "editor/DivEditor.hpp"
#include "ui/Group.hpp"

#include <cstdint>
#include <vector>

// The view's top at which a line from lineTop to lineBottom shows with `margin` pixels
// around it, below an inset at the view's top: the least move from viewTop, never above
// `highest` (0, the script's top, unless a bar covers the sheet).
float scrollToShow(float viewTop, float viewHeight, float lineTop, float lineBottom, float insetTop, float margin,
                   float highest = 0);

// The script being edited: its paragraphs stacked down one white sheet, the current
// paragraph, the selection, scrolling, the clipboard, and the delivery of every event to
// the paragraphs. Every change of the paragraphs' kinds and texts is logged in `edits`
// for the App to take.
//
// The selection runs from `anchor` to the caret, within a paragraph or across several;
// it is empty when the two meet. A drag, Shift with the moving keys or a Shift press
// extend it; typing, Backspace, Delete, cut and paste act on it as a text editor does.
class Page : public Group {
public:
    static constexpr float sheetLeft = 465;
    static constexpr float sheetWidth = 990;
    static constexpr float firstTop = 120; // y of the first paragraph's top
    static constexpr float wheelStep = 32; // pixels per wheel notch

    explicit Page(const sf::RenderTarget& window);

    // Inserts an empty paragraph of the kind after the current one; it becomes current.
    void addParagraph(DivType kind);
    // The paragraphs' kinds and texts, in order.
    std::vector<Paragraph> contents() const;
    // Replaces every paragraph (an empty list gives one empty Scene); the last one is
    // current. Logs no edit.
    void load(const std::vector<Paragraph>& contents);
    // Makes an edit again (or undoes it) without logging it; placeCaret finishes.
    void apply(const ScriptEdit& edit, bool undo);
    // Makes the caret's paragraph current with the caret at its index, re-stacked; with
    // `extend` the selection stretches to it, otherwise it collapses there.
    void placeCaret(Caret at, bool extend = false);
    // The current paragraph takes the kind; an empty one becoming a parenthetical gets
    // "()" with the caret between, and a bare "()" leaving that kind goes.
    void setKind(std::int32_t kind);
    void deleteCurrentIfEmpty();
    void clearParagraphs();
    void focusCurrent();
    void relayout();
    // Back to the top of the script, keeping the view's size.
    void resetView();
    float viewTop() const;
    // Scrolls so that the view's top is at `top`, never above the script's; the sheet follows.
    void scrollTo(float top);
    // Scrolls as little as shows the caret's line with two lines around it, below an
    // inset at the view's top (the kind bar).
    void showCaret(float insetTop);
    // Where the last paragraph ends.
    float scriptHeight() const;
    void unfocus() override;
    void handleEvent(const sf::Event& event) override;

    // The selection.
    bool hasSelection() const;
    void selectAll();
    // The selected stretch of each paragraph it touches, with the kinds, as shown.
    std::vector<Paragraph> selectedPieces() const;
    // Replaces the selection (or inserts at the caret) with pieces: the first joins the
    // text before, the last the text after, as across paragraph breaks in a text editor.
    // A joined paragraph takes the kind of its first part with text. Logs one edit.
    void replaceSelection(const std::vector<Paragraph>& pieces);
    void copy();
    void cut();
    void paste();

    DivEditor& currentParagraph() { return paragraphs[current]; }
    const DivEditor& currentParagraph() const { return paragraphs[current]; }
    Caret caret() const { return {current, currentParagraph().cursor}; }
    Paragraph paragraphAt(std::size_t i) const { return {paragraphs[i].kind, paragraphs[i].text}; }

    std::vector<DivEditor> paragraphs;
    std::uint32_t current = 0;
    Caret anchor;                  // where the selection began; the caret when there is none
    bool dragging = false;         // the left button went down on the sheet and is held
    bool shiftHeld = false;        // told by the App for each event: a press then extends
    std::vector<ScriptEdit> edits; // changes not yet taken by the App, oldest first
    Clipboard clipboard;
    std::string refusedPaste; // why the last paste inserted nothing, for the App to say
    // Drawn over the sheet: where each printed page after the first begins (paragraph,
    // index in its text), and the matches of a search (`text` is the paragraph).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> printedStarts;
    std::vector<Match> matches;
    // Pixels the view may stand above the script's top, so that a bar over the sheet's
    // top hides none of it.
    float topRoom = 0;
    // Replaces paragraphs' texts, keeping their kinds, with one edit logged for each.
    void replaceTexts(const std::vector<std::pair<std::uint32_t, sf::String>>& texts);

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    DivEditor makeParagraph(const Paragraph& content);
    void onKeyPressed(const sf::Event::KeyEvent& key);
    void onTextEntered(sf::Uint32 code);
    void onMousePressed(const sf::Event::MouseButtonEvent& press);
    void onMouseMoved(const sf::Event::MouseMoveEvent& move);
    void onMouseReleased(const sf::Event::MouseButtonEvent& release);
    void onPageKey(const sf::Event::KeyEvent& key);
    // Gives an event to the current paragraph, carrying the caret into the next or the
    // previous paragraph when it leaves one; logs a change of the text.
    void deliverToCurrent(const sf::Event& event);
    // The paragraph under a page point, or the nearest one above or below it.
    std::uint32_t paragraphNear(float y) const;
    // Puts the caret on the line at a page point, in the paragraph there or the nearest
    // one, at the column nearest to x.
    void moveCaretTo(float x, float y);
    void collapseSelection();
    // The selection's ends in order; within one paragraph, that paragraph's own.
    std::pair<Caret, Caret> selectionRange() const;
    // Bands on every paragraph the selection touches, none on the others.
    void showSelection();
    void record(std::uint32_t at, std::vector<Paragraph> before, std::vector<Paragraph> after, Caret caretBefore);
    // The sheet follows the view: its top at the view's upper edge.
    void placeSheet();
    void onWheel(float delta);

    std::uint32_t bandsFrom = 0, bandsTo = 0; // the paragraphs showing bands, [from, to)
};
