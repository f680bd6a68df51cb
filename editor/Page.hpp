#pragma once

#include "document/ScriptEdit.hpp"
#include "editor/DivEditor.hpp"
#include "ui/Group.hpp"

#include <cstdint>
#include <vector>

// The view's top at which a line from lineTop to lineBottom shows with `margin` pixels
// around it, below an inset at the view's top: the least move from viewTop, never above 0.
float scrollToShow(float viewTop, float viewHeight, float lineTop, float lineBottom, float insetTop, float margin);

// The script being edited: its paragraphs stacked down one white sheet, the current
// paragraph, scrolling, and the delivery of every event to the paragraphs. Every change
// of the paragraphs' kinds and texts is logged in `edits` for the App to take.
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
    // Makes the caret's paragraph current with the caret at its index, re-stacked.
    void placeCaret(Caret at);
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

    DivEditor& currentParagraph() { return paragraphs[current]; }
    const DivEditor& currentParagraph() const { return paragraphs[current]; }
    Caret caret() const { return {current, currentParagraph().cursor}; }
    Paragraph paragraphAt(std::size_t i) const { return {paragraphs[i].kind, paragraphs[i].text}; }

    std::vector<DivEditor> paragraphs;
    std::uint32_t current = 0;
    std::vector<ScriptEdit> edits; // changes not yet taken by the App, oldest first

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    DivEditor makeParagraph(const Paragraph& content);
    bool onPageKey(const sf::Event::KeyEvent& key);
    void moveCaretTo(float x, float y);
    void deliver(const sf::Event& event);
    void record(std::uint32_t at, std::vector<Paragraph> before, std::vector<Paragraph> after, Caret caretBefore);
    // The sheet follows the view: its top at the view's upper edge.
    void placeSheet();
    void onWheel(float delta);
    void onMouseButtonPressed(const sf::Event::MouseButtonEvent& press);
};
