#include "TestSupport.hpp"

#include "app/ScenesAndPages.hpp"

#include "files/Fountain.hpp"
#include "files/Pagination.hpp"
#include "files/TextCodec.hpp"

#include <random>
#include <sstream>

namespace {
// A printed line as "indent text", with "*" before a bold text; "" for a blank line.
std::string shown(const PrintLine& line)
{
    if (line.text.isEmpty())
        return {};
    std::ostringstream out;
    out << line.indent << " " << (line.bold ? "*" : "") << line.text.toAnsiString();
    return out.str();
}

std::vector<std::string> shown(const PrintPage& page)
{
    std::vector<std::string> lines;
    for (const PrintLine& line : page.lines)
        lines.push_back(shown(line));
    return lines;
}

// `count` one-line action paragraphs "Line.": 2 * count - 1 printed lines.
Script lines(int count)
{
    Script script;
    for (int i = 0; i < count; ++i)
        script.paragraphs.push_back({Directorial, "Line."});
    return script;
}

std::string repeat(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
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

// Each kind at its indent and width: a word of the full width fills one line; one letter
// more and the word is cut.
TEST(PrintPages, EachKindHasItsIndentAndWidth)
{
    struct Case {
        DivType kind;
        int width;
        std::string first; // the first printed line of a word one letter too long
    };
    const Case cases[] = {
        {Scene, 61, "1.5 *" + std::string(61, 'A')},      {Directorial, 61, "1.5 " + std::string(61, 'a')},
        {Name, 37, "3.5 " + std::string(37, 'A')},        {Parenthetical, 29, "3.1 " + std::string(29, 'a')},
        {Speech, 35, "2.5 " + std::string(35, 'a')},      {Transition, 16, "5.5 " + std::string(16, 'A')},
    };
    for (const Case& c : cases) {
        Script fits, over;
        fits.paragraphs.push_back({c.kind, std::string(c.width, 'a')});
        over.paragraphs.push_back({c.kind, std::string(c.width + 1, 'a')});
        EXPECT_EQ(paginate(fits).pages[0].lines.size(), 1u) << kindNames.at(c.kind);
        const std::vector<std::string> printed = shown(paginate(over).pages[0]);
        ASSERT_EQ(printed.size(), 2u) << kindNames.at(c.kind);
        EXPECT_EQ(printed[0], c.first);
    }
    // A transition ends at 7.1 in; centred text stands in the middle of 1.5 to 7.6 in.
    Script ends;
    ends.paragraphs = {{Transition, "cut to:"}, {Centered, "THE END"}, {Directorial, "Gone."}};
    EXPECT_EQ(shown(paginate(ends).pages[0]),
              (std::vector<std::string>{"6.4 CUT TO:", "", "4.2 THE END", "", "1.5 Gone."}));
}

TEST(PrintPages, BlankLinesBetweenElementsAndTwoBeforeAHeading)
{
    Script script;
    script.paragraphs = {{Directorial, "Dust."}, {Scene, "int. hall - day"}, {Name, "bob"},
                         {Parenthetical, "(quietly)"}, {Speech, "Hello."}, {Directorial, "He goes."}};
    EXPECT_EQ(shown(paginate(script).pages[0]),
              (std::vector<std::string>{"1.5 Dust.", "", "", "1.5 *INT. HALL - DAY", "", "3.5 BOB", "3 (quietly)",
                                        "2.5 Hello.", "", "1.5 He goes."}));
    EXPECT_EQ(shown(paginate(script, PrintLayout::classic).pages[0]),
              (std::vector<std::string>{"1.5 Dust.", "", "1.5 *INT. HALL - DAY", "", "3.7 BOB", "3.1 (quietly)",
                                        "2.5 Hello.", "", "1.5 He goes."}));
}

// 54 lines to a page; what may not end a page goes over with what follows.
TEST(PrintPages, FiftyFourLinesAndNothingLeftHangingAtTheFoot)
{
    struct Case {
        const char* name;
        int before;                      // one-line action paragraphs first
        std::vector<Paragraph> then;
        std::size_t firstPageLines;
        std::string secondPageTop;
    };
    const Case cases[] = {
        {"lines only", 30, {}, 53, "1.5 Line."},
        {"a heading on the last line", 26, {{Scene, "INT. HALL"}, {Directorial, "Dust."}}, 51, "1.5 *INT. HALL"},
        {"a heading fits with a line after it", 25, {{Scene, "INT. HALL"}, {Directorial, "Dust."}, {Directorial, "On."}}, 54, "1.5 On."},
        {"a name without its speech", 26, {{Name, "BOB"}, {Speech, "Hello there, old friend. It is good to see you."}}, 51, "3.5 BOB"},
        {"a parenthetical at the foot", 26, {{Name, "BOB"}, {Parenthetical, "(low)"}, {Speech, "Hi."}}, 51, "3.5 BOB"},
        {"an action before a transition", 26, {{Directorial, "Out."}, {Transition, "CUT TO:"}}, 51, "1.5 Out."},
    };
    for (const Case& c : cases) {
        Script script = lines(c.before);
        script.paragraphs.insert(script.paragraphs.end(), c.then.begin(), c.then.end());
        const Pagination pagination = paginate(script);
        ASSERT_GE(pagination.pages.size(), 2u) << c.name;
        EXPECT_EQ(pagination.pages[0].lines.size(), c.firstPageLines) << c.name;
        EXPECT_EQ(shown(pagination.pages[1].lines.front()), c.secondPageTop) << c.name;
    }
}

// An action paragraph of nine lines after 47 lines: six fit, and the page breaks after
// the sixth when it ends a sentence; else the paragraph goes over whole.
TEST(PrintPages, ActionBreaksAtASentencesEndWithTwoLinesEachSide)
{
    struct Case {
        std::string ending; // of each line of the paragraph
        char secondPageTop; // the letter the second page begins with
    };
    const Case cases[] = {{".", 'g'},   {"?", 'g'},   {"!", 'g'}, {"\xE2\x80\xA6", 'g'},
                          {".\"", 'g'}, {".)", 'g'}, {",", 'a'}, {"", 'a'}};
    for (const Case& c : cases) {
        Script script = lines(24);
        std::string text;
        for (char letter = 'a'; letter <= 'h'; ++letter) // a line each: 50 letters, a space, 5 letters
            text += std::string(50, letter) + " " + std::string(5, letter) + c.ending + " ";
        script.paragraphs.push_back({Directorial, fromUtf8(text + "End.")});
        const Pagination pagination = paginate(script);
        ASSERT_EQ(pagination.pages.size(), 2u) << c.ending;
        EXPECT_EQ(pagination.pages[0].lines.size(), c.secondPageTop == 'g' ? 54u : 47u) << c.ending;
        EXPECT_EQ(shown(pagination.pages[1].lines.front()).substr(0, 9), "1.5 " + std::string(5, c.secondPageTop))
            << "ending " << c.ending;
    }
    // Seven lines: after the sixth one would be left alone, so the page ends after the fifth.
    Script seven = lines(24);
    std::string text;
    for (char letter = 'a'; letter <= 'g'; ++letter)
        text += std::string(50, letter) + " " + std::string(5, letter) + ". ";
    seven.paragraphs.push_back({Directorial, text});
    const Pagination pagination = paginate(seven);
    ASSERT_EQ(pagination.pages.size(), 2u);
    EXPECT_EQ(pagination.pages[0].lines.size(), 53u);
    EXPECT_EQ(shown(pagination.pages[1].lines.front()).substr(0, 9), "1.5 fffff");
}

// An action longer than a page with no sentence's end in it breaks where the page is full.
TEST(PrintPages, AnActionLongerThanAPageBreaksWhereItMust)
{
    const Pagination pagination = paginate(Script{"", "", {{Directorial, repeat("word ", 12 * 70)}}});
    ASSERT_EQ(pagination.pages.size(), 2u);
    EXPECT_EQ(pagination.pages[0].lines.size(), 54u);
    EXPECT_EQ(pagination.pages[1].lines.size(), 16u);
}

// A sentence that ends within a line may end the page there; the rest wraps anew.
TEST(PrintPages, APageMayEndWithinALineAtASentencesEnd)
{
    Script script = lines(26); // 51 lines, a blank, and room for two more
    script.paragraphs.push_back({Directorial, repeat("word ", 12) + "Stop. " + repeat("more ", 40) + "end."});
    const Pagination pagination = paginate(script);
    ASSERT_EQ(pagination.pages.size(), 2u);
    const std::vector<std::string> first = shown(pagination.pages[0]);
    ASSERT_EQ(first.size(), 54u);
    EXPECT_EQ(first[52], "1.5 word word word word word word word word word word word word");
    EXPECT_EQ(first[53], "1.5 Stop.");
    EXPECT_EQ(shown(pagination.pages[1]),
              (std::vector<std::string>{"1.5 more more more more more more more more more more more more",
                                        "1.5 more more more more more more more more more more more more",
                                        "1.5 more more more more more more more more more more more more",
                                        "1.5 more more more more end."}));
    EXPECT_EQ(pagination.pageStarts, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{26, 66}}));
    EXPECT_EQ(pagination.pageOf[26], 0u);
}

