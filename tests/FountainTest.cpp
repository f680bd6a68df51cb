#include "TestSupport.hpp"

#include "files/Fountain.hpp"

#include <map>
#include <random>

namespace {

std::map<DivType, int> countKinds(const Script& script)
{
    std::map<DivType, int> counts;
    for (const Paragraph& paragraph : script.paragraphs)
        ++counts[paragraph.kind];
    return counts;
}

std::vector<Paragraph> ps(std::initializer_list<std::pair<DivType, const char32_t*>> list)
{
    std::vector<Paragraph> out;
    for (const auto& [kind, text] : list)
        out.push_back(marked(kind, text));
    return out;
}
} // namespace

struct Sample {
    const char* file;
    std::map<DivType, int> kinds; // from a careful reading of the file
    std::vector<Paragraph> first, last;
};

// Counts by kind within 1 % of a reading by hand (scene headings, parentheticals and
// characters also counted with grep), the first and last paragraphs exact, and the
// round trip through the writer exact.
TEST(FountainSamples, ReadAsAWriterReadsThemAndComeBackExactly)
{
    const std::vector<Sample> samples = {
        {"big-fish.fountain",
         {{Scene, 192}, {Directorial, 863}, {Name, 768}, {Parenthetical, 97}, {Speech, 811}, {Transition, 35}, {Centered, 2}, {PageBreak, 1}},
         ps({{Directorial, U"This is a Southern story, full of lies and fabrications, but truer for their inclusion."},
             {PageBreak, U""},
             {Directorial, U"<b>FADE IN:</b>"},
             {Directorial, U"A RIVER."},
             {Directorial, U"We're underwater, watching a fat catfish swim along."},
             {Directorial, U"This is The Beast."},
             {Name, U"EDWARD (V.O.)"},
             {Speech, U"There are some fish that cannot be caught.  It's not that they're faster or stronger than other fish.  They're just touched by something extra.  Call it luck.  Call it grace.  One such fish was The Beast."},
             {Directorial, U"The Beast's journey takes it past a dangling fish hook, baited with worms.  Past a tempting lure, sparkling in the sun.  Past a swiping bear claw.  The Beast isn't worried."},
             {Name, U"EDWARD (V.O.)"}}),
         ps({{Name, U"WILL (V.O.)"},
             {Speech, U"That was my father's final joke I guess.  A man tells his stories so many times that he becomes the stories.  They live on after him."},
             {Transition, U"CROSSFADE TO:"},
             {Scene, U"EXT.  RIVER / UNDERWATER - DAY"},
             {Directorial, U"A fat and happy catfish swims towards us."},
             {Name, U"WILL (V.O.)"},
             {Speech, U"And in that way, he becomes immortal."},
             {Directorial, U"The fish passes us with a SPLASH."},
             {Transition, U"CUT TO BLACK."},
             {Centered, U"<b><u>THE END</u></b>"}})},
        {"brick-n-steel.fountain",
         {{Scene, 8}, {Directorial, 21}, {Name, 20}, {Parenthetical, 6}, {Speech, 23}, {Transition, 7}, {Centered, 3}},
         ps({{Scene, U"EXT. BRICK'S PATIO - DAY"},
             {Directorial, U"A gorgeous day.  The sun is shining.  But BRICK BRADDOCK, retired police detective, is sitting quietly, contemplating -- something."},
             {Directorial, U"The SCREEN DOOR slides open and DICK STEEL, his former partner and fellow retiree, emerges with two cold beers."},
             {Directorial, U"The horse dances."},
             {Name, U"STEEL"},
             {Speech, U"Beer's ready!"},
             {Name, U"BRICK"},
             {Speech, U"Are they cold?"},
             {Name, U"STEEL"},
             {Speech, U"Does a bear crap in the woods?"}}),
         ps({{Scene, U"EXT. PALATIAL MANSION - DAY"},
             {Directorial, U"An EXTREMELY HANDSOME MAN drinks a beer.  Shirtless, unfortunately."},
             {Directorial, U"His minion approaches offscreen:"},
             {Name, U"MINION"},
             {Speech, U"We found Brick and Steel!"},
             {Name, U"HANDSOME MAN"},
             {Speech, U"I want them dead.  DEAD!"},
             {Directorial, U"Beer flies."},
             {Transition, U"BURN TO PINK."},
             {Centered, U"THE END"}})},
        {"little-women.fountain",
         {{Scene, 13}, {Directorial, 74}, {Name, 114}, {Parenthetical, 34}, {Speech, 118}, {Centered, 1}, {PageBreak, 5}},
         ps({{Directorial, U"I've had lots of troubles, so I write jolly tales."},
             {Directorial, U"- Louisa May Alcott"},
             {PageBreak, U""},
             {Directorial, U"Note:"},
             {Directorial, U"Where there is simultaneous or quick dialogue in the script, there  is a SLASH in the middle of the speaker's dialogue, representing  where the next actor should begin. The following actor's line will  be started with a SLASH to indicate that it is interrupting  another line."},
             {Directorial, U"When the text is in RED, it indicates that it is the past  timeline, which begins in Winter of 1861."},
             {Directorial, U"When the text is in BLACK, it indicates that it is the present  timeline, which begins in Fall of 1868."},
             {Directorial, U"Both timelines move forward from their origin point."},
             {PageBreak, U""},
             {Scene, U"INT. NEW YORK. PUBLISHING OFFICE. 1868."}}),
         ps({{Directorial, U"Meg is immediately pulled away."},
             {Name, U"SALLIE"},
             {Speech, U"Meg March! You look so pretty!"},
             {Directorial, U"Sallie Moffat, at that moment Sallie Gardiner, pulls Meg away  from Jo, who is left standing awkwardly."},
             {Name, U"JO"},
             {Speech, U"Meg..."},
             {Directorial, U"Meg seems to put on another face and attitude, more grown up  and elegant. Jo fades away into the back of the party."},
             {Scene, U"INT. GARDINER’S NEW YEAR’S PARTY. CONCORD. NIGHT. 1861."},
             {Directorial, U"Jo, 16, miserable, glumly watches the dancers. She pulls at a  string on her dress. She catches Meg’s eyes, 17, laughing  with her dance partner, and pleads with her to leave. Meg  aggressively shakes her head, and Jo sighs, resigned."},
             {Directorial, U"A very large red-headed boy makes a beeline for Jo - in her  terror, she looks for an escape."}})},
        {"vikings.fountain",
         {{Scene, 115}, {Directorial, 755}, {Name, 849}, {Parenthetical, 69}, {Speech, 863}, {Transition, 4}, {Centered, 1}},
         ps({{Scene, U"EQOQ RUQUR:"},
             {Name, U"QUZEQ (H.R.)"},
             {Speech, U"Ypyha ov z heke yqoj hur. Ypyha ov rus hur zy wekyxyk kax ha z Ovowyq."},
             {Directorial, U"Zasuwyge z GYRA UK HORAB epewu howo eb rus upaqybew, kud z ogoqapypahyb rajopaj AQUVAS OVOWYQ HUZEHUJ odovu guraqas. Ha ojo wojujys agebeko zuguzohox eq wobebas qovov, kud oz ha roxajo z uvu kux kud zegus okyb qa, aw qykuryw qe..."},
             {Scene, U"INT. QUZEQ KUD YXOW’U UJAZOPODA - HUR"},
             {Directorial, U"UKODA ZO QUZEQ’U WUSEVAS ERUD. Quzeq Ovyzy ov 65, uda gyjyg wawebux. Hoz uqu’e yqoj ys zovado eky rydehasa, ro uqup hoz ahygaw qowy hoz’u akyxu exu, qa’u geky, ryxoqeq, kud wakudyja."},
             {Name, U"QUZEQ (H.R.)"},
             {Speech, U"Uk quhoku ha’u yha z awur Ovowyq."},
             {Directorial, U"HUSAPA rus aquvas Ovowyq ov kuxaqabe GUHY, z oges hyro avyvuqyx gypogur z opoqe-odoveq Ovowyq erowuro kud ogoqapypahyb ujuqosaw z axysyqy exu kux."},
             {Name, U"QUZEQ (H.R.)"}}),
         ps({{Speech, U"Qa’u huxy kew owy qe ojor goja yva heka. Okyb goja yva gupoq."},
             {Directorial, U"Hoz uqyde Yxow rus reg. Ha akeveh ys rus gabaj uzaj. Qa’u wabygesudeve."},
             {Name, U"QUZEQ"},
             {Speech, U"Y ywyk, Y ezu egok owy z edy kadeb qe uxo awezado."},
             {Name, U"YXOW"},
             {Speech, U"Y odoqo Y ubyw aqa."},
             {Directorial, U"Okyb wuk wokojehyx ukyw, Yxow resogek: “Ebaq z Yvex Aqe”. Kuhaz z qudewa, ha gyjyg ys Quzeq kud zory z hejusyzeg."},
             {Directorial, U"Hoz ahygaw raxa, ruxypypyxoxub, kud oz oxup zapuj hako zo rus udyv uk rus heka, aw ADEX YVY hese zuzo kubaveb oduxyhab ys rus opewev ebeba kud..."},
             {Directorial, U"ADER YVY."},
             {Centered, U"<u>RUS OJE</u>"}})},
    };
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.file);
        const std::optional<std::string> bytes = sampleScreenplay(sample.file);
        if (!bytes)
            GTEST_SKIP() << "no sample screenplays beside the project";
        const std::optional<Script> script = parseFountain(*bytes);
        ASSERT_TRUE(script);
        const std::map<DivType, int> kinds = countKinds(*script);
        for (const auto& [kind, expected] : sample.kinds)
            EXPECT_NEAR(kinds.count(kind) ? kinds.at(kind) : 0, expected, expected / 100.0) << kindNames.at(kind);
        const auto& all = script->paragraphs;
        ASSERT_GE(all.size(), sample.first.size() + sample.last.size());
        EXPECT_EQ(std::vector<Paragraph>(all.begin(), all.begin() + sample.first.size()), sample.first);
        EXPECT_EQ(std::vector<Paragraph>(all.end() - sample.last.size(), all.end()), sample.last);
        const std::optional<Script> again = parseFountain(fountainText(*script));
        ASSERT_TRUE(again);
        EXPECT_EQ(*again, *script);
    }
}

