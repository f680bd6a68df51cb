#include "files/Backup.hpp"

#include "files/UserFolder.hpp"
#include "files/WholeFile.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

// The backup's name for a time in milliseconds.
std::string stampOf(long long milliseconds)
{
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char stamp[40];
    const std::size_t n = std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &parts);
    std::snprintf(stamp + n, sizeof stamp - n, "-%03lld.html", milliseconds % 1000);
    return stamp;
}
} // namespace

bool keepBackup(const std::string& name, std::error_code* error)
{
    const fs::path saved = scriptBase(name) + ".html";
    struct stat status {};
    if (stat(saved.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return true; // nothing saved yet
    const fs::path folder = backupFolder / name;
    std::error_code made;
    if (!fs::create_directories(folder, made) && made) { // the real reason, not a missing folder later
        if (error)
            *error = made;
        return false;
    }
    long long at = status.st_mtim.tv_sec * 1000LL + status.st_mtim.tv_nsec / 1000000;
    std::error_code ignored;
    while (fs::exists(folder / stampOf(at), ignored))
        ++at;
    const fs::path backup = folder / stampOf(at);
    // A save puts a new file in the old one's place, so a second name for the old one keeps
    // it whole and takes no room on the disk; a copy only where the system cannot link.
    if (::linkat(AT_FDCWD, saved.c_str(), AT_FDCWD, backup.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        std::string bytes;
        if (!readWholeFile(saved, bytes)) {
            if (error)
                *error = std::make_error_code(std::errc::io_error);
            return false;
        }
        if (!writeFileAtomically(backup, bytes, error))
            return false;
    }
    rotate(folder);
    return true;
}
