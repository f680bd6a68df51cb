#include "TestSupport.hpp"

#include <SFML/Window/Clipboard.hpp>

#include <functional>

class AppRules : public AppTest {};

TEST_F(AppRules, StartsAsTheDocumentSays)
{
    App fresh(desktop.platform());
    EXPECT_TRUE(fresh.fileList().isOpen());
    EXPECT_FALSE(fresh.titlePage().isOpen());
    EXPECT_FALSE(fresh.saveAsPanel().isOpen());
    EXPECT_FALSE(fresh.closingCheck().isOpen());
    EXPECT_TRUE(fresh.toggleArray().isOpen());
    EXPECT_EQ(fresh.currentKind(), Scene);
    EXPECT_TRUE(fresh.session().saved());
    EXPECT_TRUE(fresh.session().untitled);
    EXPECT_EQ(fresh.session().fileName, "empty");
    EXPECT_EQ(fresh.titlePage().titleBox.text, "[Title here]");
    EXPECT_EQ(fresh.window().getSize(), sf::Vector2u(1920, 980));
}

TEST_F(AppRules, TheFontHasTheCellsTheEditorCounts)
{
    EXPECT_EQ(app->font().getGlyph('M', 20, false).advance, 12);
    EXPECT_EQ(app->font().getLineSpacing(20), 23);
}

TEST_F(AppRules, EnterFollowsTheKindCycleEvenWithControlHeld)
{
    key(sf::Keyboard::Enter);
    EXPECT_EQ(currentParagraph().kind, Directorial);
    holdControl(true);
    key(sf::Keyboard::Enter);
    holdControl(false);
    EXPECT_EQ(currentParagraph().kind, Name);
    key(sf::Keyboard::Enter);
    EXPECT_EQ(currentParagraph().kind, Speech);
    key(sf::Keyboard::Enter);
    EXPECT_EQ(currentParagraph().kind, Name);
    EXPECT_EQ(app->currentKind(), Name);
    EXPECT_EQ(app->toggleArray().selected, 2);
}

// Left Control + comma: the choices take effect at once, are kept in user/.settings and
// come back at the next start; a damaged file is said and replaced by the defaults.
TEST_F(AppRules, PreferencesTakeEffectAtOnceAndAreKept)
{
    control(sf::Keyboard::Comma);
    ASSERT_TRUE(app->preferences().isOpen());
    EXPECT_FALSE(app->titlePage().isOpen()) << "only the panel opens";
    type("z");
    key(sf::Keyboard::Right); // Final Draft's Enter
    key(sf::Keyboard::Down);
    key(sf::Keyboard::Right); // lines as printed
    click(1180, 600);         // scene numbers at both sides
    EXPECT_TRUE(app->preferences().choices[0][1].on);
    EXPECT_FALSE(app->preferences().choices[0][0].on);
    control(sf::Keyboard::Comma);
    EXPECT_FALSE(app->preferences().isOpen());
    EXPECT_EQ(readBytes("user/.settings"), "enter-and-tab = final-draft\nlines-on-screen = as-printed\nscene-numbers = both\n");
    EXPECT_TRUE(currentParagraph().text.isEmpty());
    EXPECT_EQ(shown().wrap.lineChars, 62u);
    const std::vector<std::pair<bool, DivType>> chain = {{false, Directorial}, {false, Directorial}, {false, Name},
                                                         {false, Speech}, {false, Directorial}, {true, PageBreak}};
    for (const auto& [withControl, kind] : chain) {
        if (kind == Name)
            control(sf::Keyboard::Num3);
        else {
            holdControl(withControl);
            key(sf::Keyboard::Enter);
            holdControl(false);
        }
        EXPECT_EQ(currentParagraph().kind, kind);
    }
    control(sf::Keyboard::Comma);
    key(sf::Keyboard::Up); // from the first row round to the last
    key(sf::Keyboard::Left);
    app.reset();
    app = std::make_unique<App>(desktop.platform());
    EXPECT_TRUE(linesAsPrinted());
    EXPECT_EQ(app->preferences().settings.sceneNumbers, SceneNumbers::Right);
    app.reset();
    writeBytes("user/.settings", "lines-on-screen = as-printed\nscene-numbers = sideways\n");
    app = std::make_unique<App>(desktop.platform());
    EXPECT_FALSE(linesAsPrinted());
    EXPECT_NE(app->footLine().find("The preferences could not be read (line 2 is not a setting): the defaults are used"),
              std::string::npos);
    EXPECT_EQ(readBytes("user/.settings"), "enter-and-tab = quillmere\nlines-on-screen = editor\nscene-numbers = none\n");
}

