#include "TestSupport.hpp"

#include "files/Export.hpp"

#include <thread>

namespace fs = std::filesystem;

class ExportTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        setText("INT. EXPORT");
        ASSERT_TRUE(app->saveScriptAs("act1"));
        fs::create_directory("out");
    }
    std::vector<std::string> lastRun() { return desktop.runs.empty() ? std::vector<std::string>() : desktop.runs.back(); }
};

TEST(TargetBase, DropsTheLastExtensionOfTheLastComponentOnly)
{
    EXPECT_EQ(targetBase("/home/w/act1.html"), "/home/w/act1");
    EXPECT_EQ(targetBase("/home/w/act.one.pdf"), "/home/w/act.one");
    EXPECT_EQ(targetBase("/home/w.d/act1"), "/home/w.d/act1");
    EXPECT_EQ(targetBase("/home/w/.hidden"), "/home/w/.hidden");
    EXPECT_EQ(targetBase("/home/w/."), "/home/w/.");
    EXPECT_EQ(targetBase("/home/w/.."), "/home/w/..");
}

TEST(ExportFilterOf, ATypedExtensionDecidesTheFormat)
{
    using namespace ExportFilter;
    const std::vector<std::tuple<const char*, int, int>> rows{
        {"/w/a.fdx", pdfLetter, finalDraft}, {"/w/a.HTML", pdfA4, html}, {"/w/a.htm", fountain, html},
        {"/w/a.Fountain", html, fountain}, {"/w/a.pdf", pdfA4, pdfA4}, {"/w/a.pdf", finalDraft, pdfLetter},
        {"/w/a.v2", html, html}, {"/w/a", fountain, fountain}, {"/w.fdx/a", pdfA4, pdfA4},
    };
    for (const auto& [target, filter, written] : rows)
        EXPECT_EQ(exportFilterOf(target, filter), written) << target << " " << filter;
}

TEST_F(ExportTest, ThePdfFilterWritesAPdfOfTheSavedScript)
{
    type("x");
    desktop.choice = {(folder / "out" / "act1.v2").string(), ExportFilter::pdfLetter};
    control(sf::Keyboard::E);
    EXPECT_EQ(desktop.askedNames, std::vector<std::string>{"act1"});
    EXPECT_TRUE(app->session().saved());
    EXPECT_NE(readBytes("user/act1.html").find("INT. EXPORTX"), std::string::npos);
    EXPECT_TRUE(fs::exists("out/act1.pdf"));
    const auto argv = lastRun();
    ASSERT_FALSE(argv.empty());
    const std::string printed = argv[argv.size() - 2]; // a print file of its own, gone afterwards
    EXPECT_EQ(fs::path(printed).extension(), ".html");
    EXPECT_EQ(fs::path(printed).parent_path(), fs::absolute("user/.export")) << "the user's own folder";
    EXPECT_FALSE(fs::exists(printed));
    EXPECT_TRUE(fs::is_empty("user/.export")) << "nor the note of its temporary PDF";
    EXPECT_EQ(fs::status("user/.export").permissions() & fs::perms::all, fs::perms::owner_all);

    desktop.choice = {(folder / "out" / "act1.fdx").string(), ExportFilter::pdfLetter};
    control(sf::Keyboard::E); // the typed extension, not the filter
    EXPECT_NE(readBytes("out/act1.fdx").find("<FinalDraft"), std::string::npos);
}

// A crash mid-export leaves a print file; the next start clears those of dead programs.
TEST(PrintFiles, ThoseOfProgramsNoLongerRunningAreRemoved)
{
    const fs::path folder = enterScratchFolder();
    fs::create_directories("user/.export");
    const std::string mine = "user/.export/print-" + std::to_string(getpid()) + "-a.html";
    for (const std::string& file : {std::string("user/.export/print-999999999-b.html"), mine, std::string("user/.export/keep")})
        writeBytes(file, "x");
    // A dead program's note of its temporary PDF: that file goes, and only one of that name.
    fs::create_directories("out");
    writeBytes("user/.export/partial-999999999", "out/.quillmere-999999999.pdf");
    writeBytes("out/.quillmere-999999999.pdf", "%PDF-");
    writeBytes("user/.export/partial-999999998", "out/precious.pdf");
    writeBytes("out/precious.pdf", "%PDF-");
    removeStalePrintFiles();
    EXPECT_FALSE(fs::exists("out/.quillmere-999999999.pdf"));
    EXPECT_TRUE(fs::exists("out/precious.pdf"));
    EXPECT_FALSE(fs::exists("user/.export/partial-999999998"));
    EXPECT_FALSE(fs::exists("user/.export/print-999999999-b.html"));
    EXPECT_TRUE(fs::exists(mine));
    EXPECT_TRUE(fs::exists("user/.export/keep"));
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}

