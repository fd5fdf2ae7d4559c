#pragma once

#include <ostream>
#include <string>

#include "printing/PrintView.h"

// What the print run reads and shows when it runs without a window: the
// printer and the pause entry it was given, and its progress as one line on a
// terminal, rewritten in place. Where the output is no terminal (a log, a
// pipe), the progress is not shown, so that the output holds whole lines only.
class ConsolePrintView final : public PrintView {
public:
    ConsolePrintView(std::ostream& out, bool terminal, std::string printer, std::string pause);

    void setProgressValue(double percent) override { m_percent = percent; }
    void setProgressText(const std::string& text) override;
    std::string printerText() const override { return m_printer; }
    std::string pauseText() const override { return m_pause; }

    // Writes a whole line, in place of the progress line where one shows.
    void writeLine(const std::string& line);

private:
    void clearProgress();

    std::ostream& m_out;
    bool m_terminal;
    std::string m_printer;
    std::string m_pause;
    double m_percent = 0;
    std::string m_progress;  // the progress line on the terminal; empty: none
};
