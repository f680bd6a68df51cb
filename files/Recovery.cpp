#include "files/Recovery.hpp"

#include "files/ScriptWriter.hpp"
#include "files/UserFolder.hpp"
#include "files/WholeFile.hpp"

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
std::string localTime(std::time_t when, const char* format)
{
    std::tm parts{};
    localtime_r(&when, &parts);
    char text[64];
    return std::strftime(text, sizeof text, format, &parts) ? text : "";
}

fs::path lockFile(const std::string& id)
{
    return recoveryFolder / (id + ".lock");
}

// Whether a running program holds the lock of a copy.
bool heldElsewhere(const std::string& id)
{
    const int fd = ::open(lockFile(id).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false; // no lock: nobody owns it
    const bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

const std::time_t programStart = std::time(nullptr);
std::atomic<unsigned> copiesMade{0};
} // namespace

std::string RecoveredCopy::label() const
{
    return std::string(older ? "Recovered (older than the saved script): " : "Recovered: ") +
           (untitled ? std::string("Untitled") : name) + " (" + localTime(written, "%Y-%m-%d %H:%M:%S") + ")";
}

namespace {
constexpr std::size_t namedInId = 200; // bytes of the script's name a copy's file name holds

fs::path nameFile(const std::string& id)
{
    return recoveryFolder / (id + ".name");
}
} // namespace

// A name too long for a file name is cut (on a character's edge) after "~~", and kept
// whole in ID.name beside the copy.
std::string newRecoveryId(const std::string& name)
{
    const std::string start = "." + std::to_string(getpid()) + "-" + std::to_string(programStart) + "-" +
                              std::to_string(++copiesMade);
    if (name.size() <= namedInId)
        return start + "~" + name;
    std::size_t cut = namedInId;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    const std::string id = start + "~~" + name.substr(0, cut);
    std::error_code made;
    fs::create_directories(recoveryFolder, made);
    writeFileAtomically(nameFile(id), name);
    return id;
}

std::string scriptNameOfCopy(const std::string& id, bool* untitled)
{
    std::string name = id;
    if (!id.empty() && id[0] == '.') { // generated: ".PID-START-N~NAME" or ".untitled-DATE"
        const std::size_t mark = id.find('~');
        name = mark == std::string::npos ? std::string() : id.substr(mark + 1);
        std::string whole;
        if (mark != std::string::npos && id.compare(mark, 2, "~~") == 0 && readWholeFile(nameFile(id), whole))
            name = whole;
    }
    if (untitled)
        *untitled = name.empty();
    return name;
}

fs::path recoveryFile(const std::string& id)
{
    return recoveryFolder / (id + ".html");
}

fs::path journalFile(const std::string& id)
{
    return recoveryFolder / (id + ".journal");
}

bool CopyLock::take(const std::string& id)
{
    if (holds(id))
        return true;
    release();
    std::error_code ignored;
    fs::create_directories(recoveryFolder, ignored);
    fd = ::open(lockFile(id).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        fd = -1;
        return false;
    }
    heldId = id;
    return true; // without a lock file (a broken folder) the copy is ours all the same
}

void CopyLock::release()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    heldId.clear();
}

bool writeRecovery(const Script& script, const std::string& id, std::error_code* error, std::string* written)
{
    std::error_code made;
    fs::create_directories(recoveryFolder, made);
    const std::string bytes = scriptHtml(script, false, recoveryFolder / id);
    if (!writeFileAtomically(recoveryFile(id), bytes, error))
        return false;
    if (written)
        *written = bytes;
    return true;
}

void removeRecovery(const std::string& id)
{
    std::error_code error;
    fs::remove(recoveryFile(id), error);
    fs::remove(journalFile(id), error);
    fs::remove(nameFile(id), error);
    fs::remove(lockFile(id), error);
}

bool copyOlderThanScript(const std::string& id)
{
    bool untitled = false;
    const std::string name = scriptNameOfCopy(id, &untitled);
    struct stat copy {}, script {};
    if (untitled || stat(recoveryFile(id).c_str(), &copy) != 0 || stat((scriptBase(name) + ".html").c_str(), &script) != 0)
        return false;
    return script.st_mtim.tv_sec != copy.st_mtim.tv_sec ? script.st_mtim.tv_sec > copy.st_mtim.tv_sec
                                                        : script.st_mtim.tv_nsec > copy.st_mtim.tv_nsec;
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
        RecoveredCopy copy;
        copy.id = path.stem().string();
        copy.name = scriptNameOfCopy(copy.id, &copy.untitled);
        copy.held = heldElsewhere(copy.id);
        copy.written = status.st_mtime;
        copy.older = copyOlderThanScript(copy.id);
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(), [](const RecoveredCopy& a, const RecoveredCopy& b) {
        return a.written != b.written ? a.written > b.written : a.id < b.id;
    });
    return copies;
}
