#pragma once
// Test harness: each test works in its own temporary folder holding a copy of res/ and a
// user/ folder with the template, and drives a real App on the virtual display.

#include "AsShown.hpp"
#include "app/App.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Makes a fresh working folder with res/ and user/empty.html and enters it.
std::filesystem::path enterScratchFolder();
std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
// Makes a folder refuse writes, for root too (an immutable folder); false where neither
// its mode nor its attributes can do that. makeWritable undoes it.
bool makeReadOnly(const std::filesystem::path& folder);
void makeWritable(const std::filesystem::path& folder);
// A PDF of one empty page, as small as a whole one can be.
std::string minimalPdf();

// Waits until a condition holds, up to a limit.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

// Paragraphs in test failures: their kind and text.
inline void PrintTo(const Paragraph& paragraph, std::ostream* out)
{
    const std::basic_string<sf::Uint8> text = paragraph.text.toUtf8();
    *out << kindNames.at(paragraph.kind) << (paragraph.dual ? " Dual" : "") << " \"" << std::string(text.begin(), text.end()) << "\"";
    if (paragraph.styled()) {
        *out << " styles ";
        for (const std::uint8_t style : paragraph.styles)
            *out << static_cast<int>(style);
    }
}

inline bool operator==(const WordSpan& a, const WordSpan& b)
{
    return a.begin == b.begin && a.end == b.end;
}
inline void PrintTo(const WordSpan& word, std::ostream* out)
{
    *out << "[" << word.begin << ", " << word.end << ")";
}

// A UTF-32 literal as an sf::String.
inline sf::String u32(const char32_t* text)
{
    std::basic_string<sf::Uint32> out;
    for (; *text; ++text)
        out.push_back(static_cast<sf::Uint32>(*text));
    return sf::String(out);
}


// A paragraph written as a script file marks its styles: <b>, <i> and <u> around the
// letters they style; a cue ending in " ^" is the second of a pair.
Paragraph marked(DivType kind, const char32_t* text);

// A sample screenplay's bytes, from the samples beside the project; none when they are
// not there (a clone on its own), and a test that needs them then skips.
std::optional<std::string> sampleScreenplay(const std::string& fileName);

// A sample screenplay as the tests read it: each non-empty line a paragraph, Directorial
// and Speech in turn. Empty when the samples are not beside the project.
Script sampleLines(const std::string& fileName);

// The window's current frame.
sf::Image captureFrame(App& app);

namespace ev {
sf::Event keyPressed(sf::Keyboard::Key key);
sf::Event keyReleased(sf::Keyboard::Key key);
sf::Event textEntered(sf::Uint32 code);
sf::Event pressed(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event released(int x, int y, sf::Mouse::Button button = sf::Mouse::Left);
sf::Event moved(int x, int y);
sf::Event wheel(float delta, int x = 960, int y = 500);
sf::Event resized(unsigned width, unsigned height);
sf::Event closed();
} // namespace ev

// A program that has ended by the time it is looked at, with the given status.
class FinishedProgram : public RunningProgram {
public:
    explicit FinishedProgram(int exitStatus) : status(exitStatus) {}
    std::optional<int> poll() override { return status; }
    void stop() override {}

private:
    int status;
};

// Fakes for the dialogs and the converter, recording what they were asked. The converter
// writes a small whole PDF and has ended at once.
struct FakeDesktop {
    SaveChoice choice;
    bool overwrite = false;
    int exitStatus = 0;
    std::string output = minimalPdf(); // what the converter writes; nothing when empty
    std::vector<std::string> askedNames;
    int overwriteQuestions = 0;
    std::vector<std::string> asked; // what each overwrite question named
    std::vector<std::vector<std::string>> runs;
    Platform platform();
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void send(sf::Event event) { app->handleEvent(event); }
    // Types like the keyboard does: a key press, then the character.
    void type(const std::string& utf8);
    void key(sf::Keyboard::Key code) { send(ev::keyPressed(code)); }
    // Presses or releases the left Control key.
    void holdControl(bool held);
    // A key with the left Control key held around it.
    void control(sf::Keyboard::Key code);
    void click(int x, int y);
    Page& page() { return app->page(); }
    const Paragraph& currentParagraph() { return app->page().currentParagraph(); }
    const Paragraph& paragraph(std::size_t i) { return app->page().paragraph(i); }
    // The current paragraph's lines as the sheet shows them.
    const ShownParagraph& shown() { return app->page().shown(app->page().current()); }
    std::uint32_t cursor() { return app->page().caret().index; }
    void setCursor(std::size_t index) { page().placeCaret({page().current(), static_cast<std::uint32_t>(index)}); }
    // Starts again from these paragraphs (the title page kept), as saved, the caret at the end.
    void load(std::vector<Paragraph> paragraphs);
    // The current paragraph's text made this, the caret at its end, with no history.
    void setText(const sf::String& text);

    std::filesystem::path folder;
    FakeDesktop desktop;
    std::unique_ptr<App> app;
};
