// Exporting: to PDF beside the window (the export job), to stand-alone HTML, to Fountain
// and to Final Draft, each asking before it replaces a file.
#include "app/App.hpp"

#include "files/TextCodec.hpp"

#include <utility>

bool App::exportScript()
{
    if (m_export.running()) {
        m_status.notice = "An export is under way: wait for it, or press Escape to stop it";
        return false;
    }
    if (m_session.untitled) { // a name first; the export dialog follows once saved
        openSaveAs();
        m_afterSave = AfterSave::Export;
        return false;
    }
    if (m_session.recoveryStale) // the dialog holds the thread: the work goes to disk first
        writeRecoveryNow(Clock::now());
    const SaveChoice choice =
        m_platform.askSaveTarget ? m_platform.askSaveTarget(toUtf8(nameForDisplay(m_session.fileName))) : SaveChoice();
    if (choice.path.empty())
        return false;
    const std::string target = targetBase(choice.path);
    const int filter = exportFilterOf(choice.path, choice.filter); // a typed extension decides
    const bool pdf = filter == ExportFilter::pdfLetter || filter == ExportFilter::pdfA4;
    if (pdf && !mayReplace({target + ".pdf"}, m_platform.askOverwrite))
        return false; // declining to replace a file is no failure
    if (!saveScript()) // the export follows the saved script
        return false;
    const Script& script = m_session.script;
    std::error_code error;
    switch (filter) {
    case ExportFilter::pdfLetter:
    case ExportFilter::pdfA4:
        m_export.start(script, target, filter == ExportFilter::pdfA4 ? a4 : usLetter, Clock::now(),
                       m_preferences.settings.sceneNumbers);
        m_status.notice.clear();
        pollExport(Clock::now());
        return m_export.running() || m_status.saveProblem.empty(); // done or under way
    case ExportFilter::html:
        if (writeScript(script, target, true, m_platform.askOverwrite, &error))
            return true;
        break;
    case ExportFilter::fountain:
        if (exportFountain(script, target, m_platform.askOverwrite, &error))
            return true;
        break;
    case ExportFilter::finalDraft:
        if (exportFdx(script, target, m_platform.askOverwrite, &error))
            return true;
        break;
    default:
        return false;
    }
    if (error != std::errc::file_exists) // declining to replace a file is no failure
        noteSaveProblem("Could not export " + target +
                            (filter == ExportFilter::html ? ".html" : filter == ExportFilter::fountain ? ".fountain" : ".fdx"),
                        error);
    return false;
}

// Finishes the export once the converter has ended, and ends a converter that has run too long.
void App::pollExport(Clock::time_point now)
{
    std::string problem;
    if (m_export.ended(now, problem)) {
        if (!problem.empty())
            m_status.saveProblem = problem;
        m_status.changed = true;
    } else if (m_export.secondsChanged()) {
        m_status.changed = true;
    }
}

std::optional<App::Clock::time_point> App::nextWakeUp() const
{
    if (m_export.running())
        return Clock::now(); // the converter is looked at every few hundredths of a second
    return m_session.recoveryDue;
}

bool App::takeFrameWanted()
{
    return std::exchange(m_status.changed, false);
}
