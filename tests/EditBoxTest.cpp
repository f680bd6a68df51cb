#include "TestSupport.hpp"

class EditBoxTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        box.bind(app->window(), app->page().view);
        box.setRect(100, 100, 300, 50);
        box.setText("Hello");
    }
    // Pixel of the boundary before character c.
    int at(int c) { return 110 + 12 * c; }
    void drag(int from, int to, int releaseX)
    {
        box.handleEvent(ev::pressed(from, 120));
        box.handleEvent(ev::moved(to, 120));
        box.handleEvent(ev::released(releaseX, 120));
    }
    EditBox box;
};

TEST_F(EditBoxTest, TypingOverASelectionReplacesIt)
{
    drag(at(2), at(4), at(4));
    box.handleEvent(ev::textEntered('y'));
    EXPECT_EQ(box.text, "Heyo");
    EXPECT_EQ(box.cursor, 3u);
    drag(at(0), at(2), at(2));
    box.handleEvent(ev::textEntered(8));
    EXPECT_EQ(box.text, "yo");
    EXPECT_EQ(box.display.getString(), "yo");
}

TEST_F(EditBoxTest, ARightToLeftDragEndingOutsideKeepsItsReversedEnds)
{
    drag(at(4), at(1), 600);
    EXPECT_EQ(box.selStart, 4u);
    EXPECT_EQ(box.selEnd, 1u);
    EXPECT_EQ(box.highlight.getSize().x, 36);
    box.handleEvent(ev::textEntered('i'));
    EXPECT_EQ(box.text, "Hio");
}

TEST_F(EditBoxTest, APressDrawsTheCaretOnePixelLeftAndLower)
{
    box.handleEvent(ev::pressed(at(2), 120));
    box.handleEvent(ev::released(at(2), 120));
    const sf::Vector2f byMouse = box.caret.getPosition();
    box.setCursor(2);
    EXPECT_EQ(byMouse, box.caret.getPosition() + sf::Vector2f(-1, 1));
    box.handleEvent(ev::pressed(101, 120)); // the left margin
    EXPECT_EQ(box.cursor, 0u);
    box.handleEvent(ev::pressed(390, 120)); // right of the text
    EXPECT_EQ(box.cursor, 5u);
}

TEST_F(EditBoxTest, TextTypedWhileTheButtonIsHeldIsIgnored)
{
    box.handleEvent(ev::pressed(at(5), 120));
    box.handleEvent(ev::textEntered('x'));
    EXPECT_EQ(box.text, "Hello");
    box.handleEvent(ev::released(at(5), 120));
    box.handleEvent(ev::textEntered('x'));
    EXPECT_EQ(box.text, "Hellox");
}

TEST_F(EditBoxTest, KeysAndBackspaceAtTheEdges)
{
    box.handleEvent(ev::keyPressed(sf::Keyboard::Left)); // not focused: nothing
    EXPECT_EQ(box.cursor, 5u);
    box.focused = true;
    box.handleEvent(ev::keyPressed(sf::Keyboard::Right));
    EXPECT_EQ(box.cursor, 5u);
    box.setCursor(0);
    box.handleEvent(ev::keyPressed(sf::Keyboard::Left));
    box.handleEvent(ev::textEntered(8));
    EXPECT_EQ(box.text, "Hello");
    box.handleEvent(ev::textEntered(0x6771));
    EXPECT_EQ(box.text, u32(U"東Hello")); // whole code points, never narrowed
}

// The keys of a text box, each row a key (with Shift, with Control) and what follows it.
TEST_F(EditBoxTest, TheKeysMoveSelectAndDeleteAndALongTextScrolls)
{
    box.focused = true;
    struct Row {
        sf::Keyboard::Key key;
        bool shift, control;
        const char* text;
        std::uint32_t cursor, selStart, selEnd;
    };
    const Row rows[] = {
        {sf::Keyboard::Home, false, false, "Hello", 0, 0, 0},
        {sf::Keyboard::Delete, false, false, "ello", 0, 0, 0},
        {sf::Keyboard::End, true, false, "ello", 4, 0, 4},
        {sf::Keyboard::Left, true, false, "ello", 3, 0, 3},
        {sf::Keyboard::Right, false, false, "ello", 3, 3, 3}, // to the selection's end
        {sf::Keyboard::Home, true, false, "ello", 0, 3, 0},
        {sf::Keyboard::Delete, false, false, "o", 0, 0, 0},
        {sf::Keyboard::A, false, true, "o", 1, 0, 1},
    };
    for (const Row& row : rows) {
        sf::Event press = ev::keyPressed(row.key);
        press.key.shift = row.shift;
        press.key.control = row.control;
        box.handleEvent(press);
        EXPECT_EQ(box.text, row.text) << row.key;
        EXPECT_EQ(box.cursor, row.cursor) << row.key;
        EXPECT_EQ(box.selStart, row.selStart) << row.key;
        EXPECT_EQ(box.selEnd, row.selEnd) << row.key;
    }
    box.setText(std::string(40, 'x')); // 23 cells show in 280 pixels
    EXPECT_EQ(box.caret.getPosition().x, 110 + 12 * 23);
    box.handleEvent(ev::keyPressed(sf::Keyboard::Home));
    EXPECT_EQ(box.caret.getPosition().x, 110);
}
