#pragma once

#include "ui/EditBox.hpp"
#include "ui/Group.hpp"

// The side panel at the left in which the title and the author line are edited.
class TitlePage : public Group {
public:
    static constexpr float panelWidth = 455;

    explicit TitlePage(const sf::RenderTarget& window);
    void unfocus() override;
    void handleEvent(const sf::Event& event) override;

    EditBox titleBox;
    EditBox authorBox;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
};
