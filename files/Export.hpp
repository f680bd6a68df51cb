#pragma once

#include "document/Script.hpp"
#include "files/PrintFile.hpp"
#include "files/ScriptWriter.hpp"
#include "platform/Converter.hpp"

#include <string>
#include <system_error>

// The converter's settings for a print file on paper of the given size ("Letter" or
// "A4"): grey-scale, the print file's margins at top and bottom and none at the sides,
// with res/style.css on top of the file's own style.
ConverterSettings pdfSettings(const std::string& paper);

// Renders sourceBase + ".html" into targetBase + ".pdf" with those settings.
bool convertToPdf(const Converter& converter, const std::string& sourceBase, const std::string& targetBase,
                  const std::string& paper = "Letter");

// The chosen path without the extension of its last component: the last dot and what
// follows go, unless the name's only dot is its first character or it is "." or "..".
std::string targetBase(const std::string& target);
// The format a target is written in: the one its typed extension names (.pdf, .html,
// .htm, .fountain, .fdx, in any case; a PDF on the filter's paper), else the filter's.
int exportFilterOf(const std::string& target, int filter);

// Writes the script as Fountain text to targetBase + ".fountain", asking before it
// replaces a file; false (with `error` saying why) when nothing was written.
bool exportFountain(const Script& script, const std::string& targetBase, const OverwriteQuestion& ask,
                    std::error_code* error = nullptr);

// Writes the script as a Final Draft file to targetBase + ".fdx", asking before it
// replaces a file; false (with `error` saying why) when nothing was written.
bool exportFdx(const Script& script, const std::string& targetBase, const OverwriteQuestion& ask,
               std::error_code* error = nullptr);

// Where print files are made: in the user's own folder, not in one every user can read.
inline const std::filesystem::path printFolder = "user/.export";
// Removes the print files and temporary PDFs that programs no longer running left behind
// (a crash mid-export).
void removeStalePrintFiles(const std::filesystem::path& folder = printFolder);

// The script as screenplay pages in targetBase + ".pdf", under way beside the editor: the
// script paginated as it was when the export began, laid out in a print file of page boxes
// (printFolder/print-PID-XXXXXX.html, readable by its owner only, gone with the export)
// and rendered by the converter.
class PdfExport {
public:
    PdfExport(const Converter& converter, const Script& script, const std::string& targetBase, const Paper& paper,
              SceneNumbers numbers = SceneNumbers::None);
    PdfExport(const PdfExport&) = delete;
    PdfExport& operator=(const PdfExport&) = delete;
    ~PdfExport();

    Conversion::State poll() { return conversion->poll(); }
    void stop(const std::string& why) { conversion->stop(why); }
    const std::string& problem() const { return conversion->problem(); }
    const std::string& target() const { return pdf; }

private:
    std::string pdf;
    std::string printFile;
    std::string partialNote; // printFolder/partial-PID: the temporary PDF's path while it is made
    std::unique_ptr<Conversion> conversion;
};

// The same, waited for: true once the PDF is in place.
bool exportPdf(const Converter& converter, const Script& script, const std::string& targetBase, const Paper& paper,
               SceneNumbers numbers = SceneNumbers::None);
