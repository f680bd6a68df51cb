#pragma once
// The mark by which a running program says it has a script of the user folder open: a
// shared lock (flock) on user/.open/NAME.lock, held while the script is open and released
// when the program ends, however it ends.

#include <string>

class ScriptLock {
public:
    ScriptLock() = default;
    ScriptLock(const ScriptLock&) = delete;
    ScriptLock& operator=(const ScriptLock&) = delete;
    ~ScriptLock() { release(); }

    // Marks the script open here, and no other.
    void hold(const std::string& name);
    void release();
    // Whether a program other than this one has the script open.
    bool openElsewhere(const std::string& name) const;

private:
    int fd = -1;
    std::string held;
};
