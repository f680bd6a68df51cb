#include "TestSupport.hpp"
#include "WrapCheck.hpp"

#include <random>

namespace {
// The text of each wrapped line as shown, line breaks removed.
std::vector<sf::String> shownLines(const ShownParagraph& paragraph)
{
    std::vector<sf::String> lines(1);
    for (const sf::Uint32 c : paragraph.display().getString()) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}
} // namespace

class ShownParagraphTest : public AppTest {
protected:
    const ShownParagraph& as(DivType kind, const sf::String& text)
    {
        page().setKind(kind);
        setText(text);
        return shown();
    }
    void expectConsistent() { ASSERT_EQ(wrapProblem(shown(), currentParagraph()), ""); }
};

TEST_F(ShownParagraphTest, ALineOfASceneShowsAtMost56Characters)
{
    const std::string head(50, 'A');
    EXPECT_EQ(as(Scene, head + " BCDEF").wrap.lines(), 1u);
    type("g"); // the word now brings the line to 57 cells and moves down whole
    ASSERT_EQ(shown().wrap.lines(), 2u);
    EXPECT_EQ(shownLines(shown())[1], "BCDEFG");
    EXPECT_EQ(shown().wrap.lineLengths[0], 51u);
    expectConsistent();
}

TEST_F(ShownParagraphTest, ALongWordIsCutWithEveryLetterShown)
{
    const ShownParagraph& p = as(Name, std::string(34, 'X'));
    EXPECT_EQ(shownLines(p), (std::vector<sf::String>{std::string(19, 'X'), std::string(15, 'X')}));
    EXPECT_EQ(p.wrap.lineLengths, (std::vector<std::uint32_t>{19, 15}));
    expectConsistent();

    as(Name, std::string(20, 'X') + " Y"); // the space after a cut word stays with it
    EXPECT_EQ(shownLines(shown()), (std::vector<sf::String>{std::string(19, 'X'), "X Y"}));
    expectConsistent();
}

TEST_F(ShownParagraphTest, RunsOfSpacesStayAndOnlyTheBreakingSpaceBecomesTheBreak)
{
    const ShownParagraph& p = as(Name, "AB    CD EFGHIJKLMNOPQRST");
    EXPECT_EQ(shownLines(p)[0], "AB    CD");
    EXPECT_EQ(p.wrap.lineLengths[0], 9u);
    expectConsistent();
}

TEST_F(ShownParagraphTest, NoneWrapsAt82CellsWithoutLimit)
{
    page().addParagraph(None);
    setText(std::string(100, 'w'));
    EXPECT_EQ(shown().wrap.lineLengths, (std::vector<std::uint32_t>{81, 19}));
}

TEST_F(ShownParagraphTest, CharactersBeyondLatin1AreShownAsThemselves)
{
    const ShownParagraph& p = as(Speech, u32(U"café 東京 \U0001F600 ok"));
    expectConsistent();
    EXPECT_EQ(p.display().getString(), currentParagraph().text);
}

TEST_F(ShownParagraphTest, RandomTextsKeepDisplayAndLineLengthsInStep)
{
    std::mt19937 random(7);
    const sf::Uint32 alphabet[] = {'a', 'b', ' ', ' ', 'Z', 0xE9, 0x6771, 0x1F600, '.'};
    for (DivType kind : {Scene, Name, Parenthetical, Speech, None}) {
        for (int round = 0; round < 60; ++round) {
            sf::String text;
            const int length = random() % 200;
            for (int i = 0; i < length; ++i)
                text += alphabet[random() % 9];
            if (kind == None)
                page().addParagraph(None);
            else
                page().setKind(kind);
            setText(text);
            expectConsistent();
            for (const auto entry : shown().wrap.lineLengths)
                EXPECT_LE(entry, shown().wrap.lineChars);
        }
    }
}

TEST_F(ShownParagraphTest, TypingAndBackspaceAtTheEndAndInTheMiddleKeepTheLinesTrue)
{
    as(Directorial, "");
    type("a ");
    send(ev::textEntered('b'));
    send(ev::textEntered(8));
    EXPECT_EQ(currentParagraph().text, "a ");
    EXPECT_EQ(shown().display().getString(), "a ");
    setCursor(1);
    send(ev::textEntered(8));
    EXPECT_EQ(currentParagraph().text, " ");
    EXPECT_EQ(cursor(), 0u);
    expectConsistent();
}

TEST_F(ShownParagraphTest, UpperParagraphsShowCapitalsAndKeepTheLettersAsTyped)
{
    as(Scene, "");
    type(u8"int. josé's house");
    EXPECT_EQ(currentParagraph().text, u32(U"int. josé's house"));
    EXPECT_EQ(shown().display().getString(), u32(U"INT. JOSÉ'S HOUSE"));
    as(Name, u32(U"øre straße"));
    EXPECT_EQ(shown().display().getString(), u32(U"ØRE STRAßE")) << "ß has no capital of its own";
    as(Directorial, "");
    type("Int. House");
    EXPECT_EQ(shown().display().getString(), "Int. House");
}

TEST_F(ShownParagraphTest, ControlCharactersAndTheDeleteKeysCharacterAreNeverInserted)
{
    as(Directorial, "ab");
    for (sf::Uint32 c : {9u, 13u, 27u, 10u, 127u})
        send(ev::textEntered(c));
    EXPECT_EQ(currentParagraph().text, "ab");
}

TEST_F(ShownParagraphTest, BackspaceOnAnEmptyTextOrAtTheStartChangesNothing)
{
    as(Directorial, "");
    send(ev::textEntered(8));
    EXPECT_TRUE(currentParagraph().text.isEmpty());
    setText("xy");
    setCursor(0);
    send(ev::textEntered(8));
    EXPECT_EQ(currentParagraph().text, "xy");
}