// Three problems at once stand a line each, none cut off at the window's edge.
TEST_F(AppRules, TheFootBandWrapsWhatDoesNotFitOneLine)
{
    Status status(app->font());
    status.saveProblem = "Could not save user/act1.html: disk full";
    status.backupProblem = "Backups cannot be kept: permission denied";
    status.notice = "No misspellings";
    using Lines = std::vector<sf::String>;
    EXPECT_EQ(status.footLines("", 200), Lines{L"Could not save user/act1.html: disk full   \u00b7   Backups cannot be kept: "
                                                L"permission denied   \u00b7   No misspellings"});
    EXPECT_EQ(status.footLines("", 41),
              (Lines{"Could not save user/act1.html: disk full", "Backups cannot be kept: permission denied", "No misspellings"}));
    EXPECT_EQ(status.footLines("", 20), (Lines{L"Could not\u2026disk full", L"Backups c\u2026on denied", "No misspellings"}));
    EXPECT_EQ(Status(app->font()).footLines("", 20), Lines{});
    // Drawn, the band stands three lines high, each line with its letters.
    status.saveProblem = std::string(150, 'x');
    app->window().clear();
    status.draw(app->window(), false, "", "");
    const sf::Image frame = captureFrame(*app);
    const unsigned bottom = frame.getSize().y;
    auto inked = [&](unsigned from, unsigned to) {
        for (unsigned y = from; y < to; ++y)
            for (unsigned x = 0; x < frame.getSize().x; x += 2)
                if (frame.getPixel(x, y).r > 200)
                    return true;
        return false;
    };
    EXPECT_EQ(frame.getPixel(5, bottom - 78), sf::Color(90, 20, 30));
    for (const unsigned line : {80u, 56u, 32u})
        EXPECT_TRUE(inked(bottom - line + 3, bottom - line + 24)) << line;
}

TEST_F(AppRules, ControlDigitsChooseTheKindAndMarkUnsaved)
{
    page().setKind(Directorial);
    setText("bob");
    control(sf::Keyboard::Num3);
    EXPECT_EQ(currentParagraph().kind, Name);
    EXPECT_EQ(shown().display().getString(), "BOB");
    EXPECT_EQ(app->toggleArray().selected, 2);
    EXPECT_FALSE(app->session().saved());
}

TEST_F(AppRules, TypingMarksUnsavedUnlessTheLeftControlKeyIsHeld)
{
    holdControl(true);
    send(ev::textEntered('a'));
    EXPECT_TRUE(app->session().saved());
    holdControl(false);
    key(sf::Keyboard::Num3); // the right Control key would look like this: no command
    EXPECT_EQ(currentParagraph().kind, Scene);
    type("a");
    EXPECT_FALSE(app->session().saved());
    app->render();
    const sf::Image frame = captureFrame(*app);
    bool label = false;
    for (unsigned x = 1650; x < 1740 && !label; ++x)
        for (unsigned y = 100; y < 125 && !label; ++y)
            label = frame.getPixel(x, y).r > 200;
    EXPECT_TRUE(label);
}

TEST_F(AppRules, TheWindowKeepsAtLeast1010PixelsOfWidth)
{
    app->window().setSize({900, 700});
    send(ev::resized(900, 700));
    EXPECT_EQ(app->window().getSize().x, 1010u);
}

TEST_F(AppRules, ClosingASavedScriptEndsAtOnce)
{
    send(ev::closed());
    EXPECT_FALSE(app->window().isOpen());
}

TEST_F(AppRules, ClosingAnUnsavedScriptShowsTheCheckAndTheEditorStillWorks)
{
    type("x");
    send(ev::closed());
    EXPECT_TRUE(app->window().isOpen());
    EXPECT_TRUE(app->closingCheck().isOpen());
    EXPECT_FALSE(app->modal());
    key(sf::Keyboard::Enter);
    EXPECT_EQ(page().size(), 2u);
    type("y");
    EXPECT_EQ(currentParagraph().text, "y");
}

