#pragma once

#include <SFML/Window/WindowHandle.hpp>

// What the window manager is told of the window: that it is to be shown maximised, and
// which process it belongs to (_NET_WM_PID), by which a desktop tells two windows of the
// program apart and ends one that hangs. Without a window manager nothing happens.
void maximiseWindow(sf::WindowHandle handle);
void nameWindowsProcess(sf::WindowHandle handle);
