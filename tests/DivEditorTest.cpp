#include "TestSupport.hpp"
#include "WrapCheck.hpp"

#include <random>

namespace {
// The text of each wrapped line as shown, line breaks removed.
std::vector<sf::String> shownLines(const DivEditor& paragraph)
{
    std::vector<sf::String> lines(1);
    for (const sf::Uint32 c : paragraph.display.getString()) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    return lines;
}

void expectConsistent(const DivEditor& paragraph)
{
    ASSERT_EQ(wrapProblem(paragraph), "");
}
} // namespace

class DivEditorTest : public AppTest {
protected:
    DivEditor& as(DivType kind, const sf::String& text)
    {
        page().setKind(kind);
        currentParagraph().setText(text);
        return currentParagraph();
    }
};

TEST_F(DivEditorTest, ALineOfASceneShowsAtMost56Characters)
{
    const std::string head(50, 'A');
    DivEditor& p = as(Scene, head + " BCDEF");
    EXPECT_EQ(p.lineLengths.size(), 1u);
    type("g"); // the word now brings the line to 57 cells and moves down whole
    ASSERT_EQ(p.lineLengths.size(), 2u);
    EXPECT_EQ(shownLines(p)[1], "BCDEFG");
    EXPECT_EQ(p.lineLengths[0], 51u);
    expectConsistent(p);
}

TEST_F(DivEditorTest, ALongWordIsCutWithEveryLetterShown)
{
    DivEditor& p = as(Name, std::string(34, 'X'));
    EXPECT_EQ(shownLines(p), (std::vector<sf::String>{std::string(19, 'X'), std::string(15, 'X')}));
    EXPECT_EQ(p.lineLengths, (std::vector<std::uint32_t>{19, 15}));
    expectConsistent(p);

    as(Name, std::string(20, 'X') + " Y"); // the space after a cut word stays with it
    EXPECT_EQ(shownLines(currentParagraph()), (std::vector<sf::String>{std::string(19, 'X'), "X Y"}));
    expectConsistent(currentParagraph());
}

TEST_F(DivEditorTest, RunsOfSpacesStayAndOnlyTheBreakingSpaceBecomesTheBreak)
{
    DivEditor& p = as(Name, "AB    CD EFGHIJKLMNOPQRST");
    EXPECT_EQ(shownLines(p)[0], "AB    CD");
    EXPECT_EQ(p.lineLengths[0], 9u);
    expectConsistent(p);
}

TEST_F(DivEditorTest, NoneWrapsAt82CellsWithoutLimit)
{
    page().addParagraph(None);
    currentParagraph().setText(std::string(100, 'w'));
    EXPECT_EQ(currentParagraph().lineLengths, (std::vector<std::uint32_t>{81, 19}));
}

TEST_F(DivEditorTest, CharactersBeyondLatin1AreShownAsThemselves)
{
    DivEditor& p = as(Speech, u32(U"café 東京 \U0001F600 ok"));
    expectConsistent(p);
    EXPECT_EQ(p.display.getString(), p.text);
}

TEST_F(DivEditorTest, RandomTextsKeepDisplayAndLineLengthsInStep)
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
            currentParagraph().setText(text);
            expectConsistent(currentParagraph());
            for (const auto entry : currentParagraph().lineLengths)
                EXPECT_LE(entry, currentParagraph().lineChars);
        }
    }
}

TEST_F(DivEditorTest, TypingAtTheEndAppendsWithoutRewrapButMiddleEditsRewrap)
{
    as(Directorial, "");
    type("a ");
    send(ev::textEntered('b'));
    EXPECT_FALSE(currentParagraph().rewrapped);
    send(ev::textEntered(8));
    EXPECT_FALSE(currentParagraph().rewrapped);
    EXPECT_EQ(currentParagraph().text, "a ");
    currentParagraph().setCursor(1);
    send(ev::textEntered(8));
    EXPECT_TRUE(currentParagraph().rewrapped);
    EXPECT_EQ(currentParagraph().text, " ");
    expectConsistent(currentParagraph());
}

TEST_F(DivEditorTest, UpperParagraphsShowCapitalsAndKeepTheLettersAsTyped)
{
    as(Scene, "");
    type("int. house");
    EXPECT_EQ(currentParagraph().text, "int. house");
    EXPECT_EQ(currentParagraph().display.getString(), "INT. HOUSE");
    as(Directorial, "");
    type("Int. House");
    EXPECT_EQ(currentParagraph().display.getString(), "Int. House");
}

TEST_F(DivEditorTest, ControlCharactersAndTheDeleteKeysCharacterAreNeverInserted)
{
    as(Directorial, "ab");
    for (sf::Uint32 c : {9u, 13u, 27u, 10u, 127u})
        send(ev::textEntered(c));
    EXPECT_EQ(currentParagraph().text, "ab");
}