TEST(FountainReading, EveryElementTakesItsKind)
{
    const std::optional<Script> script = parseFountain(
        "Title:\n\t_**Night**_ Shift\nCredit: written by\nAuthor: Ann Lee\nDraft date: 1/2/2026\n\n"
        "# Act One\n= a synopsis\n\n"
        "int. hall - night #12A#\n\n"
        "Bob waits [[a note\nthat goes on]] by the door,\n*very* still.\n\n"
        "BOB ^\n(quietly)\nHello.\nIs anyone\nhome?\n  \nAnyone?\n~La la la\n\n"
        "@McCLANE\nYippee.\n\n"
        "CUT TO:\n\n"
        ".flashback\n\n"
        "> The End <\n> of it <\n\n"
        ">Smash cut.\n\n"
        "/* a boneyard\n\nwith blank lines */\n"
        "===\n"
        "!SHOUTING IS ACTION\n\n"
        "EXT. YARD\n\n"
        "~Sing\n~along\n\n"
        "Escaped \\*stars\\* and a \\\\ backslash.\n");
    ASSERT_TRUE(script);
    EXPECT_EQ(script->titlePage(), (TitleLines{"Night Shift", "Ann Lee", "written by", "", "1/2/2026", "", ""}));
    EXPECT_EQ(script->paragraphs,
              ps({{Scene, U"int. hall - night"},
                  {Directorial, U"Bob waits by the door, <i>very</i> still."},
                  {Name, U"BOB"}, // "^" after action: no dialogue to stand beside
                  {Parenthetical, U"(quietly)"},
                  {Speech, U"Hello."},
                  {Speech, U"Is anyone"},
                  {Speech, U"home?"},
                  {Speech, U"Anyone?"},
                  {Speech, U"La la la"},
                  {Name, U"McCLANE"},
                  {Speech, U"Yippee."},
                  {Transition, U"CUT TO:"},
                  {Scene, U"flashback"},
                  {Centered, U"The End of it"},
                  {Transition, U"Smash cut."},
                  {PageBreak, U""},
                  {Directorial, U"SHOUTING IS ACTION"},
                  {Scene, U"EXT. YARD"},
                  {Speech, U"Sing along"},
                  {Directorial, U"Escaped *stars* and a \\ backslash."}}));
    // Of pairs in a row, a third cue stands beside nothing, and a fourth pairs with it.
    EXPECT_EQ(parseFountain("ANN\nA.\n\nBOB ^\nB.\n\nCAL ^\nC.\n\nDEE ^\nD.\n")->paragraphs,
              ps({{Name, U"ANN"}, {Speech, U"A."}, {Name, U"BOB ^"}, {Speech, U"B."}, {Name, U"CAL"}, {Speech, U"C."},
                  {Name, U"DEE ^"}, {Speech, U"D."}}));
    EXPECT_EQ(parseFountain("~La la\n\nBOB ^\nYo.\n")->paragraphs, ps({{Speech, U"La la"}, {Name, U"BOB ^"}, {Speech, U"Yo."}}))
        << "a lyric at the very start is a side of its own";
    EXPECT_EQ(parseFountain("BOB ^\nYo.\n")->paragraphs, ps({{Name, U"BOB"}, {Speech, U"Yo."}})) << "beside nothing";
}

