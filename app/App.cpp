#include "app/App.hpp"

#include "files/TextCodec.hpp"
#include "files/UserFolder.hpp"
#include "platform/WindowManager.hpp"
#include "ui/Font.hpp"

#include <SFML/Graphics/Image.hpp>

#include <cmath>

namespace {
const sf::Color windowColour(20, 20, 40, 255);
const sf::Color dimming(100, 100, 100, 100);
const sf::Color pageCountColour(200, 200, 220, 255);
constexpr float pageCountFromRight = 270, pageCountTop = 130; // window pixels
constexpr unsigned designWidth = 1920, designHeight = 980;
constexpr unsigned minimumWidth = 1010;
constexpr int frameRate = 60;
} // namespace

App::App(Platform platformLayer)
    : m_window(sf::VideoMode(designWidth, designHeight, 32), "Quillmere", sf::Style::Default),
      m_font("res/couriernew.ttf"), m_titlePage(m_window), m_toggleArray(m_window), m_page(m_window),
      m_findBar(m_window), m_sceneList(m_window),
      m_closingCheck(m_window, ClosingCheck::Purpose::Quit), m_fileList(m_window), m_saveAsPanel(m_window),
      m_openCheck(m_window, ClosingCheck::Purpose::Open), m_sharedCheck(m_window, ClosingCheck::Purpose::Shared),
      m_scrollBar(m_window), m_platform(std::move(platformLayer)), m_converter(m_platform.startProgram)
{
    sf::Image icon;
    if (icon.loadFromFile("res/icon.png"))
        m_window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    m_window.setPosition({0, 0});
    m_window.setFramerateLimit(frameRate);
    maximiseWindow(m_window.getSystemHandle());
    nameWindowsProcess(m_window.getSystemHandle());

    m_unsavedLabel.setCharacterSize(20);
    m_unsavedLabel.setFont(m_font.font());
    m_unsavedLabel.setString("Unsaved");
    m_unsavedLabel.setStyle(sf::Text::Italic);
    m_unsavedLabel.setPosition(1650, 100);
    m_pageCountLabel.setFont(m_font.font());
    m_pageCountLabel.setCharacterSize(18);
    m_pageCountLabel.setFillColor(pageCountColour);

    m_closingCheck.onAnswer = [this](ClosingCheck::Answer answer) { answerClosingCheck(answer); };
    m_openCheck.onAnswer = [this](ClosingCheck::Answer answer) { answerOpenQuestion(answer); };
    m_sharedCheck.onAnswer = [this](ClosingCheck::Answer answer) { answerSharedQuestion(answer); };
    m_fileList.onOpen = [this](const OpenChoice& choice) { return requestOpen(choice); };
    m_findBar.onCommand = [this](FindBar::Command command) { onFindCommand(command); };
    m_sceneList.onPick = [this](std::size_t scene) { pickScene(scene); };
    m_page.clipboard.fromDesktop = m_platform.clipboardText;
    m_saveAsPanel.onSave = [this](const std::string& typed) {
        // A name offered as it was shown is saved under its real bytes.
        const bool offered = typed == toUtf8(nameForDisplay(m_session.suggestedName));
        return saveScriptAs(offered ? m_session.suggestedName : typed) ? std::string() : m_problem;
    };
    m_toggleArray.setup(static_cast<float>(designWidth), {"Scene", "Directorial", "Name", "Parenthetical", "Speech"});

    m_page.addParagraph(Scene);
    m_page.edits.clear();
    m_currentKind = Scene;

    showTitleLines();
    ensureUserFolder();
    m_closingCheck.setOpen(false);
    m_openCheck.setOpen(false);
    m_sharedCheck.setOpen(false);
    m_titlePage.setOpen(false);
    m_saveAsPanel.setOpen(false);
    m_fileList.setOpen(true);
}

App::~App() = default;

void App::render()
{
    followScenes(); // before the sheet, which draws the page ends
    m_window.clear(windowColour);
    m_window.draw(m_page);
    if (!m_session.saved())
        m_window.draw(m_unsavedLabel);
    m_scrollBar.show(m_page.viewTop(), m_page.view.getSize().y, m_page.scriptHeight() + Page::firstTop);
    m_window.draw(m_scrollBar);
    m_window.draw(m_titlePage);
    m_window.draw(m_sceneList);
    m_window.draw(m_findBar);
    m_window.draw(m_toggleArray);
    drawPageCount();
    drawFootLine();
    drawDialogs();
}

