#include "files/Export.hpp"

#include "files/Fdx.hpp"
#include "files/Fountain.hpp"
#include "files/Pagination.hpp"
#include "files/WholeFile.hpp"
#include "platform/Platform.hpp"

#include <cerrno>
#include <csignal>
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

int exportFilterOf(const std::string& target, int filter)
{
    const std::string base = targetBase(target);
    std::string extension = target.substr(base.size());
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (extension == ".pdf")
        return filter == ExportFilter::pdfA4 ? ExportFilter::pdfA4 : ExportFilter::pdfLetter;
    if (extension == ".html" || extension == ".htm")
        return ExportFilter::html;
    if (extension == ".fountain")
        return ExportFilter::fountain;
    if (extension == ".fdx")
        return ExportFilter::finalDraft;
    return filter;
}

bool exportFountain(const Script& script, const std::string& targetBase, const OverwriteQuestion& ask,
                    std::error_code* error)
{
    const std::string file = targetBase + ".fountain";
    if (!mayReplace({file}, ask, error))
        return false;
    return writeFileAtomically(file, fountainText(script), error);
}

bool exportFdx(const Script& script, const std::string& targetBase, const OverwriteQuestion& ask, std::error_code* error)
{
    const std::string file = targetBase + ".fdx";
    if (!mayReplace({file}, ask, error))
        return false;
    return writeFileAtomically(file, fdxText(script), error);
}

PdfExport::PdfExport(const Converter& converter, const Script& script, const std::string& targetBase, const Paper& paper,
                     SceneNumbers numbers)
    : pdf(targetBase + ".pdf")
{
    std::error_code made;
    std::filesystem::create_directories(printFolder, made);
    std::filesystem::permissions(printFolder, std::filesystem::perms::owner_all, made);
    std::string print = (std::filesystem::absolute(printFolder, made) / ("print-" + std::to_string(getpid()) + "-XXXXXX.html")).string();
    const int fd = mkstemps(print.data(), 5); // mode 0600
    bool written = fd >= 0;
    if (written) {
        printFile = print;
        const std::string bytes = printHtml(script, paginate(script), paper, PrintLayout::finalDraft, numbers);
        for (std::size_t done = 0; written && done < bytes.size();) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            written = n > 0 || (n < 0 && errno == EINTR);
            done += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        written = ::close(fd) == 0 && written;
    }
    if (written) {
        conversion = converter.begin(pdfSettings(paper.name), printFile, pdf);
        // Where its temporary PDF stands, for the next start to remove should this program die first.
        partialNote = (std::filesystem::path(printFolder) / ("partial-" + std::to_string(getpid()))).string();
        writeFileAtomically(partialNote, conversion->partialFile());
    } else
        conversion = std::make_unique<Conversion>(nullptr, std::string(), pdf); // failed: no print file
}

void removeStalePrintFiles(const std::filesystem::path& folder)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool print = name.compare(0, 6, "print-") == 0, partial = name.compare(0, 8, "partial-") == 0;
        if (!print && !partial)
            continue;
        const long pid = std::strtol(name.c_str() + (print ? 6 : 8), nullptr, 10);
        std::error_code ignored;
        if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        std::string pdf;
        const std::string own = ".quillmere-" + std::to_string(pid) + ".pdf"; // never any other file
        if (partial && readWholeFile(it->path(), pdf) && std::filesystem::path(pdf).filename() == own)
            std::filesystem::remove(pdf, ignored);
        std::filesystem::remove(it->path(), ignored);
    }
}

PdfExport::~PdfExport()
{
    conversion.reset(); // stops the converter before its input goes
    std::error_code ignored;
    if (!printFile.empty())
        std::filesystem::remove(printFile, ignored);
    if (!partialNote.empty())
        std::filesystem::remove(partialNote, ignored);
}

bool exportPdf(const Converter& converter, const Script& script, const std::string& targetBase, const Paper& paper,
               SceneNumbers numbers)
{
    PdfExport running(converter, script, targetBase, paper, numbers);
    while (running.poll() == Conversion::State::Running)
        usleep(5000);
    return running.poll() == Conversion::State::Done;
}