// A heading begins a paragraph with INT, EXT, EST, I/E or their pairs, then a dot or a space.
TEST(FountainReading, WhatReadsAsAHeading)
{
    const std::pair<const char*, std::vector<Paragraph>> rows[] = {
        {"INT. HALL\n", {{Scene, "INT. HALL"}}},
        {"int hall - day\n", {{Scene, "int hall - day"}}},
        {"EXT/INT. YARD\n", {{Scene, "EXT/INT. YARD"}}},
        {"INT./EXT YARD\n", {{Scene, "INT./EXT YARD"}}},
        {"i/e car\n", {{Scene, "i/e car"}}},
        {"EST. CITY #4A#\n", {{Scene, "EST. CITY"}}},
        {"INT.HALL\n", {{Scene, "INT.HALL"}}},
        {".hall\n", {{Scene, "hall"}}},
        {"INTERIOR HALL\n", {{Directorial, "INTERIOR HALL"}}},
        {"INT\n", {{Directorial, "INT"}}},
        {"Into the night.\n", {{Directorial, "Into the night."}}},
        {"Rain.\nINT. HALL\n", {{Directorial, "Rain. INT. HALL"}}}, // not after a blank line
        {"!INT. HALL\n", {{Directorial, "INT. HALL"}}},
        {"...and then\n", {{Directorial, "...and then"}}},
    };
    for (const auto& [source, paragraphs] : rows)
        EXPECT_EQ(parseFountain(source)->paragraphs, paragraphs) << source;
}

