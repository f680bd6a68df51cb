// The App's file operations: saving into the user folder, opening from it (asking first
// when that would drop unsaved work), exporting.
#include "app/App.hpp"

#include "files/Backup.hpp"
#include "files/Export.hpp"
#include "files/Fdx.hpp"
#include "files/Fountain.hpp"
#include "files/Recovery.hpp"
#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"
#include "files/TextCodec.hpp"
#include "files/UserFolder.hpp"
#include "files/WholeFile.hpp"
#include "platform/Memory.hpp"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

bool App::saveScript(bool anyway)
{
    const std::string& name = m_session.fileName;
    if (!anyway && changedSince(scriptBase(name) + ".html", m_session.fileStamp)) {
        m_questions.askChanged(nameForDisplay(name) + " was changed by another window since you opened it");
        return false;
    }
    std::error_code error;
    if (keepBackup(name, &error)) // a failed backup does not stop the save the writer asked for
        m_status.backupProblem.clear();
    else
        m_status.backupProblem = "Backups cannot be kept: " + failureReason(error);
    return saveInto(scriptBase(name));
}

bool App::saveScriptAs(const std::string& given)
{
    const std::string name = given; // it may be the offered name, which is cleared below
    if (!validScriptName(name)) {
        m_status.failure = "Names cannot contain / or start with a dot";
        return false;
    }
    if (name.size() > longestScriptName) {
        m_status.failure = "Names can be 200 bytes long at most";
        return false;
    }
    const std::string base = scriptBase(name);
    std::error_code error;
    if (fs::exists(base + ".html", error) || fs::is_symlink(base + ".html", error)) {
        m_status.failure = "A script of that name exists";
        return false;
    }
    if (!saveInto(base))
        return false;
    m_session.untitled = false;
    m_session.fileName = name;
    m_session.suggestedName.clear();
    m_session.openHere.hold(name);
    return true;
}

// Writes the script as base + ".html" in the user folder; on success the script is saved
// and its recovery copy has done its work.
bool App::saveInto(const std::string& base)
{
    noteChanges();
    std::error_code error;
    if (!writeScript(m_session.script, base, false, {}, &error)) {
        m_status.failure = "Could not write " + base + ".html";
        noteSaveProblem("Could not save " + base + ".html", error);
        return false;
    }
    m_session.fileStamp = stampOf(base + ".html");
    m_status.failure.clear();
    m_status.saveProblem.clear();
    m_session.history.markSaved();
    m_session.markSaved();
    discardRecovery();
    return true;
}

void App::noteSaveProblem(const std::string& what, const std::error_code& error)
{
    m_status.saveProblem = what + ": " + failureReason(error);
}

bool App::openScript(const std::string& name)
{
    return open(name.empty() ? OpenChoice{} : OpenChoice{OpenChoice::Kind::Script, name});
}

