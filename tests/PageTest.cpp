#include "TestSupport.hpp"

using PageTest = AppTest;

TEST_F(PageTest, StartsWithOneEmptySceneAndStacksBelowIt)
{
    ASSERT_EQ(page().paragraphs.size(), 1u);
    EXPECT_EQ(page().paragraphs[0].rect.top, 120);
    EXPECT_EQ(page().paragraphs[0].rect.height, 47);
    EXPECT_TRUE(page().paragraphs[0].focused);
    page().addParagraph(Directorial);
    EXPECT_EQ(page().paragraphs[1].rect.top, 167);
}

TEST_F(PageTest, EnterInTheMiddleInsertsDirectlyAfterAndPushesTheRestDown)
{
    page().addParagraph(Directorial);
    page().addParagraph(Name);
    const float nameTop = page().paragraphs[2].rect.top;
    page().current = 0;
    page().focusCurrent();
    page().addParagraph(Directorial);
    ASSERT_EQ(page().paragraphs.size(), 4u);
    EXPECT_EQ(page().current, 1u);
    EXPECT_EQ(page().paragraphs[3].kind, Name);
    EXPECT_EQ(page().paragraphs[3].rect.top, nameTop + 47);
    EXPECT_EQ(page().paragraphs[3].display.getPosition().y, nameTop + 47);
}

TEST_F(PageTest, ArrowsCarryTheCaretAcrossParagraphsAndStopAtTheEnds)
{
    currentParagraph().setText("ONE");
    page().addParagraph(Directorial);
    currentParagraph().setText("two");
    key(sf::Keyboard::Right); // at the end of the last: nothing
    EXPECT_EQ(page().current, 1u);
    EXPECT_TRUE(currentParagraph().focused);
    currentParagraph().setCursor(0);
    key(sf::Keyboard::Left);
    EXPECT_EQ(page().current, 0u);
    EXPECT_EQ(currentParagraph().cursor, 3u);
    EXPECT_FALSE(page().paragraphs[1].focused);
    key(sf::Keyboard::Down);
    EXPECT_EQ(page().current, 1u);
    EXPECT_EQ(currentParagraph().cursor, 0u);
    key(sf::Keyboard::Up);
    key(sf::Keyboard::Up);
    EXPECT_EQ(page().current, 0u);
    currentParagraph().setCursor(0);
    key(sf::Keyboard::Left);
    EXPECT_EQ(page().current, 0u);
    EXPECT_TRUE(currentParagraph().focused);
}

TEST_F(PageTest, PressesFocusTheParagraphUnderThemOrTheNearestEnd)
{
    page().addParagraph(Directorial);
    page().addParagraph(Name);
    click(700, 180); // inside the Directorial
    EXPECT_EQ(page().current, 1u);
    EXPECT_TRUE(page().paragraphs[1].focused);
    click(700, 100); // on the sheet above the first paragraph
    EXPECT_EQ(page().current, 0u);
    click(700, 900); // below the last paragraph
    EXPECT_EQ(page().current, 2u);
    EXPECT_TRUE(page().paragraphs[2].focused);
    click(300, 900); // beside the sheet
    for (const DivEditor& p : page().paragraphs)
        EXPECT_FALSE(p.focused);
}

TEST_F(PageTest, AfterScrollingAPressMakesTheParagraphUnderItCurrent)
{
    for (int i = 0; i < 60; ++i)
        page().addParagraph(Directorial);
    for (int i = 0; i < 40; ++i)
        send(ev::wheel(-1));
    EXPECT_EQ(page().view.getCenter().y, 490 + 40 * 32);
    EXPECT_EQ(page().background.getPosition().y, 40 * 32);
    const int y = 500;
    click(700, y);
    const float pageY = y + 40 * 32;
    const DivEditor& p = page().currentParagraph();
    EXPECT_TRUE(p.focused);
    EXPECT_LE(p.rect.top, pageY);
    EXPECT_GT(p.rect.top + p.rect.height, pageY);
}

TEST_F(PageTest, TheWheelStopsAtTheTopAndAResizeReturnsThere)
{
    send(ev::wheel(3));
    EXPECT_EQ(page().view.getCenter().y, 490);
    send(ev::wheel(-1));
    EXPECT_EQ(page().view.getCenter().y, 522);
    send(ev::resized(1200, 700));
    EXPECT_EQ(page().view.getCenter(), sf::Vector2f(960, 350));
    EXPECT_EQ(page().view.getSize(), sf::Vector2f(1200, 700));
    EXPECT_EQ(page().background.getSize(), sf::Vector2f(990, 700));
}

TEST_F(PageTest, InAShorterWindowTheWheelStillReachesTheTopAndTheSheetFillsTheView)
{
    send(ev::resized(1200, 700));
    send(ev::wheel(-2));
    send(ev::wheel(5));
    EXPECT_EQ(page().view.getCenter().y, 350); // the view's top edge back at 0
    EXPECT_EQ(page().background.getPosition().y, 0);
    send(ev::wheel(-3));
    EXPECT_EQ(page().background.getPosition().y, page().view.getCenter().y - 350);
}

TEST_F(PageTest, AResizeAfterScrollingBringsTheSheetBackWithTheView)
{
    send(ev::wheel(-10));
    send(ev::resized(1920, 980));
    EXPECT_EQ(page().view.getCenter().y, 490);
    EXPECT_EQ(page().background.getPosition().y, 0);
}

TEST_F(PageTest, BackspaceRemovesOnlyAnEmptyLaterParagraph)
{
    currentParagraph().setText("HEAD");
    key(sf::Keyboard::Enter);
    ASSERT_EQ(page().paragraphs.size(), 2u);
    key(sf::Keyboard::BackSpace);
    send(ev::textEntered(8)); // the character of the same key press
    ASSERT_EQ(page().paragraphs.size(), 1u);
    EXPECT_EQ(currentParagraph().text, "HEAD"); // one key press, one action
    EXPECT_EQ(currentParagraph().cursor, 4u);
    currentParagraph().setText("");
    key(sf::Keyboard::BackSpace);
    EXPECT_EQ(page().paragraphs.size(), 1u);
}

TEST_F(PageTest, OnlyParagraphsInTheViewAreDrawnAndTheFrameStillShowsThem)
{
    for (int i = 0; i < 200; ++i) {
        page().addParagraph(Directorial);
        currentParagraph().setText("line " + std::to_string(i));
    }
    app->render();
    const sf::Image frame = captureFrame(*app);
    // The second paragraph's text is dark on the white sheet.
    bool ink = false;
    for (unsigned x = 645; x < 760 && !ink; ++x)
        for (unsigned y = 167; y < 190 && !ink; ++y)
            ink = frame.getPixel(x, y).r < 100;
    EXPECT_TRUE(ink);
}
