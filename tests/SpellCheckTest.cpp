#include "TestSupport.hpp"
#include "app/SpellCheck.hpp"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const std::string dictionaries = "/usr/share/hunspell";

bool haveDictionary()
{
    return fs::exists(dictionaries + "/en_US.dic");
}

Script scriptOf(std::vector<Paragraph> paragraphs)
{
    Script script;
    script.paragraphs = std::move(paragraphs);
    return script;
}
} // namespace

// The words marked in a paragraph after a cue, as the writer's own words and ignored
// ones come and go.
TEST(SpellCheckTest, MarksFollowTheCuesAndTheWritersWords)
{
    if (!haveDictionary())
        GTEST_SKIP() << "no en_US dictionary in " << dictionaries;
    const fs::path folder = enterScratchFolder();
    SpellCheck spelling;
    spelling.start(dictionaries, "xx_XX", "user/.dictionary"); // no such language: en_US
    ASSERT_TRUE(spelling.checking());
    const Paragraph action(Directorial, u32(U"Teh door opens. MARY recieves Zeldra’s letter; ZELDRA smiles."));
    Script script = scriptOf({{Name, "Mary"}, {Speech, "Hi."}, action, {Scene, "INT. ZELDRAS - NITE"}});
    spelling.recount(script);
    EXPECT_EQ(spelling.misspelled(action), (std::vector<WordSpan>{{0, 3}, {21, 29}, {30, 38}, {47, 53}}));
    EXPECT_TRUE(spelling.misspelled(script.paragraphs[3]).empty()) << "headings are places";
    EXPECT_FALSE(spelling.misspelledAt(action, 6)) << "in door";
    EXPECT_EQ(spelling.misspelledAt(action, 29)->begin, 21u) << "at the end of recieves";

    const ScriptEdit cue{1, {}, {{Name, "ZELDRA (V.O.)"}}};
    spelling.count({cue}, false);
    EXPECT_EQ(spelling.misspelled(action), (std::vector<WordSpan>{{0, 3}, {21, 29}}));
    spelling.count({cue}, true);
    EXPECT_EQ(spelling.misspelled(action).size(), 4u);

    spelling.setScript("one");
    spelling.ignore(u32(U"RECIEVES"));
    EXPECT_EQ(spelling.misspelled(action).size(), 3u);
    spelling.setScript("two");
    EXPECT_EQ(spelling.misspelled(action).size(), 4u) << "ignored in the other script alone";
    EXPECT_TRUE(spelling.addWord(u32(U"ZELDRA")));
    EXPECT_EQ(readBytes("user/.dictionary"), "ZELDRA\n");
    EXPECT_EQ(spelling.misspelled(action), (std::vector<WordSpan>{{0, 3}, {21, 29}}));

    // The next mark from a caret, round the script's end.
    EXPECT_EQ(spelling.next(script, {2, 3})->second, (WordSpan{21, 29}));
    EXPECT_EQ(spelling.next(script, {2, 21})->second, (WordSpan{21, 29})) << "one that begins at the caret";
    EXPECT_EQ(spelling.next(script, {2, 22})->second, (WordSpan{0, 3}));
    EXPECT_FALSE(spelling.next(scriptOf({{Directorial, "All is well."}}), {0, 0}));

    SpellCheck again;
    again.start(dictionaries, "en_US", "user/.dictionary");
    EXPECT_EQ(again.misspelled(action), (std::vector<WordSpan>{{0, 3}, {21, 29}})) << "the writer's words at the next start";
    EXPECT_EQ(again.suggestions(u32(U"TEH")).front(), u32(U"THE"));
    EXPECT_EQ(again.suggestions(u32(U"Teh")).front(), u32(U"The"));
    EXPECT_EQ(again.suggestions(u32(U"recieves")).front(), u32(U"receives"));
    EXPECT_EQ(again.suggestions(u32(U"teh")).size(), 8u) << "at most eight";
    if (makeReadOnly("user")) {
        EXPECT_FALSE(again.addWord(u32(U"Queequeg")));
        EXPECT_EQ(again.problem.rfind("Could not add \"Queequeg\" to user/.dictionary: ", 0), 0u) << again.problem;
        makeWritable("user");
        EXPECT_TRUE(again.misspelled(Paragraph(Speech, "Queequeg")).empty()) << "kept until the program ends";
    }

    writeBytes("user/.dictionary", "ok\n\xfe\n");
    SpellCheck damaged;
    damaged.start(dictionaries, "en_US", "user/.dictionary");
    EXPECT_EQ(damaged.problem, "Could not read user/.dictionary whole (line 2 is not a word in UTF-8): words added now are "
                               "kept until the program ends");
    EXPECT_FALSE(damaged.addWord(u32(U"Zorblax")));
    EXPECT_EQ(readBytes("user/.dictionary"), "ok\n\xfe\n") << "a damaged file is left as it is";
    EXPECT_TRUE(damaged.misspelled(Paragraph(Speech, "Zorblax")).empty());

    for (const auto& [locale, language] : std::vector<std::pair<std::string, std::string>>{
             {"en_GB.UTF-8", "en_GB"}, {"de_DE@euro", "de_DE"}, {"C.UTF-8", ""}, {"POSIX", ""}, {"", ""}})
        EXPECT_EQ(languageOf(locale), language) << locale;
    fs::create_directory("british");
    for (const char* part : {".aff", ".dic"})
        fs::copy_file(dictionaries + "/en_US" + part, std::string("british/en_GB") + part);
    SpellCheck british; // a dictionary of the language asked for is kept
    british.start("british", "en_GB", "user/.dictionary");
    EXPECT_TRUE(british.checking());
    SpellCheck none;
    none.start("user", "en_GB", "user/.dictionary");
    EXPECT_FALSE(none.checking());
    EXPECT_EQ(none.problem, "Spelling is not checked: no dictionary for en_US");
    EXPECT_TRUE(none.misspelled(action).empty());
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}

