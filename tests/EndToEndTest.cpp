// Drives the real program on the virtual display as a person would: xdotool for the
// mouse and keyboard, screenshots for what only the screen shows.
#include "Desktop.hpp"

#include "files/Journal.hpp"
#include "files/Recovery.hpp"
#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"
#include "files/TextCodec.hpp"

#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using EndToEndTest = DesktopTest;

TEST_F(EndToEndTest, AWholeSitting)
{
    {
        Program program;
        program.start();
        sf::Image image = screenshot();
        EXPECT_NE(image.getPixel(10, 900), sf::Color(20, 20, 40)); // dimmed behind the file list
        clickAt(820, 510); // "Open" on "Empty"
        typeText("int. kitchen - night");
        keys("Return");
        typeText("Bob waits.");
        image = screenshot();
        EXPECT_EQ(image.getPixel(470, 600), sf::Color::White);
        EXPECT_TRUE(inkIn(image, 645, 120, 200, 23)); // the scene heading
        EXPECT_TRUE(inkIn(image, 645, 167, 120, 23)); // the direction
        EXPECT_TRUE(unsavedLabelShown(image));

        clickAt(800, 30); // "Name" in the bar
        image = screenshot();
        EXPECT_EQ(image.getPixel(800, 15), sf::Color(255, 200, 255));

        controlKey("2");
        controlKey("s");
        typeText("act1");
        clickAt(960, 420); // "Save As"
        ASSERT_TRUE(eventually([] { return fs::exists("user/act1.html"); }));
        EXPECT_EQ(readBytes("user/act1.html"),
                  "<html>\n<head>\n\t<link rel=\"stylesheet\" href=\"../res/standalone.css\"/>\n</head>\n<body>\n"
                  "\t<div class=\"Page\">\n\t\t<div class=\"Title\">[Title here]</div>\n"
                  "\t\t<div class=\"Subtitle\">By [Author here]</div>\n\t</div>\n\t<div class=\"Page\">\n"
                  "\t\t<div class=\"SceneNum\">&nbsp;&nbsp;1 </div><div class=\"Scene\">INT. KITCHEN - NIGHT</div>\n"
                  "\t\t<div class=\"Directorial\">Bob waits.</div>\n\t</div>\n</body>\n</html>");
        requestClose();
        EXPECT_TRUE(program.ended());
    }
    {
        Program program;
        program.start();
        clickAt(960, 400); // the entry act1
        clickAt(820, 550); // "Open"
        const sf::Image image = screenshot();
        EXPECT_TRUE(inkIn(image, 645, 120, 200, 23));
        EXPECT_TRUE(inkIn(image, 645, 167, 120, 23));
        EXPECT_TRUE(inkIn(image, 15, 100, 400, 50) || image.getPixel(20, 300) != sf::Color(20, 20, 40));
        typeText("x");
        requestClose();
        screenWhen(dimmed);
        EXPECT_TRUE(program.running()); // unsaved: the closing check asks
        clickAt(960, 520); // "Quit without saving"
        EXPECT_TRUE(program.ended());
        EXPECT_EQ(readBytes("user/act1.html").find("waits.x"), std::string::npos);
    }
}

namespace {
// Fills in the desktop's save dialog: a filter other than the first, then the path.
void answerSaveDialog(const std::string& path, int filter = ExportFilter::pdfLetter)
{
    const std::string dialog = windowNamed("Export script");
    ASSERT_FALSE(dialog.empty()) << "the save dialog did not open";
    focusWindow(dialog);
    if (filter != ExportFilter::pdfLetter) {
        const sf::Image closed = screenshot();
        clickAt(962, 752); // the filter menu at the dialog's foot
        const sf::Image menu = screenWhen([&](const sf::Image& now) { return differ(now, closed); });
        clickAt(950, 755 + 29 * (filter - 1)); // its entries, 29 pixels apart
        screenWhen([&](const sf::Image& now) { return differ(now, menu); });
        focusWindow(dialog);
        clickAt(500, 26); // the name field
    }
    keys("ctrl+a");
    typeText(path);
    keys("Return");
    ASSERT_TRUE(eventually([] { return windowNamed("Export script", 100ms).empty(); }));
}

// Rows of the page image that hold ink, and whether every pixel is grey.
struct PageScan {
    int firstInkRow = -1;
    bool grey = true;
};

PageScan scanPage(const std::string& png)
{
    sf::Image image;
    PageScan scan;
    if (!image.loadFromFile(png))
        return scan;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x) {
            const sf::Color c = image.getPixel(x, y);
            scan.grey = scan.grey && c.r == c.g && c.g == c.b;
            if (scan.firstInkRow < 0 && c.r < 128)
                scan.firstInkRow = static_cast<int>(y);
        }
    return scan;
}
} // namespace

