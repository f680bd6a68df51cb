#pragma once
// The running program: the window, the font, every panel and the state that ties the
// page to a script file in the user folder.
//
//   App.cpp       construction, the frame, event routing and the keyboard commands
//   AppFiles.cpp  saving, opening and exporting scripts

#include "app/Globals.hpp"
#include "document/History.hpp"
#include "document/Page.hpp"
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

#include <cstdint>
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
    // The script as the page and the title page hold it.
    Script script() const { return {title, author, page.contents()}; }
    // Takes back the last step of the history, or makes the last one taken back again.
    void undo();
    void redo();

    // The modal dialogs (file list, save-as panel) take all input while open.
    bool modal() const { return fileList.isOpen() || saveAsPanel.isOpen(); }

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

private:
    void deliver(sf::Event& event);
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

    bool paragraphRemoved = false; // the last key press removed an empty paragraph
    std::optional<TitleLines> titleWas; // the title page before this event changed it
    Action action = Action::Other;      // what the event being handled does to the script
    sf::Uint32 typed = 0;               // the character it types
    bool contentChanged = false;        // this event changed a paragraph: the caret is shown
    bool caretJumped = false;           // this event undid or redid a step
};
