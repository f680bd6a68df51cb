// Recovery copies, backups, the question before opening over unsaved work, and failed
// saves said in the window.
#include "TestSupport.hpp"

#include "files/Backup.hpp"
#include "files/Journal.hpp"
#include "files/Recovery.hpp"
#include "files/ScriptLock.hpp"
#include "files/ScriptLoader.hpp"

#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;


class RecoveryTest : public AppTest {
protected:
    // The one copy in the recovery folder, whoever holds it.
    std::optional<Script> copy()
    {
        const std::vector<RecoveredCopy> all = listRecoveries();
        return all.size() == 1 ? loadScript(recoveryFile(all[0].id)) : std::nullopt;
    }
    std::vector<RecoveredCopy> copies() { return listRecoveries(); }
    void named(const std::string& name)
    {
        type("int. hall");
        ASSERT_TRUE(app->saveScriptAs(name));
    }
};

TEST_F(RecoveryTest, ACopyFollowsTheWorkAtMostFiveSecondsBehind)
{
    named("act1");
    type("w");
    ASSERT_TRUE(app->session().recoveryDue);
    const App::Clock::time_point written = *app->session().recoveryDue;
    app->tick(written);
    ASSERT_TRUE(copy());
    EXPECT_EQ(copy()->paragraphs[0].text, "INT. HALLW");
    type("x"); // the journal holds it: no copy is due
    EXPECT_FALSE(app->session().recoveryDue);
    app->tick(written + 1h);
    EXPECT_EQ(copy()->paragraphs[0].text, "INT. HALLW");
    app->session().journal.flush();
    const std::string id = copies()[0].id;
    EXPECT_NE(readBytes(recoveryFile(id)).find("href=\"../res/standalone.css\""), std::string::npos) << "a script file";
    Script replayed = *copy();
    const Replay replay = replayJournal(readBytes(journalFile(id)), readBytes(recoveryFile(id)), replayed);
    EXPECT_EQ(replay.applied, 1u);
    EXPECT_EQ(replayed.paragraphs[0].text, "int. hallwx"); // as typed
    control(sf::Keyboard::Num2);
    control(sf::Keyboard::Z); // taken back: the journal holds that too
    app->session().journal.flush();
    Script again = *copy();
    EXPECT_EQ(replayJournal(readBytes(journalFile(id)), readBytes(recoveryFile(id)), again).applied, 3u);
    EXPECT_EQ(again.paragraphs[0], Paragraph(Scene, "int. hallwx"));

    type("y");
    sf::Event lost{};
    lost.type = sf::Event::LostFocus;
    send(lost); // leaving the window writes it at once
    EXPECT_EQ(copy()->paragraphs[0].text, "INT. HALLWXY");
    type("v"); // the export's dialog holds the thread: the copy is written before it opens
    std::string asked;
    app->platform().askSaveTarget = [&](const std::string&) {
        asked = copy()->paragraphs[0].text.toAnsiString();
        return SaveChoice();
    };
    control(sf::Keyboard::E);
    EXPECT_EQ(asked, "INT. HALLWXYV");

    control(sf::Keyboard::S); // a save has no use for the copy
    EXPECT_FALSE(copy());
    EXPECT_FALSE(app->session().recoveryDue);
    type("z");
    control(sf::Keyboard::Z); // undone back to the saved state: no unsaved work, no copy
    EXPECT_TRUE(app->session().saved());
    EXPECT_TRUE(copies().empty());
}

