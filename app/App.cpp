#include "app/App.hpp"

#include "files/UserFolder.hpp"
#include "platform/Converter.hpp"
#include "platform/Keyboard.hpp"
#include "platform/Maximise.hpp"

#include <SFML/Graphics/Image.hpp>

#include <cmath>

App* appInstance = nullptr;
const sf::Font* appFont = nullptr;

namespace {
const sf::Color windowColour(20, 20, 40, 255);
const sf::Color dimming(100, 100, 100, 100);
const sf::Color problemBand(90, 20, 30, 255);
const sf::Color problemText(255, 220, 220, 255);
constexpr float problemHeight = 32; // pixels of the band at the window's foot
const sf::Color pageCountColour(200, 200, 220, 255);
constexpr float pageCountFromRight = 270, pageCountTop = 130; // window pixels
constexpr unsigned designWidth = 1920, designHeight = 980;
constexpr unsigned minimumWidth = 1010;
constexpr int frameRate = 60;
} // namespace

App::App(Platform platformLayer)
    : window(sf::VideoMode(designWidth, designHeight, 32), "Quillmere", sf::Style::Default),
      platform(std::move(platformLayer))
{
    setConverterRunner(platform.runProgram);
    wkhtmltopdf_init(0);
    wkhtmltoimage_init(0);
    font.loadFromFile("res/couriernew.ttf");
    appInstance = this;
    appFont = &font;

    sf::Image icon;
    if (icon.loadFromFile("res/icon.png"))
        window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    window.setPosition({0, 0});
    window.setFramerateLimit(frameRate);
    maximiseWindow(window.getSystemHandle());

    unsavedLabel.setCharacterSize(20);
    unsavedLabel.setFont(font);
    unsavedLabel.setString("Unsaved");
    unsavedLabel.setStyle(sf::Text::Italic);
    unsavedLabel.setPosition(1650, 100);
    pageCountLabel.setFont(font);
    pageCountLabel.setCharacterSize(18);
    pageCountLabel.setFillColor(pageCountColour);

    closingCheck.setup(this);
    openCheck.setup(this, ClosingCheck::Purpose::Open);
    fileList.app = this;
    fileList.buildButtons();
    saveAsPanel.nameBox.setRect(720, 320, 480, 50);
    saveAsPanel.nameBox.focused = true;
    saveAsPanel.saveButton.setup("Save As", 800, 400, 320, 40);
    saveAsPanel.app = this;
    titlePage.titleBox.setRect(15, 100, 425, 50);
    titlePage.authorBox.setRect(15, 200, 425, 50);
    toggleArray.setup(static_cast<float>(designWidth), {"Scene", "Directorial", "Name", "Parenthetical", "Speech"});

    page.addParagraph(Scene);
    page.edits.clear();
    currentKind = Scene;

    showTitleLines();
    ensureUserFolder();
    closingCheck.setOpen(false);
    openCheck.setOpen(false);
    titlePage.setOpen(false);
    saveAsPanel.setOpen(false);
    fileList.setOpen(true);
}

App::~App()
{
    if (appInstance != this)
        return;
    appInstance = nullptr;
    appFont = nullptr;
}

void App::render()
{
    window.clear(windowColour);
    window.draw(page);
    if (!saved)
        window.draw(unsavedLabel);
    scrollBar.show(page.viewTop(), page.view.getSize().y, page.scriptHeight() + Page::firstTop);
    window.draw(scrollBar);
    window.draw(titlePage);
    window.draw(toggleArray);
    drawPageCount();
    drawSaveProblem();
    drawDialogs();
}

void App::drawDialogs()
{
    if (closingCheck.isOpen() || modal()) {
        const sf::Vector2f size(window.getSize());
        window.setView(sf::View(size * 0.5f, size));
        sf::RectangleShape shade(size);
        shade.setFillColor(dimming);
        window.draw(shade);
    }
    window.draw(closingCheck);
    window.draw(fileList);
    window.draw(openCheck);
    window.draw(saveAsPanel);
}

