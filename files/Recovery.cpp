#include "files/Recovery.hpp"

#include "files/ScriptWriter.hpp"

#include <algorithm>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
std::string localTime(std::time_t when, const char* format)
{
    std::tm parts{};
    localtime_r(&when, &parts);
    char text[64];
    return std::strftime(text, sizeof text, format, &parts) ? text : "";
}
} // namespace

std::string RecoveredCopy::label() const
{
    return "Recovered: " + (untitled ? std::string("Untitled") : id) + " (" + localTime(written, "%Y-%m-%d %H:%M") + ")";
}

std::string untitledRecoveryId(std::time_t now)
{
    return ".untitled-" + localTime(now, "%Y-%m-%d_%H-%M-%S");
}

fs::path recoveryFile(const std::string& id)
{
    return recoveryFolder / (id + ".html");
}

bool writeRecovery(const Script& script, const std::string& id)
{
    std::error_code error;
    fs::create_directories(recoveryFolder, error);
    return writeScript(script, recoveryFolder / id, false);
}

void removeRecovery(const std::string& id)
{
    std::error_code error;
    fs::remove(recoveryFile(id), error);
}

std::vector<RecoveredCopy> listRecoveries()
{
    std::vector<RecoveredCopy> copies;
    std::error_code error;
    for (fs::directory_iterator it(recoveryFolder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        struct stat status {};
        if (path.extension() != ".html" || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            continue; // temporary files of a write that was cut short among them
        const std::string id = path.stem().string();
        copies.push_back({id, !id.empty() && id[0] == '.', status.st_mtime});
    }
    std::sort(copies.begin(), copies.end(), [](const RecoveredCopy& a, const RecoveredCopy& b) {
        return a.written != b.written ? a.written > b.written : a.id < b.id;
    });
    return copies;
}
