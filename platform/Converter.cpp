#include "platform/Converter.hpp"

#include <filesystem>
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

bool Converter::convert(const ConverterSettings& settings, const std::string& input, const std::string& target) const
{
    if (!run || target.empty() || input.empty())
        return false;
    const fs::path out(target);
    const fs::path partial = out.parent_path() / (".quillmere-" + std::to_string(getpid()) + ".pdf"); // short: any target name fits
    std::error_code error;
    const int status = run(converterArguments(settings, input, partial.string()));
    if (status != 0 || !fs::is_regular_file(partial, error) || fs::file_size(partial, error) == 0) {
        fs::remove(partial, error);
        return false;
    }
    fs::rename(partial, out, error);
    if (error) {
        fs::remove(partial, error);
        return false;
    }
    return true;
}
