// Figures for the editor at realistic and large script sizes. Run under a display:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/quillmere-bench
#include "TestSupport.hpp"

#include "files/Export.hpp"
#include "files/Fdx.hpp"
#include "files/Fountain.hpp"
#include "files/Pagination.hpp"
#include "files/PrintFile.hpp"
#include "files/ScriptLoader.hpp"
#include "files/TextCodec.hpp"
#include "files/ScriptWriter.hpp"

#include "platform/RunProgram.hpp"

#include <SFML/OpenGL.hpp>
#include <SFML/Window/Clipboard.hpp>
#include <benchmark/benchmark.h>

#include <fstream>
#include <malloc.h>
#include <random>
#include <thread>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// One App for the whole run, in a scratch folder.
App& theApp()
{
    static App* app = [] {
        enterScratchFolder();
        Platform quiet; // no dialogs; the real converter for the export figures
        quiet.startProgram = startProgramWithoutShell;
        auto* made = new App(quiet);
        made->fileList().setOpen(false);
        return made;
    }();
    return *app;
}

// Big Fish's Fountain text, or empty when the samples are not beside the project: the
// cases that need it then say so and are skipped.
const std::string& bigFish()
{
    static const std::string bytes = sampleScreenplay("big-fish.fountain").value_or(std::string());
    return bytes;
}

bool haveBigFish(benchmark::State& state)
{
    if (bigFish().empty())
        state.SkipWithError("no sample screenplays beside the project");
    return !bigFish().empty();
}

// A page of n paragraphs in the rhythm of a real script, texts of 10 to 300 characters
// drawn from a sample screenplay, or from words of its own when there is none.
std::vector<Paragraph> rhythm(int n)
{
    static const std::string words = [] {
        std::string text = bigFish();
        for (char& c : text)
            if (c == '\n' || c == '\r' || c == '\t' || c == '<' || c == '&')
                c = ' ';
        std::mt19937 random(3);
        static const char* const pool[] = {"The", "river", "runs", "past", "a", "town", "where", "Edward", "Bloom",
                                           "tells", "his", "stories.", "Nobody", "believes", "him,", "and", "then?"};
        while (text.size() < 200000)
            text += std::string(pool[random() % 17]) + " ";
        return text;
    }();
    std::mt19937 random(n);
    const DivType rhythm[] = {Scene, Directorial, Name, Speech, Name, Parenthetical, Speech, Directorial};
    std::vector<Paragraph> paragraphs;
    for (int i = 0; i < n; ++i) {
        const DivType kind = rhythm[i % 8];
        const std::size_t length = kind == Scene || kind == Name ? 10 + random() % 20 : 10 + random() % 291;
        const std::size_t at = random() % (words.size() - length);
        paragraphs.push_back({kind, fromUtf8(words.substr(at, length))});
    }
    return paragraphs;
}

// The App with a script of n paragraphs, opened fresh.
void fillPage(App& app, int n)
{
    app.load(Script("", "", rhythm(n)));
}

// The caret in the middle paragraph, `index` into its text.
void caretInTheMiddle(App& app, std::uint32_t index)
{
    app.page().placeCaret({static_cast<std::uint32_t>(app.page().size() / 2), index});
}

void send(App& app, sf::Event event) { app.handleEvent(event); }

void typeAtEnd(benchmark::State& state)
{
    App& app = theApp();
    std::vector<Paragraph> paragraphs = rhythm(static_cast<int>(state.range(0)));
    paragraphs[paragraphs.size() / 2].text = "A short line";
    app.load(Script("", "", paragraphs));
    caretInTheMiddle(app, 12);
    for (auto _ : state) {
        send(app, ev::textEntered('a'));
        send(app, ev::textEntered(8));
    }
    state.SetLabel("letter + backspace");
}

void typeInMiddle(benchmark::State& state)
{
    App& app = theApp();
    fillPage(app, static_cast<int>(state.range(0)));
    caretInTheMiddle(app, 5);
    for (auto _ : state) {
        send(app, ev::textEntered('a'));
        send(app, ev::textEntered(8));
    }
    state.SetLabel("letter + backspace");
}

