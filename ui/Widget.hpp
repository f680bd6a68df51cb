#pragma once

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>

// Maps a pixel of the target that delivers the events into the coordinates of a view.
sf::Vector2f mapToView(const sf::RenderTarget& target, int x, int y, const sf::View& view);

// One rectangular control. Coordinates are those of the owning panel's view.
class Widget : public sf::Drawable {
public:
    virtual ~Widget() = default;
    virtual void handleEvent(const sf::Event& event) = 0;

    // The window whose events the widget takes, and its panel's view; neither is owned.
    void bind(const sf::RenderTarget& eventWindow, const sf::View& panelView)
    {
        window = &eventWindow;
        view = &panelView;
    }
    // A pixel of the window in the panel's coordinates.
    sf::Vector2f toView(int x, int y) const { return mapToView(*window, x, y, *view); }
    // True when the pixel maps inside rect: left and top edges in, right and bottom out.
    bool hits(int x, int y) const;

    sf::RectangleShape shape;
    sf::FloatRect rect;
    const sf::View* view = nullptr;
    const sf::RenderTarget* window = nullptr;
};