void App::drawDialogs()
{
    if (m_closingCheck.isOpen() || modal()) {
        const sf::Vector2f size(m_window.getSize());
        m_window.setView(sf::View(size * 0.5f, size));
        sf::RectangleShape shade(size);
        shade.setFillColor(dimming);
        m_window.draw(shade);
    }
    m_window.draw(m_closingCheck);
    m_window.draw(m_fileList);
    m_window.draw(m_openCheck);
    m_window.draw(m_sharedCheck);
    m_window.draw(m_saveAsPanel);
}

// "Page P of N" for the caret's paragraph, at the window's right under the "Unsaved"
// place.
void App::drawPageCount()
{
    const sf::Vector2f size(m_window.getSize());
    m_window.setView(sf::View(size * 0.5f, size));
    const std::string shown = pageCount();
    if (m_pageCountLabel.getString() != shown) // laid out again only when it reads otherwise
        m_pageCountLabel.setString(shown);
    m_pageCountLabel.setPosition(size.x - pageCountFromRight, pageCountTop);
    m_window.draw(m_pageCountLabel);
}

std::string App::pageCount()
{
    paginateIfStale();
    const std::size_t count = std::max<std::size_t>(m_pages.pages.size(), 1);
    const std::size_t at = m_page.current < m_pages.pageOf.size() ? m_pages.pageOf[m_page.current] + 1 : 1;
    return "Page " + std::to_string(at) + " of " + std::to_string(count);
}

// The script is paginated again only when it has changed, once a frame at most.
void App::paginateIfStale()
{
    if (m_pagesStale) {
        std::vector<ParagraphView> views;
        views.reserve(m_page.paragraphs.size());
        for (const DivEditor& paragraph : m_page.paragraphs)
            views.push_back({paragraph.kind, &paragraph.text});
        m_pages = paginate(views, false);
        m_pagesStale = false;
        ++m_pagesMade;
    }
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
    if (m_export && event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape && !modal() &&
        !m_closingCheck.isOpen())
        stopExport("stopped");
    classify(event);
    m_findTook = false;
    m_page.edits.clear();
    const Caret caretBefore = m_page.caret();
    const bool isModal = modal();
    m_toggleArray.setActive(!isModal);
    m_titlePage.setActive(!isModal);
    m_page.setActive(!isModal);
    m_scrollBar.setActive(!isModal);
    deliver(event);

    if (event.type == sf::Event::Closed) {
        if (m_session.saved())
            m_window.close();
        else
            m_closingCheck.setOpen(true);
    } else if (event.type == sf::Event::Resized && event.size.width < minimumWidth) {
        m_window.setSize({minimumWidth, m_window.getSize().y});
    }

    if (!isModal && m_findTook) {
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::F3)
            onFindCommand(event.key.shift ? FindBar::Command::Previous : FindBar::Command::Next);
        else if (event.type == sf::Event::KeyPressed)
            onShortcut(event.key);
    } else if (!isModal) {
        if (event.type == sf::Event::TextEntered)
            onTextEntered();
        else if (event.type == sf::Event::KeyPressed)
            onKeyPressed(event.key);
        else if (event.type == sf::Event::MouseButtonPressed)
            onMouseButtonPressed(event.mouseButton);
    }
    noteChanges();
    if (m_findBar.isOpen() && m_scriptChanged && !m_findTook)
        search(false); // the matches follow the edits
    if (!m_page.refusedPaste.empty()) {
        m_notice = m_page.refusedPaste;
        m_page.refusedPaste.clear();
    }
    const bool keyed = event.type == sf::Event::KeyPressed || event.type == sf::Event::TextEntered;
    if (!m_findTook && (m_contentChanged || m_caretJumped || (keyed && !(m_page.caret() == caretBefore))))
        m_page.showCaret(topInset());
    keepRecovery(event, Clock::now());
    if (event.type == sf::Event::TextEntered && m_contentChanged)
        offerCompletion();
    else if (!m_offers.empty() && (event.type == sf::Event::MouseButtonPressed || m_caretJumped || !(m_page.caret() == caretBefore)))
        dismissCompletion();
    m_contentChanged = m_caretJumped = m_scriptChanged = false;

    if (m_awaitingSaveToOpen && !m_saveAsPanel.isOpen()) {
        m_awaitingSaveToOpen = false;
        if (m_session.saved() && !m_session.untitled)
            openPending();
    }
    if (m_awaitingSaveToExport && !m_saveAsPanel.isOpen()) {
        m_awaitingSaveToExport = false;
        if (m_session.saved() && !m_session.untitled)
            exportScript();
    }
    if (m_awaitingSaveToQuit && !m_saveAsPanel.isOpen()) {
        m_awaitingSaveToQuit = false;
        m_quit = m_session.saved() && !m_session.untitled;
    }
    if (m_quit && !m_saveAsPanel.isOpen())
        m_window.close();
}

