#pragma once
// The running program: the window, the font, the session with the script it edits, the
// panels that show it and the features that work on it. The App creates them, routes
// each event to them and draws them; each feature keeps its own state.
//
//   App.cpp          construction, the frame, event routing and the keyboard commands
//   AppFiles.cpp     saving, opening (with the questions over unsaved work and over a
//                    script open in another window)
//   AppExport.cpp    exporting; the PDF made beside the window
//   AppRecovery.cpp  recovery copies of unsaved work
//   AppFeatures.cpp  what ties find, completion and the scene list to the sheet
//   AppSpelling.cpp  the marks of misspelled words, their menu and F7
//   AppPreferences.cpp the preferences, kept in user/.settings

#include "app/CompletionOffer.hpp"
#include "app/ExportJob.hpp"
#include "app/FindAndReplace.hpp"
#include "app/Questions.hpp"
#include "app/ScenesAndPages.hpp"
#include "app/Session.hpp"
#include "app/SpellCheck.hpp"
#include "app/Status.hpp"
#include "editor/Page.hpp"
#include "platform/Keyboard.hpp"
#include "platform/Platform.hpp"
#include "ui/FileList.hpp"
#include "ui/Preferences.hpp"
#include "ui/Font.hpp"
#include "ui/SaveAs.hpp"
#include "ui/ScrollBar.hpp"
#include "ui/SuggestionMenu.hpp"
#include "ui/TitlePage.hpp"
#include "ui/ToggleArray.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class App {
public:
    using Clock = Session::Clock;
    static constexpr std::chrono::seconds recoveryDelay{5}; // a copy at most this far behind the work

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
    bool exporting() const { return m_export.running(); }

    // Saves under the script's name; asks first when another window changed its file
    // since this one read or wrote it, unless `anyway`.
    bool saveScript(bool anyway = false);
    bool saveScriptAs(const std::string& name); // name in UTF-8
    bool openScript(const std::string& name);   // "" opens the empty template
    bool exportScript();
    // Opens at once when the script is saved, otherwise after the question "Save",
    // "Discard changes", "Cancel" has been answered.
    Opening requestOpen(const OpenChoice& choice);
    bool open(const OpenChoice& choice);
    // Puts a script in place of the one edited, as a fresh start: the history begins
    // there (as saved, or unsaved), the caret at the end. The panels stay as they are.
    void load(Script script, bool asSaved = true);
    // Drops the current script's recovery copy: its changes are given up.
    void discardRecovery();
    // Takes back the last step of the history, or makes the last one taken back again.
    void undo();
    void redo();

    // The live script, title page and paragraphs.
    const Script& script() const { return m_session.script; }
    // "Page P of N": the printed page of the caret's paragraph, of the script's pages.
    std::string pageCount();
    // The modal dialogs (file list, save-as panel, the questions before opening) take all
    // input while open.
    bool modal() const
    {
        return m_fileList.isOpen() || m_saveAsPanel.isOpen() || m_questions.modal() || m_preferences.isOpen();
    }
    // The closing check's answer ends the program once no save is pending.
    bool quitting() const { return m_afterSave == AfterSave::Quit; }

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
    ClosingCheck& closingCheck() { return m_questions.closing; }
    const ClosingCheck& closingCheck() const { return m_questions.closing; }
    ClosingCheck& openCheck() { return m_questions.unsaved; }
    const ClosingCheck& openCheck() const { return m_questions.unsaved; }
    ClosingCheck& sharedCheck() { return m_questions.shared; }
    ClosingCheck& changedCheck() { return m_questions.changed; }
    FindBar& findBar() { return m_find.bar; }
    const FindBar& findBar() const { return m_find.bar; }
    SceneList& sceneList() { return m_scenes.list; }
    const SceneList& sceneList() const { return m_scenes.list; }
    SuggestionMenu& suggestionMenu() { return m_suggestionMenu; }
    Preferences& preferences() { return m_preferences; }
    SpellCheck& spelling() { return m_spelling; }
    ScrollBar& scrollBar() { return m_scrollBar; }
    const ScrollBar& scrollBar() const { return m_scrollBar; }
    Platform& platform() { return m_platform; }
    // The kind the bar shows: the current paragraph's.
    std::int32_t currentKind() const { return m_toggleArray.selected + 1; }
    // Shown at the window's foot until the next successful save; UTF-8.
    const std::string& saveProblem() const { return m_status.saveProblem; }
    // Everything the line at the window's foot says, UTF-8; empty when it is not shown.
    std::string footLine() const { return m_status.footLine(m_export.underWay()); }
    const std::string& failure() const { return m_status.failure; } // why the last open or save failed

