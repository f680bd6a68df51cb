#pragma once
// The calls of the wkhtmltopdf C library that the export makes, built over the
// wkhtmltopdf program: settings become its command-line options, a conversion runs it
// once. The converter owns the settings handed to it and releases them when destroyed.

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct wkhtmltopdf_global_settings {
    std::vector<std::pair<std::string, std::string>> values; // in the order they were set
};
struct wkhtmltopdf_object_settings {
    std::vector<std::pair<std::string, std::string>> values;
};
struct wkhtmltopdf_converter;

using ProgramRunner = std::function<int(const std::vector<std::string>& argv)>;

// Initialising takes the runner that starts the program; nothing else is needed.
int wkhtmltopdf_init(int useGraphics);
int wkhtmltoimage_init(int useGraphics);
void setConverterRunner(ProgramRunner runner);

wkhtmltopdf_global_settings* wkhtmltopdf_create_global_settings();
int wkhtmltopdf_set_global_setting(wkhtmltopdf_global_settings* settings, const char* name, const char* value);
wkhtmltopdf_object_settings* wkhtmltopdf_create_object_settings();
int wkhtmltopdf_set_object_setting(wkhtmltopdf_object_settings* settings, const char* name, const char* value);
wkhtmltopdf_converter* wkhtmltopdf_create_converter(wkhtmltopdf_global_settings* settings);
void wkhtmltopdf_add_object(wkhtmltopdf_converter* converter, wkhtmltopdf_object_settings* settings, const char* data);
// Renders every object into the global "out" file; 1 on success, 0 on failure. The PDF
// is written beside its target first and takes its place only when complete.
int wkhtmltopdf_convert(wkhtmltopdf_converter* converter);
void wkhtmltopdf_destroy_converter(wkhtmltopdf_converter* converter);

// The program's argument vector for a converter, writing its PDF to `output`.
std::vector<std::string> converterArguments(const wkhtmltopdf_converter& converter, const std::string& output);