// Of the places a speech may end a page, a sentence's end comes first, and within a speech
// only one of three lines or more; then the latest.
TEST(PrintPages, ASpeechEndsAPageAtASentenceBeforeAParentheticalOrATwoLineSpeech)
{
    Script script = lines(24); // room for the name and four lines with "(MORE)"
    const std::string a(33, 'a'), b(33, 'b'), c(33, 'c'), d(33, 'd');
    for (const Paragraph& p : std::vector<Paragraph>{{Name, "bob"}, {Speech, fromUtf8(a + ". " + b + ".")}, {Parenthetical, "(softly)"},
                                                     {Speech, fromUtf8(c + ". " + d)}, {Parenthetical, "(loudly)"},
                                                     {Speech, fromUtf8(a + ". " + b + ".")}})
        script.paragraphs.push_back(p);
    const Pagination pagination = paginate(script);
    ASSERT_EQ(pagination.pages.size(), 2u);
    EXPECT_EQ(pagination.pages[0].lines.size(), 52u);
    EXPECT_EQ(shown(pagination.pages[1].lines[1]), "3 (softly)");
}

// The second of a speech's three lines may end a page at its sentence's end.
TEST(PrintPages, ASpeechOfThreeLinesMayEndAPageAfterItsSecond)
{
    Script script = lines(24);
    const std::string a(33, 'a'), b(33, 'b'), c(33, 'c');
    for (const Paragraph& p : std::vector<Paragraph>{{Name, "bob"}, {Speech, fromUtf8(a + ". " + b + ". " + c + ",")},
                                                     {Parenthetical, "(softly)"}, {Speech, fromUtf8(a + ". " + b + ".")}})
        script.paragraphs.push_back(p);
    const Pagination pagination = paginate(script);
    ASSERT_EQ(pagination.pages.size(), 2u);
    EXPECT_EQ(shown(pagination.pages[1].lines[1]), "2.5 " + c + ",");
}

