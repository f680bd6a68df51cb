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
    struct Expect { DivType kind; unsigned lineChars; float textLeft; float emptyHeight; };
    for (const Expect& e : {Expect{Scene, 57, 645, 47}, Expect{Directorial, 57, 645, 47}, Expect{Name, 20, 909, 23},
                            Expect{Parenthetical, 26, 837, 23}, Expect{Speech, 32, 765, 47}}) {
        page().setKind(e.kind);
        EXPECT_EQ(shown().wrap.lineChars, e.lineChars) << kindNames.at(e.kind);
        EXPECT_EQ(shown().origin().x, e.textLeft) << kindNames.at(e.kind);
        EXPECT_EQ(page().paragraphBottom(0) - page().paragraphTop(0), e.emptyHeight) << kindNames.at(e.kind);
    }
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
