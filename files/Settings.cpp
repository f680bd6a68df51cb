#include "files/Settings.hpp"

#include "files/TextCodec.hpp"
#include "files/WholeFile.hpp"

#include <array>

namespace {
// Each known key with its values, the default first, in the order of its enum.
struct Key {
    const char* name;
    std::vector<const char*> values;
};
const std::array<Key, 3> keys = {{
    {"enter-and-tab", {"quillmere", "final-draft"}},
    {"lines-on-screen", {"editor", "as-printed"}},
    {"scene-numbers", {"none", "left", "right", "both"}},
}};

std::size_t valueOf(const Settings& settings, std::size_t key)
{
    switch (key) {
    case 0: return static_cast<std::size_t>(settings.keys);
    case 1: return static_cast<std::size_t>(settings.lines);
    default: return static_cast<std::size_t>(settings.sceneNumbers);
    }
}

void setValue(Settings& settings, std::size_t key, int value)
{
    switch (key) {
    case 0: settings.keys = static_cast<KeyChain>(value); break;
    case 1: settings.lines = static_cast<ScreenLines>(value); break;
    default: settings.sceneNumbers = static_cast<SceneNumbers>(value);
    }
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
} // namespace

SettingsRead readSettings(const std::filesystem::path& path)
{
    SettingsRead read;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return read;
    std::string bytes, why;
    if (!readWholeFile(path, bytes, &why))
        return {{}, why};
    std::size_t start = 0, number = 1;
    for (; start < bytes.size() && read.damage.empty(); ++number) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (trimmed(line).empty())
            continue;
        const std::size_t equals = line.find('=');
        const std::string key = equals == std::string::npos ? std::string() : trimmed(line.substr(0, equals));
        const std::string value = equals == std::string::npos ? std::string() : trimmed(line.substr(equals + 1));
        const bool utf8 = toUtf8(nameForDisplay(line)) == line && line.find('\0') == std::string::npos;
        std::size_t known = 0;
        while (known < keys.size() && key != keys[known].name)
            ++known;
        int choice = -1;
        for (std::size_t v = 0; known < keys.size() && v < keys[known].values.size(); ++v)
            if (value == keys[known].values[v])
                choice = static_cast<int>(v);
        if (!utf8 || key.empty() || value.empty() || (known < keys.size() && choice < 0))
            read.damage = "line " + std::to_string(number) + " is not a setting";
        else if (known < keys.size())
            setValue(read.settings, known, choice);
        else
            read.settings.unknown.emplace_back(key, value);
    }
    if (!read.damage.empty())
        read.settings = {};
    return read;
}

bool writeSettings(const std::filesystem::path& path, const Settings& settings, std::error_code& error)
{
    std::string bytes;
    for (std::size_t key = 0; key < keys.size(); ++key)
        bytes += std::string(keys[key].name) + " = " + keys[key].values[valueOf(settings, key)] + "\n";
    for (const auto& [key, value] : settings.unknown)
        bytes += key + " = " + value + "\n";
    return writeFileAtomically(path, bytes, &error);
}
