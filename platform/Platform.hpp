#pragma once

#include "platform/RunProgram.hpp"

#include <functional>
#include <string>
#include <vector>

// The export formats, numbered as the dialog's filters are, in their order.
namespace ExportFilter {
constexpr int pdfLetter = 1; // PDF on US Letter paper
constexpr int pdfA4 = 2;     // PDF on A4 paper
constexpr int html = 3;      // a stand-alone page with its style sheet
constexpr int fountain = 4;  // Fountain text
constexpr int finalDraft = 5; // Final Draft's FDX
} // namespace ExportFilter

// The export target the user chose: a path and the format filter; an empty path and 0
// when the dialog was cancelled.
struct SaveChoice {
    std::string path;
    int filter = 0;
};

// What the program asks of the desktop. The real program uses the real dialogs and
// runs the real converter; tests put fakes in their place.
struct Platform {
    std::function<SaveChoice(const std::string& currentName)> askSaveTarget;
    // "Overwrite existing file?" with a line naming what exists; true only on an explicit yes.
    std::function<bool(const std::string& existing)> askOverwrite;
    ProgramStarter startProgram; // the converter and any other program, beside the window
    // The clipboard's text (UTF-8) when the window's own reading found none.
    std::function<std::string()> clipboardText;
    // Where the spelling dictionaries are, and the language LANG asks for ("" for none).
    std::string dictionaryFolder = "/usr/share/hunspell";
    std::string language;
};

Platform realPlatform();
