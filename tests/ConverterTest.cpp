#include "TestSupport.hpp"

#include "files/Export.hpp"
#include "platform/RunProgram.hpp"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::vector<std::vector<std::string>> runs;
int exitStatus = 0;

std::unique_ptr<RunningProgram> record(const std::vector<std::string>& argv)
{
    runs.push_back(argv);
    writeBytes(argv.back(), minimalPdf());
    return std::make_unique<FinishedProgram>(exitStatus);
}

struct Recorder : ::testing::Test {
    void SetUp() override
    {
        folder = enterScratchFolder();
        runs.clear();
        exitStatus = 0;
    }
    void TearDown() override
    {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }
    fs::path folder;
    Converter converter{record};
};
} // namespace

using ConverterTest = Recorder;

TEST_F(ConverterTest, TheSettingsBecomeTheProgramsOptionsInOrder)
{
    fs::create_directory("-out");
    ASSERT_TRUE(convertToPdf(converter, "user/act1", "-out/my script"));
    ASSERT_EQ(runs.size(), 1u);
    const std::vector<std::string>& argv = runs[0];
    const std::vector<std::string> front = {"wkhtmltopdf", "--quiet", "--enable-local-file-access", "-B", "0.5in", "-L",
                                            "0in", "-R", "0in", "-T", "0.5in", "--grayscale", "--page-size", "Letter", "--encoding", "utf-8",
                                            "--user-style-sheet", "res/style.css", "user/act1.html"};
    EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.end() - 1), front);
    EXPECT_EQ(argv.back().substr(0, 6), "./-out");
    EXPECT_TRUE(fs::exists("-out/my script.pdf"));
}

TEST_F(ConverterTest, EachConversionRunsWithTheSameValues)
{
    EXPECT_FALSE(converter.convert(pdfSettings("Letter"), "user/a.html", "")); // no output: nothing to run
    EXPECT_TRUE(runs.empty());
    ASSERT_TRUE(convertToPdf(converter, "user/a", "a", "A4"));
    ASSERT_TRUE(convertToPdf(converter, "user/a", "a", "A4"));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[0][13], "A4");
    EXPECT_TRUE(fs::exists("a.pdf"));
}

TEST_F(ConverterTest, AFailingOrMissingProgramFails)
{
    exitStatus = 2;
    EXPECT_FALSE(convertToPdf(converter, "user/a", "a"));
    EXPECT_FALSE(fs::exists("a.pdf"));
    const Converter real(startProgramWithoutShell);
    auto path = std::string(getenv("PATH") ? getenv("PATH") : "");
    setenv("PATH", folder.c_str(), 1);
    EXPECT_FALSE(convertToPdf(real, "user/a", "a"));
    setenv("PATH", path.c_str(), 1);
}

// What passes for a whole PDF: the start, the cross-reference the end points at, a page.
TEST_F(ConverterTest, OnlyAWholePdfWithAPagePasses)
{
    const std::string whole = minimalPdf();
    const std::size_t xref = whole.find("xref\n");
    std::string noPage = whole, farOffset = whole;
    noPage.replace(noPage.find("/Type /Page/"), 12, "/Type /Pagex");
    farOffset.replace(farOffset.rfind(std::to_string(xref)), std::to_string(xref).size(), "99999");
    const std::vector<std::pair<std::string, bool>> rows{
        {whole, true},
        {whole + "\n\n", true},
        {"%PDF-1.4\n%%EOF\n", false},                    // the 40 bytes that once replaced a good PDF
        {whole.substr(0, whole.size() - 8), false},         // cut short
        {noPage, false},
        {farOffset, false},
        {"<html>" + whole.substr(5), false},
        {whole.substr(0, xref) + "junk" + whole.substr(xref + 4), false}, // nothing at the offset
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        writeBytes("t.pdf", rows[i].first);
        EXPECT_EQ(wholePdf("t.pdf"), rows[i].second) << "row " << i;
    }
}

TEST_F(ConverterTest, ProgramsRunWithoutAShellAndArgumentsArriveIntact)
{
    EXPECT_EQ(runProgramWithoutShell({"sh", "-c", "test \"$1\" = 'a b \"c\" -d' && test \"$QT_QPA_PLATFORM\" = offscreen", "x", "a b \"c\" -d"}), 0);
    EXPECT_EQ(runProgramWithoutShell({"sh", "-c", "exit 3"}), 3);
    EXPECT_EQ(runProgramWithoutShell({"no-such-program-here"}), -1);
    EXPECT_FALSE(startProgramWithoutShell({"no-such-program-here"}));

    // What it prints is kept apart: its last line, progress lines ending in a carriage return.
    for (const auto& [script, last] : {std::pair<std::string, std::string>{"echo one; echo 'Exit with code 1' >&2; exit 1", "Exit with code 1"},
                                       {"printf '10%%\\r20%%\\r'", "20%"}, {"true", ""}}) {
        const std::unique_ptr<RunningProgram> program = startProgramWithoutShell({"sh", "-c", script});
        ASSERT_TRUE(eventually([&] { return program->poll().has_value(); }));
        EXPECT_EQ(program->lastOutput(), last) << script;
    }
    const Converter failing([](const std::vector<std::string>&) {
        return startProgramWithoutShell({"sh", "-c", "echo 'Exit with code 1 due to network error' >&2; exit 1"});
    });
    const std::unique_ptr<Conversion> conversion = failing.begin({}, "in.html", "out.pdf");
    ASSERT_TRUE(eventually([&] { return conversion->poll() != Conversion::State::Running; }));
    EXPECT_EQ(conversion->problem(), "the converter failed: Exit with code 1 due to network error");

    // A program started by one that dies (a crash, a kill) ends with it.
    const pid_t editor = fork();
    if (editor == 0) {
        const auto sleeper = startProgramWithoutShell({"sh", "-c", "echo $$ > sleeper.tmp && mv sleeper.tmp sleeper.pid && exec sleep 30"});
        while (sleeper && !fs::exists("sleeper.pid"))
            usleep(10000);
        kill(getpid(), SIGKILL);
    }
    waitpid(editor, nullptr, 0);
    ASSERT_TRUE(fs::exists("sleeper.pid"));
    const std::string stat = "/proc/" + std::to_string(std::atoi(readBytes("sleeper.pid").c_str())) + "/stat";
    EXPECT_TRUE(eventually([&] { // gone, or ended and waiting for a parent that never reaps
        const std::string line = fs::exists(stat) ? readBytes(stat) : std::string();
        return line.empty() || line.find(") Z ") != std::string::npos;
    }));
}
