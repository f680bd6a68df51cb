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
    EXPECT_EQ(thumb.top, 60);
    EXPECT_EQ(thumb.height, 125); // 920 pixels of track for a view of 980 over 7,187
    const sf::Image frame = captureFrame(*app);
    EXPECT_EQ(frame.getPixel(1914, 100), sf::Color(80, 80, 110)) << "the thumb";
    EXPECT_EQ(frame.getPixel(1914, 900), sf::Color(30, 30, 52)) << "the track";

    const int x = 1920 - 6;
    send(ev::pressed(x, 70));
    send(ev::moved(x, 70 + 460)); // 460 of the 795 pixels the thumb moves over
    send(ev::released(x, 530));
    EXPECT_EQ(page().viewTop(), 3591); // of the 6,207 hidden
    EXPECT_TRUE(page().focused()); // the press was the scroll bar's alone
    app->render();
    EXPECT_EQ(bar.thumb.getPosition().y, 519);

    send(ev::pressed(x, 300)); // the track above the thumb: the thumb's middle goes there
    send(ev::released(x, 300));
    EXPECT_EQ(page().viewTop(), 1385);
    send(ev::pressed(x, 975)); // the foot of the track: as far as it goes
    send(ev::released(x, 975));
    EXPECT_EQ(page().viewTop(), 6207);
}
