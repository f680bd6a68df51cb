#include "TestSupport.hpp"

using PageTest = AppTest;

TEST_F(PageTest, StartsWithOneEmptySceneAndStacksBelowIt)
{
    ASSERT_EQ(page().size(), 1u);
    EXPECT_EQ(page().paragraphTop(0), 120);
    EXPECT_EQ(page().paragraphBottom(0), 167);
    EXPECT_TRUE(page().focused());
    page().addParagraph(Directorial);
    EXPECT_EQ(page().paragraphTop(1), 167);
}

TEST_F(PageTest, EnterInTheMiddleInsertsDirectlyAfterAndPushesTheRestDown)
{
    page().addParagraph(Directorial);
    page().addParagraph(Name);
    const double nameTop = page().paragraphTop(2);
    page().placeCaret({0, 0});
    page().addParagraph(Directorial);
    ASSERT_EQ(page().size(), 4u);
    EXPECT_EQ(page().current(), 1u);
    EXPECT_EQ(paragraph(3).kind, Name);
    EXPECT_EQ(page().paragraphTop(3), nameTop + 47);
    EXPECT_EQ(page().laidOut(), 0u) << "nothing is laid out before it is seen";
}

TEST_F(PageTest, ArrowsCarryTheCaretAcrossParagraphsAndStopAtTheEnds)
{
    load({{Scene, "ONE"}, {Directorial, "two"}});
    key(sf::Keyboard::Right); // at the end of the last: nothing
    EXPECT_EQ(page().caret(), (Caret{1, 3}));
    EXPECT_TRUE(page().focused());
    setCursor(0);
    key(sf::Keyboard::Left);
    EXPECT_EQ(page().caret(), (Caret{0, 3}));
    key(sf::Keyboard::Down);
    EXPECT_EQ(page().caret(), (Caret{1, 0}));
    key(sf::Keyboard::Up);
    key(sf::Keyboard::Up);
    EXPECT_EQ(page().current(), 0u);
    setCursor(0);
    key(sf::Keyboard::Left);
    EXPECT_EQ(page().caret(), (Caret{0, 0}));
    EXPECT_TRUE(page().focused());
}

TEST_F(PageTest, PressesFocusTheParagraphUnderThemOrTheNearestEnd)
{
    load({{Scene, "ONE"}, {Directorial, "two"}, {Name, "BO"}});
    click(700, 180); // inside the Directorial
    EXPECT_EQ(page().caret(), (Caret{1, 3}));
    click(700, 100); // on the sheet above the first paragraph
    EXPECT_EQ(page().caret(), (Caret{0, 0}));
    click(700, 900); // below the last paragraph
    EXPECT_EQ(page().caret(), (Caret{2, 2}));
    EXPECT_TRUE(page().focused());
    click(300, 900); // beside the sheet
    EXPECT_FALSE(page().focused());
}

TEST_F(PageTest, AfterScrollingAPressMakesTheParagraphUnderItCurrent)
{
    for (int i = 0; i < 60; ++i)
        page().addParagraph(Directorial);
    for (int i = 0; i < 40; ++i)
        send(ev::wheel(-1));
    EXPECT_EQ(page().viewTop(), 40 * 32);
    const int y = 500;
    click(700, y);
    const double pageY = y + 40 * 32;
    EXPECT_TRUE(page().focused());
    EXPECT_LE(page().paragraphTop(page().current()), pageY);
    EXPECT_GT(page().paragraphBottom(page().current()), pageY);
}

TEST_F(PageTest, TheWheelStopsAtTheTopAndAResizeReturnsThere)
{
    send(ev::wheel(3));
    EXPECT_EQ(page().viewTop(), 0);
    send(ev::wheel(-1));
    EXPECT_EQ(page().viewTop(), 32);
    send(ev::resized(1200, 700));
    EXPECT_EQ(page().viewTop(), 0);
    EXPECT_EQ(page().view.getCenter(), sf::Vector2f(960, 350));
    EXPECT_EQ(page().view.getSize(), sf::Vector2f(1200, 700));
    EXPECT_EQ(page().background.getSize(), sf::Vector2f(990, 700));
    send(ev::wheel(-2));
    send(ev::wheel(5));
    EXPECT_EQ(page().viewTop(), 0) << "a shorter window reaches the top too";
}

TEST_F(PageTest, BackspaceRemovesOnlyAnEmptyLaterParagraph)
{
    setText("HEAD");
    key(sf::Keyboard::Enter);
    ASSERT_EQ(page().size(), 2u);
    key(sf::Keyboard::BackSpace);
    send(ev::textEntered(8)); // the character of the same key press
    ASSERT_EQ(page().size(), 1u);
    EXPECT_EQ(currentParagraph().text, "HEAD"); // one key press, one action
    EXPECT_EQ(cursor(), 4u);
    setText("");
    key(sf::Keyboard::BackSpace);
    EXPECT_EQ(page().size(), 1u);
}

