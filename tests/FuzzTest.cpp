// Replays random and mutated script files through the loader: every input either loads
// into a consistent page or fails and leaves the page as it was.
#include "TestSupport.hpp"
#include "WrapCheck.hpp"

#include "files/ScriptLoader.hpp"

#include <random>

using FuzzTest = AppTest;

TEST_F(FuzzTest, MutatedScriptsLoadConsistentlyOrChangeNothing)
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
        page().clearParagraphs();
        page().addParagraph(Speech);
        page().currentParagraph().setText("SENTINEL");
        sf::String title = "t", author = "a";
        const bool loaded = loadScriptFromBytes(page(), title, author, bytes);
        ASSERT_FALSE(page().paragraphs.empty()) << "round " << round;
        ASSERT_LT(page().current, page().paragraphs.size());
        if (!loaded) {
            ASSERT_EQ(page().paragraphs.size(), 1u) << "round " << round;
            ASSERT_EQ(page().currentParagraph().text, "SENTINEL");
            ASSERT_EQ(title, "t");
        }
        for (const DivEditor& p : page().paragraphs)
            ASSERT_EQ(wrapProblem(p), "") << "round " << round;
    }
}