// "Page P of N" for the caret's paragraph, at the window's right under the "Unsaved"
// place. The script is paginated again only when it has changed, once a frame at most.
void App::drawPageCount()
{
    const sf::Vector2f size(window.getSize());
    window.setView(sf::View(size * 0.5f, size));
    const std::string shown = pageCount();
    if (pageCountLabel.getString() != shown) // laid out again only when it reads otherwise
        pageCountLabel.setString(shown);
    pageCountLabel.setPosition(size.x - pageCountFromRight, pageCountTop);
    window.draw(pageCountLabel);
}

std::string App::pageCount()
{
    if (pagesStale) {
        std::vector<ParagraphView> views;
        views.reserve(page.paragraphs.size());
        for (const DivEditor& paragraph : page.paragraphs)
            views.push_back({paragraph.kind, &paragraph.text});
        pages = paginate(views, false);
        pagesStale = false;
    }
    const std::size_t count = std::max<std::size_t>(pages.pages.size(), 1);
    const std::size_t at = page.current < pages.pageOf.size() ? pages.pageOf[page.current] + 1 : 1;
    return "Page " + std::to_string(at) + " of " + std::to_string(count);
}

// A failed save stays said at the window's foot until a save succeeds.
void App::drawSaveProblem()
{
    if (saveProblem.empty())
        return;
    const sf::Vector2f size(window.getSize());
    window.setView(sf::View(size * 0.5f, size));
    sf::RectangleShape band({size.x, problemHeight});
    band.setPosition(0, size.y - problemHeight);
    band.setFillColor(problemBand);
    window.draw(band);
    sf::Text line(sf::String::fromUtf8(saveProblem.begin(), saveProblem.end()), font, 18);
    line.setFillColor(problemText);
    line.setPosition(std::floor(size.x / 2 - line.getLocalBounds().width / 2), size.y - problemHeight + 5);
    window.draw(line);
}

void App::handleEvent(sf::Event& event)
{
    followKeyboard(event);
    classify(event);
    page.edits.clear();
    const Caret caretBefore = page.caret();
    const bool isModal = modal();
    toggleArray.setActive(!isModal);
    titlePage.setActive(!isModal);
    page.setActive(!isModal);
    scrollBar.setActive(!isModal);
    deliver(event);

    if (event.type == sf::Event::Closed) {
        if (saved)
            window.close();
        else
            closingCheck.setOpen(true);
    } else if (event.type == sf::Event::Resized && event.size.width < minimumWidth) {
        window.setSize({minimumWidth, window.getSize().y});
    }

    if (!isModal) {
        if (event.type == sf::Event::TextEntered)
            onTextEntered();
        else if (event.type == sf::Event::KeyPressed)
            onKeyPressed(event.key);
        else if (event.type == sf::Event::MouseButtonPressed)
            onMouseButtonPressed(event.mouseButton);
    }
    noteChanges();
    const bool keyed = event.type == sf::Event::KeyPressed || event.type == sf::Event::TextEntered;
    if (contentChanged || caretJumped || (keyed && !(page.caret() == caretBefore)))
        page.showCaret(toggleArray.visible ? ToggleArray::barHeight : 0);
    keepRecovery(event, Clock::now());
    contentChanged = caretJumped = scriptChanged = false;

    if (awaitingSaveToOpen && !saveAsPanel.isOpen()) {
        awaitingSaveToOpen = false;
        if (saved && !untitled)
            openPending();
    }
    if (closingCheck.awaitingSave && !saveAsPanel.isOpen()) {
        closingCheck.awaitingSave = false;
        closingCheck.quit = saved && !untitled;
    }
    if (closingCheck.quit && !saveAsPanel.isOpen())
        window.close();
}