TEST(FountainReading, AnUnclosedBoneyardIsReadAsTheSyntaxSaysAndReported)
{
    FountainReport report;
    const std::optional<Script> script = parseFountain("Title: T\n\nINT. A\n\nRain.\n/* cut\nMore.\n\nEXT. B\n", &report);
    ASSERT_TRUE(script);
    EXPECT_EQ(script->paragraphs, (std::vector<Paragraph>{{Scene, "INT. A"}, {Directorial, "Rain."}}));
    EXPECT_EQ(report.unclosedLine, 6u);
    EXPECT_EQ(report.hiddenLines, 4u);
    FountainReport closed;
    parseFountain("INT. A\n/* cut */\nRain.\n", &closed);
    EXPECT_EQ(closed.unclosedLine, 0u);
}

TEST(FountainReading, WhatIsNotTextFailsAndStrayBytesAreRepaired)
{
    EXPECT_FALSE(parseFountain(std::string("INT. A\0B", 8)));
    std::string binary;
    std::mt19937 random(3);
    for (int i = 0; i < 4000; ++i)
        binary.push_back(static_cast<char>(1 + random() % 255));
    EXPECT_FALSE(parseFountain(binary));
    const std::optional<Script> repaired = parseFountain("Caf\xE9 scene.\n");
    ASSERT_TRUE(repaired);
    EXPECT_EQ(repaired->paragraphs[0].text, u32(U"Café scene."));
    const std::optional<Script> empty = parseFountain("");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->paragraphs.empty());
}

