#pragma once

#include <SFML/Window/WindowHandle.hpp>

// Asks the window manager to show the window maximised; without one it does nothing.
void maximiseWindow(sf::WindowHandle handle);
