#pragma once
// A PDF export under way beside the window: the converter runs as a child process while
// the editor goes on; the window's foot says how long it has run, Escape stops it, and
// after `limit` it is ended.

#include "files/Export.hpp"
#include "platform/Converter.hpp"

#include <chrono>
#include <memory>
#include <string>

class ExportJob {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds limit{120}; // a converter still running then is ended

    explicit ExportJob(ProgramStarter starter) : m_converter(std::move(starter)) {}

    bool running() const { return m_pdf != nullptr; }
    void start(const Script& script, const std::string& targetBase, const Paper& paper, Clock::time_point now,
               SceneNumbers numbers = SceneNumbers::None);
    // Looks at the converter, ending it once it has run too long. When the export has
    // ended it returns true, with `problem` saying why when it failed.
    bool ended(Clock::time_point now, std::string& problem);
    // Stops it; what the foot then says.
    std::string stop(const std::string& why);
    // "Exporting NAME.pdf… N s (Escape stops it)"; the seconds are those of the last look.
    std::string underWay() const;
    // Whether the seconds shown changed at the last look.
    bool secondsChanged() const { return m_secondsChanged; }

private:
    Converter m_converter;
    std::unique_ptr<PdfExport> m_pdf; // the PDF being made
    Clock::time_point m_begun;
    long m_seconds = -1; // the seconds the foot line shows
    bool m_secondsChanged = false;
};
