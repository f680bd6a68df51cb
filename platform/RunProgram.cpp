#include "platform/RunProgram.hpp"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace {
class ChildProcess : public RunningProgram {
public:
    ChildProcess(pid_t pid, int printed) : child(pid), output(printed) {}
    ~ChildProcess() override
    {
        stop();
        if (output >= 0)
            close(output);
    }

    std::string lastOutput() const override
    {
        char tail[4096];
        const off_t size = output >= 0 ? lseek(output, 0, SEEK_END) : 0;
        const off_t from = size > off_t(sizeof tail) ? size - off_t(sizeof tail) : 0;
        const ssize_t n = size > 0 ? pread(output, tail, sizeof tail, from) : 0;
        std::string text(tail, n > 0 ? static_cast<std::size_t>(n) : 0);
        // Progress lines end in a carriage return: the last line of either kind is the one.
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
            text.pop_back();
        const std::size_t start = text.find_last_of("\r\n");
        return start == std::string::npos ? text : text.substr(start + 1);
    }

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
    int output; // a file without a name holding what it printed; -1 for none
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

    // What it prints goes to a file without a name; a pipe closed by exec tells whether it started.
    const int printed = open("/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    int started[2];
    if (pipe2(started, O_CLOEXEC) != 0) {
        if (printed >= 0)
            close(printed);
        return nullptr;
    }
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) { // only calls that are safe between fork and exec
        prctl(PR_SET_PDEATHSIG, SIGKILL); // gone with the editor, however it ends
        if (getppid() != parent)
            _exit(127);
        if (printed >= 0) {
            dup2(printed, 1);
            dup2(printed, 2);
        }
        execvpe(args[0], args.data(), env.data());
        const int failed = errno;
        (void)!write(started[1], &failed, sizeof failed);
        _exit(127);
    }
    close(started[1]);
    int failed = 0;
    ssize_t n;
    while ((n = read(started[0], &failed, sizeof failed)) < 0 && errno == EINTR) {
    }
    close(started[0]);
    if (child < 0 || n > 0) { // not started: nothing runs
        if (child > 0)
            while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
            }
        if (printed >= 0)
            close(printed);
        return nullptr;
    }
    return std::make_unique<ChildProcess>(child, printed);
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
