#include "TestSupport.hpp"

#include <SFML/Window/Clipboard.hpp>

#include <functional>

using namespace std::chrono_literals;

namespace {
// A typing change of paragraph 0 from one text to another, the caret moving along.
ScriptEdit typingEdit(const sf::String& from, const sf::String& to, std::uint32_t caretFrom, std::uint32_t caretTo)
{
    return {0, {{Directorial, from}}, {{Directorial, to}}, {0, caretFrom}, {0, caretTo}};
}
} // namespace

TEST(HistoryRules, TypingMergesUntilAPauseAWordOrACaretJump)
{
    History history;
    const auto t0 = History::Clock::now();
    history.record(Action::Typing, {typingEdit("", "a", 0, 1)}, {}, {}, 'a', t0);
    history.record(Action::Typing, {typingEdit("a", "ab", 1, 2)}, {}, {}, 'b', t0 + 100ms);
    history.record(Action::Typing, {typingEdit("ab", "ab ", 2, 3)}, {}, {}, ' ', t0 + 200ms);
    EXPECT_EQ(history.size(), 1u);
    history.record(Action::Typing, {typingEdit("ab ", "ab c", 3, 4)}, {}, {}, 'c', t0 + 300ms); // a new word
    EXPECT_EQ(history.size(), 2u);
    history.record(Action::Typing, {typingEdit("ab c", "ab cd", 4, 5)}, {}, {}, 'd', t0 + 1500ms); // a pause
    EXPECT_EQ(history.size(), 3u);
    history.record(Action::Typing, {typingEdit("ab cd", "xab cd", 0, 1)}, {}, {}, 'x', t0 + 1600ms); // a jump
    EXPECT_EQ(history.size(), 4u);
    history.record(Action::Deleting, {typingEdit("xab cd", "ab cd", 1, 0)}, {}, {}, 8, t0 + 1700ms);
    EXPECT_EQ(history.size(), 5u);
    EXPECT_EQ(history.step(1).edits[0].after[0].text, "ab c");
    EXPECT_EQ(history.step(0).edits[0].after[0].text, "ab ");
    // A letter that went into a title box too starts a step that keeps the title page before it.
    TitleLines noted;
    noted.notes = "b";
    history.record(Action::Typing, {typingEdit("ab cd", "ab cdx", 5, 6)}, {}, {}, 'x', t0 + 1800ms);
    history.record(Action::Typing, {typingEdit("ab cdx", "ab cdxb", 6, 7)}, TitleLines(), noted, 'b', t0 + 1900ms);
    ASSERT_EQ(history.size(), 7u);
    EXPECT_EQ(history.step(6).titleBefore, TitleLines());
}

TEST(HistoryRules, TheSavedStateIsKeptAndLostOnlyWhenItCannotBeReached)
{
    History history;
    const auto t0 = History::Clock::now();
    EXPECT_TRUE(history.atSaved());
    history.record(Action::Typing, {typingEdit("", "a", 0, 1)}, {}, {}, 'a', t0);
    history.markSaved();
    history.record(Action::Typing, {typingEdit("a", "ab", 1, 2)}, {}, {}, 'b', t0); // never merged into the saved step
    EXPECT_EQ(history.size(), 2u);
    EXPECT_FALSE(history.atSaved());
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(history.atSaved());
    ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.undo()); // past the first step: nothing
    history.record(Action::Typing, {typingEdit("", "z", 0, 1)}, {}, {}, 'z', t0); // drops both steps
    EXPECT_EQ(history.size(), 1u);
    EXPECT_FALSE(history.redo());
    ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.atSaved()); // the saved state is gone with the dropped branch
}

TEST(HistoryRules, MemoryIsBoundedButTheLastThousandStepsStay)
{
    History history;
    const sf::String page(std::string(20000, 'x')); // 80 KB a paragraph
    const auto t0 = History::Clock::now();
    for (int i = 0; i < 1500; ++i)
        history.record(Action::KindChange, {{0, {{Speech, page}}, {{Speech, page}}, {}, {}}}, {}, {}, 0, t0);
    EXPECT_EQ(history.size(), 1000u);
    EXPECT_EQ(history.done(), 1000u);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.undo());

    // The saved point moves with the trimmed steps, and goes when its step goes.
    for (const int savedAfter : {1200, 100}) {
        History trimmed;
        for (int i = 1; i <= 1500; ++i) {
            trimmed.record(Action::KindChange, {{0, {{Speech, page}}, {{Speech, page}}, {}, {}}}, {}, {}, 0, t0);
            if (i == savedAfter)
                trimmed.markSaved();
        }
        int undone = 0;
        while (!trimmed.atSaved() && trimmed.undo())
            ++undone;
        EXPECT_EQ(undone, savedAfter == 1200 ? 300 : 1000) << "saved after step " << savedAfter;
        EXPECT_EQ(trimmed.atSaved(), savedAfter == 1200);
    }

    History small;
    for (int i = 0; i < 5000; ++i)
        small.record(Action::KindChange, {{0, {{Speech, "a"}}, {{Name, "A"}}, {}, {}}}, {}, {}, 0, t0);
    EXPECT_EQ(small.size(), 5000u);
    EXPECT_LT(small.bytes(), History::mostBytes);
}