TEST(PrintPages, ALongSpeechGoesOnWithMoreAndContd)
{
    Script script = lines(24); // 47 lines: a blank, the name and four lines of speech fit with "(MORE)"
    script.paragraphs.push_back({Name, "bob"});
    std::string speech;
    for (char letter = 'a'; letter <= 'f'; ++letter)
        speech += std::string(33, letter) + ". ";
    script.paragraphs.push_back({Speech, speech});
    const Pagination pagination = paginate(script);
    ASSERT_EQ(pagination.pages.size(), 2u);
    const std::vector<std::string> first = shown(pagination.pages[0]);
    ASSERT_EQ(first.size(), 54u);
    EXPECT_EQ(std::vector<std::string>(first.begin() + 47, first.end()),
              (std::vector<std::string>{"", "3.5 BOB", "2.5 " + std::string(33, 'a') + ".", "2.5 " + std::string(33, 'b') + ".",
                                        "2.5 " + std::string(33, 'c') + ".", "2.5 " + std::string(33, 'd') + ".",
                                        "3.5 (MORE)"}));
    EXPECT_EQ(shown(pagination.pages[1]),
              (std::vector<std::string>{"3.5 BOB (CONT'D)", "2.5 " + std::string(33, 'e') + ".",
                                        "2.5 " + std::string(33, 'f') + "."}));
}

