#include "Desktop.hpp"

#include <X11/Xlib.h>

#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int sh(const std::string& command)
{
    return std::system(command.c_str());
}

void Program::start()
{
    for (int attempt = 0; attempt < 3 && !launch(); ++attempt)
        std::this_thread::sleep_for(1s);
    ASSERT_TRUE(running()) << "the program did not show its window";
    std::this_thread::sleep_for(500ms);
}

bool Program::launch()
{
    child = fork();
    if (child == 0) {
        execl(QUILLMERE_BINARY, QUILLMERE_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    if (eventually([] { return sh("xdotool search --name '^Quillmere$' >/dev/null 2>&1") == 0; }, 20s))
        return true;
    kill();
    return false;
}

bool Program::running()
{
    int status = 0;
    return child > 0 && waitpid(child, &status, WNOHANG) == 0;
}

bool Program::ended()
{
    return eventually([this] { return !running(); });
}

void Program::kill()
{
    if (child <= 0)
        return;
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    child = -1;
}

Program::~Program()
{
    if (running())
        kill();
}

// What the window manager does when the user closes the window.
void requestClose()
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    FILE* search = popen("xdotool search --name '^Quillmere$' | head -1", "r");
    unsigned long window = 0;
    ASSERT_EQ(fscanf(search, "%lu", &window), 1);
    pclose(search);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

void clickAt(int x, int y) { sh("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1"); }
void typeText(const std::string& text) { sh("xdotool type --delay 40 '" + text + "'"); }
void keys(const std::string& names) { sh("xdotool key --delay 80 " + names); }

// The id of the first window whose name matches, or "" after the wait.
std::string windowNamed(const std::string& pattern, std::chrono::milliseconds limit)
{
    std::string id;
    eventually([&] {
        FILE* search = popen(("xdotool search --name '" + pattern + "' 2>/dev/null | head -1").c_str(), "r");
        char line[64] = {};
        id = fgets(line, sizeof line, search) ? std::string(line, strcspn(line, "\n")) : std::string();
        pclose(search);
        return !id.empty();
    }, limit);
    return id;
}

void focusWindow(const std::string& id) { sh("xdotool windowfocus --sync " + id); }

// Control and a key, as fast as xdotool sends them.
void controlKey(const std::string& key)
{
    focusWindow(windowNamed("^Quillmere$"));
    sh("xdotool key ctrl+" + key);
}

bool unsavedLabelShown(const sf::Image& image)
{
    for (unsigned x = 1650; x < 1740; ++x)
        for (unsigned y = 100; y < 125; ++y)
            if (image.getPixel(x, y).r > 200)
                return true;
    return false;
}

sf::Image screenshot()
{
    std::this_thread::sleep_for(700ms);
    sh("import -window root shot.png");
    sf::Image image;
    image.loadFromFile("shot.png");
    return image;
}

bool inkIn(const sf::Image& image, unsigned left, unsigned top, unsigned width, unsigned height)
{
    for (unsigned x = left; x < left + width; ++x)
        for (unsigned y = top; y < top + height; ++y)
            if (image.getPixel(x, y).r < 90)
                return true;
    return false;
}

void DesktopTest::TearDown()
{
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);
}
