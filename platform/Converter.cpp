#include "platform/Converter.hpp"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// A file name that the program cannot take for an option.
std::string asPath(const std::string& path)
{
    return !path.empty() && path[0] == '-' ? "./" + path : path;
}
} // namespace

std::vector<std::string> converterArguments(const ConverterSettings& settings, const std::string& input,
                                            const std::string& output)
{
    std::vector<std::string> argv = {"wkhtmltopdf", "--quiet", "--enable-local-file-access"};
    for (const auto& [flag, value] : {std::pair{"-B", &settings.marginBottom}, std::pair{"-L", &settings.marginLeft},
                                      std::pair{"-R", &settings.marginRight}, std::pair{"-T", &settings.marginTop}})
        if (!value->empty())
            argv.insert(argv.end(), {flag, *value});
    if (settings.grayscale)
        argv.push_back("--grayscale");
    if (!settings.paper.empty())
        argv.insert(argv.end(), {"--page-size", settings.paper});
    if (!settings.encoding.empty())
        argv.insert(argv.end(), {"--encoding", settings.encoding});
    if (!settings.userStyleSheet.empty())
        argv.insert(argv.end(), {"--user-style-sheet", settings.userStyleSheet});
    argv.push_back(asPath(input));
    argv.push_back(asPath(output));
    return argv;
}

// A converter that stops half way, or writes something else, leaves no cross-reference
// where the file's end says it is, or no page.
bool wholePdf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.compare(0, 5, "%PDF-") != 0)
        return false;
    const std::size_t last = bytes.find_last_not_of(" \t\r\n\f");
    if (last == std::string::npos || last < 4 || bytes.compare(last - 4, 5, "%%EOF") != 0)
        return false;
    const std::size_t startxref = bytes.rfind("startxref", last);
    if (startxref == std::string::npos || last - startxref > 64)
        return false;
    char* after = nullptr;
    const unsigned long long offset = std::strtoull(bytes.c_str() + startxref + 9, &after, 10);
    if (after == bytes.c_str() + startxref + 9 || offset >= startxref)
        return false;
    const bool table = bytes.compare(offset, 4, "xref") == 0;
    const bool stream = std::isdigit(static_cast<unsigned char>(bytes[offset])) && bytes.find(" obj", offset) < offset + 24;
    if (!table && !stream)
        return false;
    for (std::size_t at = bytes.find("/Type"); at != std::string::npos; at = bytes.find("/Type", at + 5)) {
        std::size_t name = bytes.find_first_not_of(" \r\n", at + 5);
        if (name != std::string::npos && bytes.compare(name, 5, "/Page") == 0 &&
            (name + 5 >= bytes.size() || !std::isalnum(static_cast<unsigned char>(bytes[name + 5]))))
            return true;
    }
    return false;
}

Conversion::Conversion(std::unique_ptr<RunningProgram> running, std::string partialFile, std::string targetFile)
    : program(std::move(running)), partial(std::move(partialFile)), target(std::move(targetFile))
{
    if (!program) {
        now = State::Failed;
        why = "the converter could not be started";
    }
}

Conversion::~Conversion()
{
    if (now == State::Running)
        stop("stopped");
}

Conversion::State Conversion::poll()
{
    if (now == State::Running)
        if (const std::optional<int> status = program->poll())
            finish(*status);
    return now;
}

void Conversion::stop(const std::string& reason)
{
    if (now != State::Running)
        return;
    program->stop();
    std::error_code error;
    fs::remove(partial, error);
    now = State::Failed;
    why = reason;
}

void Conversion::finish(int status)
{
    std::error_code error;
    now = State::Failed;
    if (status != 0)
        why = "the converter failed" + (program->lastOutput().empty() ? std::string() : ": " + program->lastOutput());
    else if (!fs::is_regular_file(partial, error) || !wholePdf(partial))
        why = "the converter wrote no whole PDF";
    else if (fs::rename(partial, target, error); error)
        why = error.message();
    else
        now = State::Done;
    if (now != State::Done)
        fs::remove(partial, error);
}

std::unique_ptr<Conversion> Converter::begin(const ConverterSettings& settings, const std::string& input,
                                             const std::string& target) const
{
    const fs::path out(target);
    const std::string partial = (out.parent_path() / (".quillmere-" + std::to_string(getpid()) + ".pdf")).string(); // short: any target name fits
    std::unique_ptr<RunningProgram> running;
    if (start && !target.empty() && !input.empty())
        running = start(converterArguments(settings, input, partial));
    return std::make_unique<Conversion>(std::move(running), partial, target);
}

bool Converter::convert(const ConverterSettings& settings, const std::string& input, const std::string& target) const
{
    const std::unique_ptr<Conversion> conversion = begin(settings, input, target);
    while (conversion->poll() == Conversion::State::Running)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return conversion->state() == Conversion::State::Done;
}
