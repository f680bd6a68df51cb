#pragma once

namespace sf {
class Font;
}
class App;

// Published by the App constructor and valid for the App's life: widgets map mouse
// pixels through the App's window and set the one font on every text they make.
extern App* appInstance;
extern const sf::Font* appFont;