TEST_F(RecoveryTest, AfterACrashTheCopyIsOfferedFirstAndOpensUnsaved)
{
    named("act1");
    type(" two");
    app->tick(App::Clock::now() + 1h);
    app.reset(); // as if the program had been killed: the copy stays
    const std::string draft = newRecoveryId("draft"); // and one left two days before
    ASSERT_TRUE(writeRecovery(Script{"", "", {{Scene, "INT. DRAFT"}}}, draft));
    fs::last_write_time(recoveryFile(draft), fs::file_time_type::clock::now() - 48h);
    app = std::make_unique<App>(desktop.platform());
    ASSERT_EQ(app->fileList().entries.size(), 4u); // the copies newest first, "Empty", act1
    for (const auto& [row, start] : {std::pair{0, "Recovered: act1 ("}, std::pair{1, "Recovered: draft ("}}) {
        const std::string label = app->fileList().entries[row].label.getString().toAnsiString();
        EXPECT_EQ(label.rfind(start, 0), 0u) << label;
    }
    click(960, 340);                                       // the recovered entry
    click(820, static_cast<int>(app->fileList().openButton.rect.top + 20)); // "Open"
    EXPECT_FALSE(app->fileList().isOpen());
    EXPECT_EQ(currentParagraph().text, "INT. HALL TWO");
    EXPECT_FALSE(app->session().saved());
    EXPECT_FALSE(app->session().untitled);
    EXPECT_EQ(app->session().fileName, "act1");
    EXPECT_NE(readBytes("user/act1.html").find(">INT. HALL<"), std::string::npos); // the saved file untouched

    send(ev::closed());
    click(960, 520); // "Quit without saving": the copy goes with the changes
    EXPECT_FALSE(app->window().isOpen());
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_EQ(copies()[0].id, draft);
}

// The journal's whole entries come back, and the writer is told that the rest did not.
TEST_F(RecoveryTest, AJournalCutShortGivesBackItsWholeEntriesAndSaysSo)
{
    named("act1");
    type(" ");
    app->tick(App::Clock::now() + 1h); // the copy
    type("two");                       // into its journal
    app.reset();
    ASSERT_EQ(copies().size(), 1u);
    const std::string id = copies()[0].id;
    const std::string journal = readBytes(journalFile(id));
    writeBytes(journalFile(id), journal.substr(0, journal.size() - 2));
    app = std::make_unique<App>(desktop.platform());
    ASSERT_TRUE(app->open({OpenChoice::Kind::Recovered, id}));
    EXPECT_EQ(currentParagraph().text, "int. hall tw");
    EXPECT_EQ(app->footLine(), "The journal of the recovered copy is damaged after 2 edits: those are recovered");
    EXPECT_EQ(copy()->paragraphs[0].text, "INT. HALL TW") << "a new copy holds them";
}

// A copy of a script saved since is said to be older, and opens untitled under a name of
// its own: it never replaces the newer work.
TEST_F(RecoveryTest, ACopyOlderThanItsSavedScriptOpensUntitled)
{
    named("act1");
    type(" two");
    app->tick(App::Clock::now() + 1h);
    app.reset();
    writeBytes("user/act1.html", readBytes("user/empty.html")); // saved since, by another window
    fs::last_write_time("user/act1.html", fs::file_time_type::clock::now() + 1h);
    app = std::make_unique<App>(desktop.platform());
    app->fileList().setOpen(false);
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_EQ(copies()[0].label().rfind("Recovered (older than the saved script): act1 (", 0), 0u);
    ASSERT_TRUE(app->open({OpenChoice::Kind::Recovered, copies()[0].id}));
    EXPECT_EQ(currentParagraph().text, "INT. HALL TWO");
    EXPECT_TRUE(app->session().untitled);
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_TRUE(copies()[0].untitled) << "its copy is untitled now";
    control(sf::Keyboard::S);
    EXPECT_EQ(app->saveAsPanel().nameBox.text, "act1 (recovered)");
    EXPECT_EQ(readBytes("user/act1.html"), readBytes("user/empty.html"));
}

TEST_F(RecoveryTest, AnUntitledScriptsCopyOpensUntitled)
{
    type("int. roof");
    app->tick(App::Clock::now() + 1h);
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_TRUE(copies()[0].untitled);
    EXPECT_EQ(copies()[0].label().rfind("Recovered: Untitled (", 0), 0u);
    EXPECT_EQ(copies()[0].label().size(), std::string("Recovered: Untitled (2026-12-09 13:20:05)").size()) << "to the second";
    const std::string id = copies()[0].id;
    app.reset();
    app = std::make_unique<App>(desktop.platform());
    app->fileList().setOpen(false);
    ASSERT_TRUE(app->open({OpenChoice::Kind::Recovered, id}));
    EXPECT_TRUE(app->session().untitled);
    EXPECT_EQ(currentParagraph().text, "int. roof"); // the journal keeps the letters as typed
    control(sf::Keyboard::S);
    EXPECT_TRUE(app->saveAsPanel().isOpen());
    type("roof");
    key(sf::Keyboard::Enter);
    EXPECT_TRUE(copies().empty());
}