void enterInMiddle(benchmark::State& state)
{
    App& app = theApp();
    fillPage(app, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        caretInTheMiddle(app, 0);
        state.ResumeTiming();
        send(app, ev::keyPressed(sf::Keyboard::Enter));
        state.PauseTiming();
        send(app, ev::keyPressed(sf::Keyboard::BackSpace));
        state.ResumeTiming();
    }
}

// A letter and a Backspace in the middle, each followed by the frame that shows it, which
// brings the pages and the scene list up to date.
// A letter and a Backspace at the caret, each with its frame, for as long as the benchmark runs.
void typeAndRubOutAtCaret(benchmark::State& state, App& app)
{
    app.render();
    for (auto _ : state) {
        send(app, ev::textEntered('a'));
        app.render();
        send(app, ev::textEntered(8));
        app.render();
    }
}

// The same in the middle of a script of that many paragraphs.
void typeAndRubOut(benchmark::State& state, App& app, int paragraphs)
{
    fillPage(app, paragraphs);
    caretInTheMiddle(app, 5);
    typeAndRubOutAtCaret(state, app);
}

void keyAndFrame(benchmark::State& state)
{
    typeAndRubOut(state, theApp(), static_cast<int>(state.range(0)));
    state.SetLabel("letter + frame + backspace + frame");
}

// A frame of the sheet at a size; with range(1), every paragraph with runs of bold,
// italic and underlined words, so that those in view draw in their faces.
void renderFrame(benchmark::State& state)
{
    App& app = theApp();
    std::vector<Paragraph> paragraphs = rhythm(static_cast<int>(state.range(0)));
    for (std::size_t i = 0; state.range(1) && i < paragraphs.size(); ++i)
        for (std::size_t at = 0; at + 6 < paragraphs[i].text.getSize(); at += 12)
            setStyle(paragraphs[i], at, at + 6, static_cast<std::uint8_t>(1 + (at / 12) % 7), true);
    app.load(Script("", "", std::move(paragraphs)));
    app.page().scrollTo(23 * 100);
    app.render(); // the lines in view laid out once, as when they first come into view
    for (auto _ : state) {
        app.render();
        app.window().setActive(true);
        glFinish(); // count the drawing itself, not the 60 fps limit of display()
    }
    app.page().scrollTo(0);
}

