#include "platform/Converter.hpp"

#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

struct wkhtmltopdf_converter {
    std::unique_ptr<wkhtmltopdf_global_settings> global;
    std::vector<std::unique_ptr<wkhtmltopdf_object_settings>> objects;
};

namespace {
ProgramRunner runner;

// The last value set under a name, or "".
std::string valueOf(const std::vector<std::pair<std::string, std::string>>& values, const std::string& name)
{
    std::string found;
    for (const auto& [key, value] : values)
        if (key == name)
            found = value;
    return found;
}

// A file name that the program cannot take for an option.
std::string asPath(const std::string& path)
{
    return !path.empty() && path[0] == '-' ? "./" + path : path;
}
} // namespace

int wkhtmltopdf_init(int) { return 1; }
int wkhtmltoimage_init(int) { return 1; }
void setConverterRunner(ProgramRunner run) { runner = std::move(run); }

wkhtmltopdf_global_settings* wkhtmltopdf_create_global_settings() { return new wkhtmltopdf_global_settings; }
wkhtmltopdf_object_settings* wkhtmltopdf_create_object_settings() { return new wkhtmltopdf_object_settings; }

int wkhtmltopdf_set_global_setting(wkhtmltopdf_global_settings* settings, const char* name, const char* value)
{
    settings->values.emplace_back(name, value);
    return 1;
}

int wkhtmltopdf_set_object_setting(wkhtmltopdf_object_settings* settings, const char* name, const char* value)
{
    settings->values.emplace_back(name, value);
    return 1;
}

wkhtmltopdf_converter* wkhtmltopdf_create_converter(wkhtmltopdf_global_settings* settings)
{
    auto* converter = new wkhtmltopdf_converter;
    converter->global.reset(settings);
    return converter;
}

void wkhtmltopdf_add_object(wkhtmltopdf_converter* converter, wkhtmltopdf_object_settings* settings, const char*)
{
    converter->objects.emplace_back(settings);
}

void wkhtmltopdf_destroy_converter(wkhtmltopdf_converter* converter)
{
    delete converter;
}

// Settings the program has no option for (the global "page", intelligent shrinking,
// which Debian's build lacks) are left out, as the library ignores what it cannot use.
std::vector<std::string> converterArguments(const wkhtmltopdf_converter& converter, const std::string& output)
{
    std::vector<std::string> argv = {"wkhtmltopdf", "--quiet", "--enable-local-file-access"};
    static const std::map<std::string, std::string> margins = {
        {"margin.top", "-T"}, {"margin.bottom", "-B"}, {"margin.left", "-L"}, {"margin.right", "-R"}};
    const auto& global = converter.global->values;
    for (const auto& [name, flag] : margins) {
        const std::string value = valueOf(global, name);
        if (!value.empty())
            argv.insert(argv.end(), {flag, value});
    }
    if (valueOf(global, "colorMode") == "Grayscale")
        argv.push_back("--grayscale");
    const std::string paper = valueOf(global, "size.paperSize");
    if (!paper.empty())
        argv.insert(argv.end(), {"--page-size", paper});
    std::vector<std::string> pages;
    for (const auto& object : converter.objects) {
        const std::string encoding = valueOf(object->values, "web.defaultEncoding");
        if (!encoding.empty())
            argv.insert(argv.end(), {"--encoding", encoding});
        const std::string style = valueOf(object->values, "web.userStyleSheet");
        if (!style.empty())
            argv.insert(argv.end(), {"--user-style-sheet", style});
        pages.push_back(asPath(valueOf(object->values, "page")));
    }
    argv.insert(argv.end(), pages.begin(), pages.end());
    argv.push_back(asPath(output));
    return argv;
}

int wkhtmltopdf_convert(wkhtmltopdf_converter* converter)
{
    const std::string out = valueOf(converter->global->values, "out");
    if (!runner || out.empty() || out == "-" || converter->objects.empty())
        return 0;
    const fs::path target(out);
    const fs::path partial = target.parent_path() / (".quillmere-" + std::to_string(getpid()) + ".pdf"); // short: any target name fits
    std::error_code error;
    const int status = runner(converterArguments(*converter, partial.string()));
    if (status != 0 || !fs::is_regular_file(partial, error) || fs::file_size(partial, error) == 0) {
        fs::remove(partial, error);
        return 0;
    }
    fs::rename(partial, target, error);
    if (error) {
        fs::remove(partial, error);
        return 0;
    }
    return 1;
}
