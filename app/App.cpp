#include "app/App.hpp"

#include "files/Export.hpp"
#include "files/TextCodec.hpp"
#include "files/UserFolder.hpp"
#include "platform/SaveDialog.hpp"
#include "platform/WindowManager.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

namespace {
const sf::Color windowColour(20, 20, 40, 255);
const sf::Color dimming(100, 100, 100, 100);
constexpr unsigned designWidth = 1920, designHeight = 980;
constexpr unsigned minimumWidth = 1010;
constexpr int frameRate = 60;
constexpr float columnTop = 70;      // the left column below the kind bar
constexpr float belowTitlePage = 20; // pixels between the title page's boxes and the scene list
constexpr float footRoom = 40;       // the line at the window's foot
} // namespace

App::App(Platform platformLayer)
    : m_window(sf::VideoMode(designWidth, designHeight, 32), "Quillmere", sf::Style::Default),
      m_font("res/couriernew.ttf"), m_platform(std::move(platformLayer)), m_titlePage(m_window), m_toggleArray(m_window),
      m_page(m_window, m_session.script), m_scrollBar(m_window), m_fileList(m_window), m_saveAsPanel(m_window),
      m_questions(m_window), m_find(m_window, m_session.script), m_scenes(m_window),
      m_suggestionMenu(m_window), m_preferences(m_window), m_export(m_platform.startProgram),
      m_status(m_font.font())
{
    sf::Image icon;
    if (icon.loadFromFile("res/icon.png"))
        m_window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    m_window.setPosition({0, 0});
    m_window.setFramerateLimit(frameRate);
    maximiseWindow(m_window.getSystemHandle());
    nameWindowsProcess(m_window.getSystemHandle());

    m_questions.closing.onAnswer = [this](ClosingCheck::Answer answer) { answerClosingCheck(answer); };
    m_questions.unsaved.onAnswer = [this](ClosingCheck::Answer answer) { answerOpenQuestion(answer); };
    m_questions.shared.onAnswer = [this](ClosingCheck::Answer answer) { answerSharedQuestion(answer); };
    m_questions.changed.onAnswer = [this](ClosingCheck::Answer answer) { answerChangedQuestion(answer); };
    m_fileList.onOpen = [this](const OpenChoice& choice) { return requestOpen(choice); };
    m_find.bar.onCommand = [this](FindBar::Command command) { onFindCommand(command); };
    m_scenes.list.onPick = [this](std::size_t scene) { pickScene(scene); };
    m_suggestionMenu.onTake = [this](std::size_t row) { takeSpelling(row); };
    m_preferences.onChange = [this](const Settings& chosen) { applySettings(chosen); };
    m_page.misspelled = [this](std::size_t paragraph) { return marksOf(paragraph); };
    m_page.clipboard.fromDesktop = m_platform.clipboardText;
    m_saveAsPanel.onSave = [this](const std::string& typed) {
        // A name offered as it was shown is saved under its real bytes.
        const bool offered = typed == toUtf8(nameForDisplay(m_session.suggestedName));
        return saveScriptAs(offered ? m_session.suggestedName : typed) ? std::string() : m_status.failure;
    };
    setWhileDialogOpen([this] { // a desktop dialog stops the event loop, not the frames or the copies
        tick(Clock::now());
        render();
        m_window.display();
    });
    m_toggleArray.setup(static_cast<float>(designWidth), {"Scene", "Directorial", "Name", "Parenthetical", "Speech", "Transition"});

    showTitleLines();
    ensureUserFolder();
    removeStalePrintFiles();
    startSettings();
    m_spelling.start(m_platform.dictionaryFolder, m_platform.language, userFolder / ".dictionary");
    m_spelling.recount(m_session.script);
    sayProblem(m_spelling.problem);
    m_questions.closeAll();
    m_titlePage.setOpen(false);
    m_saveAsPanel.setOpen(false);
    m_fileList.setOpen(true);
    m_session.markSaved(); // the new script the sheet starts with, as the template holds it
}

