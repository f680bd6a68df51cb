#include "platform/RunProgram.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace {
class ChildProcess : public RunningProgram {
public:
    explicit ChildProcess(pid_t pid) : child(pid) {}
    ~ChildProcess() override { stop(); }

    std::optional<int> poll() override
    {
        if (status)
            return status;
        int raw = 0;
        pid_t done;
        while ((done = waitpid(child, &raw, WNOHANG)) < 0 && errno == EINTR) {
        }
        if (done == child || done < 0)
            status = done == child && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return status;
    }

    void stop() override
    {
        if (status)
            return;
        kill(child, SIGKILL);
        int raw = 0;
        while (waitpid(child, &raw, 0) < 0 && errno == EINTR) {
        }
        status = -1;
    }

    // Waits for the end.
    int wait()
    {
        int raw = 0;
        pid_t done;
        while ((done = waitpid(child, &raw, 0)) < 0 && errno == EINTR) {
        }
        status = done == child && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return *status;
    }

private:
    pid_t child;
    std::optional<int> status;
};

std::unique_ptr<ChildProcess> spawn(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return nullptr;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    std::string offscreen = "QT_QPA_PLATFORM=offscreen";
    std::vector<char*> env;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0)
            env.push_back(*entry);
    env.push_back(offscreen.data());
    env.push_back(nullptr);

    pid_t child = 0;
    if (posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), env.data()) != 0)
        return nullptr;
    return std::make_unique<ChildProcess>(child);
}
} // namespace

std::unique_ptr<RunningProgram> startProgramWithoutShell(const std::vector<std::string>& argv)
{
    return spawn(argv);
}

int runProgramWithoutShell(const std::vector<std::string>& argv)
{
    const std::unique_ptr<ChildProcess> child = spawn(argv);
    return child ? child->wait() : -1;
}