TEST_F(ExportTest, TheHtmlFilterWritesAPageAndItsStyleSheet)
{
    desktop.choice = {(folder / "out" / "act1").string(), ExportFilter::html};
    EXPECT_TRUE(app->exportScript());
    EXPECT_NE(readBytes("out/act1.html").find("href=\"act1.css\""), std::string::npos);
    EXPECT_TRUE(fs::exists("out/act1.css"));
    EXPECT_EQ(desktop.overwriteQuestions, 0);
    EXPECT_FALSE(app->exportScript());
    EXPECT_EQ(desktop.overwriteQuestions, 1);
    desktop.overwrite = true;
    EXPECT_TRUE(app->exportScript());
}

TEST_F(ExportTest, CancelOrAnUntitledScriptExportsNothing)
{
    desktop.choice = {};
    EXPECT_FALSE(app->exportScript());
    EXPECT_TRUE(desktop.runs.empty());
    app->session().untitled = true;
    desktop.choice = {(folder / "out" / "x").string(), ExportFilter::pdfLetter};
    control(sf::Keyboard::E);
    EXPECT_TRUE(desktop.askedNames.size() == 1u);
}

TEST_F(ExportTest, AFailedConversionKeepsTheScriptSavedAndTheOldPdf)
{
    writeBytes("out/act1.pdf", "old");
    type("y");
    desktop.overwrite = true; // replacing it was agreed
    desktop.exitStatus = 1;
    desktop.choice = {(folder / "out" / "act1.pdf").string(), ExportFilter::pdfLetter};
    EXPECT_FALSE(app->exportScript());
    EXPECT_TRUE(app->session().saved());
    EXPECT_EQ(readBytes("out/act1.pdf"), "old");
    for (const auto& entry : fs::directory_iterator("out"))
        EXPECT_EQ(entry.path().filename(), "act1.pdf");
}

TEST_F(ExportTest, AFailedSaveStopsTheExport)
{
    app->session().fileName = "gone/act1";
    desktop.choice = {(folder / "out" / "act1").string(), ExportFilter::pdfLetter};
    EXPECT_FALSE(app->exportScript());
    EXPECT_TRUE(desktop.runs.empty());
}

TEST_F(ExportTest, ALongNameIsPassedWhole)
{
    const std::string name(300, 'n');
    ASSERT_TRUE(app->saveScriptAs(name.substr(0, 200)));
    desktop.choice = {};
    app->exportScript();
    EXPECT_EQ(desktop.askedNames.back().size(), 200u);
}

TEST_F(ExportTest, APdfIsReplacedOnlyWhenAgreedAndNeverByWhatIsNoPdf)
{
    writeBytes("out/act1.pdf", "old");
    desktop.choice = {(folder / "out" / "act1.pdf").string(), ExportFilter::pdfLetter};
    EXPECT_FALSE(app->exportScript());
    EXPECT_EQ(desktop.asked, std::vector<std::string>{"act1.pdf exists."});
    EXPECT_TRUE(desktop.runs.empty()) << "declined: nothing runs";
    EXPECT_EQ(app->footLine(), "");

    desktop.overwrite = true;
    for (const std::string written : {"", "%PDF-1.4\n%%EOF\n"}) { // ends well, but writes no PDF or a broken one
        desktop.output = written;
        EXPECT_FALSE(app->exportScript());
        EXPECT_EQ(readBytes("out/act1.pdf"), "old");
        EXPECT_EQ(app->footLine(), "Could not export " + (folder / "out" / "act1.pdf").string() + ": the converter wrote no whole PDF");
        for (const auto& entry : fs::directory_iterator("out"))
            EXPECT_EQ(entry.path().filename(), "act1.pdf");
    }
}

TEST_F(ExportTest, ControlEOnAnUntitledScriptAsksForANameThenExports)
{
    ASSERT_TRUE(app->openScript(""));
    type("int. new");
    desktop.choice = {(folder / "out" / "new.pdf").string(), ExportFilter::pdfLetter};
    control(sf::Keyboard::E);
    ASSERT_TRUE(app->saveAsPanel().isOpen());
    EXPECT_TRUE(desktop.askedNames.empty());
    type("new");
    key(sf::Keyboard::Enter);
    EXPECT_EQ(desktop.askedNames, std::vector<std::string>{"new"});
    EXPECT_TRUE(fs::exists("out/new.pdf"));
}

