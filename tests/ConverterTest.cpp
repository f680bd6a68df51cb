#include "TestSupport.hpp"

#include "files/Export.hpp"
#include "platform/RunProgram.hpp"

namespace fs = std::filesystem;

namespace {
std::vector<std::vector<std::string>> runs;
int exitStatus = 0;

struct Recorder : ::testing::Test {
    void SetUp() override
    {
        folder = enterScratchFolder();
        runs.clear();
        exitStatus = 0;
        setConverterRunner([](const std::vector<std::string>& argv) {
            runs.push_back(argv);
            writeBytes(argv.back(), "%PDF");
            return exitStatus;
        });
    }
    void TearDown() override
    {
        setConverterRunner({});
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }
    fs::path folder;
};
} // namespace

using ConverterTest = Recorder;

TEST_F(ConverterTest, TheSettingsBecomeTheProgramsOptionsInOrder)
{
    fs::create_directory("-out");
    ASSERT_TRUE(convertToPdf("user/act1", "-out/my script"));
    ASSERT_EQ(runs.size(), 1u);
    const std::vector<std::string>& argv = runs[0];
    const std::vector<std::string> front = {"wkhtmltopdf", "--quiet", "--enable-local-file-access", "-B", "0.5in", "-L",
                                            "0in", "-R", "0in", "-T", "0.5in", "--grayscale", "--page-size", "Letter", "--encoding", "utf-8",
                                            "--user-style-sheet", "res/style.css", "user/act1.html"};
    EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.end() - 1), front);
    EXPECT_EQ(argv.back().substr(0, 6), "./-out");
    EXPECT_EQ(globalSettings, nullptr);
    EXPECT_EQ(objectSettings, nullptr);
    EXPECT_EQ(converter, nullptr);
}

TEST_F(ConverterTest, EachConversionMakesFreshSettingsWithTheSameValues)
{
    makeGlobalSettings();
    const auto made = globalSettings->values;
    const std::vector<std::pair<std::string, std::string>> table = {
        {"page", "-"}, {"out", "-"}, {"margin.top", "0.5in"}, {"margin.bottom", "0.5in"}, {"margin.left", "0in"}, {"margin.right", "0in"}};
    EXPECT_EQ(made, table);
    EXPECT_FALSE(runConverter()); // no output file was set: nothing to run
    EXPECT_EQ(globalSettings, nullptr);
    ASSERT_TRUE(convertToPdf("user/a", "a"));
    ASSERT_TRUE(convertToPdf("user/a", "a"));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_TRUE(fs::exists("a.pdf"));
}

TEST_F(ConverterTest, AFailingOrMissingProgramFails)
{
    exitStatus = 2;
    EXPECT_FALSE(convertToPdf("user/a", "a"));
    EXPECT_FALSE(fs::exists("a.pdf"));
    setConverterRunner(runProgramWithoutShell);
    auto path = std::string(getenv("PATH") ? getenv("PATH") : "");
    setenv("PATH", folder.c_str(), 1);
    EXPECT_FALSE(convertToPdf("user/a", "a"));
    setenv("PATH", path.c_str(), 1);
}

TEST_F(ConverterTest, ProgramsRunWithoutAShellAndArgumentsArriveIntact)
{
    EXPECT_EQ(runProgramWithoutShell({"sh", "-c", "test \"$1\" = 'a b \"c\" -d' && test \"$QT_QPA_PLATFORM\" = offscreen", "x", "a b \"c\" -d"}), 0);
    EXPECT_EQ(runProgramWithoutShell({"sh", "-c", "exit 3"}), 3);
    EXPECT_EQ(runProgramWithoutShell({"no-such-program-here"}), -1);
}
