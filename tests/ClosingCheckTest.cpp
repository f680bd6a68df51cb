#include "TestSupport.hpp"

class ClosingCheckTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        type("x");
        send(ev::closed());
        ASSERT_TRUE(app->closingCheck().isOpen());
    }
    void saveAndQuit() { click(960, 460); }
    void quitWithoutSaving() { click(960, 520); }
    void cancel() { click(960, 580); }
};

TEST_F(ClosingCheckTest, CancelAndEscapeKeepEverything)
{
    cancel();
    EXPECT_FALSE(app->closingCheck().isOpen());
    EXPECT_TRUE(app->window().isOpen());
    send(ev::closed());
    EXPECT_TRUE(app->closingCheck().isOpen());
    key(sf::Keyboard::Escape);
    EXPECT_FALSE(app->closingCheck().isOpen());
    EXPECT_FALSE(app->quitting());
    EXPECT_TRUE(app->window().isOpen());
}

TEST_F(ClosingCheckTest, QuitWithoutSavingQuitsAfterTheSameEvent)
{
    quitWithoutSaving();
    EXPECT_FALSE(app->window().isOpen());
    EXPECT_EQ(readBytes(folder / "user" / "empty.html").find("X"), std::string::npos);
}

TEST_F(ClosingCheckTest, SaveAndQuitOnANamedScriptSavesThenQuits)
{
    app->session().untitled = false;
    app->session().fileName = "act1";
    saveAndQuit();
    EXPECT_FALSE(app->window().isOpen());
    EXPECT_NE(readBytes(folder / "user" / "act1.html").find(">X<"), std::string::npos);
}

TEST_F(ClosingCheckTest, SaveAndQuitStaysOpenWhenTheSaveFails)
{
    app->session().untitled = false;
    app->session().fileName = "act1";
    std::filesystem::remove_all(folder / "user");
    writeBytes(folder / "user", "a file where the folder should be");
    saveAndQuit();
    EXPECT_TRUE(app->window().isOpen());
    EXPECT_FALSE(app->session().saved());
    EXPECT_FALSE(app->quitting());
}

TEST_F(ClosingCheckTest, SaveAndQuitOnAnUntitledScriptQuitsOnceTheNameIsSaved)
{
    saveAndQuit();
    ASSERT_TRUE(app->saveAsPanel().isOpen());
    EXPECT_TRUE(app->window().isOpen());
    type("act1"); // the box has the keyboard at once
    click(960, 420);
    EXPECT_FALSE(app->window().isOpen());
    EXPECT_TRUE(std::filesystem::exists(folder / "user" / "act1.html"));
}

TEST_F(ClosingCheckTest, AnAbandonedOrRefusedSaveDoesNotQuit)
{
    saveAndQuit();
    key(sf::Keyboard::Escape);
    EXPECT_TRUE(app->window().isOpen());
    EXPECT_FALSE(app->quitting());
    EXPECT_FALSE(app->session().saved());

    writeBytes(folder / "user" / "taken.html", "x");
    send(ev::closed());
    saveAndQuit();
    type("taken");
    click(960, 420);
    EXPECT_TRUE(app->window().isOpen());
    EXPECT_EQ(readBytes(folder / "user" / "taken.html"), "x");
    key(sf::Keyboard::Escape);
    send(ev::closed());
    quitWithoutSaving();
    EXPECT_FALSE(app->window().isOpen());
}