void saveScript(benchmark::State& state)
{
    App& app = theApp();
    fillPage(app, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(writeScript(app.script(), "user/bench", false));
}

void openScript(benchmark::State& state)
{
    App& app = theApp();
    fillPage(app, static_cast<int>(state.range(0)));
    writeScript(app.script(), "user/bench", false);
    for (auto _ : state) {
        std::optional<Script> script = loadScript("user/bench.html");
        app.load(std::move(*script));
        app.render(); // the first frame, which lays out what it shows
    }
    // The heap a script takes once open, per paragraph: the text and what shows it.
    app.load(Script());
    const std::size_t before = mallinfo2().uordblks;
    app.load(*loadScript("user/bench.html"));
    app.render();
    state.counters["bytesPerParagraph"] = static_cast<double>(mallinfo2().uordblks - before) / static_cast<double>(state.range(0));
}

// The process's resident memory, in megabytes.
double residentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

// A script file of 50 MB from the disk to the first frame; then a letter with its frame
// there, and the memory the process holds.
void openFiftyMegabytes(benchmark::State& state)
{
    App& app = theApp();
    if (!std::filesystem::exists("user/fifty.html")) {
        Script script("", "", rhythm(370000));
        writeScript(script, "user/fifty", false);
    }
    app.load(Script());
    for (auto _ : state) {
        app.load(*loadScript("user/fifty.html"));
        app.render();
    }
    caretInTheMiddle(app, 5);
    app.render();
    auto keyAndFrame = [&app] {
        const auto before = std::chrono::steady_clock::now();
        send(app, ev::textEntered('a'));
        app.render();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count();
    };
    state.counters["firstKeyMs"] = keyAndFrame(); // with the first recovery copy
    state.counters["keyAndFrameMs"] = keyAndFrame();
    state.counters["residentMB"] = residentMegabytes();
    state.counters["fileMB"] = static_cast<double>(std::filesystem::file_size("user/fifty.html")) / (1 << 20);
    app.load(Script());
}

// A letter and a Backspace, each with its frame, in the middle of one paragraph of that
// many kilobytes: the cost must grow with the paragraph, no faster.
void typeInOneLongParagraph(benchmark::State& state)
{
    App& app = theApp();
    std::string text;
    while (text.size() < static_cast<std::size_t>(state.range(0)) * 1024)
        text += "The river runs past a town where nobody believes him. ";
    app.load(Script("", "", {{Directorial, fromUtf8(text)}}));
    app.page().placeCaret({0, static_cast<std::uint32_t>(text.size() / 2)});
    typeAndRubOutAtCaret(state, app);
    app.load(Script());
}

// Big Fish from its Fountain file to the first frame.
void openBigFish(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    App& app = theApp();
    for (auto _ : state) {
        app.load(*parseFountain(bigFish()));
        app.render();
    }
    state.SetLabel("Big Fish");
}
// A letter and a Backspace into a script kept unsaved, so that every edit goes into the
// recovery copy's journal (1), or with no copy and no journal (0: the folder is a file).
void typeJournaled(benchmark::State& state)
{
    App& app = theApp();
    std::filesystem::remove_all("user/.recovery");
    if (state.range(1) == 0)
        writeBytes("user/.recovery", "");
    fillPage(app, static_cast<int>(state.range(0)));
    caretInTheMiddle(app, 5);
    send(app, ev::textEntered('x')); // unsaved from here on: the copy, then its journal
    app.tick(App::Clock::now() + std::chrono::hours(1));
    for (auto _ : state) {
        send(app, ev::textEntered('a'));
        send(app, ev::textEntered(8));
    }
    app.session().journal.flush();
    state.counters["durableWrites"] = static_cast<double>(app.session().journal.durableWrites());
    std::filesystem::remove_all("user/.recovery");
    state.SetLabel(state.range(1) ? "journal" : "no journal");
}

// Spelling checked with the installed dictionary, or not at all, while one lives; on again after.
struct SpellingFor {
    SpellingFor(App& checked, bool on) : app(checked) { start(on); }
    ~SpellingFor() { start(true); }
    void start(bool on) { app.spelling().start(on ? "/usr/share/hunspell" : "/nonexistent", "en_US", "user/.dictionary"); }
    App& app;
};

// A letter and a Backspace, each with its frame, at a size, with spelling off (0) or on (1).
void typingWithSpelling(benchmark::State& state)
{
    App& app = theApp();
    const bool on = state.range(1) == 1;
    const SpellingFor spelling(app, on);
    typeAndRubOut(state, app, static_cast<int>(state.range(0)));
    state.SetLabel(on ? "spelling on" : "spelling off");
}

// The first frame of Big Fish in a window that shows it whole, every paragraph checked
// anew (1) or with spelling off (0).
void spellingFirstFrame(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    App& app = theApp();
    const bool on = state.range(0) == 1;
    const SpellingFor spelling(app, on);
    app.load(*parseFountain(bigFish()));
    app.page().scrollTo(0);
    const double whole = app.page().scriptHeight() + 200;
    app.page().view.setSize(app.page().view.getSize().x, static_cast<float>(whole));
    app.page().view.setCenter(app.page().view.getCenter().x, static_cast<float>(whole / 2));
    for (auto _ : state) {
        app.spelling().recount(app.script()); // the marks made anew
        app.render();
        app.window().setActive(true);
        glFinish();
    }
    state.counters["laidOut"] = static_cast<double>(app.page().laidOut());
    app.window().setView(app.window().getDefaultView());
    app.page().view = app.window().getDefaultView();
    state.SetLabel(on ? "Big Fish, spelling on" : "Big Fish, spelling off");
}

// F7 from the top of Big Fish with no marks made yet: to its first misspelling (0), or
// round the whole script when every misspelling is ignored (1).
void nextMisspelling(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    App& app = theApp();
    app.load(*parseFountain(bigFish()));
    if (state.range(0) == 1)
        while (const auto next = app.spelling().next(app.script(), {0, 0})) {
            const sf::String& text = app.script().paragraphs[next->first].text;
            app.spelling().ignore(text.substring(next->second.begin, next->second.end - next->second.begin));
        }
    for (auto _ : state) {
        app.page().placeCaret({0, 0});
        app.spelling().recount(app.script());
        send(app, ev::keyPressed(sf::Keyboard::F7));
        send(app, ev::keyPressed(sf::Keyboard::Escape));
    }
    state.SetLabel(state.range(0) == 1 ? "Big Fish, none to find" : "Big Fish, the first");
}

// Big Fish as paragraphs, a line each, Directorial and Speech in turn.
std::vector<Paragraph> bigFishLines()
{
    std::istringstream in(bigFish());
    std::vector<Paragraph> paragraphs;
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            paragraphs.push_back({paragraphs.size() % 2 ? Speech : Directorial, fromUtf8(line)});
    return paragraphs;
}

// What the history holds after a writer types 10,000 characters into Big Fish: words of
// five letters and a space, moving to another paragraph every 200 characters.
void historyMemory(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    App& app = theApp();
    const std::vector<Paragraph> paragraphs = bigFishLines();
    for (auto _ : state) {
        app.load(Script("", "", paragraphs));
        const std::size_t heapBefore = mallinfo2().uordblks;
        std::mt19937 random(11);
        for (int typed = 0; typed < 10000; ++typed) {
            if (typed % 200 == 0) {
                const auto at = static_cast<std::uint32_t>(random() % paragraphs.size());
                app.page().placeCaret({at, static_cast<std::uint32_t>(paragraphs[at].text.getSize())});
            }
            send(app, ev::textEntered(typed % 6 == 5 ? ' ' : 'a' + random() % 26));
        }
        state.counters["paragraphs"] = static_cast<double>(paragraphs.size());
        state.counters["steps"] = static_cast<double>(app.session().history.size());
        state.counters["historyMiB"] = app.session().history.bytes() / 1048576.0;
        state.counters["heapGrowthMiB"] = (mallinfo2().uordblks - heapBefore) / 1048576.0;
    }
}

// Big Fish read from Fountain, and written to it.
void importFountain(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    const std::string& bytes = bigFish();
    for (auto _ : state)
        benchmark::DoNotOptimize(parseFountain(bytes));
    state.SetLabel("Big Fish");
}

void exportFountainText(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    const Script script = *parseFountain(bigFish());
    for (auto _ : state)
        benchmark::DoNotOptimize(fountainText(script));
    state.SetLabel("Big Fish");
}

// The printed pages of a script, as the page count on screen makes them.
void paginateScript(benchmark::State& state)
{
    Script script;
    if (state.range(0) == 0) {
        if (!haveBigFish(state))
            return;
        script = *parseFountain(bigFish());
        state.SetLabel("Big Fish");
    } else {
        script = Script("", "", rhythm(static_cast<int>(state.range(0))));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(paginate(script.paragraphs, false)); // as the page count on screen does
    state.counters["pages"] = static_cast<double>(paginate(script).pages.size());
}

// The export of Big Fish to PDF, from the dialog's answer to the PDF on disk: the whole,
// the program's own part (save, pagination, print file), and the converter alone.
void exportBigFish(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    App& app = theApp();
    const Script script = *parseFountain(bigFish());
    app.load(script);
    app.session().untitled = false;
    app.session().fileName = "bigfish";
    app.platform().askSaveTarget = [](const std::string&) { return SaveChoice{"bigfish-export.pdf", ExportFilter::pdfLetter}; };
    app.platform().askOverwrite = [](const std::string&) { return true; };
    const Converter converter(startProgramWithoutShell);
    const std::string print = "bigfish-print.html";
    writeBytes(print, printHtml(script, paginate(script), usLetter));
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            if (!app.exportScript())
                state.SkipWithError("the export failed");
            while (app.exporting()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                app.tick(App::Clock::now());
            }
            break;
        case 1:
            app.saveScript();
            writeBytes(print, printHtml(app.script(), paginate(app.script()), usLetter));
            break;
        default:
            if (!convertToPdf(converter, "bigfish-print", "bigfish-alone"))
                state.SkipWithError("the converter failed");
            break;
        }
    }
    state.SetLabel(state.range(0) == 0 ? "whole export" : state.range(0) == 1 ? "program's part" : "converter alone");
}