App::~App()
{
    setWhileDialogOpen({});
}

void App::render()
{
    followScenes(); // before the sheet, which draws the page ends
    m_spelling.setScript(m_session.untitled ? std::string() : m_session.fileName);
    m_window.clear(windowColour);
    m_window.draw(m_page);
    m_scrollBar.show(static_cast<float>(m_page.viewTop()), static_cast<float>(m_page.viewHeight()),
                     static_cast<float>(m_page.scriptHeight() + Page::firstTop));
    m_window.draw(m_scrollBar);
    m_window.draw(m_titlePage);
    m_window.draw(m_scenes.list);
    m_window.draw(m_find.bar);
    m_window.draw(m_toggleArray);
    m_window.draw(m_suggestionMenu);
    m_status.draw(m_window, !m_session.saved(), m_scenes.pageCount(m_page.current()), m_export.underWay());
    drawDialogs();
}

void App::drawDialogs()
{
    if (m_questions.closing.isOpen() || modal()) {
        const sf::Vector2f size(m_window.getSize());
        m_window.setView(sf::View(size * 0.5f, size));
        sf::RectangleShape shade(size);
        shade.setFillColor(dimming);
        m_window.draw(shade);
    }
    m_window.draw(m_questions.closing);
    m_window.draw(m_fileList);
    m_window.draw(m_questions.unsaved);
    m_window.draw(m_questions.shared);
    m_window.draw(m_questions.changed);
    m_window.draw(m_saveAsPanel);
    m_window.draw(m_preferences);
}

std::string App::pageCount()
{
    followScenes();
    return m_scenes.pageCount(m_page.current());
}

// The scene list and the page ends follow the script once a frame.
void App::followScenes()
{
    const float top = m_titlePage.visible ? TitlePage::fieldsBottom + belowTitlePage : columnTop;
    if (m_scenes.follow(m_session.script, m_page.current(), top, static_cast<float>(m_window.getSize().y) - footRoom))
        m_page.printedStarts = m_scenes.pageStarts();
}

// The left Control key as the event stream reports it goes into every key event's
// `control`: that is what the panels judge Control commands by. The page is told of
// Shift for the presses it takes.
void App::handleEvent(sf::Event& event)
{
    m_modifiers.follow(event);
    if (event.type == sf::Event::KeyPressed)
        event.key.control = m_modifiers.control();
    m_page.shiftHeld = m_modifiers.shift();
    if (m_export.running() && event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape && !modal() &&
        !m_questions.closing.isOpen())
        m_status.notice = m_export.stop("stopped");
    classify(event);
    m_page.edits.clear();
    const Caret caretBefore = m_page.caret();
    const bool isModal = modal();
    for (Group* panel : std::initializer_list<Group*>{&m_toggleArray, &m_titlePage, &m_page, &m_scrollBar})
        panel->setActive(!isModal);
    deliver(event);

    if (event.type == sf::Event::Closed) {
        if (m_session.saved())
            m_window.close();
        else
            m_questions.closing.setOpen(true);
    } else if (event.type == sf::Event::Resized && event.size.width < minimumWidth) {
        m_window.setSize({minimumWidth, m_window.getSize().y});
    }
    if (m_event.menuTook) {
        // the menu has done all the event does
    } else if (!isModal && m_event.findTook) {
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::F3)
            onFindCommand(event.key.shift ? FindBar::Command::Previous : FindBar::Command::Next);
        else if (event.type == sf::Event::KeyPressed)
            onShortcut(event.key);
    } else if (!isModal) {
        if (event.type == sf::Event::TextEntered)
            onTextEntered();
        else if (event.type == sf::Event::KeyPressed)
            onKeyPressed(event.key);
        if (event.type == sf::Event::KeyPressed)
            onTextEntered(); // Delete, and a cut or paste of a title box, change it by a key
        else if (event.type == sf::Event::MouseButtonPressed)
            onMouseButtonPressed(event.mouseButton);
    }
    afterEvent(event, caretBefore);
}

