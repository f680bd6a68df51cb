#include "TestSupport.hpp"

#include "files/ScriptLoader.hpp"

namespace fs = std::filesystem;

using AppFilesTest = AppTest;

TEST_F(AppFilesTest, SaveAsRefusesExistingAndUnsafeNames)
{
    writeBytes("user/act1.html", "precious");
    EXPECT_FALSE(app->saveScriptAs("act1"));
    EXPECT_EQ(readBytes("user/act1.html"), "precious");
    for (const std::string& name : std::vector<std::string>{"../escape", "a/b", ".", "..", std::string("nul\0x", 5)})
        EXPECT_FALSE(app->saveScriptAs(name)) << name;
    EXPECT_FALSE(fs::exists("escape.html"));
    EXPECT_TRUE(app->session().untitled);
    EXPECT_EQ(app->session().fileName, "empty");
}

TEST_F(AppFilesTest, SaveAsKeepsADoubleExtensionAndANonAsciiName)
{
    EXPECT_TRUE(app->saveScriptAs("act1.html"));
    EXPECT_TRUE(fs::exists("user/act1.html.html"));
    EXPECT_TRUE(app->saveScriptAs("Akt Ü"));
    EXPECT_EQ(app->session().fileName, "Akt Ü");
    EXPECT_TRUE(fs::exists(fs::u8path("user/Akt Ü.html")));
    app->fileList().setOpen(true);
    EXPECT_EQ(app->fileList().names[1], "act1.html");
}

// A save over a file that another window wrote since this one read or wrote it asks first:
// Cancel keeps theirs, "Save as…" offers a name beside it, "Save anyway" keeps theirs as a
// backup. A file only touched, or gone, is saved over without a word.
TEST_F(AppFilesTest, ASaveOverAnotherWindowsSaveAsksFirst)
{
    control(sf::Keyboard::Num2);
    setText("Mine.");
    ASSERT_TRUE(app->saveScriptAs("act1"));
    const std::string ours = readBytes("user/act1.html");
    type("!");
    std::string theirs = ours;
    theirs.replace(theirs.find("Mine."), 5, "Their");
    writeBytes("user/act1.html", theirs); // the same size: only the bytes tell
    EXPECT_FALSE(app->saveScript());
    ASSERT_TRUE(app->changedCheck().isOpen());
    EXPECT_EQ(app->changedCheck().message.getString().toAnsiString(), "act1 was changed by another window since you\nopened it");
    EXPECT_EQ(app->changedCheck().quitButton.label.getString(), sf::String(L"Save as\u2026"));
    click(960, 580); // Cancel
    EXPECT_EQ(readBytes("user/act1.html"), theirs);
    EXPECT_FALSE(app->session().saved());
    control(sf::Keyboard::S);
    click(960, 520); // Save as…
    ASSERT_TRUE(app->saveAsPanel().isOpen());
    EXPECT_EQ(app->saveAsPanel().nameBox.text, "act1 (mine)");
    key(sf::Keyboard::Escape);
    control(sf::Keyboard::S);
    click(960, 460); // Save anyway
    EXPECT_NE(readBytes("user/act1.html").find("Mine.!"), std::string::npos);
    ASSERT_EQ(std::distance(fs::directory_iterator("user/.backup/act1"), fs::directory_iterator()), 1);
    EXPECT_EQ(readBytes(fs::directory_iterator("user/.backup/act1")->path()), theirs);
    type("?");
    fs::last_write_time("user/act1.html", fs::last_write_time("user/act1.html") + std::chrono::seconds(5));
    EXPECT_TRUE(app->saveScript()) << "touched, not changed";
    type("?");
    fs::remove("user/act1.html");
    EXPECT_TRUE(app->saveScript()) << "gone";
    EXPECT_FALSE(app->changedCheck().isOpen());
}

TEST_F(AppFilesTest, OpeningTheTemplateStaysUntitled)
{
    type("abc");
    ASSERT_TRUE(app->openScript(""));
    EXPECT_TRUE(app->session().untitled);
    EXPECT_EQ(app->session().fileName, "empty");
    EXPECT_TRUE(app->session().saved());
    EXPECT_TRUE(currentParagraph().text.isEmpty());
    control(sf::Keyboard::S);
    EXPECT_TRUE(app->saveAsPanel().isOpen());
}

