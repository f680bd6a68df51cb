#include "TestSupport.hpp"

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
    ASSERT_EQ(paragraph.display.getString().getSize(), paragraph.text.getSize());
    std::size_t sum = 0;
    for (const auto length : paragraph.lineLengths)
        sum += length;
    ASSERT_EQ(sum, paragraph.text.getSize());
    ASSERT_LE(paragraph.cursor, paragraph.text.getSize());
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

TEST_F(DivEditorTest, ALongWordIsCutIntoChunksWhoseLastCellIsTheBreak)
{
    DivEditor& p = as(Name, std::string(34, 'X'));
    EXPECT_EQ(shownLines(p)[0], std::string(19, 'X'));
    EXPECT_EQ(shownLines(p)[1], std::string(14, 'X'));
    EXPECT_EQ(p.lineLengths, (std::vector<std::uint32_t>{20, 14}));
}

TEST_F(DivEditorTest, TheSpaceAfterAFullLineWordStartsTheNextLine)
{
    DivEditor& p = as(Name, std::string(20, 'X') + " Y");
    expectConsistent(p);
    EXPECT_EQ(p.lineLengths, (std::vector<std::uint32_t>{20, 2}));
    EXPECT_EQ(shownLines(p)[1], " Y");
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
    EXPECT_EQ(currentParagraph().lineLengths, (std::vector<std::uint32_t>{82, 18}));
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

TEST_F(DivEditorTest, UpperParagraphsCapitaliseTypingMixedOnesKeepIt)
{
    as(Scene, "");
    type("int. house");
    EXPECT_EQ(currentParagraph().text, "INT. HOUSE");
    as(Directorial, "");
    type("Int. House");
    EXPECT_EQ(currentParagraph().text, "Int. House");
}

TEST_F(DivEditorTest, ControlCharactersAreIgnoredBut127IsInserted)
{
    as(Directorial, "ab");
    for (sf::Uint32 c : {9u, 13u, 27u, 10u})
        send(ev::textEntered(c));
    EXPECT_EQ(currentParagraph().text, "ab");
    send(ev::textEntered(127));
    EXPECT_EQ(currentParagraph().text.getSize(), 3u);
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

TEST_F(DivEditorTest, TheCaretAtAnEndThatFillsWholeLinesSitsOnTheLastCell)
{
    DivEditor& p = as(Name, std::string(20, 'N'));
    p.setCursor(20);
    EXPECT_EQ(p.caret.getPosition(), p.display.findCharacterPos(19));
    p.setCursor(19);
    EXPECT_EQ(p.caret.getPosition(), p.display.findCharacterPos(19));
    as(Name, "").setCursor(0);
    EXPECT_EQ(currentParagraph().caret.getPosition(), currentParagraph().display.getPosition());
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
    EXPECT_EQ(p.caret.getPosition(), sf::Vector2f(left + 12 * 4 - 1, top + 4));
    p.placeCursorAt(1400, top + 5); // right of the first line: past its break
    EXPECT_EQ(p.cursor, p.lineLengths[0]);
    p.placeCursorAt(1400, top + 500); // below the last line: the last line, its end
    EXPECT_EQ(p.cursor, p.text.getSize());
}
