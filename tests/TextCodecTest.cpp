#include "TestSupport.hpp"

#include "files/TextCodec.hpp"

TEST(TextCodec, EveryCharacterRoundTripsThroughUtf8)
{
    const sf::String text = u32(U"é — 東京 😀 \u00ff A");
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(u32(U"é")), "\xC3\xA9");
}

TEST(TextCodec, BytesThatAreNotUtf8ReadAsLatin1)
{
    EXPECT_EQ(fromUtf8(std::string("caf\xE9!")), u32(U"café!"));
    EXPECT_EQ(fromUtf8(std::string("\xC0\x80")), u32(U"\u00C0\u0080")); // overlong
    EXPECT_EQ(fromUtf8(std::string("\xE6\x9D")), u32(U"\u00E6\u009D")); // cut short
}

TEST(TextCodec, MarkupCharactersAreEscaped)
{
    EXPECT_EQ(escapeMarkup("AT&T <b> \"q\""), "AT&amp;T &lt;b&gt; \"q\"");
    EXPECT_EQ(escapeMarkup(std::string("a\0b", 3)), "ab");
}
