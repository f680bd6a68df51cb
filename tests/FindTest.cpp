#include "TestSupport.hpp"

#include "document/Find.hpp"
#include "files/TextCodec.hpp"

namespace {
struct FindCase {
    const char* sought;
    FindOptions options;
    std::vector<Match> expected;
};
} // namespace

// Matches on the text as shown: the name in capitals, the action as typed.
TEST(FindRules, CaseWholeWordsAndTheShownCapitals)
{
    const sf::String name = "bob", action = "Bob bobs; BOBBY waits for Bob.", accented = u32(U"Caf\u00e9 CAF\u00c9"),
                     joined = "Bobz zbob";
    const std::vector<SearchedText> texts = {{Name, &name}, {Directorial, &action}, {Directorial, &accented}, {Directorial, &joined}};
    const FindCase cases[] = {
        {"bob", {}, {{0, 0, 3}, {1, 0, 3}, {1, 4, 7}, {1, 10, 13}, {1, 26, 29}, {3, 0, 3}, {3, 6, 9}}},
        {"BOB", {true, false}, {{0, 0, 3}, {1, 10, 13}}}, // the name shows in capitals
        {"Bob", {true, false}, {{1, 0, 3}, {1, 26, 29}, {3, 0, 3}}},
        {"bob", {false, true}, {{0, 0, 3}, {1, 0, 3}, {1, 26, 29}}},
        {"bobs", {true, true}, {{1, 4, 8}}},
        {"bo", {false, true}, {}}, // "bob" goes on to the name's last letter
        {"bob.", {false, true}, {{1, 26, 30}}},
        {"caf\xc3\xa9", {false, true}, {{2, 0, 4}, {2, 5, 9}}},
        {"", {}, {}},
        {"xyz", {}, {}},
    };
    for (const FindCase& c : cases)
        EXPECT_EQ(findMatches(texts, fromUtf8(c.sought), c.options), c.expected) << c.sought;
    EXPECT_EQ(findMatches({{Directorial, &action}}, "aa", {}), (std::vector<Match>{})) << "no overlap, no false start";
    const sf::String aaaa = "aaaa";
    EXPECT_EQ(findMatches({{Directorial, &aaaa}}, "aa", {}), (std::vector<Match>{{0, 0, 2}, {0, 2, 4}}));
    EXPECT_EQ(replaceMatches(action, findMatches({{Directorial, &action}}, "bob", {false, true}), "Al"),
              "Al bobs; BOBBY waits for Al.");
}

using FindInTheEditor = AppTest;

TEST_F(FindInTheEditor, ReplaceAllIsOneStepAndSaysHowMany)
{
    load({{Scene, "int. bob's house"}, {Name, "BOB"}, {Speech, "Bob? Bobby!"}, {Name, "ANN"}, {Speech, "Hi, bob."}});
    app->session().script.title = "Bob and Ann";
    page().placeCaret({0, 0});
    control(sf::Keyboard::H);
    ASSERT_TRUE(app->findBar().isOpen());
    type("bob");
    EXPECT_EQ(app->findBar().status.getString(), "2 of 6"); // the first after the caret; the title's is first
    EXPECT_EQ(app->page().matches.size(), 5u);               // the title's match is not on the sheet
    EXPECT_EQ(page().anchor(), (Caret{0, 5}));                 // the current match selected: "bob" of "bob's"
    EXPECT_EQ(page().caret(), (Caret{0, 8}));
    key(sf::Keyboard::Enter);
    EXPECT_EQ(app->findBar().status.getString(), "3 of 6");
    EXPECT_EQ(page().anchor(), (Caret{1, 0}));
    key(sf::Keyboard::Tab); // to the replace box
    type("Al");
    holdControl(true);
    key(sf::Keyboard::Enter);
    holdControl(false);
    EXPECT_EQ(app->findBar().status.getString(), "Replaced 6");
    EXPECT_EQ(app->script().paragraphs, (std::vector<Paragraph>{{Scene, "int. Al's house"}, {Name, "Al"}, {Speech, "Al? Alby!"},
                                                        {Name, "ANN"}, {Speech, "Hi, Al."}}));
    EXPECT_EQ(app->session().script.title, "Al and Ann");
    EXPECT_EQ(shownText(Name, paragraph(1).text), "AL");
    app->undo();
    EXPECT_EQ(paragraph(2).text, "Bob? Bobby!");
    EXPECT_EQ(paragraph(0).text, "int. bob's house");
    EXPECT_EQ(app->session().script.title, "Bob and Ann");
    app->redo();
    EXPECT_EQ(paragraph(4).text, "Hi, Al.");
}