TEST_F(RecoveryTest, EachSaveKeepsThePreviousVersionTheNewestTwentyAtMost)
{
    named("act1");
    for (int i = 0; i < 23; ++i) {
        // each version a second older than the next, as saves a second apart would be
        const auto when = fs::file_time_type::clock::now() - std::chrono::seconds(100 - i);
        fs::last_write_time("user/act1.html", when);
        type(std::to_string(i % 10));
        control(sf::Keyboard::S);
    }
    std::vector<std::string> kept;
    for (const auto& entry : fs::directory_iterator(backupFolder / "act1"))
        kept.push_back(entry.path().filename().string());
    std::sort(kept.begin(), kept.end());
    ASSERT_EQ(kept.size(), 20u);
    EXPECT_EQ(kept[0].size(), std::string("2026-12-07_20-43-46-123.html").size());
    // the newest backup is the version before the last save
    EXPECT_NE(readBytes(backupFolder / "act1" / kept.back()).find(">INT. HALL0123456789012345678901<"), std::string::npos);

    // Saves within the same millisecond of the file's time each keep their version.
    fs::remove_all(backupFolder / "act1");
    const auto fixed = fs::file_time_type::clock::now() - std::chrono::seconds(5);
    for (const char* letter : {"a", "b", "c"}) {
        fs::last_write_time("user/act1.html", fixed);
        type(letter);
        control(sf::Keyboard::S);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(backupFolder / "act1"), fs::directory_iterator()), 3);
}

// A backup is a second name of the old file; a script kept as a link is saved through it.
TEST_F(RecoveryTest, BackupsTakeNoRoomAndALinkIsSavedThroughIt)
{
    named("act1");
    struct stat before {};
    ASSERT_EQ(stat("user/act1.html", &before), 0);
    type("x");
    control(sf::Keyboard::S);
    const fs::path backup = fs::directory_iterator(backupFolder / "act1")->path();
    struct stat kept {};
    ASSERT_EQ(stat(backup.c_str(), &kept), 0);
    EXPECT_EQ(kept.st_ino, before.st_ino);
    EXPECT_NE(readBytes(backup).find(">INT. HALL<"), std::string::npos);

    fs::create_directory("synced");
    fs::rename("user/act1.html", "synced/act1.html");
    fs::create_symlink("../synced/act1.html", "user/act1.html");
    type("y");
    control(sf::Keyboard::S);
    EXPECT_TRUE(fs::is_symlink("user/act1.html"));
    EXPECT_NE(readBytes("synced/act1.html").find(">INT. HALLXY<"), std::string::npos);
}

// A name too long to stand whole in a copy's file name still gets its copy, under its own
// name; the save-as panel takes no name over 200 bytes.
TEST_F(RecoveryTest, ALongNameGetsItsCopyAndTheSaveAsPanelSaysWhereNamesEnd)
{
    std::string name;
    for (int i = 0; i < 125; ++i)
        name += "é"; // 250 bytes
    writeBytes("user/" + name + ".html", readBytes("user/empty.html"));
    ASSERT_TRUE(app->openScript(name));
    type("x");
    app->tick(App::Clock::now() + 1h);
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_EQ(copies()[0].name, name);
    EXPECT_FALSE(app->saveScriptAs(std::string(201, 'a')));
    EXPECT_EQ(app->failure(), "Names can be 200 bytes long at most");
    EXPECT_TRUE(app->saveScriptAs(std::string(200, 'a')));
}