TEST_F(EndToEndTest, ExportThroughTheDesktopDialog)
{
    fs::create_directory("out");
    writeBytes("user/act1.html", readBytes(fs::path(QUILLMERE_TESTDATA) / "script.html"));
    Program program;
    program.start();
    clickAt(960, 400); // the entry act1
    clickAt(820, 550); // "Open"
    screenWhen([](const sf::Image& image) { return !dimmed(image); });
    keys("Escape");

    controlKey("e");
    answerSaveDialog((folder / "out" / "act1").string()); // no extension: the PDF filter's
    ASSERT_TRUE(eventually([] { return fs::exists("out/act1.pdf"); }, 30s));
    EXPECT_FALSE(unsavedLabelShown(screenshot())) << "Escape and an export change nothing";
    EXPECT_FALSE(fs::exists("out/act1.html"));
    ASSERT_EQ(sh("pdftotext -layout out/act1.pdf out/act1.txt"), 0);
    const std::string text = readBytes("out/act1.txt");
    std::size_t at = 0;
    for (const char* piece : {"Night & Day", "By Ann <A.> Writer", "INT. HOUSE - DAY", "Bob & Alice <3 each other.", "BOB",
                              "(quietly)", "Hello", "EXT. YARD", "raw"}) {
        const std::size_t found = text.find(piece, at);
        EXPECT_NE(found, std::string::npos) << piece;
        if (found != std::string::npos)
            at = found;
    }
    ASSERT_EQ(sh("pdftoppm -r 72 -f 2 -l 2 -png out/act1.pdf out/page"), 0);
    std::string pagePng;
    for (const auto& entry : fs::directory_iterator("out"))
        if (entry.path().extension() == ".png")
            pagePng = entry.path().string();
    const PageScan scan = scanPage(pagePng);
    EXPECT_TRUE(scan.grey);
    EXPECT_GE(scan.firstInkRow, 72); // one inch at 72 dots per inch

    controlKey("e");
    answerSaveDialog((folder / "out" / "act1.html").string(), ExportFilter::html); // HTML filter
    ASSERT_TRUE(eventually([] { return fs::exists("out/act1.html"); }));
    EXPECT_NE(readBytes("out/act1.html").find("<link rel=\"stylesheet\" href=\"act1.css\"/>"), std::string::npos);
    EXPECT_EQ(readBytes("out/act1.css"), readBytes("res/standalone.css"));

    writeBytes("out/act1.css", "mine");
    controlKey("e");
    answerSaveDialog((folder / "out" / "act1").string(), ExportFilter::html);
    std::string question = windowNamed("^Overwrite existing file", 5s);
    ASSERT_FALSE(question.empty());
    focusWindow(question);
    keys("Return"); // the default answer is No
    ASSERT_TRUE(eventually([] { return windowNamed("^Overwrite existing file", 100ms).empty(); }));
    EXPECT_EQ(readBytes("out/act1.css"), "mine");

    controlKey("e");
    answerSaveDialog((folder / "out" / "act1").string(), ExportFilter::html);
    question = windowNamed("^Overwrite existing file", 5s);
    ASSERT_FALSE(question.empty());
    focusWindow(question);
    keys("alt+y");
    ASSERT_TRUE(eventually([] { return readBytes("out/act1.css") != "mine"; }));
    EXPECT_EQ(readBytes("out/act1.css"), readBytes("res/standalone.css"));
}

