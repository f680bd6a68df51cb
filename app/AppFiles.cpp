// The App's file operations: saving into the user folder, opening from it (asking first
// when that would drop unsaved work), exporting.
#include "app/App.hpp"

#include "files/Backup.hpp"
#include "files/Export.hpp"
#include "files/Fountain.hpp"
#include "files/Recovery.hpp"
#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"
#include "files/TextCodec.hpp"
#include "files/UserFolder.hpp"
#include "files/WholeFile.hpp"

#include <filesystem>

namespace fs = std::filesystem;

bool App::saveScript()
{
    const std::string name = toUtf8(fileName);
    keepBackup(name); // a failed backup does not stop the save the writer asked for
    return saveInto(scriptBase(name));
}

bool App::saveScriptAs(const std::string& name)
{
    if (!validScriptName(name)) {
        problem = "Names cannot contain / or start with a dot";
        return false;
    }
    const std::string base = scriptBase(name);
    std::error_code error;
    if (fs::exists(base + ".html", error) || fs::is_symlink(base + ".html", error)) {
        problem = "A script of that name exists";
        return false;
    }
    if (!saveInto(base))
        return false;
    untitled = false;
    fileName = fromUtf8(name);
    suggestedName.clear();
    return true;
}

// Writes the script as base + ".html" in the user folder; on success the script is saved
// and its recovery copy has done its work.
bool App::saveInto(const std::string& base)
{
    noteChanges();
    std::error_code error;
    if (!writeScript(script(), base, false, {}, &error)) {
        problem = "Could not write " + base + ".html";
        noteSaveProblem("Could not save " + base + ".html", error);
        return false;
    }
    problem.clear();
    saveProblem.clear();
    history.markSaved();
    saved = true;
    discardRecovery();
    return true;
}

void App::noteSaveProblem(const std::string& what, const std::error_code& error)
{
    saveProblem = what + ": " + failureReason(error);
}

bool App::openScript(const std::string& name)
{
    return open(name.empty() ? OpenChoice{} : OpenChoice{OpenChoice::Kind::Script, name});
}

// Opens a script, the template, a recovery copy or a Fountain file. A recovery copy
// opens unsaved, under its script's name or untitled, and goes on as that script's copy.
// A Fountain file opens as a new untitled script whose name is first offered to be its
// stem; the Fountain file itself is never written.
bool App::open(const OpenChoice& choice)
{
    using Kind = OpenChoice::Kind;
    const std::string name = choice.kind == Kind::Template ? std::string("empty") : choice.name;
    const fs::path file = choice.kind == Kind::Recovered  ? recoveryFile(name)
                          : choice.kind == Kind::Fountain ? fs::path(scriptBase(name) + ".fountain")
                                                          : fs::path(scriptBase(name) + ".html");
    const bool nameOk = choice.kind == Kind::Recovered ? name.find('/') == std::string::npos : validScriptName(name);
    std::optional<Script> loaded;
    if (nameOk && choice.kind == Kind::Fountain) {
        std::string bytes;
        if (readWholeFile(file, bytes))
            loaded = parseFountain(bytes);
    } else if (nameOk) {
        loaded = loadScript(file);
    }
    if (!loaded) {
        problem = "Could not open " + file.string();
        return false;
    }
    problem.clear();
    const bool untitledCopy = choice.kind == Kind::Recovered && !name.empty() && name[0] == '.';
    untitled = choice.kind == Kind::Template || choice.kind == Kind::Fountain || untitledCopy;
    fileName = fromUtf8(untitled ? std::string("empty") : name);
    show(*loaded, choice.kind != Kind::Recovered);
    recoveryId = choice.kind == Kind::Recovered ? name : std::string();
    suggestedName = choice.kind == Kind::Fountain ? name : std::string();
    return true;
}

App::Opening App::requestOpen(const OpenChoice& choice)
{
    if (saved)
        return open(choice) ? Opening::Opened : Opening::Failed;
    pendingOpen = choice;
    openCheck.setOpen(true);
    return Opening::Asked;
}

void App::answerOpenQuestion(Answer answer)
{
    if (answer == Answer::Cancel || !pendingOpen) {
        pendingOpen.reset();
        return;
    }
    if (answer == Answer::Discard) {
        openPending();
    } else if (untitled) {
        saveAsPanel.setOpen(true); // the name first; the script opens once it is saved
        awaitingSaveToOpen = true;
    } else if (saveScript()) {
        openPending();
    } // a failed save opens nothing: the window's foot says why
}

void App::openPending()
{
    if (!pendingOpen)
        return;
    const OpenChoice choice = *pendingOpen;
    pendingOpen.reset();
    const std::string given = recoveryId; // the copy of the changes given up
    if (!open(choice)) {
        fileList.showProblem();
        return;
    }
    if (!given.empty() && given != recoveryId)
        removeRecovery(given);
    fileList.setOpen(false);
}

// Puts a script on the page and the title page, at the top with the caret there, with a
// fresh history.
void App::show(const Script& shown, bool asSaved)
{
    page.load(shown.paragraphs);
    page.placeCaret({0, 0});
    title = shown.title;
    author = shown.author;
    page.resetView();
    titlePage.unfocus(); // the script's last paragraph has the keyboard
    showTitleLines();
    titlePage.setOpen(true);
    followCurrentKind();
    history.clear(asSaved);
    saved = asSaved;
    recoveryDue.reset();
    recoveryStale = false;
    pagesStale = true;
}

bool App::exportScript()
{
    const SaveChoice choice = platform.askSaveTarget ? platform.askSaveTarget(toUtf8(fileName)) : SaveChoice();
    if (choice.path.empty())
        return false;
    if (!saveScript()) // the PDF is rendered from the saved file
        return false;
    const std::string target = targetBase(choice.path);
    std::error_code error;
    switch (choice.filter) {
    case ExportFilter::pdfLetter:
    case ExportFilter::pdfA4:
        if (exportPdf(script(), target, choice.filter == ExportFilter::pdfA4 ? a4 : usLetter))
            return true;
        saveProblem = "Could not export " + target + ".pdf: the converter failed";
        return false;
    case ExportFilter::html:
        if (writeScript(script(), target, true, platform.askOverwrite, &error))
            return true;
        break;
    case ExportFilter::fountain:
        if (exportFountain(script(), target, platform.askOverwrite, &error))
            return true;
        break;
    default:
        return false;
    }
    if (error != std::errc::file_exists) // declining to replace a file is no failure
        noteSaveProblem("Could not export " + target + (choice.filter == ExportFilter::html ? ".html" : ".fountain"), error);
    return false;
}