// The window's frames while a Big Fish PDF is made beside it: the longest frame, and the
// whole export's time from the dialog's answer to the PDF in place.
void framesWhileExporting(benchmark::State& state)
{
    App& app = theApp();
    if (!haveBigFish(state))
        return;
    const Script script = *parseFountain(bigFish());
    app.load(script);
    app.session().untitled = false;
    app.session().fileName = "bigfish";
    app.platform().askSaveTarget = [](const std::string&) { return SaveChoice{"bigfish-frames.pdf", ExportFilter::pdfLetter}; };
    app.platform().askOverwrite = [](const std::string&) { return true; };
    for (auto _ : state) {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point begun = Clock::now();
        if (!app.exportScript()) {
            state.SkipWithError("the export failed");
            break;
        }
        double longest = 0;
        int frames = 0;
        while (app.exporting()) {
            const Clock::time_point frame = Clock::now();
            app.tick(frame);
            app.render();
            app.window().setActive(true);
            glFinish();
            longest = std::max(longest, std::chrono::duration<double, std::milli>(Clock::now() - frame).count());
            ++frames;
        }
        state.counters["longestFrameMs"] = longest;
        state.counters["frames"] = frames;
        state.counters["exportMs"] = std::chrono::duration<double, std::milli>(Clock::now() - begun).count();
    }
}