// Opens a script, the template, a recovery copy or a Fountain file. A recovery copy
// opens unsaved, under its script's name or untitled, and goes on as that script's copy.
// A Fountain or Final Draft file opens as a new untitled script whose name is first
// offered to be its stem; the file itself is never written.
bool App::open(const OpenChoice& choice)
{
    using Kind = OpenChoice::Kind;
    const std::string name = choice.kind == Kind::Template ? std::string("empty") : choice.name;
    const bool imported = choice.kind == Kind::Fountain || choice.kind == Kind::FinalDraft;
    const fs::path file = choice.kind == Kind::Recovered    ? recoveryFile(name)
                          : choice.kind == Kind::Fountain   ? fs::path(scriptBase(name) + ".fountain")
                          : choice.kind == Kind::FinalDraft ? fs::path(scriptBase(name) + ".fdx")
                                                            : fs::path(scriptBase(name) + ".html");
    const bool nameOk = choice.kind == Kind::Recovered ? name.find('/') == std::string::npos : validScriptName(name);
    std::optional<Script> loaded;
    std::string why = "not a valid name";
    FountainReport report;
    if (nameOk && (choice.kind == Kind::Fountain || choice.kind == Kind::FinalDraft)) {
        std::error_code error;
        const auto size = fs::file_size(file, error);
        std::string bytes;
        if (!error && size > largestFdx)
            why = "larger than 50 MB";
        else if (!readWholeFile(file, bytes, &why))
            loaded.reset();
        else if (choice.kind == Kind::FinalDraft)
            loaded = parseFdx(std::move(bytes), &why);
        else if (!(loaded = parseFountain(bytes, &report)))
            why = "not text";
        if (loaded && std::any_of(loaded->paragraphs.begin(), loaded->paragraphs.end(), [](const Paragraph& p) {
                return p.text.getSize() > longestImportedParagraph / 4 && utf8Size(p.text) > longestImportedParagraph;
            })) {
            loaded.reset();
            why = "a paragraph longer than 1 MB";
        }
    } else if (nameOk) {
        loaded = loadScript(file, &why);
    }
    if (loaded && choice.kind == Kind::Recovered && !m_session.copyLock.holds(name) && !m_session.copyLock.take(name)) {
        loaded.reset();
        why = "it is open in another window";
    }
    if (!loaded) {
        m_status.failure = "Could not open " + file.string() + ": " + why;
        return false;
    }
    std::string replayed; // what the journal's replay has to say
    if (choice.kind == Kind::Recovered)
        replayed = replayJournalOf(name, *loaded);
    m_status.failure.clear();
    const std::string given = m_session.recoveryId; // the copy of the changes given up
    bool untitledCopy = false;
    const std::string copyOf = choice.kind == Kind::Recovered ? scriptNameOfCopy(name, &untitledCopy) : name;
    // A copy older than its saved script opens untitled: saving it must not replace newer work.
    const bool olderCopy = choice.kind == Kind::Recovered && copyOlderThanScript(name);
    m_session.untitled = choice.kind == Kind::Template || imported || untitledCopy || olderCopy;
    m_session.fileName = m_session.untitled ? std::string("empty") : copyOf;
    show(std::move(*loaded), choice.kind != Kind::Recovered);
    returnFreedMemory(); // what reading took beyond the script
    m_session.fileStamp = m_session.untitled ? std::nullopt : stampOf(scriptBase(copyOf) + ".html");
    if (!given.empty() && given != name)
        removeRecovery(given);
    m_session.recoveryId = choice.kind == Kind::Recovered ? name : std::string();
    if (m_session.recoveryId.empty())
        m_session.copyLock.release();
    m_session.suggestedName = imported ? name : olderCopy ? copyOf + " (recovered)" : std::string();
    if (m_session.untitled)
        m_session.openHere.release();
    else
        m_session.openHere.hold(m_session.fileName);
    m_status.notice = replayed;
    if (choice.kind == Kind::Recovered) { // a copy of its own, with the journal's edits, and a new journal
        if (olderCopy)
            m_session.recoveryId.clear(); // an untitled copy from now on, never again offered as the script's
        m_session.recoveryStale = true;
        writeRecoveryNow(Clock::now());
        if (olderCopy && !m_session.recoveryStale)
            removeRecovery(name);
    }
    if (report.unclosedLine)
        m_status.notice = "An unclosed /* hides " + std::to_string(report.hiddenLines) + " lines from line " +
                   std::to_string(report.unclosedLine);
    return true;
}

// Puts a recovery copy's journal into the script read from it; what the writer must know
// of it, or "".
std::string App::replayJournalOf(const std::string& id, Script& script)
{
    std::string journal, copy;
    if (!fs::exists(journalFile(id)) || !readWholeFile(recoveryFile(id), copy))
        return {};
    std::string why;
    if (!readWholeFile(journalFile(id), journal, &why))
        return "The journal of the recovered copy could not be read (" + why + "): the copy opens as it was written";
    const Replay replay = replayJournal(journal, copy, script);
    if (!replay.problem.empty())
        return "The journal of the recovered copy could not be replayed (" + replay.problem +
               "): the copy opens as it was written";
    if (replay.cutShort)
        return "The journal of the recovered copy is damaged after " + std::to_string(replay.applied) +
               " edits: those are recovered";
    return {};
}

