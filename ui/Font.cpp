#include "ui/Font.hpp"

const sf::Font* appFont = nullptr;

LoadedFont::LoadedFont(const std::string& file)
{
    loaded.loadFromFile(file);
    appFont = &loaded;
}

LoadedFont::~LoadedFont()
{
    if (appFont == &loaded)
        appFont = nullptr;
}
