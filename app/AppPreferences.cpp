#include "app/App.hpp"

#include "files/UserFolder.hpp"

namespace {
const std::filesystem::path settingsFile = userFolder / ".settings";
}

// The settings of the last session; a damaged file is said once and replaced by the defaults.
void App::startSettings()
{
    const SettingsRead read = readSettings(settingsFile);
    if (!read.damage.empty()) {
        std::error_code error;
        writeSettings(settingsFile, read.settings, error);
        m_status.notice = "The preferences could not be read (" + read.damage + "): the defaults are used";
    }
    m_preferences.settings = read.settings;
    showLinesAsPrinted(read.settings.lines == ScreenLines::AsPrinted);
    m_page.layOutAgain();
}

// A choice in the panel takes effect at once and is kept for the next session.
void App::applySettings(const Settings& chosen)
{
    const bool printed = chosen.lines == ScreenLines::AsPrinted;
    if (printed != linesAsPrinted()) {
        showLinesAsPrinted(printed);
        m_page.layOutAgain();
        m_page.showCaret(topInset());
    }
    std::error_code error;
    if (!writeSettings(settingsFile, chosen, error))
        m_status.notice = "The preferences could not be kept: " + error.message();
}