// A script that another running program has open is opened here too only when the
// writer says so; so is a recovered copy that opens as that script.
Opening App::requestOpen(const OpenChoice& choice)
{
    bool untitledCopy = false;
    const bool recovered = choice.kind == OpenChoice::Kind::Recovered;
    const std::string script = recovered ? scriptNameOfCopy(choice.name, &untitledCopy) : choice.name;
    const bool asScript = choice.kind == OpenChoice::Kind::Script ||
                          (recovered && !untitledCopy && !copyOlderThanScript(choice.name));
    const bool ours = !m_session.untitled && m_session.fileName == script;
    if (asScript && !ours && m_session.openHere.openElsewhere(script)) {
        m_questions.askShared(choice, nameForDisplay(script) + " is open in another window");
        return Opening::Asked;
    }
    return askBeforeOpening(choice);
}

void App::answerSharedQuestion(ClosingCheck::Answer answer)
{
    const std::optional<OpenChoice> choice = m_questions.takeShared();
    if (answer != ClosingCheck::Answer::Save || !choice)
        return;
    if (askBeforeOpening(*choice) == Opening::Opened)
        m_fileList.setOpen(false);
}

// "Save anyway" keeps theirs as a backup first; "Save as…" offers a name beside it.
void App::answerChangedQuestion(ClosingCheck::Answer answer)
{
    if (answer == ClosingCheck::Answer::Save) {
        saveScript(true);
    } else if (answer == ClosingCheck::Answer::Discard) {
        m_session.suggestedName = m_session.fileName + " (mine)";
        openSaveAs();
    }
}

Opening App::askBeforeOpening(const OpenChoice& choice)
{
    if (m_session.saved()) {
        if (open(choice))
            return Opening::Opened;
        m_fileList.showProblem(m_status.failure);
        return Opening::Failed;
    }
    m_questions.askUnsaved(choice);
    return Opening::Asked;
}

// A new script is offered its title as a name, an imported one its file's stem.
void App::openSaveAs()
{
    const std::string& imported = m_session.suggestedName;
    m_saveAsPanel.openWith(nameForDisplay(imported.empty() ? nameFromTitle(toUtf8(m_session.script.title)) : imported));
}

// "Save and quit" quits only after a save that succeeded: a failed or abandoned save
// leaves the program open with the script still unsaved.
void App::answerClosingCheck(ClosingCheck::Answer answer)
{
    using Answer = ClosingCheck::Answer;
    if (answer == Answer::Save) {
        if (m_session.untitled) {
            openSaveAs(); // quits once the save-as panel has saved it
            m_afterSave = AfterSave::QuitOnceSaved;
        } else if (saveScript()) {
            m_afterSave = AfterSave::Quit;
        }
    } else if (answer == Answer::Discard) {
        discardRecovery();
        m_afterSave = AfterSave::Quit;
    }
}

void App::answerOpenQuestion(ClosingCheck::Answer answer)
{
    using Answer = ClosingCheck::Answer;
    if (answer == Answer::Cancel) {
        m_questions.takeUnsaved();
    } else if (answer == Answer::Discard) {
        openPending(m_questions.takeUnsaved());
    } else if (m_session.untitled) {
        openSaveAs(); // the name first; the script opens once it is saved
        m_afterSave = AfterSave::Open;
    } else if (saveScript()) {
        openPending(m_questions.takeUnsaved());
    } // a failed save opens nothing: the window's foot says why
}

void App::openPending(const std::optional<OpenChoice>& choice)
{
    if (!choice)
        return;
    if (!open(*choice)) {
        m_fileList.showProblem(m_status.failure);
        return;
    }
    m_fileList.setOpen(false);
}

// Puts a script on the page and the title page, at the top with the caret there, with a
// fresh history.
void App::show(Script shown, bool asSaved)
{
    load(std::move(shown), asSaved);
    m_page.placeCaret({0, 0});
    m_page.resetView();
    m_titlePage.unfocus(); // the script's first paragraph has the keyboard
    m_titlePage.setOpen(true);
    followCurrentKind();
    m_session.recoveryDue.reset();
    m_session.recoveryStale = false;
    if (m_find.isOpen())
        closeFind();
}

void App::load(Script script, bool asSaved)
{
    m_session.journal.end(false); // it follows the copy of the script replaced
    m_session.script = std::move(script);
    m_page.reload();
    m_completion.recount(m_session.script);
    m_spelling.recount(m_session.script);
    showTitleLines();
    m_session.history.clear(asSaved);
    m_session.markSaved(asSaved);
    m_scenes.noteReplaced();
    followCurrentKind();
}
