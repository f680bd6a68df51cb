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

namespace {
int failedRequests = 0;
int countFailure(Display*, XErrorEvent*)
{
    ++failedRequests;
    return 0;
}

// A connection to the display on which a failed request is counted, not fatal.
struct XConnection {
    XConnection() : display(XOpenDisplay(nullptr)) { XSetErrorHandler(countFailure); }
    ~XConnection()
    {
        if (display)
            XCloseDisplay(display);
    }
    Display* display;
};

bool viewable(Display* display, Window window)
{
    XWindowAttributes attributes{};
    failedRequests = 0;
    const bool known = XGetWindowAttributes(display, window, &attributes) != 0;
    return known && failedRequests == 0 && attributes.map_state == IsViewable;
}

// Whether the keyboard goes to the window or to one inside it.
bool hasFocus(Display* display, Window window)
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    while (focus > 1 && focus != window) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, focus, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        focus = parent;
    }
    return focus == window;
}

bool sameImage(const sf::Image& a, const sf::Image& b)
{
    const std::size_t bytes = 4u * a.getSize().x * a.getSize().y;
    return a.getSize() == b.getSize() && std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), bytes) == 0;
}

sf::Image grab()
{
    sf::Image image;
    for (int attempt = 0; attempt < 5; ++attempt)
        if (sh("import -window root shot.png 2>/dev/null") == 0 && image.loadFromFile("shot.png"))
            break;
    return image;
}
} // namespace

void Program::start()
{
    for (int attempt = 0; attempt < 3 && !launch(); ++attempt)
        std::this_thread::sleep_for(1s);
    ASSERT_TRUE(running()) << "the program did not show its window";
    const std::string id = windowNamed("^Quillmere$");
    XConnection x;
    ASSERT_TRUE(eventually([&] { return viewable(x.display, std::stoul(id)); })) << "the window is not viewable";
    screenWhen(dimmed); // drawn: the file list over the window
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

std::string Program::window()
{
    std::string id;
    eventually([&] {
        FILE* search = popen(("xdotool search --pid " + std::to_string(child) + " 2>/dev/null | head -1").c_str(), "r");
        char line[64] = {};
        id = fgets(line, sizeof line, search) ? std::string(line, strcspn(line, "\n")) : std::string();
        pclose(search);
        return !id.empty();
    });
    return id;
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

void focusWindow(const std::string& id)
{
    ASSERT_FALSE(id.empty()) << "no window to focus";
    XConnection x;
    const Window window = std::stoul(id);
    ASSERT_TRUE(eventually([&] { return viewable(x.display, window); })) << "window " << id << " never became viewable";
    ASSERT_TRUE(eventually([&] {
        failedRequests = 0;
        XSetInputFocus(x.display, window, RevertToParent, CurrentTime);
        XSync(x.display, False);
        return failedRequests == 0 && hasFocus(x.display, window);
    })) << "window " << id << " did not take the keyboard";
}

// Control and a key, as fast as xdotool sends them.
void controlKey(const std::string& key, const std::string& window)
{
    focusWindow(window.empty() ? windowNamed("^Quillmere$") : window);
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

// Two shots a tenth of a second apart that agree: the program has drawn what it was sent.
sf::Image screenshot()
{
    sf::Image last = grab();
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(100ms);
        sf::Image next = grab();
        if (sameImage(last, next))
            return next;
        last = next;
    }
    ADD_FAILURE() << "the screen never stopped changing";
    return last;
}

sf::Image screenWhen(const std::function<bool(const sf::Image&)>& shows, std::chrono::milliseconds limit)
{
    sf::Image image;
    if (eventually([&] { return shows(image = screenshot()); }, limit))
        return image;
    ADD_FAILURE() << "the screen never showed what was awaited";
    return image;
}

bool differ(const sf::Image& a, const sf::Image& b)
{
    return !sameImage(a, b);
}

// Behind a dialog the window's colour (20, 20, 40) is dimmed towards grey.
bool dimmed(const sf::Image& image)
{
    const sf::Color corner = image.getPixel(1900, 970);
    return image.getSize().x > 1900 && corner != sf::Color(20, 20, 40) && corner.r > 40;
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