TEST_F(PageTest, OnlyParagraphsInTheViewAreLaidOutAndTheFrameStillShowsThem)
{
    std::vector<Paragraph> lines;
    for (int i = 0; i < 2000; ++i)
        lines.push_back({Directorial, "line " + std::to_string(i)});
    load(lines);
    page().placeCaret({0, 0});
    app->render();
    EXPECT_EQ(page().laidOut(), 19u) << "the paragraphs from 120 to 980, 47 pixels each";
    const sf::Image frame = captureFrame(*app);
    // The second paragraph's text is dark on the white sheet.
    bool ink = false;
    for (unsigned x = 645; x < 760 && !ink; ++x)
        for (unsigned y = 167; y < 190 && !ink; ++y)
            ink = frame.getPixel(x, y).r < 100;
    EXPECT_TRUE(ink);
    for (int i = 0; i < 40; ++i) { // scrolling through drops what lies far behind
        control(sf::Keyboard::End);
        app->render();
        page().placeCaret({static_cast<std::uint32_t>(i * 50), 0});
        page().scrollTo(page().paragraphTop(i * 50));
        app->render();
    }
    EXPECT_LE(page().laidOut(), 512u + 19u);
    EXPECT_EQ(page().scriptHeight(), 120 + 2000 * 47);
}

TEST(ScrollRule, MovesAsLittleAsShowsTheLineWithItsMarginAndNeverAboveTheTop)
{
    // A 1000-pixel view at 500 with a 60-pixel bar over its top and 46 pixels of margin.
    EXPECT_EQ(scrollToShow(500, 1000, 700, 723, 60, 46), 500);         // inside: stays
    EXPECT_EQ(scrollToShow(500, 1000, 1480, 1503, 60, 46), 549);       // below: bottom + margin at the edge
    EXPECT_EQ(scrollToShow(500, 1000, 560, 583, 60, 46), 454);         // under the bar: top - margin - bar
    EXPECT_EQ(scrollToShow(500, 1000, 120, 143, 60, 46), 14);          // near the start
    EXPECT_EQ(scrollToShow(500, 1000, 40, 63, 60, 46), 0);             // never above the top
    EXPECT_EQ(scrollToShow(0, 100, 500, 523, 60, 46), 500 - 46 - 60); // too short a view: the line's top wins
}

TEST_F(PageTest, TheCaretStaysInViewAndTheWheelDoesNotPullItBack)
{
    for (int i = 0; i < 60; ++i) {
        key(sf::Keyboard::Enter);
        type("line");
    }
    const double caretY = page().caretPoint().y;
    EXPECT_LE(caretY + 23 + 46, page().viewTop() + 980);
    EXPECT_GE(caretY - 46, page().viewTop() + 60);
    const double before = page().viewTop();
    send(ev::wheel(5));
    send(ev::wheel(5)); // the wheel alone never jumps back to the caret
    EXPECT_EQ(page().viewTop(), before - 320);
    control(sf::Keyboard::S); // nor does a key that moves nothing
    key(sf::Keyboard::Escape);
    EXPECT_EQ(page().viewTop(), before - 320);
    type("s");
    EXPECT_EQ(page().viewTop(), before);
}

TEST_F(PageTest, HomeEndAndTheirControlFormsGoToLineAndScriptEnds)
{
    setText("INT. A");
    key(sf::Keyboard::Enter);
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu";
    setText(words + " " + words); // lines of 57, 56 and 20 characters, each break a space
    setCursor(59); // on the second line
    key(sf::Keyboard::Home);
    EXPECT_EQ(cursor(), 57u);
    key(sf::Keyboard::End);
    EXPECT_EQ(cursor(), 112u); // before the break's space
    setCursor(2);
    key(sf::Keyboard::End);
    EXPECT_EQ(cursor(), 56u);
    control(sf::Keyboard::Home);
    EXPECT_EQ(page().caret(), (Caret{0, 0}));
    control(sf::Keyboard::End);
    EXPECT_EQ(page().caret(), (Caret{1, 133}));
}

TEST_F(PageTest, PageDownAndUpMoveViewAndCaretByAWindowLessTwoLines)
{
    std::vector<Paragraph> names{{Scene, ""}};
    for (int i = 0; i < 200; ++i)
        names.push_back({Name, "N" + std::to_string(i)});
    load(names);
    page().placeCaret({1, 1}); // in the first Name, after its first letter
    const Page::Point start = page().caretPoint();
    for (int i = 0; i < 3; ++i)
        key(sf::Keyboard::PageDown);
    EXPECT_EQ(page().viewTop(), 3 * (980 - 46));
    const Page::Point caret = page().caretPoint();
    EXPECT_NEAR(caret.y, start.y + 3 * (980 - 46), 3 * 12); // each page snaps to a line
    EXPECT_EQ(caret.x, start.x);
    for (int i = 0; i < 3; ++i)
        key(sf::Keyboard::PageUp);
    EXPECT_EQ(page().viewTop(), 0);
    EXPECT_EQ(page().caret(), (Caret{1, 1}));
}