TEST_F(ShownParagraphTest, ArrowsMoveByALinesCellsAndPastTheEndsIntoTheNextParagraph)
{
    load({{Directorial, "ab"}, {Name, "ABCDEFGHIJKLMNOPQRSTUVWXY"}, {Speech, "yes"}}); // a name line holds 20 cells
    struct Row {
        std::uint32_t from;
        sf::Keyboard::Key key;
        Caret to;
    };
    const Row rows[] = {
        {25, sf::Keyboard::Right, {2, 0}}, {0, sf::Keyboard::Left, {0, 2}}, {19, sf::Keyboard::Up, {0, 2}},
        {20, sf::Keyboard::Up, {1, 0}},    {5, sf::Keyboard::Down, {2, 0}}, {4, sf::Keyboard::Down, {1, 24}},
        {7, sf::Keyboard::Right, {1, 8}},  {7, sf::Keyboard::Left, {1, 6}},
    };
    for (const Row& row : rows) {
        page().placeCaret({1, row.from});
        key(row.key);
        EXPECT_EQ(page().caret(), row.to) << row.from << " key " << row.key;
    }
    page().placeCaret({2, 3});
    key(sf::Keyboard::Right); // past the script's end: nowhere
    key(sf::Keyboard::Down);
    EXPECT_EQ(page().caret(), (Caret{2, 3}));
    page().placeCaret({0, 0});
    key(sf::Keyboard::Left);
    key(sf::Keyboard::Up);
    EXPECT_EQ(page().caret(), (Caret{0, 0}));
}

TEST_F(ShownParagraphTest, TheCaretIsDrawnWhereTheNextCharacterAppears)
{
    // A typed character lands where the caret was drawn, at the end of a text that fills
    // whole lines and after a press right of a wrapped line's end.
    auto check = [&](const char* what) {
        const Page::Point caret = page().caretPoint();
        const std::size_t at = cursor();
        send(ev::textEntered('7'));
        const sf::Vector2f drawn = shown().display().findCharacterPos(shown().wrap.shownIndex(at));
        EXPECT_EQ(drawn.x, caret.x) << what;
        EXPECT_EQ(drawn.y + page().paragraphTop(page().current()), caret.y) << what;
        EXPECT_EQ(currentParagraph().text[at], '7') << what;
    };
    as(Name, std::string(20, 'N'));
    check("the end of a full line");
    as(Name, std::string(19, 'N') + " ");
    check("after a space in a line's last cell");
    as(Directorial, "one two three four five six seven eight nine ten eleven twelve thirteen");
    ASSERT_EQ(shown().wrap.lines(), 2u);
    click(1400, 125); // right of the first line
    check("a press right of a wrapped line");
    as(Name, std::string(30, 'N'));
    click(1400, 125); // right of a line cut inside a word
    check("a press right of a cut line");
    as(Scene, u32(U"ext. café on the corner - night"));
    setCursor(20);
    check("inside a heading, in its bold face");
}

TEST_F(ShownParagraphTest, AnIndexFromAPoint)
{
    const ShownParagraph& p = as(Directorial, "one two three four five six seven eight nine ten eleven twelve thirteen");
    ASSERT_EQ(p.wrap.lines(), 2u);
    const float left = 645;
    EXPECT_EQ(p.indexAt(500, 5), 0u);                 // in the left indent
    EXPECT_EQ(p.indexAt(left + 12 * 3 + 7, 5), 4u);   // nearer the boundary after "one "
    EXPECT_EQ(p.caretPoint(4), p.display().findCharacterPos(4));
    EXPECT_EQ(p.indexAt(1400, 5), 55u);               // right of the first line: before its break
    EXPECT_EQ(p.indexAt(1400, 500), 71u);             // below the last line: the last line, its end
    EXPECT_EQ(p.indexAt(left + 12 * 2, 23 + 5), 58u); // the second line begins at 56
}

TEST_F(ShownParagraphTest, BackspaceAtTheEndLetsTheLastWordMoveBackUp)
{
    as(Name, "ABCDEFGHIJ KLMNOPQR"); // 19 shown: one full line
    type("S");
    ASSERT_EQ(shown().wrap.lines(), 2u);
    send(ev::textEntered(8));
    EXPECT_EQ(shown().wrap.lines(), 1u);
    EXPECT_EQ(shown().display().getString(), "ABCDEFGHIJ KLMNOPQR");
}

TEST(WrapRules, LinesBreaksAndCounts)
{
    struct Row {
        const char* text;
        std::uint32_t lineChars;
        std::vector<std::uint32_t> lengths;
        std::vector<std::uint32_t> cuts;
    };
    const Row rows[] = {
        {"", 20, {0}, {}},
        {"abc def", 5, {4, 3}, {}},            // "abc " then "def"
        {"abcdefgh", 4, {3, 3, 2}, {3, 6}},    // cut into chunks of three
        {"ab  cd", 4, {4, 2}, {}},             // the second space fills the last cell: the break
        {"a b c d e", 6, {6, 3}, {}},          // "a b c" and its break space fill the line
    };
    for (const Row& row : rows) {
        const Wrap wrap = wrapText(row.text, row.lineChars);
        EXPECT_EQ(wrap.lineLengths, row.lengths) << row.text;
        EXPECT_EQ(wrap.insertedBreaks, row.cuts) << row.text;
        EXPECT_EQ(countLines(row.text, row.lineChars), row.lengths.size()) << row.text;
    }
}