// What follows every event: the history, the matches, the caret in view, the recovery
// copy, the completion offer, and what waited for a save.
void App::afterEvent(const sf::Event& event, const Caret& caretBefore)
{
    noteChanges();
    followTyping(event);
    if (m_find.isOpen() && m_event.scriptChanged && !m_event.findTook) {
        m_find.search(false); // the matches follow the edits
        m_page.matches = m_find.sheetMatches();
    }
    if (!m_page.refusedPaste.empty())
        m_status.notice = std::exchange(m_page.refusedPaste, std::string());
    const bool keyed = event.type == sf::Event::KeyPressed || event.type == sf::Event::TextEntered;
    const bool caretMoved = m_page.caret() != caretBefore;
    if (!m_event.findTook && (m_event.contentChanged || m_event.caretJumped || (keyed && caretMoved)))
        m_page.showCaret(topInset());
    keepRecovery(event, Clock::now());
    if (event.type == sf::Event::TextEntered && m_event.contentChanged)
        m_completion.offer(m_page.currentParagraph(), m_page.focused() && !m_page.hasSelection() &&
                                                          m_page.caret().index == m_page.currentParagraph().text.getSize());
    else if (event.type == sf::Event::MouseButtonPressed || m_event.caretJumped || caretMoved)
        m_completion.dismiss();
    m_page.setGhost(m_completion.shown());

    if (m_afterSave != AfterSave::Nothing && m_afterSave != AfterSave::Quit && !m_saveAsPanel.isOpen()) {
        const AfterSave then = std::exchange(m_afterSave, AfterSave::Nothing);
        const bool saved = m_session.saved() && !m_session.untitled;
        if (then == AfterSave::Open && saved)
            openPending(m_questions.takeUnsaved());
        else if (then == AfterSave::Export && saved)
            exportScript();
        else if (then == AfterSave::QuitOnceSaved && saved)
            m_afterSave = AfterSave::Quit;
    }
    if (m_afterSave == AfterSave::Quit && !m_saveAsPanel.isOpen())
        m_window.close();
}

// What an event does to the script, for the history to group changes by.
void App::classify(const sf::Event& event)
{
    const bool removed = m_event.paragraphRemoved;
    m_event = EventEffects();
    m_event.paragraphRemoved = removed;
    if (event.type == sf::Event::TextEntered) {
        m_event.typed = event.text.unicode;
        m_event.action = m_event.typed == 8 ? Action::Deleting : Action::Typing;
    } else if (event.type == sf::Event::KeyPressed) {
        const sf::Keyboard::Key key = event.key.code;
        const bool control = event.key.control;
        if (key == sf::Keyboard::Enter || (control && key == sf::Keyboard::Num7))
            m_event.action = Action::NewParagraph;
        else if (key == sf::Keyboard::BackSpace)
            m_event.action = Action::RemoveParagraph;
        else if (control && key == sf::Keyboard::V)
            m_event.action = Action::Paste;
        else if (control && key == sf::Keyboard::X)
            m_event.action = Action::Cut;
        else if ((control && key >= sf::Keyboard::Num1 && key <= sf::Keyboard::Num6) || key == sf::Keyboard::Tab)
            m_event.action = Action::KindChange;
        else if (key == sf::Keyboard::Delete)
            m_event.action = Action::Deleting;
    } else if (event.type == sf::Event::MouseButtonPressed) {
        m_event.action = Action::KindChange; // the only change a press makes: a kind from the bar
    }
}

// Every change of the script's content goes into the history, whatever made it; the
// script is saved exactly when the history stands where the file was last written.
void App::noteChanges()
{
    if (m_page.edits.empty() && !m_event.titleWas)
        return;
    m_completion.count(m_page.edits, false);
    m_spelling.count(m_page.edits, false);
    m_scenes.noteEdits(m_page.edits);
    m_session.noteEdits(m_page.edits);
    std::optional<TitleLines> now;
    if (m_event.titleWas)
        now = m_session.script.titlePage();
    journal(m_page.edits, false, now);
    m_event.contentChanged = !m_page.edits.empty();
    m_event.scriptChanged = true;
    const Action action = m_event.titleWas && m_page.edits.empty() && m_event.action != Action::Replace ? Action::TitlePage
                                                                                                        : m_event.action;
    m_session.history.record(action, std::move(m_page.edits), m_event.titleWas, now, m_event.typed, History::Clock::now());
    m_page.edits.clear();
    m_event.titleWas.reset();
}

