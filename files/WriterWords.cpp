#include "files/WriterWords.hpp"

#include "files/TextCodec.hpp"
#include "files/WholeFile.hpp"

#include <algorithm>

namespace {
bool isWord(const std::string& line)
{
    return !line.empty() && line.find_first_of(std::string("\n\r\0", 3)) == std::string::npos;
}
} // namespace

WriterWords readWriterWords(const std::filesystem::path& path)
{
    WriterWords read;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return read;
    std::string bytes, why;
    if (!readWholeFile(path, bytes, &why)) {
        read.damage = why;
        return read;
    }
    std::size_t start = 0, number = 1;
    for (; start < bytes.size(); ++number) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        start = end + 1;
        if (line.empty())
            continue;
        const bool utf8 = toUtf8(nameForDisplay(line)) == line;
        if (utf8 && isWord(line))
            read.words.push_back(line);
        else if (read.damage.empty())
            read.damage = "line " + std::to_string(number) + " is not a word in UTF-8";
    }
    return read;
}

bool writeWriterWords(const std::filesystem::path& path, std::vector<std::string> words, std::error_code& error)
{
    words.erase(std::remove_if(words.begin(), words.end(), [](const std::string& word) { return !isWord(word); }), words.end());
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::string bytes;
    for (const std::string& word : words)
        bytes += word + "\n";
    return writeFileAtomically(path, bytes, &error);
}
