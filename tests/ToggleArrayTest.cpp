#include "TestSupport.hpp"

using ToggleArrayTest = AppTest;

TEST_F(ToggleArrayTest, LayoutAtFullWidthAndAfterAResize)
{
    const ToggleArray& bar = app->toggleArray();
    const float starts[] = {7, 325, 643, 961, 1279, 1597};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bar.buttons[i].rect.left, starts[i]);
        EXPECT_EQ(bar.buttons[i].rect.width, 311); // whole pixels: 1870 / 6 truncated
    }
    send(ev::resized(1010, 700));
    const float narrow[] = {7, 174, 341, 508, 675, 842};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bar.buttons[i].rect.left, narrow[i]);
        EXPECT_EQ(bar.buttons[i].rect.width, 160);
    }
    send(ev::resized(1102, 700)); // 1052 / 6 is truncated to 175
    EXPECT_EQ(bar.buttons[0].rect.width, 175);
    EXPECT_EQ(bar.background.getSize(), sf::Vector2f(1102, 60));
}

TEST_F(ToggleArrayTest, PressesOutsideTheButtonsKeepTheSelection)
{
    ToggleArray& bar = app->toggleArray();
    click(1160, 30);
    EXPECT_EQ(bar.selected, 3);
    click(321, 30); // a gap
    EXPECT_TRUE(bar.buttons[3].on);
    click(960, 600); // the sheet
    click(1160, 30); // the selected button again
    EXPECT_EQ(bar.selected, 3);
    int on = 0;
    for (const ToggleButton& b : bar.buttons)
        on += b.on;
    EXPECT_EQ(on, 1);
    EXPECT_EQ(bar.buttons[3].shape.getFillColor(), sf::Color(255, 200, 255));
}

TEST_F(ToggleArrayTest, AParagraphOfKindNoneShowsNoButtonButAClickStillSetsAKind)
{
    page().setKind(None);
    click(700, 130);
    EXPECT_EQ(app->currentKind(), None);
    EXPECT_EQ(app->toggleArray().selected, -1);
    for (const ToggleButton& b : app->toggleArray().buttons)
        EXPECT_FALSE(b.on);
    click(321, 30); // a gap: still none
    EXPECT_EQ(app->toggleArray().selected, -1);
    click(1400, 30); // "Speech"
    EXPECT_EQ(currentParagraph().kind, Speech);
    click(1700, 30); // "Transition"
    EXPECT_EQ(currentParagraph().kind, Transition);
}

TEST_F(ToggleArrayTest, WhileAModalDialogIsOpenPressesChangeNothingButResizesLayOut)
{
    app->fileList().setOpen(true);
    send(ev::pressed(960, 30));
    EXPECT_EQ(app->toggleArray().selected, 0);
    send(ev::resized(1010, 700));
    EXPECT_EQ(app->toggleArray().buttons[1].rect.left, 174);
}
