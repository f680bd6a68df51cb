#include "TestSupport.hpp"

using TitlePageTest = AppTest;

TEST_F(TitlePageTest, FocusMovesBetweenTheBoxes)
{
    TitlePage& panel = app->titlePage();
    click(100, 220);
    EXPECT_TRUE(panel.authorBox.focused);
    click(100, 120);
    EXPECT_TRUE(panel.titleBox.focused);
    EXPECT_FALSE(panel.authorBox.focused);
}

TEST_F(TitlePageTest, TypingWithNeitherBoxFocusedChangesNeitherLine)
{
    click(100, 600);
    type("abc");
    EXPECT_EQ(app->session().titlePage.title, "[Title here]");
    EXPECT_EQ(app->session().titlePage.author, "By [Author here]");
}

TEST_F(TitlePageTest, LinesCanBeEmptied)
{
    click(430, 220);
    for (int i = 0; i < 20; ++i)
        send(ev::textEntered(8));
    EXPECT_EQ(app->session().titlePage.author, "");
}

TEST_F(TitlePageTest, AResizeKeepsTheWidthAndFillsTheHeight)
{
    send(ev::resized(1500, 640));
    EXPECT_EQ(app->titlePage().background.getSize(), sf::Vector2f(455, 640));
    EXPECT_EQ(app->titlePage().view.getCenter(), sf::Vector2f(750, 320));
}
