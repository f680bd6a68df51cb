#include "TestSupport.hpp"

#include "files/Fountain.hpp"
#include "files/Pagination.hpp"

#include <random>

namespace {
using namespace PrintLayout;

// What a printed line is, told by its indent and weight.
enum class Role { Heading, Action, Name, Parenthetical, Speech, Blank };
Role roleOf(const PrintLine& line)
{
    if (line.text.isEmpty())
        return Role::Blank;
    if (line.indent == action.indent)
        return line.bold ? Role::Heading : Role::Action;
    if (line.indent == name.indent)
        return Role::Name;
    return line.indent == parenthetical.indent ? Role::Parenthetical : Role::Speech;
}

bool endsSentence(const sf::String& line)
{
    const std::string text = line.toAnsiString();
    const std::size_t last = text.find_last_not_of(" \"')]");
    return last != std::string::npos && std::string(".?!").find(text[last]) != std::string::npos;
}

// Every rule of the printed page, checked on one pagination; "" when all hold. Without
// `strict`, only what holds whatever the script: the rules that keep lines together
// give way where a script allows no page break that keeps them.
std::string brokenRule(const Script& script, const Pagination& pagination, bool strict = true)
{
    std::vector<std::pair<Role, sf::String>> printed; // the text lines in order, (MORE) and (CONT'D) left out
    for (std::size_t p = 0; p < pagination.pages.size(); ++p) {
        const std::vector<PrintLine>& lines = pagination.pages[p].lines;
        const std::string where = " on page " + std::to_string(p + 1);
        if (lines.size() > static_cast<std::size_t>(linesPerPage))
            return "more than 54 lines" + where;
        if (lines.empty() || lines.front().text.isEmpty())
            return "a page begins with a blank line" + where;
        const Role last = roleOf(lines.back());
        const bool more = lines.back().text == "(MORE)";
        if (strict && p + 1 < pagination.pages.size() && !more &&
            (last == Role::Heading || last == Role::Name || last == Role::Parenthetical))
            return "a page ends with a heading, a name or a parenthetical" + where;
        if (strict && more && (lines.size() < 2 || roleOf(lines[lines.size() - 2]) != Role::Speech))
            return "(MORE) after no speech" + where;
        // After "(MORE)" the next page begins with the name again, " (CONT'D)" after it.
        std::size_t contd = 0;
        if (p > 0 && pagination.pages[p - 1].lines.back().text == "(MORE)") {
            sf::String again;
            for (; contd < lines.size() && lines[contd].indent == name.indent; ++contd)
                again += (contd ? " " : "") + lines[contd].text;
            const std::string text = again.toAnsiString();
            if (text.size() < 8 || text.compare(text.size() - 8, 8, "(CONT'D)") != 0)
                return "(MORE) without the name again and (CONT'D) on the next page" + where;
        }
        if (more && p + 1 == pagination.pages.size())
            return "(MORE) on the last page" + where;
        for (std::size_t r = contd; r < lines.size(); ++r)
            if (!lines[r].text.isEmpty() && !(r + 1 == lines.size() && more))
                printed.emplace_back(roleOf(lines[r]), lines[r].text);
        // An action paragraph split at a page's end: two lines or more on either page,
        // and a sentence's end before the break.
        if (strict && p + 1 < pagination.pages.size() && last == Role::Action) {
            const std::vector<PrintLine>& next = pagination.pages[p + 1].lines;
            auto of = [&](const std::vector<PrintLine>& on) {
                return std::count_if(on.begin(), on.end(), [&](const PrintLine& l) {
                    return !l.text.isEmpty() && l.paragraph == lines.back().paragraph;
                });
            };
            if (next.front().paragraph == lines.back().paragraph) {
                if (!endsSentence(lines.back().text))
                    return "action split after no sentence end" + where;
                if (of(lines) < 2 || of(next) < 2)
                    return "action split with fewer than two lines on a page" + where;
            }
        }
    }
    std::vector<std::pair<Role, sf::String>> expected;
    for (const Paragraph& paragraph : script.paragraphs)
        for (const sf::String& line : wrapForPrint(shownText(paragraph.kind, paragraph.text), columnOf(paragraph.kind).width)) {
            const Role role = paragraph.kind == Scene ? Role::Heading
                              : paragraph.kind == Name ? Role::Name
                              : paragraph.kind == Parenthetical ? Role::Parenthetical
                              : paragraph.kind == Speech ? Role::Speech
                                                         : Role::Action;
            expected.emplace_back(role, line);
        }
    if (printed != expected)
        return "the printed lines are not the script's, in order";
    for (std::size_t i = 1; i < pagination.pageOf.size(); ++i)
        if (pagination.pageOf[i] < pagination.pageOf[i - 1] || pagination.pageOf[i] >= pagination.pages.size())
            return "a paragraph's page is out of order";
    return {};
}

sf::String words(std::mt19937& random, int count)
{
    static const char* const pool[] = {"the", "fish", "swims", "past", "a", "dangling", "hook.", "Bob", "waits,",
                                       "and", "then?", "NO!", "river", "\"gold.\"", "extraordinarily", "(beat)"};
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(i ? " " : "") + pool[random() % 16];
    return text;
}
} // namespace

