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
    noteChanges();
    const std::string base = scriptBase(toUtf8(fileName));
    if (!writeScript(page, title, author, base, false)) {
        problem = "Could not write " + base + ".html";
        return false;
    }
    problem.clear();
    saved = true;
    return true;
}

bool App::saveScriptAs(const std::string& name)
{
    noteChanges();
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
    if (!writeScript(page, title, author, base, false)) {
        problem = "Could not write " + base + ".html";
        return false;
    }
    problem.clear();
    untitled = false;
    fileName = fromUtf8(name);
    saved = true;
    return true;
}

bool App::openScript(const std::string& name)
{
    const std::string file = name.empty() ? std::string("empty") : name;
    if (!validScriptName(file) || !loadScript(page, title, author, scriptBase(file) + ".html")) {
        problem = "Could not open " + scriptBase(file) + ".html";
        return false;
    }
    problem.clear();
    page.edits.clear();
    untitled = name.empty();
    fileName = fromUtf8(file);
    page.resetView();
    titlePage.unfocus(); // the loaded script's last paragraph has the keyboard
    titlePage.titleBox.setText(title);
    titlePage.authorBox.setText(author);
    titlePage.setOpen(true);
    followCurrentKind();
    saved = true;
    return true;
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
        return writeScript(page, title, author, target, true, platform.askOverwrite);
    return false;
}
