#include "platform/RunProgram.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

extern char** environ;

int runProgramWithoutShell(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return -1;
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
        return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
