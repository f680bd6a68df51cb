#include "TestSupport.hpp"

#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"

namespace fs = std::filesystem;

class ScriptWriterTest : public AppTest {
protected:
    Script sample()
    {
        Script script{"Night & Day", "By Ann <A.> Writer", {}};
        const std::pair<DivType, const char32_t*> paragraphs[] = {
            {Scene, U"INT. HOUSE - DAY"}, {Directorial, U"Bob & Alice <3 each other."}, {Name, U"BOB"},
            {Parenthetical, U"(quietly)"}, {Speech, U"Hello — 東京 😀 café"}, {Scene, U"EXT. YARD"}, {None, U"raw"},
            {Scene, U""}};
        for (const auto& [kind, text] : paragraphs)
            script.paragraphs.push_back({kind, u32(text)});
        return script;
    }
    Script lines(const sf::String& title, std::vector<Paragraph> paragraphs = {{Scene, ""}})
    {
        return {title, "a", std::move(paragraphs)};
    }
};

TEST_F(ScriptWriterTest, WritesTheFormatByteForByte)
{
    ASSERT_TRUE(writeScript(sample(), "user/act1", false));
    EXPECT_EQ(readBytes("user/act1.html"), readBytes(fs::path(QUILLMERE_TESTDATA) / "script.html"));
}

TEST_F(ScriptWriterTest, AStartupPageIsTheTemplate)
{
    ASSERT_TRUE(writeScript(app->script(), "user/fresh", false));
    EXPECT_EQ(readBytes("user/fresh.html"), readBytes(fs::path(QUILLMERE_SOURCE_DIR) / "user" / "empty.html"));
}

TEST_F(ScriptWriterTest, TheTenthSceneHasOneFillerAndTheHundredthNone)
{
    Script script = lines("t");
    for (int i = 1; i < 100; ++i)
        script.paragraphs.push_back({i % 2 ? Directorial : Scene, ""});
    for (int i = 0; i < 60; ++i)
        script.paragraphs.push_back({Scene, ""});
    ASSERT_TRUE(writeScript(script, "user/many", false));
    const std::string bytes = readBytes("user/many.html");
    EXPECT_NE(bytes.find("<div class=\"SceneNum\">&nbsp;10 </div>"), std::string::npos);
    EXPECT_NE(bytes.find("<div class=\"SceneNum\">100 </div>"), std::string::npos);
    EXPECT_EQ(bytes.find("&nbsp;100"), std::string::npos);
}

// Every title-page line, transitions, centred text and page breaks, in the golden file
// and back.
Script everyElement()
{
    Script script{"Big Fish", "John August", {}};
    script.credit = "Screenplay by";
    script.source = "Based on the novel by Daniel Wallace";
    script.draftDate = "March 3, 2003";
    script.contact = "Sony Pictures\n10202 W. Washington Blvd.";
    script.notes = u32(U"\u00a9 2003 Columbia Pictures");
    script.paragraphs = {{Scene, "INT. RIVER - DAY"}, {Directorial, "A fish."}, {Transition, "CUT TO:"},
                         {PageBreak, ""},        {Centered, "THE END"}};
    return script;
}

TEST_F(ScriptWriterTest, RoundTripGivesIdenticalBytes)
{
    for (const Script& script : {sample(), everyElement()}) {
        ASSERT_TRUE(writeScript(script, "user/a", false));
        const std::optional<Script> loaded = loadScript("user/a.html");
        ASSERT_TRUE(loaded);
        EXPECT_EQ(*loaded, script);
        ASSERT_TRUE(writeScript(*loaded, "user/b", false));
        EXPECT_EQ(readBytes("user/a.html"), readBytes("user/b.html"));
    }
    ASSERT_TRUE(writeScript(everyElement(), "user/c", false));
    EXPECT_EQ(readBytes("user/c.html"), readBytes(fs::path(QUILLMERE_TESTDATA) / "every-element.html"));
}