TEST_F(AppRules, ClickingTheBarChangesTheCurrentParagraphAndMarksUnsaved)
{
    page().addParagraph(Directorial);
    page().addParagraph(Directorial);
    control(sf::Keyboard::Num2); // the bar follows the current paragraph; no change, still saved
    click(800, 30); // "Name"
    EXPECT_EQ(page().current(), 2u);
    EXPECT_EQ(paragraph(2).kind, Name);
    EXPECT_EQ(app->currentKind(), Name);
    EXPECT_FALSE(app->session().saved());
}

TEST_F(AppRules, TheBarFollowsTheParagraphTheWriterMovesInto)
{
    key(sf::Keyboard::Enter);
    EXPECT_EQ(app->toggleArray().selected, 1);
    click(700, 130); // into the Scene
    EXPECT_EQ(app->toggleArray().selected, 0);
    setCursor(currentParagraph().text.getSize());
    key(sf::Keyboard::Right);
    EXPECT_EQ(app->toggleArray().selected, 1);
}

TEST_F(AppRules, APressInTheBarUnfocusesThePageAndTheTitlePage)
{
    control(sf::Keyboard::F);
    click(100, 120); // into the title box
    EXPECT_TRUE(app->titlePage().titleBox.focused);
    click(5, 30); // a gap of the bar
    EXPECT_FALSE(app->titlePage().titleBox.focused);
    EXPECT_FALSE(page().focused());
    click(700, 130);
    EXPECT_TRUE(page().focused());
    click(1600, 130); // beside the sheet
    EXPECT_FALSE(page().focused());
    click(700, 130);
    click(100, 600); // the title page's area, hidden or not
    EXPECT_FALSE(page().focused());
}

// Under a dialog the scene list stays below the title page's boxes.
TEST_F(AppRules, ADialogLeavesThePanelsWhereTheyStand)
{
    app->render();
    EXPECT_EQ(app->sceneList().background.getPosition().y, 70); // below the kind bar while the title page is shut
    control(sf::Keyboard::F);
    app->render();
    EXPECT_EQ(app->sceneList().background.getPosition().y, 600);
    app->fileList().setOpen(true);
    app->render();
    EXPECT_EQ(app->sceneList().background.getPosition().y, 600);
}

TEST_F(AppRules, HiddenPanelsStillTakeClicks)
{
    control(sf::Keyboard::G);
    EXPECT_FALSE(app->toggleArray().visible);
    click(800, 30);
    EXPECT_EQ(app->toggleArray().selected, 2);
    EXPECT_EQ(currentParagraph().kind, Name);
    control(sf::Keyboard::G);
    EXPECT_TRUE(app->toggleArray().isOpen());

    click(430, 220); // the hidden title page's author box: the template's words selected
    EXPECT_TRUE(app->titlePage().authorBox.focused);
    send(ev::textEntered('!'));
    EXPECT_EQ(app->session().script.author, "!");
    EXPECT_FALSE(app->session().saved());
}

TEST_F(AppRules, TheTitlePageCopiesBothLinesWhenEitherIsTyped)
{
    control(sf::Keyboard::F);
    EXPECT_TRUE(app->titlePage().isOpen());
    click(430, 120);
    for (int i = 0; i < 12; ++i)
        send(ev::textEntered(8));
    type("Night Shift");
    EXPECT_EQ(app->session().script.title, "Night Shift");
    EXPECT_EQ(app->session().script.author, "By [Author here]");
    control(sf::Keyboard::F);
    EXPECT_FALSE(app->titlePage().visible);
}

TEST_F(AppRules, ModalDialogsTakeAllInput)
{
    app->fileList().setOpen(true);
    type("z");
    key(sf::Keyboard::Enter);
    click(800, 30);
    EXPECT_TRUE(currentParagraph().text.isEmpty());
    EXPECT_EQ(page().size(), 1u);
    EXPECT_EQ(app->toggleArray().selected, 0);
    key(sf::Keyboard::Escape);
    EXPECT_FALSE(app->fileList().isOpen());
    key(sf::Keyboard::Enter);
    EXPECT_EQ(page().size(), 2u);
}

