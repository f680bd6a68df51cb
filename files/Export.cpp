#include "files/Export.hpp"

#include "files/Fountain.hpp"
#include "files/Pagination.hpp"
#include "files/WholeFile.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
std::string inches(float value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%gin", value);
    return text;
}
} // namespace

ConverterSettings pdfSettings(const std::string& paper)
{
    ConverterSettings settings;
    settings.paper = paper;
    settings.marginTop = inches(PrintFile::topMargin);
    settings.marginBottom = inches(PrintFile::bottomMargin);
    settings.grayscale = true;
    settings.userStyleSheet = "res/style.css";
    return settings;
}

bool convertToPdf(const Converter& converter, const std::string& sourceBase, const std::string& targetBase,
                  const std::string& paper)
{
    return converter.convert(pdfSettings(paper), sourceBase + ".html", targetBase + ".pdf");
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

bool exportPdf(const Converter& converter, const Script& script, const std::string& targetBase, const Paper& paper)
{
    std::string print = (std::filesystem::temp_directory_path() / "quillmere-print-XXXXXX.html").string();
    const int fd = mkstemps(print.data(), 5);
    if (fd < 0)
        return false;
    ::close(fd);
    const std::string base = print.substr(0, print.size() - 5);
    const bool done = writeFileAtomically(print, printHtml(script, paginate(script), paper)) &&
                      convertToPdf(converter, base, targetBase, paper.name);
    std::error_code ignored;
    std::filesystem::remove(print, ignored);
    return done;
}