TEST(PrintPages, TheSameCharacterAgainInTheSceneIsContinued)
{
    Script script;
    script.paragraphs = {{Scene, "INT. HALL"},   {Name, "bob"},       {Speech, "Hi."},      {Directorial, "He waits."},
                         {Name, "BOB"},          {Speech, "Well?"},   {Name, "bob (v.o.)"}, {Speech, "Later."},
                         {Directorial, "Gone."}, {Name, "BOB"},       {Speech, "Back."},    {Name, "bob (o.s.)"},
                         {Speech, "Here."},      {Directorial, "Steps."}, {Name, "BOB"},    {Speech, "Now."},
                         {Scene, "EXT. ROAD"},   {Name, "BOB"},       {Speech, "Out."}};
    std::vector<std::string> cues;
    const Pagination finalDraft = paginate(script), classic = paginate(script, PrintLayout::classic);
    for (const PrintLine& line : finalDraft.pages[0].lines)
        if (line.indent == 3.5f)
            cues.push_back(line.text.toAnsiString());
    // After a voice-over the same character under a plain cue speaks anew; after one off screen he goes on.
    EXPECT_EQ(cues, (std::vector<std::string>{"BOB", "BOB (CONT'D)", "BOB (V.O.)", "BOB", "BOB (O.S.)", "BOB (CONT'D)", "BOB"}));
    cues.clear();
    for (const PrintLine& line : classic.pages[0].lines)
        if (line.indent == 3.7f)
            cues.push_back(line.text.toAnsiString());
    EXPECT_EQ(cues, (std::vector<std::string>{"BOB", "BOB", "BOB (V.O.)", "BOB", "BOB (O.S.)", "BOB", "BOB"}));
}

TEST(PrintPages, APageBreakBeginsANewPageAndNeverAnEmptyOne)
{
    Script script;
    script.paragraphs = {{PageBreak, ""}, {Directorial, "One."}, {PageBreak, ""}, {PageBreak, ""}, {Directorial, "Two."}, {PageBreak, ""}};
    const Pagination pagination = paginate(script);
    ASSERT_EQ(pagination.pages.size(), 2u);
    EXPECT_EQ(shown(pagination.pages[0]), (std::vector<std::string>{"1.5 One."}));
    EXPECT_EQ(shown(pagination.pages[1]), (std::vector<std::string>{"1.5 Two."}));
    EXPECT_EQ(pagination.pageOf[4], 1u);
    EXPECT_EQ(pagination.pageStarts, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{4, 0}}));
}

namespace {
// The rules that hold whatever the script, on one pagination; "" when all hold: at most
// 54 lines, no page begins with a blank line, "(MORE)" only before a page that begins
// with the name again, and every paragraph's words printed in order.
std::string brokenRule(const Script& script, const Pagination& pagination)
{
    std::vector<std::string> words(script.paragraphs.size());
    for (std::size_t p = 0; p < pagination.pages.size(); ++p) {
        const std::vector<PrintLine>& lines = pagination.pages[p].lines;
        const std::string where = " on page " + std::to_string(p + 1);
        for (const PrintLine& line : lines)
            if (line.row >= 54 && line.text != "(MORE)")
                return "more than 54 lines" + where;
        const DivType firstKind = lines.empty() ? None : script.paragraphs[lines.front().paragraph].kind;
        const bool emptyAction = !lines.empty() && (firstKind == Directorial || firstKind == None) &&
                                 script.paragraphs[lines.front().paragraph].text.isEmpty(); // takes its line
        if (lines.empty() && pagination.pages.size() == 1)
            continue; // a script that prints nothing: one empty page
        if (lines.empty() || (lines.front().text.isEmpty() && !emptyAction))
            return "a page begins with a blank line" + where;
        const bool more = lines.back().text == "(MORE)";
        if (more && p + 1 == pagination.pages.size())
            return "(MORE) on the last page";
        // After "(MORE)" the page begins with the name again and " (CONT'D)".
        std::size_t from = 0;
        std::string again;
        if (p > 0 && pagination.pages[p - 1].lines.back().text == "(MORE)")
            for (; from < lines.size() && lines[from].indent == 3.5f; ++from)
                again += lines[from].text.toAnsiString();
        if (again.find("(CONT'D)") == std::string::npos && from > 0)
            return "no (CONT'D) after (MORE)" + where;
        if (p > 0 && pagination.pages[p - 1].lines.back().text == "(MORE)" && from == 0)
            return "(MORE) without the name again on the next page" + where;
        for (std::size_t r = from; r + (more ? 1 : 0) < lines.size(); ++r)
            if (!lines[r].text.isEmpty())
                words[lines[r].paragraph] += " " + lines[r].text.toAnsiString();
    }
    for (std::size_t i = 0; i < script.paragraphs.size(); ++i) {
        std::istringstream expected(script.paragraphs[i].text.toAnsiString()), got(words[i]);
        std::string a, b;
        while (expected >> a) {
            if (!(got >> b) || (b != a && b != std::string(a.size(), ' ') && !std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                    return std::toupper(static_cast<unsigned char>(x)) == y;
                })))
                return "paragraph " + std::to_string(i) + " is not printed as written";
        }
    }
    return {};
}