TEST_F(RecoveryTest, OpeningOverUnsavedWorkAsksFirst)
{
    named("act1");
    ASSERT_TRUE(app->openScript("")); // an untitled script with work in it
    type("int. new");
    auto openAct1 = [&] {
        app->fileList().setOpen(true);
        click(960, 400);                                                       // act1
        click(820, static_cast<int>(app->fileList().openButton.rect.top + 20)); // "Open"
    };
    openAct1();
    ASSERT_TRUE(app->openCheck().isOpen());
    EXPECT_EQ(app->openCheck().saveQuitButton.label.getString(), "Save");
    EXPECT_EQ(app->openCheck().quitButton.label.getString(), "Discard changes");
    click(960, 580); // "Cancel": nothing changes
    EXPECT_EQ(currentParagraph().text, "int. new");

    click(960, 400);
    click(820, static_cast<int>(app->fileList().openButton.rect.top + 20));
    click(960, 460); // "Save": an untitled script asks for a name first
    ASSERT_TRUE(app->saveAsPanel().isOpen());
    type("act2");
    key(sf::Keyboard::Enter);
    EXPECT_FALSE(app->fileList().isOpen());
    EXPECT_EQ(app->session().fileName, "act1");
    EXPECT_NE(readBytes("user/act2.html").find(">INT. NEW<"), std::string::npos);

    type("!");
    openAct1();
    click(960, 520); // "Discard changes"
    EXPECT_EQ(currentParagraph().text, "INT. HALL");
    EXPECT_TRUE(app->session().saved());
    EXPECT_TRUE(copies().empty());
}

TEST_F(RecoveryTest, AFailedSaveIsSaidAtTheWindowsFootUntilASaveSucceeds)
{
    named("act1");
    type("!");
    if (!makeReadOnly("user"))
        GTEST_SKIP() << "this machine cannot make a folder read-only";
    control(sf::Keyboard::S);
    makeWritable("user");
    EXPECT_FALSE(app->session().saved());
    // Made read-only by its attributes (root) or by its mode: either way the real reason.
    const std::string foot = app->footLine();
    EXPECT_TRUE(foot == "Could not save user/act1.html: operation not permitted   \u00b7   Backups cannot be kept: operation not permitted" ||
                foot == "Could not save user/act1.html: permission denied   \u00b7   Backups cannot be kept: permission denied")
        << foot;
    app->render();
    const sf::Image frame = captureFrame(*app);
    EXPECT_EQ(frame.getPixel(5, 975), sf::Color(90, 20, 30));

    ASSERT_TRUE(app->openScript("")); // opening does not clear it
    EXPECT_FALSE(app->saveProblem().empty());
    control(sf::Keyboard::S);
    type("x");
    key(sf::Keyboard::Enter); // a save-as that succeeds
    EXPECT_TRUE(app->saveProblem().empty());
}

TEST_F(RecoveryTest, BrokenRecoveryAndBackupFoldersAreSaidUntilTheyWorkAgain)
{
    named("act1");
    fs::remove_all("user/.recovery");
    writeBytes("user/.recovery", "a file where the folder should be");
    type("x");
    app->tick(App::Clock::now() + 1h);
    EXPECT_EQ(app->footLine(), "Recovery copies cannot be written: not a directory");
    fs::remove("user/.recovery");
    type("y");
    app->tick(App::Clock::now() + 2h);
    EXPECT_EQ(app->footLine(), "");

    fs::remove_all("user/.backup");
    writeBytes("user/.backup", "a file where the folder should be");
    control(sf::Keyboard::S);
    EXPECT_TRUE(app->session().saved()) << "the save goes on";
    EXPECT_EQ(app->footLine(), "Backups cannot be kept: not a directory");
    fs::remove("user/.backup");
    type("z");
    control(sf::Keyboard::S);
    EXPECT_EQ(app->footLine(), "");
}

