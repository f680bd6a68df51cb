#include "files/Export.hpp"

#include "files/Fountain.hpp"
#include "files/Pagination.hpp"
#include "files/WholeFile.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

wkhtmltopdf_global_settings* globalSettings = nullptr;
wkhtmltopdf_object_settings* objectSettings = nullptr;
wkhtmltopdf_converter* converter = nullptr;

namespace {
std::string inches(float value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%gin", value);
    return text;
}

void makeObjectSettings()
{
    objectSettings = wkhtmltopdf_create_object_settings();
    wkhtmltopdf_set_object_setting(objectSettings, "web.defaultEncoding", "utf-8");
    wkhtmltopdf_set_object_setting(objectSettings, "web.enableIntelligentShrinking", "false");
}
} // namespace

void makeGlobalSettings()
{
    globalSettings = wkhtmltopdf_create_global_settings();
    wkhtmltopdf_set_global_setting(globalSettings, "page", "-");
    wkhtmltopdf_set_global_setting(globalSettings, "out", "-");
    wkhtmltopdf_set_global_setting(globalSettings, "margin.top", inches(PrintFile::topMargin).c_str());
    wkhtmltopdf_set_global_setting(globalSettings, "margin.bottom", inches(PrintFile::bottomMargin).c_str());
    wkhtmltopdf_set_global_setting(globalSettings, "margin.left", "0in");
    wkhtmltopdf_set_global_setting(globalSettings, "margin.right", "0in");
}

bool convertToPdf(const std::string& sourceBase, const std::string& targetBase, const std::string& paper)
{
    const std::string input = sourceBase + ".html";
    const std::string output = targetBase + ".pdf";
    if (!objectSettings)
        makeObjectSettings();
    wkhtmltopdf_set_object_setting(objectSettings, "page", input.c_str());
    if (!globalSettings)
        makeGlobalSettings();
    wkhtmltopdf_set_global_setting(globalSettings, "out", output.c_str());
    if (!globalSettings)
        makeGlobalSettings();
    wkhtmltopdf_set_global_setting(globalSettings, "colorMode", "Grayscale");
    wkhtmltopdf_set_global_setting(globalSettings, "size.paperSize", paper.c_str());
    if (!objectSettings)
        makeObjectSettings();
    wkhtmltopdf_set_object_setting(objectSettings, "web.userStyleSheet", "res/style.css");
    return runConverter();
}

bool runConverter()
{
    if (!globalSettings)
        makeGlobalSettings();
    if (!objectSettings)
        makeObjectSettings();
    converter = wkhtmltopdf_create_converter(globalSettings);
    wkhtmltopdf_add_object(converter, objectSettings, nullptr);
    const int result = wkhtmltopdf_convert(converter);
    globalSettings = nullptr;
    objectSettings = nullptr;
    wkhtmltopdf_destroy_converter(converter);
    converter = nullptr;
    return result != 0;
}

std::string targetBase(const std::string& target)
{
    const std::size_t slash = target.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string name = target.substr(nameStart);
    if (name == "." || name == "..")
        return target;
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0)
        return target;
    return target.substr(0, nameStart + dot);
}

bool exportFountain(const Script& script, const std::string& targetBase, const OverwriteQuestion& ask,
                    std::error_code* error)
{
    const std::string file = targetBase + ".fountain";
    std::error_code ignored;
    if (std::filesystem::exists(file, ignored) && !(ask && ask())) {
        if (error)
            *error = std::make_error_code(std::errc::file_exists);
        return false;
    }
    return writeFileAtomically(file, fountainText(script), error);
}

bool exportPdf(const Script& script, const std::string& targetBase, const Paper& paper)
{
    std::string print = (std::filesystem::temp_directory_path() / "quillmere-print-XXXXXX.html").string();
    const int fd = mkstemps(print.data(), 5);
    if (fd < 0)
        return false;
    ::close(fd);
    const std::string base = print.substr(0, print.size() - 5);
    const bool done = writeFileAtomically(print, printHtml(script, paginate(script), paper)) &&
                      convertToPdf(base, targetBase, paper.name);
    std::error_code ignored;
    std::filesystem::remove(print, ignored);
    return done;
}