sf::String randomWords(std::mt19937& random, int count)
{
    static const char* const pool[] = {"the", "fish", "swims", "past", "a", "dangling", "hook.", "Bob", "waits,",
                                       "and", "then?", "NO!", "river", "\"gold.\"", "extraordinarily", "(beat)"};
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(i ? " " : "") + pool[random() % 16];
    return text;
}
} // namespace

TEST(PrintPages, ParagraphsOfAnyKindsKeepTheirWordsAndPagesTheirSize)
{
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        Script script;
        for (int i = 1 + random() % 120; i-- > 0;) {
            const DivType kind = static_cast<DivType>(random() % 9);
            const bool shortOne = kind == Name || kind == Scene || kind == Transition;
            script.paragraphs.push_back({kind, kind == PageBreak ? "" : randomWords(random, shortOne ? 1 + random() % 4 : random() % 200),
                                         {}, kind == Name && random() % 3 == 0});
        }
        ASSERT_EQ(brokenRule(script, paginate(script)), "") << "round " << round;
    }
}

TEST(PrintPages, SampleScreenplaysKeepTheRules)
{
    for (const char* sample : {"big-fish.fountain", "vikings.fountain", "little-women.fountain", "brick-n-steel.fountain"}) {
        const std::optional<std::string> bytes = sampleScreenplay(sample);
        if (!bytes)
            GTEST_SKIP() << "no sample screenplays beside the project";
        const std::optional<Script> script = parseFountain(*bytes);
        ASSERT_TRUE(script) << sample;
        EXPECT_EQ(brokenRule(*script, paginate(*script)), "") << sample;
    }
}

using PageCountOnScreen = AppTest;

