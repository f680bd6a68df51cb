#include "TestSupport.hpp"

class ButtonTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        button.bind(app->window(), app->page().view);
        button.setup("Go", 100, 100, 200, 40);
        toggle.bind(app->window(), app->page().view);
        toggle.layout(100, 200, 200, 40);
    }
    Button button;
    ToggleButton toggle;
};

TEST_F(ButtonTest, EdgesOfTheRectangle)
{
    ASSERT_EQ(app->window().getSize(), sf::Vector2u(1920, 980));
    button.handleEvent(ev::pressed(100, 100));
    EXPECT_TRUE(button.clicked);
    button.handleEvent(ev::pressed(300, 120));
    EXPECT_FALSE(button.clicked);
    button.handleEvent(ev::pressed(150, 140));
    EXPECT_FALSE(button.clicked);
    button.handleEvent(ev::pressed(299, 139));
    EXPECT_TRUE(button.clicked);
}

TEST_F(ButtonTest, ClickedLastsUntilTheNextEventAndAnyButtonCounts)
{
    button.handleEvent(ev::pressed(150, 120, sf::Mouse::Right));
    EXPECT_TRUE(button.clicked);
    EXPECT_EQ(button.shape.getFillColor(), sf::Color(90, 90, 120));
    button.handleEvent(ev::moved(150, 120));
    EXPECT_FALSE(button.clicked);
    EXPECT_EQ(button.shape.getFillColor(), sf::Color(65, 65, 90)); // hover shows one event late
    button.handleEvent(ev::moved(150, 120));
    EXPECT_EQ(button.shape.getFillColor(), sf::Color(80, 80, 110));
}

TEST_F(ButtonTest, AToggleReflectsOnlyTheLastPress)
{
    toggle.handleEvent(ev::pressed(150, 210, sf::Mouse::Middle));
    EXPECT_TRUE(toggle.on);
    EXPECT_EQ(toggle.shape.getFillColor(), sf::Color(255, 200, 255));
    toggle.handleEvent(ev::moved(10, 10));
    EXPECT_TRUE(toggle.on);
    toggle.handleEvent(ev::pressed(10, 10));
    EXPECT_FALSE(toggle.on);
    EXPECT_EQ(toggle.shape.getFillColor(), sf::Color::White);
}