void App::undo()
{
    if (const Step* step = m_session.history.undo())
        takeBack(*step, true);
}

void App::redo()
{
    if (const Step* step = m_session.history.redo())
        takeBack(*step, false);
}

// Puts the script back as it was before a step (or after it), with the caret where the
// change was and the kind bar following it.
void App::takeBack(const Step& step, bool undo)
{
    m_completion.count(step.edits, undo);
    m_spelling.count(step.edits, undo);
    m_completion.dismiss();
    m_scenes.noteEdits(step.edits, undo);
    if (undo) {
        for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit)
            m_page.apply(*edit, true);
    } else {
        for (const ScriptEdit& edit : step.edits)
            m_page.apply(edit, false);
    }
    if (!step.edits.empty())
        m_page.placeCaret(undo ? step.caretBefore() : step.caretAfter());
    if (const auto& lines = undo ? step.titleBefore : step.titleAfter) {
        m_session.script.setTitlePage(*lines);
        showTitleLines();
    }
    m_session.noteEdits(step.edits, undo);
    journal(step.edits, undo, undo ? step.titleBefore : step.titleAfter);
    m_page.edits.clear();
    followCurrentKind();
    m_event.caretJumped = m_event.scriptChanged = true;
}

// Passes the event on. Nothing typed with the left Control key held is text, but
// Control+Backspace still deletes. Of the dialogs only the one on top takes input: the
// save-as panel, the two questions before opening, the file list, in that order; a
// dialog opened by this very event takes input from the next one on. Without one, the
// scroll bar, the selector, the title page, the page and the closing check take it in turn.
void App::deliver(sf::Event& event)
{
    if (event.type == sf::Event::TextEntered && event.text.unicode != 8 && m_modifiers.control())
        return;
    if (event.type == sf::Event::Resized) {
        for (Group* panel : std::initializer_list<Group*>{&m_scrollBar, &m_toggleArray, &m_titlePage, &m_page, &m_find.bar,
                                                          &m_scenes.list, &m_questions.closing, &m_fileList,
                                                          &m_questions.unsaved, &m_questions.shared, &m_questions.changed, &m_saveAsPanel,
                                                          &m_suggestionMenu, &m_preferences})
            panel->handleEvent(event);
        return;
    }
    const bool forMenu = event.type == sf::Event::KeyPressed || event.type == sf::Event::TextEntered ||
                         event.type == sf::Event::MouseButtonPressed || event.type == sf::Event::MouseMoved ||
                         event.type == sf::Event::MouseWheelScrolled;
    if (m_suggestionMenu.isOpen() && forMenu && !modal()) {
        m_event.menuTook = true;
        m_suggestionMenu.handleEvent(event);
    } else if (m_saveAsPanel.isOpen())
        m_saveAsPanel.handleEvent(event);
    else if (m_questions.modal())
        m_questions.deliver(event);
    else if (m_preferences.isOpen())
        m_preferences.handleEvent(event);
    else if (m_fileList.isOpen())
        m_fileList.handleEvent(event);
    else
        deliverToEditor(event);
}

