#pragma once

#include <functional>
#include <string>
#include <vector>

// The export target the user chose: a path and the format filter (1 PDF, 2 HTML);
// an empty path and 0 when the dialog was cancelled.
struct SaveChoice {
    std::string path;
    int filter = 0;
};

// What the program asks of the desktop. The real program uses the real dialogs and
// runs the real converter; tests put fakes in their place.
struct Platform {
    std::function<SaveChoice(const std::string& currentName)> askSaveTarget;
    std::function<bool()> askOverwrite; // true only on an explicit yes
    std::function<int(const std::vector<std::string>& argv)> runProgram; // exit status, -1 if it could not run
};

Platform realPlatform();
