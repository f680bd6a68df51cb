#include "platform/Speller.hpp"

#include <hunspell/hunspell.hxx>

#include <filesystem>

std::unique_ptr<Speller> Speller::open(const std::string& folder, const std::string& language)
{
    if (language.empty())
        return nullptr;
    const std::string base = folder + "/" + language;
    std::error_code error;
    if (!std::filesystem::is_regular_file(base + ".aff", error) || !std::filesystem::is_regular_file(base + ".dic", error))
        return nullptr;
    return std::unique_ptr<Speller>(new Speller(std::make_unique<Hunspell>((base + ".aff").c_str(), (base + ".dic").c_str())));
}

Speller::Speller(std::unique_ptr<Hunspell> hunspell) : m_hunspell(std::move(hunspell)) {}

Speller::~Speller() = default;

bool Speller::correct(const std::string& word)
{
    return m_hunspell->spell(word);
}

std::vector<std::string> Speller::suggestions(const std::string& word)
{
    return m_hunspell->suggest(word);
}

void Speller::add(const std::string& word)
{
    m_hunspell->add(word);
}

std::string languageOf(const std::string& locale)
{
    const std::string language = locale.substr(0, locale.find_first_of(".@"));
    return language == "C" || language == "POSIX" ? std::string() : language;
}
