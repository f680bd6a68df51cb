#pragma once

#include "document/Find.hpp"
#include "document/ScriptEdit.hpp"
#include "document/Spelling.hpp"
#include "editor/Clipboard.hpp"
#include "editor/ShownParagraph.hpp"
#include "ui/Group.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The view's top at which a line from lineTop to lineBottom shows with `margin` pixels
// around it, below an inset at the view's top: the least move from viewTop, never above
// `highest` (0, the script's top, unless a bar covers the sheet).
double scrollToShow(double viewTop, double viewHeight, double lineTop, double lineBottom, double insetTop, double margin,
                    double highest = 0);

// The script on the sheet: the live script's paragraphs stacked down one white sheet, the
// caret and the selection, the mouse on the sheet, the clipboard and scrolling. The page
// edits the script it is given and no copy of it: every change is a ScriptEdit applied to
// the script and logged in `edits` for the App to take into the history.
//
// Only what is seen is laid out. Each paragraph keeps its line count, from the wrap alone,
// for the stacking and the scroll bar; its shown lines are made when it comes into view
// (or when the caret, the selection or a mark needs them), kept until it changes and
// dropped when it lies far out of view.
//
// The selection runs from `anchor` to the caret, within a paragraph or across several; it
// is empty when the two meet. A drag, Shift with the moving keys or a Shift press extend
// it; typing, Backspace, Delete, cut and paste act on it as a text editor does.
//
// Positions down the script are pixels from its top, as doubles: a long script is taller
// than a float counts exactly. The page draws in a view whose top is the window's top,
// each paragraph moved up by viewTop.
class Page : public Group {
public:
    using Point = sf::Vector2<double>;
    static constexpr float sheetLeft = Sheet::left;
    static constexpr float sheetWidth = Sheet::width;
    static constexpr float firstTop = 120; // y of the first paragraph's top
    static constexpr float wheelStep = 32; // pixels per wheel notch

    Page(const sf::RenderTarget& window, Script& script);

    // Lays the script out anew after it was replaced as a whole, the caret at its end and
    // the view where it was. Logs no edit.
    void reload();
    // Lays every paragraph out again where the layout of the kinds changed; the caret and
    // the selection stay.
    void layOutAgain();
    const Script& script() const { return *m_script; }
    std::size_t size() const { return m_script->paragraphs.size(); }
    const Paragraph& paragraph(std::size_t i) const { return m_script->paragraphs[i]; }
    const Paragraph& currentParagraph() const { return paragraph(m_caret.paragraph); }
    std::uint32_t current() const { return m_caret.paragraph; }

    // Edits, each applied to the script and logged.
    // Inserts an empty paragraph of the kind after the current one, the caret in it.
    void addParagraph(DivType kind);
    // The current paragraph takes the kind; an empty one becoming a parenthetical gets
    // "()" with the caret between (with `around`, a text gets them around it), and a
    // bare "()" leaving that kind goes.
    void setKind(std::int32_t kind, bool around = false);
    // Removes the current paragraph when it is empty and not the first.
    void deleteCurrentIfEmpty();
    // Replaces the selection (or inserts at the caret) with pieces, as `replacement` does.
    void replaceSelection(const std::vector<Paragraph>& pieces);
    // An edit made elsewhere (a replacement of find): applied and logged.
    void edit(const ScriptEdit& change);
    // Makes an edit again (or undoes it) without logging it; placeCaret finishes.
    void apply(const ScriptEdit& change, bool undo);
    void copy();
    void cut();
    void paste();
    // Bold, italic or underline over the selection (on when any selected letter lacks it,
    // off when all have it), or, with nothing selected, for the letters typed next.
    void toggleStyle(std::uint8_t bits);
    // The style the next typed letter takes.
    std::uint8_t typingStyle() const;
    // Pairs the caret's speech block with the block before it, spoken at once, or splits
    // the pair it stands in.
    void toggleDual();

    // The caret and the selection.
    Caret caret() const { return m_caret; }
    Caret anchor() const { return m_anchor; }
    // Puts the caret at a place (clamped to the script) and gives the sheet the keys; with
    // `extend` the selection stretches to it, otherwise it collapses there.
    void placeCaret(Caret at, bool extend = false);
    bool hasSelection() const { return m_anchor != m_caret; }
    // The selection's ends in order.
    std::pair<Caret, Caret> selection() const;
    void selectAll();
    // The selected stretch of each paragraph it touches, with the kinds, as shown.
    std::vector<Paragraph> selectedPieces() const;
    // The sheet has the keys: typing goes to the caret, which is drawn.
    bool focused() const { return m_focused; }
    void focus() { m_focused = true; }
    void unfocus() override;
    // Takes the keys from the sheet and leaves the selection shown (find's match).
    void blur();
    // A completion offered after the caret, drawn in grey; empty for none.
    void setGhost(const sf::String& offered) { m_ghost = offered; }
    const sf::String& ghost() const { return m_ghost; }

