#pragma once
// The running program: the window, the font, every panel and the session, the script
// that they show and edit.
//
//   App.cpp          construction, the frame, event routing and the keyboard commands
//   AppFiles.cpp     saving, opening (with the questions over unsaved work and over a
//                    script open in another window)
//   AppExport.cpp    exporting, the PDF made beside the window; the line at the window's foot
//   AppRecovery.cpp  recovery copies of unsaved work
//   AppCompletion.cpp  completion of names and scene headings
//   AppFind.cpp      find and replace
//   AppScenes.cpp    the scene list and the printed pages' ends on the sheet

#include "app/Session.hpp"
#include "editor/Completion.hpp"
#include "editor/Page.hpp"
#include "files/Export.hpp"
#include "files/Pagination.hpp"
#include "platform/Converter.hpp"
#include "platform/Keyboard.hpp"
#include "platform/Platform.hpp"
#include "ui/ClosingCheck.hpp"
#include "ui/FileList.hpp"
#include "ui/FindBar.hpp"
#include "ui/Font.hpp"
#include "ui/SaveAs.hpp"
#include "ui/SceneList.hpp"
#include "ui/ScrollBar.hpp"
#include "ui/TitlePage.hpp"
#include "ui/ToggleArray.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <chrono>
#include <memory>
#include <cstdint>
#include <optional>
#include <string>

class App {
public:
    using Clock = Session::Clock;
    static constexpr std::chrono::seconds recoveryDelay{5}; // a copy at most this far behind the work
    static constexpr std::chrono::seconds exportLimit{120}; // a converter still running then is ended

    explicit App(Platform platform = realPlatform());
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    ~App();

    void handleEvent(sf::Event& event);
    void render();
    // Work due at a moment rather than on an event: the recovery copy, and an export under
    // way. The main loop calls tick at least as often as nextWakeUp asks, and draws a
    // frame after it when takeFrameWanted says the window shows something new.
    void tick(Clock::time_point now);
    std::optional<Clock::time_point> nextWakeUp() const;
    bool takeFrameWanted();
    bool exporting() const { return m_export != nullptr; }

    bool saveScript();
    bool saveScriptAs(const std::string& name); // name in UTF-8
    bool openScript(const std::string& name);   // "" opens the empty template
    bool exportScript();
    // Opens at once when the script is saved, otherwise after the question "Save",
    // "Discard changes", "Cancel" has been answered.
    Opening requestOpen(const OpenChoice& choice);
    bool open(const OpenChoice& choice);
    // Drops the current script's recovery copy: its changes are given up.
    void discardRecovery();
    // Takes back the last step of the history, or makes the last one taken back again.
    void undo();
    void redo();

    // The script as the page and the title page hold it.
    Script script() const;
    // "Page P of N": the printed page of the caret's paragraph, of the script's pages.
    std::string pageCount();
    // The modal dialogs (file list, save-as panel, the question before opening) take all
    // input while open.
    bool modal() const
    {
        return m_fileList.isOpen() || m_saveAsPanel.isOpen() || m_openCheck.isOpen() || m_sharedCheck.isOpen();
    }
    // The closing check's answer ends the program once no save is pending.
    bool quitting() const { return m_quit; }

    // What tests and benchmarks look at and drive.
    sf::RenderWindow& window() { return m_window; }
    const sf::Font& font() const { return m_font.font(); }
    Session& session() { return m_session; }
    const Session& session() const { return m_session; }
    Page& page() { return m_page; }
    const Page& page() const { return m_page; }
    TitlePage& titlePage() { return m_titlePage; }
    const TitlePage& titlePage() const { return m_titlePage; }
    ToggleArray& toggleArray() { return m_toggleArray; }
    const ToggleArray& toggleArray() const { return m_toggleArray; }
    FileList& fileList() { return m_fileList; }
    const FileList& fileList() const { return m_fileList; }
    SaveAs& saveAsPanel() { return m_saveAsPanel; }
    const SaveAs& saveAsPanel() const { return m_saveAsPanel; }
    ClosingCheck& closingCheck() { return m_closingCheck; }
    const ClosingCheck& closingCheck() const { return m_closingCheck; }
    ClosingCheck& openCheck() { return m_openCheck; }
    ClosingCheck& sharedCheck() { return m_sharedCheck; }
    const ClosingCheck& openCheck() const { return m_openCheck; }
    FindBar& findBar() { return m_findBar; }
    const FindBar& findBar() const { return m_findBar; }
    SceneList& sceneList() { return m_sceneList; }
    const SceneList& sceneList() const { return m_sceneList; }
    ScrollBar& scrollBar() { return m_scrollBar; }
    const ScrollBar& scrollBar() const { return m_scrollBar; }
    Platform& platform() { return m_platform; }
    std::int32_t currentKind() const { return m_currentKind; }
    // Shown at the window's foot until the next successful save; UTF-8.
    const std::string& saveProblem() const { return m_saveProblem; }
    // Everything the line at the window's foot says, UTF-8; empty when it is not shown.
    std::string footLine() const;

private:
    void deliver(sf::Event& event);
    void deliverToEditor(sf::Event& event);
    bool saveInto(const std::string& base);
    void show(const Script& shown, bool asSaved);
    void classify(const sf::Event& event);
    void noteChanges();
    void takeBack(const Step& step, bool undo);
    void showTitleLines();
    void openSaveAs();
    void answerClosingCheck(ClosingCheck::Answer answer);
    void answerOpenQuestion(ClosingCheck::Answer answer);
    void answerSharedQuestion(ClosingCheck::Answer answer);
    Opening askBeforeOpening(const OpenChoice& choice);
    void pollExport(Clock::time_point now);
    void stopExport(const std::string& why);
    void onTextEntered();
    void onKeyPressed(const sf::Event::KeyEvent& key);
    void onShortcut(const sf::Event::KeyEvent& key);
    void onMouseButtonPressed(const sf::Event::MouseButtonEvent& press);
    void chooseKind(std::int32_t kind);
    void followCurrentKind();
    bool inKindBar(int x, int y) const;
    void drawDialogs();
    void drawFootLine();
    void drawPageCount();
    void paginateIfStale();
    void noteSaveProblem(const std::string& what, const std::error_code& error);
    void openPending();
    void keepRecovery(const sf::Event& event, Clock::time_point now);
    // Completion: the counts follow the edits; an offer shows after typing in a name or a
    // heading with the caret at its end; keys step through it, take it or dismiss it.
    void countEdits(const std::vector<ScriptEdit>& edits, bool undo);
    void recount();
    bool onCompletionKey(const sf::Event::KeyEvent& key);
    void offerCompletion();
    void acceptCompletion();
    void dismissCompletion();
    void showOffer();
    void writeRecoveryNow(Clock::time_point now);
    // Find and replace.
    void openFind();
    void closeFind();
    void search(bool move);
    void showFindStatus();
    void showFound();
    void onFindCommand(FindBar::Command command);
    void replaceFound(bool all);
    // The scene list and the page ends.
    static bool touchesScenes(const std::vector<ScriptEdit>& edits);
    void followScenes();
    void pickScene(std::size_t scene);
    // What covers the sheet's top: the kind bar, and the find bar when open.
    float topInset() const;

