#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A program started beside the editor, which goes on drawing while it runs.
class RunningProgram {
public:
    virtual ~RunningProgram() = default;
    // Its exit status once it has ended (-1 when a signal ended it); nothing while it runs.
    virtual std::optional<int> poll() = 0;
    // Ends it at once and waits for it to be gone.
    virtual void stop() = 0;
};

// Starts a program with exactly these arguments (argv[0] is the program); nothing when it
// could not be started.
using ProgramStarter = std::function<std::unique_ptr<RunningProgram>(const std::vector<std::string>& argv)>;

// Starts a program found on PATH, without a shell, with QT_QPA_PLATFORM=offscreen added to
// its environment. The program is stopped if it still runs when its handle goes.
std::unique_ptr<RunningProgram> startProgramWithoutShell(const std::vector<std::string>& argv);

// Starts one and waits for it: its exit status, or -1 when it could not be started or did
// not exit.
int runProgramWithoutShell(const std::vector<std::string>& argv);