// What an event does to the script, for the history to group changes by.
void App::classify(const sf::Event& event)
{
    typed = 0;
    action = Action::Other;
    if (event.type == sf::Event::TextEntered) {
        typed = event.text.unicode;
        action = typed == 8 ? Action::Deleting : Action::Typing;
    } else if (event.type == sf::Event::KeyPressed) {
        const sf::Keyboard::Key key = event.key.code;
        const bool control = leftControlHeld();
        if (key == sf::Keyboard::Enter)
            action = Action::NewParagraph;
        else if (key == sf::Keyboard::BackSpace)
            action = Action::RemoveParagraph;
        else if (control && key == sf::Keyboard::V)
            action = Action::Paste;
        else if (control && key == sf::Keyboard::X)
            action = Action::Cut;
        else if ((control && key >= sf::Keyboard::Num1 && key <= sf::Keyboard::Num5) || key == sf::Keyboard::Tab)
            action = Action::KindChange;
        else if (key == sf::Keyboard::Delete)
            action = Action::Deleting;
    } else if (event.type == sf::Event::MouseButtonPressed) {
        action = Action::KindChange; // the only change a press makes: a kind from the bar
    }
}

// Every change of the script's content goes into the history, whatever made it; the
// script is saved exactly when the history stands where the file was last written.
void App::noteChanges()
{
    if (!page.edits.empty() || titleWas) {
        std::optional<TitleLines> now;
        if (titleWas)
            now = TitleLines{title, author};
        contentChanged = !page.edits.empty();
        scriptChanged = pagesStale = true;
        history.record(titleWas && page.edits.empty() ? Action::TitlePage : action, std::move(page.edits), titleWas,
                       now, typed, History::Clock::now());
        page.edits.clear();
        titleWas.reset();
    }
    saved = history.atSaved();
}

void App::undo()
{
    if (const Step* step = history.undo())
        takeBack(*step, true);
}

void App::redo()
{
    if (const Step* step = history.redo())
        takeBack(*step, false);
}

// Puts the script back as it was before a step (or after it), with the caret where the
// change was and the kind bar following it.
void App::takeBack(const Step& step, bool undo)
{
    if (undo) {
        for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit)
            page.apply(*edit, true);
    } else {
        for (const ScriptEdit& edit : step.edits)
            page.apply(edit, false);
    }
    if (!step.edits.empty())
        page.placeCaret(undo ? step.caretBefore() : step.caretAfter());
    if (const auto& lines = undo ? step.titleBefore : step.titleAfter) {
        title = lines->title;
        author = lines->author;
        showTitleLines();
    }
    page.edits.clear();
    followCurrentKind();
    saved = history.atSaved();
    caretJumped = scriptChanged = pagesStale = true;
}

void App::showTitleLines()
{
    titlePage.titleBox.setText(title);
    titlePage.authorBox.setText(author);
}

// Passes the event on. Nothing typed with the left Control key held is text, but
// Control+Backspace still deletes. Of the dialogs only the one on top takes input: the
// save-as panel, the open question, the file list, in that order; a dialog opened by
// this very event takes input from the next one on. Without one, the scroll bar, the
// selector, the title page, the page and the closing check take it in turn.
void App::deliver(sf::Event& event)
{
    if (event.type == sf::Event::TextEntered && event.text.unicode != 8 && leftControlHeld())
        return;
    if (event.type == sf::Event::Resized) {
        for (Group* panel : std::initializer_list<Group*>{&scrollBar, &toggleArray, &titlePage, &page, &closingCheck,
                                                          &fileList, &openCheck, &saveAsPanel})
            panel->handleEvent(event);
        return;
    }
    if (saveAsPanel.isOpen())
        saveAsPanel.handleEvent(event);
    else if (openCheck.isOpen())
        openCheck.handleEvent(event);
    else if (fileList.isOpen())
        fileList.handleEvent(event);
    else
        deliverToEditor(event);
}

// A press on the scroll bar is for it alone. A press on the kind bar is not a press on
// the page beneath it: the current paragraph stays current so that the chosen kind goes
// to it. The Backspace character that follows a removed paragraph has done its work.
void App::deliverToEditor(sf::Event& event)
{
    const bool dropBackspace = paragraphRemoved && event.type == sf::Event::TextEntered && event.text.unicode == 8;
    paragraphRemoved = false;
    scrollBar.handleEvent(event);
    if (scrollBar.wantedTop)
        page.scrollTo(*scrollBar.wantedTop);
    if (event.type == sf::Event::MouseButtonPressed && scrollBar.dragging)
        return;
    const std::uint32_t keep = page.current;
    const bool barPress = event.type == sf::Event::MouseButtonPressed && inKindBar(event.mouseButton.x, event.mouseButton.y);
    toggleArray.handleEvent(event);
    titlePage.handleEvent(event);
    if (!dropBackspace)
        page.handleEvent(event);
    if (barPress)
        page.current = keep;
    closingCheck.handleEvent(event);
}

