// Long runs of random but valid events through App::handleEvent and render, checking the
// program's invariants after every event. QUILLMERE_SEED and QUILLMERE_EVENTS choose the
// run; the seed is printed with any failure.
#include "TestSupport.hpp"
#include "WrapCheck.hpp"
#include "files/TextCodec.hpp"


#include <algorithm>
#include <cstdlib>
#include <random>
#include <sys/stat.h>

namespace {
unsigned long fromEnvironment(const char* name, unsigned long fallback)
{
    const char* value = std::getenv(name);
    return value ? std::strtoul(value, nullptr, 10) : fallback;
}

class EventSource {
public:
    explicit EventSource(unsigned long seed) : random(seed) {}

    sf::Event next()
    {
        const int kind = pick(100);
        if (kind < 8) { // Control and Shift go down and up among the other events
            const sf::Keyboard::Key which = chance(50) ? sf::Keyboard::LControl : sf::Keyboard::LShift;
            return chance(50) ? ev::keyPressed(which) : ev::keyReleased(which);
        }
        if (kind < 30)
            return ev::textEntered(character());
        if (kind < 55) {
            sf::Event event = ev::keyPressed(key());
            event.key.shift = chance(25);
            return event;
        }
        if (kind < 68)
            return ev::pressed(pick(1920), pick(980), static_cast<sf::Mouse::Button>(pick(3)));
        if (kind < 78)
            return ev::released(pick(1920), pick(980));
        if (kind < 90)
            return ev::moved(pick(1920), pick(980));
        if (kind < 96)
            return ev::wheel(static_cast<float>(pick(7) - 3), pick(1920), pick(980));
        if (kind < 99)
            return ev::resized(200 + pick(2300), 200 + pick(1200));
        return chance(20) ? ev::closed() : ev::keyPressed(sf::Keyboard::Escape);
    }
    bool chance(int percent) { return pick(100) < percent; }
    int pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

private:
    sf::Uint32 character()
    {
        switch (pick(10)) {
        case 0: return static_cast<sf::Uint32>(pick(32)); // control characters, Backspace among them
        case 1: return 8;
        case 2: return 0xA0 + pick(0x60);                 // Latin-1
        case 3: return 0x400 + pick(0xFB00);              // the rest of the BMP
        case 4: return 0x10000 + pick(0x100000);          // beyond U+FFFF
        case 5: return ' ';
        default: return 'a' + pick(26) - (chance(30) ? 32 : 0);
        }
    }
    sf::Keyboard::Key key()
    {
        static const sf::Keyboard::Key keys[] = {
            sf::Keyboard::Enter, sf::Keyboard::BackSpace, sf::Keyboard::Left, sf::Keyboard::Right, sf::Keyboard::Up,
            sf::Keyboard::Down, sf::Keyboard::Escape, sf::Keyboard::Num1, sf::Keyboard::Num2, sf::Keyboard::Num3,
            sf::Keyboard::Num4, sf::Keyboard::Num5, sf::Keyboard::C, sf::Keyboard::X, sf::Keyboard::V,
            sf::Keyboard::E, sf::Keyboard::F, sf::Keyboard::G, sf::Keyboard::O, sf::Keyboard::S, sf::Keyboard::Tab,
            sf::Keyboard::Delete, sf::Keyboard::Home, sf::Keyboard::End, sf::Keyboard::PageUp, sf::Keyboard::PageDown,
            sf::Keyboard::A, sf::Keyboard::Z, sf::Keyboard::Z, sf::Keyboard::Y, sf::Keyboard::Tab, sf::Keyboard::Enter,
            sf::Keyboard::Escape};
        return keys[pick(sizeof keys / sizeof keys[0])];
    }
    std::mt19937_64 random;
};

// Every invariant the program keeps; an empty string when all hold.
std::string brokenInvariant(const App& app)
{
    const Page& page = app.page();
    const std::vector<Paragraph>& paragraphs = app.script().paragraphs;
    if (paragraphs.empty() || page.size() != paragraphs.size())
        return "the page does not show the script's paragraphs";
    for (const Caret& end : {page.caret(), page.anchor()})
        if (end.paragraph >= paragraphs.size() || end.index > paragraphs[end.paragraph].text.getSize())
            return "the caret or the selection's start lies beyond the script";
    double top = Page::firstTop;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const double height = heightOf(paragraphs[i].kind, countLines(paragraphs[i].text, lineCharsOf(paragraphs[i].kind)));
        if (page.paragraphTop(i) != top || page.paragraphBottom(i) != top + height)
            return "paragraph " + std::to_string(i) + " is not stacked where its lines put it";
        top += height;
        // What shows (and what the caret stands in) is laid out from the text as it is.
        const bool inView = page.paragraphBottom(i) >= page.viewTop() && page.paragraphTop(i) <= page.viewTop() + page.viewHeight();
        if (inView || i == page.current()) {
            const std::string wrap = wrapProblem(page.shown(i), paragraphs[i]);
            if (!wrap.empty())
                return wrap + " in paragraph " + std::to_string(i);
        }
    }
    const std::int32_t selected = app.toggleArray().selected;
    if (selected < -1 || selected >= static_cast<std::int32_t>(app.toggleArray().buttons.size()))
        return "the selector's choice is out of range";
    return {};
}

