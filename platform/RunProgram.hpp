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
    // The last line it printed, on its output or its errors; empty when none was kept.
    virtual std::string lastOutput() const { return {}; }
};

// Starts a program with exactly these arguments (argv[0] is the program); nothing when it
// could not be started.
using ProgramStarter = std::function<std::unique_ptr<RunningProgram>(const std::vector<std::string>& argv)>;

// Starts a program found on PATH, without a shell, with QT_QPA_PLATFORM=offscreen added to
// its environment, what it prints kept (not mixed into the editor's own output). The
// program is stopped if it still runs when its handle goes, or when the editor ends in
// any way, a crash too.
std::unique_ptr<RunningProgram> startProgramWithoutShell(const std::vector<std::string>& argv);

// Starts one and waits for it: its exit status, or -1 when it could not be started or did
// not exit.
int runProgramWithoutShell(const std::vector<std::string>& argv);
