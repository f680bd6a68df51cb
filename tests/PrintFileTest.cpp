// The PDF as the converter really makes it, read back with poppler's pdftotext: type
// size, indents, lines to a page, page numbers and the page breaks.
#include "TestSupport.hpp"

#include "files/Export.hpp"
#include "platform/RunProgram.hpp"

#include <cmath>
#include <cstring>
#include <map>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {
struct Word {
    double left, top, right, bottom; // points from the page's top left
    std::string text;
};

struct PdfPage {
    double width = 0, height = 0;
    std::vector<Word> words;
};

std::string unescaped(std::string text)
{
    static const std::pair<const char*, const char*> entities[] = {
        {"&apos;", "'"}, {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities)
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::strlen(entity), character);
    return text;
}

std::vector<PdfPage> readPdf(const std::string& pdf)
{
    EXPECT_EQ(std::system(("pdftotext -bbox '" + pdf + "' out.html").c_str()), 0);
    std::vector<PdfPage> pages;
    const std::string html = readBytes("out.html");
    static const std::regex page(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    static const std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::istringstream in(html);
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, page))
            pages.push_back({std::stod(m[1]), std::stod(m[2]), {}});
        else if (std::regex_search(line, m, word) && !pages.empty())
            pages.back().words.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), unescaped(m[5])});
    }
    return pages;
}

// The text lines of a page, top down: the words of each, by their tops.
std::map<long, std::vector<Word>> linesOf(const PdfPage& page)
{
    std::map<long, std::vector<Word>> lines;
    for (const Word& word : page.words)
        lines[std::lround(word.top * 4)].push_back(word);
    return lines;
}

std::string textOf(const std::vector<Word>& line)
{
    std::string text;
    for (const Word& word : line)
        text += (text.empty() ? "" : " ") + word.text;
    return text;
}

// Scenes with action, dialogue, parentheticals, a speech too long for one page, and an
// action of full-line sentences that fills a page of its own.
Script sample()
{
    Script script{"Night Shift", "By Ann Lee", {}};
    for (int scene = 0; scene < 6; ++scene) {
        script.paragraphs.push_back({Scene, "INT. HALL " + std::to_string(scene) + " - NIGHT"});
        script.paragraphs.push_back({Directorial, "The hall is dark. Somewhere a clock ticks, slow and loud, and nobody comes."});
        script.paragraphs.push_back({Name, "BOB"});
        script.paragraphs.push_back({Parenthetical, "(quietly)"});
        script.paragraphs.push_back({Speech, "Is anyone there? I can hear you breathing."});
        script.paragraphs.push_back({Name, "ANN"});
        script.paragraphs.push_back({Speech, "Only the clock. Go to sleep, Bob."});
        script.paragraphs.push_back({Transition, "CUT TO:"});
    }
    std::string speech, lines;
    for (int i = 0; i < 40; ++i)
        speech += "This is sentence " + std::to_string(i) + " of a long speech. ";
    script.paragraphs.push_back({Name, "BOB"});
    script.paragraphs.push_back({Speech, speech});
    for (int i = 0; i < 60; ++i)
        lines += std::string(59, 'w') + ". ";
    script.paragraphs.push_back({Scene, "EXT. FIELD - DAY"});
    script.paragraphs.push_back({Directorial, lines});
    return script;
}

class PrintFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = enterScratchFolder();
    }
    void TearDown() override
    {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }
    fs::path folder;
    const Converter converter{startProgramWithoutShell};
};
} // namespace