// A press on the scroll bar is for it alone. A press on the kind bar is not a press on
// the page beneath it: the current paragraph stays current so that the chosen kind goes
// to it. The Backspace character that follows a removed paragraph has done its work.
void App::deliverToEditor(sf::Event& event)
{
    const bool dropBackspace = m_event.paragraphRemoved && event.type == sf::Event::TextEntered && event.text.unicode == 8;
    m_event.paragraphRemoved = false;
    if (m_find.bar.takes(event)) {
        m_event.findTook = true;
        m_find.bar.handleEvent(event);
        return;
    }
    if (m_find.isOpen()) {
        if (event.type == sf::Event::MouseButtonPressed)
            m_find.bar.unfocus(); // a press elsewhere takes the keys from the bar
        else
            m_find.bar.handleEvent(event);
    }
    m_scenes.list.handleEvent(event);
    if (m_scenes.list.holds(event))
        return; // a picked scene has put the caret and the keys at its heading
    m_scrollBar.handleEvent(event);
    if (m_scrollBar.wantedTop)
        m_page.scrollTo(*m_scrollBar.wantedTop);
    if (event.type == sf::Event::MouseButtonPressed && m_scrollBar.dragging)
        return;
    const bool barPress = event.type == sf::Event::MouseButtonPressed && inKindBar(event.mouseButton.x, event.mouseButton.y);
    m_event.barBefore = m_toggleArray.selected;
    m_toggleArray.handleEvent(event);
    m_titlePage.handleEvent(event);
    const bool offerKey = event.type == sf::Event::KeyPressed && !event.key.control && onCompletionKey(event.key);
    if (!dropBackspace && !barPress && !offerKey)
        m_page.handleEvent(event);
    m_questions.closing.handleEvent(event);
}

// Whether a window pixel lies on the kind bar, shown or hidden.
bool App::inKindBar(int x, int y) const
{
    return m_toggleArray.background.getGlobalBounds().contains(m_toggleArray.toView(x, y));
}

// Typing (or a key) in the title page copies its fields into the script. What typing
// does to a paragraph the page has logged already.
void App::onTextEntered()
{
    if (!m_titlePage.focused())
        return;
    const TitleLines typed = m_titlePage.lines();
    if (typed == m_session.script.titlePage())
        return;
    m_event.titleWas = m_session.script.titlePage();
    m_session.script.setTitlePage(typed);
}

float App::topInset() const
{
    return m_find.isOpen() ? FindBar::top + FindBar::height : m_toggleArray.visible ? ToggleArray::barHeight : 0;
}

void App::onKeyPressed(const sf::Event::KeyEvent& key)
{
    onShortcut(key);
    if (key.code == sf::Keyboard::F3 && m_find.isOpen()) {
        onFindCommand(key.shift ? FindBar::Command::Previous : FindBar::Command::Next);
        return;
    }
    if (key.code == sf::Keyboard::F7 && !key.control) {
        nextMisspelling();
    } else if (key.code == sf::Keyboard::Enter && key.control && m_preferences.settings.keys == KeyChain::FinalDraft) {
        m_page.addParagraph(PageBreak); // Final Draft's page break
    } else if (key.code == sf::Keyboard::Enter) {
        // After a page break the kind before it goes on.
        const std::uint32_t at = m_page.current();
        const DivType kind = m_page.paragraph(at).kind;
        m_page.addParagraph(kind == PageBreak && at > 0 ? m_page.paragraph(at - 1).kind
                                                        : kindOnEnter(kind, m_preferences.settings.keys));
    } else if (key.code == sf::Keyboard::BackSpace) {
        const std::size_t before = m_page.size();
        m_page.deleteCurrentIfEmpty();
        m_event.paragraphRemoved = m_page.size() < before;
    } else if (key.code == sf::Keyboard::Tab && !key.control && m_page.focused()) {
        const Paragraph& paragraph = m_page.currentParagraph();
        chooseKind(key.shift ? kindOnShiftTab(paragraph.kind) : kindOnTab(paragraph.kind, paragraph.text.isEmpty()));
    }
    followCurrentKind();
}

// Moves the selector to the current paragraph's kind.
void App::followCurrentKind()
{
    const std::int32_t kind = m_page.currentParagraph().kind;
    if (m_toggleArray.selected != kind - 1)
        m_toggleArray.select(kind - 1);
}

