// Replays random and mutated script files through the loader: every input either fails
// or gives a script that the page shows consistently.
#include "TestSupport.hpp"
#include "WrapCheck.hpp"

#include "files/Fountain.hpp"
#include "files/ScriptLoader.hpp"

#include <random>

using FuzzTest = AppTest;

TEST_F(FuzzTest, MutatedScriptsFailOrShowConsistently)
{
    const std::string seed = readBytes(std::filesystem::path(QUILLMERE_TESTDATA) / "script.html");
    std::mt19937 random(12345);
    const char pieces[] = "<>/&;\"= divclassSceneNumSpeech\n\r\t\x80\xE6\x00#x";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = seed;
        const int edits = 1 + random() % 8;
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0: bytes.erase(at, 1 + random() % 12); break;
            case 1: bytes.insert(at, 1, pieces[random() % (sizeof pieces - 1)]); break;
            default: bytes[at] = static_cast<char>(random()); break;
            }
        }
        const std::optional<Script> script = parseScript(bytes);
        if (!script)
            continue;
        ASSERT_FALSE(script->paragraphs.empty()) << "round " << round;
        load(script->paragraphs);
        ASSERT_LT(page().current(), page().size());
        for (std::size_t i = 0; i < page().size(); ++i)
            ASSERT_EQ(wrapProblem(page().shown(i), paragraph(i)), "") << "round " << round;
    }
}

TEST(FountainFuzz, MutatedFountainFailsOrComesBackExactly)
{
    const std::string seed = sampleScreenplay("brick-n-steel.fountain")
                                 .value_or("Title: T\n\nINT. A - DAY\n\nBob waits.\n\nBOB\n(quietly)\nHello.\n\n> CUT TO: <\n");
    std::mt19937 random(54321);
    const char pieces[] = "\n\n\t ()[]*_\\/.!@~>=#^:INTEXT.abcABC\xE9\xC3";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = seed;
        const int edits = 1 + random() % 12;
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0: bytes.erase(at, 1 + random() % 20); break;
            case 1: bytes.insert(at, 1, pieces[random() % (sizeof pieces - 1)]); break;
            default: bytes[at] = static_cast<char>(random()); break;
            }
        }
        const std::optional<Script> script = parseFountain(bytes);
        if (!script)
            continue;
        const std::optional<Script> again = parseFountain(fountainText(*script));
        ASSERT_TRUE(again) << "round " << round;
        ASSERT_EQ(*again, asShown(*script)) << "round " << round;
    }
}