private:
    // What to do once the save-as panel has saved an untitled script, or at once.
    enum class AfterSave { Nothing, Export, Open, QuitOnceSaved, Quit };

    // What the event being handled did, for the steps after it.
    struct EventEffects {
        Action action = Action::Other;        // what it does to the script, for the history
        sf::Uint32 typed = 0;                 // the character it types
        std::optional<TitleLines> titleWas;   // the title page before it changed it
        bool contentChanged = false;          // it changed a paragraph: the caret is shown
        bool caretJumped = false;             // it undid or redid a step
        bool scriptChanged = false;           // it changed anything of the script
        bool findTook = false;                // it was the find bar's alone
        bool menuTook = false;                // it was the suggestion menu's alone
        bool paragraphRemoved = false;        // a key press removed an empty paragraph: its character is spent
        std::int32_t barBefore = 0;           // the kind bar's choice before a press
    };

    // Routing.
    void classify(const sf::Event& event);
    void deliver(sf::Event& event);
    void deliverToEditor(sf::Event& event);
    void afterEvent(const sf::Event& event, const Caret& caretBefore);
    void onTextEntered();
    void onKeyPressed(const sf::Event::KeyEvent& key);
    void onShortcut(const sf::Event::KeyEvent& key);
    void onMouseButtonPressed(const sf::Event::MouseButtonEvent& press);
    void chooseKind(std::int32_t kind, bool around = false);
    void followCurrentKind();
    bool inKindBar(int x, int y) const;
    // Every change of the script goes into the history, whatever made it.
    void noteChanges();
    void takeBack(const Step& step, bool undo);
    void showTitleLines() { m_titlePage.show(m_session.script); }
    void drawDialogs();
    // What covers the sheet's top: the kind bar, and the find bar when open.
    float topInset() const;

    // Files.
    bool saveInto(const std::string& base);
    void show(Script shown, bool asSaved);
    void openSaveAs();
    void answerClosingCheck(ClosingCheck::Answer answer);
    void answerOpenQuestion(ClosingCheck::Answer answer);
    void answerSharedQuestion(ClosingCheck::Answer answer);
    void answerChangedQuestion(ClosingCheck::Answer answer);
    Opening askBeforeOpening(const OpenChoice& choice);
    void openPending(const std::optional<OpenChoice>& choice);
    void pollExport(Clock::time_point now);
    void noteSaveProblem(const std::string& what, const std::error_code& error);
    void keepRecovery(const sf::Event& event, Clock::time_point now);
    void writeRecoveryNow(Clock::time_point now);
    std::string replayJournalOf(const std::string& id, Script& script);
    void journal(const std::vector<ScriptEdit>& edits, bool undo, const std::optional<TitleLines>& title);

    // The features on the sheet.
    void openFind();
    void closeFind();
    void onFindCommand(FindBar::Command command);
    void showMatch(const Match& match);
    void replaceFound(bool all);
    bool onCompletionKey(const sf::Event::KeyEvent& key);
    void acceptCompletion();
    void pickScene(std::size_t scene);
    void followScenes();
    // Spelling.
    std::vector<WordSpan> marksOf(std::size_t paragraph);
    void followTyping(const sf::Event& event);
    void offerSpelling(Caret at);
    void takeSpelling(std::size_t row);
    void nextMisspelling();
    void sayProblem(std::string& problem);
    // Preferences.
    void startSettings();
    void applySettings(const Settings& chosen);

    sf::RenderWindow m_window;
    LoadedFont m_font; // before the panels, whose texts take it
    Session m_session; // before the page, which shows its script
    Platform m_platform;
    Modifiers m_modifiers;
    TitlePage m_titlePage;
    ToggleArray m_toggleArray;
    Page m_page;
    ScrollBar m_scrollBar;
    FileList m_fileList;
    SaveAs m_saveAsPanel;
    Questions m_questions;
    FindAndReplace m_find;
    CompletionOffer m_completion;
    ScenesAndPages m_scenes;
    SpellCheck m_spelling;
    SuggestionMenu m_suggestionMenu;
    Preferences m_preferences;
    ExportJob m_export;
    Status m_status;
    EventEffects m_event;
    AfterSave m_afterSave = AfterSave::Nothing;
};
