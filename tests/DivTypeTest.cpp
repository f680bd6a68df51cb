#include "TestSupport.hpp"

TEST(DivTypeTables, EnterFollowsTheScriptCycle)
{
    EXPECT_EQ(nextKindOnEnter.at(Scene), Directorial);
    EXPECT_EQ(nextKindOnEnter.at(Directorial), Name);
    EXPECT_EQ(nextKindOnEnter.at(Name), Speech);
    EXPECT_EQ(nextKindOnEnter.at(Speech), Name);
    EXPECT_EQ(nextKindOnEnter.at(Parenthetical), Speech);
    EXPECT_EQ(nextKindOnEnter.at(None), Scene);
    EXPECT_EQ(nextKindOnEnter.at(Transition), Scene);
    EXPECT_EQ(nextKindOnEnter.at(Centered), Directorial);
    EXPECT_EQ(nextKindOnEnter.at(PageBreak), Scene);
    EXPECT_THROW(nextKindOnEnter.at(9), std::out_of_range);
    // Final Draft's chain: action and speech go on as action, the rest as here.
    const std::pair<DivType, DivType> finalDraft[] = {{Scene, Directorial}, {Directorial, Directorial}, {Name, Speech},
                                                      {Parenthetical, Speech}, {Speech, Directorial}, {Transition, Scene}};
    for (const auto& [kind, next] : finalDraft)
        EXPECT_EQ(kindOnEnter(kind, KeyChain::FinalDraft), next) << kind;
    EXPECT_EQ(kindOnEnter(Speech, KeyChain::Quillmere), Name);
    EXPECT_EQ(kindOnEnter(Directorial, KeyChain::Quillmere), Name);
    EXPECT_EQ(kindOnEnter(42, KeyChain::Quillmere), Scene);
}

TEST(DivTypeTables, NamesGoBothWays)
{
    for (const auto& [name, kind] : kindByName)
        EXPECT_EQ(kindNames.at(kind), name);
    EXPECT_EQ(kindByName.size(), 9u);
    EXPECT_EQ(kindNames.at(Centered), "Directorial Centered");
    EXPECT_THROW(kindByName.at("scene"), std::out_of_range);
}

using ApplyKindTest = AppTest;

// Case is the kind's style: the letters stay as typed through any change of kind, upper-case
// kinds show and save them in capitals.
TEST_F(ApplyKindTest, CapitalsAreNeverDestroyed)
{
    page().setKind(Directorial);
    type("Rain streaks the windows. MARY (40s) enters");
    for (const DivType kind : {Name, Speech, Parenthetical, Scene, Directorial})
        page().setKind(kind);
    EXPECT_EQ(currentParagraph().text, "Rain streaks the windows. MARY (40s) enters");
    EXPECT_EQ(shown().display().getString(), "Rain streaks the windows. MARY (40s) enters");
    page().setKind(Name);
    EXPECT_EQ(shown().display().getString().substring(0, 17), "RAIN STREAKS THE\n"); // wrapped at 20
    ASSERT_TRUE(app->saveScriptAs("rain"));
    EXPECT_NE(readBytes("user/rain.html").find("<div class=\"Name\">RAIN STREAKS THE WINDOWS. MARY (40S) ENTERS</div>"),
              std::string::npos);
    // A paragraph loaded in an upper-case kind keeps its capitals in a mixed one.
    ASSERT_TRUE(app->openScript("rain"));
    page().setKind(Speech);
    EXPECT_EQ(currentParagraph().text, "RAIN STREAKS THE WINDOWS. MARY (40S) ENTERS");
}

TEST_F(ApplyKindTest, AccentedLettersAndDigitsAreNeverConverted)
{
    page().setKind(Speech);
    setText(u32(U"é 9 ß"));
    page().setKind(Scene);
    EXPECT_EQ(currentParagraph().text, u32(U"é 9 ß"));
}

TEST_F(ApplyKindTest, LayoutOfEachKind)
{
    // As printed, a line holds the printed width (a cell less than lineChars) and the
    // blank lines are whole lines, two before a heading.
    struct Expect { bool printed; DivType kind; unsigned lineChars; float textLeft; float emptyHeight; };
    for (const Expect& e : {Expect{false, Scene, 57, 645, 47}, Expect{false, Directorial, 57, 645, 47},
                            Expect{false, Name, 20, 909, 23}, Expect{false, Parenthetical, 26, 837, 23},
                            Expect{false, Speech, 32, 765, 47}, Expect{true, Scene, 62, 645, 69},
                            Expect{true, Directorial, 62, 645, 46}, Expect{true, Name, 38, 885, 23},
                            Expect{true, Parenthetical, 30, 837, 23}, Expect{true, Speech, 36, 765, 46},
                            Expect{true, Transition, 17, 1317, 46}, Expect{true, None, 82, 465, 23}}) {
        showLinesAsPrinted(e.printed);
        page().layOutAgain();
        page().setKind(e.kind);
        EXPECT_EQ(shown().wrap.lineChars, e.lineChars) << kindNames.at(e.kind) << e.printed;
        EXPECT_EQ(shown().origin().x, e.textLeft) << kindNames.at(e.kind) << e.printed;
        EXPECT_EQ(page().paragraphBottom(0) - page().paragraphTop(0), e.emptyHeight) << kindNames.at(e.kind) << e.printed;
        EXPECT_EQ(layoutOf(e.kind).bold, e.kind == Scene) << kindNames.at(e.kind) << e.printed; // headings in the bold face
    }
    showLinesAsPrinted(false);
}

TEST_F(ApplyKindTest, ANoneParagraphOfAnOldFileHasNoIndentAndShowsItsLettersAsTyped)
{
    page().setKind(Name);
    setText("bob");
    page().setKind(None);
    EXPECT_EQ(currentParagraph().kind, None);
    EXPECT_EQ(shown().wrap.lineChars, 82u);
    EXPECT_EQ(shown().origin().x, 465);
    EXPECT_EQ(shown().display().getString(), "bob");
}
