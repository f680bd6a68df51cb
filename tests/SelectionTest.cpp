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

TEST_F(SelectionTest, PasteKeepsThePastedCaseAndOneBlockOfLinesStaysInTheParagraph)
{
    DivEditor& p = directorial("");
    sf::Clipboard::setString("Then Mary stands");
    control(sf::Keyboard::V);
    EXPECT_EQ(p.text, "Then Mary stands");

    page().setKind(Speech);
    currentParagraph().setText("");
    sf::Clipboard::setString(u32(U"one\r\ntwo\rthree\nfour\tfive\x01six é"));
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text, u32(U"one two three four fivesix é"));
    EXPECT_EQ(page().paragraphs.size(), 1u);
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

class AcrossParagraphs : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        page().load({{Scene, "INT. HALL"}, {Directorial, "Rain."}, {Name, "MARY"}, {Speech, "Come in."},
                     {Scene, "EXT. YARD"}, {Directorial, "Mud."}});
        page().placeCaret({0, 0});
    }
    void shifted(sf::Keyboard::Key code, bool control = false)
    {
        sf::Event event = ev::keyPressed(code);
        event.key.shift = true;
        if (control)
            holdControl(true);
        send(event);
        if (control)
            holdControl(false);
    }
    std::vector<Paragraph> paragraphs() { return page().contents(); }
};

TEST_F(AcrossParagraphs, ShiftKeysCtrlAAndDragsSelectAcrossWithBandsOnEach)
{
    for (int i = 0; i < 8; ++i)
        shifted(sf::Keyboard::Right); // "INT. HALL" is 9 long: the tenth goes into "Rain."
    shifted(sf::Keyboard::Right);
    shifted(sf::Keyboard::Right);
    shifted(sf::Keyboard::Right);
    EXPECT_EQ(page().selectedPieces(), (std::vector<Paragraph>{{Scene, "INT. HALL"}, {Directorial, "R"}}));
    EXPECT_EQ(page().paragraphs[0].highlights.size(), 1u);
    EXPECT_EQ(page().paragraphs[1].highlights.size(), 1u);
    EXPECT_TRUE(page().paragraphs[2].highlights.empty());
    shifted(sf::Keyboard::End);
    shifted(sf::Keyboard::Down);
    EXPECT_EQ(page().selectedPieces(), (std::vector<Paragraph>{{Scene, "INT. HALL"}, {Directorial, "Rain."}, {Name, ""}}));
    key(sf::Keyboard::Left); // collapses
    EXPECT_FALSE(page().hasSelection());
    EXPECT_TRUE(page().paragraphs[0].highlights.empty());

    control(sf::Keyboard::A);
    EXPECT_EQ(page().selectedPieces().size(), 6u);
    shifted(sf::Keyboard::Home, true); // Control+Shift+Home: from the end back to the top
    EXPECT_FALSE(page().hasSelection());

    const sf::Vector2i rain(645 + 12 * 2, 167 + 10), mary(909 + 12 * 2, 214 + 10);
    send(ev::pressed(rain.x, rain.y));
    send(ev::moved(mary.x, mary.y));
    send(ev::released(mary.x, mary.y));
    EXPECT_EQ(page().selectedPieces(), (std::vector<Paragraph>{{Directorial, "in."}, {Name, "MA"}}));
    send(ev::pressed(645, 120 + 10)); // a press elsewhere collapses
    holdControl(false);
    sf::Event shiftDown = ev::keyPressed(sf::Keyboard::LShift);
    send(shiftDown);
    send(ev::pressed(mary.x + 12, mary.y)); // Shift and a press stretch the selection to it
    send(ev::released(mary.x + 12, mary.y));
    EXPECT_EQ(page().selectedPieces().size(), 3u);
    EXPECT_EQ(page().selectedPieces().back(), (Paragraph{Name, "MAR"}));
}

