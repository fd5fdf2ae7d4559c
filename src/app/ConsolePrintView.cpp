#include "app/ConsolePrintView.h"

#include <cmath>

#include "printing/PrintRun.h"

ConsolePrintView::ConsolePrintView(std::ostream& out, bool terminal, std::string printer, std::string pause)
    : m_out(out), m_terminal(terminal), m_printer(std::move(printer)), m_pause(std::move(pause))
{
}

void ConsolePrintView::setProgressText(const std::string& text)
{
    if (!m_terminal)
        return;
    clearProgress();
    if (text == PrintRun::IdleText)
        return;
    m_progress = std::to_string(static_cast<int>(std::lround(m_percent))) + "% " + text;
    m_out << m_progress << std::flush;
}

void ConsolePrintView::writeLine(const std::string& line)
{
    const std::string progress = m_progress;
    clearProgress();
    m_out << line << '\n';
    if (!progress.empty()) {
        m_progress = progress;
        m_out << m_progress;
    }
    m_out << std::flush;
}

void ConsolePrintView::clearProgress()
{
    if (m_progress.empty())
        return;
    // Back to the line's start, and the line cleared to its end.
    m_out << "\r\x1b[K";
    m_progress.clear();
}
