#pragma once

#include <string>

// The desktop's clipboard text as GTK reads it (UTF-8), for what SFML's own reading cannot
// take: a large text that its owner sends in pieces. Empty when there is none. Only to be
// asked when this program does not own the clipboard, or it would wait on itself.
std::string desktopClipboardText();