TEST_F(PageCountOnScreen, FollowsTheCaretAndTheEdits)
{
    std::vector<Paragraph> paragraphs;
    for (int i = 0; i < 200; ++i)
        paragraphs.push_back({Directorial, "Line " + std::to_string(i) + "."}); // 27 to a page
    load(paragraphs);
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

// Whatever the writer does, and takes back, the pages the screen shows are those of the whole script.
TEST_F(PageCountOnScreen, EditsAndTheirUndoingKeepThePagesOfTheWholeScript)
{
    std::mt19937 random(3);
    std::vector<Paragraph> paragraphs;
    for (int i = 0; i < 240; ++i) {
        const DivType kind = static_cast<DivType>(1 + random() % 5);
        paragraphs.push_back({kind, randomWords(random, kind == Name || kind == Scene ? 1 : 1 + random() % 40)});
    }
    load(paragraphs);
    for (int round = 0; round < 150; ++round) {
        const auto at = static_cast<std::uint32_t>(random() % app->script().paragraphs.size());
        page().placeCaret({at, 0});
        switch (random() % 7) {
        case 0: type(randomWords(random, 1 + random() % 30).toAnsiString() + " "); break;
        case 1: key(sf::Keyboard::Enter); break;
        case 2: key(sf::Keyboard::BackSpace); send(ev::textEntered(8)); break;
        case 3: control(static_cast<sf::Keyboard::Key>(sf::Keyboard::Num1 + random() % 5)); break;
        case 4: page().placeCaret({std::min<std::uint32_t>(at + 1 + random() % 8, static_cast<std::uint32_t>(app->script().paragraphs.size() - 1)), 0}, true);
                control(sf::Keyboard::X); break;
        case 5: control(sf::Keyboard::Z); break;
        default: control(sf::Keyboard::Y); break;
        }
        app->pageCount();
        ASSERT_EQ(page().printedStarts, paginate(app->script().paragraphs, false).pageStarts) << "round " << round;
    }
}

// A page after the change that begins where an earlier page began is not yet where the
// pages meet again: the changed paragraphs go on past it.
TEST_F(PageCountOnScreen, PagesMeetAgainOnlyAfterAllThatChanged)
{
    Script script;
    script.paragraphs.assign(127, {Directorial, "Line."}); // 27 to a page
    script.paragraphs[57].text = std::string(600, 'x');    // ten lines
    ScenesAndPages pages(app->window());
    pages.follow(script, 0, 0, 500);
    using Starts = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    ASSERT_EQ(pages.pageStarts(), (Starts{{27, 0}, {54, 0}, {77, 0}, {104, 0}}));
    const ScriptEdit edit{30, {script.paragraphs.begin() + 30, script.paragraphs.begin() + 58}, {{Directorial, "Line."}}, {}, {}};
    applyEdit(script.paragraphs, edit);
    pages.noteEdits({edit});
    pages.follow(script, 0, 0, 500);
    EXPECT_EQ(pages.pageStarts(), (Starts{{27, 0}, {54, 0}, {81, 0}}));
    applyEdit(script.paragraphs, edit, true); // the page from 54 begins where one began, but before the change ends
    pages.noteEdits({edit}, true);
    pages.follow(script, 0, 0, 500);
    EXPECT_EQ(pages.pageStarts(), (Starts{{27, 0}, {54, 0}, {77, 0}, {104, 0}}));
}

// Events of several edits, and their undoing, in any order: the screen's pages after them
// are those of the whole script.
TEST_F(PageCountOnScreen, TheChangedRangeOfManyEditsHoldsAllThatChanged)
{
    std::mt19937 random(5);
    auto some = [&](std::size_t count) { // copies of one, as pages meet again most often after them
        return std::vector<Paragraph>(count, {static_cast<DivType>(1 + random() % 5), randomWords(random, 1 + random() % 120)});
    };
    Script script;
    for (int i = 0; i < 300; ++i)
        script.paragraphs.push_back(some(1)[0]);
    ScenesAndPages pages(app->window());
    pages.follow(script, 0, 0, 500);
    std::vector<std::vector<ScriptEdit>> events;
    for (int round = 0; round < 500; ++round) {
        if (!events.empty() && random() % 3 == 0) {
            for (auto edit = events.back().rbegin(); edit != events.back().rend(); ++edit)
                applyEdit(script.paragraphs, *edit, true);
            pages.noteEdits(events.back(), true);
            events.pop_back();
        } else {
            events.emplace_back();
            for (int n = 1 + random() % 4; n-- > 0;) {
                ScriptEdit edit;
                const std::size_t near = events.back().empty() ? random() % script.paragraphs.size() : events.back()[0].at + random() % 9;
                edit.at = static_cast<std::uint32_t>(std::min(near, script.paragraphs.size() - 1));
                const std::size_t end = std::min(script.paragraphs.size() - 1, edit.at + random() % 4);
                edit.before.assign(script.paragraphs.begin() + edit.at, script.paragraphs.begin() + end);
                edit.after = some(random() % 4);
                applyEdit(script.paragraphs, edit);
                events.back().push_back(edit);
            }
            pages.noteEdits(events.back());
        }
        pages.follow(script, 0, 0, 500);
        ASSERT_EQ(pages.pageStarts(), paginate(script.paragraphs, false).pageStarts) << "round " << round;
        std::vector<std::uint32_t> headings, listed; // and the scene list's rows are the headings
        for (std::uint32_t i = 0; i < script.paragraphs.size(); ++i)
            if (script.paragraphs[i].kind == Scene)
                headings.push_back(i);
        for (std::size_t k = 0; pages.headingOf(k); ++k)
            listed.push_back(*pages.headingOf(k));
        ASSERT_EQ(listed, headings) << "round " << round;
    }
}

// Two speeches at once print side by side, each cue centred over its half; the pair is as
// tall as its taller half and goes over whole when it does not fit.
TEST(PrintPages, TwoSpeechesAtOncePrintSideBySide)
{
    Script script;
    script.paragraphs = {{Name, "ann"}, {Parenthetical, "(low)"}, {Speech, "Left words here."},
                         {Name, "cal", {}, true}, {Speech, "Right words, and rather more of them than hers."}, {Directorial, "Then."}};
    const Pagination pagination = paginate(script);
    std::vector<std::string> rows;
    for (const PrintLine& line : pagination.pages[0].lines)
        rows.push_back(std::to_string(line.row) + " " + shown(line));
    EXPECT_EQ(rows, (std::vector<std::string>{"0 2.85 ANN", "0 5.85 CAL", "1 1.75 (low)", "1 4.625 Right words, and rather more",
                                              "2 1.5 Left words here.", "2 4.625 of them than hers.", "3 ", "4 1.5 Then."}));
    Script late = lines(25); // 49 lines: the pair's three lines and a blank do not fit after them
    late.paragraphs.insert(late.paragraphs.end(), script.paragraphs.begin(), script.paragraphs.end() - 1);
    late.paragraphs.push_back({Directorial, "A last line before the pair."});
    std::rotate(late.paragraphs.end() - 6, late.paragraphs.end() - 1, late.paragraphs.end());
    const Pagination over = paginate(late);
    ASSERT_EQ(over.pages.size(), 2u);
    EXPECT_EQ(shown(over.pages[1].lines.front()), "2.85 ANN");
}

// Paginating again from before an edit until the pages meet the earlier ones gives what
// paginating the whole script gives.
TEST(PrintPages, PaginatingAgainAfterAnEditEqualsPaginatingAll)
{
    std::mt19937 random(8);
    auto anyParagraph = [&] {
        const DivType kind = static_cast<DivType>(1 + random() % 8);
        const bool shortOne = kind == Name || kind == Scene || kind == Transition;
        return Paragraph{kind, kind == PageBreak ? "" : randomWords(random, shortOne ? 1 + random() % 3 : random() % 90), {},
                         kind == Name && random() % 4 == 0};
    };
    for (int round = 0; round < 400; ++round) {
        std::vector<Paragraph> before;
        for (int i = 200 + random() % 300; i-- > 0;)
            before.push_back(anyParagraph());
        std::vector<Paragraph> after = before;
        const auto at = static_cast<std::uint32_t>(random() % after.size());
        std::uint32_t changedTo = at + 1;
        switch (random() % 4) {
        case 0: after[at] = anyParagraph(); break;
        case 1: after.insert(after.begin() + at, 1 + random() % 3, anyParagraph()); changedTo = at + static_cast<std::uint32_t>(after.size() - before.size()); break;
        case 2: after.erase(after.begin() + at, after.begin() + std::min<std::size_t>(at + 1 + random() % 3, after.size() - 1)); changedTo = at; break;
        default: after[at].kind = static_cast<DivType>(1 + random() % 7); break;
        }
        const std::int64_t shift = static_cast<std::int64_t>(after.size()) - static_cast<std::int64_t>(before.size());
        const Pagination whole = paginate(after, false);
        const Pagination again = repaginate(after, paginate(before, false), at, changedTo, shift);
        ASSERT_EQ(again.pages.size(), whole.pages.size()) << "round " << round;
        ASSERT_EQ(again.pageOf, whole.pageOf) << "round " << round;
        ASSERT_EQ(again.pageStarts, whole.pageStarts) << "round " << round;
        ASSERT_EQ(again.checkpoints, whole.checkpoints) << "round " << round;
    }
}

// The sheet shows "(CONT'D)" where the print puts it: the screen's rule and the print agree.
TEST(PrintsContinued, ACharacterWhoSpeaksAgainInTheSceneIsContinued)
{
    const std::vector<Paragraph> script{
        {Scene, "INT. A"},    {Name, "MARY"},        {Speech, "Hi."},  {Directorial, "She sits."}, {Name, "mary"},
        {Speech, "Well."},    {Name, "BOB (V.O.)"},  {Speech, "No."},  {Name, "BOB"},              {Speech, "Yes."},
        {Name, "BOB"},        {Speech, "Again."},    {Name, "BOB (O.S.)"}, {Speech, "x"},          {Scene, "EXT. B"},
        {Name, "BOB"},        {Speech, "y"}};
    std::vector<std::size_t> shown, printed;
    for (std::size_t i = 0; i < script.size(); ++i)
        if (printsContinued(script, i))
            shown.push_back(i);
    for (const PrintPage& page : paginate(Script("", "", script)).pages)
        for (const PrintLine& line : page.lines)
            if (line.text.find("(CONT'D)") != sf::String::InvalidPos)
                printed.push_back(line.paragraph);
    EXPECT_EQ(shown, (std::vector<std::size_t>{4, 10}));
    EXPECT_EQ(printed, shown);
}
