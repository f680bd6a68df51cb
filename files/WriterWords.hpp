#pragma once
// The writer's own words, correct in every script: user/.dictionary, UTF-8, a word a line,
// sorted, written whole and atomically as a script is.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

struct WriterWords {
    std::vector<std::string> words; // UTF-8
    // Why the file could not be read whole, in a few words; empty when it was (or is missing).
    std::string damage;
};

// The words of the file; none, undamaged, when it does not exist. Of a file that is not
// UTF-8 text (a zero byte, a line that is not UTF-8) the good lines are kept.
WriterWords readWriterWords(const std::filesystem::path& path);

// Writes the words sorted, one a line, without duplicates and without any that holds a
// line break or is empty; false with `error` set when the file could not be written.
bool writeWriterWords(const std::filesystem::path& path, std::vector<std::string> words, std::error_code& error);