TEST_F(FindInTheEditor, TheViewFollowsTheCaretAfterReplaceAll)
{
    std::vector<Paragraph> paragraphs(300, {Directorial, "Rain."});
    paragraphs.back() = {Name, "BOB"};
    load(paragraphs);
    page().placeCaret({0, 0});
    control(sf::Keyboard::H);
    type("bob");
    key(sf::Keyboard::Tab);
    type("al");
    page().scrollTo(0); // the writer scrolled back to the top
    holdControl(true);
    key(sf::Keyboard::Enter);
    EXPECT_EQ(page().caret(), (Caret{299, 2}));
    EXPECT_EQ(app->toggleArray().selected, 2);
    EXPECT_GT(page().paragraphTop(299), page().viewTop());
    EXPECT_LT(page().paragraphBottom(299), page().viewTop() + page().viewHeight());
}

TEST_F(FindInTheEditor, ReplaceGoesOnToTheNextAndEscapeKeepsTheMatch)
{
    load({{Directorial, "One cat, two cats."}, {Directorial, "No match here."}, {Directorial, "A cat."}});
    page().placeCaret({2, 2});
    page().placeCaret({2, 5}, true);
    control(sf::Keyboard::H); // the selection is sought, from where it begins
    EXPECT_EQ(app->findBar().findBox.text, "cat");
    EXPECT_EQ(app->findBar().status.getString(), "3 of 3");
    sf::Event back = ev::keyPressed(sf::Keyboard::F3);
    back.key.shift = true;
    send(back);
    EXPECT_EQ(app->findBar().status.getString(), "2 of 3");
    send(back);
    send(back);
    EXPECT_EQ(app->findBar().status.getString(), "3 of 3"); // wrapped back from the first
    EXPECT_EQ(page().anchor(), (Caret{2, 2}));
    send(ev::keyPressed(sf::Keyboard::F3));
    EXPECT_EQ(app->findBar().status.getString(), "1 of 3"); // wrapped
    EXPECT_EQ(page().viewTop(), -86); // the first line (at 120) shows two lines below the bar (160): 120 - 46 - 160
    app->render();
    const sf::Image frame = captureFrame(*app);
    auto marked = [&](std::uint32_t from) { // a match's yellow over the white sheet, above its letters
        return frame.getPixel(645 + 12 * from + 6, 120 + 86 + 5) == sf::Color(255, 240, 145);
    };
    EXPECT_FALSE(marked(0));
    EXPECT_TRUE(marked(13)) << "the match after the current one is marked too";
    key(sf::Keyboard::Tab);
    type("dog");
    key(sf::Keyboard::Enter); // Return in the replace box replaces
    EXPECT_EQ(paragraph(0).text, "One dog, two cats.");
    EXPECT_EQ(app->findBar().status.getString(), "1 of 2");
    EXPECT_EQ(page().anchor(), (Caret{0, 13}));
    key(sf::Keyboard::Escape);
    EXPECT_FALSE(app->findBar().isOpen());
    EXPECT_EQ(page().viewTop(), 0);
    EXPECT_EQ(page().caret(), (Caret{0, 16}));
    type("x"); // the keys are back in the sheet: the selection is typed over
    EXPECT_EQ(paragraph(0).text, "One dog, two xs.");
}

