#include "files/ScriptLock.hpp"

#include "files/UserFolder.hpp"

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
fs::path lockOf(const std::string& name)
{
    return userFolder / ".open" / (name + ".lock");
}
} // namespace

void ScriptLock::hold(const std::string& name)
{
    if (fd >= 0 && held == name)
        return;
    release();
    std::error_code ignored;
    fs::create_directories(userFolder / ".open", ignored);
    fd = ::open(lockOf(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd >= 0 && flock(fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd);
        fd = -1;
    }
    held = fd >= 0 ? name : std::string();
}

void ScriptLock::release()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    held.clear();
}

// Nobody else holds the lock when it can be taken whole; this program's own share is set
// aside for the look and taken again.
bool ScriptLock::openElsewhere(const std::string& name) const
{
    if (fd >= 0 && held == name) {
        const bool alone = flock(fd, LOCK_EX | LOCK_NB) == 0;
        flock(fd, LOCK_SH | LOCK_NB);
        return !alone;
    }
    const int probe = ::open(lockOf(name).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (probe < 0)
        return false;
    const bool taken = flock(probe, LOCK_EX | LOCK_NB) != 0;
    ::close(probe);
    return taken;
}
