#pragma once

#include "document/Script.hpp"
#include "files/PrintFile.hpp"
#include "files/ScriptWriter.hpp"
#include "platform/Converter.hpp"

#include <string>
#include <system_error>

// Converter handles; empty between conversions, filled with fresh settings by each one.
extern wkhtmltopdf_global_settings* globalSettings;
extern wkhtmltopdf_object_settings* objectSettings;
extern wkhtmltopdf_converter* converter;

// Renders sourceBase + ".html" into targetBase + ".pdf": grey-scale, the print file's
// margins at top and bottom, none at the sides, with res/style.css on top of the file's
// own style, on paper of the given size ("Letter" or "A4").
bool convertToPdf(const std::string& sourceBase, const std::string& targetBase, const std::string& paper = "Letter");
void makeGlobalSettings();
bool runConverter();

// The chosen path without the extension of its last component: the last dot and what
// follows go, unless the name's only dot is its first character or it is "." or "..".
std::string targetBase(const std::string& target);

// Writes the script as Fountain text to targetBase + ".fountain", asking before it
// replaces a file; false (with `error` saying why) when nothing was written.
bool exportFountain(const Script& script, const std::string& targetBase, const OverwriteQuestion& ask,
                    std::error_code* error = nullptr);

// The script as screenplay pages in targetBase + ".pdf": paginated, laid out in a print
// file of page boxes (a temporary file, gone afterwards) and rendered by the converter.
bool exportPdf(const Script& script, const std::string& targetBase, const Paper& paper);