TEST_F(AcrossParagraphs, CutAndPasteOfAWholeSceneKeepEveryKindEachOneStep)
{
    for (int i = 0; i < 4; ++i)
        shifted(sf::Keyboard::Down); // from the first heading to the start of the second
    ASSERT_EQ(page().caret(), (Caret{4, 0}));
    control(sf::Keyboard::X);
    EXPECT_EQ(sf::Clipboard::getString(), "INT. HALL\n\nRain.\n\nMARY\nCome in.\n") << "Fountain text";
    EXPECT_EQ(paragraphs(), (std::vector<Paragraph>{{Scene, "EXT. YARD"}, {Directorial, "Mud."}}));
    control(sf::Keyboard::End);
    key(sf::Keyboard::Enter);
    key(sf::Keyboard::Tab);
    key(sf::Keyboard::Tab); // an empty Scene... walked round to one: Directorial, Name
    page().setKind(Scene);
    control(sf::Keyboard::V);
    EXPECT_EQ(paragraphs(), (std::vector<Paragraph>{{Scene, "EXT. YARD"}, {Directorial, "Mud."}, {Scene, "INT. HALL"},
                                                    {Directorial, "Rain."}, {Name, "MARY"}, {Speech, "Come in."},
                                                    {Scene, ""}}));
    control(sf::Keyboard::Z);
    EXPECT_EQ(paragraphs().size(), 3u) << "the paste is one step";

    // Text from elsewhere with line breaks is read as Fountain.
    sf::Clipboard::setString("EXT. ROOF - NIGHT\n\nJOE\n(quietly)\nLook.\n");
    control(sf::Keyboard::V);
    EXPECT_EQ(paragraphs(), (std::vector<Paragraph>{{Scene, "EXT. YARD"}, {Directorial, "Mud."}, {Scene, "EXT. ROOF - NIGHT"},
                                                    {Name, "JOE"}, {Parenthetical, "(quietly)"}, {Speech, "Look."}}));
}

TEST_F(AcrossParagraphs, TypingBackspaceAndDeleteActOnTheSelectionAsOneStep)
{
    page().placeCaret({1, 2});
    shifted(sf::Keyboard::Down);
    shifted(sf::Keyboard::Down);
    shifted(sf::Keyboard::Right);
    shifted(sf::Keyboard::Right);
    ASSERT_EQ(page().caret(), (Caret{3, 2}));
    type("X");
    EXPECT_EQ(paragraphs(), (std::vector<Paragraph>{{Scene, "INT. HALL"}, {Directorial, "RaXme in."}, {Scene, "EXT. YARD"},
                                                    {Directorial, "Mud."}}));
    control(sf::Keyboard::Z);
    EXPECT_EQ(paragraphs().size(), 6u);
    page().placeCaret({0, 9});
    shifted(sf::Keyboard::Right);
    shifted(sf::Keyboard::Right); // the break and "R"
    key(sf::Keyboard::Delete);
    EXPECT_EQ(paragraphs()[0], (Paragraph{Scene, "INT. HALLain."}));
    page().placeCaret({2, 0});
    shifted(sf::Keyboard::Down); // "Come in." and the break after it
    key(sf::Keyboard::BackSpace);
    send(ev::textEntered(8));
    EXPECT_EQ(paragraphs()[2], (Paragraph{Scene, "EXT. YARD"})) << "a joined paragraph takes the kind of its part with text";
}

TEST_F(SelectionTest, APasteLargerThanTwoMegabytesIsRefusedAndSaid)
{
    DivEditor& p = directorial("keep");
    sf::Clipboard::setString(std::string(3u << 20, 'x'));
    control(sf::Keyboard::V);
    EXPECT_EQ(p.text, "keep");
    EXPECT_EQ(app->footLine(), "The clipboard holds 3.0 MB; a paste takes at most 2 MB");
    sf::Clipboard::setString(std::string(2u << 20, 'y'));
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text.getSize(), 4u + (2u << 20));
}