TEST_F(ScriptWriterTest, AFailedWriteLeavesThePreviousFileAndNoTemporaryBehind)
{
    ASSERT_TRUE(writeScript(lines("first"), "user/act1", false));
    const std::string before = readBytes("user/act1.html");
    EXPECT_FALSE(writeScript(lines("second"), "nowhere/act1", false));
    fs::permissions("user", fs::perms::owner_read | fs::perms::owner_exec);
    const bool refused = !writeScript(lines("second"), "user/act1", false);
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
    std::string named;
    const OverwriteQuestion ask = [&](const std::string& existing) {
        named = existing;
        ++asked;
        return answer;
    };
    ASSERT_TRUE(writeScript(lines("t"), "exports/act1", true, ask));
    EXPECT_EQ(asked, 0);
    EXPECT_NE(readBytes("exports/act1.html").find("href=\"act1.css\""), std::string::npos);
    EXPECT_EQ(readBytes("exports/act1.css"), readBytes("res/standalone.css"));

    writeBytes("exports/act1.css", "mine");
    EXPECT_FALSE(writeScript(lines("new"), "exports/act1", true, ask));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(named, "act1.html and act1.css exist.");
    EXPECT_EQ(readBytes("exports/act1.css"), "mine");
    fs::remove("exports/act1.html"); // a style sheet of the same name, of another page
    EXPECT_FALSE(writeScript(lines("new"), "exports/act1", true, ask));
    EXPECT_EQ(named, "act1.css exists.");
    EXPECT_EQ(readBytes("exports/act1.css"), "mine");
    EXPECT_FALSE(writeScript(lines("new"), "exports/act1", true, {})); // no one to answer
    answer = true;
    EXPECT_TRUE(writeScript(lines("new"), "exports/act1", true, ask));
    EXPECT_NE(readBytes("exports/act1.html").find(">new<"), std::string::npos);
    EXPECT_EQ(readBytes("exports/act1.css"), readBytes("res/standalone.css"));
}

TEST_F(ScriptWriterTest, AMissingStyleSheetFailsAStandAloneWriteCleanly)
{
    fs::remove("res/standalone.css");
    EXPECT_FALSE(writeScript(lines("t"), "lost", true));
    EXPECT_FALSE(fs::exists("lost.html"));
    EXPECT_FALSE(fs::exists("lost.css"));
}

// Styled letters stand in <b>, <i> and <u>, nested in that order, a run of one style in
// one element; the second cue of a pair is a "Name Dual"; the loader reads the elements
// in any nesting and refuses any other element in a paragraph.
TEST(ScriptFileStyles, WrittenNestedAndReadInAnyNesting)
{
    const std::pair<Paragraph, const char*> written[] = {
        {marked(Speech, U"It was <u>him</u>."), "<div class=\"Speech\">It was <u>him</u>.</div>"},
        {marked(Speech, U"<u><i><b>all</b></i></u> <b>a<i>b</i></b><i>c</i>"),
         "<div class=\"Speech\"><b><i><u>all</u></i></b>&#32;<b>a<i>b</i></b><i>c</i></div>"},
        {marked(Name, U"<i>cal</i> ^"), "<div class=\"Name Dual\"><i>CAL</i></div>"},
        {marked(Speech, U"a<b> </b>b"), "<div class=\"Speech\">a<b>&#32;</b>b</div>"},
        {{Speech, " "}, "<div class=\"Speech\">&#32;</div>"},
    };
    for (const auto& [paragraph, div] : written) {
        const std::string html = scriptHtml(Script("T", "A", {paragraph}), false, "x");
        EXPECT_NE(html.find(std::string("\t\t") + div + "\n"), std::string::npos) << html;
        const std::optional<Script> back = parseScript(html);
        ASSERT_TRUE(back) << div;
        EXPECT_EQ(back->paragraphs, asShown(Script("", "", {paragraph})).paragraphs) << div;
    }
    const std::string head = "<html><body><div class=\"Page\"><div class=\"Title\">";
    const std::pair<std::string, std::optional<Paragraph>> read[] = {
        {head + "T</div><div>A</div></div><div class=\"Page\"><div class=\"Speech\"><u><b><i>x</i></b></u>y</div></div></body></html>",
         marked(Speech, U"<b><i><u>x</u></i></b>y")},
        {head + "T</div><div>A</div></div><div class=\"Page\"><div class=\"Speech\">a<script>x</script></div></div></body></html>", std::nullopt},
        {head + "T</div><div>A</div></div><div class=\"Page\"><div class=\"Speech\">a<b>x</div></div></body></html>", std::nullopt},
        {head + "T</div><div>A</div></div><div class=\"Page\"><div class=\"Speech\">a<br/>b</div></div></body></html>", std::nullopt},
    };
    for (const auto& [bytes, paragraph] : read) {
        const std::optional<Script> script = parseScript(bytes);
        ASSERT_EQ(script.has_value(), paragraph.has_value()) << bytes;
        if (script)
            EXPECT_EQ(script->paragraphs, std::vector<Paragraph>{*paragraph}) << bytes;
    }
    // A title-page field is plain text: the letters of an element in it stay, its style not.
    const std::optional<Script> titled = parseScript(head + "The <b>Big</b> Fish</div><div>A</div></div></body></html>");
    ASSERT_TRUE(titled);
    EXPECT_EQ(titled->title, "The Big Fish");
}
