#pragma once
// The dictionary words are checked against: Hunspell, with a language's .aff and .dic
// files as Debian installs them. Words are UTF-8.

#include <memory>
#include <string>
#include <vector>

class Hunspell;

class Speller {
public:
    // The dictionary of a language ("en_GB") in a folder; none when it is not there.
    static std::unique_ptr<Speller> open(const std::string& folder, const std::string& language);
    ~Speller();

    bool correct(const std::string& word);
    // What Hunspell offers instead, the likeliest first.
    std::vector<std::string> suggestions(const std::string& word);
    // A word of the writer's own, correct from now on.
    void add(const std::string& word);

private:
    explicit Speller(std::unique_ptr<Hunspell> hunspell);
    std::unique_ptr<Hunspell> m_hunspell;
};

// The language a locale name gives: "en_GB.UTF-8" and "en_GB@euro" give "en_GB"; "" and
// "C" give "".
std::string languageOf(const std::string& locale);
