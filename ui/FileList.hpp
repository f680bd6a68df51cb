#pragma once

#include "files/Recovery.hpp"
#include "ui/Button.hpp"
#include "ui/Group.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What came of a choice to open: opened, failed (the list says why), or a question asked
// first, which opens the script once answered.
enum class Opening { Opened, Failed, Asked };

// What an entry of the file list opens.
struct OpenChoice {
    enum class Kind { Template, Script, Recovered, Fountain, FinalDraft };
    Kind kind = Kind::Template;
    std::string name; // the script's name, the recovery copy's id or the Fountain or FDX file's stem; UTF-8
};

// The dialog that lists the scripts of the user folder under a first entry "Empty" and
// opens the chosen one. Choosing takes a press on an entry, then one on "Open". An entry
// that cannot be opened keeps the list open with a line that says so. Recovery copies
// left by a program that ended without saving come first, one entry each (a copy that
// another running program holds is not listed); Fountain files come last as
// "NAME (Fountain)", Final Draft files as "NAME (Final Draft)". Names are bytes: what is not UTF-8 shows as U+FFFD but opens under
// the file's real name.
class FileList : public Group {
public:
    explicit FileList(const sf::RenderTarget& window);
    void refresh();
    void buildButtons();
    void setOpen(bool open) override;
    // Shows why the chosen entry could not be opened.
    void showProblem(const std::string& problem);
    void handleEvent(const sf::Event& event) override;

    std::vector<std::string> names; // names[0] is the template "empty"; UTF-8
    std::vector<RecoveredCopy> recovered;
    std::vector<std::string> fountains; // stems of the Fountain files, listed after the scripts
    std::vector<std::string> fdxs;      // stems of the Final Draft files, listed last
    std::vector<Button> entries;        // the recovered copies, one per name, the Fountain and Final Draft files
    Button openButton;
    Button deleteButton;
    sf::Text message; // why the last entry could not be opened; empty otherwise
    std::int32_t selected = 0;
    std::function<Opening(const OpenChoice& choice)> onOpen;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void onMouseButtonPressed();
    OpenChoice choice(std::size_t entry) const;
    sf::FloatRect entryRect(std::size_t entry) const;
    // Scrolls a list taller than the window, keeping its top and bottom reachable.
    void onWheel(float delta);
};