void App::onShortcut(const sf::Event::KeyEvent& pressed)
{
    if (!pressed.control)
        return;
    const sf::Keyboard::Key key = pressed.code;
    switch (key) {
    case sf::Keyboard::Num1:
    case sf::Keyboard::Num2:
    case sf::Keyboard::Num3:
    case sf::Keyboard::Num4:
    case sf::Keyboard::Num5:
    case sf::Keyboard::Num6:
        chooseKind(Scene + (key - sf::Keyboard::Num1), key == sf::Keyboard::Num4); // Control+4 puts a text in parentheses
        break;
    case sf::Keyboard::Num7: // a page break after the current paragraph
        m_page.addParagraph(PageBreak);
        followCurrentKind();
        break;
    case sf::Keyboard::B:
        if (m_page.focused())
            m_page.toggleStyle(Bold);
        break;
    case sf::Keyboard::I:
        if (m_page.focused())
            m_page.toggleStyle(Italic);
        break;
    case sf::Keyboard::U:
        if (m_page.focused())
            m_page.toggleStyle(Underline);
        break;
    case sf::Keyboard::D:
        if (m_page.focused())
            m_page.toggleDual();
        break;
    case sf::Keyboard::Period:
        if (m_page.focused())
            offerSpelling(m_page.caret());
        break;
    case sf::Keyboard::Comma:
        m_preferences.openWith(m_preferences.settings);
        break;
    case sf::Keyboard::F:
        m_titlePage.setOpen(!m_titlePage.isOpen());
        break;
    case sf::Keyboard::G:
        m_toggleArray.setOpen(!m_toggleArray.isOpen());
        break;
    case sf::Keyboard::H:
        openFind();
        break;
    case sf::Keyboard::L:
        m_scenes.list.setOpen(!m_scenes.list.isOpen());
        break;
    case sf::Keyboard::E:
        exportScript();
        break;
    case sf::Keyboard::O:
        m_fileList.setOpen(true);
        break;
    case sf::Keyboard::S:
        if (m_session.untitled)
            openSaveAs();
        else
            saveScript();
        break;
    case sf::Keyboard::Z:
        if (pressed.shift)
            redo();
        else
            undo();
        break;
    case sf::Keyboard::Y:
        redo();
        break;
    case sf::Keyboard::Home:
        m_page.placeCaret({0, 0}, pressed.shift);
        m_page.scrollTo(0);
        break;
    case sf::Keyboard::End: {
        const auto last = static_cast<std::uint32_t>(m_page.size() - 1);
        m_page.placeCaret({last, static_cast<std::uint32_t>(m_page.paragraph(last).text.getSize())}, pressed.shift);
        break;
    }
    default:
        break;
    }
}

// A paragraph made a transition is offered the transitions the script uses and the standard ones.
void App::chooseKind(std::int32_t kind, bool around)
{
    m_toggleArray.select(kind - 1);
    m_page.setKind(kind, around);
    if (kind == Transition && m_page.currentParagraph().text.isEmpty() && m_page.focused())
        m_completion.offer(m_page.currentParagraph(), true);
}

void App::onMouseButtonPressed(const sf::Event::MouseButtonEvent& press)
{
    if (press.button == sf::Mouse::Right) {
        const std::optional<Caret> at = m_page.textAt(press.x, press.y);
        if (at && m_spelling.misspelledAt(m_page.paragraph(at->paragraph), at->index)) {
            m_page.placeCaret(*at);
            offerSpelling(*at);
        }
        return;
    }
    if (inKindBar(press.x, press.y)) {
        m_titlePage.unfocus();
        m_page.unfocus();
        if (m_toggleArray.selected != m_event.barBefore && m_toggleArray.selected >= 0)
            m_page.setKind(m_toggleArray.selected + 1); // a kind chosen on the bar; the sheet has the keys again
    } else if (m_titlePage.background.getGlobalBounds().contains(m_titlePage.toView(press.x, press.y)) &&
               !m_scenes.list.rowAt(press.x, press.y)) {
        m_page.unfocus();
    }
    followCurrentKind();
}