TEST_F(PrintFileTest, PagesInScreenplayFormatOnLetterAndA4)
{
    const Script script = sample();
    const std::size_t pages = paginate(script).pages.size();
    for (const Paper& paper : {usLetter, a4}) {
        SCOPED_TRACE(paper.name);
        ASSERT_TRUE(exportPdf(converter, script, "out", paper));
        const std::vector<PdfPage> pdf = readPdf("out.pdf");
        ASSERT_EQ(pdf.size(), pages + 1) << "the title page and the script's pages";
        EXPECT_NEAR(pdf[0].width, paper.width * 72, 1);
        bool more = false, contd = false, full = false;
        for (std::size_t p = 0; p < pdf.size(); ++p) {
            SCOPED_TRACE("page " + std::to_string(p + 1));
            const auto lines = linesOf(pdf[p]);
            for (const Word& word : pdf[p].words) {
                // Type of 12 points: Liberation Mono's glyph box is 1.1328 of its size.
                EXPECT_NEAR((word.bottom - word.top) / 1.1328, 12, 0.2) << word.text;
                // Ten characters to the inch: a line of sixty is six inches, less the last
                // character's advance beyond its glyph.
                if (word.text.size() == 60) {
                    EXPECT_NEAR(word.right - word.left, 6 * 72, 1.5);
                }
                // Nothing outside the page number's line, the nine inches of text below it
                // and the line of "(MORE)".
                EXPECT_GE(word.top, 0.5 * 72 - 1) << word.text;
                EXPECT_LE(word.bottom, 10 * 72 + 12 + 3) << word.text;
            }
            if (p == 0) { // the title page: centred, unnumbered
                ASSERT_EQ(lines.size(), 2u);
                const auto& title = lines.begin()->second;
                EXPECT_NEAR((title.front().left + title.back().right) / 2, paper.width * 36, 4);
                continue;
            }
            std::vector<std::pair<double, std::string>> rows; // left edge in inches, text
            for (const auto& [top, words] : lines)
                rows.emplace_back(words.front().left / 72, textOf(words));
            if (p >= 2) { // "2." and on, at the top right, half an inch down, ending at 7.25 in
                const auto& number = lines.begin()->second.back();
                EXPECT_EQ(number.text, std::to_string(p) + ".");
                EXPECT_NEAR(number.top / 72, 0.5, 0.03);
                EXPECT_NEAR(number.right / 72, 7.25, 0.05);
                rows.erase(rows.begin());
            }
            for (const auto& [left, text] : rows) {
                const bool known = std::abs(left - 1.5) < 0.03 || std::abs(left - 2.5) < 0.03 ||
                                   std::abs(left - 3.0) < 0.03 || std::abs(left - 3.5) < 0.03 ||
                                   std::abs(left - 6.4) < 0.03; // "CUT TO:" ending at 7.1 in
                EXPECT_TRUE(known) << left << " in: " << text;
            }
            // A full page: its last line 53 lines of twelve points below the first.
            full = full || std::lround((lines.rbegin()->second.front().top - 72) / 12) == 53;
            const std::string& last = rows.back().second;
            if (p + 1 < pdf.size()) { // no page ends with a name or a heading
                EXPECT_NE(last, "BOB");
                EXPECT_NE(last, "ANN");
                EXPECT_NE(last.rfind("INT. ", 0), 0u) << last;
                EXPECT_NE(last.rfind("EXT. ", 0), 0u) << last;
            }
            if (last == "(MORE)") {
                more = true;
                EXPECT_NEAR(rows.back().first, 3.5, 0.03);
                const auto next = linesOf(pdf[p + 1]); // the cue again on the number's line
                contd = contd || textOf(next.begin()->second) == "BOB (CONT'D) " + std::to_string(p + 1) + ".";
            }
        }
        EXPECT_TRUE(full) << "a page of 54 lines of text";
        EXPECT_TRUE(more && contd) << "a speech split with (MORE) and (CONT'D)";
    }
}

// The full title page: title, credit, author and source centred from a third down; the
// contact at the foot on the left, notes and draft date at the foot on the right. A script
// without a title page prints none.
TEST_F(PrintFileTest, TheTitlePageAsTheIndustryPrintsIt)
{
    Script script{"Big Fish", "John August", {{Scene, "INT. RIVER - DAY"}}};
    script.credit = "Screenplay by";
    script.source = "Based on the novel by Daniel Wallace";
    script.draftDate = "March 3, 2003";
    script.contact = "Sony Pictures\n10202 W. Washington Blvd.";
    script.notes = "WGA 12345";
    ASSERT_TRUE(exportPdf(converter, script, "out", usLetter));
    const std::vector<PdfPage> pdf = readPdf("out.pdf");
    ASSERT_EQ(pdf.size(), 2u);
    struct Row {
        long row; // lines of twelve points below the title
        double left; // inches
        std::string text;
    };
    const std::vector<Row> expected = {{0, 3.85, "Big Fish"},
                                       {2, 3.6, "Screenplay by"},
                                       {4, 3.7, "John August"},
                                       {6, 2.45, "Based on the novel by Daniel Wallace"},
                                       {35, 6.7, "WGA 12345"},
                                       {36, 1.5, "Sony Pictures"},
                                       {37, 1.5, "10202 W. Washington Blvd. March 3, 2003"}};
    std::vector<Row> rows;
    const auto lines = linesOf(pdf[0]);
    for (const auto& [top, words] : lines)
        rows.push_back({std::lround((words.front().top - lines.begin()->second.front().top) / 12), words.front().left / 72,
                        textOf(words)});
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].row, expected[i].row) << expected[i].text;
        EXPECT_NEAR(rows[i].left, expected[i].left, 0.03) << expected[i].text;
        EXPECT_EQ(rows[i].text, expected[i].text);
    }
    const double dateLeft = linesOf(pdf[0]).rbegin()->second[4].left / 72; // "March": ends at 7.6 in
    EXPECT_NEAR(dateLeft, 6.3, 0.03);

    ASSERT_TRUE(exportPdf(converter, Script{"", "", {{Directorial, "Only this."}}}, "bare", usLetter));
    EXPECT_EQ(readPdf("bare.pdf").size(), 1u);
}