namespace {
bool lightIn(const sf::Image& image, unsigned left, unsigned top, unsigned width, unsigned height)
{
    for (unsigned x = left; x < left + width; ++x)
        for (unsigned y = top; y < top + height; ++y)
            if (image.getPixel(x, y).r > 200)
                return true;
    return false;
}
} // namespace

TEST_F(EndToEndTest, TitlePageClosingCheckAndReopeningFromTheList)
{
    {
        Program program;
        program.start();
        clickAt(820, 510); // "Open" on "Empty"
        typeText("int. roof");
        controlKey("f");
        clickAt(430, 125); // the end of the title box
        keys(std::string("BackSpace ") + "BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace "
                                         "BackSpace BackSpace BackSpace BackSpace BackSpace");
        typeText("Rooftops");
        controlKey("s");
        typeText("roof");
        clickAt(960, 420); // "Save As"
        ASSERT_TRUE(eventually([] { return fs::exists("user/roof.html"); }));
        const std::string head = "<html>\n<head>\n\t<link rel=\"stylesheet\" href=\"../res/standalone.css\"/>\n</head>\n"
                                 "<body>\n\t<div class=\"Page\">\n\t\t<div class=\"Title\">Rooftops</div>\n"
                                 "\t\t<div class=\"Subtitle\">By [Author here]</div>\n\t</div>\n\t<div class=\"Page\">\n"
                                 "\t\t<div class=\"SceneNum\">&nbsp;&nbsp;1 </div><div class=\"Scene\">";
        const std::string tail = "</div>\n\t</div>\n</body>\n</html>";
        EXPECT_EQ(readBytes("user/roof.html"), head + "INT. ROOF" + tail);

        clickAt(900, 130); // back into the scene heading
        keys("End");
        typeText(" - night");
        requestClose();
        screenWhen(dimmed);
        clickAt(960, 580); // "Cancel"
        screenWhen([](const sf::Image& image) { return !dimmed(image); });
        EXPECT_TRUE(program.running());
        requestClose();
        screenWhen(dimmed);
        clickAt(960, 460); // "Save and quit"
        EXPECT_TRUE(program.ended());
        EXPECT_EQ(readBytes("user/roof.html"), head + "INT. ROOF - NIGHT" + tail);
    }
    {
        Program program;
        program.start();
        keys("Escape");
        controlKey("o");
        clickAt(960, 400); // the entry roof
        clickAt(820, 550); // "Open"
        const sf::Image image = screenshot();
        EXPECT_TRUE(lightIn(image, 20, 110, 200, 30)); // the title page shows the title
        EXPECT_TRUE(inkIn(image, 645, 120, 250, 23));  // the scene heading on the sheet
        requestClose();
        EXPECT_TRUE(program.ended()); // nothing changed: no question
    }
}

TEST_F(EndToEndTest, ControlCommandsArriveWhileTheProgramIsBusy)
{
    std::string bytes = "<html>\n<head>\n\t<link rel=\"stylesheet\" href=\"../res/standalone.css\"/>\n</head>\n<body>\n"
                        "\t<div class=\"Page\">\n\t\t<div class=\"Title\">Busy</div>\n\t\t<div class=\"Subtitle\">By Me</div>\n"
                        "\t</div>\n\t<div class=\"Page\">\n";
    for (int i = 0; i < 5000; ++i)
        bytes += "\t\t<div class=\"Directorial\">Paragraph " + std::to_string(i) + " of a long script.</div>\n";
    writeBytes("user/busy.html", bytes + "\t</div>\n</body>\n</html>");
    Program program;
    program.start();
    clickAt(960, 400); // the entry busy
    sh("xdotool mousemove 820 550 click 1 key ctrl+3 ctrl+s ctrl+g ctrl+o"); // "Open", then at once the keys
    // The caret opens at the top: Control+3 makes the first paragraph a Name, no "3" typed.
    ASSERT_TRUE(eventually([] {
        return readBytes("user/busy.html").find("<div class=\"Name\">PARAGRAPH 0 OF A LONG SCRIPT.</div>") != std::string::npos;
    })) << "Control+3 and Control+S";
    const sf::Color bar = screenshot().getPixel(1914, 30); // the window's colour, dimmed
    EXPECT_NEAR(bar.r, (20 * 155 + 100 * 100) / 255, 3) << "Control+G hid the bar, Control+O dimmed the window";
    EXPECT_NEAR(bar.b, (40 * 155 + 100 * 100) / 255, 3);
}