// What an event does to the script, for the history to group changes by.
void App::classify(const sf::Event& event)
{
    m_typed = 0;
    m_action = Action::Other;
    if (event.type == sf::Event::TextEntered) {
        m_typed = event.text.unicode;
        m_action = m_typed == 8 ? Action::Deleting : Action::Typing;
    } else if (event.type == sf::Event::KeyPressed) {
        const sf::Keyboard::Key key = event.key.code;
        const bool control = event.key.control;
        if (key == sf::Keyboard::Enter)
            m_action = Action::NewParagraph;
        else if (key == sf::Keyboard::BackSpace)
            m_action = Action::RemoveParagraph;
        else if (control && key == sf::Keyboard::V)
            m_action = Action::Paste;
        else if (control && key == sf::Keyboard::X)
            m_action = Action::Cut;
        else if (control && key == sf::Keyboard::Num7)
            m_action = Action::NewParagraph;
        else if ((control && key >= sf::Keyboard::Num1 && key <= sf::Keyboard::Num6) || key == sf::Keyboard::Tab)
            m_action = Action::KindChange;
        else if (key == sf::Keyboard::Delete)
            m_action = Action::Deleting;
    } else if (event.type == sf::Event::MouseButtonPressed) {
        m_action = Action::KindChange; // the only change a press makes: a kind from the bar
    }
}

// Every change of the script's content goes into the history, whatever made it; the
// script is saved exactly when the history stands where the file was last written.
void App::noteChanges()
{
    if (!m_page.edits.empty() || m_titleWas) {
        countEdits(m_page.edits, false);
        m_scenesStale = m_scenesStale || touchesScenes(m_page.edits);
        std::optional<TitleLines> now;
        if (m_titleWas)
            now = m_session.titlePage;
        m_contentChanged = !m_page.edits.empty();
        m_scriptChanged = m_pagesStale = true;
        m_session.history.record(m_titleWas && m_page.edits.empty() && m_action != Action::Replace ? Action::TitlePage : m_action, std::move(m_page.edits), m_titleWas,
                       now, m_typed, History::Clock::now());
        m_page.edits.clear();
        m_titleWas.reset();
    }
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
    countEdits(step.edits, undo);
    dismissCompletion();
    m_scenesStale = true;
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
        m_session.titlePage = *lines;
        showTitleLines();
    }
    m_page.edits.clear();
    followCurrentKind();
    m_caretJumped = m_scriptChanged = m_pagesStale = true;
}

void App::showTitleLines()
{
    m_titlePage.show(m_session.titlePage);
}

Script App::script() const
{
    Script shown{"", "", m_page.contents()};
    shown.setTitlePage(m_session.titlePage);
    return shown;
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
        for (Group* panel : std::initializer_list<Group*>{&m_scrollBar, &m_toggleArray, &m_titlePage, &m_page, &m_findBar,
                                                          &m_sceneList, &m_closingCheck,
                                                          &m_fileList, &m_openCheck, &m_sharedCheck, &m_saveAsPanel})
            panel->handleEvent(event);
        return;
    }
    if (m_saveAsPanel.isOpen())
        m_saveAsPanel.handleEvent(event);
    else if (m_sharedCheck.isOpen())
        m_sharedCheck.handleEvent(event);
    else if (m_openCheck.isOpen())
        m_openCheck.handleEvent(event);
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
    const bool dropBackspace = m_paragraphRemoved && event.type == sf::Event::TextEntered && event.text.unicode == 8;
    m_paragraphRemoved = false;
    if (m_findBar.takes(event)) {
        m_findTook = true;
        m_findBar.handleEvent(event);
        return;
    }
    if (m_findBar.isOpen()) {
        if (event.type == sf::Event::MouseButtonPressed)
            m_findBar.unfocus(); // a press elsewhere takes the keys from the bar
        else
            m_findBar.handleEvent(event);
    }
    m_sceneList.handleEvent(event);
    if (event.type == sf::Event::MouseWheelScrolled &&
        m_sceneList.background.getGlobalBounds().contains(m_sceneList.toView(event.mouseWheelScroll.x, event.mouseWheelScroll.y)) &&
        m_sceneList.isOpen())
        return; // the wheel over the list scrolls the list
    m_scrollBar.handleEvent(event);
    if (m_scrollBar.wantedTop)
        m_page.scrollTo(*m_scrollBar.wantedTop);
    if (event.type == sf::Event::MouseButtonPressed && m_scrollBar.dragging)
        return;
    const bool barPress = event.type == sf::Event::MouseButtonPressed && inKindBar(event.mouseButton.x, event.mouseButton.y);
    m_toggleArray.handleEvent(event);
    m_titlePage.handleEvent(event);
    const bool offerKey = event.type == sf::Event::KeyPressed && !event.key.control && onCompletionKey(event.key);
    if (!dropBackspace && !barPress && !offerKey)
        m_page.handleEvent(event);
    m_closingCheck.handleEvent(event);
}