// In the window: a word being typed is marked once the caret leaves it; a right-click on
// a marked word offers its suggestions, and the one taken is one step of the history.
TEST_F(AppTest, AMisspelledWordIsMarkedAndRespelledFromItsMenu)
{
    if (!haveDictionary())
        GTEST_SKIP() << "no en_US dictionary in " << dictionaries;
    page().setKind(Directorial);
    type("Teh recieve");
    EXPECT_EQ(page().misspelled(0), (std::vector<WordSpan>{{0, 3}})) << "all but the word being typed";
    key(sf::Keyboard::Left);
    EXPECT_EQ(page().misspelled(0), (std::vector<WordSpan>{{0, 3}, {4, 11}}));
    key(sf::Keyboard::Right);
    type("s");
    setCursor(3);
    key(sf::Keyboard::F7);
    ASSERT_TRUE(app->suggestionMenu().isOpen());
    EXPECT_EQ(page().selection().first, (Caret{0, 4}));
    EXPECT_EQ(app->suggestionMenu().rows().front(), "receives");
    EXPECT_EQ(app->suggestionMenu().rows().back(), "Ignore");
    send(ev::moved(0, 0)); // away from the menu: the chosen row stays
    key(sf::Keyboard::Enter);
    EXPECT_EQ(currentParagraph().text, "Teh receives");
    EXPECT_FALSE(app->suggestionMenu().isOpen());
    EXPECT_EQ(page().size(), 1u) << "Return was the menu's";
    control(sf::Keyboard::Z);
    EXPECT_EQ(currentParagraph().text, "Teh recieves");

    const sf::Vector2i word = app->window().mapCoordsToPixel(page().pointInView({0, 6}) + sf::Vector2f(0, 10), page().view);
    send(ev::pressed(word.x, word.y, sf::Mouse::Right));
    ASSERT_TRUE(app->suggestionMenu().isOpen());
    const std::size_t ignore = app->suggestionMenu().rows().size() - 1;
    const sf::FloatRect row = app->suggestionMenu().rowBounds(ignore);
    const sf::Vector2i at = app->window().mapCoordsToPixel({row.left + 20, row.top + 10}, app->suggestionMenu().view);
    click(at.x, at.y);
    EXPECT_EQ(page().misspelled(0), (std::vector<WordSpan>{{0, 3}})) << "ignored";
    EXPECT_EQ(currentParagraph().text, "Teh recieves");
    key(sf::Keyboard::F7);
    ASSERT_TRUE(app->suggestionMenu().isOpen());
    app->render();
    const sf::Image frame = captureFrame(*app);
    const sf::FloatRect first = app->suggestionMenu().rowBounds(0);
    const sf::Vector2i corner = app->window().mapCoordsToPixel({first.left, first.top}, app->suggestionMenu().view);
    bool ink = false; // the first row's letters
    for (int x = corner.x; x < corner.x + 200; ++x)
        for (int y = corner.y; y < corner.y + 26; ++y)
            ink = ink || frame.getPixel(x, y).r < 90;
    EXPECT_TRUE(ink) << "the rows are drawn";
    key(sf::Keyboard::Escape);

    setCursor(12);
    control(sf::Keyboard::Num3); // a name: not checked, and its words are fine everywhere
    key(sf::Keyboard::Enter);
    type("Teh");
    key(sf::Keyboard::Left);
    EXPECT_TRUE(page().misspelled(1).empty());
    key(sf::Keyboard::F7);
    EXPECT_EQ(app->footLine(), "No misspellings");
}
