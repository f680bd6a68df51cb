#include "TestSupport.hpp"

#include "files/Fdx.hpp"

#include <random>

namespace fs = std::filesystem;

TEST(FdxReading, EveryParagraphTypeAndTheTitlePage)
{
    const std::optional<Script> script = parseFdx(readBytes(fs::path(QUILLMERE_TESTDATA) / "every-element.fdx"));
    ASSERT_TRUE(script);
    EXPECT_EQ(script->paragraphs,
              (std::vector<Paragraph>{{Directorial, "FADE IN:"},
                                      {Scene, u32(U"INT. CAF\u00c9 - NIGHT")},
                                      marked(Directorial, U"Bob <b>runs</b><i><u> in</u></i> & out, twice."),
                                      {Directorial, "A general line."},
                                      {Directorial, "CLOSE ON BOB"},
                                      {Name, "BOB (V.O.)"},
                                      {Parenthetical, "(quietly)"},
                                      {Speech, "Say \"cheese\" <now>."},
                                      {Speech, "La la la"},
                                      {Name, "ANN"},
                                      {Speech, "Left."},
                                      marked(Name, U"CAL ^"),
                                      {Speech, "Right."},
                                      {Transition, "CUT TO:"},
                                      {PageBreak, ""},
                                      {Scene, "EXT. ROOF - DAY"},
                                      {Directorial, "An unknown type."},
                                      {PageBreak, ""},
                                      {Centered, "THE END"}}));
    EXPECT_EQ(script->titlePage(), (TitleLines{"NIGHT SHIFT", "Ann Lee", "Written by", "Based on the story by Cal Ray",
                                               "March 3, 2026", "12 Main St\nSpringfield", "WGA 123"}));
}

namespace {
std::string repeated(const std::string& piece, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += piece;
    return all;
}
} // namespace