// Undo and redo as the writer uses them.
class UndoTest : public AppTest {
protected:
    void undo() { control(sf::Keyboard::Z); }
    void redo() { control(sf::Keyboard::Y); }
    std::vector<Paragraph> contents() { return app->script().paragraphs; }
};

TEST_F(UndoTest, EveryKindOfStepGoesBackAndComesAgain)
{
    sf::Clipboard::setString("Pasted Words");
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"typing", [&] { type("hallway"); }},
        {"Enter", [&] { key(sf::Keyboard::Enter); }},
        {"typing again", [&] { type("waiting"); }},
        {"a Backspace run", [&] {
             for (int i = 0; i < 3; ++i) {
                 key(sf::Keyboard::BackSpace);
                 send(ev::textEntered(8));
             }
         }},
        {"paste", [&] { control(sf::Keyboard::V); }},
        {"cut", [&] {
             send(ev::pressed(645, 180));
             send(ev::moved(681, 180));
             send(ev::released(681, 180));
             control(sf::Keyboard::X);
         }},
        {"a kind from Control+digit", [&] { control(sf::Keyboard::Num3); }},
        {"a kind from the bar, lowering capitals", [&] { click(560, 30); }},
        {"a new paragraph", [&] { key(sf::Keyboard::Enter); }},
        {"its removal", [&] { key(sf::Keyboard::BackSpace); }},
        {"the title", [&] {
             click(430, 120);
             type(" II");
         }},
    };
    std::vector<std::vector<Paragraph>> states = {contents()};
    std::vector<sf::String> titles = {app->session().script.title};
    for (const auto& [what, step] : steps) {
        step();
        states.push_back(contents());
        titles.push_back(app->session().script.title);
        ASSERT_NE(states.back() == states[states.size() - 2] && titles.back() == titles[titles.size() - 2], true) << what;
    }
    for (std::size_t i = states.size() - 1; i-- > 0;) {
        undo();
        EXPECT_EQ(contents(), states[i]) << "undoing " << steps[i].first;
        EXPECT_EQ(app->session().script.title, titles[i]) << "undoing " << steps[i].first;
        EXPECT_EQ(app->currentKind(), currentParagraph().kind);
    }
    undo(); // past the first step: nothing
    EXPECT_EQ(contents(), states[0]);
    EXPECT_TRUE(app->session().saved());
    for (std::size_t i = 1; i < states.size(); ++i) {
        redo();
        EXPECT_EQ(contents(), states[i]) << "redoing " << steps[i - 1].first;
    }
    EXPECT_EQ(app->titlePage().titleBox.text, titles.back());
}

TEST_F(UndoTest, TheCaretReturnsToTheChangeAndTheBarFollows)
{
    type("int. hall");
    key(sf::Keyboard::Enter);
    type("Bob waits.");
    key(sf::Keyboard::Enter);
    control(sf::Keyboard::Num5);
    click(700, 130); // back into the heading
    undo();           // the kind change of the third paragraph
    EXPECT_EQ(page().current(), 2u);
    EXPECT_EQ(app->toggleArray().selected, Name - 1);
    undo(); // the Enter
    undo(); // "waits."
    undo(); // "Bob "
    EXPECT_EQ(page().current(), 1u);
    EXPECT_EQ(cursor(), 0u);
    EXPECT_TRUE(page().focused());
    EXPECT_EQ(app->toggleArray().selected, Directorial - 1);
    holdControl(true); // Control+Shift+Z redoes
    sf::Event shiftZ = ev::keyPressed(sf::Keyboard::Z);
    shiftZ.key.shift = true;
    send(shiftZ);
    holdControl(false);
    EXPECT_EQ(currentParagraph().text, "Bob ");
    EXPECT_EQ(cursor(), 4u);
}

TEST_F(UndoTest, UndoingBackToTheSavedStateIsSaved)
{
    type("int. hall");
    ASSERT_TRUE(app->saveScriptAs("act1"));
    key(sf::Keyboard::Enter);
    type("Dust.");
    EXPECT_FALSE(app->session().saved());
    undo();
    undo();
    EXPECT_TRUE(app->session().saved()); // back where the file was written: no question on closing
    send(ev::closed());
    EXPECT_FALSE(app->window().isOpen());
}

TEST_F(UndoTest, TypingAfterUndoDropsTheRedoBranchAndOpeningClearsTheHistory)
{
    type("int. hall");
    key(sf::Keyboard::Enter);
    undo();
    type("s");
    redo();
    EXPECT_EQ(page().size(), 1u);
    EXPECT_EQ(currentParagraph().text, "int. halls");
    ASSERT_TRUE(app->openScript(""));
    undo();
    EXPECT_TRUE(currentParagraph().text.isEmpty());
    EXPECT_EQ(app->session().history.size(), 0u);
}
