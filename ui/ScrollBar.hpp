#pragma once

#include "ui/Group.hpp"

#include <optional>

// The thin bar at the window's right edge that shows where the view stands in the whole
// script; dragging its thumb, or pressing the track, scrolls. Its coordinates are window
// pixels; the App tells it the page's view and the script's height before each frame.
class ScrollBar : public Group {
public:
    static constexpr float width = 12;    // pixels
    static constexpr float trackTop = 60; // below the kind bar

    explicit ScrollBar(const sf::RenderTarget& window);
    // Places the thumb for a view of viewHeight at viewTop over content of contentHeight.
    void show(float viewTop, float viewHeight, float contentHeight);
    void handleEvent(const sf::Event& event) override;
    bool contains(int x, int y) const;

    sf::RectangleShape thumb;
    bool dragging = false;
    std::optional<float> wantedTop; // the view's top a press or a drag asks for

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void dragTo(float y);
    float trackHeight() const { return view.getSize().y - trackTop; }

    float viewTop = 0, viewHeight = 1, contentHeight = 1;
    float grab = 0; // where in the thumb the pointer holds it
};
