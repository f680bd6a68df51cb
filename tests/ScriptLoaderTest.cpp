#include "TestSupport.hpp"
#include "WrapCheck.hpp"

#include "files/ScriptLoader.hpp"

namespace {
const std::string head = "<html>\n<head>\n\t<link rel=\"stylesheet\" href=\"../res/standalone.css\"/>\n</head>\n"
                         "<body>\n\t<div class=\"Page\">\n\t\t<div class=\"Title\">T</div>\n\t\t<div class=\"Subtitle\">A</div>\n\t</div>\n\t<div class=\"Page\">\n";
const std::string tail = "\t</div>\n</body>\n</html>";
} // namespace

class ScriptLoaderTest : public AppTest {
protected:
    // Parses the bytes and shows the script on the page.
    bool parse(const std::string& bytes)
    {
        const std::optional<Script> script = parseScript(bytes);
        if (!script)
            return false;
        load(script->paragraphs);
        title = script->title;
        author = script->author;
        return true;
    }
    std::vector<std::pair<DivType, sf::String>> contents()
    {
        std::vector<std::pair<DivType, sf::String>> out;
        for (const Paragraph& p : app->script().paragraphs)
            out.emplace_back(p.kind, p.text);
        return out;
    }
    sf::String title = "old title", author = "old author";
};

TEST_F(ScriptLoaderTest, ReadsKindsAndTextsAndSkipsSceneNumbers)
{
    ASSERT_TRUE(parse(head + "\t\t<div class=\"SceneNum\">&nbsp;99 </div><div class=\"Scene\">INT. A</div>\n"
                            "\t\t<div class=\"None\"> x </div>\n\t\t<div id=\"Speech\">AT&T &lt;3</div>\n"
                            "\t\t<div class=\"Name\"></div>\n" + tail));
    EXPECT_EQ(title, "T");
    EXPECT_EQ(author, "A");
    using P = std::pair<DivType, sf::String>;
    EXPECT_EQ(contents(), (std::vector<P>{{Scene, "INT. A"}, {None, " x "}, {Speech, "AT&T <3"}, {Name, ""}}));
    EXPECT_EQ(page().current(), 3u);
    EXPECT_TRUE(page().focused());
    EXPECT_EQ(page().paragraphTop(1), 120 + 47);
}

TEST_F(ScriptLoaderTest, LineEndsAndAByteOrderMarkDoNotMatter)
{
    std::string crlf = head + "\t\t<div class=\"Speech\">hi</div>\n" + tail;
    for (std::size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2)
        crlf.insert(at, "\r");
    ASSERT_TRUE(parse("\xEF\xBB\xBF" + crlf));
    EXPECT_EQ(contents().back().second, "hi");
    EXPECT_EQ(title, "T");
}

TEST_F(ScriptLoaderTest, NoParagraphsOpensAsOneEmptyScene)
{
    std::string loose = head; // a title page's line of no known class is passed over
    loose.insert(loose.find("\t</div>"), "\t\t<div>loose</div><!-- a note -->\n");
    ASSERT_TRUE(parse(loose + tail));
    EXPECT_EQ(title, "T");
    ASSERT_EQ(page().size(), 1u);
    EXPECT_EQ(paragraph(0).kind, Scene);
}

TEST_F(ScriptLoaderTest, EveryBrokenFileFails)
{
    const std::string broken[] = {
        "",
        "not xml at all",
        head + "\t\t<div class=\"Speech\">a < b</div>\n" + tail,
        "<html><body></body></html>",
        "<html><body><div><div>only title</div></div></body></html>",
        head + "\t\t<div>no class</div>\n" + tail,
        head + "stray text\t\t<div class=\"Speech\">x</div>\n" + tail,
        head + "\t\t<div class=\"Villain\">x</div>\n" + tail,
        head + "\t\t<div class=\"Speech\">a<span>b</span></div>\n" + tail,
        head + "\t\t<div class=\"Speech\"><b>a<span>b</span></b></div>\n" + tail,
        head + "\t\t<div class=\"Speech\">unclosed\n" + tail,
        head + "\t\t<div class=\"Speech\">&#xDC00;</div>\n" + tail,
        head + "\t\t<div class=\"Speech\">&#;</div>\n" + tail,
        std::string(5000, '<') + "html>",
        [] { // nested far deeper than the parser's stack allows
            std::string deep = "<html>";
            for (int i = 0; i < 100000; ++i)
                deep += "<i>/>";
            return deep;
        }(),
    };
    for (const std::string& bytes : broken)
        EXPECT_FALSE(parseScript(bytes)) << bytes.substr(0, 80);
    EXPECT_FALSE(loadScript("user/missing.html"));
    std::filesystem::create_directory("user/folder.html");
    EXPECT_FALSE(loadScript("user/folder.html"));
}

TEST_F(ScriptLoaderTest, ControlCharactersInAHandEditedTextBecomeSpaces)
{
    ASSERT_TRUE(parse(head + "\t\t<div class=\"Directorial\">one\ntwo\tthree</div>\n" + tail));
    EXPECT_EQ(contents().back().second, "one two three");
}

TEST_F(ScriptLoaderTest, ARealScreenplayLoadsAndKeepsEveryParagraphConsistent)
{
    // A Fountain sample turned into paragraphs: the harness only needs realistic text.
    const std::optional<std::string> sample = sampleScreenplay("brick-n-steel.fountain");
    if (!sample)
        GTEST_SKIP() << "no sample screenplays beside the project";
    std::string bytes = head;
    std::istringstream in(*sample);
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        std::string escaped;
        for (char c : line)
            escaped += c == '&' ? std::string("&amp;") : c == '<' ? std::string("&lt;") : std::string(1, c);
        bytes += "\t\t<div class=\"" + std::string(count++ % 2 ? "Speech" : "Directorial") + "\">" + escaped + "</div>\n";
    }
    ASSERT_TRUE(parse(bytes + tail));
    EXPECT_EQ(page().size(), static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < page().size(); ++i)
        EXPECT_EQ(wrapProblem(page().shown(i), paragraph(i)), "");
}
