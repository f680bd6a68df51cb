#pragma once
// The writer's preferences: user/.settings, UTF-8, one "key = value" a line, written whole
// and atomically. Keys this program does not know are kept as they stand, so that a newer
// version's settings survive an older one.

#include "document/DivType.hpp"
#include "files/PrintFile.hpp"

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

// How many lines the sheet shows: the editor's own widths and spacing, or the printed
// page's widths in characters and blank lines, line for line as the paper has them.
enum class ScreenLines { Editor, AsPrinted };

struct Settings {
    KeyChain keys = KeyChain::Quillmere;
    ScreenLines lines = ScreenLines::Editor;
    SceneNumbers sceneNumbers = SceneNumbers::None;
    std::vector<std::pair<std::string, std::string>> unknown; // in the file's order
};

struct SettingsRead {
    Settings settings;
    std::string damage; // why the file could not be used, in a few words; empty when it could (or is missing)
};

// The settings of the file; the defaults, undamaged, when there is none. A damaged file (a
// line that is not "key = value" in UTF-8, a known key with a value it does not take, an
// unreadable file) gives the defaults.
SettingsRead readSettings(const std::filesystem::path& path);

// Writes the settings, the known keys first, then the unknown ones in their order.
bool writeSettings(const std::filesystem::path& path, const Settings& settings, std::error_code& error);