TEST_F(DivEditorTest, BackspaceOnAnEmptyTextOrAtTheStartChangesNothing)
{
    as(Directorial, "");
    send(ev::textEntered(8));
    EXPECT_TRUE(currentParagraph().text.isEmpty());
    currentParagraph().setText("xy");
    currentParagraph().setCursor(0);
    send(ev::textEntered(8));
    EXPECT_EQ(currentParagraph().text, "xy");
}

TEST_F(DivEditorTest, ArrowsThrowOutOfRangeAtTheEnds)
{
    DivEditor& p = as(Name, "ABCDEFGHIJKLMNOPQRSTUVWXY");
    p.focused = true;
    p.setCursor(p.text.getSize());
    try {
        p.handleEvent(ev::keyPressed(sf::Keyboard::Right));
        FAIL();
    } catch (const OutOfRange& e) {
        EXPECT_EQ(e.direction, 1);
        EXPECT_STREQ(e.what(), "Index out of range");
    }
    p.setCursor(0);
    EXPECT_THROW(p.handleEvent(ev::keyPressed(sf::Keyboard::Left)), OutOfRange);
    p.setCursor(19);
    EXPECT_THROW(p.handleEvent(ev::keyPressed(sf::Keyboard::Up)), OutOfRange);
    p.setCursor(20);
    p.handleEvent(ev::keyPressed(sf::Keyboard::Up));
    EXPECT_EQ(p.cursor, 0u);
    p.setCursor(5); // 5 + 20 reaches the end: Down leaves
    EXPECT_THROW(p.handleEvent(ev::keyPressed(sf::Keyboard::Down)), OutOfRange);
    p.setCursor(4);
    p.handleEvent(ev::keyPressed(sf::Keyboard::Down));
    EXPECT_EQ(p.cursor, 24u);

    as(Name, "AB").setCursor(0);
    EXPECT_THROW(currentParagraph().handleEvent(ev::keyPressed(sf::Keyboard::Down)), OutOfRange);
}

TEST_F(DivEditorTest, TheCaretIsDrawnWhereTheNextCharacterAppears)
{
    // A typed character lands where the caret was drawn, at the end of a text that fills
    // whole lines and after a press right of a wrapped line's end.
    auto check = [&](DivEditor& p, const char* what) {
        const sf::Vector2f caret = p.caret.getPosition();
        const std::size_t at = p.cursor;
        send(ev::textEntered('7'));
        EXPECT_EQ(p.display.findCharacterPos(p.shownIndex(at)), caret) << what;
        EXPECT_EQ(p.text[at], '7') << what;
    };
    DivEditor& p = as(Name, std::string(20, 'N'));
    check(p, "the end of a full line");
    check(as(Name, std::string(19, 'N') + " "), "after a space in a line's last cell");
    as(Directorial, "one two three four five six seven eight nine ten eleven twelve thirteen");
    ASSERT_EQ(currentParagraph().lineLengths.size(), 2u);
    click(1400, 125); // right of the first line
    check(currentParagraph(), "a press right of a wrapped line");
    as(Name, std::string(30, 'N'));
    click(1400, 125); // right of a line cut inside a word
    check(currentParagraph(), "a press right of a cut line");
}

TEST_F(DivEditorTest, PlacingTheCaretWithTheMouse)
{
    DivEditor& p = as(Directorial, "one two three four five six seven eight nine ten eleven twelve thirteen");
    ASSERT_EQ(p.lineLengths.size(), 2u);
    const int left = 645, top = static_cast<int>(p.rect.top);
    p.placeCursorAt(500, top + 5); // in the left indent
    EXPECT_EQ(p.cursor, 0u);
    p.placeCursorAt(left + 12 * 3 + 7, top + 5); // nearer the boundary after "one "
    EXPECT_EQ(p.cursor, 4u);
    EXPECT_EQ(p.caret.getPosition(), p.display.findCharacterPos(4));
    p.placeCursorAt(1400, top + 5); // right of the first line: before its break
    EXPECT_EQ(p.cursor, p.lineLengths[0] - 1);
    p.placeCursorAt(1400, top + 500); // below the last line: the last line, its end
    EXPECT_EQ(p.cursor, p.text.getSize());
}

TEST_F(DivEditorTest, BackspaceAtTheEndLetsTheLastWordMoveBackUp)
{
    DivEditor& p = as(Name, "ABCDEFGHIJ KLMNOPQR"); // 19 shown: one full line
    type("S");
    ASSERT_EQ(p.lineLengths.size(), 2u);
    send(ev::textEntered(8));
    EXPECT_EQ(p.lineLengths.size(), 1u);
    EXPECT_EQ(p.display.getString(), "ABCDEFGHIJ KLMNOPQR");
}
