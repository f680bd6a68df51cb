#include "TestSupport.hpp"

#include "files/Export.hpp"

namespace fs = std::filesystem;

class ExportTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        currentParagraph().setText("INT. EXPORT");
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

TEST_F(ExportTest, ThePdfFilterWinsOverTheTypedExtension)
{
    type("x");
    desktop.choice = {(folder / "out" / "act1.html").string(), ExportFilter::pdfLetter};
    control(sf::Keyboard::E);
    EXPECT_EQ(desktop.askedNames, std::vector<std::string>{"act1"});
    EXPECT_TRUE(app->session().saved());
    EXPECT_NE(readBytes("user/act1.html").find("INT. EXPORTX"), std::string::npos);
    EXPECT_TRUE(fs::exists("out/act1.pdf"));
    EXPECT_FALSE(fs::exists("out/act1.html"));
    const auto argv = lastRun();
    ASSERT_FALSE(argv.empty());
    const std::string printed = argv[argv.size() - 2]; // a print file of its own, gone afterwards
    EXPECT_EQ(fs::path(printed).extension(), ".html");
    EXPECT_FALSE(fs::exists(printed));
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
