#include "platform/Converter.hpp"

#include <cstdio>
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

bool wholePdf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char head[5] = {};
    if (!in.read(head, 5) || std::string(head, 5) != "%PDF-")
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    const std::streamoff tail = std::min<std::streamoff>(size, 1024);
    std::string end(static_cast<std::size_t>(tail), '\0');
    in.seekg(size - tail);
    if (!in.read(end.data(), tail))
        return false;
    const std::size_t last = end.find_last_not_of(" \t\r\n\f");
    return last != std::string::npos && last >= 4 && end.compare(last - 4, 5, "%%EOF") == 0;
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
        why = "the converter failed";
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
