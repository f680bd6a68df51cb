// The App's file operations: saving into the user folder, opening from it, exporting.
#include "app/App.hpp"

#include "files/Export.hpp"
#include "files/ScriptLoader.hpp"
#include "files/ScriptWriter.hpp"
#include "files/TextCodec.hpp"
#include "files/UserFolder.hpp"

#include <filesystem>

namespace fs = std::filesystem;

bool App::saveScript()
{
    return saveInto(scriptBase(toUtf8(fileName)));
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
    return true;
}

// Writes the script as base + ".html" in the user folder; on success the script is saved.
bool App::saveInto(const std::string& base)
{
    noteChanges();
    if (!writeScript(script(), base, false)) {
        problem = "Could not write " + base + ".html";
        return false;
    }
    problem.clear();
    history.markSaved();
    saved = true;
    return true;
}

bool App::openScript(const std::string& name)
{
    const std::string file = name.empty() ? std::string("empty") : name;
    const std::optional<Script> loaded = validScriptName(file) ? loadScript(scriptBase(file) + ".html") : std::nullopt;
    if (!loaded) {
        problem = "Could not open " + scriptBase(file) + ".html";
        return false;
    }
    problem.clear();
    untitled = name.empty();
    fileName = fromUtf8(file);
    show(*loaded, true);
    return true;
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
}

bool App::exportScript()
{
    const SaveChoice choice = platform.askSaveTarget ? platform.askSaveTarget(toUtf8(fileName)) : SaveChoice();
    if (choice.path.empty())
        return false;
    if (!saveScript()) // the PDF is rendered from the saved file
        return false;
    const std::string source = scriptBase(toUtf8(fileName));
    const std::string target = targetBase(choice.path);
    if (choice.filter == 1)
        return convertToPdf(source, target);
    if (choice.filter == 2)
        return writeScript(script(), target, true, platform.askOverwrite);
    return false;
}
