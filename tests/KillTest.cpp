// The program killed at random moments while a writer types and saves a long script:
// afterwards the saved file is whole and the recovery copy, if any, is whole and at most
// a few seconds of typing behind. Nothing the writer can open is ever a partial file.
#include "Desktop.hpp"

#include "files/Journal.hpp"
#include "files/Recovery.hpp"
#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"
#include "files/TextCodec.hpp"

#include <csignal>
#include <random>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
constexpr int paragraphs = 3000;
const sf::String lastText = "Paragraph 2999 of a long script.";

// The last paragraph's text in a script file that must be whole; "" and a failure when
// the file is partial or not the script.
Script longScript()
{
    Script script{"Long", "By Me", {}};
    for (int i = 0; i < paragraphs; ++i)
        script.paragraphs.push_back({Directorial, "Paragraph " + std::to_string(i) + " of a long script."});
    return script;
}

std::string lastParagraph(const fs::path& file)
{
    const std::optional<Script> script = loadScript(file);
    EXPECT_TRUE(script) << file << " is not a whole script";
    if (!script)
        return {};
    EXPECT_EQ(script->paragraphs.size(), static_cast<std::size_t>(paragraphs)) << file;
    return toUtf8(script->paragraphs.back().text);
}
// The last paragraph of a recovery copy with its journal replayed.
std::string recoveredLast(const std::string& id)
{
    std::optional<Script> recovered = loadScript(recoveryFile(id));
    EXPECT_TRUE(recovered) << id << " is not a whole script";
    if (!recovered)
        return {};
    // Killed between a new copy and its journal, the old journal is of the copy before.
    if (fs::exists(journalFile(id))) {
        const Replay replay = replayJournal(readBytes(journalFile(id)), readBytes(recoveryFile(id)), *recovered);
        EXPECT_TRUE(replay.problem.empty() || replay.problem == "it follows another copy than the one there") << replay.problem;
    }
    EXPECT_EQ(recovered->paragraphs.size(), static_cast<std::size_t>(paragraphs));
    return toUtf8(recovered->paragraphs.back().text);
}
using States = std::vector<std::pair<Clock::time_point, std::string>>;

// A new program with the long script open, its caret at the end.
void openLong(Program& program)
{
    program.start();
    clickAt(960, 400); // the entry long
    clickAt(820, 550); // "Open"
    keys("ctrl+End");
    screenWhen([](const sf::Image& image) { return !dimmed(image); });
}

// Types words (" TAGwN") for a while after `typed`, each state logged with the time its
// keys had all been sent; `after` follows each word.
void typeFor(std::chrono::milliseconds burst, const std::string& tag, std::string& typed, States& states,
             const std::function<void()>& after = {})
{
    const Clock::time_point begun = Clock::now();
    for (int w = 0; Clock::now() - begun < burst; ++w) {
        const std::string word = " " + tag + "w" + std::to_string(w);
        sh("xdotool type --delay 6 '" + word + "'");
        typed += word;
        states.emplace_back(Clock::now(), typed);
        if (after)
            after();
    }
}
} // namespace

using KillTest = DesktopTest;

TEST_F(KillTest, FiftyKillsLoseNothingButTheLastSecondsOfTyping)
{
    ASSERT_TRUE(writeScript(longScript(), "user/long", false));
    std::string saved = toUtf8(lastText); // what the last save holds, as far as it went through
    std::mt19937 random(20261207);

    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Program program;
        openLong(program);

        // A burst of typing and saving; now and then a pause to think before the end, long
        // enough that the copy must have caught up with everything typed.
        std::string typed = saved;
        States states, saves;
        typeFor(std::chrono::milliseconds(300 + random() % 1500), "r" + std::to_string(round), typed, states, [&] {
            if (random() % 6 == 0) {
                sh("xdotool key ctrl+s");
                saves.emplace_back(Clock::now(), typed);
            }
        });
        if (random() % 5 == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(6000 + random() % 1000));
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 400));
        const Clock::time_point killedAt = Clock::now();
        program.kill();

        // The saved file is whole and holds one of the states sent to be saved.
        const std::string onDisk = lastParagraph("user/long.html");
        bool known = onDisk == saved;
        for (const auto& [when, state] : saves)
            known = known || onDisk == state;
        EXPECT_TRUE(known) << "the saved file holds no state that was saved: " << onDisk;
        // A save sent a second before the kill has been written.
        for (const auto& [when, state] : saves) {
            if (when < killedAt - 1s) {
                EXPECT_GE(onDisk.size(), state.size());
            }
        }

        // The newest of the saved file and the recovery copy lacks at most the last five
        // seconds of typing (and a second for the keys to arrive).
        std::string newest = onDisk;
        const std::vector<RecoveredCopy> copies = listRecoveries();
        EXPECT_LE(copies.size(), 1u);
        if (!copies.empty()) {
            EXPECT_EQ(copies[0].name, "long");
            EXPECT_FALSE(copies[0].held) << "a killed program holds nothing";
            lastParagraph(recoveryFile(copies[0].id)); // whole
            const std::string copy = recoveredLast(copies[0].id);
            EXPECT_EQ(typed.compare(0, copy.size(), copy), 0) << "the copy is no state typed: " << copy;
            if (copy.size() > newest.size())
                newest = copy;
        }
        for (const auto& [when, state] : states) {
            if (when < killedAt - 6s) {
                EXPECT_GE(newest.size(), state.size()) << "more than five seconds of typing lost";
            }
        }

        for (const fs::path& folder : {fs::path("user"), recoveryFolder}) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                if (entry.path().extension() == ".html" && entry.path().filename().string()[0] != '.') {
                    EXPECT_TRUE(loadScript(entry.path())) << entry.path() << " is partial";
                }
            }
        }
        saved = onDisk;
        fs::remove_all(recoveryFolder); // the next round opens the saved script again
    }
}

// Killed while typing, the work comes back from the copy and its journal whole up to at
// most the last second: the loss is the time from the first word sent but not recovered
// to the kill.
TEST_F(KillTest, TwentyKillsWhileTypingLoseAtMostTheLastSecond)
{
    ASSERT_TRUE(writeScript(longScript(), "user/long", false));
    std::mt19937 random(20261209);
    double worst = 0, total = 0;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Program program;
        openLong(program);

        std::string typed = toUtf8(lastText);
        States states;
        typeFor(std::chrono::milliseconds(1000 + random() % 1500), "k" + std::to_string(round), typed, states);
        if (random() % 4 == 0) // now and then a pause before the kill
            std::this_thread::sleep_for(std::chrono::milliseconds(random() % 1500));
        const Clock::time_point killedAt = Clock::now();
        program.kill();

        const std::vector<RecoveredCopy> copies = listRecoveries();
        ASSERT_EQ(copies.size(), 1u);
        const std::string text = recoveredLast(copies[0].id);
        EXPECT_EQ(typed.compare(0, text.size(), text), 0) << "not what was typed: " << text;
        double lost = 0;
        for (const auto& [when, state] : states)
            if (state.size() > text.size()) {
                lost = std::chrono::duration<double>(killedAt - when).count();
                break;
            }
        EXPECT_LE(lost, 1.0) << "recovered " << text;
        worst = std::max(worst, lost);
        total += lost;
        fs::remove_all(recoveryFolder);
    }
    std::cout << "lost at worst " << worst << " s, on average " << total / 20 << " s\n";
}
