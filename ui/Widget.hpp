#pragma once

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>

// Maps a window pixel into the coordinates of a view, through the App's window.
sf::Vector2f mapToView(int x, int y, const sf::View& view);

// One rectangular control. Coordinates are those of the owning panel's view.
class Widget : public sf::Drawable {
public:
    virtual ~Widget() = default;
    virtual void handleEvent(const sf::Event& event) = 0;

    // True when the pixel maps inside rect: left and top edges in, right and bottom out.
    bool hits(int x, int y) const;

    sf::RectangleShape shape;
    sf::FloatRect rect;
    const sf::View* view = nullptr; // the owning panel's view, not owned
};