// Whether a window pixel lies on the kind bar, shown or hidden.
bool App::inKindBar(int x, int y) const
{
    return m_toggleArray.background.getGlobalBounds().contains(m_toggleArray.toView(x, y));
}

// Typing into the title page copies its fields into the script. What typing does to a
// paragraph the page has logged already.
void App::onTextEntered()
{
    if (!m_titlePage.focused())
        return;
    const TitleLines typed = m_titlePage.lines();
    if (typed == m_session.titlePage)
        return;
    m_titleWas = m_session.titlePage;
    m_session.titlePage = typed;
}

float App::topInset() const
{
    return m_findBar.isOpen() ? FindBar::top + FindBar::height : m_toggleArray.visible ? ToggleArray::barHeight : 0;
}

void App::onKeyPressed(const sf::Event::KeyEvent& key)
{
    onShortcut(key);
    if (key.code == sf::Keyboard::F3 && m_findBar.isOpen()) {
        onFindCommand(key.shift ? FindBar::Command::Previous : FindBar::Command::Next);
        return;
    }
    if (key.code == sf::Keyboard::Enter) {
        m_page.addParagraph(nextKindOnEnter.at(m_page.currentParagraph().kind));
        m_currentKind = m_page.currentParagraph().kind;
        m_toggleArray.select(m_currentKind - 1);
    } else if (key.code == sf::Keyboard::BackSpace) {
        const std::size_t before = m_page.paragraphs.size();
        m_page.deleteCurrentIfEmpty();
        m_paragraphRemoved = m_page.paragraphs.size() < before;
    } else if (key.code == sf::Keyboard::Tab && !key.control && m_page.currentParagraph().focused) {
        const DivEditor& paragraph = m_page.currentParagraph();
        chooseKind(key.shift ? kindOnShiftTab(paragraph.kind) : kindOnTab(paragraph.kind, paragraph.text.isEmpty()));
    }
    followCurrentKind();
}

// Moves the selector to the current paragraph's kind after the caret changed paragraph.
void App::followCurrentKind()
{
    const std::int32_t kind = m_page.currentParagraph().kind;
    if (m_currentKind != kind) {
        m_currentKind = kind;
        m_toggleArray.select(kind - 1);
    }
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
        chooseKind(Scene + (key - sf::Keyboard::Num1));
        break;
    case sf::Keyboard::Num7: // a page break after the current paragraph
        m_page.addParagraph(PageBreak);
        followCurrentKind();
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
        m_sceneList.setOpen(!m_sceneList.isOpen());
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
        const auto last = static_cast<std::uint32_t>(m_page.paragraphs.size() - 1);
        m_page.placeCaret({last, static_cast<std::uint32_t>(m_page.paragraphs.back().text.getSize())}, pressed.shift);
        break;
    }
    default:
        break;
    }
}

void App::chooseKind(std::int32_t kind)
{
    m_toggleArray.select(kind - 1);
    m_currentKind = kind;
    m_page.setKind(kind);
}

void App::onMouseButtonPressed(const sf::Event::MouseButtonEvent& press)
{
    if (inKindBar(press.x, press.y)) {
        m_titlePage.unfocus();
        m_page.unfocus();
    } else if (m_titlePage.background.getGlobalBounds().contains(m_titlePage.toView(press.x, press.y))) {
        m_page.unfocus();
    }

    if (m_currentKind != m_page.currentParagraph().kind)
        followCurrentKind();
    else if (m_toggleArray.selected >= 0 && m_toggleArray.selected + 1 != m_currentKind) {
        m_currentKind = m_toggleArray.selected + 1;
        m_page.setKind(m_currentKind);
    }
}