// The PDF export of scripts of several sizes: pagination, print file and converter.
void exportPdfSizes(benchmark::State& state)
{
    const Script script("", "", rhythm(static_cast<int>(state.range(0))));
    const Converter converter(startProgramWithoutShell);
    for (auto _ : state)
        if (!exportPdf(converter, script, "bench-export", usLetter))
            state.SkipWithError("the converter failed");
}
} // namespace

// A cut of 500 paragraphs of Big Fish across paragraphs, and its paste further on.
void cutAndPaste500(benchmark::State& state)
{
    App& app = theApp();
    if (!haveBigFish(state))
        return;
    const Script script = *parseFountain(bigFish());
    Page& page = app.page();
    for (auto _ : state) {
        state.PauseTiming();
        app.load(script);
        page.placeCaret({1000, 3});
        page.placeCaret({1500, 2}, true);
        state.ResumeTiming();
        page.cut();
        page.placeCaret({2000, 0});
        page.paste();
        state.PauseTiming();
        page.edits.clear();
        state.ResumeTiming();
    }
    state.SetLabel("Big Fish, cut and paste");
}

// A Final Draft file of N paragraphs read, and written.
void fdxImport(benchmark::State& state)
{
    const std::string bytes = fdxText(Script("", "", rhythm(static_cast<int>(state.range(0)))));
    for (auto _ : state)
        benchmark::DoNotOptimize(parseFdx(bytes));
    state.counters["KiB"] = bytes.size() / 1024.0;
}