namespace {
// The first row, from the top of the window, with ink on the sheet.
int firstInkRow(const sf::Image& image)
{
    for (unsigned y = 60; y < 980; ++y)
        for (unsigned x = 470; x < 1450; ++x)
            if (image.getPixel(x, y).r < 90)
                return static_cast<int>(y);
    return -1;
}

// The rows in which two screenshots of the window differ.
std::pair<int, int> changedRows(const sf::Image& a, const sf::Image& b)
{
    int first = -1, last = -1;
    for (unsigned y = 0; y < 1080; ++y)
        for (unsigned x = 0; x < 1920; ++x)
            if (a.getPixel(x, y) != b.getPixel(x, y)) {
                if (first < 0)
                    first = static_cast<int>(y);
                last = static_cast<int>(y);
                break;
            }
    return {first, last};
}
} // namespace

TEST_F(EndToEndTest, TheCaretStaysOnScreenAndTheKeysMoveThroughALongScript)
{
    const Script bigFish = sampleLines("big-fish.fountain");
    if (bigFish.paragraphs.empty())
        GTEST_SKIP() << "no sample screenplays beside the project";
    ASSERT_TRUE(writeScript(bigFish, "user/bigfish", false));
    Program program;
    program.start();
    clickAt(960, 340); // "Empty"
    clickAt(820, 550); // "Open"
    for (int i = 0; i < 60; ++i)
        sh("xdotool type --delay 10 'p" + std::to_string(i) + "' && xdotool key Return");
    const sf::Image before = screenshot();
    typeText("W");
    const auto [first, last] = changedRows(before, screenshot());
    EXPECT_GE(first, 60) << "the typed letter is drawn below the kind bar";
    EXPECT_LT(last, 980) << "and inside the window";

    controlKey("o");   // the list: "Empty", bigfish (the new script's copy is this program's own)
    clickAt(960, 400); // the entry bigfish
    clickAt(820, 550); // "Open"
    clickAt(960, 520); // "Discard changes"
    const int top = firstInkRow(screenWhen([](const sf::Image& image) { return !dimmed(image); }));
    EXPECT_GE(top, 120);
    EXPECT_LT(top, 135);
    keys("Next Next Next Next Next Next Next Next Next Next");
    EXPECT_NE(firstInkRow(screenshot()), top);
    keys("Prior Prior Prior Prior Prior Prior Prior Prior Prior Prior");
    EXPECT_EQ(firstInkRow(screenshot()), top) << "back at the top";

    controlKey("End");
    const sf::Image end = screenshot();
    EXPECT_TRUE(inkIn(end, 645, 980 - 46 - 23 - 40, 400, 63)) << "the last paragraph above the margin";
    EXPECT_FALSE(inkIn(end, 470, 980 - 40, 980, 40)) << "nothing below it";
}