TEST(FdxReading, WhatIsNotAFinalDraftFileFailsAndSaysWhy)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<FinalDraft><Content><Paragraph Type=\"Action\"><Text>x</Text></Content></FinalDraft>", "not well-formed XML"},
        {"<FinalDraft><Content>", "not well-formed XML"},
        {"plain text", "not well-formed XML"},
        {"<Script><Content/></Script>", "not a Final Draft file"},
        {"", "not a Final Draft file"},
        {"<!DOCTYPE x [<!ENTITY big \"lol\">]><FinalDraft/>", "it declares a document type"},
        {"<FinalDraft><Content><Paragraph><Text>&nbsp;</Text></Paragraph></Content></FinalDraft>",
         "it uses an entity XML does not define"},
        {"<FinalDraft><Content><Paragraph><Text>&#xD800;</Text></Paragraph></Content></FinalDraft>",
         "it uses a character reference that is no character"},
        {"<FinalDraft><Text>&#;</Text></FinalDraft>", "it uses a character reference that is no character"},
        {"<FinalDraft><Text>&#1x;</Text></FinalDraft>", "it uses a character reference that is no character"},
        {"<FinalDraft><Text>&#1a;</Text></FinalDraft>", "it uses a character reference that is no character"},
        {"<FinalDraft><Text>&#x110000;</Text></FinalDraft>", "it uses a character reference that is no character"},
        {std::string(50u << 20, ' ') + "x", "larger than 50 MB"},
        {"<FinalDraft><Content>" + repeated("<a>", 100000), "its elements are nested too deeply"},
        {"<FinalDraft>" + repeated("<a x='/>'>/>", 513), "its elements are nested too deeply"}, // "/>" closes nothing here
    };
    for (const auto& [bytes, reason] : cases) {
        std::string why;
        EXPECT_FALSE(parseFdx(bytes, &why)) << bytes.substr(0, 60);
        EXPECT_EQ(why, reason) << bytes.substr(0, 60);
    }
    EXPECT_TRUE(parseFdx("<FinalDraft>" + repeated("<a>", 510) + repeated("</a>", 510) + "<!--" + repeated("<a>", 600) +
                         "--></FinalDraft>"))
        << "deep, but within the limit; a comment holds no elements";
    // No title page: the fields stay empty; the paragraphs are read.
    const std::optional<Script> bare = parseFdx("<FinalDraft><Content><Paragraph Type=\"Action\"><Text>Hi.</Text></Paragraph></Content></FinalDraft>");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->titlePage(), (TitleLines{"", "", "", "", "", "", ""}));
    EXPECT_EQ(bare->paragraphs, (std::vector<Paragraph>{{Directorial, "Hi."}}));
    EXPECT_EQ(parseFdx("<FinalDraft><Content><Paragraph Type=\"Action\"><Text>a\x01\xEF\xBF\xBF\x62&#9;c</Text></Paragraph></Content></FinalDraft>")
                  ->paragraphs,
              (std::vector<Paragraph>{{Directorial, "ab c"}}))
        << "a control byte and U+FFFF go, a tab becomes a space";
    const std::optional<Script> cdata = parseFdx("<FinalDraft><Content><Paragraph Type=\"Action\"><Text><![CDATA[Bob & Ann]]>"
                                                 "&#233;&#x1F600;</Text></Paragraph></Content><!-- & --></FinalDraft>");
    ASSERT_TRUE(cdata) << "an & in CDATA or a comment is no entity";
    EXPECT_EQ(cdata->paragraphs, (std::vector<Paragraph>{{Directorial, u32(U"Bob & Ann\u00e9\U0001F600")}}));
    // A cue after action in a pair speaks alone: it has no dialogue to stand beside. The
    // next cue after dialogue pairs.
    const std::optional<Script> lone = parseFdx(
        "<FinalDraft><Content><Paragraph><DualDialogue><Paragraph Type=\"Character\"><Text>ANN</Text></Paragraph>"
        "<Paragraph Type=\"Action\"><Text>Left.</Text></Paragraph><Paragraph Type=\"Character\"><Text>CAL</Text>"
        "</Paragraph><Paragraph Type=\"Dialogue\"><Text>Hi.</Text></Paragraph><Paragraph Type=\"Character\"><Text>DEE"
        "</Text></Paragraph></DualDialogue></Paragraph></Content></FinalDraft>");
    ASSERT_TRUE(lone);
    EXPECT_EQ(lone->paragraphs, (std::vector<Paragraph>{{Name, "ANN"}, {Directorial, "Left."}, {Name, "CAL"},
                                                        {Speech, "Hi."}, {Name, "DEE", {}, true}}));
    // A pair whose first dialogue has no cue: the cue after it begins the second, and
    // only that one pairs, however many more the element holds.
    const std::optional<Script> uncued = parseFdx(
        "<FinalDraft><Content><Paragraph><DualDialogue><Paragraph Type=\"Dialogue\"><Text>Right.</Text></Paragraph>"
        "<Paragraph Type=\"Character\"><Text>ANN</Text></Paragraph><Paragraph Type=\"Dialogue\"><Text>Left.</Text>"
        "</Paragraph><Paragraph Type=\"Character\"><Text>BOB</Text></Paragraph><Paragraph Type=\"Character\"><Text>CAL"
        "</Text></Paragraph></DualDialogue></Paragraph></Content></FinalDraft>");
    ASSERT_TRUE(uncued);
    EXPECT_EQ(uncued->paragraphs, (std::vector<Paragraph>{{Speech, "Right."}, {Name, "ANN", {}, true}, {Speech, "Left."},
                                                          {Name, "BOB"}, {Name, "CAL"}}));
}

TEST(FdxWriting, TheFormatAndItsEscapes)
{
    Script script{"\"T\" & A", "", {{Scene, "int. hall"}, {PageBreak, ""}, {Centered, "<END>"}, {PageBreak, ""}}};
    script.draftDate = "May";
    EXPECT_EQ(fdxText(script), "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
                               "<FinalDraft DocumentType=\"Script\" Template=\"No\" Version=\"5\">\n"
                               "  <Content>\n"
                               "    <Paragraph Type=\"Scene Heading\">\n      <Text>INT. HALL</Text>\n    </Paragraph>\n"
                               "    <Paragraph Alignment=\"Center\" StartsNewPage=\"Yes\" Type=\"Action\">\n"
                               "      <Text>&lt;END&gt;</Text>\n    </Paragraph>\n"
                               "    <Paragraph StartsNewPage=\"Yes\" Type=\"General\">\n      <Text></Text>\n    </Paragraph>\n"
                               "  </Content>\n  <TitlePage>\n  <Content>\n"
                               "    <Paragraph Alignment=\"Center\" Type=\"Text\">\n      <Text>&quot;T&quot; &amp; A</Text>\n    </Paragraph>\n"
                               "    <Paragraph Alignment=\"Right\" Type=\"Text\">\n      <Text>May</Text>\n    </Paragraph>\n"
                               "  </Content>\n  </TitlePage>\n</FinalDraft>\n");
}

