#include "app/ExportJob.hpp"

#include <algorithm>
#include <filesystem>

void ExportJob::start(const Script& script, const std::string& targetBase, const Paper& paper, Clock::time_point now,
                      SceneNumbers numbers)
{
    m_pdf = std::make_unique<PdfExport>(m_converter, script, targetBase, paper, numbers);
    m_begun = now;
    m_seconds = -1;
}

bool ExportJob::ended(Clock::time_point now, std::string& problem)
{
    m_secondsChanged = false;
    if (!m_pdf)
        return false;
    if (m_pdf->poll() == Conversion::State::Running) {
        if (now - m_begun < limit) {
            const long seconds = static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(now - m_begun).count());
            m_secondsChanged = seconds != m_seconds;
            m_seconds = seconds;
            return false;
        }
        m_pdf->stop("the converter took longer than " + std::to_string(limit.count()) + " seconds");
    }
    problem = m_pdf->poll() == Conversion::State::Failed ? "Could not export " + m_pdf->target() + ": " + m_pdf->problem()
                                                         : std::string();
    m_pdf.reset();
    return true;
}

std::string ExportJob::stop(const std::string& why)
{
    if (!m_pdf)
        return {};
    const std::string said = "The export of " + m_pdf->target() + " was " + why;
    m_pdf->stop(why);
    m_pdf.reset();
    return said;
}

std::string ExportJob::underWay() const
{
    if (!m_pdf)
        return {};
    return "Exporting " + std::filesystem::path(m_pdf->target()).filename().string() + "\xE2\x80\xA6 " +
           std::to_string(std::max(0L, m_seconds)) + " s (Escape stops it)";
}