    // Where things stand, in script pixels.
    double viewTop() const { return m_viewTop; }
    double viewHeight() const { return view.getSize().y; }
    // Scrolls so that the view's top is at `top`, never above the script's (or topRoom above it).
    void scrollTo(double top);
    // Scrolls as little as shows the caret's line with two lines around it, below an inset
    // at the view's top (the kind bar).
    void showCaret(float insetTop);
    // Back to the top of the script, keeping the view's size.
    void resetView();
    double paragraphTop(std::size_t i) const { return m_tops[i]; }
    double paragraphBottom(std::size_t i) const { return m_bottoms[i]; }
    // Where the script ends.
    double scriptHeight() const { return m_reach.back(); }
    // Where a paragraph stands across the sheet: its whole width or a half of a pair.
    Column columnOf(std::size_t i) const { return m_slots[i].column; }
    // The top-left of the caret.
    Point caretPoint() const;
    // The place in the text under a window pixel, when it lies on a paragraph's lines.
    std::optional<Caret> textAt(int x, int y) const;
    // Where a character of a paragraph shows, in the view's pixels (its top-left).
    sf::Vector2f pointInView(Caret at) const;
    // A paragraph's lines as shown, laid out now if they are not.
    const ShownParagraph& shown(std::size_t i) const;
    // How many paragraphs hold their shown lines.
    std::size_t laidOut() const { return m_laidOut; }
    // A printed page's end on the sheet: its y in script pixels and the number of the page
    // that begins there; those of the paragraphs from first to last.
    struct PageEnd {
        double y;
        std::uint32_t page;
    };
    std::vector<PageEnd> pageEnds(std::size_t first, std::size_t last) const;

    void handleEvent(const sf::Event& event) override;

    bool dragging = false;         // the left button went down on the sheet and is held
    bool shiftHeld = false;        // told by the App for each event: a press then extends
    std::vector<ScriptEdit> edits; // changes not yet taken by the App, oldest first
    Clipboard clipboard;
    std::string refusedPaste; // why the last paste inserted nothing, for the App to say
    // Drawn over the sheet: where each printed page after the first begins (paragraph,
    // index in its text), and the matches of a search (`text` is the paragraph).
    std::vector<std::pair<std::uint32_t, std::uint32_t>> printedStarts;
    std::vector<Match> matches;
    // The misspelled words of a paragraph, underlined with a red wave; asked only of the
    // paragraphs drawn.
    std::function<std::vector<WordSpan>(std::size_t paragraph)> misspelled;
    // Pixels the view may stand above the script's top, so that a bar over the sheet's
    // top hides none of it.
    float topRoom = 0;

private:
    struct Slot {
        std::uint32_t lines = 1;                       // from the wrap alone
        Column column = Column::Whole;
        bool dual = false;                             // the paragraph's flag when it was stacked
        mutable std::unique_ptr<ShownParagraph> shown; // while laid out
    };

    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void drawParagraph(sf::RenderTarget& target, std::size_t i, float y) const;
    void drawWaves(sf::RenderTarget& target, const ShownParagraph& lines, const std::vector<WordSpan>& words,
                   const sf::RenderStates& at) const;
    void drawPageEnds(sf::RenderTarget& target, std::size_t first, std::size_t last) const;
    // Drops the shown lines of paragraphs far from [first, last) once many are held.
    void dropFarLayouts(std::size_t first, std::size_t last) const;

    void onKeyPressed(const sf::Event::KeyEvent& key);
    void onTextEntered(sf::Uint32 code);
    void onMousePressed(const sf::Event::MouseButtonEvent& press);
    void onMouseMoved(const sf::Event::MouseMoveEvent& move);
    void onMouseReleased(const sf::Event::MouseButtonEvent& release);
    // The moving keys; the selection stretches with Shift.
    void onMovingKey(const sf::Event::KeyEvent& key);
    void onDelete();
    // The caret moved by a key within the script: to the neighbouring paragraph past
    // either end, nowhere past the script's ends.
    Caret moved(sf::Keyboard::Key key) const;
    // The current paragraph becomes `changed`, the caret at `index` in it.
    void changeText(Paragraph changed, std::uint32_t index);
    // Applies an edit to the script and to what shows it, and logs it.
    void make(ScriptEdit change);
    // The script's paragraphs from `at` changed: `removed` of them gave way to `inserted`.
    void relayout(std::size_t at, std::size_t removed, std::size_t inserted);
    // Stacks the paragraphs from `from` on (from the start of its run of dialogue, where
    // pairs are found) and places each across the sheet.
    void restack(std::size_t from);
    // Gives a paragraph its place across the sheet and down from `top`; its bottom.
    double place(std::size_t i, Column column, double top);
    // The paragraph under a point of the script, or the nearest one above or below it; in
    // a pair, on the point's side.
    std::uint32_t paragraphNear(float x, double y) const;
    // Puts the caret on the line at a point of the script, in the paragraph there or the
    // nearest one, at the column nearest to x.
    void moveCaretTo(float x, double y);
    // A window pixel as a point of the script.
    Point toScript(int x, int y) const;
    void collapseSelection() { m_anchor = m_caret; }

    Script* m_script;
    std::vector<Slot> m_slots;
    std::vector<double> m_tops, m_bottoms; // each paragraph's
    std::vector<double> m_reach;          // the lowest bottom of the paragraphs up to each
    std::optional<std::uint8_t> m_typingStyle; // chosen for the letters typed next at the caret,
    Caret m_typingAt;                          // while it stands here
    Caret m_caret, m_anchor;
    bool m_focused = true;
    double m_viewTop = 0;
    sf::String m_ghost;
    mutable std::size_t m_laidOut = 0;
};