// Any script the editor makes comes back from FDX with the same kinds and texts.
TEST(FdxWriting, AnyScriptComesBackExactly)
{
    const std::vector<std::u32string> pieces = {U"INT. ", U"Bob", U" ", U"  ", U"&", U"<", U">", U"\"", U"'", U"&amp;",
                                                U"]]>", U"<!--", U"\t", U"\u00e9", U"\u6771", U"\U0001F600", U"\uFFFF", U"a"};
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        auto anyText = [&] {
            std::u32string text;
            for (int i = random() % 6; i-- > 0;)
                text += pieces[random() % pieces.size()];
            return sf::String(std::basic_string<sf::Uint32>(text.begin(), text.end()));
        };
        Script script;
        for (int i = 1 + random() % 12; i-- > 0;) {
            const auto kind = static_cast<DivType>(1 + random() % 8);
            Paragraph paragraph{kind, kind == PageBreak ? sf::String() : anyText()};
            if (random() % 2)
                setStyle(paragraph, random() % 4, random() % 12, static_cast<std::uint8_t>(random() % 8), true);
            script.paragraphs.push_back(std::move(paragraph));
        }
        Script expected = asShown(script);
        for (Paragraph& paragraph : expected.paragraphs) { // what XML holds: a tab is a space, U+FFFF nothing
            for (std::size_t k = paragraph.text.getSize(); k-- > 0;)
                if (paragraph.text[k] == '\t')
                    paragraph.text[k] = ' ';
                else if (paragraph.text[k] == 0xFFFF)
                    eraseText(paragraph, k, k + 1);
        }
        const std::string written = fdxText(script);
        const std::optional<Script> again = parseFdx(written);
        ASSERT_TRUE(again) << written;
        ASSERT_EQ(again->paragraphs, expected.paragraphs) << "round " << round << "\n" << written;
    }
}

using FdxInTheEditor = AppTest;

TEST_F(FdxInTheEditor, ListedOpenedUntitledAndExported)
{
    fs::copy_file(fs::path(QUILLMERE_TESTDATA) / "every-element.fdx", "user/Night.fdx");
    writeBytes("user/Broken.fdx", "<FinalDraft><Content>");
    app->fileList().refresh();
    app->fileList().buildButtons();
    std::vector<std::string> labels;
    for (const Button& entry : app->fileList().entries)
        labels.push_back(entry.label.getString().toAnsiString());
    EXPECT_EQ(labels, (std::vector<std::string>{"Empty", "Broken (Final Draft)", "Night (Final Draft)"}));
    EXPECT_FALSE(app->open({OpenChoice::Kind::FinalDraft, "Broken"}));
    EXPECT_TRUE(app->open({OpenChoice::Kind::FinalDraft, "Night"}));
    EXPECT_TRUE(app->session().untitled);
    EXPECT_EQ(app->session().suggestedName, "Night");
    EXPECT_EQ(app->session().script.title, "NIGHT SHIFT");
    EXPECT_EQ(page().size(), 19u);

    ASSERT_TRUE(app->saveScriptAs("night"));
    FakeDesktop desktop;
    desktop.choice = {"night-out.fdx", ExportFilter::finalDraft};
    app->platform() = desktop.platform();
    ASSERT_TRUE(app->exportScript());
    const std::optional<Script> back = parseFdx(readBytes("night-out.fdx"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->paragraphs, app->script().paragraphs);
    EXPECT_EQ(back->titlePage(), app->script().titlePage());
    EXPECT_EQ(desktop.overwriteQuestions, 0);
    EXPECT_FALSE(app->exportScript()); // the file is there: asked, and declined
    EXPECT_EQ(desktop.overwriteQuestions, 1);
}

// An import saved under its offered name is held open under that name.
TEST_F(FdxInTheEditor, SavedUnderItsOfferedNameItIsHeldUnderThatName)
{
    fs::copy_file(fs::path(QUILLMERE_TESTDATA) / "every-element.fdx", "user/Night.fdx");
    ASSERT_TRUE(app->open({OpenChoice::Kind::FinalDraft, "Night"}));
    control(sf::Keyboard::S);
    key(sf::Keyboard::Enter); // the offered "Night"
    EXPECT_EQ(app->session().fileName, "Night");
    EXPECT_TRUE(fs::exists("user/.open/Night.lock"));
    EXPECT_FALSE(fs::exists("user/.open/.lock"));
}
