#pragma once
// What the paragraph editor and the edit box share: the text with its caret and its
// selection, which typed characters are text, and one handler per event type. Each
// keeps its own wrap and drawing. Indexes count code points of `text`.

#include "ui/Widget.hpp"

#include <SFML/System/String.hpp>

#include <algorithm>
#include <cstdint>

class TextField : public Widget {
public:
    void handleEvent(const sf::Event& event) override;

    // Typed characters that become text: no control character, and not DEL (127), which
    // the Delete key types.
    static bool isText(sf::Uint32 code) { return code >= 32 && code != 127; }

    bool hasSelection() const { return selStart != selEnd; }
    std::uint32_t selectionBegin() const { return std::min(selStart, selEnd); }
    std::uint32_t selectionEnd() const { return std::max(selStart, selEnd); }

    sf::String text;
    std::uint32_t cursor = 0;
    std::uint32_t selStart = 0, selEnd = 0; // the ends of the selection, in the order made
    bool focused = false;
    bool dragging = false;

protected:
    // Erases the selected characters; the caret and both ends go where they began.
    void eraseSelectedText();

    virtual void onTextEntered(sf::Uint32 code) = 0;
    virtual void onKeyPressed(const sf::Event::KeyEvent& key) = 0;
    virtual void onMousePressed(const sf::Event::MouseButtonEvent&) {}
    virtual void onMouseMoved(const sf::Event::MouseMoveEvent&) {}
    virtual void onMouseReleased(const sf::Event::MouseButtonEvent&) {}
};