// Two programs on one folder: each owns its recovery copy, a script open in one is asked
// about before the other opens it, and a copy left by a program that was killed is
// offered to the one still running, without replacing what that one saved since.
TEST_F(EndToEndTest, TwoWindowsOnOneFolderEachKeepTheirOwnWork)
{
    ASSERT_TRUE(writeScript({"Two", "By Me", {{Directorial, "Start."}}}, "user/act1", false));
    auto lastText = [](const fs::path& file) {
        const std::optional<Script> script = loadScript(file);
        return script ? toUtf8(script->paragraphs.back().text) : std::string();
    };
    auto recovered = [](const std::string& id) { // the copy with its journal
        std::optional<Script> script = loadScript(recoveryFile(id));
        if (script)
            replayJournal(readBytes(journalFile(id)), readBytes(recoveryFile(id)), *script);
        return script ? toUtf8(script->paragraphs.back().text) : std::string();
    };
    Program a;
    a.start();
    clickAt(960, 400); // act1
    clickAt(820, 550); // "Open"
    keys("ctrl+End");
    typeText(" A");
    ASSERT_TRUE(eventually([&] {
        const std::vector<RecoveredCopy> copies = listRecoveries();
        return copies.size() == 1 && copies[0].held && recovered(copies[0].id) == "Start. A";
    })) << "program A keeps a copy of its own, held while it runs";

    Program b; // its window comes on top of A's and takes the pointer
    b.start();
    clickAt(960, 400); // act1 is the second entry: A's copy is not offered
    clickAt(820, 550);
    screenWhen(dimmed); // "act1 is open in another window"
    clickAt(960, 460);  // "Open anyway"
    screenWhen([](const sf::Image& image) { return !dimmed(image); });
    keys("ctrl+End");
    typeText(" B");
    controlKey("s", b.window());
    ASSERT_TRUE(eventually([&] { return lastText("user/act1.html") == "Start. B"; }));
    ASSERT_EQ(listRecoveries().size(), 1u) << "B's save removed no copy but its own";
    controlKey("s", a.window()); // A's save would replace B's: A asks first
    sh("xdotool windowraise " + a.window());
    screenWhen(dimmed);
    clickAt(960, 580); // "Cancel"
    screenWhen([](const sf::Image& image) { return !dimmed(image); });
    EXPECT_EQ(lastText("user/act1.html"), "Start. B");

    a.kill();
    const std::vector<RecoveredCopy> left = listRecoveries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_FALSE(left[0].held);
    controlKey("o", b.window()); // now A's copy is offered first
    clickAt(960, 340);
    clickAt(820, 590); // "Open", below the three entries
    screenWhen([](const sf::Image& image) { return !dimmed(image); });
    controlKey("s", b.window()); // older than B's save: it opened untitled, offered "act1 (recovered)"
    keys("Return");
    EXPECT_TRUE(eventually([&] { return lastText("user/act1 (recovered).html") == "Start. A"; })) << "A's work is not lost";
    EXPECT_EQ(lastText("user/act1.html"), "Start. B") << "nor B's";
}

// A scene picked in the list has the keys at its heading; a mark that ends at the start
// of the next heading cuts nothing of it.
TEST_F(EndToEndTest, APickedSceneTakesTheKeysAndACutTakesOnlyWhatIsMarked)
{
    ASSERT_TRUE(writeScript({"Three", "By Me", {{Scene, "INT. HALL - DAY"}, {Directorial, "Rain."}, {Scene, "INT. ROOM - NIGHT"},
                                                {Directorial, "Bob sits."}, {Name, "BOB"}, {Speech, "Hi."},
                                                {Scene, "EXT. YARD - DAY"}, {Directorial, "Wind."}}},
                            "user/three", false));
    Program program;
    program.start();
    clickAt(960, 400); // three
    clickAt(820, 550); // "Open"
    clickAt(132, 662); // "2  INT. ROOM - NIGHT" in the scene list
    keys("shift+Down shift+Down shift+Down shift+Down");
    controlKey("x");
    typeText("Z");
    controlKey("s");
    const std::vector<Paragraph> left{{Scene, "INT. HALL - DAY"}, {Directorial, "Rain."}, {Scene, "ZEXT. YARD - DAY"}, {Directorial, "Wind."}};
    EXPECT_TRUE(eventually([&] {
        const std::optional<Script> saved = loadScript("user/three.html");
        return saved && saved->paragraphs == left;
    }));
}
