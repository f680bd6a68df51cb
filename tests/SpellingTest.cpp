#include "TestSupport.hpp"
#include "document/Spelling.hpp"

#include <gtest/gtest.h>

// Which words are checked, as code points of the text.
TEST(SpellingTest, WordsAreReadAsAReaderReadsThem)
{
    const std::vector<std::pair<const char32_t*, std::vector<WordSpan>>> rows{
        {U"Don’t stop, Mary's well-known café.", {{0, 5}, {6, 10}, {12, 18}, {19, 23}, {24, 29}, {30, 34}}},
        {U"MARY (V.O.) reads R2D2 at 10 o'clock", {{0, 4}, {12, 17}, {23, 25}, {29, 36}}},
        {U"Mail bob@example.com or see www.example.org/x and https://x.io now, a I ok",
         {{0, 4}, {21, 23}, {24, 27}, {46, 49}, {63, 66}, {72, 74}}},
        {U"Straße, Привет", {{0, 6}, {8, 14}}},
        {U"", {}},
    };
    for (const auto& [text, words] : rows)
        EXPECT_EQ(checkedWords(u32(text)), words) << u32(text).toAnsiString();
}

TEST(SpellingTest, CuesAndCapitals)
{
    EXPECT_EQ(wordKey(U"Mary’s"), U"MARY");
    EXPECT_EQ(wordKey(U"o'clock"), U"O'CLOCK");
    EXPECT_EQ(cueWords(u32(U"Mary Ann (V.O.)")), (std::vector<std::u32string>{U"MARY", U"ANN"}));
    EXPECT_FALSE(spellingChecked(Scene));
    EXPECT_FALSE(spellingChecked(Name));
    EXPECT_TRUE(spellingChecked(Transition));
    const std::vector<std::array<const char32_t*, 3>> patterns{
        {U"TEH", U"the", U"THE"}, {U"Teh", U"the", U"The"}, {U"teh", U"the", U"the"},
        {U"tEh", U"the", U"the"}, {U"ÉCOLE", U"école", U"ÉCOLE"}, {U"A", U"an", U"An"},
        {U"O'BRIAN", U"o'brien", U"O'BRIEN"},
    };
    for (const auto& [word, suggestion, shown] : patterns)
        EXPECT_EQ(inPatternOf(u32(word), u32(suggestion)), u32(shown)) << u32(word).toAnsiString();
}

// Each new letter takes the style of the letter it stands in place of.
TEST(SpellingTest, ARespellingKeepsTheLettersStyles)
{
    const Paragraph typed = marked(Speech, U"It was <b>t</b><i>e</i><u>h</u> end");
    EXPECT_EQ(respelled(typed, {7, 10}, u32(U"there")), marked(Speech, U"It was <b>t</b><i>h</i><u>ere</u> end"));
    EXPECT_EQ(respelled(marked(Directorial, U"TEH door"), {0, 3}, u32(U"the")), marked(Directorial, U"THE door"));
}
