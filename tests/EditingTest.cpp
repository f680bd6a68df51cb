#include "TestSupport.hpp"

#include <SFML/Window/Clipboard.hpp>

#include "document/Editing.hpp"

class SelectionTest : public AppTest {
protected:
    void directorial(const sf::String& text)
    {
        page().setKind(Directorial);
        setText(text);
    }
    // Pixel of the boundary before column c on line l of the first paragraph.
    sf::Vector2i at(int column, int line) { return {645 + 12 * column, 120 + 23 * line + 10}; }
    void drag(sf::Vector2i from, sf::Vector2i to)
    {
        send(ev::pressed(from.x, from.y));
        send(ev::moved(to.x, to.y));
        send(ev::released(to.x, to.y));
    }
    sf::String selected()
    {
        const std::vector<Paragraph> pieces = page().selectedPieces();
        return pieces.size() == 1 ? pieces[0].text : sf::String("(across)");
    }
    // The bands the sheet draws over the selection in the current paragraph.
    std::vector<sf::FloatRect> bands()
    {
        const auto [from, to] = page().selection();
        return shown().bands(from.index, to.index);
    }
};

TEST_F(SelectionTest, DraggingEitherWaySelectsTheSameCharacters)
{
    directorial("Hello wonderful world");
    drag(at(6, 0), at(15, 0));
    EXPECT_EQ(selected(), "wonderful");
    EXPECT_EQ(page().selection(), (std::pair<Caret, Caret>{{0, 6}, {0, 15}}));
    drag(at(15, 0), at(6, 0));
    EXPECT_EQ(selected(), "wonderful");
    EXPECT_EQ(page().anchor(), (Caret{0, 15}));
    ASSERT_EQ(bands().size(), 1u);
    EXPECT_EQ(bands()[0].left, 645 + 12 * 6);
    EXPECT_EQ(bands()[0].width, 12 * 9);
}

TEST_F(SelectionTest, ThreeLinesGiveThreeBands)
{
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa ";
    directorial(words + words + words);
    ASSERT_GE(shown().wrap.lines(), 3u);
    drag(at(6, 0), at(4, 2));
    const std::vector<sf::FloatRect> rects = bands();
    ASSERT_EQ(rects.size(), 3u);
    const std::vector<std::uint32_t>& lengths = shown().wrap.lineLengths;
    EXPECT_EQ(rects[0].left, 645 + 12 * 6);
    EXPECT_EQ(rects[0].left + rects[0].width, 645 + 12.f * (lengths[0] - 1));
    EXPECT_EQ(rects[1].left, 645);
    EXPECT_EQ(rects[1].width, 12.f * (lengths[1] - 1));
    EXPECT_EQ(rects[2].left, 645);
    EXPECT_EQ(rects[2].width, 48);
    EXPECT_EQ(rects[0].top + 23, rects[1].top);
}

TEST_F(SelectionTest, TypingReplacesTheSelectionAndBackspaceOnlyRemovesIt)
{
    directorial("Hello");
    drag(at(2, 0), at(4, 0));
    type("y");
    EXPECT_EQ(currentParagraph().text, "Heyo");
    EXPECT_EQ(cursor(), 3u);
    EXPECT_EQ(shown().display().getString(), "Heyo");
    drag(at(0, 0), at(2, 0));
    send(ev::textEntered(8));
    EXPECT_EQ(currentParagraph().text, "yo");
    EXPECT_FALSE(page().hasSelection());
    directorial("abc");
    drag(at(1, 0), at(3, 0)); // to the end
    type("x");
    EXPECT_EQ(currentParagraph().text, "ax");
    EXPECT_EQ(shown().display().getString(), "ax");
}

TEST_F(SelectionTest, CopyCutAndPasteGoThroughTheClipboard)
{
    directorial("cut this out");
    drag(at(4, 0), at(8, 0));
    control(sf::Keyboard::C);
    EXPECT_EQ(sf::Clipboard::getString(), "this");
    control(sf::Keyboard::X);
    EXPECT_EQ(currentParagraph().text, "cut  out");
    setCursor(currentParagraph().text.getSize());
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text, "cut  outthis");
    EXPECT_EQ(cursor(), currentParagraph().text.getSize());
}

// Other programs get the selection as the sheet shows it; this one gets back its kinds and letters.
TEST_F(SelectionTest, ACopyHoldsWhatTheSheetShows)
{
    const std::pair<std::vector<Paragraph>, const char*> rows[] = {
        {{{Scene, "int. hall"}}, "INT. HALL"},
        {{{Name, "mary (v.o.)"}}, "MARY (V.O.)"},
        {{{Speech, "Hi, Bob."}}, "Hi, Bob."},
        {{{Scene, "int. hall"}, {Directorial, ""}}, "INT. HALL"}, // a heading selected to the next paragraph's start
        {{{Directorial, ""}, {Name, "mary"}}, "MARY"},
        {{{Name, "mary"}, {Speech, "Hi."}}, "MARY\nHi.\n"},
        {{{Scene, "hall"}, {Directorial, "Rain."}, {Directorial, ""}}, ".HALL\n\nRain.\n"},
    };
    Clipboard clipboard;
    for (const auto& [pieces, text] : rows) {
        clipboard.put(pieces);
        EXPECT_EQ(sf::Clipboard::getString(), text);
        EXPECT_EQ(clipboard.take(), pieces) << text;
    }
}