TEST_F(PageTest, DeleteTakesTheNextCharacterOrTheSelectionOrAnEmptyParagraph)
{
    setText("ABCD");
    setCursor(1);
    key(sf::Keyboard::Delete);
    send(ev::textEntered(127));
    EXPECT_EQ(currentParagraph().text, "ACD");
    EXPECT_EQ(cursor(), 1u);
    EXPECT_FALSE(app->session().saved());

    key(sf::Keyboard::Enter); // an empty second paragraph: Delete removes it as Backspace would
    key(sf::Keyboard::Delete);
    ASSERT_EQ(page().size(), 1u);
    EXPECT_EQ(page().caret(), (Caret{0, 3}));
    setText("");
    key(sf::Keyboard::Delete); // the only paragraph stays
    EXPECT_EQ(page().size(), 1u);

    key(sf::Keyboard::Enter);
    type("next");
    control(sf::Keyboard::Home); // an empty first paragraph goes too, the caret to the next
    key(sf::Keyboard::Delete);
    ASSERT_EQ(page().size(), 1u);
    EXPECT_EQ(currentParagraph().text, "next");
    EXPECT_EQ(page().caret(), (Caret{0, 0}));
    control(sf::Keyboard::Z);
    EXPECT_EQ(page().size(), 2u);
}

TEST_F(PageTest, TabAndShiftTabFollowTheScreenwritersChain)
{
    struct Row { DivType from, tab, shiftTab; };
    const Row chain[] = {{Scene, Directorial, Scene},      {Directorial, Name, Scene}, {Name, Parenthetical, Directorial},
                         {Parenthetical, Speech, Name},    {Speech, Parenthetical, Name},  {Transition, Scene, Name}};
    type("yard");
    for (const Row& row : chain) {
        for (const bool shift : {false, true}) {
            page().setKind(row.from);
            sf::Event tab = ev::keyPressed(sf::Keyboard::Tab);
            tab.key.shift = shift;
            send(tab);
            EXPECT_EQ(currentParagraph().kind, shift ? row.shiftTab : row.tab) << kindNames.at(row.from) << shift;
            EXPECT_EQ(app->toggleArray().selected, (shift ? row.shiftTab : row.tab) - 1);
        }
    }
    EXPECT_EQ(currentParagraph().text, "yard");
    EXPECT_FALSE(app->session().saved());
    control(sf::Keyboard::Z);
    EXPECT_EQ(currentParagraph().kind, Transition);

    // An empty name goes on to a transition, which lights its button; Tab on a transition
    // gives a scene heading.
    key(sf::Keyboard::Enter);
    page().setKind(Name);
    key(sf::Keyboard::Tab);
    EXPECT_EQ(currentParagraph().kind, Transition);
    EXPECT_EQ(app->toggleArray().selected, 5);
    key(sf::Keyboard::Tab);
    EXPECT_EQ(currentParagraph().kind, Scene);
}

TEST_F(PageTest, AnEmptyParentheticalGetsItsParenthesesAndAClosingOneIsSteppedOver)
{
    key(sf::Keyboard::Enter); // Directorial
    key(sf::Keyboard::Tab);   // Name
    type("bob");
    key(sf::Keyboard::Enter); // Speech
    key(sf::Keyboard::Tab);   // Parenthetical, empty
    EXPECT_EQ(currentParagraph().text, "()");
    EXPECT_EQ(cursor(), 1u);
    type("beat)");
    EXPECT_EQ(currentParagraph().text, "(beat)");
    EXPECT_EQ(cursor(), 6u);
    type(")");
    EXPECT_EQ(currentParagraph().text, "(beat))") << "only a closing one just after the caret is stepped over";
    key(sf::Keyboard::Enter);
    EXPECT_EQ(currentParagraph().kind, Speech);
    key(sf::Keyboard::Tab); // an untouched "()" goes when the kind moves on
    key(sf::Keyboard::Tab);
    EXPECT_EQ(currentParagraph().kind, Speech);
    EXPECT_EQ(currentParagraph().text, "");
    EXPECT_EQ(cursor(), 0u);

    type("softly");
    setCursor(4);
    control(sf::Keyboard::Num4); // around a text, the caret kept on its letter
    EXPECT_EQ(currentParagraph().text, "(softly)");
    EXPECT_EQ(cursor(), 5u);
    control(sf::Keyboard::Num5);
    control(sf::Keyboard::Num4); // wrapped once only
    EXPECT_EQ(currentParagraph().text, "(softly)");

    control(sf::Keyboard::Num7); // a page break; Enter after it goes on with the kind before
    key(sf::Keyboard::Enter);
    EXPECT_EQ(currentParagraph().kind, Parenthetical);
    control(sf::Keyboard::Num6); // an empty transition is offered the standard ones
    EXPECT_EQ(page().ghost(), "CUT TO:");
    key(sf::Keyboard::Enter);
    EXPECT_EQ(paragraph(page().current() - 1).text, "CUT TO:");
}
