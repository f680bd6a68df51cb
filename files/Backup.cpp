#include "files/Backup.hpp"

#include "files/UserFolder.hpp"
#include "files/WholeFile.hpp"

#include <algorithm>
#include <ctime>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
// The oldest copies beyond the newest `backupsKept` go; the names sort by time.
void rotate(const fs::path& folder)
{
    std::vector<fs::path> copies;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".html")
            copies.push_back(it->path());
    if (copies.size() <= backupsKept)
        return;
    std::sort(copies.begin(), copies.end());
    for (std::size_t i = 0; i + backupsKept < copies.size(); ++i)
        fs::remove(copies[i], error);
}
} // namespace

bool keepBackup(const std::string& name)
{
    const fs::path saved = scriptBase(name) + ".html";
    struct stat status {};
    if (stat(saved.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return true; // nothing saved yet
    std::string bytes;
    if (!readWholeFile(saved, bytes))
        return false;
    std::tm parts{};
    localtime_r(&status.st_mtime, &parts);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &parts);
    const fs::path folder = backupFolder / name;
    std::error_code error;
    fs::create_directories(folder, error);
    if (!writeFileAtomically(folder / (std::string(stamp) + ".html"), bytes))
        return false;
    rotate(folder);
    return true;
}