// Whether a window pixel lies on the kind bar, shown or hidden.
bool App::inKindBar(int x, int y) const
{
    return toggleArray.background.getGlobalBounds().contains(mapToView(x, y, toggleArray.view));
}

// Typing into the title page copies both lines into the script. What typing does to a
// paragraph the page has logged already.
void App::onTextEntered()
{
    if (!titlePage.titleBox.focused && !titlePage.authorBox.focused)
        return;
    if (title == titlePage.titleBox.text && author == titlePage.authorBox.text)
        return;
    titleWas = TitleLines{title, author};
    title = titlePage.titleBox.text;
    author = titlePage.authorBox.text;
}

void App::onKeyPressed(const sf::Event::KeyEvent& key)
{
    onShortcut(key);
    if (key.code == sf::Keyboard::Enter) {
        page.addParagraph(nextKindOnEnter.at(page.currentParagraph().kind));
        currentKind = page.currentParagraph().kind;
        toggleArray.select(currentKind - 1);
    } else if (key.code == sf::Keyboard::BackSpace) {
        const std::size_t before = page.paragraphs.size();
        page.deleteCurrentIfEmpty();
        paragraphRemoved = page.paragraphs.size() < before;
    } else if (key.code == sf::Keyboard::Tab && !leftControlHeld() && page.currentParagraph().focused) {
        chooseKind(key.shift ? kindBefore(page.currentParagraph().kind) : kindAfter(page.currentParagraph().kind));
    }
    followCurrentKind();
}

// Moves the selector to the current paragraph's kind after the caret changed paragraph.
void App::followCurrentKind()
{
    const std::int32_t kind = page.currentParagraph().kind;
    if (currentKind != kind) {
        currentKind = kind;
        toggleArray.select(kind - 1);
    }
}

void App::onShortcut(const sf::Event::KeyEvent& pressed)
{
    if (!leftControlHeld())
        return;
    const sf::Keyboard::Key key = pressed.code;
    switch (key) {
    case sf::Keyboard::Num1:
    case sf::Keyboard::Num2:
    case sf::Keyboard::Num3:
    case sf::Keyboard::Num4:
    case sf::Keyboard::Num5:
        chooseKind(Scene + (key - sf::Keyboard::Num1));
        break;
    case sf::Keyboard::F:
        titlePage.setOpen(!titlePage.isOpen());
        break;
    case sf::Keyboard::G:
        toggleArray.setOpen(!toggleArray.isOpen());
        break;
    case sf::Keyboard::E:
        if (!untitled)
            exportScript();
        break;
    case sf::Keyboard::O:
        fileList.setOpen(true);
        break;
    case sf::Keyboard::S:
        if (untitled)
            saveAsPanel.setOpen(true);
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
        page.placeCaret({0, 0});
        page.scrollTo(0);
        break;
    case sf::Keyboard::End: {
        const auto last = static_cast<std::uint32_t>(page.paragraphs.size() - 1);
        page.placeCaret({last, static_cast<std::uint32_t>(page.paragraphs.back().text.getSize())});
        break;
    }
    default:
        break;
    }
}

void App::chooseKind(std::int32_t kind)
{
    toggleArray.select(kind - 1);
    currentKind = kind;
    page.setKind(kind);
}

void App::onMouseButtonPressed(const sf::Event::MouseButtonEvent& press)
{
    if (inKindBar(press.x, press.y)) {
        titlePage.unfocus();
        page.unfocus();
    } else if (titlePage.background.getGlobalBounds().contains(mapToView(press.x, press.y, titlePage.view))) {
        page.unfocus();
    }

    if (currentKind != page.currentParagraph().kind)
        followCurrentKind();
    else if (toggleArray.selected >= 0 && toggleArray.selected + 1 != currentKind) {
        currentKind = toggleArray.selected + 1;
        page.setKind(currentKind);
    }
}
