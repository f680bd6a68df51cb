#include "TestSupport.hpp"

using ScrollBarTest = AppTest;

TEST_F(ScrollBarTest, TheThumbShowsTheViewAndDraggingItScrolls)
{
    for (int i = 0; i < 300; ++i)
        page().addParagraph(Name); // 300 lines: 6,900 pixels and more
    control(sf::Keyboard::Home);
    app->render();
    const ScrollBar& bar = app->scrollBar();
    const sf::FloatRect thumb = bar.thumb.getGlobalBounds();
    EXPECT_EQ(thumb.top, ScrollBar::trackTop);
    EXPECT_NEAR(thumb.height, 920.f * 980 / (page().scriptHeight() + 120), 1);

    const int x = 1920 - 6;
    send(ev::pressed(x, 70));
    send(ev::moved(x, 70 + 460)); // half the track down
    send(ev::released(x, 530));
    EXPECT_NEAR(page().viewTop() / (page().scriptHeight() + 120 - 980), 460 / (920 - thumb.height), 0.01);
    EXPECT_TRUE(page().focused()); // the press was the scroll bar's alone
    app->render();
    EXPECT_NEAR(bar.thumb.getPosition().y, ScrollBar::trackTop + 460, 1);

    send(ev::pressed(x, 975)); // the foot of the track: the thumb's middle goes there
    send(ev::released(x, 975));
    EXPECT_NEAR(page().viewTop(), page().scriptHeight() + 120 - 980, 2);
}
