#include "TestSupport.hpp"

class SaveAsTest : public AppTest {
protected:
    void pressSave() { click(960, 420); }
    SaveAs& panel() { return app->saveAsPanel; }
};

TEST_F(SaveAsTest, ControlSOnANewScriptAsksForANameAndSavesUnderIt)
{
    type("x");
    control(sf::Keyboard::S);
    ASSERT_TRUE(panel().isOpen());
    EXPECT_TRUE(panel().nameBox.focused);
    type("act1");
    pressSave();
    EXPECT_FALSE(panel().isOpen());
    EXPECT_TRUE(std::filesystem::exists(folder / "user" / "act1.html"));
    EXPECT_EQ(app->fileName, "act1");
    EXPECT_TRUE(app->saved);
    type("y");
    control(sf::Keyboard::S); // named now: saves at once
    EXPECT_FALSE(panel().isOpen());
    EXPECT_TRUE(app->saved);
    EXPECT_NE(readBytes(folder / "user" / "act1.html").find(">XY<"), std::string::npos);
}

TEST_F(SaveAsTest, AnEmptyNameKeepsThePanelOpenAndTheBoxLosesFocus)
{
    control(sf::Keyboard::S);
    pressSave();
    EXPECT_TRUE(panel().isOpen());
    EXPECT_FALSE(panel().nameBox.focused);
    type("ignored");
    EXPECT_TRUE(panel().nameBox.text.isEmpty());
}

TEST_F(SaveAsTest, EscapeSavesNothingAndReopeningShowsAnEmptyField)
{
    control(sf::Keyboard::S);
    type("draft");
    key(sf::Keyboard::Escape);
    EXPECT_FALSE(panel().isOpen());
    EXPECT_FALSE(std::filesystem::exists(folder / "user" / "draft.html"));
    control(sf::Keyboard::S);
    EXPECT_TRUE(panel().nameBox.text.isEmpty());
    EXPECT_TRUE(panel().nameBox.focused);
}

TEST_F(SaveAsTest, ANameOfSpacesIsHandedOverAndReturnDoesNotConfirm)
{
    control(sf::Keyboard::S);
    type("  ");
    key(sf::Keyboard::Enter);
    EXPECT_TRUE(panel().isOpen());
    pressSave();
    EXPECT_TRUE(std::filesystem::exists(folder / "user" / "  .html"));
}