TEST_F(SelectionTest, PasteKeepsThePastedCaseAndOneBlockOfLinesStaysInTheParagraph)
{
    directorial("");
    sf::Clipboard::setString("Then Mary stands");
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text, "Then Mary stands");

    page().setKind(Speech);
    setText("");
    sf::Clipboard::setString(u32(U"one\r\ntwo\rthree\nfour\tfive\x01six é"));
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text, u32(U"one two three four fivesix é"));
    EXPECT_EQ(page().size(), 1u);
}

TEST_F(SelectionTest, TheRightControlKeyCopiesNothing)
{
    directorial("keep");
    drag(at(0, 0), at(4, 0));
    sf::Clipboard::setString("before");
    key(sf::Keyboard::C); // left Control not held
    EXPECT_EQ(sf::Clipboard::getString(), "before");
    EXPECT_EQ(currentParagraph().text, "keep");
}

TEST_F(SelectionTest, TheSelectionIsExactlyWhatCopyTakes)
{
    directorial("Hello wonderful world");
    drag(at(6, 0), at(15, 0));
    key(sf::Keyboard::Right); // the selection collapses
    EXPECT_FALSE(page().hasSelection());
    EXPECT_EQ(cursor(), 16u);
    sf::Clipboard::setString("mine");
    control(sf::Keyboard::C);
    control(sf::Keyboard::X);
    EXPECT_EQ(sf::Clipboard::getString(), "mine"); // nothing selected: left alone
    EXPECT_EQ(currentParagraph().text, "Hello wonderful world");

    send(ev::pressed(at(6, 0).x, at(6, 0).y)); // a drag released below the paragraph
    send(ev::moved(at(9, 0).x, at(9, 0).y));
    send(ev::released(700, 600));
    EXPECT_EQ(selected(), "won");
    control(sf::Keyboard::C);
    EXPECT_EQ(sf::Clipboard::getString(), "won");
    type("W");
    EXPECT_EQ(currentParagraph().text, "Hello Wderful world");
    EXPECT_FALSE(page().hasSelection());
}

class AcrossParagraphs : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        load({{Scene, "INT. HALL"}, {Directorial, "Rain."}, {Name, "MARY"}, {Speech, "Come in."},
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
    std::vector<Paragraph> paragraphs() { return app->script().paragraphs; }
};

TEST_F(AcrossParagraphs, ShiftKeysCtrlAAndDragsSelectAcrossWithBandsOnEach)
{
    for (int i = 0; i < 8; ++i)
        shifted(sf::Keyboard::Right); // "INT. HALL" is 9 long: the tenth goes into "Rain."
    shifted(sf::Keyboard::Right);
    shifted(sf::Keyboard::Right);
    shifted(sf::Keyboard::Right);
    EXPECT_EQ(page().selectedPieces(), (std::vector<Paragraph>{{Scene, "INT. HALL"}, {Directorial, "R"}}));
    shifted(sf::Keyboard::End);
    shifted(sf::Keyboard::Down);
    EXPECT_EQ(page().selectedPieces(), (std::vector<Paragraph>{{Scene, "INT. HALL"}, {Directorial, "Rain."}, {Name, ""}}));
    key(sf::Keyboard::Left); // collapses
    EXPECT_FALSE(page().hasSelection());

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
    directorial("keep");
    sf::Clipboard::setString(std::string(3u << 20, 'x'));
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text, "keep");
    EXPECT_EQ(app->footLine(), "The clipboard holds 3.0 MB; a paste takes at most 2 MB");
    sf::Clipboard::setString(std::string(2u << 20, 'y'));
    control(sf::Keyboard::V);
    EXPECT_EQ(currentParagraph().text.getSize(), 4u + (2u << 20));
}