    sf::RenderWindow m_window;
    LoadedFont m_font; // before the panels, whose texts take it
    TitlePage m_titlePage;
    ToggleArray m_toggleArray;
    Page m_page;
    FindBar m_findBar;
    SceneList m_sceneList;
    sf::Text m_unsavedLabel;
    ClosingCheck m_closingCheck;
    FileList m_fileList;
    SaveAs m_saveAsPanel;
    ClosingCheck m_openCheck;   // the question before opening over unsaved work
    ClosingCheck m_sharedCheck; // the question before opening a script open in another window
    ScrollBar m_scrollBar;
    sf::Text m_pageCountLabel;
    Session m_session;
    Platform m_platform;
    Modifiers m_modifiers;
    Converter m_converter;
    std::int32_t m_currentKind = 0;
    std::string m_problem;     // why the last save or open failed, in UTF-8; empty after a success
    std::string m_saveProblem; // shown at the window's foot until the next successful save
    std::string m_recoveryProblem; // why copies cannot be written, until one is
    std::string m_backupProblem;   // why backups cannot be kept, until one is
    std::string m_notice;          // what an import or an export has to say, until the next one
    std::unique_ptr<PdfExport> m_export; // the PDF being made beside the window
    Clock::time_point m_exportBegun;
    long m_exportSeconds = -1;           // the seconds the foot line shows
    bool m_frameWanted = false;
    Pagination m_pages;        // of the script as printed, for "Page P of N"
    unsigned m_pagesMade = 0;  // paginations made, to tell when the scene list's pages are older
    unsigned m_pagesSeen = ~0u;
    std::vector<Match> m_found;  // the find bar's matches, in the title page's fields and then the paragraphs
    std::size_t m_foundAt = 0;   // the current one
    Caret m_findFrom;            // where the search for the current match begins
    bool m_findTook = false;     // this event was the find bar's alone
    std::vector<std::uint32_t> m_sceneParagraphs; // the headings' paragraphs, in order
    bool m_scenesStale = true;                     // a heading changed since the list was made
    Completion m_completion;
    std::vector<sf::String> m_offers; // what completion offers now, none when dismissed
    std::size_t m_offer = 0;          // the one shown
    std::uint32_t m_ghostAt = 0;      // the paragraph showing it

    bool m_paragraphRemoved = false;      // the last key press removed an empty paragraph
    std::optional<TitleLines> m_titleWas; // the title page before this event changed it
    Action m_action = Action::Other;      // what the event being handled does to the script
    sf::Uint32 m_typed = 0;               // the character it types
    bool m_contentChanged = false;        // this event changed a paragraph: the caret is shown
    bool m_caretJumped = false;           // this event undid or redid a step
    bool m_scriptChanged = false;         // this event changed anything of the script
    bool m_pagesStale = true;             // the pagination is older than the script
    std::optional<OpenChoice> m_pendingOpen; // what the open question is about
    std::optional<OpenChoice> m_pendingShared; // what the question about another window is about
    bool m_awaitingSaveToExport = false;       // Control+E on an untitled script: export once saved
    bool m_awaitingSaveToOpen = false;       // "Save" on an untitled script: open once it is saved
    bool m_awaitingSaveToQuit = false;       // "Save and quit" on an untitled script: quit once saved
    bool m_quit = false;                     // the closing check decided to quit
};
