// Exporting: to PDF beside the window (the converter runs as a child process; the editor
// goes on drawing and taking input, the window's foot says how long it has run, Escape
// stops it, and after exportLimit it is ended), to stand-alone HTML, to Fountain and to Final Draft, each
// asking before it replaces a file. The line at the window's foot says what went wrong
// and what is under way.
#include "app/App.hpp"

#include "files/TextCodec.hpp"

#include <SFML/Graphics/RectangleShape.hpp>

#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
const sf::Color problemBand(90, 20, 30, 255);
const sf::Color noticeBand(30, 40, 70, 255);
const sf::Color footText(255, 220, 220, 255);
constexpr float footHeight = 32; // pixels of the band at the window's foot
constexpr unsigned footSize = 18;
} // namespace

bool App::exportScript()
{
    if (m_export) {
        m_notice = "An export is under way: wait for it, or press Escape to stop it";
        return false;
    }
    if (m_session.untitled) { // a name first; the export dialog follows once saved
        openSaveAs();
        m_awaitingSaveToExport = true;
        return false;
    }
    const SaveChoice choice =
        m_platform.askSaveTarget ? m_platform.askSaveTarget(toUtf8(nameForDisplay(m_session.fileName))) : SaveChoice();
    if (choice.path.empty())
        return false;
    const std::string target = targetBase(choice.path);
    const bool pdf = choice.filter == ExportFilter::pdfLetter || choice.filter == ExportFilter::pdfA4;
    if (pdf && !mayReplace({target + ".pdf"}, m_platform.askOverwrite))
        return false; // declining to replace a file is no failure
    if (!saveScript()) // the export follows the saved script
        return false;
    std::error_code error;
    switch (choice.filter) {
    case ExportFilter::pdfLetter:
    case ExportFilter::pdfA4:
        m_export = std::make_unique<PdfExport>(m_converter, script(), target, choice.filter == ExportFilter::pdfA4 ? a4 : usLetter);
        m_exportBegun = Clock::now();
        m_exportSeconds = -1;
        m_notice.clear();
        pollExport(m_exportBegun);
        return m_export || m_saveProblem.empty(); // done or under way
    case ExportFilter::html:
        if (writeScript(script(), target, true, m_platform.askOverwrite, &error))
            return true;
        break;
    case ExportFilter::fountain:
        if (exportFountain(script(), target, m_platform.askOverwrite, &error))
            return true;
        break;
    case ExportFilter::finalDraft:
        if (exportFdx(script(), target, m_platform.askOverwrite, &error))
            return true;
        break;
    default:
        return false;
    }
    if (error != std::errc::file_exists) // declining to replace a file is no failure
        noteSaveProblem("Could not export " + target +
                            (choice.filter == ExportFilter::html ? ".html" : choice.filter == ExportFilter::fountain ? ".fountain" : ".fdx"),
                        error);
    return false;
}

// Finishes the export once the converter has ended, and ends a converter that has run too long.
void App::pollExport(Clock::time_point now)
{
    if (!m_export)
        return;
    if (m_export->poll() == Conversion::State::Running) {
        if (now - m_exportBegun < exportLimit) {
            const long seconds = static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(now - m_exportBegun).count());
            m_frameWanted = m_frameWanted || seconds != m_exportSeconds;
            m_exportSeconds = seconds;
            return;
        }
        m_export->stop("the converter took longer than " + std::to_string(exportLimit.count()) + " seconds");
    }
    if (m_export->poll() == Conversion::State::Failed)
        m_saveProblem = "Could not export " + m_export->target() + ": " + m_export->problem();
    m_export.reset();
    m_frameWanted = true;
}

void App::stopExport(const std::string& why)
{
    if (!m_export)
        return;
    m_notice = "The export of " + m_export->target() + " was " + why;
    m_export->stop(why);
    m_export.reset();
    m_frameWanted = true;
}

std::optional<App::Clock::time_point> App::nextWakeUp() const
{
    if (m_export)
        return Clock::now(); // the converter is looked at every few hundredths of a second
    return m_session.recoveryDue;
}

bool App::takeFrameWanted()
{
    const bool wanted = m_frameWanted;
    m_frameWanted = false;
    return wanted;
}

std::string App::footLine() const
{
    std::string line;
    auto add = [&line](const std::string& part) {
        if (!part.empty())
            line += (line.empty() ? "" : "   \xC2\xB7   ") + part; // a middle dot between
    };
    if (m_export)
        add("Exporting " + fs::path(m_export->target()).filename().string() + "\xE2\x80\xA6 " +
            std::to_string(std::max(0L, m_exportSeconds)) + " s (Escape stops it)");
    add(m_saveProblem);
    add(m_recoveryProblem);
    add(m_backupProblem);
    add(m_notice);
    return line;
}

// Red while something failed, blue for what is only said.
void App::drawFootLine()
{
    const std::string shown = footLine();
    if (shown.empty())
        return;
    const bool problem = !m_saveProblem.empty() || !m_recoveryProblem.empty() || !m_backupProblem.empty();
    const sf::Vector2f size(m_window.getSize());
    m_window.setView(sf::View(size * 0.5f, size));
    sf::RectangleShape band({size.x, footHeight});
    band.setPosition(0, size.y - footHeight);
    band.setFillColor(problem ? problemBand : noticeBand);
    m_window.draw(band);
    sf::Text line(nameForDisplay(shown), m_font.font(), footSize);
    line.setFillColor(footText);
    line.setPosition(std::floor(size.x / 2 - line.getLocalBounds().width / 2), size.y - footHeight + 5);
    m_window.draw(line);
}