// Bold, italic and underlined letters print in the font's own faces, where the plain
// letters would stand.
TEST_F(PrintFileTest, StyledLettersPrintInTheirFacesWithoutMovingALine)
{
    const Script plain{"", "", {{Directorial, "It was him, and then the other one."}}};
    const Script styled{"", "", {marked(Directorial, U"It was <u>him</u>, <b>and</b> <i>then</i> <b><i>the other</i></b> one.")}};
    ASSERT_TRUE(exportPdf(converter, plain, "plain", usLetter));
    ASSERT_TRUE(exportPdf(converter, styled, "styled", usLetter));
    const std::vector<PdfPage> a = readPdf("plain.pdf"), b = readPdf("styled.pdf");
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    ASSERT_EQ(a[0].words.size(), b[0].words.size());
    for (std::size_t i = 0; i < a[0].words.size(); ++i) {
        EXPECT_EQ(a[0].words[i].text, b[0].words[i].text);
        EXPECT_NEAR(a[0].words[i].left, b[0].words[i].left, 0.3) << a[0].words[i].text;
        EXPECT_NEAR(a[0].words[i].top, b[0].words[i].top, 0.3) << a[0].words[i].text;
    }
    ASSERT_EQ(std::system("pdffonts styled.pdf > fonts.txt"), 0);
    const std::string fonts = readBytes("fonts.txt");
    for (const char* face : {"LiberationMono-Bold ", "LiberationMono-Italic ", "LiberationMono-BoldItalic ", "LiberationMono "})
        EXPECT_NE(fonts.find(face), std::string::npos) << face << " in\n" << fonts;
}

// Scene numbers as Final Draft prints them, on a heading's line: the left one from 0.75 in,
// the right one ending at 7.375 in, counted as the scene list counts them.
TEST_F(PrintFileTest, SceneNumbersStandBesideTheirHeadings)
{
    const Script script{"", "", {{Scene, "INT. HALL - DAY"}, {Directorial, "Rain."}, {Scene, "EXT. YARD - NIGHT"}}};
    ASSERT_TRUE(exportPdf(converter, script, "both", usLetter, SceneNumbers::Both));
    const std::vector<PdfPage> pdf = readPdf("both.pdf");
    ASSERT_EQ(pdf.size(), 1u);
    std::vector<std::string> rows;
    for (const auto& [top, words] : linesOf(pdf[0])) {
        const long left = std::lround(words.front().left / 9), right = std::lround(words.back().right / 9); // eighths of an inch
        rows.push_back(textOf(words) + " " + std::to_string(left) + "-" + std::to_string(right));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"1 INT. HALL - DAY 1 6-59", "Rain. 12-16", "2 EXT. YARD - NIGHT 2 6-59"}));
    for (const auto& [numbers, count] : {std::pair{SceneNumbers::None, 0}, {SceneNumbers::Left, 2}, {SceneNumbers::Right, 2}}) {
        const std::string html = printHtml(script, paginate(script), usLetter, PrintLayout::finalDraft, numbers);
        const std::regex number(numbers == SceneNumbers::Left ? "left:93.71px[^>]*>[12]<" : ">[12]<");
        EXPECT_EQ(std::distance(std::sregex_iterator(html.begin(), html.end(), number), std::sregex_iterator()), count);
    }
}
