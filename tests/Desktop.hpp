#pragma once
// Drives the real program on the virtual display as a person would: xdotool for the mouse
// and keyboard, screenshots for what only the screen shows. Every wait polls the real
// state of a window or of the screen against a deadline; X requests that fail are
// retried, never fatal.

#include "TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <thread>

int sh(const std::string& command);

// The program under test, started in the working folder; killed if still running at the end.
class Program {
public:
    // Starts the program and waits until its window is on the screen and drawn.
    void start();
    // Starts the program and waits for its window; false when it did not appear.
    bool launch();
    bool running();
    bool ended();
    void kill(); // SIGKILL, as a crash or the system would end it
    // The id of its window, found by its process.
    std::string window();
    ~Program();
    pid_t child = -1;
};

// What the window manager does when the user closes the window.
void requestClose();
void clickAt(int x, int y);
void typeText(const std::string& text);
void keys(const std::string& names);
// The id of the first window whose name matches, or "" after the wait.
std::string windowNamed(const std::string& pattern, std::chrono::milliseconds limit = std::chrono::seconds(10));
// Waits until the window is viewable, then gives it the keyboard; fails the test when
// either does not happen in time.
void focusWindow(const std::string& id);
// Control and a key, as fast as xdotool sends them, to the program's window (the first
// one when not given).
void controlKey(const std::string& key, const std::string& window = "");
bool unsavedLabelShown(const sf::Image& image);
// The screen once it has stopped changing: what the program draws after the input sent.
sf::Image screenshot();
// Screenshots until one shows what is asked; the last one. The test fails when none did.
sf::Image screenWhen(const std::function<bool(const sf::Image&)>& shows,
                     std::chrono::milliseconds limit = std::chrono::seconds(10));
// Two screenshots that differ somewhere.
bool differ(const sf::Image& a, const sf::Image& b);
// A dialog of the program stands over the window: the dimmed background.
bool dimmed(const sf::Image& image);
bool inkIn(const sf::Image& image, unsigned left, unsigned top, unsigned width, unsigned height);

// Each test in a scratch folder of its own.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { folder = enterScratchFolder(); }
    void TearDown() override;
    std::filesystem::path folder;
};