// Any script the editor can hold comes back from Fountain with the same kinds and texts,
// however its texts would read as Fountain markup.
TEST(FountainWriting, AnyScriptComesBackExactly)
{
    const std::vector<std::u32string> pieces = {
        U"INT. ", U"EXT ", U"Bob", U"BOB", U" ", U"  ", U"(", U")", U"(aside)", U"[[", U"]]", U"/*", U"*/", U"*",
        U"**", U"_", U"\\", U"#", U"#1#", U"^", U"@", U"!", U".", U"..", U"~", U">", U"<", U"=", U"===", U"CUT TO:",
        U"é", U"Ü", U"東京", U":", U"Title: x", U"  x", U"TO:", U"I/E.", U"a"};
    std::mt19937 random(12);
    for (int round = 0; round < 2000; ++round) {
        Script script;
        auto anyText = [&] {
            std::u32string text;
            const int length = random() % 6;
            for (int i = 0; i < length; ++i)
                text += pieces[random() % pieces.size()];
            return sf::String(std::basic_string<sf::Uint32>(text.begin(), text.end()));
        };
        script.title = anyText();
        script.author = random() % 2 ? "By " + anyText() : anyText();
        if (random() % 2) {
            script.credit = "Written by";
            script.source = anyText();
            script.draftDate = anyText();
            script.contact = "12 Main St\nSpringfield";
            script.notes = anyText();
        }
        const int count = 1 + random() % 12;
        bool secondOfPair = false;
        for (int i = 0; i < count; ++i) {
            const auto kind = static_cast<DivType>(random() % 9);
            const DivType before = script.paragraphs.empty() ? None : script.paragraphs.back().kind;
            // A cue pairs after dialogue that is not the second of a pair itself.
            const bool canPair = (before == Name || before == Parenthetical || before == Speech) && !secondOfPair;
            Paragraph paragraph{kind, kind == PageBreak ? sf::String() : anyText(), {}, kind == Name && canPair && random() % 3 == 0};
            secondOfPair = paragraph.dual || (secondOfPair && (kind == Parenthetical || kind == Speech));
            if (random() % 2) // runs of any styles, next to one another or apart
                for (std::size_t at = 0; at < paragraph.text.getSize(); at += 1 + random() % 4)
                    setStyle(paragraph, at, at + 1 + random() % 5, static_cast<std::uint8_t>(random() % 8), true);
            script.paragraphs.push_back(std::move(paragraph));
        }
        const std::string written = fountainText(script);
        const std::optional<Script> again = parseFountain(written);
        ASSERT_TRUE(again) << written;
        ASSERT_EQ(again->paragraphs, asShown(script).paragraphs) << "round " << round << "\n" << written;
        ASSERT_EQ(again->titlePage(), asShown(script).titlePage()) << written;
    }
}

using FountainInTheEditor = AppTest;

TEST_F(FountainInTheEditor, ImportOpensUntitledUnderItsStemAndExportReadsBack)
{
    const std::string source = "Title: Roof\nAuthor: Ann\n\nEXT. ROOF - NIGHT\n\nWind.\n\nANN\n(shouting)\nHold on!\n";
    writeBytes("user/roof.fountain", source);
    app->fileList().setOpen(true);
    ASSERT_EQ(app->fileList().entries.size(), 2u);
    EXPECT_EQ(app->fileList().entries[1].label.getString(), "roof (Fountain)");
    click(960, 400);                                                       // the entry
    click(820, static_cast<int>(app->fileList().openButton.rect.top + 20)); // "Open"
    EXPECT_FALSE(app->fileList().isOpen());
    EXPECT_TRUE(app->session().untitled);
    EXPECT_EQ(app->session().script.title, "Roof");
    EXPECT_EQ(app->session().script.author, "By Ann");
    ASSERT_EQ(page().size(), 5u);
    EXPECT_EQ(paragraph(3).kind, Parenthetical);

    control(sf::Keyboard::S); // the panel offers the stem; the Fountain file stays as it was
    EXPECT_EQ(app->saveAsPanel().nameBox.text, "roof");
    key(sf::Keyboard::Enter);
    EXPECT_TRUE(std::filesystem::exists("user/roof.html"));
    EXPECT_EQ(readBytes("user/roof.fountain"), source);

    std::filesystem::create_directory("out");
    desktop.choice = {(folder / "out" / "roof.txt").string(), ExportFilter::fountain};
    ASSERT_TRUE(app->exportScript());
    const std::optional<Script> back = parseFountain(readBytes("out/roof.fountain"));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, app->script());
    EXPECT_FALSE(app->exportScript()); // the file is there: asked, and declined
    EXPECT_EQ(desktop.overwriteQuestions, 1);
}

