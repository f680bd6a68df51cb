#include "ui/Font.hpp"

const sf::Font* appFont = nullptr;

namespace {
const sf::Font* faceFonts[4] = {}; // as loaded; null where a face is missing
} // namespace

const sf::Font* appFace(bool bold, bool italic)
{
    const sf::Font* face = faceFonts[(bold ? 1 : 0) + (italic ? 2 : 0)];
    return face ? face : appFont;
}

LoadedFont::LoadedFont(const std::string& file)
{
    const std::size_t dot = file.rfind('.');
    const std::string stem = file.substr(0, dot), extension = dot == std::string::npos ? "" : file.substr(dot);
    const char* const suffixes[4] = {"", "-bold", "-italic", "-bolditalic"};
    for (int i = 0; i < 4; ++i) {
        loaded[i] = faces[i].loadFromFile(i == 0 ? file : stem + suffixes[i] + extension);
        faceFonts[i] = loaded[i] ? &faces[i] : nullptr;
    }
    appFont = &faces[0];
}

LoadedFont::~LoadedFont()
{
    if (appFont == &faces[0]) {
        appFont = nullptr;
        for (const sf::Font*& face : faceFonts)
            face = nullptr;
    }
}
