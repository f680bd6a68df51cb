#pragma once
// The running program: the window, the font, every panel and the state that ties the
// page to a script file in the user folder.
//
//   App.cpp          construction, the frame, event routing and the keyboard commands
//   AppFiles.cpp     saving, opening (with the question over unsaved work), exporting
//   AppRecovery.cpp  recovery copies of unsaved work

#include "app/Globals.hpp"
#include "document/History.hpp"
#include "document/Page.hpp"
#include "files/Pagination.hpp"
#include "platform/Platform.hpp"
#include "ui/ClosingCheck.hpp"
#include "ui/FileList.hpp"
#include "ui/SaveAs.hpp"
#include "ui/ScrollBar.hpp"
#include "ui/TitlePage.hpp"
#include "ui/ToggleArray.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class App {
public:
    explicit App(Platform platform = realPlatform());
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    ~App();

    void handleEvent(sf::Event& event);
    void render();

    bool saveScript();
    bool saveScriptAs(const std::string& name); // name in UTF-8
    bool openScript(const std::string& name);   // "" opens the empty template
    bool exportScript();

    // Opening from the file list: at once when the script is saved, otherwise after the
    // question "Save", "Discard changes", "Cancel" has been answered.
    enum class Opening { Opened, Failed, Asked };
    enum class Answer { Save, Discard, Cancel };
    Opening requestOpen(const OpenChoice& choice);
    void answerOpenQuestion(Answer answer);
    bool open(const OpenChoice& choice);

    // Recovery copies: due a few seconds after a change, written by tick once due.
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds recoveryDelay{5};
    void tick(Clock::time_point now);
    // Drops the current script's copy: its changes are given up.
    void discardRecovery();
    std::optional<Clock::time_point> recoveryDue; // when the next copy is to be written
    // The script as the page and the title page hold it.
    Script script() const { return {title, author, page.contents()}; }
    // "Page P of N": the printed page of the caret's paragraph, of the script's pages.
    std::string pageCount();
    // Takes back the last step of the history, or makes the last one taken back again.
    void undo();
    void redo();

    // The modal dialogs (file list, save-as panel) take all input while open.
    bool modal() const { return fileList.isOpen() || saveAsPanel.isOpen() || openCheck.isOpen(); }

    sf::RenderWindow window;
    sf::Font font;
    TitlePage titlePage;
    ToggleArray toggleArray;
    Page page;
    sf::Text unsavedLabel;
    ClosingCheck closingCheck;
    FileList fileList;
    SaveAs saveAsPanel;
    std::int32_t currentKind = 0;
    bool saved = true;
    bool untitled = true;
    sf::String fileName = "empty";
    sf::String title = "[Title here]";
    sf::String author = "By [Author here]";
    Platform platform;
    std::string problem; // why the last save or open failed, in UTF-8; empty after a success
    History history;
    ScrollBar scrollBar;
    ClosingCheck openCheck;  // the question before opening over unsaved work
    std::string saveProblem; // shown at the window's foot until the next successful save
    std::string recoveryId;  // the current script's copy in the recovery folder, once written
    std::string suggestedName; // offered by the save-as panel: an imported Fountain file's stem
    Pagination pages;          // of the script as printed, for "Page P of N"
    sf::Text pageCountLabel;

private:
    void deliver(sf::Event& event);
    void deliverToEditor(sf::Event& event);
    bool saveInto(const std::string& base);
    void show(const Script& shown, bool asSaved);
    void classify(const sf::Event& event);
    void noteChanges();
    void takeBack(const Step& step, bool undo);
    void showTitleLines();
    void onTextEntered();
    void onKeyPressed(const sf::Event::KeyEvent& key);
    void onShortcut(const sf::Event::KeyEvent& key);
    void onMouseButtonPressed(const sf::Event::MouseButtonEvent& press);
    void chooseKind(std::int32_t kind);
    void followCurrentKind();
    bool inKindBar(int x, int y) const;
    void drawDialogs();
    void drawSaveProblem();
    void drawPageCount();
    void noteSaveProblem(const std::string& what, const std::error_code& error);
    void openPending();
    void keepRecovery(const sf::Event& event, Clock::time_point now);
    void writeRecoveryNow(Clock::time_point now);

    bool paragraphRemoved = false; // the last key press removed an empty paragraph
    std::optional<TitleLines> titleWas; // the title page before this event changed it
    Action action = Action::Other;      // what the event being handled does to the script
    sf::Uint32 typed = 0;               // the character it types
    bool contentChanged = false;        // this event changed a paragraph: the caret is shown
    bool caretJumped = false;           // this event undid or redid a step
    bool scriptChanged = false;         // this event changed anything of the script
    bool pagesStale = true;             // the pagination is older than the script
    std::optional<OpenChoice> pendingOpen; // what the open question is about
    bool awaitingSaveToOpen = false;       // "Save" on an untitled script: open once it is saved
    bool recoveryStale = false;            // changes the recovery copy does not hold yet
    Clock::time_point lastRecoveryWrite;
};
