#include "files/UserFolder.hpp"

#include "files/ScriptWriter.hpp"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

std::string scriptBase(const std::string& name)
{
    return "user/" + name;
}

bool validScriptName(const std::string& name)
{
    return !name.empty() && name[0] != '.' && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::vector<std::string> listScriptNames(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        const std::string stem = it->path().stem().string();
        if (fileName.empty() || fileName[0] == '.' || stem == "empty")
            continue;
        names.push_back(stem);
    }
    auto folded = [](const std::string& s) {
        std::string lower(s);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        return lower;
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        const std::string fa = folded(a), fb = folded(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

void ensureUserFolder()
{
    std::error_code error;
    fs::create_directories(userFolder, error);
    if (fs::exists(userFolder / "empty.html", error))
        return;
    Script empty;
    empty.paragraphs.push_back({Scene, sf::String()});
    writeScript(empty, userFolder / "empty", false);
}
