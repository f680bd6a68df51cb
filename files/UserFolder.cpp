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

std::string nameFromTitle(const std::string& title)
{
    if (title == "[Title here]")
        return {};
    std::string name;
    for (const char c : title) {
        const char one = c == '/' ? '-' : c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
        if (one != '\0' && !(one == ' ' && (name.empty() || name.back() == ' ')))
            name.push_back(one);
    }
    name.erase(0, name.find_first_not_of(". "));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.size() > longestScriptName) {
        std::size_t cut = longestScriptName;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return name;
}

namespace {
bool ofKind(const std::string& extension, const std::string& wanted)
{
    return wanted.empty() ? extension != ".fountain" && extension != ".fdx" : extension == wanted;
}

// The stems of the entries with the extension, or with "" of every entry but the Fountain
// and Final Draft files.
std::vector<std::string> listStems(const fs::path& folder, const std::string& extension)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        const std::string stem = it->path().stem().string();
        if (fileName.empty() || fileName[0] == '.' || stem == "empty" || !ofKind(it->path().extension().string(), extension))
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
} // namespace

std::vector<std::string> listScriptNames(const fs::path& folder)
{
    return listStems(folder, "");
}

std::vector<std::string> listFountainNames(const fs::path& folder)
{
    return listStems(folder, ".fountain");
}

std::vector<std::string> listFdxNames(const fs::path& folder)
{
    return listStems(folder, ".fdx");
}

void ensureUserFolder()
{
    std::error_code error;
    fs::create_directories(userFolder, error);
    removeStaleTemporaries(userFolder);
    removeStaleTemporaries(userFolder / ".recovery");
    if (fs::exists(userFolder / "empty.html", error))
        return;
    Script empty;
    empty.paragraphs.push_back({Scene, sf::String()});
    writeScript(empty, userFolder / "empty", false);
}

// A write cut short by a crash leaves its hidden temporary file; one untouched for ten
// minutes belongs to no write still going on.
void removeStaleTemporaries(const fs::path& folder)
{
    const auto stale = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.rfind(temporaryPrefix, 0) == 0 && it->last_write_time(ignored) < stale && !ignored)
            fs::remove(it->path(), ignored);
    }
}
