#pragma once

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>

// A panel: a background with its own view, owning widgets. It is open while both
// active (takes input) and visible (is drawn). It is told the window whose events it
// takes, to map their pixels into its view; the window outlives it.
class Group : public sf::Drawable {
public:
    explicit Group(const sf::RenderTarget& eventWindow, const sf::FloatRect& viewRect = {0, 0, 1920, 980})
        : view(viewRect), window(&eventWindow)
    {
    }
    virtual ~Group() = default;

    virtual void setActive(bool on) { active = on; }
    virtual void setVisible(bool on) { visible = on; }
    virtual void setOpen(bool open)
    {
        active = open;
        visible = open;
    }
    virtual void unfocus() {}
    virtual void handleEvent(const sf::Event& event) = 0;

    bool isOpen() const { return active && visible; }
    // A pixel of the window in the panel's coordinates.
    sf::Vector2f toView(int x, int y) const;

    // Panels ignore everything but Resized while inactive.
    bool ignores(const sf::Event& event) const { return !active && event.type != sf::Event::Resized; }

    // Modal panels and the page keep their layout centred around x 960 at one unit per
    // pixel, with the view's top at 0.
    void recentre(unsigned width, unsigned height);
    // Side panels stay anchored at the window's top-left corner.
    void reanchor(unsigned width, unsigned height);

protected:
    // The look the three dialogs share: a dark panel at (700, 300), 520 wide, with a
    // 3-pixel outline of the given colour and the given height.
    void applyDialogLook(float height, const sf::Color& outline);
    // A message in a dialog, centred on x 960 at the given top: one line, or two when a
    // longer one says why after a ": " (else it breaks at a space); a line longer than
    // the dialog is shortened in its middle.
    static void setDialogMessage(sf::Text& line, const sf::String& text, float top);
    // Sets the view and draws the background; false while the panel is hidden.
    bool drawBackground(sf::RenderTarget& target) const;

public:
    sf::RectangleShape background;
    sf::View view;
    const sf::RenderTarget* window; // not owned
    bool active = true;
    bool visible = true;
};