TEST_F(RecoveryTest, EachProgramOwnsItsCopiesAndAScriptOpenElsewhereIsAskedAbout)
{
    named("act1");
    type(" mine");
    app->tick(App::Clock::now() + 1h);
    FakeDesktop otherDesktop;
    App other(otherDesktop.platform()); // a second window on the same folder
    EXPECT_EQ(other.fileList().recovered.size(), 0u) << "a running program's copy is its own";
    other.fileList().setOpen(false);
    ASSERT_TRUE(other.openScript(""));
    sf::Event typed = ev::textEntered('u');
    other.handleEvent(typed);
    other.tick(App::Clock::now() + 1h);
    ASSERT_EQ(copies().size(), 2u) << "two copies, one each";
    EXPECT_NE(copies()[0].id, copies()[1].id);

    EXPECT_EQ(other.requestOpen({OpenChoice::Kind::Script, "act1"}), Opening::Asked);
    ASSERT_TRUE(other.sharedCheck().isOpen());
    EXPECT_EQ(other.sharedCheck().message.getString(), "act1 is open in another window");
    auto clickOther = [&other](int y) {
        for (sf::Event event : {ev::pressed(960, y), ev::released(960, y)})
            other.handleEvent(event);
    };
    clickOther(580); // "Cancel"
    EXPECT_FALSE(other.sharedCheck().isOpen());
    EXPECT_FALSE(other.openCheck().isOpen()) << "nothing goes on to open";
    EXPECT_TRUE(other.session().untitled);
    sf::Event escape = ev::keyPressed(sf::Keyboard::Escape);
    const std::string left = newRecoveryId("act1"); // act1's copy from a program gone: it opens as act1
    ASSERT_TRUE(writeRecovery(Script{"", "", {{Scene, "INT. HALL LEFT"}}}, left));
    EXPECT_EQ(other.requestOpen({OpenChoice::Kind::Recovered, left}), Opening::Asked);
    ASSERT_TRUE(other.sharedCheck().isOpen());
    EXPECT_EQ(other.sharedCheck().message.getString(), "act1 is open in another window");
    clickOther(460); // "Open anyway": on to the question about the other's own unsaved work
    EXPECT_TRUE(other.openCheck().isOpen());
    other.handleEvent(escape);
    removeRecovery(left);

    control(sf::Keyboard::S); // this one saves: only its own copy goes
    ASSERT_EQ(copies().size(), 1u);
    EXPECT_TRUE(copies()[0].untitled);
    app.reset(); // this program ends: act1 is open nowhere else now
    EXPECT_EQ(other.requestOpen({OpenChoice::Kind::Script, "act1"}), Opening::Asked) << "the other's own unsaved work";
    EXPECT_FALSE(other.sharedCheck().isOpen());
    EXPECT_TRUE(other.openCheck().isOpen());
    app = std::make_unique<App>(desktop.platform());
}

// The mark of a script open here tells this program's own hold from another's.
TEST_F(RecoveryTest, AScriptOpenHereIsOpenElsewhereOnlyWhenAnotherHoldsItToo)
{
    ScriptLock mine, theirs;
    mine.hold("act1");
    EXPECT_FALSE(mine.openElsewhere("act1"));
    EXPECT_FALSE(theirs.openElsewhere("act2"));
    theirs.hold("act1");
    EXPECT_TRUE(mine.openElsewhere("act1"));
    theirs.release();
    EXPECT_FALSE(mine.openElsewhere("act1"));
}

TEST_F(RecoveryTest, AFifoFailsAtOnceAndANameThatIsNotUtf8KeepsItsBytes)
{
    ASSERT_EQ(mkfifo("user/pipe.html", 0644), 0);
    EXPECT_FALSE(app->openScript("pipe"));
    app->fileList().setOpen(true);
    click(960, 400); // the entry pipe
    click(820, static_cast<int>(app->fileList().openButton.rect.top + 20));
    EXPECT_EQ(app->fileList().message.getString(), "Could not open user/pipe.html:\nnot a regular file");

    const std::string bad = "bad\xff\xfename";
    writeBytes("user/" + bad + ".html", readBytes("user/empty.html"));
    app->fileList().setOpen(true);
    EXPECT_EQ(app->fileList().entries[1].label.getString(), u32(U"bad\uFFFD\uFFFDname"));
    click(960, 400);
    click(820, static_cast<int>(app->fileList().openButton.rect.top + 20));
    ASSERT_EQ(app->session().fileName, bad);
    type("x");
    control(sf::Keyboard::S);
    EXPECT_NE(readBytes("user/" + bad + ".html").find(">X<"), std::string::npos);
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator("user"))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 2u) << "the template and the script, no new file";
}
