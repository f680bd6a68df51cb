#pragma once
// The wkhtmltopdf program, which renders an HTML file as a PDF. A converter is given the
// way to run the program; each conversion takes its settings, writes the PDF beside its
// target under a temporary name, and puts it in the target's place only once the program
// has ended well.

#include <functional>
#include <string>
#include <vector>

// Runs a program with exactly these arguments (argv[0] is the program) and waits for it:
// its exit status, -1 when it could not run.
using ProgramRunner = std::function<int(const std::vector<std::string>& argv)>;

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

class Converter {
public:
    explicit Converter(ProgramRunner runner = {}) : run(std::move(runner)) {}

    // Renders the HTML file `input` into the PDF `target`; true once it is in place.
    bool convert(const ConverterSettings& settings, const std::string& input, const std::string& target) const;

private:
    ProgramRunner run;
};