// The real child process: a converter that waits for a go-ahead file, copies its input
// aside, then writes a PDF; or never ends.
class ConverterBesideTheWindow : public ExportTest {
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        fs::create_directory("bin");
        writeBytes("bin/wkhtmltopdf", "#!/bin/sh\n"
                                      "for a; do input=\"$output\"; output=\"$a\"; done\n"
                                      "echo %PDF-1.4 > \"$output\"\n" // half made
                                      "while [ ! -e go ]; do sleep 0.05; done\n"
                                      "cp \"$input\" seen.html\n"
                                      "cat \"$(dirname \"$0\")/whole.pdf\" > \"$output\"\n");
        writeBytes("bin/whole.pdf", minimalPdf());
        fs::permissions("bin/wkhtmltopdf", fs::perms::owner_all);
        path = getenv("PATH");
        setenv("PATH", (fs::absolute("bin").string() + ":" + path).c_str(), 1);
        app.reset();
        Platform real = desktop.platform();
        real.startProgram = startProgramWithoutShell;
        app = std::make_unique<App>(real);
        app->fileList().setOpen(false);
        ASSERT_TRUE(app->openScript("act1"));
        desktop.choice = {(folder / "out" / "act1.pdf").string(), ExportFilter::pdfLetter};
    }
    void TearDown() override
    {
        setenv("PATH", path.c_str(), 1);
        ExportTest::TearDown();
    }
    std::string path;
};

TEST_F(ConverterBesideTheWindow, TheEditorGoesOnWhileItRunsFromTheScriptAsItWas)
{
    control(sf::Keyboard::End);
    type(" before");
    ASSERT_TRUE(app->exportScript());
    ASSERT_TRUE(app->exporting());
    EXPECT_EQ(app->footLine(), "Exporting act1.pdf\u2026 0 s (Escape stops it)");
    type(" after"); // typing goes on
    EXPECT_EQ(currentParagraph().text, "INT. EXPORT before after");
    app->tick(App::Clock::now() + std::chrono::seconds(3));
    EXPECT_EQ(app->footLine(), "Exporting act1.pdf\u2026 3 s (Escape stops it)");
    const std::string note = "user/.export/partial-" + std::to_string(getpid()); // for a start after a crash
    EXPECT_EQ(readBytes(note), (folder / "out" / (".quillmere-" + std::to_string(getpid()) + ".pdf")).string());
    writeBytes("go", "");
    for (int i = 0; i < 400 && app->exporting(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        app->tick(App::Clock::now());
    }
    EXPECT_FALSE(app->exporting());
    EXPECT_TRUE(fs::exists("out/act1.pdf"));
    EXPECT_NE(readBytes("seen.html").find("INT. EXPORT BEFORE"), std::string::npos);
    EXPECT_EQ(readBytes("seen.html").find("AFTER"), std::string::npos) << "the script as it was when it began";
    EXPECT_EQ(app->footLine(), "");
    EXPECT_FALSE(fs::exists(note));
}

TEST_F(ConverterBesideTheWindow, EscapeOrTwoMinutesEndAConverterThatHangs)
{
    ASSERT_TRUE(app->exportScript());
    ASSERT_TRUE(eventually([] { return fs::exists("out/.quillmere-" + std::to_string(getpid()) + ".pdf"); }));
    key(sf::Keyboard::Escape);
    EXPECT_FALSE(app->exporting());
    EXPECT_EQ(app->footLine(), "The export of " + (folder / "out" / "act1.pdf").string() + " was stopped");
    EXPECT_TRUE(fs::is_empty("out")) << "no half-made PDF";
    EXPECT_TRUE(fs::is_empty("user/.export")) << "nor the printed script and its note";

    writeBytes("out/act1.pdf", "old");
    desktop.overwrite = true;
    ASSERT_TRUE(app->exportScript());
    app->tick(App::Clock::now() + std::chrono::seconds(119));
    EXPECT_TRUE(app->exporting());
    app->tick(App::Clock::now() + std::chrono::seconds(121));
    EXPECT_FALSE(app->exporting());
    EXPECT_EQ(app->footLine(), "Could not export " + (folder / "out" / "act1.pdf").string() +
                                   ": the converter took longer than 120 seconds");
    EXPECT_EQ(readBytes("out/act1.pdf"), "old");
    for (const auto& entry : fs::directory_iterator("out"))
        EXPECT_EQ(entry.path().filename(), "act1.pdf") << "left behind";

    ASSERT_TRUE(app->exportScript());
    const std::string partial = "out/.quillmere-" + std::to_string(getpid()) + ".pdf";
    ASSERT_TRUE(eventually([&] { return fs::exists(partial); }));
    app.reset(); // the window closed while the converter runs: it is stopped
    EXPECT_FALSE(fs::exists(partial));
    EXPECT_EQ(readBytes("out/act1.pdf"), "old");
}