// Imports that would freeze the sheet are refused before they replace the work.
TEST_F(FountainInTheEditor, AHugeParagraphOrFileIsRefusedAndSaid)
{
    const std::pair<std::string, std::string> refused[] = {
        {std::string((1u << 20) + 1, 'a'), "a paragraph longer than 1 MB"},
        {std::string((50u << 20) + 1, '\n'), "larger than 50 MB"},
    };
    for (const auto& [bytes, why] : refused) {
        writeBytes("user/huge.fountain", bytes);
        EXPECT_FALSE(app->open({OpenChoice::Kind::Fountain, "huge"}));
        EXPECT_EQ(app->failure(), "Could not open user/huge.fountain: " + why);
    }
    writeBytes("user/huge.fdx", "<FinalDraft><Content><Paragraph Type=\"Action\"><Text>" + std::string(1u << 20, 'a') +
                                    "</Text></Paragraph></Content></FinalDraft>");
    EXPECT_TRUE(app->open({OpenChoice::Kind::FinalDraft, "huge"})) << "1 MB exactly is taken";
}

TEST_F(FountainInTheEditor, AnUnclosedBoneyardIsSaidAtTheWindowsFoot)
{
    writeBytes("user/cut.fountain", "INT. A\n\nRain.\n/* cut\nMore.\n\nEXT. B\n");
    ASSERT_TRUE(app->open({OpenChoice::Kind::Fountain, "cut"}));
    EXPECT_EQ(page().size(), 2u);
    EXPECT_EQ(app->footLine(), "An unclosed /* hides 4 lines from line 4");
    ASSERT_TRUE(app->openScript(""));
    EXPECT_EQ(app->footLine(), "");
}

// Emphasis is read into styles and written back as markers; a marker that opens nothing
// or closes nothing stays a letter.
TEST(FountainEmphasis, MarkersBecomeStylesAndComeBack)
{
    const std::pair<const char*, const char32_t*> read[] = {
        {"It was _him_.", U"It was <u>him</u>."},
        {"**bold** and *it* and ***both***", U"<b>bold</b> and <i>it</i> and <b><i>both</i></b>"},
        {"**bold *and it* bold**", U"<b>bold </b><b><i>and it</i></b><b> bold</b>"},
        {"_**Night**_ falls", U"<b><u>Night</u></b> falls"},
        {"an unclosed *star", U"an unclosed *star"},
        {"5 * 3 = 15", U"5 * 3 = 15"},
        {"\\*not\\* emphasis", U"*not* emphasis"},
        {"*across\nlines*", U"<i>across lines</i>"},
        {"a_b_c", U"a<u>b</u>c"},
    };
    for (const auto& [fountain, styled] : read) {
        const std::optional<std::vector<Paragraph>> paragraphs = parseFountainBody(fountain);
        ASSERT_TRUE(paragraphs && paragraphs->size() == 1) << fountain;
        EXPECT_EQ(paragraphs->front(), marked(Directorial, styled)) << fountain;
    }
    const std::pair<std::vector<Paragraph>, const char*> written[] = {
        {{marked(Directorial, U"It was <u>him</u>.")}, "\nIt was _him_.\n"},
        {{marked(Directorial, U"<b>a</b><i>b</i> <u>c </u>d")}, "\n**a***b* _c\\ _d\n"},
        {{marked(Scene, U"<b>int.</b> hall")}, "\n.**INT.** HALL\n"},
        {{{Name, "ann"}, {Speech, "Hi."}, marked(Name, U"CAL ^"), {Speech, "Yo."}}, "\nANN\nHi.\n\nCAL ^\nYo.\n"},
        {{{Name, "ann"}, {Speech, "Hi."}, marked(Name, U"int ^"), {Speech, "Yo."}}, "\nANN\nHi.\n\n@INT ^\nYo.\n"}, // not a heading
    };
    for (const auto& [paragraphs, fountain] : written) {
        EXPECT_EQ(fountainBody(paragraphs), fountain);
        EXPECT_EQ(parseFountainBody(fountain), asShown(Script("", "", paragraphs)).paragraphs) << fountain;
    }
}
