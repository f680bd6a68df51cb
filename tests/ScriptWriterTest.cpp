#include "TestSupport.hpp"

#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"

namespace fs = std::filesystem;

class ScriptWriterTest : public AppTest {
protected:
    void fillSample()
    {
        Page& p = page();
        p.currentParagraph().setText("INT. HOUSE - DAY");
        const std::pair<DivType, const char32_t*> rest[] = {
            {Directorial, U"Bob & Alice <3 each other."}, {Name, U"BOB"}, {Parenthetical, U"(quietly)"},
            {Speech, U"Hello — 東京 😀 café"}, {Scene, U"EXT. YARD"}, {None, U"raw"}, {Scene, U""}};
        for (const auto& [kind, text] : rest) {
            p.addParagraph(kind);
            p.currentParagraph().setText(u32(text));
        }
    }
    const sf::String title = "Night & Day";
    const sf::String author = "By Ann <A.> Writer";
};

TEST_F(ScriptWriterTest, WritesTheFormatByteForByte)
{
    fillSample();
    ASSERT_TRUE(writeScript(page(), title, author, "user/act1", false));
    EXPECT_EQ(readBytes("user/act1.html"), readBytes(fs::path(QUILLMERE_TESTDATA) / "script.html"));
}

TEST_F(ScriptWriterTest, AStartupPageIsTheTemplate)
{
    ASSERT_TRUE(writeScript(page(), "[Title here]", "By [Author here]", "user/fresh", false));
    EXPECT_EQ(readBytes("user/fresh.html"), readBytes(fs::path(QUILLMERE_SOURCE_DIR) / "user" / "empty.html"));
}

TEST_F(ScriptWriterTest, TheTenthSceneHasOneFillerAndTheHundredthNone)
{
    for (int i = 1; i < 100; ++i)
        page().addParagraph(i % 2 ? Directorial : Scene);
    for (int i = 0; i < 60; ++i)
        page().addParagraph(Scene);
    ASSERT_TRUE(writeScript(page(), "t", "a", "user/many", false));
    const std::string bytes = readBytes("user/many.html");
    EXPECT_NE(bytes.find("<div class=\"SceneNum\">&nbsp;10 </div>"), std::string::npos);
    EXPECT_NE(bytes.find("<div class=\"SceneNum\">100 </div>"), std::string::npos);
    EXPECT_EQ(bytes.find("&nbsp;100"), std::string::npos);
}

TEST_F(ScriptWriterTest, RoundTripGivesIdenticalBytes)
{
    fillSample();
    ASSERT_TRUE(writeScript(page(), title, author, "user/a", false));
    sf::String t, a;
    ASSERT_TRUE(loadScript(page(), t, a, "user/a.html"));
    EXPECT_EQ(t, title);
    EXPECT_EQ(a, author);
    ASSERT_TRUE(writeScript(page(), t, a, "user/b", false));
    EXPECT_EQ(readBytes("user/a.html"), readBytes("user/b.html"));
}

TEST_F(ScriptWriterTest, AFailedWriteLeavesThePreviousFileAndNoTemporaryBehind)
{
    ASSERT_TRUE(writeScript(page(), "first", "a", "user/act1", false));
    const std::string before = readBytes("user/act1.html");
    EXPECT_FALSE(writeScript(page(), "second", "a", "nowhere/act1", false));
    fs::permissions("user", fs::perms::owner_read | fs::perms::owner_exec);
    const bool refused = !writeScript(page(), "second", "a", "user/act1", false);
    fs::permissions("user", fs::perms::owner_all);
    if (getuid() != 0) { // root writes anyway
        EXPECT_TRUE(refused);
    }
    if (refused) {
        EXPECT_EQ(readBytes("user/act1.html"), before);
    }
    for (const auto& entry : fs::directory_iterator("user"))
        EXPECT_NE(entry.path().filename().string()[0], '.');
}

TEST_F(ScriptWriterTest, AStandAlonePageAsksBeforeReplacingAndCarriesItsStyleSheet)
{
    fs::create_directory("exports");
    int asked = 0;
    bool answer = false;
    const OverwriteQuestion ask = [&] { ++asked; return answer; };
    ASSERT_TRUE(writeScript(page(), "t", "a", "exports/act1", true, ask));
    EXPECT_EQ(asked, 0);
    EXPECT_NE(readBytes("exports/act1.html").find("href=\"act1.css\""), std::string::npos);
    EXPECT_EQ(readBytes("exports/act1.css"), readBytes("res/standalone.css"));

    writeBytes("exports/act1.css", "mine");
    EXPECT_FALSE(writeScript(page(), "new", "a", "exports/act1", true, ask));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(readBytes("exports/act1.css"), "mine");
    EXPECT_FALSE(writeScript(page(), "new", "a", "exports/act1", true, {})); // no one to answer
    answer = true;
    EXPECT_TRUE(writeScript(page(), "new", "a", "exports/act1", true, ask));
    EXPECT_NE(readBytes("exports/act1.html").find(">new<"), std::string::npos);
    EXPECT_EQ(readBytes("exports/act1.css"), readBytes("res/standalone.css"));
}

TEST_F(ScriptWriterTest, AMissingStyleSheetFailsAStandAloneWriteCleanly)
{
    fs::remove("res/standalone.css");
    EXPECT_FALSE(writeScript(page(), "t", "a", "lost", true));
    EXPECT_FALSE(fs::exists("lost.html"));
    EXPECT_FALSE(fs::exists("lost.css"));
}