TEST_F(AppRules, DialogsDimTheWindow)
{
    app->render();
    EXPECT_EQ(captureFrame(*app).getPixel(1700, 900), sf::Color(20, 20, 40));
    app->fileList().setOpen(true);
    app->render();
    const sf::Color dimmed = captureFrame(*app).getPixel(1700, 900);
    EXPECT_NEAR(dimmed.r, (20 * 155 + 100 * 100) / 255, 2);
    EXPECT_EQ(app->fileList().view.getSize(), sf::Vector2f(1920, 1000));
}

TEST_F(AppRules, ControlCommandsFollowTheControlKeyOfTheEventStream)
{
    holdControl(true);
    key(sf::Keyboard::Num3);
    send(ev::textEntered('3')); // X11 sends Control+3 as a printable character too
    EXPECT_EQ(currentParagraph().kind, Name);
    EXPECT_TRUE(currentParagraph().text.isEmpty());

    sf::Event lost{};
    lost.type = sf::Event::LostFocus;
    send(lost); // its release went to another window
    key(sf::Keyboard::S);
    EXPECT_FALSE(app->saveAsPanel().isOpen());

    send(ev::keyPressed(sf::Keyboard::RControl));
    key(sf::Keyboard::Num1);
    EXPECT_EQ(currentParagraph().kind, Name);

    control(sf::Keyboard::F);
    click(430, 120); // the end of the title box
    holdControl(true);
    send(ev::textEntered('1'));
    holdControl(false);
    send(ev::textEntered(127)); // the Delete key's character
    EXPECT_EQ(app->titlePage().titleBox.text, "[Title here]");
}

TEST_F(AppRules, EveryContentChangeMarksUnsavedWhateverKeysMadeIt)
{
    sf::Clipboard::setString("pasted");
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"paste", [&] { control(sf::Keyboard::V); }},
        {"cut", [&] {
             setText("SOME TEXT");
             send(ev::pressed(645, 130));
             send(ev::moved(693, 130));
             send(ev::released(693, 130));
             control(sf::Keyboard::X);
         }},
        {"Control+Backspace", [&] {
             setText("AB");
             holdControl(true);
             key(sf::Keyboard::BackSpace);
             send(ev::textEntered(8));
             holdControl(false);
         }},
        {"Control+Enter", [&] { control(sf::Keyboard::Enter); }},
        {"a kind from the bar", [&] { click(800, 30); }},
    };
    for (const auto& [what, change] : changes) {
        ASSERT_TRUE(app->openScript(""));
        change();
        EXPECT_FALSE(app->session().saved()) << what;
    }
}

TEST_F(AppRules, WhatChangesNothingLeavesTheScriptSaved)
{
    setText("INT. HALL");
    ASSERT_TRUE(app->saveScriptAs("act1"));
    desktop.choice = {(folder / "act1").string(), ExportFilter::pdfLetter};
    key(sf::Keyboard::Escape);
    send(ev::textEntered('\t')); // the Tab key's character
    key(sf::Keyboard::Left);
    setCursor(0);
    key(sf::Keyboard::BackSpace);
    send(ev::textEntered(8)); // at the start of the first paragraph
    control(sf::Keyboard::E);
    send(ev::textEntered(5)); // Control+E's character, arriving after the dialog
    click(100, 30); // "Scene", the kind it already has: no change
    EXPECT_TRUE(app->session().saved());
    app->render();
    const sf::Image frame = captureFrame(*app);
    for (unsigned x = 1650; x < 1740; ++x)
        for (unsigned y = 100; y < 125; ++y)
            ASSERT_LT(frame.getPixel(x, y).r, 200) << "an Unsaved label";
}

TEST_F(AppRules, OpeningShowsTheScriptsTopAtOneUnitPerPixelWithOneFocus)
{
    app->window().setSize({1920, 1061});
    send(ev::resized(1920, 1061));
    control(sf::Keyboard::F);
    click(100, 120); // into the title box
    ASSERT_TRUE(app->openScript(""));
    EXPECT_EQ(page().view.getSize(), sf::Vector2f(1920, 1061));
    EXPECT_EQ(page().view.getCenter().y - 1061 / 2.f, 0);
    EXPECT_FALSE(app->titlePage().titleBox.focused);
    EXPECT_TRUE(page().focused());
    type("x");
    EXPECT_EQ(app->titlePage().titleBox.text, "[Title here]");
}
