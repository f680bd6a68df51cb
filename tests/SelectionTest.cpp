#include "TestSupport.hpp"

#include <SFML/Window/Clipboard.hpp>

class SelectionTest : public AppTest {
protected:
    DivEditor& directorial(const sf::String& text)
    {
        page().setKind(Directorial);
        currentParagraph().setText(text);
        return currentParagraph();
    }
    // Pixel of the boundary before column c on line l of the first paragraph.
    sf::Vector2i at(int column, int line) { return {645 + 12 * column, 120 + 23 * line + 10}; }
    void drag(sf::Vector2i from, sf::Vector2i to)
    {
        send(ev::pressed(from.x, from.y));
        send(ev::moved(to.x, to.y));
        send(ev::released(to.x, to.y));
    }
};

TEST_F(SelectionTest, DraggingEitherWaySelectsTheSameCharacters)
{
    DivEditor& p = directorial("Hello wonderful world");
    drag(at(6, 0), at(15, 0));
    EXPECT_EQ(p.selectedText, "wonderful");
    EXPECT_EQ(p.selStart, 6u);
    EXPECT_EQ(p.selEnd, 15u);
    drag(at(15, 0), at(6, 0));
    EXPECT_EQ(p.selectedText, "wonderful");
    EXPECT_LT(p.selStart, p.selEnd);
    ASSERT_EQ(p.highlights.size(), 1u);
    EXPECT_EQ(p.highlights[0].getPosition().x, p.display.findCharacterPos(6).x);
}

TEST_F(SelectionTest, ThreeLinesGiveThreeBands)
{
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa ";
    DivEditor& p = directorial(words + words + words);
    ASSERT_GE(p.lineLengths.size(), 3u);
    drag(at(6, 0), at(4, 2));
    ASSERT_EQ(p.highlights.size(), 3u);
    const sf::RectangleShape& first = p.highlights[0];
    EXPECT_EQ(first.getPosition().x, p.display.findCharacterPos(6).x);
    EXPECT_EQ(first.getPosition().x + first.getSize().x, 645 + 12.f * (p.lineLengths[0] - 1));
    EXPECT_EQ(p.highlights[1].getPosition().x, 645);
    EXPECT_EQ(p.highlights[1].getSize().x, 12.f * (p.lineLengths[1] - 1));
    EXPECT_EQ(p.highlights[2].getPosition().x, 645);
    EXPECT_EQ(p.highlights[2].getSize().x, 48);
    EXPECT_EQ(p.highlights[2].getFillColor(), sf::Color(255, 200, 255));
}

TEST_F(SelectionTest, TypingReplacesTheSelectionAndBackspaceOnlyRemovesIt)
{
    DivEditor& p = directorial("Hello");
    drag(at(2, 0), at(4, 0));
    type("y");
    EXPECT_EQ(p.text, "Heyo");
    EXPECT_EQ(p.cursor, 3u);
    EXPECT_EQ(p.display.getString(), "Heyo");
    drag(at(0, 0), at(2, 0));
    send(ev::textEntered(8));
    EXPECT_EQ(p.text, "yo");
    EXPECT_TRUE(p.highlights.empty());
}

TEST_F(SelectionTest, ReplacingASelectionAtTheEndKeepsTheDisplayTrue)
{
    DivEditor& p = directorial("abc");
    drag(at(1, 0), at(3, 0));
    type("x");
    EXPECT_EQ(p.text, "ax");
    EXPECT_EQ(p.display.getString(), "ax");
}

TEST_F(SelectionTest, CopyCutAndPasteGoThroughTheClipboard)
{
    DivEditor& p = directorial("cut this out");
    drag(at(4, 0), at(8, 0));
    control(sf::Keyboard::C);
    EXPECT_EQ(sf::Clipboard::getString(), "this");
    control(sf::Keyboard::X);
    EXPECT_EQ(p.text, "cut  out");
    p.setCursor(p.text.getSize());
    control(sf::Keyboard::V);
    EXPECT_EQ(p.text, "cut  outthis");
    EXPECT_EQ(p.cursor, p.text.getSize());
}

TEST_F(SelectionTest, PasteFollowsTheCaseModeAndFlattensLineEnds)
{
    DivEditor& p = directorial("");
    sf::Clipboard::setString("Int. House");
    control(sf::Keyboard::V);
    EXPECT_EQ(p.text, "int. house");
    page().setKind(Scene);
    p.setText("");
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text, "INT. HOUSE");

    page().setKind(Speech);
    currentParagraph().setText("");
    sf::Clipboard::setString(u32(U"one\r\ntwo\rthree\nfour\tfive\x01six é"));
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text, u32(U"one two three four fivesix é"));
}

TEST_F(SelectionTest, TheRightControlKeyCopiesNothing)
{
    DivEditor& p = directorial("keep");
    drag(at(0, 0), at(4, 0));
    sf::Clipboard::setString("before");
    key(sf::Keyboard::C); // left Control not held
    EXPECT_EQ(sf::Clipboard::getString(), "before");
    EXPECT_EQ(p.text, "keep");
}

TEST_F(SelectionTest, BandsShowExactlyTheSelectionThatCopyTakes)
{
    DivEditor& p = directorial("Hello wonderful world");
    drag(at(6, 0), at(15, 0));
    key(sf::Keyboard::Right); // the selection collapses: bands and copied text go
    EXPECT_TRUE(p.highlights.empty());
    sf::Clipboard::setString("mine");
    control(sf::Keyboard::C);
    control(sf::Keyboard::X);
    EXPECT_EQ(sf::Clipboard::getString(), "mine"); // nothing selected: left alone
    EXPECT_EQ(p.text, "Hello wonderful world");

    send(ev::pressed(at(6, 0).x, at(6, 0).y)); // a drag released below the paragraph
    send(ev::moved(at(9, 0).x, at(9, 0).y));
    send(ev::released(700, 600));
    ASSERT_EQ(p.highlights.size(), 1u);
    EXPECT_EQ(p.selectedText, "won");
    control(sf::Keyboard::C);
    EXPECT_EQ(sf::Clipboard::getString(), "won");
    type("W");
    EXPECT_EQ(p.text, "Hello Wderful world");
    EXPECT_TRUE(p.highlights.empty());
}
