#pragma once

// The one question the editor asks the keyboard: is the left Control key down?
// Commands count only the left Control key, read at the moment an event is handled.
bool leftControlHeld();

// Tests answer the question themselves; 0 returns to the real keyboard.
void setLeftControlSource(bool (*source)());
