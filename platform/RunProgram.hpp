#pragma once

#include <string>
#include <vector>

// Runs a program found on PATH with exactly these arguments (argv[0] is the program),
// without a shell, with QT_QPA_PLATFORM=offscreen added to its environment, and waits
// for it. Returns its exit status, or -1 when it could not be started or did not exit.
int runProgramWithoutShell(const std::vector<std::string>& argv);
