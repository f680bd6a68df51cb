#include "TestSupport.hpp"
#include "files/UserFolder.hpp"

class SaveAsTest : public AppTest {
protected:
    void pressSave() { click(960, 420); }
    SaveAs& panel() { return app->saveAsPanel(); }
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
    EXPECT_EQ(app->session().fileName, "act1");
    EXPECT_TRUE(app->session().saved());
    type("y");
    control(sf::Keyboard::S); // named now: saves at once
    EXPECT_FALSE(panel().isOpen());
    EXPECT_TRUE(app->session().saved());
    EXPECT_NE(readBytes(folder / "user" / "act1.html").find(">XY<"), std::string::npos);
}

TEST(NameFromTitle, ATitleBecomesANameTheFolderTakes)
{
    std::string long101, long100;
    for (int i = 0; i < 101; ++i)
        long101 += "é";
    long100 = long101.substr(0, 200);
    const std::vector<std::pair<std::string, std::string>> rows{
        {"[Title here]", ""}, {"Night / Day", "Night - Day"}, {"..Hidden", "Hidden"},
        {"  Two\nLines  ", "Two Lines"}, {"...", ""}, {long101, long100},
    };
    for (const auto& [title, name] : rows)
        EXPECT_EQ(nameFromTitle(title), name) << title;
}

// A new script's title is offered as its name.
TEST_F(SaveAsTest, TheTitleIsOfferedForANewScript)
{
    TitleLines title = app->script().titlePage();
    title.title = "Big Fish";
    app->session().script.setTitlePage(title);
    control(sf::Keyboard::S);
    EXPECT_EQ(panel().nameBox.text, "Big Fish");
    type("Roof"); // selected: typing replaces it
    EXPECT_EQ(panel().nameBox.text, "Roof");
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

TEST_F(SaveAsTest, ReturnConfirmsAndANameOfSpacesIsHandedOver)
{
    control(sf::Keyboard::S);
    type("  ");
    key(sf::Keyboard::Enter);
    EXPECT_FALSE(panel().isOpen());
    EXPECT_TRUE(std::filesystem::exists(folder / "user" / "  .html"));
}

TEST_F(SaveAsTest, ARefusedOrFailedNameKeepsThePanelOpenAndSaysWhy)
{
    writeBytes(folder / "user" / "taken.html", "x");
    const std::string tooLong(201, 'n'); // no room for its copies' names
    const std::pair<std::string, std::string> cases[] = {
        {"taken", "A script of that name exists"},
        {".hidden", "Names cannot contain / or start with a dot"},
        {"a/b", "Names cannot contain / or start with a dot"},
        {tooLong, "Names can be 200 bytes long at most"},
    };
    control(sf::Keyboard::S);
    for (const auto& [name, why] : cases) {
        panel().nameBox.setText(name);
        pressSave();
        EXPECT_TRUE(panel().isOpen()) << name;
        EXPECT_EQ(panel().nameBox.text, name);
        EXPECT_EQ(panel().message.getString(), sf::String::fromUtf8(why.begin(), why.end())) << name;
    }
    EXPECT_TRUE(app->session().untitled);
    EXPECT_EQ(readBytes(folder / "user" / "taken.html"), "x");
    panel().nameBox.setText(std::string(200, 'n')); // the longest name taken
    pressSave();
    EXPECT_FALSE(panel().isOpen());
    EXPECT_TRUE(std::filesystem::exists(folder / "user" / (std::string(200, 'n') + ".html")));
}