// The edits of the text commands, on paragraphs alone.
TEST(ReplacementRules, PiecesJoinTheTextAroundThemAndTakeTheirKinds)
{
    const std::vector<Paragraph> script = {{Scene, "int. hall"}, {Directorial, "Rain falls."}, {Name, "mary"}, {Speech, "Come in."}};
    struct Row {
        Caret from, to;
        std::vector<Paragraph> pieces;
        std::vector<Paragraph> after;
        Caret caret;
    };
    const Row rows[] = {
        {{1, 5}, {1, 5}, {{None, "hard "}}, {{Directorial, "Rain hard falls."}}, {1, 10}},
        {{1, 4}, {3, 4}, {}, {{Directorial, "Rain in."}}, {1, 4}},
        {{1, 0}, {2, 0}, {}, {{Name, "mary"}}, {1, 0}}, // an empty head takes the tail's kind
        {{1, 0}, {2, 4}, {}, {{Directorial, ""}}, {1, 0}}, // nothing left: the first one's kind
        {{0, 9}, {1, 0}, {{None, " - day"}}, {{Scene, "int. hall - dayRain falls."}}, {0, 15}},
        {{1, 4}, {1, 11}, {{None, "."}, {Name, "JOE"}, {Speech, "Hi"}}, {{Directorial, "Rain."}, {Name, "JOE"}, {Speech, "Hi"}}, {3, 2}},
    };
    for (const Row& row : rows) {
        const ScriptEdit edit = replacement(script, row.from, row.to, row.pieces, row.from);
        EXPECT_EQ(edit.after, row.after) << row.from.paragraph << ":" << row.from.index;
        EXPECT_EQ(edit.caretAfter, row.caret) << row.from.paragraph << ":" << row.from.index;
        std::vector<Paragraph> applied = script;
        applyEdit(applied, edit);
        applyEdit(applied, edit, true);
        EXPECT_EQ(applied, script) << "undone";
    }
    EXPECT_EQ(piecesBetween(script, {2, 2}, {0, 5}), (std::vector<Paragraph>{{Scene, "HALL"}, {Directorial, "Rain falls."}, {Name, "MA"}}));
}

using StyleKeys = AppTest;

TEST_F(StyleKeys, BoldItalicAndUnderlineOverTheSelectionOrForTheLettersTypedNext)
{
    load({{Speech, "It was him."}, {Speech, "Then me."}});
    page().placeCaret({0, 7});
    page().placeCaret({0, 10}, true);
    control(sf::Keyboard::U);
    EXPECT_EQ(paragraph(0), marked(Speech, U"It was <u>him</u>."));
    control(sf::Keyboard::B);
    control(sf::Keyboard::U); // all of it underlined: the underline goes
    EXPECT_EQ(paragraph(0), marked(Speech, U"It was <b>him</b>."));
    app->undo();
    app->undo();
    EXPECT_EQ(paragraph(0), marked(Speech, U"It was <u>him</u>.")) << "each key one step";
    page().placeCaret({0, 3});
    page().placeCaret({1, 4}, true); // across: "was him." and "Then"
    control(sf::Keyboard::I);
    EXPECT_EQ(paragraph(0), marked(Speech, U"It <i>was </i><i><u>him</u></i><i>.</i>"));
    EXPECT_EQ(paragraph(1), marked(Speech, U"<i>Then</i> me."));
    app->undo();
    EXPECT_EQ(paragraph(1), (Paragraph{Speech, "Then me."})) << "across paragraphs, one step";

    page().placeCaret({1, 8});
    control(sf::Keyboard::B); // nothing selected: the letters typed next
    type("ok");
    EXPECT_EQ(paragraph(1), marked(Speech, U"Then me.<b>ok</b>"));
    page().placeCaret({1, 9});
    type("x"); // inside the bold run: bold
    EXPECT_EQ(paragraph(1), marked(Speech, U"Then me.<b>oxk</b>"));
    control(sf::Keyboard::Num2); // a kind change keeps the letters' styles
    EXPECT_EQ(paragraph(1), marked(Directorial, U"Then me.<b>oxk</b>"));
}

TEST_F(StyleKeys, ControlDPairsASpeechWithTheOneBeforeAndSplitsThePair)
{
    load({{Directorial, "Both at once."}, {Name, "ANN"}, {Speech, "Left."}, {Name, "CAL"}, {Speech, "Right, and rather longer than hers."}});
    page().placeCaret({2, 0});
    control(sf::Keyboard::D); // ANN's block has no block before it
    EXPECT_FALSE(paragraph(1).dual);
    page().placeCaret({4, 3});
    control(sf::Keyboard::D);
    EXPECT_TRUE(paragraph(3).dual);
    EXPECT_EQ(page().columnOf(1), Column::Left);
    EXPECT_EQ(page().columnOf(4), Column::Right);
    EXPECT_EQ(page().paragraphTop(3), page().paragraphTop(1)) << "side by side";
    EXPECT_EQ(page().scriptHeight(), 120 + 47 + 23 + 2 * 23 + 24) << "below the taller half";
    EXPECT_EQ(shown().wrap.lineChars, 28u); // a half's width
    page().placeCaret({4, 35});
    type(" It goes on and on and on."); // a third line in the right half
    EXPECT_EQ(page().columnOf(4), Column::Right);
    EXPECT_EQ(page().paragraphTop(4), page().paragraphTop(2));
    EXPECT_EQ(page().scriptHeight(), 120 + 47 + 23 + 3 * 23 + 24);
    for (int step = 0; step < 8 && paragraph(4).text.getSize() > 35; ++step)
        app->undo(); // the typing, a word a step
    page().placeCaret({3, 0});
    key(sf::Keyboard::Left); // from the right half's cue back into the left half's speech
    EXPECT_EQ(page().caret(), (Caret{2, 5}));
    app->undo();
    EXPECT_FALSE(paragraph(3).dual);
    EXPECT_EQ(page().columnOf(4), Column::Whole);
}