// Makes a step's edits (or takes them back) on plain data.
void replay(Script& script, const Step& step, bool undo)
{
    auto apply = [&](const ScriptEdit& edit) {
        const auto& removed = undo ? edit.after : edit.before;
        const auto& inserted = undo ? edit.before : edit.after;
        auto& list = script.paragraphs;
        if (removed.size() == 1 && inserted.size() == 1) {
            list.at(edit.at) = inserted[0];
            return;
        }
        list.erase(list.begin() + edit.at, list.begin() + edit.at + removed.size());
        list.insert(list.begin() + edit.at, inserted.begin(), inserted.end());
    };
    if (undo)
        std::for_each(step.edits.rbegin(), step.edits.rend(), apply);
    else
        std::for_each(step.edits.begin(), step.edits.end(), apply);
    if (const auto& lines = undo ? step.titleBefore : step.titleAfter)
        script.setTitlePage(*lines);
}

// Undoing every step done brings back the script as it was opened; doing them again
// gives the script as it is.
std::string brokenHistory(const App& app, const Script& opened)
{
    const Script now = app.script();
    Script script = now;
    for (std::size_t i = app.session().history.done(); i-- > 0;)
        replay(script, app.session().history.step(i), true);
    if (!(script == opened))
        return "undoing everything does not give the opened script";
    for (std::size_t i = 0; i < app.session().history.done(); ++i)
        replay(script, app.session().history.step(i), false);
    if (!(script == now))
        return "redoing everything does not give the script as it is";
    if (app.session().history.atSaved() && !app.session().saved())
        return "the history stands where the file was written, yet the script is not saved";
    return {};
}
} // namespace

class RobustnessTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        desktop.choice = {(folder / "export").string(), ExportFilter::pdfLetter};
    }
};

TEST_F(RobustnessTest, RandomEventsKeepEveryInvariant)
{
    const unsigned long seed = fromEnvironment("QUILLMERE_SEED", 20261207);
    const unsigned long count = fromEnvironment("QUILLMERE_EVENTS", 30000);
    const unsigned long renderEvery = fromEnvironment("QUILLMERE_RENDER_EVERY", 8);
    EventSource source(seed);
    unsigned long restarts = 0;
    Script opened = app->script();
    // As last opened or written (none for an import or a recovered copy): "Unsaved" shows
    // whenever the script differs.
    std::optional<Script> saved = opened;
    auto writtenNow = [&] { // each save writes a new file in the old one's place
        struct stat file {};
        return stat(("user/" + app->session().fileName + ".html").c_str(), &file) == 0 ? file.st_ino : 0;
    };
    ino_t written = writtenNow();
    for (unsigned long n = 0; n < count; ++n) {
        sf::Event event = source.next();
        desktop.choice.filter = source.pick(5);
        desktop.overwrite = source.chance(50);
        app->handleEvent(event);
        if (n % renderEvery == 0)
            app->render();
        if (app->session().history.size() == 0) { // just opened, or nothing changed since
            opened = app->script();
            saved = app->session().history.atSaved() ? std::optional<Script>(opened) : std::nullopt;
        }
        if (writtenNow() != written) {
            written = writtenNow();
            saved = app->script();
        }
        std::string broken = brokenInvariant(*app);
        if (broken.empty())
            broken = brokenHistory(*app, opened);
        if (broken.empty() && app->session().saved() != (saved && app->script() == *saved))
            broken = app->session().saved() ? "\"Unsaved\" is not shown for changed work" : "\"Unsaved\" is shown for saved work";
        ASSERT_TRUE(broken.empty()) << broken << " after event " << n << " (type " << event.type
                                    << "), seed " << seed;
        if (!app->window().isOpen()) { // the writer quit: start the program again
            app.reset();
            app = std::make_unique<App>(desktop.platform());
            opened = app->script();
            saved = opened;
            written = writtenNow();
            ++restarts;
        }
        if (app->page().size() > 400 || n % 500 == 499) { // keep each check cheap
            app->openScript("");
            opened = app->script();
            saved = opened;
            written = writtenNow();
        }
    }
    std::cout << count << " events, seed " << seed << ", " << restarts << " restarts\n";
}