TEST_F(FindInTheEditor, TheSceneListFollowsHeadingsAndPicksAScene)
{
    load({{Directorial, "FADE IN:"}, {Scene, "int. hall - day"}, {Directorial, "Dust."}, {Scene, "ext. yard"}});
    app->render();
    ASSERT_EQ(app->sceneList().scenes().size(), 2u);
    EXPECT_EQ(app->sceneList().rowText(0), "1  INT. HALL - DAY" + std::string(20, ' ') + "p. 1");
    EXPECT_EQ(app->sceneList().current(), 1); // the caret is in the last paragraph
    page().placeCaret({0, 8});
    key(sf::Keyboard::Enter); // a paragraph above both headings moves them down
    app->render();
    click(100, 70 + 26 + 24 + 12); // the second row, below the list's top and its header
    EXPECT_EQ(page().caret(), (Caret{4, 0}));
    page().placeCaret({3, 0});
    app->render();
    EXPECT_EQ(app->sceneList().current(), 0) << "the action before the yard is the hall's";
    app->undo();
    app->render();
    click(100, 70 + 26 + 24 + 12);
    EXPECT_EQ(page().caret(), (Caret{3, 0}));
    app->render();
    EXPECT_EQ(app->sceneList().current(), 1);
    page().placeCaret({3, 9});
    key(sf::Keyboard::Enter); // action after the yard: no heading changes
    type("Mud.");
    app->render();
    EXPECT_EQ(app->sceneList().scenes().size(), 2u);
    page().placeCaret({2, 5});
    key(sf::Keyboard::Enter);
    control(sf::Keyboard::Num1);
    type("int. barn with a very long name that cannot fit - night");
    app->render();
    ASSERT_EQ(app->sceneList().scenes().size(), 3u);
    EXPECT_EQ(app->sceneList().rowText(1), u8"2  INT. BARN WITH A VERY LONG NAME\u2026   p. 1");
    EXPECT_EQ(app->sceneList().current(), 1);
    control(sf::Keyboard::Num2); // no longer a heading
    app->render();
    EXPECT_EQ(app->sceneList().scenes().size(), 2u);
    app->undo();
    app->render();
    EXPECT_EQ(app->sceneList().scenes().size(), 3u);
    app->sceneList().onPick(2);
    EXPECT_EQ(page().caret(), (Caret{4, 0}));
    page().placeCaret({0, 8}); // 55 printed lines of action before the first heading: its page is 2
    type(" " + std::string(60, 'w') + std::string(54 * 62, 'x'));
    app->render();
    EXPECT_EQ(app->sceneList().rowText(0), "1  INT. HALL - DAY" + std::string(20, ' ') + "p. 2");
    send(ev::pressed(700, 130)); // a drag on the sheet, let go over the list's first row
    send(ev::moved(760, 130));
    send(ev::released(100, 108));
    const Caret end = page().caret();
    send(ev::moved(900, 300));
    EXPECT_EQ(page().caret(), end) << "the drag has ended";
}

TEST_F(FindInTheEditor, TheSceneListScrollsToTheCaretsRowAndMarksIt)
{
    SceneList& list = app->sceneList();
    list.setScenes(std::vector<SceneList::Scene>(40, {"INT. HALL", 1}));
    list.place(70, 400); // twelve rows of 24 pixels below a header of 26
    list.setCurrent(39);
    EXPECT_EQ(list.rowAt(100, 96 + 12), 28u);
    list.setCurrent(0);
    EXPECT_EQ(list.rowAt(100, 96 + 12), 0u);
    EXPECT_EQ(list.rowAt(100, 96 + 24 * 11 + 12), 11u);
    EXPECT_EQ(list.rowAt(100, 96 + 24 * 12 + 12), std::nullopt) << "below the last row shown";
    app->window().clear();
    app->window().draw(list);
    const sf::Image frame = captureFrame(*app);
    EXPECT_EQ(frame.getPixel(16, 96 + 12), sf::Color(255, 200, 255)) << "the caret's row, the first shown, marked";
    bool inked = false;
    for (unsigned x = 19; x < 200 && !inked; ++x)
        for (unsigned y = 120; y < 144 && !inked; ++y)
            inked = frame.getPixel(x, y).r > 150;
    EXPECT_TRUE(inked) << "the second row's text";
}

TEST_F(FindInTheEditor, PrintedPageEndsAreDrawnWhereThePrintBreaks)
{
    std::vector<Paragraph> paragraphs(30, Paragraph{Directorial, "Line."}); // 27 to a printed page
    load(paragraphs);
    app->render();
    ASSERT_EQ(page().printedStarts, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{27, 0}}));
    const std::vector<Page::PageEnd> ends = page().pageEnds(0, 30);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].page, 2u);
    // A line of action is 23 pixels and 24 below: paragraph 26's text ends at 120 + 26 * 47
    // + 23 = 1365, paragraph 27's begins at 1389; the line is in the middle.
    EXPECT_EQ(ends[0].y, 1377);
    EXPECT_TRUE(page().pageEnds(0, 27).empty());
}