void fdxExport(benchmark::State& state)
{
    const Script script("", "", rhythm(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(fdxText(script));
}

// A key typed in the find bar over Big Fish: "edwar" becomes "edward" and back.
void findInBigFish(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    App& app = theApp();
    app.load(*parseFountain(bigFish()));
    app.findBar().start("edwar");
    app.findBar().findBox.setCursor(5);
    for (auto _ : state) {
        send(app, ev::textEntered('d'));
        send(app, ev::textEntered(8));
    }
    app.findBar().setOpen(false);
    state.SetLabel("Big Fish, two keys");
}

// "Replace all" of EDWARD in Big Fish, as one step.
void replaceAllEdward(benchmark::State& state)
{
    if (!haveBigFish(state))
        return;
    App& app = theApp();
    const Script script = *parseFountain(bigFish());
    for (auto _ : state) {
        state.PauseTiming();
        app.load(script);
        app.findBar().start("");
        for (const char c : std::string("edward"))
            send(app, ev::textEntered(static_cast<sf::Uint32>(c)));
        app.findBar().replaceBox.setText("Eduardo");
        app.findBar().replaceBox.focused = true;
        app.findBar().findBox.focused = false;
        send(app, ev::keyPressed(sf::Keyboard::LControl));
        state.ResumeTiming();
        send(app, ev::keyPressed(sf::Keyboard::Enter)); // Control+Return: every match, one step
        state.PauseTiming();
        send(app, ev::keyReleased(sf::Keyboard::LControl));
        state.counters["replaced"] = std::stoi(app.findBar().status.getString().toAnsiString().substr(9));
        state.ResumeTiming();
    }
    app.findBar().setOpen(false);
}

// A paste of N megabytes from elsewhere: prose in lines of 60 characters, paragraphs of
// five lines (state.range(1) 1), or one line without a break (0).
void pasteLarge(benchmark::State& state)
{
    App& app = theApp();
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
    std::string text;
    for (std::size_t line = 0; text.size() < bytes; ++line) {
        text += "The rain comes down on the roof and on the yard and the hill";
        text += state.range(1) ? (line % 5 == 4 ? "\n\n" : "\n") : " ";
    }
    sf::Clipboard::setString(fromUtf8(text));
    for (auto _ : state) {
        state.PauseTiming();
        app.load(Script("", "", {{Directorial, "Before."}}));
        state.ResumeTiming();
        app.page().paste();
        state.PauseTiming();
        app.page().edits.clear();
        state.ResumeTiming();
    }
}

// Sizes: the editor's 100, 1,000 and 10,000 paragraphs, and the script sizes 1,000, 5,000
// and 20,000 (a feature film holds 1,500 to 4,000).
#define EDITOR_SIZES Arg(100)->Arg(1000)->Arg(5000)->Arg(10000)->Arg(20000)
BENCHMARK(fdxImport)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(fdxExport)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(findInBigFish)->Unit(benchmark::kMillisecond);
BENCHMARK(replaceAllEdward)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(typeAtEnd)->EDITOR_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(cutAndPaste500)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(pasteLarge)->Args({1, 0})->Args({3, 0})->Args({1, 1})->Args({3, 1})->Args({10, 1})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(typeInMiddle)->EDITOR_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(enterInMiddle)->EDITOR_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(renderFrame)->ArgsProduct({{100, 1000, 5000, 10000, 20000}, {0}})->Args({10000, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(keyAndFrame)->EDITOR_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(paginateScript)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(exportBigFish)->Arg(0)->Arg(1)->Arg(2)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(framesWhileExporting)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(importFountain)->Unit(benchmark::kMillisecond);
BENCHMARK(exportFountainText)->Unit(benchmark::kMillisecond);
BENCHMARK(historyMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(saveScript)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(openScript)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(openFiftyMegabytes)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(typeInOneLongParagraph)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(openBigFish)->Unit(benchmark::kMillisecond);
BENCHMARK(typeJournaled)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(typingWithSpelling)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(spellingFirstFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(nextMisspelling)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(exportPdfSizes)->Arg(1000)->Arg(3000)->Arg(5000)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
