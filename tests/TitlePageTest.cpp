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
    EXPECT_EQ(app->session().script.title, "[Title here]");
    EXPECT_EQ(app->session().script.author, "By [Author here]");
}

TEST_F(TitlePageTest, LinesCanBeEmptied)
{
    click(430, 220);
    for (int i = 0; i < 20; ++i)
        send(ev::textEntered(8));
    EXPECT_EQ(app->session().script.author, "");
}

TEST_F(TitlePageTest, AResizeKeepsTheWidthAndFillsTheHeight)
{
    send(ev::resized(1500, 640));
    EXPECT_EQ(app->titlePage().background.getSize(), sf::Vector2f(455, 640));
    EXPECT_EQ(app->titlePage().view.getCenter(), sf::Vector2f(750, 320));
}

TEST_F(TitlePageTest, ALongLineIsCutAtItsBoxsEdge)
{
    app->titlePage().setOpen(true);
    app->session().script.source = std::string(60, 'W');
    app->titlePage().show(app->session().script);
    app->render();
    const sf::Image frame = captureFrame(*app);
    int bright = 0; // text pixels between the box's right edge (442) and the panel's (455)
    for (unsigned x = 446; x < 455; ++x)
        for (unsigned y = 345; y < 375; ++y)
            bright += frame.getPixel(x, y).r > 200;
    EXPECT_EQ(bright, 0);
    EXPECT_GT(frame.getPixel(30, 360).r + frame.getPixel(31, 360).r + frame.getPixel(32, 360).r, 0); // the text itself shows
}

// The template's words are selected by the first click into their box, so typing replaces them.
TEST_F(TitlePageTest, TheFirstClickIntoTheTemplatesWordsSelectsThem)
{
    click(100, 120);
    type("Big Fish");
    key(sf::Keyboard::Home);
    key(sf::Keyboard::Delete); // a key that changes a box changes the script
    EXPECT_EQ(app->session().script.title, "ig Fish");
    click(100, 120); // the box has the keys and its own words: the caret goes where pressed
    EXPECT_FALSE(app->titlePage().titleBox.hasSelection());
}
