#include "files/WholeFile.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

// Opened without waiting, so that a FIFO cannot hold the program up; only a regular file is
// then read, in blocking mode again.
bool readWholeFile(const fs::path& path, std::string& bytes, std::string* why)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (why)
            *why = failureReason(std::error_code(errno, std::generic_category()));
        return false;
    }
    struct stat status {};
    bool ok = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (!ok && why)
        *why = "not a regular file";
    if (ok)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::string read;
    if (ok)
        read.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[1 << 16];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR) {
            if (why)
                *why = failureReason(std::error_code(errno, std::generic_category()));
            ok = false;
        }
        else if (n > 0)
            read.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (ok)
        bytes = std::move(read);
    return ok;
}

fs::path throughLinks(const fs::path& path)
{
    fs::path file = path;
    for (int hops = 0; hops < 40; ++hops) { // as many as the system follows
        std::error_code error;
        if (!fs::is_symlink(file, error))
            break;
        const fs::path to = fs::read_symlink(file, error);
        if (error)
            break;
        file = to.is_absolute() ? to : file.parent_path() / to;
    }
    return file;
}

// The temporary name is short and fixed in length, so that any name the file system takes
// for the target also has a temporary file beside it. A link is written through: the file
// it leads to is replaced, in that file's folder, and the link stays.
bool writeFileAtomically(const fs::path& link, const std::string& bytes, std::error_code* error)
{
    const fs::path target = throughLinks(link);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::string pattern = (folder / (std::string(temporaryPrefix) + "XXXXXX")).string();
    int failure = 0;
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        failure = errno;
    } else {
        std::size_t written = 0;
        while (!failure && written < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (n >= 0)
                written += static_cast<std::size_t>(n);
            else if (errno != EINTR)
                failure = errno;
        }
        if (!failure && (fchmod(fd, 0644) != 0 || fsync(fd) != 0))
            failure = errno;
        if (::close(fd) != 0 && !failure)
            failure = errno;
        if (!failure && std::rename(pattern.c_str(), target.c_str()) != 0)
            failure = errno;
        if (failure)
            ::unlink(pattern.c_str());
    }
    if (error)
        *error = failure ? std::error_code(failure, std::generic_category()) : std::error_code();
    return failure == 0;
}

std::string failureReason(const std::error_code& error)
{
    if (error == std::errc::no_space_on_device)
        return "disk full";
    std::string reason = error ? error.message() : std::string("unknown error");
    if (!reason.empty() && reason[0] >= 'A' && reason[0] <= 'Z')
        reason[0] = static_cast<char>(reason[0] - 'A' + 'a');
    return reason;
}

namespace {
std::optional<FileStamp> statOf(const fs::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileStamp{static_cast<std::uintmax_t>(status.st_size),
                     std::int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec, 0};
}
} // namespace

std::optional<FileStamp> stampOf(const fs::path& path)
{
    std::optional<FileStamp> stamp = statOf(path);
    std::string bytes;
    if (!stamp || !readWholeFile(path, bytes))
        return std::nullopt;
    stamp->size = bytes.size();
    stamp->hash = std::hash<std::string>()(bytes);
    return stamp;
}

bool changedSince(const fs::path& path, const std::optional<FileStamp>& stamp)
{
    const std::optional<FileStamp> now = statOf(path);
    if (!now)
        return false;
    if (stamp && now->size == stamp->size && now->modified == stamp->modified)
        return false;
    const std::optional<FileStamp> read = stampOf(path);
    return !stamp || !read || read->size != stamp->size || read->hash != stamp->hash;
}
