#pragma once
// The wkhtmltopdf program, which renders an HTML file as a PDF. A converter is given the
// way to start the program; each conversion takes its settings, runs beside the editor,
// writes the PDF beside its target under a temporary name, and puts it in the target's
// place only once the program has ended well and what it wrote is a whole PDF.

#include "platform/RunProgram.hpp"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

struct ConverterSettings {
    std::string paper = "Letter"; // the program's name for the paper size
    std::string marginTop = "0in", marginBottom = "0in", marginLeft = "0in", marginRight = "0in";
    bool grayscale = false;
    std::string encoding = "utf-8";
    std::string userStyleSheet; // applied over the page's own style; none when empty
};

// The program's arguments for rendering `input` into `output`.
std::vector<std::string> converterArguments(const ConverterSettings& settings, const std::string& input,
                                            const std::string& output);

// Whether a file is a whole PDF: "%PDF-" at its start; at its end "startxref", the offset
// of its cross-reference (a table or a stream, inside the file) and "%%EOF"; and a page.
bool wholePdf(const std::string& path);

// One conversion. It ends done, with the PDF in place, or failed, with the target as it
// was and `problem` saying why; one still running when it goes is stopped.
class Conversion {
public:
    enum class State { Running, Done, Failed };

    Conversion(std::unique_ptr<RunningProgram> program, std::string partial, std::string target);
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;
    ~Conversion();

    // Looks whether the program has ended, and finishes then.
    State poll();
    // Stops the program; the conversion fails with the given reason.
    void stop(const std::string& why);
    State state() const { return now; }
    const std::string& problem() const { return why; }
    const std::string& partialFile() const { return partial; } // where the PDF is written until it is whole

private:
    void finish(int status);

    std::unique_ptr<RunningProgram> program;
    std::string partial, target;
    State now = State::Running;
    std::string why;
};

class Converter {
public:
    explicit Converter(ProgramStarter starter = {}) : start(std::move(starter)) {}

    // Starts rendering the HTML file `input` into the PDF `target`; a conversion that has
    // failed already when the program could not be started.
    std::unique_ptr<Conversion> begin(const ConverterSettings& settings, const std::string& input,
                                      const std::string& target) const;
    // Renders and waits for the end: true once the PDF is in place.
    bool convert(const ConverterSettings& settings, const std::string& input, const std::string& target) const;

private:
    ProgramStarter start;
};
