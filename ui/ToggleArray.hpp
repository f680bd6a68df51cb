#pragma once

#include "ui/Button.hpp"
#include "ui/Group.hpp"

#include <cstdint>
#include <vector>

// The bar of kind buttons across the top of the window; exactly one is selected.
// Button i stands for the paragraph kind i + 1.
class ToggleArray : public Group {
public:
    static constexpr float barHeight = 60;

    explicit ToggleArray(const sf::RenderTarget& window);
    void setup(float width, const std::vector<sf::String>& labels);
    // Moves the selection to a button; an index outside the buttons selects none (-1).
    void select(std::int32_t index);
    void handleEvent(const sf::Event& event) override;

    std::vector<ToggleButton> buttons;
    std::int32_t selected = 0;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void layout(float buttonWidth, const std::vector<sf::String>* labels);
    bool valid(std::int32_t index) const { return index >= 0 && index < static_cast<std::int32_t>(buttons.size()); }
};
