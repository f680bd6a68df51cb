#include "TestSupport.hpp"
#include "files/Journal.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {
const std::string copyBytes = "<html>the copy</html>";

Script base()
{
    return Script("T", "A", {{Scene, "HALL"}, {Directorial, "Rain."}});
}

// Typing, Enter, a title change, an undone Enter, a style: the journal of them all.
std::vector<std::string> entries()
{
    const ScriptEdit typed{1, {{Directorial, "Rain."}}, {{Directorial, "Rain!"}}};
    const ScriptEdit enter{1, {{Directorial, "Rain!"}}, {{Directorial, "Rain!"}, {Name, "BOB"}}};
    TitleLines title;
    title.title = "Storm";
    const ScriptEdit bold{0, {{Scene, "HALL"}}, {{Scene, "HALL", {Bold, Bold}}}};
    return {journalEntry(typed, false), journalEntry(enter, false), journalEntry(title), journalEntry(enter, true),
            journalEntry(bold, false)};
}

std::string joined(const std::vector<std::string>& parts, std::size_t count)
{
    std::string out = journalHeader(copyBytes);
    for (std::size_t i = 0; i < count; ++i)
        out += parts[i];
    return out;
}
} // namespace

// A journal replayed whole, cut short, damaged in the middle, of another copy, or no journal.
TEST(JournalTest, AJournalIsReplayedUpToItsFirstBadEntry)
{
    const std::vector<std::string> parts = entries();
    Script replayed = base();
    Replay replay = replayJournal(joined(parts, 5), copyBytes, replayed);
    EXPECT_EQ(replay.applied, 5u);
    EXPECT_FALSE(replay.cutShort);
    EXPECT_EQ(replayed, Script("Storm", "By [Author here]", {{Scene, "HALL", {Bold, Bold}}, {Directorial, "Rain!"}}));

    const std::string all = joined(parts, 5);
    struct Row {
        std::string journal;
        std::size_t applied;
        bool cutShort;
        std::string problem;
    };
    std::string damaged = all;
    damaged[journalHeader(copyBytes).size() + parts[0].size() + 9] ^= 1; // a letter of the second entry
    std::string misspoken = all;
    misspoken[misspoken.find(std::string("n\0\0\0!", 5)) + 4] = '?'; // "Rain?" in the first entry: well formed, but not what was written
    const std::vector<Row> rows{
        {all.substr(0, all.size() - 3), 4, true, ""},
        {damaged, 1, true, ""},
        {misspoken, 0, true, ""},
        {joined({parts[1]}, 1), 0, true, ""}, // an edit that does not fit the copy
        {joined({journalEntry({1, {{Directorial, "Rain."}}, {{static_cast<DivType>(99), "x"}}}, false)}, 1), 0, true, ""},
        {journalHeader("<html>an older copy</html>") + parts[0], 0, false, "it follows another copy than the one there"},
        {"QMJ", 0, false, "it is not a journal"},
        {journalHeader(copyBytes), 0, false, ""},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Script script = base();
        replay = replayJournal(rows[i].journal, copyBytes, script);
        EXPECT_EQ(replay.applied, rows[i].applied) << "row " << i;
        EXPECT_EQ(replay.cutShort, rows[i].cutShort) << "row " << i;
        EXPECT_EQ(replay.problem, rows[i].problem) << "row " << i;
    }
}

// Fast entries go in one durable write; a journal that cannot be written is said once.
TEST(JournalTest, TheWriterBatchesEntriesAndSaysWhatFails)
{
    const fs::path folder = enterScratchFolder();
    fs::create_directories("user/.recovery");
    const std::vector<std::string> parts = entries();
    {
        JournalWriter writer;
        writer.begin("user/.recovery/a.journal", journalHeader(copyBytes));
        for (const std::string& entry : parts)
            writer.append(entry);
        writer.flush();
        EXPECT_EQ(writer.durableWrites(), 1u);
        EXPECT_EQ(writer.entries(), 5u);
        EXPECT_EQ(readBytes("user/.recovery/a.journal"), joined(parts, 5));
        writer.begin("user/.recovery/a.journal", journalHeader("<html>the next copy</html>"));
        writer.append(parts[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // within the batch: not written yet
        EXPECT_EQ(writer.durableWrites(), 1u);
        writer.flush();
        EXPECT_EQ(readBytes("user/.recovery/a.journal"), journalHeader("<html>the next copy</html>") + parts[0]);
        EXPECT_EQ(writer.takeProblem(), "");

        // A disk that takes no more: the file may grow no larger than it is.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit small = before;
        small.rlim_cur = 200;
        setrlimit(RLIMIT_FSIZE, &small);
        writer.append(std::string(300, 'x'));
        writer.flush();
        setrlimit(RLIMIT_FSIZE, &before);
        EXPECT_EQ(writer.takeProblem(), "Edits cannot be journaled: file too large");
        EXPECT_FALSE(writer.keeping());
        EXPECT_EQ(writer.takeProblem(), "") << "said once";

        writer.begin("user/no such folder/b.journal", journalHeader(copyBytes));
        writer.flush();
        EXPECT_EQ(writer.takeProblem(), "Edits cannot be journaled: no such file or directory");
        writer.end(true);
        writer.begin("user/.recovery/a.journal", journalHeader(copyBytes));
        writer.end(true);
        writer.flush();
        EXPECT_FALSE(fs::exists("user/.recovery/a.journal"));
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}