TEST_F(AppFilesTest, OpeningANamedScriptRestoresEverything)
{
    control(sf::Keyboard::F);
    app->titlePage().titleBox.setText("Dawn");
    app->session().script.title = "Dawn";
    setText("INT. A");
    key(sf::Keyboard::Enter);
    type("Quiet.");
    ASSERT_TRUE(app->saveScriptAs("act1"));
    ASSERT_TRUE(app->openScript(""));
    for (int i = 0; i < 5; ++i)
        send(ev::wheel(-1));
    ASSERT_TRUE(app->openScript("act1"));
    EXPECT_FALSE(app->session().untitled);
    EXPECT_EQ(app->session().fileName, "act1");
    EXPECT_EQ(app->session().script.title, "Dawn");
    EXPECT_EQ(app->titlePage().titleBox.text, "Dawn");
    EXPECT_TRUE(app->titlePage().isOpen());
    EXPECT_EQ(page().view.getCenter().y, 490);
    EXPECT_EQ(page().background.getPosition().y, 0);
    ASSERT_EQ(page().size(), 2u);
    EXPECT_EQ(paragraph(1).text, "Quiet.");
    EXPECT_EQ(page().caret(), (Caret{0, 0})); // the caret at the top, in view
    EXPECT_EQ(app->currentKind(), Scene);
}

TEST_F(AppFilesTest, AMissingUserFolderAndTemplateAreMadeAgain)
{
    app.reset();
    fs::remove_all("user");
    app = std::make_unique<App>(desktop.platform());
    EXPECT_EQ(readBytes("user/empty.html"), readBytes(fs::path(QUILLMERE_SOURCE_DIR) / "user" / "empty.html"));
    EXPECT_TRUE(app->saveScriptAs("act1"));

    // At a start, what a write cut short left ten minutes ago goes, and nothing else.
    app.reset();
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"user/.quillmere-cut", "user/.quillmere-now", "user/act2.html"})
        writeBytes(name, "x");
    fs::last_write_time("user/.quillmere-cut", hourAgo);
    fs::last_write_time("user/act2.html", hourAgo);
    app = std::make_unique<App>(desktop.platform());
    EXPECT_FALSE(fs::exists("user/.quillmere-cut"));
    EXPECT_TRUE(fs::exists("user/.quillmere-now")) << "perhaps another window's save under way";
    EXPECT_TRUE(fs::exists("user/act2.html"));
}

// A new scene typed as a writer does, completion dismissed and Tab and Shift+Tab tried on
// the last, empty name: the file holds what the sheet shows, not one paragraph more.
TEST_F(AppFilesTest, ASittingIsSavedAsTheSheetShowsIt)
{
    ASSERT_TRUE(app->openScript(""));
    for (const char* line : {"int. kitchen - night", "Bob waits.", "bob", "Hi.", "b", "en", "Yes."}) {
        type(line);
        if (*line == 'b' && line[1] == 0)
            key(sf::Keyboard::Escape); // the offered "BOB"
        else
            key(sf::Keyboard::Enter);
    }
    key(sf::Keyboard::Tab);
    sf::Event back = ev::keyPressed(sf::Keyboard::Tab);
    back.key.shift = true;
    send(back);
    const std::vector<Paragraph> shown{{Scene, "int. kitchen - night"}, {Directorial, "Bob waits."}, {Name, "bob"},
                                       {Speech, "Hi."}, {Name, "ben"}, {Speech, "Yes."}, {Name, ""}};
    EXPECT_EQ(app->script().paragraphs, shown);
    ASSERT_TRUE(app->saveScriptAs("day"));
    EXPECT_TRUE(app->session().saved());
    const std::optional<Script> saved = loadScript("user/day.html");
    ASSERT_TRUE(saved);
    const std::vector<Paragraph> written{{Scene, "INT. KITCHEN - NIGHT"}, {Directorial, "Bob waits."}, {Name, "BOB"},
                                         {Speech, "Hi."}, {Name, "BEN"}, {Speech, "Yes."}, {Name, ""}};
    EXPECT_EQ(saved->paragraphs, written);
}