TEST(PrintWrap, WholeWordsIntoTheWidthAndLongWordsCut)
{
    EXPECT_EQ(wrapForPrint("one two three", 7), (std::vector<sf::String>{"one two", "three"}));
    EXPECT_EQ(wrapForPrint("sun.  The rain", 9), (std::vector<sf::String>{"sun.  The", "rain"}));
    EXPECT_EQ(wrapForPrint("  lead  ", 10), (std::vector<sf::String>{"lead"}));
    EXPECT_EQ(wrapForPrint("abcdefghij k", 4), (std::vector<sf::String>{"abcd", "efgh", "ij k"}));
    EXPECT_TRUE(wrapForPrint("   ", 10).empty());
}

TEST(PrintPages, ALongSpeechGoesOnWithMoreAndContd)
{
    Script script;
    for (int i = 0; i < 20; ++i)
        script.paragraphs.push_back({Directorial, "Line " + std::to_string(i) + "."});
    script.paragraphs.push_back({Name, "BOB"});
    std::string speech;
    for (int i = 0; i < 40; ++i)
        speech += "Sentence number " + std::to_string(i) + " is here. ";
    script.paragraphs.push_back({Speech, speech});
    const Pagination pagination = paginate(script);
    ASSERT_EQ(brokenRule(script, pagination), "");
    ASSERT_GE(pagination.pages.size(), 2u);
    EXPECT_EQ(pagination.pages[0].lines.back().text, "(MORE)");
    EXPECT_EQ(pagination.pages[0].lines.back().indent, name.indent);
    EXPECT_EQ(pagination.pages[1].lines.front().text, "BOB (CONT'D)");
    EXPECT_EQ(pagination.pageOf[21], 0u);
}

TEST(PrintPages, AFullPageHolds54LinesAndNoPageEndsWithAHeading)
{
    Script script;
    std::string lines;
    for (int i = 0; i < 70; ++i)
        lines += std::string(59, 'a') + ". "; // a sentence a line
    script.paragraphs.push_back({Directorial, lines});
    const Pagination full = paginate(script);
    ASSERT_EQ(brokenRule(script, full), "");
    EXPECT_EQ(full.pages[0].lines.size(), 54u);

    Script tight; // a heading that would be the last line of a page goes over with its scene
    for (int i = 0; i < 26; ++i)
        tight.paragraphs.push_back({Directorial, "Line."});
    tight.paragraphs.push_back({Scene, "INT. HALL - DAY"});
    tight.paragraphs.push_back({Directorial, "Dust."});
    const Pagination moved = paginate(tight);
    ASSERT_EQ(brokenRule(tight, moved), "");
    EXPECT_EQ(moved.pages[1].lines.front().text, "INT. HALL - DAY");
}

TEST(PrintPages, ScriptsKeepEveryRuleAndAnyParagraphsKeepTheirText)
{
    // Scenes of action and dialogue, as scripts run: every rule holds.
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        Script script;
        const int scenes = 1 + random() % 8;
        for (int s = 0; s < scenes; ++s) {
            script.paragraphs.push_back({Scene, "INT. " + words(random, 1 + random() % 4)});
            for (int block = random() % 10; block-- > 0;) {
                if (random() % 3 == 0) {
                    script.paragraphs.push_back({Directorial, words(random, 1 + random() % 90)});
                    continue;
                }
                script.paragraphs.push_back({Name, words(random, 1 + random() % 2)});
                for (int part = random() % 3; part-- > 0;)
                    script.paragraphs.push_back({random() % 2 ? Parenthetical : Speech, words(random, 1 + random() % 30)});
                script.paragraphs.push_back({Speech, words(random, 1 + random() % 120)});
            }
        }
        ASSERT_EQ(brokenRule(script, paginate(script)), "") << "round " << round;
    }
    for (const char* sample : {"big-fish.fountain", "vikings.fountain", "little-women.fountain", "brick-n-steel.fountain"}) {
        const std::optional<Script> script = parseFountain(readBytes(std::filesystem::path(QUILLMERE_SCREENPLAYS) / sample));
        if (script) {
            EXPECT_EQ(brokenRule(*script, paginate(*script)), "") << sample;
        }
    }
    // Paragraphs of any kinds in any order: pages of 54 lines at most, every line printed.
    for (int round = 0; round < 300; ++round) {
        Script script;
        for (int i = 1 + random() % 120; i-- > 0;) {
            const DivType kind = static_cast<DivType>(random() % 6);
            script.paragraphs.push_back({kind, words(random, kind == Name || kind == Scene ? 1 + random() % 4 : random() % 200)});
        }
        ASSERT_EQ(brokenRule(script, paginate(script), false), "") << "round " << round;
    }
}

using PageCountOnScreen = AppTest;

TEST_F(PageCountOnScreen, FollowsTheCaretAndTheEdits)
{
    std::vector<Paragraph> paragraphs;
    for (int i = 0; i < 200; ++i)
        paragraphs.push_back({Directorial, "Line " + std::to_string(i) + "."}); // 27 to a page
    page().load(paragraphs);
    page().placeCaret({100, 0});
    EXPECT_EQ(app->pageCount(), "Page 4 of 8");
    key(sf::Keyboard::Enter); // a new paragraph: the pages change
    type("More.");
    EXPECT_EQ(app->pageCount(), "Page 4 of 8");
    for (int i = 0; i < 12; ++i) {
        key(sf::Keyboard::Enter);
        type("More.");
    }
    EXPECT_EQ(app->pageCount(), "Page 5 of 8");
    control(sf::Keyboard::End);
    EXPECT_EQ(app->pageCount(), "Page 8 of 8");
}
